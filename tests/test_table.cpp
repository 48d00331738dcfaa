#include <gtest/gtest.h>

#include "table/employeetable.h"
#include "table/table.h"

using namespace dosber;

namespace {

std::vector<value> employee(std::string nev, std::string azon = "1", std::string bdatum = "2000.01.01") {
  std::vector<value> v(44);
  v[0] = azon;
  v[1] = nev;
  v[21] = bdatum;
  return v;
}

std::vector<std::string> names(memtable& t) {
  std::vector<std::string> out;
  for (t.first(); !t.eof(); t.next()) out.push_back(t.text("nev") + "/" + t.text("azon") + "/" + t.text("bdatum"));
  return out;
}

}  // namespace

TEST(cuttext, neverSplitsACharacter) {
  EXPECT_EQ(cuttext("Kovács", 5, textunit::bytes), "Ková");
  EXPECT_EQ(cuttext("Kovács", 4, textunit::bytes), "Kov");
  EXPECT_EQ(cuttext("Forr.adós jöv.", 15, textunit::chars), "Forr.adós jöv.");
  EXPECT_EQ(cuttext("Forr.adós jöv.", 15, textunit::bytes), "Forr.adós jöv");
  EXPECT_EQ(cuttext(std::string("ab\0cd", 5), 10, textunit::bytes), "ab");
}

TEST(employeetable, resetDefinesFortyFourFieldsEmpty) {
  memtable t = makeemployeetable();
  EXPECT_EQ(t.rowcount(), 0u);
  EXPECT_FALSE(t.active());
  rebuildemployeetable(t);
  ASSERT_EQ(t.fieldcount(), 44);
  EXPECT_EQ(t.field(0).name, "azon");
  EXPECT_EQ(t.field(30).name, "nyjtavnap");
  EXPECT_EQ(t.field(30).type, fieldtype::integer);
  EXPECT_EQ(t.field(43).name, "archiv");
  EXPECT_EQ(t.rowcount(), 0u);
  EXPECT_FALSE(t.filtered());
  t.append(employee("X"));
  rebuildemployeetable(t);
  EXPECT_EQ(t.rowcount(), 0u);
}

TEST(employeetable, orderedByNameIdentifierEntryDate) {
  memtable t = makeemployeetable();
  rebuildemployeetable(t);
  t.append(employee("Szabó Ödön", "2", "1999.05.01"));
  t.append(employee("Ábrahám Éva", "9"));
  t.append(employee("Szabó Ödön", "1", "1999.07.01"));
  t.append(employee("Szabó Ödön", "1", "1999.01.15"));
  t.append(employee("Csonka Béla", "3"));
  t.append(employee("Czakó Ida", "4"));  // "cs" is one letter, after every "c..."
  t.append(employee("Balogh Ádám", "5"));
  EXPECT_EQ(names(t), (std::vector<std::string>{"Ábrahám Éva/9/2000.01.01", "Balogh Ádám/5/2000.01.01",
                                                "Czakó Ida/4/2000.01.01", "Csonka Béla/3/2000.01.01",
                                                "Szabó Ödön/1/1999.01.15", "Szabó Ödön/1/1999.07.01",
                                                "Szabó Ödön/2/1999.05.01"}));
}

TEST(employeetable, textCutToFieldSizeInBytes) {
  memtable t = makeemployeetable();
  rebuildemployeetable(t);
  t.append(employee(std::string(45, 'x')));
  t.first();
  EXPECT_EQ(t.text("nev").size(), 40u);
  t.append(employee(std::string(39, 'y') + "é"));  // 41 bytes: the letter is dropped whole
  t.first();
  t.next();
  EXPECT_EQ(t.text("nev"), std::string(39, 'y'));
}

TEST(employeetable, nameFilter) {
  memtable t = makeemployeetable();
  rebuildemployeetable(t);
  for (const char* n : {"Kovács Anna", "KOVÁCS ANNA", "SZEKOVICS Péter", "Nagy O'Brien", "Tóth Éva"})
    t.append(employee(n));
  struct {
    const char* pattern;
    size_t rows;
  } cases[] = {{"ovác", 2}, {"OVÁC", 2}, {"ovacs", 0}, {"KOV", 3}, {"kov", 3}, {"'", 1}, {"éva", 1}, {"ÉVA", 1}, {"", 0}};
  for (const auto& c : cases) {
    filterbyname(t, c.pattern);
    EXPECT_EQ(t.visiblecount(), c.rows) << c.pattern;
    EXPECT_EQ(t.rowcount(), 5u);
  }
  t.clearfilter();
  EXPECT_EQ(t.visiblecount(), 5u);
}

TEST(memtable, locateEditAndPost) {
  memtable t(textunit::chars);
  t.addfield("azon", fieldtype::text, 11);
  t.addfield("kod", fieldtype::text, 3);
  t.addfield("ft", fieldtype::floating);
  t.setindex("azon;kod");
  t.create();
  t.append({std::string("A"), std::string("002"), 1.0});
  t.append({std::string("A"), std::string("001"), 2.0});
  t.append({std::string("b"), std::string("001"), 3.0});
  ASSERT_TRUE(t.locate({"azon", "kod"}, {std::string("A"), std::string("002")}));
  t.set("ft", t.number("ft") + 10);
  ASSERT_TRUE(t.locate({"azon", "kod"}, {std::string("A"), std::string("002")}));
  EXPECT_EQ(t.number("ft"), 11.0);
  EXPECT_FALSE(t.locate({"azon", "kod"}, {std::string("B"), std::string("001")}));
  ASSERT_TRUE(t.locate({"azon", "kod"}, {std::string("B"), std::string("001")}, true));
  EXPECT_EQ(t.number("ft"), 3.0);
  std::vector<double> order;
  for (t.first(); !t.eof(); t.next()) order.push_back(t.number("ft"));
  EXPECT_EQ(order, (std::vector<double>{2, 11, 3}));
  EXPECT_EQ(t.fieldindex("FT"), 2);
}

TEST(memtable, editOfAnIndexFieldReorders) {
  memtable t;
  t.addfield("k", fieldtype::text, 5);
  t.setindex("k");
  t.create();
  t.append({std::string("b")});
  t.append({std::string("c")});
  t.first();
  t.set("k", std::string("d"));
  std::string order;
  for (t.first(); !t.eof(); t.next()) order += t.text("k");
  EXPECT_EQ(order, "cd");
}

TEST(memtable, appendsBetweenReadsStaySorted) {
  memtable t;
  t.addfield("n", fieldtype::integer);
  t.setindex("n");
  t.create();
  std::vector<int> expected;
  for (int i = 0; i < 2000; ++i) {
    int v = (i * 7919) % 2000 - 1000;
    t.append({int32_t(v)});
    expected.push_back(v);
    if (i % 500 == 0) t.first();  // merge in batches
  }
  std::sort(expected.begin(), expected.end());
  std::vector<int> got;
  for (t.first(); !t.eof(); t.next()) got.push_back(std::get<int32_t>(t.get(0)));
  EXPECT_EQ(got, expected);
  EXPECT_EQ(t.recno(), 0);
}
