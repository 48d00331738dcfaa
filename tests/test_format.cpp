#include <gtest/gtest.h>

#include <filesystem>

#include "archive/namevaluelist.h"
#include "archive/codetables.h"
#include "base/files.h"
#include "base/format.h"
#include "base/text.h"
#include "report/labels.h"
#include "testing/archivewriter.h"
#include "testutil.h"

using namespace dosber;

TEST(formatnumber, maskExamples) {
  struct {
    const char* mask;
    double number;
    const char* expected;
  } cases[] = {
      {"##,###,###,###", 1234567, "1.234.567"}, {"##,###,###,###", 0, "0"},
      {"###,###.##", 1234.5, "1.234,50"},       {"###,###.##", 1234.567, "1.234,57"},
      {"###,###.##", -1234.5, "-1.234,50"},     {"###,###,###", -123456, "-123.456"},
      {"###,###,###", 12.5, "12"},              {"###,###,###", 13.5, "14"},
      {"###,###,###", 1.5, "2"},                {"###,###,###", 1234567890, "1234.567.890"},
      {"###,###.##", 0, "0,00"},                {"", 12.5, "12,5"},
      {"", 1600, "1600"},                       {"###,###,###", -5, "-5"},
      {"###,###,###", 999, "999"},              {"###,###,###", 1000, "1.000"},
  };
  for (const auto& c : cases) EXPECT_EQ(formatnumber(c.mask, true, c.number), c.expected) << c.mask << " " << c.number;
  EXPECT_EQ(formatnumber("###,###,###", false, 12), "         12");
}

TEST(formatnumber, generalForm) {
  EXPECT_EQ(generalnumber(0), "0");
  EXPECT_EQ(generalnumber(12.5), "12,5");
  EXPECT_EQ(generalnumber(-0.25), "-0,25");
  EXPECT_EQ(generalnumber(0.1 + 0.2), "0,3");
  EXPECT_EQ(generalnumber(1e15), "1E15");
}

TEST(formatmask, examples) {
  struct {
    const char* mask;
    const char* value;
    const char* expected;
  } cases[] = {
      {"####.##.##", "19950301", "1995.03.01"}, {"####.##.##", "1995", "1995.."},
      {"####.##.##", "", ".."},                 {"####.##.##", "1995030199", "1995.03.01"},
      {"########-#-##", "12345678213", "12345678-2-13"}, {"", "abc", "abc"},
      {"##", "éá", "éá"},
  };
  for (const auto& c : cases) EXPECT_EQ(formatmask(c.mask, c.value), c.expected) << c.mask << " " << c.value;
}

TEST(piece, partsBetweenSeparators) {
  EXPECT_EQ(piece("kod=Kód", '=', 2), "Kód");
  EXPECT_EQ(piece("kod=Kód", '=', 3), "");
  EXPECT_EQ(piece("kod=Kód", '=', 1), "kod");
  EXPECT_EQ(piece("abc", ';', 0), "abc");
  EXPECT_EQ(piececount("", ';'), 0);
  EXPECT_EQ(piececount("a", ';'), 1);
  EXPECT_EQ(piececount("a;b", ';'), 2);
  EXPECT_EQ(piececount("a;", ';'), 2);
  EXPECT_EQ(piececount("Név\nSzületés", '\n'), 2);
}

TEST(ensurefolder, createsNestedFolders) {
  dosber::testing::tempfolder t;
  EXPECT_TRUE(ensurefolder(t / "a/b/c/file.pdf"));
  EXPECT_TRUE(std::filesystem::is_directory(t / "a/b/c"));
  EXPECT_TRUE(ensurefolder(t / "a/b/c/file.pdf"));
  dosber::testing::writebytes(t / "plain", {});
  EXPECT_FALSE(ensurefolder(t / "plain/x/file.pdf"));
}

TEST(labels, itemNames) {
  namevaluelist items;
  items.add("602=Adójóváír.");
  items.add("805=Szdij+");
  struct {
    const char* kodtip;
    const char* kod;
    const char* expected;
  } cases[] = {{"1", "001", "Bérezett nap"}, {"6", "013", "Bruttó"}, {"3", "602", "Adójóváír."},
               {"7", "602", "Adójóváír."},   {"0", "038", ""},       {"3", "805", "Szdij+"},
               {"6", "017", "Jaruékok,adók"}, {"1", "", ""},         {"4", "999", ""},
               {"7", "027", "Forr.adós jöv."}};
  for (const auto& c : cases) EXPECT_EQ(itemname(c.kodtip, c.kod, items), c.expected) << c.kodtip << c.kod;
  EXPECT_EQ(itemlabel(0), "");
  EXPECT_EQ(itemlabel(46), "");
  EXPECT_EQ(itemlabel(45), "MPtag nyj alap");
}

TEST(labels, wageForms) {
  namevaluelist l;
  fillwageforms(l);
  EXPECT_EQ(l.size(), 6u);
  EXPECT_EQ(l.value("1"), "Havibéres");
  EXPECT_EQ(l.value("3"), "órabéres  ");
  EXPECT_EQ(l.value("9"), "");
}

TEST(readdate, acceptedFormsAndRefusals) {
  const std::pair<const char*, const char*> cases[] = {
      {"1961.01.05", "1961.01.05"}, {"1961-01-05", "1961.01.05"}, {"1961.1.5", "1961.01.05"},
      {"1961-1-5", "1961.01.05"},   {"19610105", "1961.01.05"},   {" 1961.01.05 ", "1961.01.05"},
      {"1961.12.31", "1961.12.31"}, {"1961.13.05", nullptr},       {"1961.00.05", nullptr},
      {"1961.01.32", nullptr},      {"61.01.05", nullptr},         {"1961.01-05", nullptr},
      {"1961/01/05", nullptr},      {"1961.01.05.", nullptr},      {"1961.001.05", nullptr},
      {"196101051", nullptr},       {"", nullptr},                 {"tegnap", nullptr},
  };
  for (auto [text, want] : cases) {
    std::optional<std::string> have = readdate(text);
    if (want)
      EXPECT_EQ(have.value_or("(none)"), want) << text;
    else
      EXPECT_FALSE(have) << text << " -> " << *have;
  }
}

TEST(foldaccents, caseAndAccentsFoldAlike) {
  const std::pair<const char*, const char*> cases[] = {
      {"Kovács", "kovacs"}, {"KOVÁCS", "kovacs"}, {"Győző", "gyozo"}, {"ŰRÖGI", "urogi"},
      {"Éva Ödön", "eva odon"}, {"plain ascii", "plain ascii"}, {"", ""},
  };
  for (auto [text, want] : cases) EXPECT_EQ(foldaccents(text), want) << text;
}
