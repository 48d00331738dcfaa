// Bulk output under faults: a folder that cannot be made or written, a disk
// that fills up during the run, files that are there already, names that
// would collide. Each case: a message naming the file or folder, no partial
// PDF left behind, the other cards still written, exit status 1.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <set>

#include "fixtures.h"

using namespace dosber;
using namespace dosber::testing;

namespace {

std::string cli(const std::string& args, const std::string& env = {}) { return env + " " + DOSBER_CLI + " " + args; }

// The files of a folder: PDFs and whatever else stands there (temporary files of a save).
struct listing {
  std::vector<std::string> pdfs, others;
};
listing list(const std::string& folder) {
  listing l;
  std::error_code ec;
  for (auto& e : std::filesystem::directory_iterator(folder, ec))
    (e.path().extension() == ".pdf" ? l.pdfs : l.others).push_back(e.path().string());
  std::sort(l.pdfs.begin(), l.pdfs.end());
  return l;
}

bool soundpdf(const std::string& path) { return capture("qpdf --check '" + path + "'").status == 0; }

const std::string company = std::string(DOSBER_SAMPLE) + "/ber05/kalibra";

}  // namespace

TEST(bulk, cardsIntoAFolderThatCannotBeMadeOrWritten) {
  tempfolder t;
  writebytes(t / "plain", {'x'});
  commandresult r = capture(cli("cards " + company + " --output-dir " + t / "plain/out"));
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out, "A kimeneti könyvtár nem hozható létre: " + t / "plain/out" + "\n");  // said once, not per card

  // A folder the user may not write into (root may write anywhere: the
  // write seam stands in for the refused permission then).
  std::filesystem::create_directories(t / "locked");
  commandresult locked;
  if (geteuid() != 0) {
    std::filesystem::permissions(t / "locked", std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
    locked = capture(cli("cards " + company + " --output-dir " + t / "locked"));
    EXPECT_NE(locked.out.find("A kimeneti könyvtárba nem lehet írni"), std::string::npos) << locked.out;
  } else {
    locked = capture(cli("cards " + company + " --output-dir " + t / "locked", "DOSBER_TEST_WRITE_FAULT=EACCES:0"));
    EXPECT_NE(locked.out.find("A fájl nem írható (nincs hozzá jogosultság)\nFájl: " + t / "locked/"),
              std::string::npos)
        << locked.out;
    EXPECT_NE(locked.out.find("0 kártya kész, "), std::string::npos) << locked.out;
  }
  EXPECT_EQ(locked.status, 1);
  listing l = list(t / "locked");
  EXPECT_TRUE(l.pdfs.empty());
  EXPECT_TRUE(l.others.empty());
}

TEST(bulk, diskThatFillsUpDuringTheRun) {
  tempfolder t;
  commandresult all = capture(cli("cards " + company + " --output-dir " + t / "all"));
  ASSERT_EQ(all.status, 0) << all.out;
  listing whole = list(t / "all");
  ASSERT_GT(whole.pdfs.size(), 10u);
  uintmax_t three = 0;
  for (int i = 0; i < 3; ++i) three += std::filesystem::file_size(whole.pdfs[i]);

  // Room for three cards and a half.
  uintmax_t room = three + std::filesystem::file_size(whole.pdfs[3]) / 2;
  commandresult r =
      capture(cli("cards " + company + " --output-dir " + t / "full", "DOSBER_TEST_WRITE_FAULT=ENOSPC:" + std::to_string(room)));
  EXPECT_EQ(r.status, 1);
  listing l = list(t / "full");
  EXPECT_EQ(l.pdfs.size(), 3u);
  EXPECT_TRUE(l.others.empty()) << l.others.front();  // no temporary file is left
  for (const std::string& pdf : l.pdfs) EXPECT_TRUE(soundpdf(pdf)) << pdf;
  EXPECT_NE(r.out.find("A fájl nem írható (betelt a lemez)\nFájl: " + t / "full/"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("3 kártya kész, " + std::to_string(whole.pdfs.size() - 3) + " hiba"), std::string::npos)
      << r.out;

  // The same for the person's cards and the summary: one file, whole or not at all.
  std::string data = DOSBER_SAMPLE, azon = "16101052202";
  commandresult p = capture(cli("person-cards " + data + " --azon " + azon + " --output " + t / "p/kartonok.pdf",
                                "DOSBER_TEST_WRITE_FAULT=ENOSPC:10000"));
  EXPECT_EQ(p.status, 1);
  EXPECT_NE(p.out.find("betelt a lemez"), std::string::npos) << p.out;
  EXPECT_TRUE(list(t / "p").pdfs.empty());
  EXPECT_TRUE(list(t / "p").others.empty());
  commandresult s = capture(cli("summary " + data + " --azon " + azon + " --output " + t / "s/osszesito.pdf",
                                "DOSBER_TEST_WRITE_FAULT=ENOSPC:1000"));
  EXPECT_EQ(s.status, 1);
  EXPECT_NE(s.out.find("Fájl: " + t / "s/osszesito.pdf"), std::string::npos) << s.out;
  EXPECT_TRUE(list(t / "s").pdfs.empty());
  EXPECT_TRUE(list(t / "s").others.empty());
  commandresult nofolder = capture(cli("summary " + data + " --azon " + azon + " --output " + t / "all/" +
                                       std::filesystem::path(whole.pdfs[0]).filename().string() + "/x.pdf"));
  EXPECT_EQ(nofolder.status, 1);
  EXPECT_NE(nofolder.out.find("A fájl könyvtárának létrehozása sikertelen!\nKönyvtár: "), std::string::npos);
}

TEST(bulk, filesThereAlreadyAreReplacedWholeAndNamesDoNotCollide) {
  tempfolder t;
  commandresult first = capture(cli("cards " + company + " --output-dir " + t / "out"));
  ASSERT_EQ(first.status, 0) << first.out;
  listing l = list(t / "out");
  // One person with two employments that begin on the same day.
  EXPECT_TRUE(std::filesystem::exists(t / "out/14907072808_2005.07.01.pdf"));
  EXPECT_TRUE(std::filesystem::exists(t / "out/14907072808_2005.07.01_2.pdf"));
  size_t rows = 0;
  for (char c : capture(cli("employees " + company)).out) rows += c == '\n';
  EXPECT_EQ(l.pdfs.size(), rows);
  // Each is the card of its own employment (the staff group differs).
  EXPECT_NE(capture("pdftotext '" + t / "out/14907072808_2005.07.01.pdf" + "' -").out,
            capture("pdftotext '" + t / "out/14907072808_2005.07.01_2.pdf" + "' -").out);

  // A run over the files of an earlier one: each is replaced by a sound card.
  writebytes(l.pdfs[0], {'o', 'l', 'd'});
  commandresult again = capture(cli("cards " + company + " --output-dir " + t / "out"));
  EXPECT_EQ(again.status, 0) << again.out;
  EXPECT_TRUE(soundpdf(l.pdfs[0]));
  EXPECT_EQ(list(t / "out").pdfs.size(), rows);
  EXPECT_TRUE(list(t / "out").others.empty());
}
