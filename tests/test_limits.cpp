// Reports at the limits of the archive: every text field at its full width in
// wide letters, the largest amounts, every month, many employments and
// absences. The words of the rendered pages never meet and never leave the
// page, and every produced PDF passes qpdf's structural check.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <sstream>

#include "archive/archive.h"
#include "archive/archivestate.h"
#include "base/format.h"
#include "fixtures.h"
#include "report/pdflist.h"
#include "report/wagecard.h"
#include "table/employeetable.h"

using namespace dosber;
using namespace dosber::testing;

namespace {

const char* azon = "15607231234";
constexpr double most = 999999999.99;
constexpr int employmentcount = 8;
constexpr int absencecount = 60;

// Wide letters, no blanks: cut to a field's width they fill all of it.
std::string wide(size_t n) {
  std::string s;
  for (size_t i = 0; i < n; ++i) s += i % 2 ? "Ő" : "W";
  return s;
}

// Words of wide letters: a company name of a few hundred characters.
std::string widewords(size_t n) {
  std::string s;
  while (s.size() < n) s += (s.empty() ? "" : " ") + wide(9);
  return s;
}

std::string twodigits(int n) {
  char b[16];
  std::snprintf(b, sizeof b, "%02d", n);
  return b;
}

// One company of a year at the limits, under root/ber<yy>/hatar, with that
// many employments of one person. Odd years get a company name without
// blanks, which can only break inside a word.
std::string writelimits(const std::string& root, const yearinfo& y, std::string& companyname,
                        int employments = employmentcount) {
  std::string folder = joinpath(joinpath(root, yearfoldername(y)), "hatar");
  int fullyear = std::atoi(y.yeartext);
  companyname = fullyear % 2 ? wide(300) : widewords(300);
  writecompanyparameters(folder, companyname, wide(20));
  std::string field = wide(40);  // longer than every field
  writegeneralcodes(joinpath(folder, "kod.dat"), y, {{'A', wide(4), field}, {'B', wide(4), field}});
  writeworkschedules(joinpath(folder, schedulefilename(y)), y, {{'A', field}});
  std::vector<payitem> earnings, deductions;
  for (int i = 1; i <= 13; ++i) earnings.push_back({"1" + twodigits(i), field});
  for (int i = 1; i <= 22; ++i) deductions.push_back({"2" + twodigits(i), field});
  writeearningcodes(joinpath(folder, "jarkod.dat"), y, earnings);
  writedeductioncodes(joinpath(folder, "levkod.dat"), deductions);
  writewageparameters(joinpath(folder, wageparameterfilename(y)), y, std::vector<allowance>(7, {field, true}));

  std::string year(y.yeartext), yy = year.substr(2);
  std::vector<employee> people;
  std::vector<wagerecord> wages;
  const wagelayout& layout = wagelayoutof(y.wage);
  for (int k = 0; k < employments; ++k) {
    double amount = k % 2 ? -most : most;
    employee e;
    e.azon = azon;
    e.nev = e.birthplace = e.maidenname = e.mothername = field;
    e.orgunit = e.job = wide(4);
    e.feor = wide(8);
    e.staffgroup = static_cast<char>('1' + k);
    e.employmenttype = static_cast<char>('1' + k % 5);
    e.monthlywage = e.hourlywage = e.dailyhours = e.monthlyhours = amount;
    e.entry = year + twodigits(k + 1) + "01";
    e.exit = year + twodigits(k + 1) + "28";
    e.mnypstart = e.entry;
    e.mnypend = e.exit;
    for (double& v : e.eho) v = amount;
    people.push_back(e);
    for (int m = 1; m <= 12; ++m) {
      wagerecord w(y, azon, yy + twodigits(m), e.staffgroup, e.entry, e.employmenttype);
      w.everyitem(amount);
      for (int a = 1; a <= layout.allowances; ++a) w.allowance(a, amount);
      for (int s = 0; s < layout.slotcount; ++s)
        w.freeentry(s, s < 13 ? "1" + twodigits(s + 1) : "2" + twodigits(s - 12), amount);
      wages.push_back(w);
    }
  }
  writeemployees(joinpath(folder, "dt.dat"), y, people);
  writewages(joinpath(folder, "karton.dat"), y, wages);
  std::vector<absence> absences;
  const char* codes1[] = {"1", "2", "3", "4", "5", "6", "7", "8", "9"};
  const char* codes2[] = {"09", "11", "12", "21", "22", "23", "31", "41", "42", "71", "72", "73"};
  for (int i = 0; i < absencecount; ++i) {
    std::string code = y.kinap.codewidth == 1 ? codes1[i % 9] : codes2[i % 12];
    std::string day = year + twodigits(i % 12 + 1) + twodigits(i % 28 + 1);
    absences.push_back({azon, code, day, day});
  }
  writeabsences(joinpath(folder, "kinap.dat"), y, absences);
  return folder;
}

// The words of a PDF page as pdftotext -bbox gives them, in points from the
// page's top-left corner.
struct word {
  double x0, y0, x1, y1;
  std::string text;
};
struct pagewords {
  double width = 0, height = 0;
  std::vector<word> words;
};

double attribute(const std::string& tag, const std::string& name) {
  size_t at = tag.find(" " + name + "=\"");
  return at == std::string::npos ? -1 : std::strtod(tag.c_str() + at + name.size() + 3, nullptr);
}

std::vector<pagewords> wordboxes(const std::string& pdf) {
  commandresult r = capture("pdftotext -bbox '" + pdf + "' -");
  EXPECT_EQ(r.status, 0) << r.out;
  std::vector<pagewords> pages;
  for (size_t at = r.out.find('<'); at != std::string::npos; at = r.out.find('<', at + 1)) {
    size_t end = r.out.find('>', at);
    if (end == std::string::npos) break;
    std::string tag = r.out.substr(at, end - at);
    if (tag.rfind("<page ", 0) == 0) {
      pages.push_back({attribute(tag, "width"), attribute(tag, "height"), {}});
    } else if (tag.rfind("<word ", 0) == 0 && !pages.empty()) {
      size_t close = r.out.find("</word>", end);
      pages.back().words.push_back({attribute(tag, "xMin"), attribute(tag, "yMin"), attribute(tag, "xMax"),
                                    attribute(tag, "yMax"), r.out.substr(end + 1, close - end - 1)});
    }
  }
  return pages;
}

// Boxes may touch within this many points; any deeper overlap, or a box
// reaching past the page's edge by more, is a fault.
constexpr double tolerance = 0.01;

std::string describe(const word& w) {
  std::ostringstream s;
  s << "\"" << w.text << "\" [" << w.x0 << "," << w.y0 << " - " << w.x1 << "," << w.y1 << "]";
  return s.str();
}

// Every pair of words that overlap and every word off its page.
std::vector<std::string> layoutfaults(const std::vector<pagewords>& pages) {
  std::vector<std::string> faults;
  for (size_t p = 0; p < pages.size(); ++p) {
    const auto& words = pages[p].words;
    std::string where = "page " + std::to_string(p + 1) + ": ";
    for (size_t i = 0; i < words.size(); ++i) {
      const word& a = words[i];
      if (a.x0 < -tolerance || a.y0 < -tolerance || a.x1 > pages[p].width + tolerance ||
          a.y1 > pages[p].height + tolerance)
        faults.push_back(where + describe(a) + " leaves the page");
      for (size_t j = i + 1; j < words.size(); ++j) {
        const word& b = words[j];
        if (std::min(a.x1, b.x1) - std::max(a.x0, b.x0) > tolerance &&
            std::min(a.y1, b.y1) - std::max(a.y0, b.y0) > tolerance)
          faults.push_back(where + describe(a) + " meets " + describe(b));
      }
    }
  }
  return faults;
}

std::string firstfaults(const std::vector<std::string>& faults) {
  std::string out;
  for (size_t i = 0; i < faults.size() && i < 12; ++i) out += faults[i] + "\n";
  return out + std::to_string(faults.size()) + " faults";
}

// qpdf's structural check: exit status 0 and no warning.
void expectsound(const std::string& pdf) {
  commandresult r = capture("qpdf --check '" + pdf + "'");
  EXPECT_EQ(r.status, 0) << pdf << "\n" << r.out;
  EXPECT_NE(r.out.find("No syntax or stream encoding errors found"), std::string::npos) << pdf << "\n" << r.out;
}

// The wage card of the first employment of azon in a company folder, saved.
int savecard(const std::string& folder, const std::string& id, const std::string& pdf) {
  archivestate state;
  memtable table = makeemployeetable();
  EXPECT_TRUE(loadcompanypath(state, table, folder));
  if (!table.active() || !table.locate({"azon"}, {id})) return 0;
  loadcarddata(state, table, nullptr);
  std::unique_ptr<tpdflist> card = layoutwagecard(state, table);
  card->savetofile(pdf);
  EXPECT_TRUE(card->saved) << pdf;
  return card->pagecount();
}

}  // namespace

TEST(limits, cardsOfEveryYearKeepEveryWordApartAndOnThePage) {
  tempfolder t;
  for (const yearinfo& y : years()) {
    SCOPED_TRACE(y.yeartext);
    std::string name;
    std::string folder = writelimits(t.path(), y, name);
    std::string pdf = t / ("karton" + std::string(y.yeartext) + ".pdf");
    int pages = savecard(folder, azon, pdf);
    // Person data, a grid or more per employment, absences.
    EXPECT_GT(pages, 1 + employmentcount);
    std::vector<pagewords> words = wordboxes(pdf);
    ASSERT_EQ(static_cast<int>(words.size()), pages);
    std::vector<std::string> faults = layoutfaults(words);
    EXPECT_TRUE(faults.empty()) << firstfaults(faults);
    // The whole company name is on the first page, in the words before the
    // title but for the date, the tax number and the page number; and so are
    // those.
    std::string header, together;
    std::vector<std::string> right = {"Készült:", today(), "WŐWŐWŐWŐ-W-ŐW", "1/" + std::to_string(pages) + ".oldal"};
    for (const word& w : words[0].words) {
      if (w.text == "jogviszony") break;
      header += w.text + " ";
      auto it = std::find(right.begin(), right.end(), w.text);
      if (it != right.end())
        right.erase(it);
      else
        together += w.text;
    }
    EXPECT_TRUE(right.empty()) << header;
    std::string compact;
    for (char c : name)
      if (c != ' ') compact += c;
    EXPECT_EQ(together.substr(0, compact.size()), compact) << header;  // then the title's name
    expectsound(pdf);
  }
}

TEST(limits, personCardsOfEveryYearInOneFile) {
  tempfolder t;
  std::string name;
  // Two employments a year: a card each.
  for (const yearinfo& y : years()) writelimits(t.path(), y, name, 2);
  std::string pdf = t / "person.pdf";
  commandresult r = capture("DOSBER_ROOT='" + t.path() + "' " + std::string(DOSBER_CLI) + " person-cards " +
                            t.path() + " --azon " + azon + " --output " + pdf);
  ASSERT_EQ(r.status, 0) << r.out;
  std::vector<pagewords> words = wordboxes(pdf);
  EXPECT_GT(words.size(), 14u * 2 * 4);
  std::vector<std::string> faults = layoutfaults(words);
  EXPECT_TRUE(faults.empty()) << firstfaults(faults);
  expectsound(pdf);
}

TEST(limits, summaryOfEveryYearKeepsEveryWordApart) {
  tempfolder t;
  std::string name;
  for (const yearinfo& y : years()) writelimits(t.path(), y, name);
  std::string pdf = t / "osszesito.pdf";
  commandresult r = capture("DOSBER_ROOT='" + t.path() + "' " + std::string(DOSBER_CLI) + " summary " + t.path() +
                            " --azon " + azon + " --output " + pdf);
  ASSERT_EQ(r.status, 0) << r.out;
  std::vector<pagewords> words = wordboxes(pdf);
  ASSERT_FALSE(words.empty());
  std::vector<std::string> faults = layoutfaults(words);
  EXPECT_TRUE(faults.empty()) << firstfaults(faults);
  expectsound(pdf);
}

TEST(pdfcheck, sampleCardsOfEveryYearAndAPersonsCardsAreSound) {
  tempfolder t;
  std::string sample = DOSBER_SAMPLE;
  int cards = 0;
  for (const std::string& yf : yearfolders(sample)) {
    for (const std::string& cf : companyfolders(joinpath(sample, yf))) {
      std::string folder = joinpath(joinpath(sample, yf), cf);
      archivestate state;
      memtable table = makeemployeetable();
      ASSERT_TRUE(loadcompanypath(state, table, folder));
      ASSERT_TRUE(table.active() && table.visiblecount() > 0) << folder;
      table.first();
      std::string pdf = t / (yf + "-" + cf + ".pdf");
      ASSERT_GT(savecard(folder, table.text("azon"), pdf), 0) << folder;
      expectsound(pdf);
      ++cards;
    }
  }
  EXPECT_EQ(cards, 14 * 3);
  // A person of the sample with an employment in every year, in one file.
  archivestate state;
  memtable table = makeemployeetable();
  ASSERT_TRUE(loadcompanypath(state, table, joinpath(sample, "ber02/arpad")));
  table.first();
  std::string pdf = t / "person.pdf";
  commandresult r = capture("DOSBER_ROOT='" + t.path() + "' " + std::string(DOSBER_CLI) + " person-cards " + sample +
                            " --azon " + table.text("azon") + " --output " + pdf);
  ASSERT_EQ(r.status, 0) << r.out;
  expectsound(pdf);
}
