// The record layouts checked against values copied by hand from the record
// descriptions of the archive, not from the layout tables of the code: the
// archive writer of the other tests is driven by the same tables as the
// readers, so a wrong offset there would be written and read back at the
// same wrong place. Part one compares every offset and width; part two
// decodes records whose bytes are spelled out here.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <sstream>
#include <tuple>

#include "archive/archive.h"
#include "archive/archivestate.h"
#include "archive/wagelayouts.h"
#include "archive/yearlayouts.h"
#include "fixtures.h"
#include "table/employeetable.h"

using namespace dosber;
using namespace dosber::testing;

namespace {

const yearinfo& Y(int n) { return *yearfor(n); }

// "11,25 36,4 -" -> offset/width pairs; "-" is a field the group lacks.
std::vector<fieldspan> spans(const char* text) {
  std::vector<fieldspan> out;
  std::istringstream in(text);
  std::string part;
  while (in >> part) {
    if (part == "-") {
      out.push_back({});
      continue;
    }
    auto comma = part.find(',');
    out.push_back({std::stoi(part.substr(0, comma)), comma == std::string::npos ? 0 : std::stoi(part.substr(comma + 1))});
  }
  return out;
}

// ---------------------------------------------------------------------------
// Employee master file. Groups: 1992-1993, 1994-1996, 1997, 1998-2001,
// 2002-2003, 2004-2005. Codes are one byte, reals six, dates eight.

const std::vector<std::vector<int>> dtgroups = {{92, 93}, {94, 95, 96}, {97}, {98, 99, 0, 1}, {2, 3}, {4, 5}};

struct dtrow {
  const char* field;
  char type;  // T text, C one-byte code, R 6-byte real, D date
  const char* where;
};
const dtrow dtrows[] = {
    {"name", 'T', "11,25 11,25 11,25 11,25 11,25 11,30"},
    {"orgunit", 'T', "36,4 36,4 36,4 36,4 36,4 41,4"},
    {"job", 'T', "40,4 40,4 40,4 40,4 40,4 45,4"},
    {"staffgroup", 'C', "44 44 44 44 44 49"},
    {"employmenttype", 'C', "45 45 45 45 45 50"},
    {"status", 'T', "- - - 190,2 47,2 52,2"},
    {"wageform", 'C', "48 48 48 48 49 54"},
    {"monthlywage", 'R', "49 49 49 49 50 55"},
    {"hourlywage", 'R', "55 55 55 55 56 61"},
    {"dailyhours", 'R', "61 61 61 61 62 67"},
    {"monthlyhours", 'R', "67 67 67 67 68 73"},
    {"schedule", 'C', "73 73 73 73 74 79"},
    {"maidenname", 'T', "74,25 74,25 74,25 74,25 77,25 82,25"},
    {"mothername", 'T', "99,25 99,25 99,25 99,25 102,25 107,25"},
    {"birthdate", 'D', "- - 159 159 148 132"},
    {"birthplace", 'T', "689,25 689,25 689,25 689,25 127,20 140,20"},
    {"feor", 'T', "213,8 213,4 213,4 213,4 261,4 267,4"},
    {"entrydate", 'D', "221 221 221 221 271 277"},
    {"exitdate", 'D', "231 231 231 231 281 287"},
    {"mnypstart", 'D', "- - - 983 608 644"},
    {"mnypend", 'D', "- - - 991 616 652"},
};

fieldspan dtfield(const dtlayout& l, std::string_view f) {
  auto at = [](int offset, int width) { return offset < 0 ? fieldspan{} : fieldspan{offset, width}; };
  if (f == "name") return l.name;
  if (f == "orgunit") return l.orgunit;
  if (f == "job") return l.job;
  if (f == "staffgroup") return at(l.staffgroup, 1);
  if (f == "employmenttype") return at(l.employmenttype, 1);
  if (f == "status") return l.status;
  if (f == "wageform") return at(l.wageform, 1);
  if (f == "monthlywage") return at(l.monthlywage, 6);
  if (f == "hourlywage") return at(l.hourlywage, 6);
  if (f == "dailyhours") return at(l.dailyhours, 6);
  if (f == "monthlyhours") return at(l.monthlyhours, 6);
  if (f == "schedule") return at(l.schedule, 1);
  if (f == "maidenname") return l.maidenname;
  if (f == "mothername") return l.mothername;
  if (f == "birthdate") return at(l.birthdate, 8);
  if (f == "birthplace") return l.birthplace;
  if (f == "feor") return l.feor;
  if (f == "entrydate") return at(l.entrydate, 8);
  if (f == "exitdate") return at(l.exitdate, 8);
  if (f == "mnypstart") return at(l.mnypstart, 8);
  if (f == "mnypend") return at(l.mnypend, 8);
  ADD_FAILURE() << "no field " << f;
  return {};
}

int typewidth(char type) { return type == 'C' ? 1 : type == 'R' ? 6 : type == 'D' ? 8 : 0; }

}  // namespace

TEST(layouts, employeeMasterFile) {
  const std::map<int, size_t> sizes = {{92, 1100}, {93, 1100}, {94, 1100}, {95, 1100}, {96, 1100},
                                       {97, 1100}, {98, 1100}, {99, 1200}, {0, 1200},  {1, 1200},
                                       {2, 1200},  {3, 1200},  {4, 1200},  {5, 1300}};
  for (auto [year, size] : sizes) EXPECT_EQ(Y(year).dtsize, size) << year;
  for (const dtrow& r : dtrows) {
    std::vector<fieldspan> want = spans(r.where);
    ASSERT_EQ(want.size(), dtgroups.size()) << r.field;
    for (size_t g = 0; g < dtgroups.size(); ++g) {
      fieldspan w = want[g];
      if (w.offset >= 0 && r.type != 'T') w.width = typewidth(r.type);
      for (int year : dtgroups[g]) {
        fieldspan have = dtfield(*Y(year).dt, r.field);
        EXPECT_EQ(have.offset, w.offset) << r.field << " " << year;
        if (w.offset >= 0) {
          EXPECT_EQ(have.width, w.width) << r.field << " " << year;
        }
      }
    }
  }
  for (const yearinfo& y : years()) {
    EXPECT_EQ(y.eho, y.yearnumber == 5 ? 1177 : -1) << y.yeartext;
    EXPECT_EQ(y.readsarchive, y.yearnumber == 99 || y.yearnumber <= 5) << y.yeartext;
  }
}

TEST(layouts, codeAndParameterFiles) {
  struct row {
    int year;
    size_t jarkod;
    int jarkodname;
    size_t kod;
    int kodcode, kodname, kodnamewidth;
    size_t mrend;
    size_t berpar;
    int allowances, firstentry, allowancename;
    bool flag;
  };
  //  year jarkod   kod.dat           mrend ber<yy>.par
  const row rows[] = {
      {92, 51, 10, 30, 6, 7, 23, 200, 650, 5, 435, 10, true},  {93, 51, 10, 30, 6, 7, 23, 200, 650, 5, 435, 10, true},
      {94, 60, 10, 30, 6, 7, 23, 200, 920, 5, 345, 10, false}, {95, 60, 15, 30, 6, 7, 23, 200, 500, 5, 132, 10, false},
      {96, 60, 15, 30, 6, 7, 23, 200, 499, 5, 144, 10, false}, {97, 60, 15, 30, 6, 7, 23, 200, 500, 5, 144, 10, false},
      {98, 60, 15, 30, 6, 7, 23, 200, 600, 6, 144, 15, false}, {99, 60, 15, 30, 6, 7, 23, 200, 600, 7, 144, 15, false},
      {0, 60, 15, 30, 6, 7, 23, 200, 600, 7, 144, 15, false},  {1, 60, 15, 30, 6, 7, 23, 200, 600, 7, 144, 15, false},
      {2, 60, 15, 40, 8, 9, 30, 250, 600, 7, 144, 15, false},  {3, 60, 15, 40, 8, 9, 30, 250, 600, 7, 144, 15, false},
      {4, 60, 15, 40, 8, 9, 30, 250, 600, 7, 144, 15, false},  {5, 60, 15, 40, 8, 9, 30, 250, 600, 7, 144, 15, false},
  };
  for (const row& r : rows) {
    const yearinfo& y = Y(r.year);
    EXPECT_EQ(std::tie(y.jarkodsize, y.jarkodnamewidth), std::tie(r.jarkod, r.jarkodname)) << r.year;
    EXPECT_EQ(std::tie(y.kodsize, y.kodcodewidth, y.kodnameoffset, y.kodnamewidth),
              std::tie(r.kod, r.kodcode, r.kodname, r.kodnamewidth))
        << r.year;
    EXPECT_EQ(y.mrendsize, r.mrend) << r.year;
    EXPECT_EQ(std::tie(y.berpar.recordsize, y.berpar.allowances, y.berpar.firstentry, y.berpar.namewidth,
                       y.berpar.incomeflag),
              std::tie(r.berpar, r.allowances, r.firstentry, r.allowancename, r.flag))
        << r.year;
  }
  EXPECT_EQ(levkodsize, 30u);
  EXPECT_EQ(levkodnamewidth, 15);
}

TEST(layouts, absenceAndWageCardFiles) {
  struct row {
    int year;
    size_t kinap;
    int code, codewidth, from, to;
    size_t karton;
  };
  const row rows[] = {
      {92, 60, 36, 1, 37, 45, 1000}, {93, 60, 36, 1, 37, 45, 1000}, {94, 60, 36, 1, 37, 45, 1000},
      {95, 60, 36, 2, 38, 46, 1000}, {96, 60, 36, 2, 38, 46, 1000}, {97, 65, 36, 2, 38, 46, 1000},
      {98, 65, 36, 2, 38, 46, 1000}, {99, 65, 36, 2, 38, 46, 1000}, {0, 65, 36, 2, 38, 46, 1000},
      {1, 65, 36, 2, 38, 46, 1000},  {2, 65, 36, 2, 38, 46, 1000},  {3, 65, 36, 2, 38, 46, 1100},
      {4, 80, 41, 2, 43, 51, 1100},  {5, 80, 41, 2, 43, 51, 1100},
  };
  for (const row& r : rows) {
    const absencelayout& k = Y(r.year).kinap;
    EXPECT_EQ(std::tie(k.recordsize, k.code, k.codewidth, k.from, k.to),
              std::tie(r.kinap, r.code, r.codewidth, r.from, r.to))
        << r.year;
    EXPECT_EQ(Y(r.year).kartonsize, r.karton) << r.year;
  }
  const std::map<int, wagelayoutid> layoutof = {{92, L1992_93}, {93, L1992_93}, {94, L1994},    {95, L1995},
                                                {96, L1996},    {97, L1997},    {98, L1998},    {99, L1999_02},
                                                {0, L1999_02},  {1, L1999_02},  {2, L1999_02},  {3, L2003},
                                                {4, L2004},     {5, L2005}};
  for (auto [year, layout] : layoutof) EXPECT_EQ(Y(year).wage, layout) << year;
}

namespace {

// The ten wage record layouts, in the column order below:
// 1992-93 1994 1995 1996 1997 1998 1999-02 2003 2004 2005.
struct partrow {
  int item;
  char type;  // I 16-bit integer, R 6-byte real
  const char* offsets;
};
const partrow partrows[] = {
    {1, 'I', "80 80 80 80 80 125 134 128 133 133"},
    {2, 'I', "82 82 82 82 82 127 136 130 135 135"},
    {3, 'I', "84 84 84 84 84 129 138 132 137 137"},
    {4, 'I', "- - - - - - - - 139 139"},
    {5, 'I', "- - - - - - 140 136 141 141"},
    {6, 'I', "88 88 90 90 90 131 142 138 143 143"},
    {6, 'I', "90 90 - - - - - - - -"},
    {7, 'I', "86 86 86 86 86 133 144 140 145 145"},
    {8, 'I', "92 92 96 96 88 135 146 142 147 147"},
    {8, 'I', "94 94 - - 96 137 148 144 149 149"},
    {8, 'I', "96 96 - - - - - - - -"},
    {9, 'I', "98 98 98 98 98 139 150 146 151 151"},
    {10, 'R', "68 68 68 68 68 113 122 148 153 153"},
    {11, 'R', "- - - 74 74 119 128 122 127 127"},
    {12, 'R', "- - - - - 147 158 160 165 165"},
    {13, 'R', "226 226 226 226 226 183 182 178 183 183"},
    {14, 'R', "298 298 298 298 298 189 188 184 189 189"},
    {15, 'R', "268 268 268 268 268 195 194 190 195 195"},
    {16, 'R', "262 262 262 262 262 201 200 196 201 201"},
    {18, 'R', "- - - - - - 206 202 207 207"},
    {19, 'R', "238 238 238 238 238 213 218 220 225 225"},
    {20, 'R', "292 292 - - - 279 284 286 297 297"},
    {21, 'R', "274 274 274 274 274 285 290 292 303 303"},
    {22, 'R', "124 124 124 124 124 357 362 358 369 369"},
    {22, 'R', "130 130 130 130 130 363 368 364 375 375"},
    {22, 'R', "988 988 214 184 184 369 374 370 381 381"},
    {22, 'R', "- - 988 190 190 - - - - -"},
    {23, 'R', "- - - - - 375 380 376 387 387"},
    {24, 'R', "- 858 858 858 858 393 398 394 405 405"},
    {25, 'R', "- 864 864 864 864 399 404 400 411 411"},
    {26, 'R', "250 250 220 196 196 219 224 226 231 231"},
    {26, 'R', "256 256 250 202 202 225 230 232 237 237"},
    {26, 'R', "994 994 256 250 250 237 242 238 243 243"},
    {26, 'R', "- - 994 256 256 - - - - -"},
    {27, 'R', "966 966 966 966 966 345 350 346 357 357"},
    {28, 'R', "972 972 972 972 972 231 236 244 249 249"},
    {28, 'R', "- - - - - 243 248 250 255 255"},
    {29, 'R', "870 870 870 870 870 249 254 256 261 261"},
    {30, 'R', "244 244 244 244 244 255 260 262 267 267"},
    {31, 'R', "- - - - - 261 266 268 273 273"},
    {32, 'R', "- - - - - 267 272 274 279 279"},
    {33, 'R', "- - - - - 273 278 280 285 285"},
    {34, 'R', "- - - - - - - - 291 291"},
    {35, 'R', "912 912 912 912 912 207 212 214 219 219"},
    {36, 'R', "- - - - - - - - - 1050"},
    {37, 'R', "882 882 882 882 876 405 410 406 417 417"},
    {37, 'R', "- - - - 882 - - - - -"},
    {39, 'R', "- - - - - - - - - 1062"},
    {40, 'R', "- - - - - - - - - 1068"},
    {41, 'R', "876 876 876 876 894 411 416 412 423 423"},
    {41, 'R', "- - - - - 423 428 424 435 435"},
    {42, 'R', "876 876 876 876 888 411 416 412 423 423"},
    {42, 'R', "- - - - - 417 422 418 429 429"},
    {43, 'R', "900 900 900 900 292 429 434 430 441 441"},
    {43, 'R', "- - - - - 435 440 436 447 447"},
    {43, 'R', "- - - - - 441 446 442 453 453"},
    {44, 'R', "900 900 900 900 286 429 434 430 441 441"},
    {44, 'R', "- - - - - 447 452 448 459 459"},
    {44, 'R', "- - - - - - - - - 465"},
    {45, 'R', "- - - - - 435 440 436 447 447"},
    {45, 'R', "- - - - - 453 458 454 465 471"},
    {45, 'R', "- - - - - - - - - 477"},
};

struct wagerow {
  wagelayoutid layout;
  int evho, jogvkod1, jvkezd;                      // key fields
  int allowances, allowanceoffset;                 // allowance block
  int slots, slotsize, slotoffset, amountoffset;   // free entries
  std::vector<int> unbooked;                       // listed, but no item rows
  bool books809, books909, income24;
};
const wagerow wagerows[] = {
    {L1992_93, 978, 44, 926, 5, 142, 35, 15, 306, 9, {6}, false, false, true},
    {L1994, 978, 44, 926, 5, 142, 35, 15, 306, 9, {6}, false, false, false},
    {L1995, 978, 44, 926, 5, 142, 35, 15, 306, 9, {}, false, false, false},
    {L1996, 978, 44, 926, 5, 142, 35, 15, 306, 9, {11}, true, true, false},
    {L1997, 978, 44, 926, 5, 142, 25, 21, 306, 15, {}, true, true, false},
    {L1998, 36, 40, 967, 6, 303, 25, 19, 468, 9, {}, true, false, false},
    {L1999_02, 48, 36, 40, 7, 308, 25, 15, 473, 9, {}, true, false, false},
    {L2003, 48, 36, 40, 7, 304, 25, 21, 469, 15, {}, true, false, false},
    {L2004, 53, 41, 45, 7, 315, 25, 21, 480, 15, {}, false, false, false},
    {L2005, 53, 41, 45, 7, 315, 25, 21, 492, 15, {}, false, false, false},
};

}  // namespace

TEST(layouts, wageRecordParts) {
  for (const wagerow& w : wagerows) {
    const wagelayout& l = wagelayoutof(w.layout);
    EXPECT_EQ(std::tie(l.evho, l.jogvkod1, l.jvkezd), std::tie(w.evho, w.jogvkod1, w.jvkezd)) << w.layout;
    EXPECT_EQ(std::tie(l.allowances, l.allowanceoffset), std::tie(w.allowances, w.allowanceoffset)) << w.layout;
    EXPECT_EQ(std::tie(l.slotcount, l.slotsize, l.slotoffset, l.amountoffset),
              std::tie(w.slots, w.slotsize, w.slotoffset, w.amountoffset))
        << w.layout;
    EXPECT_EQ(std::tie(l.books809, l.books909, l.income24), std::tie(w.books809, w.books909, w.income24)) << w.layout;

    // (item, integer, offset, booked), in any order.
    using part = std::tuple<int, bool, int, bool>;
    std::vector<part> want, have;
    for (const partrow& r : partrows) {
      std::vector<fieldspan> offsets = spans(r.offsets);
      ASSERT_EQ(offsets.size(), 10u) << r.item;
      int at = offsets[w.layout].offset;
      bool booked = std::find(w.unbooked.begin(), w.unbooked.end(), r.item) == w.unbooked.end();
      if (at >= 0) want.emplace_back(r.item, r.type == 'I', at, booked);
    }
    for (const itempart& p : l.parts) have.emplace_back(p.item, p.integer, p.offset, p.booked);
    std::sort(want.begin(), want.end());
    std::sort(have.begin(), have.end());
    EXPECT_EQ(have, want) << "layout " << w.layout;
  }
}

// ---------------------------------------------------------------------------
// Records built byte by byte and decoded by the readers.

namespace {

using bytes = std::vector<unsigned char>;

// 6-byte reals of the archive, bytes in file order.
const bytes real1 = {0x81, 0, 0, 0, 0, 0x00};
const bytes real10 = {0x84, 0, 0, 0, 0, 0x20};
const bytes real100 = {0x87, 0, 0, 0, 0, 0x48};
const bytes real174 = {0x88, 0, 0, 0, 0, 0x2E};
const bytes realhalf = {0x80, 0, 0, 0, 0, 0x00};

void put(bytes& r, int offset, const bytes& b) { std::copy(b.begin(), b.end(), r.begin() + offset); }
void put(bytes& r, int offset, std::string_view s) { std::copy(s.begin(), s.end(), r.begin() + offset); }

// A list file: a header record and the records.
void writerecords(const std::string& path, size_t size, const std::vector<bytes>& records) {
  bytes all(size, 'H');
  for (const bytes& r : records) all.insert(all.end(), r.begin(), r.end());
  writebytes(path, all);
}

struct dtcase {
  int year;
  size_t size;
  // Offsets written out for this group.
  int name, namewidth, org, job, staffgroup, type, status, wageform, monthly, hourly, daily, hours;
  int maiden, mother, birth, place, feor, feorwidth, entry, exit, mnypstart, mnypend;
};
const dtcase dtcases[] = {
    {93, 1100, 11, 25, 36, 40, 44, 45, -1, 48, 49, 55, 61, 67, 74, 99, -1, 689, 213, 8, 221, 231, -1, -1},
    {95, 1100, 11, 25, 36, 40, 44, 45, -1, 48, 49, 55, 61, 67, 74, 99, -1, 689, 213, 4, 221, 231, -1, -1},
    {97, 1100, 11, 25, 36, 40, 44, 45, -1, 48, 49, 55, 61, 67, 74, 99, 159, 689, 213, 4, 221, 231, -1, -1},
    {1, 1200, 11, 25, 36, 40, 44, 45, 190, 48, 49, 55, 61, 67, 74, 99, 159, 689, 213, 4, 221, 231, 983, 991},
    {2, 1200, 11, 25, 36, 40, 44, 45, 47, 49, 50, 56, 62, 68, 77, 102, 148, 127, 261, 4, 271, 281, 608, 616},
    {5, 1300, 11, 30, 41, 45, 49, 50, 52, 54, 55, 61, 67, 73, 82, 107, 132, 140, 267, 4, 277, 287, 644, 652},
};

}  // namespace

TEST(layouts, handBuiltEmployeeRecords) {
  for (const dtcase& c : dtcases) {
    SCOPED_TRACE(c.year);
    tempfolder t;
    std::string folder = makecompany(t.path(), Y(c.year));
    bytes r(c.size, ' ');
    put(r, 0, "16007231234");
    // "Kovács Ágnes": á is 0xA0, Á stored as 0x8F.
    put(r, c.name, "Kov\xA0""cs \x8Fgnes");
    put(r, c.org, "0012");
    put(r, c.job, "0034");
    r[c.staffgroup] = '1';
    r[c.type] = '2';
    if (c.status >= 0) put(r, c.status, "20");
    r[c.wageform] = '1';
    put(r, c.monthly, real174);
    put(r, c.hourly, real10);
    put(r, c.daily, real1);
    put(r, c.hours, real100);
    put(r, c.maiden, "Nagy \x90va");    // É
    put(r, c.mother, "T\xA2th Ilona");  // ó
    if (c.birth >= 0) put(r, c.birth, "19591112");
    put(r, c.place, "Gy\x8Br");  // ő
    put(r, c.feor, std::string("36110000").substr(0, c.feorwidth));
    put(r, c.entry, "19950301");
    put(r, c.exit, "19951231");
    if (c.mnypstart >= 0) {
      put(r, c.mnypstart, "19980101");
      put(r, c.mnypend, "19991231");
    }
    if (c.year == 5)
      for (int m = 0; m < 12; ++m) put(r, 1177 + 6 * m, m % 2 ? real10 : realhalf);
    writerecords(joinpath(folder, "dt.dat"), c.size, {r});
    // kod.dat: kind, code (6 or 8 bytes) and name.
    size_t kodsize = c.year >= 2 && c.year <= 5 ? 40 : 30;
    int nameat = kodsize == 40 ? 9 : 7;
    bytes a(kodsize, ' '), b(kodsize, ' ');
    put(a, 0, "A0012");
    put(a, nameat, "K\x94zpont");  // ö
    put(b, 0, "B0034");
    put(b, nameat, "Pek");
    writerecords(joinpath(folder, "kod.dat"), kodsize, {a, b});

    archivestate state;
    memtable table = makeemployeetable();
    ASSERT_TRUE(loadcompanypath(state, table, folder));
    ASSERT_EQ(table.rowcount(), 1u);
    table.first();
    EXPECT_EQ(table.text("azon"), "16007231234");
    EXPECT_EQ(table.text("nev"), "Kovács Ágnes");
    EXPECT_EQ(table.text("szulido"), c.birth >= 0 ? "1959.11.12" : "1960.07.23");
    EXPECT_EQ(table.text("szulhely"), "Győr");
    EXPECT_EQ(table.text("szerv"), "Központ");
    EXPECT_EQ(table.text("munkakor"), "Pek");
    EXPECT_EQ(table.text("jogvkod1"), "1");
    EXPECT_EQ(table.text("jogvkod2"), "2");
    EXPECT_EQ(table.text("alkmin"), c.status >= 0 ? "120" : "");
    EXPECT_EQ(table.text("berforma"), "Havibéres");
    EXPECT_EQ(table.number("haviber"), 174);
    EXPECT_EQ(table.number("oraber"), 10);
    EXPECT_EQ(table.number("ridon"), 1);
    EXPECT_EQ(table.number("ridoh"), 100);
    EXPECT_EQ(table.text("lanynev"), "Nagy Éva");
    EXPECT_EQ(table.text("anyanev"), "Tóth Ilona");
    EXPECT_EQ(table.text("feor"), std::string("36110000").substr(0, c.feorwidth));
    EXPECT_EQ(table.text("bdatum"), "1995.03.01");
    EXPECT_EQ(table.text("kdatum"), "1995.12.31");
    EXPECT_EQ(table.text("mnypkezd"), c.mnypstart >= 0 ? "1998.01.01" : "");
    EXPECT_EQ(table.text("mnypbef"), c.mnypstart >= 0 ? "1999.12.31" : "");
    for (int m = 1; m <= 12; ++m)
      EXPECT_EQ(table.number("eho" + std::to_string(m)), c.year == 5 ? (m % 2 ? 0.5 : 10) : 0) << m;
  }
}

TEST(layouts, handBuiltAbsenceAndWageRecords) {
  struct wagecase {
    int year;
    size_t karton, kinap;
    int evho, jogvkod1, jvkezd, bernap, brutto, allowance, slot, amount;  // offsets
    int kinapcode, kinapcodewidth, kinapfrom, kinapto;
  };
  const wagecase cases[] = {
      {93, 1000, 60, 978, 44, 926, 80, 226, 142, 306, 9, 36, 1, 37, 45},
      {94, 1000, 60, 978, 44, 926, 80, 226, 142, 306, 9, 36, 1, 37, 45},
      {95, 1000, 60, 978, 44, 926, 80, 226, 142, 306, 9, 36, 2, 38, 46},
      {96, 1000, 60, 978, 44, 926, 80, 226, 142, 306, 9, 36, 2, 38, 46},
      {97, 1000, 65, 978, 44, 926, 80, 226, 142, 306, 15, 36, 2, 38, 46},
      {98, 1000, 65, 36, 40, 967, 125, 183, 303, 468, 9, 36, 2, 38, 46},
      {0, 1000, 65, 48, 36, 40, 134, 182, 308, 473, 9, 36, 2, 38, 46},
      {3, 1100, 65, 48, 36, 40, 128, 178, 304, 469, 15, 36, 2, 38, 46},
      {4, 1100, 80, 53, 41, 45, 133, 183, 315, 480, 15, 41, 2, 43, 51},
      {5, 1100, 80, 53, 41, 45, 133, 183, 315, 492, 15, 41, 2, 43, 51},
  };
  for (const wagecase& c : cases) {
    SCOPED_TRACE(c.year);
    tempfolder t;
    std::string folder = makecompany(t.path(), Y(c.year));
    employee e;
    e.azon = "16007231234";
    writeemployees(joinpath(folder, "dt.dat"), Y(c.year), {e});
    std::string yy = std::string(Y(c.year).yeartext + 2);

    bytes w(c.karton, 0);
    put(w, 0, "16007231234");
    put(w, c.evho, yy + "03");
    w[c.jogvkod1] = '1';
    put(w, c.jvkezd, "19950101");
    put(w, c.bernap, bytes{21, 0});  // 16-bit, low byte first
    put(w, c.brutto, real100);
    put(w, c.allowance, real10);
    put(w, c.slot, "101");
    put(w, c.slot + c.amount, real174);
    writerecords(joinpath(folder, "karton.dat"), c.karton, {w});

    bytes a(c.kinap, ' ');
    put(a, 0, "16007231234");
    put(a, c.kinapcode, c.kinapcodewidth == 1 ? "5" : "11");
    put(a, c.kinapfrom, "19950301");
    put(a, c.kinapto, "19950315");
    writerecords(joinpath(folder, "kinap.dat"), c.kinap, {a});

    archivestate state;
    memtable table = makeemployeetable();
    ASSERT_TRUE(loadcompanypath(state, table, folder));
    table.first();
    loadcarddata(state, table, nullptr);
    std::map<std::string, double> rows;
    for (state.items.first(); !state.items.eof(); state.items.next()) {
      EXPECT_EQ(state.items.text("evho"), yy + "03");
      EXPECT_EQ(state.items.text("jvkezd"), "1995.01.01");
      EXPECT_EQ(state.items.text("jogvkod1"), "1");
      rows[state.items.text("kodtip") + "/" + state.items.text("kod")] = state.items.number("ft");
    }
    std::map<std::string, double> want = {{"1/001", 21}, {"6/013", 100}, {"3/601", 10}, {"3/101", 174}};
    if (Y(c.year).wage == L1992_93) want["7/025"] = 10;  // the allowance also counts as tax-reducing
    EXPECT_EQ(rows, want);
    ASSERT_EQ(state.absences.rowcount(), 1u);
    state.absences.first();
    EXPECT_EQ(state.absences.text("kod"), c.kinapcodewidth == 1 ? "5" : "11");
    EXPECT_EQ(state.absences.text("tol"), "1995.03.01");
    EXPECT_EQ(state.absences.text("ig"), "1995.03.15");
  }
}
