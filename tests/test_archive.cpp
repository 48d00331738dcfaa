#include <gtest/gtest.h>

#include <filesystem>

#include "archive/cp852.h"
#include "archive/archive.h"
#include "base/errors.h"
#include "archive/namevaluelist.h"
#include "base/paths.h"
#include "archive/real48.h"
#include "archive/recordfile.h"
#include "archive/yearlayouts.h"
#include "testing/archivewriter.h"
#include "base/format.h"
#include "testutil.h"

using namespace dosber;
using namespace dosber::testing;

TEST(real48, decodesArchiveReals) {
  struct {
    unsigned char b[6];
    double expected;
  } cases[] = {
      {{0x81, 0, 0, 0, 0, 0x00}, 1},     {{0x84, 0, 0, 0, 0, 0x20}, 10},  {{0x84, 0, 0, 0, 0, 0xA0}, -10},
      {{0x87, 0, 0, 0, 0, 0x48}, 100},   {{0x88, 0, 0, 0, 0, 0x2E}, 174}, {{0x80, 0, 0, 0, 0, 0x00}, 0.5},
      {{0x00, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}, 0},
  };
  for (const auto& c : cases) EXPECT_EQ(real48(c.b), c.expected);
}

TEST(real48, writerRoundTripsExactly) {
  for (double v : {1.0, -10.0, 1234.5, 123456789.25, -0.375, 0.0}) {
    unsigned char b[6];
    putreal48(b, v);
    EXPECT_EQ(real48(b), v) << v;
  }
  // Values with more bits than the 39-bit fraction are rounded to it.
  unsigned char b[6];
  putreal48(b, 0.01);
  EXPECT_NEAR(real48(b), 0.01, 0.01 / (1LL << 39));
}

TEST(int16le, signedLittleEndian) {
  const unsigned char a[2] = {0x15, 0x00}, b[2] = {0xFF, 0xFF}, c[2] = {0x00, 0x80};
  EXPECT_EQ(int16le(a), 21);
  EXPECT_EQ(int16le(b), -1);
  EXPECT_EQ(int16le(c), -32768);
}

TEST(archivetext, hungarianLettersAndCut) {
  struct {
    std::string bytes, expected;
  } cases[] = {
      {"\x8F", "Á"}, {"\xB5", "Á"}, {"\xA0", "á"}, {"\x8B", "ő"}, {"\xFB", "ű"}, {"\x8A", "Ő"}, {"\xEB", "Ű"},
      {std::string("A\0B", 3), "A"}, {"KISS ANNA", "KISS ANNA"}, {"\x82\xA1\xA2\x94\x81\xA3", "éíóöüú"},
  };
  for (const auto& c : cases) EXPECT_EQ(archivetext(c.bytes), c.expected) << c.expected;
}

TEST(archivetext, trimmedFieldKeepsInnerBlank) {
  std::string field = std::string(" KISS ANNA") + std::string(10, ' ') + std::string(5, '\0');
  ASSERT_EQ(field.size(), 25u);
  EXPECT_EQ(trimmedtext(field), "KISS ANNA");
  EXPECT_EQ(trimmedtext("\t Kov\xA0" "cs \t"), "Kovács");
}

TEST(archivetext, datesThroughTheMask) {
  EXPECT_EQ(formatmask("####.##.##", rawtext("19920115")), "1992.01.15");
  EXPECT_EQ(formatmask("####.##.##", rawtext("        ")), "    .  .  ");
}

TEST(recordfile, wholeRecordsOnly) {
  tempfolder t;
  // Record 0, record 1 and half a record 2: exactly record 1 is processed.
  record header(10, 'H'), one(10, 'A'), half(5, 'B');
  bytes data = header.data();
  data.insert(data.end(), one.data().begin(), one.data().end());
  data.insert(data.end(), half.data().begin(), half.data().end());
  writebytes(t / "f.dat", data);
  std::vector<size_t> seen;
  ASSERT_TRUE(walklist(t / "f.dat", 10, [&](const unsigned char* r) { seen.push_back(r[0]); }));
  EXPECT_EQ(seen, std::vector<size_t>{'A'});
}

TEST(recordfile, headerOnlyEmptyAndAbsent) {
  tempfolder t;
  writebytes(t / "header.dat", bytes(10, 'H'));
  writebytes(t / "empty.dat", {});
  writebytes(t / "short.dat", bytes(9, 'H'));
  int n = 0;
  EXPECT_TRUE(walklist(t / "header.dat", 10, [&](const unsigned char*) { ++n; }));
  EXPECT_EQ(n, 0);
  for (const char* name : {"empty.dat", "short.dat"}) {
    try {
      walklist(t / name, 10, [&](const unsigned char*) { ++n; });
      FAIL() << name;
    } catch (const failure& e) {
      EXPECT_STREQ(e.what(), "Read past end of file");
    }
  }
  EXPECT_FALSE(walklist(t / "missing.dat", 10, [&](const unsigned char*) { ++n; }));
}

TEST(recordfile, presentRecordTestLooksAtByteFourOnly) {
  tempfolder t;
  record a(10, 'A'), gone(10, 'B'), zeros(10, 0);
  gone.byte(4, 0);
  zeros.byte(4, 'x');
  writelist(t / "f.dat", 10, {a, gone, zeros});
  std::string seen;
  walklist(t / "f.dat", 10, [&](const unsigned char* r) { seen.push_back(r[0] ? char(r[0]) : '0'); });
  EXPECT_EQ(seen, "A0");
}

TEST(recordfile, namesMatchWithoutLetterCase) {
  tempfolder t;
  writelist(t / "Ber92/CEG/DT.DAT", 10, {record(10, 'A')});
  recordfile f;
  ASSERT_TRUE(f.open(t / "ber92/ceg/dt.dat", 10));
  EXPECT_EQ(f.count(), 2u);
  EXPECT_TRUE(isfile(t / "BER92/Ceg/Dt.Dat"));
}

TEST(recordfile, manyRecordsAcrossReadBlocks) {
  tempfolder t;
  std::vector<record> records;
  for (int i = 0; i < 5000; ++i) records.push_back(record(1000, 'A').int16(0, i));
  writelist(t / "big.dat", 1000, records);
  int expected = 0;
  bool inorder = true;
  walklist(t / "big.dat", 1000, [&](const unsigned char* r) { inorder &= int16le(r) == expected++; });
  EXPECT_EQ(expected, 5000);
  EXPECT_TRUE(inorder);
}

TEST(folders, yearFolderRecognition) {
  struct {
    const char* name;
    bool year;
  } cases[] = {{"BER92", true}, {"ber92", true}, {"Ber92", true}, {"ber05", true}, {"ber06", false},
               {"temp", false}, {"2", true},     {"ber9", true},  {"", false},     {"92;ber93", true}};
  for (const auto& c : cases) EXPECT_EQ(isyearfoldername(c.name), c.year) << c.name;
}

TEST(folders, listsYearAndCompanyFolders) {
  tempfolder t;
  for (const char* f : {"ber05", "ber92", "temp"}) std::filesystem::create_directories(t / f);
  writetext(t / "ber92/ceg1/mber.par", "x");
  writetext(t / "ber92/CEG2/MBER.PAR", "x");
  std::filesystem::create_directories(t / "ber92/nem");
  EXPECT_EQ(yearfolders(t.path()), (std::vector<std::string>{"ber05", "ber92"}));
  EXPECT_EQ(companyfolders(t / "ber92"), (std::vector<std::string>{"ceg1", "CEG2"}));
  EXPECT_TRUE(yearfolders(t / "missing").empty());
}

TEST(dispatch, yearNumberAndText) {
  struct {
    const char* path;
    int number;
    const char* text;
  } cases[] = {{"/a/ber92", 92, "1992"}, {"/a/ber99", 99, "1999"}, {"/a/ber00", 0, "2000"},
               {"/a/BER05", 5, "2005"}};
  for (const auto& c : cases) {
    int n = yearnumberof(c.path);
    EXPECT_EQ(n, c.number);
    char buf[16];
    EXPECT_EQ(yeartextfor(n, buf), c.text);
  }
  try {
    yearnumberof("/a/2");
    FAIL();
  } catch (const failure& e) {
    EXPECT_STREQ(e.what(), "'/2' is not a valid integer value");
  }
  EXPECT_THROW(yearnumberof("/a/ber9"), failure);
}

TEST(dispatch, everyYearNumberHasItsReader) {
  int numbers[] = {92, 93, 94, 95, 96, 97, 98, 99, 0, 1, 2, 3, 4, 5};
  const char* texts[] = {"1992", "1993", "1994", "1995", "1996", "1997", "1998",
                         "1999", "2000", "2001", "2002", "2003", "2004", "2005"};
  for (int i = 0; i < 14; ++i) {
    ASSERT_NE(yearfor(numbers[i]), nullptr);
    EXPECT_STREQ(yearfor(numbers[i])->yeartext, texts[i]);
  }
  EXPECT_EQ(yearfor(6), nullptr);
  EXPECT_EQ(yearfor(91), nullptr);
}

TEST(namevaluelist, sortedCaseInsensitiveAndFirstWins) {
  namevaluelist l;
  l.add("b=2");
  l.add("A=1");
  l.add("a=1");  // equal to A=1 ignoring case: not added
  l.add("a=0");  // same name, another value: added
  l.add("1=Havibéres ");
  l.add("1=Havibéres");
  EXPECT_EQ(l.entries(), (std::vector<std::string>{"1=Havibéres", "1=Havibéres ", "a=0", "A=1", "b=2"}));
  EXPECT_EQ(l.value("A"), "0");
  EXPECT_EQ(l.value("1"), "Havibéres");
  EXPECT_EQ(l.value("c"), "");
  EXPECT_EQ(l.values("a"), (std::vector<std::string>{"0", "1"}));
}

TEST(namevaluelist, keysWithBlanksMatchExactly) {
  namevaluelist l;
  l.add("A12=Központ");
  EXPECT_EQ(l.value("A12  "), "");
  EXPECT_EQ(l.value("a12"), "Központ");
}

TEST(tointeger, strictDecimal) {
  EXPECT_EQ(tointeger("05"), 5);
  EXPECT_EQ(tointeger("912"), 912);
  EXPECT_EQ(tointeger("-3"), -3);
  for (const char* bad : {"A12", "", "1 2", "\\2", "9x"}) EXPECT_THROW(tointeger(bad), failure) << bad;
}
