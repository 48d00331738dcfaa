#include <gtest/gtest.h>

#include <map>

#include "archive/archivestate.h"
#include "archive/cardtables.h"
#include "archive/archive.h"
#include "base/errors.h"
#include "fixtures.h"
#include "table/employeetable.h"

using namespace dosber;
using namespace dosber::testing;

namespace {

const char* azon = "15607231234";

// A company of one employee with the given wage records; the card data of
// that employee.
struct card {
  tempfolder t;
  archivestate state;
  memtable table = makeemployeetable();
  const yearinfo& year;
  std::string folder;

  explicit card(int yearnumber) : year(*yearfor(yearnumber)) {
    folder = makecompany(t.path(), year);
    employee e;
    e.azon = azon;
    writeemployees(joinpath(folder, "dt.dat"), year, {e});
  }
  void wages(const std::vector<wagerecord>& k, const std::vector<wagerecord>& ki = {}) {
    writewages(joinpath(folder, "karton.dat"), year, k);
    if (!ki.empty()) writewages(joinpath(folder, "kikarton.dat"), year, ki);
  }
  void run(progress* bar = nullptr) {
    ASSERT_TRUE(loadcompanypath(state, table, folder));
    table.first();
    loadcarddata(state, table, bar);
  }
  wagerecord record(const char* evho = "9503", char jogvkod1 = '1', char type = '1') {
    return wagerecord(year, azon, evho, jogvkod1, "19950101", type);
  }
  // "kodtip/kod" -> ft of every item row.
  std::map<std::string, double> items() {
    std::map<std::string, double> out;
    memtable& t = state.items;
    for (t.first(); !t.eof(); t.next())
      out[t.text("jogvkod1") + ":" + t.text("evho") + ":" + t.text("kodtip") + "/" + t.text("kod")] += t.number("ft");
    return out;
  }
  std::map<std::string, double> items(const char* prefix) {
    std::map<std::string, double> out;
    for (auto& [k, v] : items())
      if (k.rfind(prefix, 0) == 0) out[k.substr(std::string(prefix).size())] = v;
    return out;
  }
};

using rows = std::map<std::string, double>;

}  // namespace

TEST(cardtables, codesAndClasses) {
  EXPECT_EQ(itemcodetext(1), "001");
  EXPECT_EQ(itemcodetext(45), "045");
  EXPECT_EQ(itemclass(12), "6");
  EXPECT_EQ(itemclass(38), "0");
  EXPECT_EQ(itemclass(0), "0");
  EXPECT_EQ(itemclass(46), "0");
  EXPECT_EQ(itemclass(1), "1");
  EXPECT_EQ(itemclass(11), "2");
  EXPECT_EQ(itemclass(19), "5");
  EXPECT_EQ(itemclass(27), "7");
  EXPECT_EQ(itemclass(45), "8");
  EXPECT_EQ(paycodeclass("805"), "3");
  EXPECT_EQ(paycodeclass("905"), "4");
  EXPECT_EQ(paycodeclass("602"), "3");
  EXPECT_EQ(paycodeclass("212"), "4");
}

TEST(cardtables, rebuildLeavesThemOpenAndEmpty) {
  archivestate s;
  rebuildcardtables(s.absences, s.items);
  s.items.append({std::string("x"), std::string("1"), std::string("1995.01.01"), std::string("9501"),
                  std::string("1"), std::string("001"), 1.0});
  rebuildcardtables(s.absences, s.items);
  EXPECT_TRUE(s.items.active());
  EXPECT_EQ(s.items.rowcount(), 0u);
  EXPECT_EQ(s.items.fieldcount(), 7);
  EXPECT_EQ(s.absences.fieldcount(), 5);
}

TEST(cardreader, daysSumByEmploymentAndMonth) {
  card c(95);
  c.wages({c.record().item(1, 21), c.record().item(1, 1), c.record("9504").item(1, 0).item(2, 3),
           c.record("9503", '2').item(1, 5), c.record("9503", '1', '2').item(1, 100)});
  c.run();
  EXPECT_EQ(c.items(), (rows{{"1:9503:1/001", 122}, {"1:9504:1/002", 3}, {"2:9503:1/001", 5}}));
}

TEST(cardreader, monthInBothWageFilesIsSummed) {
  card c(3);
  c.wages({c.record("0301").item(13, 1000)}, {c.record("0301").item(13, 250)});
  c.run();
  EXPECT_EQ(c.items("1:0301:"), (rows{{"6/013", 1250}}));
}

TEST(cardreader, correctionsAndOwnRowsByLayout) {
  struct {
    int year;
    const char* code;
    double amount;
    rows expected;
  } cases[] = {
      {98, "805", 100, {{"5/019", -100}, {"6/017", -100}}},
      {98, "905", 100, {{"5/019", 100}, {"6/017", 100}}},
      {96, "809", 50, {{"3/809", 50}, {"7/022", -50}}},
      {4, "809", 50, {{"3/809", 50}}},
      {96, "909", 30, {{"4/909", 30}, {"6/017", -30}}},
      {95, "909", 30, {{"4/909", 30}}},
      {95, "912", 40, {{"4/912", 40}}},
      {98, "912", 40, {{"5/031", 40}, {"6/017", 40}}},
      {92, "804", 10, {{"3/804", 10}}},
      {95, "804", 10, {{"5/026", -10}, {"6/017", -10}}},
      {5, "822", 10, {{"5/034", -10}, {"6/017", -10}}},
      {3, "822", 10, {{"3/822", 10}}},
      {0, "110", 7, {{"3/110", 7}}},
      {0, "212", 7, {{"4/212", 7}}},
      {0, "   ", 7, {}},
      {0, "000", 7, {}},
      {0, "110", 0, {}},
  };
  for (const auto& k : cases) {
    SCOPED_TRACE(std::to_string(k.year) + " " + k.code);
    card c(k.year);
    c.wages({c.record("0001").freeentry(3, k.code, k.amount)});
    c.run();
    EXPECT_EQ(c.items("1:0001:"), k.expected);
  }
}

TEST(cardreader, codeThatIsNotANumberEndsTheCard) {
  card c(1);
  c.wages({c.record("0101").item(1, 20).freeentry(0, "A12", 5)});
  try {
    c.run();
    FAIL();
  } catch (const failure& e) {
    EXPECT_STREQ(e.what(), "'A12' is not a valid integer value");
  }
  EXPECT_EQ(c.state.items.rowcount(), 1u);  // rows written before stay
}

TEST(cardreader, allowancesSplitIn1992And1993) {
  for (bool income : {true, false}) {
    card c(92);
    std::vector<allowance> a = {{"Egy", true}, {"Kettő", income}, {"Három", !income}};
    writewageparameters(joinpath(parentpath(c.folder), "ber92.par"), c.year, a);
    c.wages({c.record("9202").allowance(2, 1000)});
    c.run();
    EXPECT_EQ(c.items("1:9202:"), (rows{{"3/602", 1000}, {income ? "7/024" : "7/025", 1000}}));
  }
  card later(94);
  later.wages({later.record("9402").allowance(2, 1000)});
  later.run();
  EXPECT_EQ(later.items("1:9402:"), (rows{{"3/602", 1000}}));
}

TEST(cardreader, oneFieldFeedsSeveralItemsAndTotalsPartByPart) {
  card c(95);
  // Offset 876 is item 41 and item 42 alike in this layout.
  c.wages({c.record("9507").item(41, 300).item(19, 10).item(30, 20).item(26, 5, 0).item(26, -5, 1)});
  c.run();
  EXPECT_EQ(c.items("1:9507:"),
            (rows{{"8/041", 300}, {"8/042", 300}, {"5/019", 10}, {"5/030", 20}, {"5/026", 0}, {"6/017", 30}}));
}

TEST(cardreader, unbookedFieldsGiveNoRows) {
  card a(94), b(96);
  a.wages({a.record("9401").item(6, 4).item(6, 5, 1).item(1, 2)});
  b.wages({b.record("9601").item(11, 4).item(10, 2)});
  a.run();
  b.run();
  EXPECT_EQ(a.items("1:9401:"), (rows{{"1/001", 2}}));
  EXPECT_EQ(b.items("1:9601:"), (rows{{"2/010", 2}}));
}

TEST(cardreader, onlyPresentRecordsOfTheEmployee) {
  card c(99);
  wagerecord gone = c.record("9901").item(1, 7);
  gone.data().byte(4, 0);
  wagerecord other(c.year, "15607231235", "9901");
  other.item(1, 9);
  wagerecord zero(c.year, std::string("1560723123\0", 11), "9901");
  zero.item(1, 11);
  c.wages({gone, other, zero, c.record("9901").item(1, 1)});
  c.run();
  EXPECT_EQ(c.items(), (rows{{"1:9901:1/001", 1}}));
}

TEST(cardreader, absences) {
  card c(95);
  writeabsences(joinpath(c.folder, "kinap.dat"), c.year,
                {{azon, "11", "19950315", "19950320"},
                 {"99999999999", "11", "19950101", "19950102"},
                 {azon, "88", "19950301", "19950302"},
                 {azon, "22", "19950101", "19950228"}});
  c.run();
  memtable& a = c.state.absences;
  ASSERT_EQ(a.rowcount(), 3u);
  a.first();
  EXPECT_EQ(a.text("kod"), "22");
  EXPECT_EQ(a.text("megnev"), "GYED");
  EXPECT_EQ(a.text("tol"), "1995.01.01");
  EXPECT_EQ(a.text("ig"), "1995.02.28");
  a.next();
  EXPECT_EQ(a.text("kod"), "88");
  EXPECT_EQ(a.text("megnev"), "");
  a.next();
  EXPECT_EQ(a.text("megnev"), "Táppénz");
  EXPECT_EQ(a.text("ig"), "1995.03.20");
}

TEST(cardreader, progressOfTheWageFiles) {
  card c(2);
  writeabsences(joinpath(c.folder, "kinap.dat"), c.year, {{azon, "11", "20020101", "20020102"}});
  c.wages({c.record("0201"), c.record("0202"), c.record("0203")});
  progressrecorder bar;
  ASSERT_TRUE(loadcompanypath(c.state, c.table, c.folder));
  c.table.first();
  loadcarddata(c.state, c.table, &bar);
  EXPECT_EQ(bar.calls, (std::vector<std::string>{"max 4", "min 1", "pos 0", "pos 2", "pos 3", "pos 4"}));
}

TEST(cardreader, everyYearsLayout) {
  for (const yearinfo& y : years()) {
    SCOPED_TRACE(y.yeartext);
    card c(y.yearnumber);
    std::string evho = std::string(y.yeartext + 2) + "05";
    c.wages({c.record(evho.c_str()).item(1, 21).item(13, 150000.5).item(30, 1500).allowance(1, 50).freeentry(
        2, "110", 7)});
    c.run();
    rows expected{{"1/001", 21}, {"6/013", 150000.5}, {"5/030", 1500}, {"6/017", 1500}, {"3/601", 50}, {"3/110", 7}};
    if (y.wage == L1992_93) expected["7/025"] = 50;
    EXPECT_EQ(c.items(("1:" + evho + ":").c_str()), expected);
    c.state.items.first();
    EXPECT_EQ(c.state.items.text("jvkezd"), "1995.01.01");
    EXPECT_EQ(c.state.items.text("azon"), azon);
  }
}

TEST(cardreader, shortWageFileFails) {
  card c(97);
  writebytes(joinpath(c.folder, "karton.dat"), bytes(999, 'x'));
  try {
    c.run();
    FAIL();
  } catch (const failure& e) {
    EXPECT_STREQ(e.what(), "Read past end of file");
  }
}
