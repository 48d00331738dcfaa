#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "archive/archivestate.h"
#include "archive/archive.h"
#include "base/errors.h"
#include "archive/readers.h"
#include "fixtures.h"
#include "table/employeetable.h"

using namespace dosber;
using namespace dosber::testing;

namespace {
const yearinfo& Y(int n) { return *yearfor(n); }
}  // namespace

TEST(companyparameters, nameAndTaxNumber) {
  tempfolder t;
  archivestate s;
  struct {
    std::string text, name, tax;
  } cases[] = {
      {"1\r\n2\r\n3\r\n4\r\n \t Kalibra  Bt. \t\r\n6\r\n12345678213\r\n8\r\n", "Kalibra  Bt.", "12345678213"},
      {"1\n2\n3\n4\n\xB5rp\xA0" "d \x8F" "gnes Kft\n6\n   \n", "Árpád Ágnes Kft", ""},
      {"1\r2\r3\r4\r", "", ""},
      {"1\n2\n3\n4\nCeg\n6\n", "Ceg", ""},
      {"1\n2\n3\n4\n" + std::string(300, 'x') + "\n6\n7\n", std::string(300, 'x'), "7"},
      // A tax number line with DOS letters stays valid text.
      {"1\n2\n3\n4\nCeg\n6\n1234\x8A\xFF\n", "Ceg", "1234Ő\u00A0"},
  };
  for (const auto& c : cases) {
    s.companyname = s.companytaxnumber = "old";
    writetext(t / "mber.par", c.text);
    readcompanyparameters(s, t.path());
    EXPECT_EQ(s.companyname, c.name);
    EXPECT_EQ(s.companytaxnumber, c.tax);
  }
  readcompanyparameters(s, t / "missing");
  EXPECT_EQ(s.companyname, "");
}

TEST(generalcodes, entriesOfBothLayouts) {
  tempfolder t;
  for (int yn : {1, 2}) {
    archivestate s;
    const yearinfo& y = Y(yn);
    std::string folder = t / ("y" + std::to_string(yn));
    std::vector<code> codes = {{'A', "0012", "K\x94zpont"}, {' ', "0099", "Blank kind"}, {'B', "  12  ", "Tiz"}};
    // Names are given here in UTF-8; the writer stores them in code page 852.
    codes[0].name = "Központ";
    writegeneralcodes(joinpath(folder, "kod.dat"), y, codes);
    readgeneralcodes(s, y, folder);
    EXPECT_EQ(s.generalcodes.entries(), (std::vector<std::string>{"A0012=Központ", "B12=Tiz"})) << yn;
  }
}

TEST(generalcodes, recordWithZeroByteFourIsSkipped) {
  tempfolder t;
  archivestate s;
  const yearinfo& y = Y(95);
  record shortcode(30, ' '), padded(30, ' ');
  shortcode.byte(0, 'A').raw(1, std::string("12\0\0\0\0", 6)).text(7, 23, "Rövid");
  padded.byte(0, 'A').raw(1, "12    ").text(7, 23, "Hosszú");
  writelist(t / "kod.dat", 30, {shortcode, padded});
  readgeneralcodes(s, y, t.path());
  EXPECT_EQ(s.generalcodes.entries(), (std::vector<std::string>{"A12=Hosszú"}));
}

TEST(workschedules, companyFolderFirstThenYearFolder) {
  tempfolder t;
  const yearinfo& y = Y(96);
  std::string a = makecompany(t.path(), y, "a"), b = makecompany(t.path(), y, "b");
  writeworkschedules(joinpath(parentpath(a), "mrend96.dat"), y, {{'A', "Évi"}});
  writeworkschedules(joinpath(b, "MREND96.DAT"), y, {{'a', "Saját kis"}, {'A', "Saját nagy"}});
  archivestate s;
  readworkschedules(s, y, a);
  EXPECT_EQ(s.workschedules.value("A"), "Évi");
  s.workschedules.clear();
  readworkschedules(s, y, b);
  EXPECT_EQ(s.workschedules.size(), 2u);
  EXPECT_EQ(s.workschedules.value("A"), "Saját kis");
}

TEST(payitemcodes, codeFilesTaxLabelsAndAllowances) {
  tempfolder t;
  const yearinfo& y = Y(96);
  std::string c = makecompany(t.path(), y);
  writeearningcodes(joinpath(c, "jarkod.dat"), y, {{"101", "Alapbér"}, {"12 ", "Blankos"}, {"110", "Közös"}});
  writedeductioncodes(joinpath(parentpath(c), "levkod.dat"), {{"110", "Közös más"}, {"201", "Letiltás"}});
  std::vector<allowance> a = {{"Családi"}, {"   "}, {"Harmadik"}};
  // A 1996 wage parameter file of 500 bytes reads like one of 499.
  writewageparameters(joinpath(parentpath(c), "ber96.par"), y, a);
  bytes b(500, ' ');
  std::filesystem::resize_file(joinpath(parentpath(c), "ber96.par"), 500);
  archivestate s;
  readpayitemcodes(s, y, c);
  EXPECT_EQ(s.itemnames.value("101"), "Alapbér");
  EXPECT_EQ(s.itemnames.value("12 "), "Blankos");
  EXPECT_EQ(s.itemnames.value("12"), "");
  EXPECT_EQ(s.itemnames.values("110"), (std::vector<std::string>{"Közös", "Közös más"}));
  EXPECT_EQ(s.itemnames.value("201"), "Letiltás");
  EXPECT_EQ(s.itemnames.value("809"), "Ny.ptár j\u201Dved");
  EXPECT_EQ(s.itemnames.value("909"), "Ny.ptár levon");
  EXPECT_EQ(s.itemnames.value("601"), "Családi");
  EXPECT_EQ(s.itemnames.value("602"), "");
  EXPECT_EQ(s.itemnames.value("603"), "Harmadik");
}

TEST(payitemcodes, fixedTaxLabelsByYear) {
  struct {
    int year;
    const char* code;
    const char* label;
  } cases[] = {{92, "804", ""},
               {95, "804", "Szja%-os+"},
               {97, "809", "Ny.ptár jöved"},
               {98, "815", "Nyj\u00A0r+egj.alap"},
               {3, "815", "Nyj\u00A0r+egj.alap"},
               {4, "815", "Eg+8.5% nyjalap"},
               {98, "816", "7%-os nyj.alap"},
               {99, "816", "8%-os nyj.alap"},
               {98, "909", ""},
               {5, "822", "Önk.egp.tagdij+"},
               {3, "822", ""},
               {0, "910", "Önk.nyp.tagdij-"}};
  for (const auto& c : cases) {
    tempfolder t;
    archivestate s;
    readpayitemcodes(s, Y(c.year), makecompany(t.path(), Y(c.year)));
    EXPECT_EQ(s.itemnames.value(c.code), c.label) << c.year << " " << c.code;
  }
}

TEST(payitemcodes, incomeReducingAllowances1992) {
  tempfolder t;
  const yearinfo& y = Y(92);
  std::string c = makecompany(t.path(), y);
  std::vector<allowance> a = {{"Egy", true}, {"Kettő", false}, {"", true}, {"Négy", true}, {"Öt", false}};
  writewageparameters(joinpath(parentpath(c), "ber92.par"), y, a);
  archivestate s;
  s.allowancecodes92 = "stale";
  readpayitemcodes(s, y, c);
  EXPECT_EQ(s.allowancecodes92, "601;604;");
  EXPECT_EQ(s.itemnames.value("602"), "Kettő");
  // A lower-case j does not mark an allowance.
  std::string path = joinpath(parentpath(c), "ber92.par");
  writewageparameters(path, y, a);
  {
    std::fstream f(path, std::ios::in | std::ios::out | std::ios::binary);
    f.seekp(435 + 10);
    f.put('j');
  }
  readpayitemcodes(s, y, c);
  EXPECT_EQ(s.allowancecodes92, "604;");
}

TEST(payitemcodes, shortCodeFileStopsTheLoad) {
  tempfolder t;
  const yearinfo& y = Y(95);
  std::string c = makecompany(t.path(), y);
  writebytes(joinpath(c, "jarkod.dat"), bytes(10, 'x'));
  archivestate s;
  EXPECT_THROW(readpayitemcodes(s, y, c), failure);
  EXPECT_EQ(s.itemnames.value("805"), "");
}

// ---- employee master file ------------------------------------------------------

namespace {

struct loaded {
  archivestate state;
  memtable table = makeemployeetable();
  std::vector<std::string> column(const char* field) {
    std::vector<std::string> out;
    for (table.first(); !table.eof(); table.next()) out.push_back(table.text(field));
    return out;
  }
};

void load(loaded& l, const std::string& companyfolder, progress* bar = nullptr) {
  ASSERT_TRUE(loadcompanypath(l.state, l.table, companyfolder, bar));
}

}  // namespace

TEST(employees, oneFullLoadPerArchiveYear) {
  for (const yearinfo& y : years()) {
    SCOPED_TRACE(y.yeartext);
    tempfolder t;
    std::string c = makecompany(t.path(), y);
    writegeneralcodes(joinpath(c, "kod.dat"), y, {{'A', "0012", "Központ"}, {'B', "0034", "Könyvelő"}});
    writeworkschedules(joinpath(c, schedulefilename(y)), y, {{'A', "Általános"}});
    employee a;
    a.azon = "15607231234";
    a.nev = "Szabó Ödön";
    a.birthdate = "19560723";
    a.monthlywage = 123456.5;
    a.hourlywage = 710.25;
    a.entry = "19950301";
    a.exit = "19951231";
    a.mnypstart = "19980101";
    a.status = "20";
    a.feor = y.dt->feor.width == 8 ? "36110000" : "3611";
    employee b = a;
    b.azon = "26001011111";
    b.nev = "Ábel Ágnes";
    b.byte8f = true;
    writeemployees(joinpath(c, "dt.dat"), y, {a, b});
    loaded l;
    load(l, c);
    ASSERT_EQ(l.table.rowcount(), 2u);
    l.table.first();
    EXPECT_EQ(l.table.text("nev"), "Ábel Ágnes");
    l.table.next();
    EXPECT_EQ(l.table.text("azon"), "15607231234");
    EXPECT_EQ(l.table.text("nev"), "Szabó Ödön");
    EXPECT_EQ(l.table.text("szulido"), "1956.07.23");
    EXPECT_EQ(l.table.text("szulhely"), "Budapest");
    EXPECT_EQ(l.table.text("szerv"), "Központ");
    EXPECT_EQ(l.table.text("munkakor"), "Könyvelő");
    EXPECT_EQ(l.table.text("jogvkod1"), "1");
    EXPECT_FALSE(l.table.text("jogvnev1").empty());
    EXPECT_FALSE(l.table.text("jogvnev2").empty());
    EXPECT_EQ(l.table.text("berforma"), "Havibéres");
    EXPECT_EQ(l.table.number("haviber"), 123456.5);
    EXPECT_EQ(l.table.number("oraber"), 710.25);
    EXPECT_EQ(l.table.number("ridon"), 8);
    EXPECT_EQ(l.table.number("ridoh"), 174);
    EXPECT_EQ(l.table.text("mrend"), "Általános");
    EXPECT_EQ(l.table.text("anyanev"), "Nagy Mária");
    EXPECT_EQ(l.table.text("feor"), a.feor);
    EXPECT_EQ(l.table.text("bdatum"), "1995.03.01");
    EXPECT_EQ(l.table.text("kdatum"), "1995.12.31");
    bool from98 = y.dt->status.offset >= 0;
    EXPECT_EQ(l.table.text("alkmin"), from98 ? "120" : "");
    EXPECT_EQ(l.table.text("alkminnev"), from98 ? "Munkaviszony" : "");
    EXPECT_EQ(l.table.text("mnypkezd"), from98 ? "1998.01.01" : "");
    EXPECT_EQ(l.table.text("mnypbef"), from98 ? "    .  .  " : "");
    EXPECT_EQ(l.state.companyname, "Kalibra Bt.");
    EXPECT_EQ(l.state.yeartext, y.yeartext);
    EXPECT_EQ(l.state.employmentlines.value("15607231234"), "19950301;1;1;19951231");
  }
}

TEST(employees, birthDateFromIdentificationUntil1996) {
  tempfolder t;
  for (int yn : {92, 96, 97}) {
    const yearinfo& y = Y(yn);
    std::string c = makecompany(t.path(), y);
    employee e;
    e.azon = "15607231234";
    e.birthdate = yn == 97 ? "19601224" : "00000000";
    writeemployees(joinpath(c, "dt.dat"), y, {e});
    loaded l;
    load(l, c);
    l.table.first();
    EXPECT_EQ(l.table.text("szulido"), yn == 97 ? "1960.12.24" : "1956.07.23") << yn;
  }
}

TEST(employees, codesThatDoNotMatch) {
  tempfolder t;
  const yearinfo& y = Y(95);
  std::string c = makecompany(t.path(), y);
  writegeneralcodes(joinpath(c, "kod.dat"), y, {{'A', "12", "Tizenkettő"}});
  employee e;
  e.orgunit = "12  ";
  e.staffgroup = '0';
  e.wageform = '9';
  writeemployees(joinpath(c, "dt.dat"), y, {e});
  loaded l;
  load(l, c);
  l.table.first();
  EXPECT_EQ(l.table.text("szerv"), "");
  EXPECT_EQ(l.table.text("jogvnev1"), "");
  EXPECT_EQ(l.table.text("berforma"), "");
}

TEST(employees, ehoMonthsOf2005Only) {
  tempfolder t;
  for (int yn : {4, 5}) {
    const yearinfo& y = Y(yn);
    std::string c = makecompany(t.path(), y);
    employee e;
    for (int m = 0; m < 12; ++m) e.eho[m] = 1000 + m;
    writeemployees(joinpath(c, "dt.dat"), y, {e});
    loaded l;
    load(l, c);
    l.table.first();
    EXPECT_EQ(l.table.number("eho1"), yn == 5 ? 1000 : 0);
    EXPECT_EQ(l.table.number("eho12"), yn == 5 ? 1011 : 0);
  }
}

TEST(employees, archivedRowsSortedTogetherAndProgressRunsTwice) {
  tempfolder t;
  const yearinfo& y = Y(99);
  std::string c = makecompany(t.path(), y);
  auto person = [](const char* nev, const char* azon) {
    employee e;
    e.nev = nev;
    e.azon = azon;
    return e;
  };
  writeemployees(joinpath(c, "dt.dat"), y, {person("Cecil", "3"), person("Attila", "1"), person("Emese", "5")});
  writeemployees(joinpath(c, "ARCDT.DAT"), y, {person("Béla", "2"), person("Dénes", "4")});
  loaded l;
  progressrecorder bar;
  load(l, c, &bar);
  EXPECT_EQ(l.column("nev"), (std::vector<std::string>{"Attila", "Béla", "Cecil", "Dénes", "Emese"}));
  EXPECT_EQ(bar.calls, (std::vector<std::string>{"max 4", "min 1", "pos 0", "pos 1", "pos 2", "pos 3", "pos 0",
                                                 "max 3", "min 1", "pos 0", "pos 1", "pos 2", "pos 0"}));
}

TEST(employees, emptySlotIsNeitherRowNorEmploymentLine) {
  tempfolder t;
  const yearinfo& y = Y(0);
  std::string c = makecompany(t.path(), y);
  employee a, gone;
  gone.azon = "29999999999";
  record r = employeerecord(y, gone);
  r.byte(4, 0);
  writelist(joinpath(c, "dt.dat"), y.dtsize, {employeerecord(y, a), r});
  loaded l;
  load(l, c);
  EXPECT_EQ(l.table.rowcount(), 1u);
  EXPECT_EQ(l.state.employmentlines.size(), 1u);
  EXPECT_EQ(l.state.employmentlines.value("29999999999"), "");
}

TEST(employees, emptyDtFillsParametersAndListsThenFails) {
  tempfolder t;
  const yearinfo& y = Y(98);
  std::string c = makecompany(t.path(), y);
  writegeneralcodes(joinpath(c, "kod.dat"), y, {{'A', "0012", "Központ"}});
  writebytes(joinpath(c, "dt.dat"), {});
  loaded l;
  try {
    loadcompanypath(l.state, l.table, c);
    FAIL();
  } catch (const failure& e) {
    EXPECT_STREQ(e.what(), "Read past end of file");
  }
  EXPECT_EQ(l.state.companyname, "Kalibra Bt.");
  EXPECT_EQ(l.state.generalcodes.value("A0012"), "Központ");
  EXPECT_EQ(l.state.staffgroups.value("1"), "M.viszony");
  EXPECT_EQ(l.state.itemnames.value("800"), "Bér SZJA+");
  EXPECT_EQ(l.table.rowcount(), 0u);
}

TEST(employees, missingDtReadsNothing) {
  tempfolder t;
  const yearinfo& y = Y(93);
  std::string c = makecompany(t.path(), y);
  loaded l;
  l.state.companyname = "Előző cég";
  load(l, c);
  EXPECT_EQ(l.table.rowcount(), 0u);
  EXPECT_TRUE(l.table.active());
  EXPECT_EQ(l.state.companyname, "Előző cég");
  EXPECT_TRUE(l.state.staffgroups.empty());
}

TEST(companyload, checksAndYearFailures) {
  tempfolder t;
  const yearinfo& y = Y(94);
  std::string c = makecompany(t.path(), y, "Ceg");
  writeemployees(joinpath(c, "dt.dat"), y, {employee{}});
  loaded l;
  std::string data;
  std::optional<std::string> folder = companypath(joinpath(t.path(), "ber94"), "Ceg");
  ASSERT_TRUE(folder);
  loadcompanyfolder(l.state, l.table, joinpath(t.path(), "ber94"), *folder, nullptr, &data);
  EXPECT_EQ(l.state.companyfolder, lowercase(c));
  EXPECT_EQ(data, lowercase(t.path()));
  EXPECT_EQ(l.table.rowcount(), 1u);
  std::filesystem::create_directories(t / "ber94/nem");
  EXPECT_FALSE(companypath(t / "ber94", "nem"));
  // A folder named 2 is listed, but fails at the year conversion before the reset.
  writecompanyparameters(t / "2/ceg", "X", "1");
  ASSERT_TRUE(companypath(t / "2", "ceg"));
  EXPECT_THROW(loadcompanyfolder(l.state, l.table, t / "2", *companypath(t / "2", "ceg"), nullptr), failure);
  EXPECT_EQ(l.table.rowcount(), 1u);
  EXPECT_EQ(l.state.yearnumber, 94);
}

TEST(companyload, secondCompanyReplacesTheLists) {
  tempfolder t;
  const yearinfo& y = Y(2);
  std::string x = makecompany(t.path(), y, "x"), z = makecompany(t.path(), y, "y");
  writegeneralcodes(joinpath(x, "kod.dat"), y, {{'A', "0012", "X név"}});
  writegeneralcodes(joinpath(z, "kod.dat"), y, {{'A', "0012", "Y név"}});
  writeemployees(joinpath(x, "dt.dat"), y, {employee{}});
  writeemployees(joinpath(z, "dt.dat"), y, {employee{}});
  loaded l;
  load(l, x);
  load(l, z);
  EXPECT_EQ(l.state.generalcodes.entries(), std::vector<std::string>{"A0012=Y név"});
}
