#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "fixtures.h"
#include "report/pdflist.h"

using namespace dosber;
using namespace dosber::testing;

namespace {

std::vector<textrun> texts(const tpdflist& w, int page) {
  std::vector<textrun> out;
  for (const auto& op : w.pages()[page].ops)
    if (auto t = std::get_if<textrun>(&op)) out.push_back(*t);
  return out;
}

std::string shell(const std::string& cmd) { return capture(cmd).out; }

std::string readall(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

// A table of two text columns and one number column.
void filltable(memtable& t, int rows, const std::string& text = "Kovács Anna") {
  t.clear();
  t.addfield("nev", fieldtype::text, 200);
  t.addfield("kod", fieldtype::text, 3);
  t.addfield("ft", fieldtype::floating);
  t.setindex("kod");
  t.create();
  for (int i = 0; i < rows; ++i) {
    char kod[8];
    std::snprintf(kod, sizeof kod, "%03d", i);
    t.append({text, std::string(kod), 1234.5 + i});
  }
}

}  // namespace

TEST(pdflist, geometry) {
  tpdflist w;
  EXPECT_EQ(w.pagecount(), 1);
  EXPECT_EQ(w.leftmargin, 15);
  EXPECT_EQ(w.usablewidth, 190);
  w.setorientation(1);
  EXPECT_EQ(w.leftmargin, 5);
  EXPECT_EQ(w.topmargin, 15);
  EXPECT_EQ(w.usablewidth, 287);
  EXPECT_EQ(w.usableheight, 190);
  EXPECT_EQ(w.pages()[0].orientation, 1);
  w.setorientation(2);
  EXPECT_EQ(w.usablewidth, 287);
  EXPECT_EQ(w.pages()[0].orientation, 1);
  w.setfontsize(0, 0);
  EXPECT_EQ(w.fontsize, 11);
  EXPECT_EQ(w.leftmargin, 15);
  EXPECT_GT(w.lineheight, 3.0f);
  EXPECT_FLOAT_EQ(w.linegap, 0.25f * w.lineheight);
  w.newline(2);
  EXPECT_FLOAT_EQ(w.y, 2 * (w.lineheight + w.linegap));
}

TEST(pdflist, cellsTruncateAndAlign) {
  tpdflist w;
  w.setfontsize(10, 0);
  std::string text = "Forrásadó-előleg összesen";
  float full = w.measure(text, ftip_dscn, 10).width;
  float used = w.writecell(text, false, 0, 20, full / 2, "");
  EXPECT_FLOAT_EQ(used, full / 2);
  auto t = texts(w, 0);
  ASSERT_EQ(t.size(), 1u);
  EXPECT_LT(t[0].text.size(), text.size());
  EXPECT_EQ(text.rfind(t[0].text, 0), 0u);  // shortened from the end
  EXPECT_LE(w.measure(t[0].text, ftip_dscn, 10).width, full / 2);
  // Right-aligned and fitting: ends exactly at the cell's right edge.
  w.writecell("123,45", true, 10, 30, 40, "");
  t = texts(w, 0);
  EXPECT_FLOAT_EQ(t[1].x + w.measure("123,45", ftip_dscn, 10).width, w.leftmargin + 10 + 40);
  // Right-aligned but too wide: written left-aligned, shortened.
  w.writecell(text, true, 10, 40, full / 3, "");
  t = texts(w, 0);
  EXPECT_FLOAT_EQ(t[2].x, w.leftmargin + 10);
  EXPECT_LT(t[2].text.size(), text.size());
  // Width 0: the whole text, its own width; writeat advances x by it.
  w.x = 7;
  w.writeat("Béla", "", 3, false, 0);
  EXPECT_FLOAT_EQ(w.x, 7 + w.measure("Béla", ftip_dscn, 10).width);
  EXPECT_EQ(texts(w, 0)[3].text, "Béla");
  // A style selects its font for the cell only.
  w.writecell("Vastag", false, 0, 50, 0, "B");
  EXPECT_EQ(texts(w, 0)[4].font, ftip_dscb);
  EXPECT_EQ(w.pages()[0].font, ftip_dscn);
}

TEST(pdflist, framedCells) {
  tpdflist w;
  w.setfontsize(10, 0);
  w.x = 0;
  w.writebox("ignored", 3, 0, 40, "");
  EXPECT_FLOAT_EQ(w.x, 43);
  ASSERT_EQ(w.pages()[0].ops.size(), 1u);
  auto r = std::get<rectangle>(w.pages()[0].ops[0]);
  EXPECT_FLOAT_EQ(r.w, 43);
  EXPECT_FLOAT_EQ(r.h, w.linegap + w.lineheight);
  w.writebox("Közép", 1, w.x, 60, "");
  auto t = texts(w, 0);
  ASSERT_EQ(t.size(), 1u);
  float wtext = w.measure("Közép", ftip_dscn, 10).width;
  EXPECT_FLOAT_EQ(t[0].x, w.leftmargin + 43 + 1 + (60 - wtext) * 0.5f);
  EXPECT_FLOAT_EQ(w.x, 43 + 63);
}

TEST(pdflist, pageNumbersInEachPagesHeaderFont) {
  tempfolder tmp;
  listinfotype info{"Kalibra Bt.", "", "Készült: 2024.03.15", true};
  tpdflist w;
  w.setheader(&info);
  w.setfontsize(10, 0);
  w.pageheader();
  w.newpage();
  w.setfontsize(8, 0);
  w.pageheader();
  w.newpage();
  w.setfontsize(12, 0);
  w.pageheader();
  w.savetofile(tmp / "three.pdf");
  ASSERT_TRUE(w.saved);
  int sizes[] = {10, 8, 12};
  for (int p = 0; p < 3; ++p) {
    auto t = texts(w, p);
    ASSERT_FALSE(t.empty());
    EXPECT_EQ(t.back().text, std::to_string(p + 1) + "/3.oldal");
    EXPECT_EQ(t.back().size, sizes[p]);
    EXPECT_EQ(t.back().font, ftip_dscn);
  }
  std::string text = shell("pdftotext -layout " + tmp / "three.pdf" + " -");
  EXPECT_NE(text.find("2/3.oldal"), std::string::npos);
  EXPECT_NE(text.find("Készült: 2024.03.15"), std::string::npos);
}

TEST(pdflist, savedPdfEmbedsSubsetsAndHungarianTextExtracts) {
  tempfolder tmp;
  tpdflist w;
  w.setfontsize(10, 0);
  w.settitle("Árvíztűrő tükörfúrógép ŐŰ őű");
  w.pageheader();
  w.printtitle();
  w.newline(1);
  w.writeat("Dőlt betű", "I", 0, false, 0);
  w.newline(1);
  w.writebox("Keretben", 0, 0, 40, "B");
  std::string path = tmp / "sub/dir/hu.pdf";
  w.savetofile(path);
  ASSERT_TRUE(w.saved);
  std::string fonts = shell("pdffonts " + path);
  EXPECT_NE(fonts.find("DejaVuSansCondensed-Bold"), std::string::npos) << fonts;
  // Every font line says embedded and subset (a six-letter tag before the name).
  int fontlines = 0;
  std::istringstream lines(fonts);
  for (std::string line; std::getline(lines, line);) {
    if (line.find("DejaVu") == std::string::npos) continue;
    ++fontlines;
    EXPECT_EQ(line[6], '+') << line;
    EXPECT_NE(line.find(" yes yes "), std::string::npos) << line;
  }
  EXPECT_GE(fontlines, 2);
  EXPECT_NE(fonts.find("DejaVuSansCondensed-Oblique"), std::string::npos);
  std::string text = shell("pdftotext " + path + " -");
  EXPECT_NE(text.find("Árvíztűrő tükörfúrógép ŐŰ őű"), std::string::npos) << text;
  EXPECT_NE(text.find("Dőlt betű"), std::string::npos) << text;
  std::string info = shell("pdfinfo " + path);
  EXPECT_NE(info.find("cairo"), std::string::npos) << info;
  EXPECT_NE(info.find("1992-2005 közti bérek lekérdezése (DOS)"), std::string::npos) << info;
}

TEST(pdflist, saveChecks) {
  tempfolder tmp;
  std::vector<std::string> said;
  tpdflist w;
  w.onmessage = [&](const std::string& m) { said.push_back(m); };
  w.savetofile("");
  EXPECT_FALSE(w.saved);
  // A folder stands where the file should be: it cannot be replaced.
  std::filesystem::create_directories(tmp / "busy.pdf/inside");
  w.savetofile(tmp / "busy.pdf");
  EXPECT_FALSE(w.saved);
  writebytes(tmp / "plain", {'x'});
  w.savetofile(tmp / "plain/sub/x.pdf");
  EXPECT_EQ(said, (std::vector<std::string>{"Meg kell adni a fájlnevet!", "A fájlt (" + tmp / "busy.pdf" + ")használják!",
                                            "A fájl könyvtárának létrehozása sikertelen!\nKönyvtár: " + tmp / "plain/sub"}));
  w.showfile(true);  // nothing: not saved
  EXPECT_EQ(said.size(), 3u);
  // Saving over an old file replaces it whole.
  writebytes(tmp / "old.pdf", {'o', 'l', 'd'});
  w.savetofile(tmp / "old.pdf");
  EXPECT_TRUE(w.saved);
  EXPECT_EQ(readall(tmp / "old.pdf").substr(0, 5), "%PDF-");
  std::filesystem::remove(tmp / "old.pdf");
  w.showfile(true);
  EXPECT_EQ(said.back(), "Fájl: " + tmp / "old.pdf" + "\nNem létezik!");
}

TEST(pdflist, viewerFollowsTheFlag) {
  tempfolder tmp;
  tpdflist w;
  std::vector<std::pair<std::string, bool>> opened;
  w.onshow = [&](const std::string& f, bool d) { opened.emplace_back(f, d); return true; };
  w.savetofile(tmp / "v.pdf");
  unsetenv("DOSBER_NO_VIEWER");
  w.showfile(true);
  w.showfile(false);
  setenv("DOSBER_NO_VIEWER", "1", 1);
  w.showfile(true);
  unsetenv("DOSBER_NO_VIEWER");
  ASSERT_EQ(opened.size(), 2u);
  EXPECT_TRUE(opened[0].second);
  EXPECT_FALSE(opened[1].second);
  // A viewer that cannot be started is told to the caller, not passed over.
  w.onshow = [](const std::string&, bool) { return false; };
  EXPECT_FALSE(w.showfile(true));
  w.onshow = nullptr;
  EXPECT_TRUE(w.showfile(true));
  tpdflist unsaved;
  EXPECT_FALSE(unsaved.showfile(true));
}

TEST(pdflist, missingFontFileIsNamed) {
  tempfolder tmp;
  setenv("DOSBER_FONTS", tmp.path().c_str(), 1);
  try {
    tpdflist w;
    w.measure("x", ftip_dscb, 10);
    FAIL();
  } catch (const std::runtime_error& e) {
    EXPECT_NE(std::string(e.what()).find("dejavusanscondensed-bold.ttf"), std::string::npos);
  }
  unsetenv("DOSBER_FONTS");
}

TEST(pdflist, fontFolderBesideTheProgramThenInstalled) {
  // Folders that exist below a test folder, the program's folder, the expected font folder.
  struct row {
    std::vector<std::string> folders;
    std::string program, expected;
  };
  const row rows[] = {
      {{"build/bin/fonts"}, "build/bin", "build/bin/fonts"},
      {{"usr/bin", "usr/share/dosber/fonts"}, "usr/bin", "usr/share/dosber/fonts"},
      {{"usr/bin/fonts", "usr/share/dosber/fonts"}, "usr/bin", "usr/bin/fonts"},
      {{"usr/bin/FONTS"}, "usr/bin", "usr/bin/fonts"},  // names ignore letter case
      {{"usr/bin", "usr/share/dosber"}, "usr/bin", "usr/bin/fonts"},  // neither: the message names the first
  };
  for (const auto& r : rows) {
    tempfolder tmp;
    for (const auto& f : r.folders) std::filesystem::create_directories(tmp / f);
    EXPECT_EQ(fontfolderof(tmp / r.program), tmp / r.expected) << r.program << " " << r.folders.size();
  }
}

TEST(tableprint, emptyTablePrintsNothing) {
  tpdflist w;
  memtable t;
  filltable(t, 0);
  EXPECT_FALSE(w.printtable(&t, nullptr, nullptr, 0, 0));
  EXPECT_FALSE(w.printtable(nullptr, nullptr, nullptr, 0, 0));
  EXPECT_EQ(w.pagecount(), 1);
  EXPECT_TRUE(w.pages()[0].ops.empty());
}

TEST(tableprint, columnsHeadersAndFieldTexts) {
  tpdflist w;
  memtable t;
  filltable(t, 3);
  t.setmask("ft", "###,###.##");
  std::vector<std::string> cols = {"nev=Név\nSzületés", "ft=Összeg;B", "nincs=Nincs"};
  ASSERT_TRUE(w.printtable(&t, &cols, nullptr, 10, 10));
  EXPECT_EQ(w.fontsize, 10);
  EXPECT_EQ(w.headerlines, 1);  // reset after printing
  std::vector<std::string> all;
  for (auto& r : texts(w, 0)) all.push_back(r.text);
  // Two header lines; the kod field has no entry and is not printed.
  std::vector<std::string> expected = {"Név", "Összeg", "Születés", "Kovács Anna", "1.234,50", "Kovács Anna",
                                       "1.235,50", "Kovács Anna", "1.236,50"};
  EXPECT_EQ(all, expected);
  // The styled column is drawn bold; numbers end at the column's right edge.
  auto runs = texts(w, 0);
  EXPECT_EQ(runs[4].font, ftip_dscb);
  EXPECT_EQ(runs[3].font, ftip_dscn);
  float right = w.leftmargin + w.colwidths[0] + w.colgap + w.colwidths[2];
  EXPECT_NEAR(runs[4].x + w.measure("1.234,50", ftip_dscn, 10).width, right, 1e-3);
}

TEST(tableprint, fieldTextRules) {
  tpdflist w;
  memtable t;
  t.addfield("f", fieldtype::floating);
  t.addfield("b", fieldtype::boolean);
  t.addfield("i", fieldtype::integer);
  t.addfield("s", fieldtype::text, 10);
  t.setmask("s", "####.##.##");
  t.setmask("i", "###,###");
  t.create();
  t.append({2.674, true, int32_t(-12345), std::string("19950301")});
  t.append({0.125, false, int32_t(0), std::string("")});
  w.dataset = &t;
  t.first();
  EXPECT_EQ(w.fieldtext(0), "2,67");
  EXPECT_EQ(w.fieldtext(1), "Igen");
  EXPECT_EQ(w.fieldtext(2), "-12.345");
  EXPECT_EQ(w.fieldtext(3), "1995.03.01");
  t.next();
  EXPECT_EQ(w.fieldtext(0), "0,12");  // ties to even
  EXPECT_EQ(w.fieldtext(1), "Nem");
  EXPECT_EQ(w.fieldtext(3), "..");
}

TEST(tableprint, landscapeWhenTooWideThenPortraitAgain) {
  tpdflist w;
  memtable wide, narrow;
  filltable(wide, 2, std::string(100, 'W'));  // fits landscape at 8 points
  filltable(narrow, 2);
  ASSERT_TRUE(w.printtable(&wide, nullptr, nullptr, 0, 0));
  EXPECT_EQ(w.pages()[0].orientation, 1);
  EXPECT_EQ(w.orientation, 1);
  EXPECT_LT(w.fontsize, 11);
  EXPECT_GE(w.fontsize, 8);
  ASSERT_TRUE(w.printtable(&narrow, nullptr, nullptr, 0, 0));
  ASSERT_EQ(w.pagecount(), 2);
  EXPECT_EQ(w.pages()[1].orientation, 0);
  EXPECT_EQ(w.fontsize, 11);
}

TEST(tableprint, newPageBeforeTheRowThatDoesNotFit) {
  tpdflist w;
  listinfotype info{"Cég", "", "", true};
  w.setheader(&info);
  w.settitle("Cím");
  memtable t;
  // Rows a whole line box apart: two pages hold 100 rows, one does not.
  const int rows = 100;
  filltable(t, rows);
  std::vector<std::string> calls;
  w.setheadercallback([&](tpdflist& p) { calls.push_back("header " + std::to_string(p.pagecount())); });
  w.setrowcallback([&](tpdflist& p) {
    calls.push_back(p.dataset->eof() ? "end" : (p.lastrow ? "row " : "first row ") + std::to_string(p.pagecount()));
  });
  progressrecorder bar;
  ASSERT_TRUE(w.printtable(&t, nullptr, &bar, 0, 0));
  ASSERT_EQ(w.pagecount(), 2);
  EXPECT_EQ(calls[0], "header 1");
  EXPECT_EQ(calls[1], "first row 1");
  // The row that no longer fits: the new page and its column header first,
  // then the row callback on the new page.
  auto it = std::find(calls.begin(), calls.end(), "header 2");
  ASSERT_NE(it, calls.end());
  EXPECT_EQ(*(it - 1), "row 1");
  EXPECT_EQ(*(it + 1), "row 2");
  EXPECT_EQ(calls.back(), "end");
  EXPECT_EQ(calls.size(), 2u + rows + 1u);
  EXPECT_EQ(w.pageinfo.size(), 2u);
  // Every page starts with the header, the title and the column header.
  auto second = texts(w, 1);
  ASSERT_GE(second.size(), 5u);
  EXPECT_EQ(second[0].text, "Cég");
  EXPECT_EQ(second[1].text, "Cím");
  EXPECT_EQ(second[2].text, "nev");
  EXPECT_EQ(bar.calls.front(), "max " + std::to_string(rows));
  EXPECT_EQ(bar.calls.back(), "pos 0");
  EXPECT_EQ(bar.calls[bar.calls.size() - 2], "pos " + std::to_string(rows));
  for (auto& r : texts(w, 0)) EXPECT_LE(r.y, w.usableheight + 0.001);
}

TEST(tableprint, rowStyleMeasuresAndDrawsTheRowInItsFont) {
  // The bold row holds the widest number: its column is fitted to the bold
  // text, which prints whole and ends at the same right edge as the others.
  tpdflist w;
  memtable t;
  filltable(t, 3);
  t.setmask("ft", "###,###.##");
  t.moveto(2);
  t.set("ft", 987654.0);
  t.set("nev", std::string("Összesen"));
  std::vector<std::string> cols = {"nev=Név", "ft=Összeg"};
  w.rowstyle = [](const memtable& m) { return m.text("nev") == "Összesen" ? "B" : ""; };
  ASSERT_TRUE(w.printtable(&t, &cols, nullptr, 10, 10));
  auto runs = texts(w, 0);
  ASSERT_EQ(runs.size(), 8u);  // two headers, three rows of two cells
  EXPECT_EQ(runs[6].text, "Összesen");
  EXPECT_EQ(runs[7].text, "987.654,00");
  for (int i : {6, 7}) EXPECT_EQ(runs[i].font, ftip_dscb);
  for (int i : {0, 1, 2, 3, 4, 5}) EXPECT_EQ(runs[i].font, ftip_dscn);
  float right = w.leftmargin + w.colwidths[0] + w.colgap + w.colwidths[2];
  EXPECT_NEAR(runs[7].x + w.measure(runs[7].text, ftip_dscb, 10).width, right, 1e-3);
  EXPECT_NEAR(runs[5].x + w.measure(runs[5].text, ftip_dscn, 10).width, right, 1e-3);
  EXPECT_NEAR(w.colwidths[2], w.measure("987.654,00", ftip_dscb, 10).width, 1e-3);
}

namespace {
// The right end of a text run, in millimetres from the page's left edge.
float rightend(tpdflist& w, const textrun& r) { return r.x + w.measure(r.text, r.font, r.size).width; }
}  // namespace

TEST(pdflist, longHeaderTextsWrapClearOfTheirRightTexts) {
  std::string words;
  for (int i = 0; words.size() < 400; ++i) words += (i ? " " : "") + std::string("Kft") + std::to_string(i);
  std::string oneword(150, 'W');
  struct {
    std::string left1, left2;
  } cases[] = {{words, "12345678-2-13"}, {oneword, oneword}, {"Kalibra Bt.", words}};
  for (const auto& c : cases) {
    listinfotype info{c.left1, c.left2, "Készült: 2024.03.15", true};
    tpdflist w;
    w.setheader(&info);
    w.setfontsize(10, 0);
    w.pageheader();
    w.newpage();
    w.setfontsize(8, 1);
    w.pageheader();
    w.numberpages();
    EXPECT_EQ(w.pageinfo.size(), 2u);
    for (int p = 0; p < 2; ++p) {
      SCOPED_TRACE(c.left1.substr(0, 10) + " page " + std::to_string(p));
      w.selectpage(p);
      std::vector<textrun> runs = texts(w, p);
      ASSERT_GE(runs.size(), 4u);
      textrun date = runs[1], number = runs.back();
      ASSERT_EQ(date.text, "Készült: 2024.03.15");
      ASSERT_EQ(number.text, std::to_string(p + 1) + "/2.oldal");
      EXPECT_FLOAT_EQ(rightend(w, number), w.leftmargin + w.usablewidth);
      float reserve = w.leftmargin + w.usablewidth - w.measure("9999/9999.oldal", ftip_dscn, number.size).width;
      std::string left1, left2;
      auto join = [](std::string& to, const std::string& piece) {
        to += (to.empty() || piece.find("Kft") != 0 ? "" : " ") + piece;
      };
      float baseline = 0;
      for (size_t i = 0; i + 1 < runs.size(); ++i) {
        if (i == 1) continue;
        const textrun& r = runs[i];
        EXPECT_FLOAT_EQ(r.x, w.leftmargin);
        EXPECT_LE(rightend(w, r), w.leftmargin + w.usablewidth + 1e-3) << r.text;
        if (r.y == date.y) {
          EXPECT_LT(rightend(w, r), date.x) << r.text;
        }
        if (r.y == number.y) {
          EXPECT_LT(rightend(w, r), reserve) << r.text;
        }
        if (baseline > 0) {
          EXPECT_GE(r.y - baseline, linebox(ftip_dscn, r.size) - 1e-4);
        }
        baseline = r.y;
        join(r.y < number.y ? left1 : left2, r.text);
      }
      EXPECT_EQ(left1, c.left1);
      EXPECT_EQ(left2, c.left2);
    }
  }
}

TEST(pdflist, headerTextBeyondAQuarterOfThePageIsCutWithEllipsis) {
  listinfotype info{std::string(20000, 'W'), "", "Készült: 2024.03.15", false};
  tpdflist w;
  w.setheader(&info);
  w.setfontsize(10, 0);
  w.pageheader();
  EXPECT_LE(w.y, w.topmargin + w.usableheight / 4 + w.lineheight);
  std::vector<textrun> runs = texts(w, 0);
  ASSERT_GT(runs.size(), 3u);
  EXPECT_EQ(runs.back().text.substr(runs.back().text.size() - 3), "…");
  for (const textrun& r : runs) EXPECT_LE(rightend(w, r), w.leftmargin + w.usablewidth + 1e-3);
}

TEST(pdflist, titleWiderThanThePageWrapsCentredBelowTheHeader) {
  listinfotype info{"Kalibra Bt.", std::string(40, 'W'), "Készült: 2024.03.15", true};
  std::string name;
  for (int i = 0; i < 30; ++i) name += "Ódry Árpád ";
  tpdflist w;
  w.setheader(&info);
  w.setfontsize(10, 0);
  w.settitle(name + "jogviszony és fizetési adatai - 1998");
  w.pageheader();
  float header = w.y;
  w.printtitle();
  std::vector<textrun> runs = texts(w, 0);
  std::vector<textrun> title(runs.begin() + 3, runs.end());
  ASSERT_GT(title.size(), 2u);
  float box = linebox(ftip_dscb, 10);
  // The first line meets the wide second header line: a whole box below it.
  EXPECT_GE(title[0].y - header, box - 1e-4);
  std::string joined;
  for (size_t i = 0; i < title.size(); ++i) {
    EXPECT_EQ(title[i].font, ftip_dscb);
    float width = w.measure(title[i].text, ftip_dscb, 10).width;
    EXPECT_LE(width, w.usablewidth);
    EXPECT_NEAR(title[i].x - w.leftmargin, (w.usablewidth - width) / 2, 1e-3);
    if (i) {
      EXPECT_GE(title[i].y - title[i - 1].y, box - 1e-4);
    }
    joined += (i ? " " : "") + title[i].text;
  }
  EXPECT_EQ(joined, name + "jogviszony és fizetési adatai - 1998");
  // A short title below a narrow header line keeps its place.
  listinfotype narrow{"Kalibra Bt.", "12345678-2-13", "Készült: 2024.03.15", true};
  tpdflist v;
  v.setheader(&narrow);
  v.setfontsize(10, 0);
  v.settitle("Kiss Anna jogviszony és fizetési adatai - 1998");
  v.pageheader();
  header = v.y;
  v.printtitle();
  EXPECT_FLOAT_EQ(v.y - header, v.measure("Kiss Anna jogviszony és fizetési adatai - 1998", ftip_dscb, 10).height);
}

TEST(pdflist, centredTextWiderThanItsFrameStartsInsideIt) {
  tpdflist w;
  w.setfontsize(10, 0);
  w.writebox(std::string(40, 'W'), 1, 20, 30, "");
  auto t = texts(w, 0);
  ASSERT_EQ(t.size(), 1u);
  EXPECT_FLOAT_EQ(t[0].x, w.leftmargin + 21);
  EXPECT_LE(rightend(w, t[0]), w.leftmargin + 21 + 30);
}

TEST(pdflist, textWithoutWidthEndsAtTheRightMargin) {
  tpdflist w;
  w.setfontsize(10, 0);
  w.x = 150;
  w.writeat("Állománycsoport: " + std::string(40, 'W'), "I", w.x, false, 0);
  auto t = texts(w, 0);
  ASSERT_EQ(t.size(), 1u);
  EXPECT_EQ(t[0].text.rfind("Állománycsoport: ", 0), 0u);
  EXPECT_LE(rightend(w, t[0]), w.leftmargin + w.usablewidth);
  EXPECT_GT(rightend(w, t[0]), w.leftmargin + w.usablewidth - w.measure("W", ftip_dsci, 10).width);
  EXPECT_FLOAT_EQ(w.x, t[0].x - w.leftmargin + w.measure(t[0].text, ftip_dsci, 10).width);
}

TEST(pdflist, illFormedTextIsDrawnWithReplacementsAndSpoilsNothing) {
  tempfolder tmp;
  tpdflist w;
  w.setfontsize(10, 0);
  float before = w.measure("Kovács", ftip_dscn, 10).width;
  EXPECT_GT(w.measure("12\x8A\xFF" "34", ftip_dscn, 10).width, 0);
  w.writecell("12\x8A\xFF" "34", false, 0, 20, 0, "");
  w.writecell("Kovács Anna", false, 0, 30, 0, "");
  EXPECT_FLOAT_EQ(w.measure("Kovács", ftip_dscn, 10).width, before);
  w.savetofile(tmp / "x.pdf");
  ASSERT_TRUE(w.saved);
  std::string text = shell("pdftotext " + tmp / "x.pdf -");
  EXPECT_NE(text.find("12\xEF\xBF\xBD\xEF\xBF\xBD" "34"), std::string::npos) << text;
  EXPECT_NE(text.find("Kovács Anna"), std::string::npos) << text;
}

TEST(tableprint, tooWideEvenAtEightPointsStaysOnThePage) {
  struct {
    size_t letters;
    bool cut;  // the text column gives up what does not fit at 5 points
  } cases[] = {{120, false}, {400, true}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.letters);
    tpdflist w;
    memtable t;
    filltable(t, 2, std::string(c.letters, 'W'));
    ASSERT_TRUE(w.printtable(&t, nullptr, nullptr, 0, 0));
    EXPECT_EQ(w.pages()[0].orientation, 1);
    EXPECT_LT(w.fontsize, 8);
    EXPECT_GE(w.fontsize, 5);
    bool shortened = false;
    for (const textrun& r : texts(w, 0)) {
      EXPECT_LE(rightend(w, r), w.leftmargin + w.usablewidth + 1e-3) << r.text;
      if (r.text[0] == 'W') shortened |= r.text.size() < c.letters;
      if (r.text[0] == '1') {
        EXPECT_TRUE(r.text == "1234,5" || r.text == "1235,5") << r.text;
      }
    }
    EXPECT_EQ(shortened, c.cut);
  }
}
