#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>

#include "archive/archivestate.h"
#include "archive/archive.h"
#include "base/format.h"
#include "fixtures.h"
#include "report/pdflist.h"
#include "report/wagecard.h"
#include "table/employeetable.h"

using namespace dosber;
using namespace dosber::testing;

namespace {

const char* azon = "15607231234";

std::string shell(const std::string& cmd) { return capture(cmd).out; }

// A 1998 company with one employee and what its card showed.
struct cardfixture {
  tempfolder t;
  archivestate state;
  memtable table = makeemployeetable();
  const yearinfo& year = *yearfor(98);
  std::string folder;
  std::vector<employee> people;
  std::vector<std::vector<std::string>> pagetexts;  // text runs per page
  std::vector<int> orientations;
  std::vector<float> lowest;  // the lowest baseline per page
  std::vector<std::string> messages;
  std::vector<std::pair<std::string, bool>> shown;

  cardfixture(std::string taxnumber = "12345678213") {
    folder = joinpath(joinpath(t.path(), "ber98"), "ceg");
    writecompanyparameters(folder, "Kalibra Bt.", taxnumber);
    employee e;
    e.azon = azon;
    e.nev = "Kovács Anna";
    e.entry = "19950101";
    e.monthlywage = 1234567;
    e.hourlywage = 1234.5;
    people.push_back(e);
  }
  void secondemployment() {
    employee e = people[0];
    e.entry = "19980701";
    e.staffgroup = '2';
    e.employmenttype = '2';
    people.push_back(e);
  }
  bool make(bool defaultviewer = true, std::string output = {}) {
    writeemployees(joinpath(folder, "dt.dat"), year, people);
    EXPECT_TRUE(loadcompanypath(state, table, folder));
    table.first();
    loadcarddata(state, table, nullptr);
    std::unique_ptr<tpdflist> card = layoutwagecard(state, table);
    for (const auto& p : card->pages()) {
      std::vector<std::string> texts;
      lowest.push_back(0);
      for (const auto& op : p.ops)
        if (auto tr = std::get_if<textrun>(&op)) {
          texts.push_back(tr->text);
          lowest.back() = std::max(lowest.back(), tr->y);
        }
      pagetexts.push_back(texts);
      orientations.push_back(p.orientation);
    }
    card->onmessage = [this](const std::string& m) { messages.push_back(m); };
    card->onshow = [this](const std::string& f, bool d) { shown.emplace_back(f, d); return true; };
    unsetenv("DOSBER_NO_VIEWER");
    card->savetofile(output.empty() ? t / "out/karton.pdf" : output);
    card->showfile(defaultviewer);
    return card->saved;
  }
  bool has(int page, const std::string& text) const {
    const auto& p = pagetexts.at(page);
    return std::find(p.begin(), p.end(), text) != p.end();
  }
  int count(const std::string& text) const {
    int n = 0;
    for (const auto& p : pagetexts) n += static_cast<int>(std::count(p.begin(), p.end(), text));
    return n;
  }
  // The texts of the grid row of a label, in drawing order.
  std::vector<std::string> rowof(const std::string& label) const {
    for (const auto& p : pagetexts) {
      auto it = std::find(p.begin(), p.end(), label);
      if (it != p.end()) return std::vector<std::string>(it, std::min(p.end(), it + 14));
    }
    return {};
  }
  wagerecord record(const char* evho, char staffgroup = '1', const char* jvkezd = "19950101") {
    return wagerecord(year, azon, evho, staffgroup, jvkezd);
  }
};

}  // namespace

TEST(wagecard, oneEmploymentReadsBackWhole) {
  cardfixture c;
  writewages(joinpath(c.folder, "karton.dat"), c.year,
             {c.record("9801").item(1, 21).item(27, 1500), c.record("9802").item(1, 20)});
  writeabsences(joinpath(c.folder, "kinap.dat"), c.year, {{azon, "11", "19980310", "19980315"}});
  ASSERT_TRUE(c.make());
  ASSERT_EQ(c.pagetexts.size(), 3u);  // person data, one grid, absences
  EXPECT_EQ(c.count("További jogviszonyai"), 0);
  EXPECT_EQ(c.count("Jogviszony kezdete: 1995.01.01"), 1);
  EXPECT_TRUE(c.has(0, "Kovács Anna jogviszony és fizetési adatai - 1998"));
  EXPECT_TRUE(c.has(0, "12345678-2-13"));
  EXPECT_TRUE(c.has(0, "1.234.567"));   // Havibér
  EXPECT_TRUE(c.has(0, "1.234,50"));    // Órabér
  EXPECT_TRUE(c.has(1, "Forr.adós jöv."));  // a label of 15 characters prints whole
  EXPECT_TRUE(c.has(2, "Táppénz"));
  EXPECT_TRUE(c.has(2, "Naptól"));
  EXPECT_EQ(c.shown.size(), 1u);
  std::string text = shell("pdftotext -layout " + c.t / "out/karton.pdf" + " -");
  for (const char* s : {"A foglalkoztatott személy adatai", "Bérezett nap", "1/3.oldal", "3/3.oldal", "ÖSSZ",
                        "Kovács Anna jogviszony és fizetési adatai - 1998", "1998.03.10", "Készült: "})
    EXPECT_NE(text.find(s), std::string::npos) << s;
}

TEST(wagecard, twoEmploymentsTwoGrids) {
  cardfixture c;
  c.secondemployment();
  writewages(joinpath(c.folder, "karton.dat"), c.year,
             {c.record("9801").item(1, 21), c.record("9807", '2', "19980701").item(1, 22)});
  ASSERT_TRUE(c.make());
  ASSERT_EQ(c.pagetexts.size(), 3u);  // person data and two grids; no absences
  EXPECT_TRUE(c.has(0, "További jogviszonyai"));
  EXPECT_TRUE(c.has(0, "1998.07.01"));  // the other employment only
  EXPECT_TRUE(c.has(0, "Tagi jogv."));
  EXPECT_TRUE(c.has(1, "Jogviszony kezdete: 1995.01.01"));
  EXPECT_TRUE(c.has(2, "Jogviszony kezdete: 1998.07.01"));
  EXPECT_TRUE(c.has(2, "Állománycsoport: Tagi jogv."));
}

TEST(wagecard, noItemRowsStillPrintsAbsences) {
  cardfixture c;
  writeabsences(joinpath(c.folder, "kinap.dat"), c.year, {{azon, "22", "19980101", "19980630"}});
  ASSERT_TRUE(c.make());
  ASSERT_EQ(c.pagetexts.size(), 2u);
  EXPECT_EQ(c.count("Jogviszony kezdete: 1995.01.01"), 0);
  EXPECT_TRUE(c.has(1, "GYED"));
}

TEST(wagecard, deductionsNegatedAndMonthsInOneRow) {
  cardfixture c;
  writewages(joinpath(c.folder, "karton.dat"), c.year,
             {c.record("9803").item(19, 500).freeentry(0, "212", 70), c.record("9805").item(19, 40).item(13, 1000),
              c.record("9808").item(13, 250)});
  ASSERT_TRUE(c.make());
  // Szakszerv.díj is of class 5: -500 under MÁR, -40 under MÁJ, the total -540.
  auto row = c.rowof("Szakszerv.díj");
  ASSERT_EQ(row.size(), 14u);
  EXPECT_EQ(row[3], "-500");
  EXPECT_EQ(row[5], "-40");
  EXPECT_EQ(row[13], "-540");
  auto brutto = c.rowof("Bruttó");
  EXPECT_EQ(brutto[5], "1000");
  EXPECT_EQ(brutto[8], "250");
  EXPECT_EQ(brutto[13], "1.250");
}

TEST(wagecard, monthOutsideTheYearCountsInTheTotalOnly) {
  cardfixture c;
  writewages(joinpath(c.folder, "karton.dat"), c.year,
             {c.record("9813").item(13, 300), c.record("9802").item(13, 100), c.record("9800").item(13, 5)});
  ASSERT_TRUE(c.make());
  auto row = c.rowof("Bruttó");
  ASSERT_EQ(row.size(), 14u);
  EXPECT_EQ(row[2], "100");
  EXPECT_EQ(row[13], "405");
}

TEST(wagecard, blankTaxNumberAndViewerChoice) {
  cardfixture c("   ");
  ASSERT_TRUE(c.make(false));
  EXPECT_FALSE(c.has(0, "12345678-2-13"));
  EXPECT_TRUE(c.has(0, "1/1.oldal"));
  ASSERT_EQ(c.shown.size(), 1u);
  EXPECT_FALSE(c.shown[0].second);
}

TEST(wagecard, failuresOpenNothing) {
  cardfixture c;
  std::filesystem::create_directories(c.t / "busy.pdf/x");
  EXPECT_FALSE(c.make(true, c.t / "busy.pdf"));
  EXPECT_EQ(c.messages, std::vector<std::string>{"A fájlt (" + c.t / "busy.pdf" + ")használják!"});
  EXPECT_TRUE(c.shown.empty());
}

TEST(wagecard, wideGridGoesLandscape) {
  cardfixture c;
  std::vector<wagerecord> months;
  for (int m = 1; m <= 12; ++m) {
    char evho[8];
    std::snprintf(evho, sizeof evho, "98%02d", m);
    months.push_back(c.record(evho).item(13, 123456789.0 + m).item(21, 98765432.0));
  }
  writewages(joinpath(c.folder, "karton.dat"), c.year, months);
  ASSERT_TRUE(c.make());
  ASSERT_EQ(c.orientations.size(), 2u);
  EXPECT_EQ(c.orientations[0], 0);
  EXPECT_EQ(c.orientations[1], 1);
}

TEST(wagecard, manyEmploymentsGoOnToANewPageUnderTheHeaderAndTitle) {
  cardfixture c;
  std::vector<std::string> entries;
  for (int k = 1; k <= 40; ++k) {
    employee e = c.people[0];
    char entry[16];
    std::snprintf(entry, sizeof entry, "1998%02d%02d", k % 12 + 1, k % 28 + 1);
    e.entry = entry;
    c.people.push_back(e);
    entries.push_back(formatmask("####.##.##", entry));
  }
  ASSERT_TRUE(c.make());
  ASSERT_EQ(c.pagetexts.size(), 2u);  // no grids, no absences
  EXPECT_TRUE(c.has(0, "További jogviszonyai"));
  for (int p = 0; p < 2; ++p) {
    EXPECT_EQ(c.orientations[p], 0);
    EXPECT_LE(c.lowest[p], 287.0f);
    EXPECT_TRUE(c.has(p, "Kalibra Bt."));
    EXPECT_TRUE(c.has(p, "Kovács Anna jogviszony és fizetési adatai - 1998"));
    EXPECT_TRUE(c.has(p, std::to_string(p + 1) + "/2.oldal"));
  }
  // Every other employment once, the last ones on the second page.
  for (const std::string& e : entries) EXPECT_EQ(c.count(e), 1) << e;
  EXPECT_TRUE(std::any_of(entries.begin(), entries.end(), [&](const std::string& e) { return c.has(1, e); }));
}
