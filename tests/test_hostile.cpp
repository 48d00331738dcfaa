// Broken and hostile archives: each gives its message or a clear error
// naming the file, never a crash, and memory stays bounded.
#include <gtest/gtest.h>
#include <fcntl.h>
#include <sys/resource.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <random>

#include "archive/archivestate.h"
#include "archive/archive.h"
#include "base/errors.h"
#include "archive/recordfile.h"
#include "fixtures.h"
#include "table/employeetable.h"

using namespace dosber;
using namespace dosber::testing;

namespace {

struct outcome {
  bool failed = false;
  std::string message, path;
  size_t rows = 0;
};

outcome loadwith(const std::string& root, const yearinfo& y, const char* file, const bytes& content,
                 bool card = false) {
  std::string c = makecompany(root, y);
  employee e;
  writeemployees(joinpath(c, "dt.dat"), y, {e});
  writebytes(joinpath(c, file), content);
  archivestate s;
  memtable t = makeemployeetable();
  outcome o;
  try {
    loadcompanypath(s, t, c);
    if (card) {
      t.first();
      loadcarddata(s, t, nullptr);
    }
  } catch (const failure& err) {
    o.failed = true;
    o.message = err.what();
    o.path = err.path();
  }
  o.rows = t.rowcount();
  return o;
}

bytes garbage(size_t n, unsigned seed) {
  std::mt19937 g(seed);
  bytes b(n);
  for (auto& c : b) c = static_cast<unsigned char>(g());
  return b;
}

long maxrsskb() {
  rusage u{};
  getrusage(RUSAGE_SELF, &u);
  return u.ru_maxrss;
}

}  // namespace

TEST(hostile, shortFilesNameThemselves) {
  struct {
    int year;
    const char* file;
    size_t size;
    bool card;
  } cases[] = {
      {95, "dt.dat", 0, false},       {95, "dt.dat", 1099, false},   {5, "dt.dat", 1299, false},
      {5, "arcdt.dat", 10, false},    {2, "kod.dat", 39, false},     {92, "jarkod.dat", 50, false},
      {94, "levkod.dat", 1, false},   {96, "mrend96.dat", 199, false}, {3, "karton.dat", 1099, true},
      {3, "kikarton.dat", 5, true},   {4, "kinap.dat", 79, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.file) + " " + std::to_string(c.size));
    tempfolder t;
    outcome o = loadwith(t.path(), *yearfor(c.year), c.file, bytes(c.size, 'x'), c.card);
    EXPECT_TRUE(o.failed);
    EXPECT_EQ(o.message, "Read past end of file");
    EXPECT_EQ(lastcomponent(o.path), c.file);
  }
}

TEST(hostile, trailingPartialRecordsAreIgnored) {
  tempfolder t;
  const yearinfo& y = *yearfor(99);
  std::string c = makecompany(t.path(), y);
  employee a, b;
  b.azon = "29999999999";
  writeemployees(joinpath(c, "dt.dat"), y, {a, b});
  {
    std::ofstream f(joinpath(c, "dt.dat"), std::ios::binary | std::ios::app);
    f << std::string(700, 'Z');
  }
  archivestate s;
  memtable tab = makeemployeetable();
  loadcompanypath(s, tab, c);
  EXPECT_EQ(tab.rowcount(), 2u);
}

TEST(hostile, garbageOfManyLengthsNeverCrashes) {
  const char* files[] = {"dt.dat", "arcdt.dat", "kod.dat", "jarkod.dat", "levkod.dat", "mber.par", "kinap.dat",
                         "karton.dat", "kikarton.dat"};
  unsigned seed = 1;
  for (const yearinfo& y : years()) {
    for (const char* f : files) {
      for (size_t n : {size_t(3), size_t(y.dtsize - 1), size_t(y.dtsize), size_t(2 * y.dtsize + 17),
                       size_t(5 * y.kartonsize + 3)}) {
        tempfolder t;
        outcome o = loadwith(t.path(), y, f, garbage(n, seed++), true);
        if (o.failed) {
          EXPECT_FALSE(o.message.empty());
        }
      }
    }
  }
}

TEST(hostile, codeThatIsNotANumberNamesTheWageFile) {
  tempfolder t;
  const yearinfo& y = *yearfor(97);
  wagerecord w(y, "15607231234", "9701");
  w.freeentry(0, "A12", 5);
  bytes content(y.kartonsize, 'H');
  content.insert(content.end(), w.data().data().begin(), w.data().data().end());
  outcome o = loadwith(t.path(), y, "karton.dat", content, true);
  EXPECT_EQ(o.message, "'A12' is not a valid integer value");
  EXPECT_EQ(lastcomponent(o.path), "karton.dat");
}

TEST(hostile, sparseFourGigabyteWageFileStaysOutOfMemory) {
  tempfolder t;
  const yearinfo& y = *yearfor(5);
  std::string c = makecompany(t.path(), y);
  employee e;
  writeemployees(joinpath(c, "dt.dat"), y, {e});
  std::string path = joinpath(c, "karton.dat");
  int fd = ::open(path.c_str(), O_CREAT | O_WRONLY | O_TRUNC, 0644);
  ASSERT_GE(fd, 0);
  ASSERT_EQ(::ftruncate(fd, (off_t(4) << 30) + 123), 0);  // holes read as zero bytes: empty slots
  ::close(fd);
  archivestate s;
  memtable tab = makeemployeetable();
  loadcompanypath(s, tab, c);
  tab.first();
  long before = maxrsskb();
  loadcarddata(s, tab, nullptr);
  EXPECT_EQ(s.items.rowcount(), 0u);
  EXPECT_LT(maxrsskb() - before, 64 * 1024);  // KiB
}

TEST(hostile, fileThatShrinksWhileRead) {
  tempfolder t;
  std::vector<record> records(3000, record(1000, 'A'));
  writelist(t / "f.dat", 1000, records);
  recordfile f;
  ASSERT_TRUE(f.open(t / "f.dat", 1000));
  ASSERT_EQ(f.count(), 3001u);
  std::filesystem::resize_file(t / "f.dat", 1500 * 1000);
  f.skipheader();
  try {
    f.walk([](const unsigned char*, size_t) {});
    FAIL();
  } catch (const failure& e) {
    EXPECT_STREQ(e.what(), "Read past end of file");
    EXPECT_EQ(lastcomponent(e.path()), "f.dat");
  }
}

TEST(hostile, yearFolderWithoutDigits) {
  tempfolder t;
  std::string c = joinpath(t / "ber9", "ceg");
  writecompanyparameters(c, "X", "1");
  archivestate s;
  memtable tab = makeemployeetable();
  try {
    loadcompanypath(s, tab, c);
    FAIL();
  } catch (const failure& e) {
    EXPECT_STREQ(e.what(), "'r9' is not a valid integer value");
  }
  EXPECT_FALSE(tab.active());
}

TEST(hostile, unreadableFilesCountAsAbsent) {
  if (geteuid() == 0) GTEST_SKIP() << "permissions do not bind root";
  tempfolder t;
  const yearinfo& y = *yearfor(95);
  std::string c = makecompany(t.path(), y);
  writeemployees(joinpath(c, "dt.dat"), y, {employee{}});
  writegeneralcodes(joinpath(c, "kod.dat"), y, {{'A', "0012", "Központ"}});
  std::filesystem::permissions(joinpath(c, "kod.dat"), std::filesystem::perms::none);
  archivestate s;
  memtable tab = makeemployeetable();
  loadcompanypath(s, tab, c);
  EXPECT_EQ(tab.rowcount(), 1u);
  EXPECT_TRUE(s.generalcodes.empty());
  std::filesystem::permissions(joinpath(c, "dt.dat"), std::filesystem::perms::none);
  loadcompanypath(s, tab, c);
  EXPECT_EQ(tab.rowcount(), 0u);
}
