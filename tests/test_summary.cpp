#include <gtest/gtest.h>

#include <atomic>
#include <nlohmann/json.hpp>
#include <sstream>

#include "base/format.h"
#include "fixtures.h"
#include "report/pdflist.h"
#include "report/summary.h"
#include "report/summaryreport.h"
#include "table/value.h"

using namespace dosber;
using namespace dosber::testing;

namespace {

const char* azon = "15607231234";
const char* other = "26001011111";

using items = std::vector<std::pair<int, double>>;

// An archive written in the test: companies of several years.
struct archive {
  tempfolder t;

  std::string company(int yearnumber, const std::string& folder, const std::vector<employee>& people,
                      const std::vector<wagerecord>& wages, const std::string& name = "Kalibra Bt.") {
    const yearinfo& y = *yearfor(yearnumber);
    std::string path = joinpath(joinpath(t.path(), yearfoldername(y)), folder);
    writecompanyparameters(path, name, "12345678213");
    writeemployees(joinpath(path, "dt.dat"), y, people);
    writewages(joinpath(path, "karton.dat"), y, wages);
    return path;
  }
  earningssummary summary(const summarycallbacks& callbacks = {}) const { return summarize(t.path(), azon, callbacks); }
};

employee person(const std::string& entry, char staffgroup = '1', const std::string& nev = "Kovács Anna",
                const std::string& id = azon) {
  employee e;
  e.azon = id;
  e.nev = nev;
  e.entry = entry;
  e.staffgroup = staffgroup;
  return e;
}

// The wage records of one employment, months from .. to, each with the items.
std::vector<wagerecord> months(int yearnumber, const std::string& jvkezd, int from, int to, const items& list,
                               char staffgroup = '1', const std::string& id = azon) {
  const yearinfo& y = *yearfor(yearnumber);
  std::vector<wagerecord> out;
  for (int m = from; m <= to; ++m) {
    char evho[8];
    std::snprintf(evho, sizeof evho, "%s%02d", y.yeartext + 2, m);
    wagerecord w(y, id, evho, staffgroup, jvkezd);
    for (auto [item, amount] : list) w.item(item, amount);
    out.push_back(w);
  }
  return out;
}

std::vector<wagerecord> operator+(std::vector<wagerecord> a, const std::vector<wagerecord>& b) {
  for (const wagerecord& w : b) a.push_back(w);  // records hold a reference: no assignment
  return a;
}

std::string shell(const std::string& cmd) { return capture(cmd).out; }

commandresult cli(const std::string& args) {
  return capture("DOSBER_ROOT=/nonexistent/dosber-root DOSBER_NO_VIEWER=1 " + std::string(DOSBER_CLI) + " " + args);
}

// The printed text of an amount, as the card's ÖSSZ column shows it.
std::string printed(double v) { return valuetext(roundeven(v, 2), "###,###,###"); }

std::vector<std::string> splitlines(const std::string& text) {
  std::vector<std::string> out;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) out.push_back(line);
  return out;
}

}  // namespace

TEST(summary, sixRowsOfOneEmploymentByYear) {
  // Item numbers: 1 Bérezett nap, 2 Ledolgozott nap, 13 Bruttó, 37 Fiz.TB alap,
  // 42 Fiz.nyj alap, 30 Nyugdíj jár. (class 5: negative on the card).
  struct testcase {
    int year;
    const char* entry;
    items list;
    summaryitems expected;  // three months of the items
  };
  const testcase cases[] = {
      {98, "19950101", {{1, 21}, {2, 20}, {13, 100000}, {37, 100000}, {42, 90000}, {30, 6000}},
       {63, 60, 300000, 300000, 270000, -18000}},
      {97, "19970301", {{13, 50000.5}, {37, 40000}}, {0, 0, 150001.5, 120000, 0, 0}},  // the other rows are missing
      {5, "20050101", {{1, 22}, {13, 250000}, {42, 250000}, {30, 21250}}, {66, 0, 750000, 0, 750000, -63750}},
      {92, "19920101", {{1, 23}, {13, 9000}, {37, 9000}}, {69, 0, 27000, 27000, 0, 0}},
  };
  for (const testcase& c : cases) {
    SCOPED_TRACE(c.year);
    archive a;
    a.company(c.year, "ceg", {person(c.entry), person("19900101", '1', "Tóth Éva", other)},
              months(c.year, c.entry, 1, 3, c.list) +
                  months(c.year, "19900101", 1, 12, {{1, 5}, {13, 777}}, '1', other));
    earningssummary s = a.summary();
    ASSERT_TRUE(s.found);
    ASSERT_EQ(s.entries.size(), 1u);
    const summaryentry& e = s.entries[0];
    const yearinfo& y = *yearfor(c.year);
    EXPECT_EQ(e.year, std::stoi(y.yeartext));
    EXPECT_EQ(e.yearfolder, yearfoldername(y));
    EXPECT_EQ(e.companyfolder, "ceg");
    EXPECT_EQ(e.companyname, "Kalibra Bt.");
    EXPECT_EQ(e.jvkezd, formatmask("####.##.##", c.entry));
    EXPECT_EQ(e.bdatum, e.jvkezd);
    EXPECT_FALSE(e.allomanycsoport.empty());
    EXPECT_EQ(e.jogvnev1, e.allomanycsoport);
    EXPECT_FALSE(e.jogvnev2.empty());
    EXPECT_EQ(e.items, c.expected);
    ASSERT_EQ(s.years.size(), 1u);
    EXPECT_EQ(s.years[0].year, e.year);
    EXPECT_EQ(s.years[0].entries, 1);
    EXPECT_EQ(s.years[0].items, c.expected);
    EXPECT_EQ(s.nev, "Kovács Anna");
    EXPECT_EQ(s.szulido, "1956.07.23");
    EXPECT_EQ(s.anyanev, "Nagy Mária");
    EXPECT_TRUE(s.skipped.empty());
  }
}

TEST(summary, yearsInOrderCompaniesAndTwoEmploymentsOfAYear) {
  archive a;
  // ber00 lists before ber92; entries still run 1992 .. 2000.
  a.company(0, "beta", {person("20000101", '1', "Kiss Anna")}, months(0, "20000101", 1, 2, {{1, 20}, {13, 1000}}));
  a.company(92, "alfa", {person("19920101")}, months(92, "19920101", 1, 1, {{1, 21}, {13, 100}}));
  // Two companies in 1998, and two employments in the second one.
  a.company(98, "alfa", {person("19980101", '1', "Kiss Anna")}, months(98, "19980101", 1, 6, {{1, 20}, {13, 500}}));
  a.company(98, "beta", {person("19980201", '1', "Kiss Anna"), person("19980701", '2', "Kiss Anna")},
            months(98, "19980201", 2, 6, {{1, 10}, {13, 300}}) +
                months(98, "19980701", 7, 12, {{1, 15}, {13, 400}, {30, 20}}, '2'));
  earningssummary s = a.summary();
  ASSERT_EQ(s.entries.size(), 5u);
  std::vector<std::string> order;
  for (const auto& e : s.entries) order.push_back(std::to_string(e.year) + " " + e.companyfolder + " " + e.jvkezd);
  EXPECT_EQ(order, (std::vector<std::string>{"1992 alfa 1992.01.01", "1998 alfa 1998.01.01", "1998 beta 1998.02.01",
                                             "1998 beta 1998.07.01", "2000 beta 2000.01.01"}));
  // The person from the first entry's employee row.
  EXPECT_EQ(s.nev, "Kovács Anna");
  EXPECT_EQ(s.entries[3].allomanycsoport, "Tagi jogv.");
  EXPECT_EQ(s.entries[3].items, (summaryitems{90, 0, 2400, 0, 0, -120}));
  ASSERT_EQ(s.years.size(), 3u);
  EXPECT_EQ(s.years[1].year, 1998);
  EXPECT_EQ(s.years[1].entries, 3);
  EXPECT_EQ(s.years[1].items, (summaryitems{120 + 50 + 90, 0, 3000 + 1500 + 2400, 0, 0, -120}));

  // The document: a bold total row for 1998 only; amounts as the card's ÖSSZ.
  std::unique_ptr<tpdflist> d = layoutsummary(s);
  std::vector<textrun> runs;
  for (const auto& p : d->pages())
    for (const auto& op : p.ops)
      if (auto t = std::get_if<textrun>(&op)) runs.push_back(*t);
  auto at = [&](const std::string& text) {
    return std::find_if(runs.begin(), runs.end(), [&](const textrun& r) { return r.text == text; });
  };
  ASSERT_NE(at("Kovács Anna kereseti összesítője"), runs.end());
  ASSERT_NE(at("Anyja neve"), runs.end());
  ASSERT_NE(at("Nagy Mária"), runs.end());
  ASSERT_NE(at("1/1.oldal"), runs.end());
  EXPECT_EQ(runs.front().text, "Kovács Anna");  // the page header's left text
  auto total = at("Összesen");
  ASSERT_NE(total, runs.end());
  EXPECT_EQ(std::count_if(runs.begin(), runs.end(), [](const textrun& r) { return r.text == "Összesen"; }), 1);
  EXPECT_EQ((total - 1)->text, "1998");
  EXPECT_EQ((total + 1)->text, "260");
  EXPECT_EQ((total + 2)->text, "0");
  EXPECT_EQ((total + 3)->text, "6.900");
  for (auto r = total - 1; r != total + 7; ++r) EXPECT_EQ(r->font, ftip_dscb) << r->text;
  EXPECT_EQ((total + 7)->text, "2000");
  EXPECT_EQ((total + 7)->font, ftip_dscn);
}

TEST(summary, unreadableCompaniesAreSkippedAndTheWalkGoesOn) {
  archive a;
  a.company(98, "jo", {person("19980101")}, months(98, "19980101", 1, 2, {{1, 20}, {13, 1000}}));
  // A master file that is no list of records.
  std::string broken = a.company(99, "rossz", {person("19990101")}, {});
  writebytes(joinpath(broken, "dt.dat"), bytes(100, 'x'));
  // A wage record with a code that is no number.
  std::vector<wagerecord> bad = months(3, "20030101", 1, 1, {{1, 20}});
  bad[0].freeentry(0, "1x3", 100);
  a.company(3, "kartonhiba", {person("20030101")}, bad);
  auto before = snapshot(a.t.path());
  earningssummary s = a.summary();
  EXPECT_EQ(snapshot(a.t.path()), before);
  ASSERT_EQ(s.entries.size(), 1u);
  EXPECT_EQ(s.entries[0].year, 1998);
  ASSERT_EQ(s.skipped.size(), 2u);
  EXPECT_EQ(s.skipped[0].folder, joinpath("ber03", "kartonhiba"));
  EXPECT_NE(s.skipped[0].message.find("'1x3' is not a valid integer value"), std::string::npos);
  EXPECT_NE(s.skipped[0].message.find("karton.dat"), std::string::npos);
  EXPECT_EQ(s.skipped[1].folder, joinpath("ber99", "rossz"));
  EXPECT_EQ(s.skipped[1].message, "Read past end of file");

  // The command line lists them after the table, and in the JSON.
  commandresult r = cli("summary '" + a.t.path() + "' --azon " + azon);
  ASSERT_EQ(r.status, 0) << r.out;
  EXPECT_NE(r.out.find("Kihagyott könyvtárak:\nber03/kartonhiba: '1x3' is not a valid integer value"),
            std::string::npos)
      << r.out;
  auto json = nlohmann::ordered_json::parse(cli("summary '" + a.t.path() + "' --azon " + azon + " --json").out);
  ASSERT_EQ(json["skipped"].size(), 2u);
  EXPECT_EQ(json["skipped"][1]["folder"], "ber99/rossz");

  // The document ends with them (the page number is written last).
  std::unique_ptr<tpdflist> d = layoutsummary(s);
  std::vector<std::string> last;
  for (const auto& op : d->pages().back().ops)
    if (auto t = std::get_if<textrun>(&op)) last.push_back(t->text);
  ASSERT_GE(last.size(), 4u);
  EXPECT_EQ(last[last.size() - 4], "Kihagyott könyvtárak:");
  EXPECT_EQ(last[last.size() - 3].rfind("ber03/kartonhiba: '1x3' is not a valid integer value, Fájl: ", 0), 0u);
  EXPECT_EQ(last[last.size() - 2], "ber99/rossz: Read past end of file");
}

TEST(summary, progressRunsToTheEndAndCancelStops) {
  archive a;
  a.company(98, "alfa", {person("19980101")}, months(98, "19980101", 1, 2, {{1, 20}}));
  a.company(98, "beta", {person("19900101", '1', "Tóth Éva", other)}, {});
  a.company(99, "alfa", {person("19990101")}, months(99, "19990101", 1, 2, {{1, 20}}));
  std::vector<std::pair<int, int>> calls;
  summarycallbacks callbacks;
  callbacks.progress = [&](int done, int total) { calls.emplace_back(done, total); };
  earningssummary s = a.summary(callbacks);
  EXPECT_EQ(s.entries.size(), 2u);
  EXPECT_FALSE(s.cancelled);
  ASSERT_FALSE(calls.empty());
  // Three companies walked, then the two that employ the person loaded.
  EXPECT_EQ(calls.back(), std::make_pair(5, 5));
  for (size_t i = 1; i < calls.size(); ++i) EXPECT_GE(calls[i].first, calls[i - 1].first);

  std::atomic<bool> cancel{true};
  callbacks.cancel = &cancel;
  s = a.summary(callbacks);
  EXPECT_TRUE(s.cancelled);
  EXPECT_TRUE(s.entries.empty());
}

TEST(summary, employedWithoutWageRecords) {
  archive a;
  a.company(98, "alfa", {person("19980101", '1', "Kiss Anna")}, {});
  earningssummary s = a.summary();
  EXPECT_TRUE(s.found);
  EXPECT_TRUE(s.entries.empty());
  EXPECT_EQ(s.nev, "Kiss Anna");
  commandresult r = cli("summary '" + a.t.path() + "' --azon " + azon);
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(splitlines(r.out).back(), "Nincs kereseti adat.");
  std::unique_ptr<tpdflist> d = layoutsummary(s);
  ASSERT_EQ(d->pagecount(), 1);
  std::vector<std::string> texts;
  for (const auto& op : d->pages()[0].ops)
    if (auto t = std::get_if<textrun>(&op)) texts.push_back(t->text);
  EXPECT_NE(std::find(texts.begin(), texts.end(), "Nincs kereseti adat."), texts.end());
  EXPECT_NE(std::find(texts.begin(), texts.end(), "Kiss Anna kereseti összesítője"), texts.end());
}

TEST(summary, commandLineForms) {
  archive a;
  a.company(98, "alfa", {person("19980101"), person("19980701", '2')},
            months(98, "19980101", 1, 6, {{1, 20}, {13, 123456}}) +
                months(98, "19980701", 7, 12, {{1, 21}, {13, 1000}}, '2'));
  std::string folder = "'" + a.t.path() + "'";
  auto json = nlohmann::ordered_json::parse(cli("summary " + folder + " --azon " + azon + " --json").out);
  std::vector<std::string> keys;
  for (auto it = json.begin(); it != json.end(); ++it) keys.push_back(it.key());
  EXPECT_EQ(keys, (std::vector<std::string>{"azon", "nev", "szulido", "employments", "years", "skipped"}));
  ASSERT_EQ(json["employments"].size(), 2u);
  auto& e = json["employments"][0];
  keys.clear();
  for (auto it = e.begin(); it != e.end(); ++it) keys.push_back(it.key());
  EXPECT_EQ(keys, (std::vector<std::string>{"year", "year_folder", "company_folder", "company_name", "jvkezd",
                                            "allomanycsoport", "bdatum", "kdatum", "jogvnev1", "jogvnev2", "items"}));
  EXPECT_TRUE(e["year"].is_number_integer());
  EXPECT_EQ(e["year"], 1998);
  EXPECT_EQ(e["items"]["Bruttó"], 740736.0);
  EXPECT_EQ(e["items"]["Nyugdíj jár."], 0.0);
  EXPECT_EQ(e["items"].size(), 6u);
  EXPECT_EQ(json["years"][0]["items"]["Bérezett nap"], 246.0);

  commandresult text = cli("summary " + folder + " --azon " + azon);
  ASSERT_EQ(text.status, 0) << text.out;
  std::vector<std::string> lines = splitlines(text.out);
  ASSERT_EQ(lines.size(), 4u + 1 + 1 + 3);  // person, blank, header, two entries and the year's total
  EXPECT_EQ(lines[0], "Név: Kovács Anna");
  EXPECT_EQ(lines[3], "Azonosító: " + std::string(azon));
  EXPECT_EQ(lines[5].rfind("Év    Cég", 0), 0u);
  EXPECT_NE(lines[5].find("Jogviszony kezdete"), std::string::npos);
  EXPECT_EQ(lines[8].rfind("1998  Összesen  ", 0), 0u);
  // Amounts end where their header ends (counted in characters).
  auto column = [](const std::string& line, const std::string& text) {
    std::string_view before(line.data(), line.find(text) + text.size());
    return std::count_if(before.begin(), before.end(), [](char ch) { return !continuationbyte(ch); });
  };
  EXPECT_EQ(column(lines[6], "740.736"), column(lines[5], "Bruttó"));
  EXPECT_EQ(column(lines[8], "746.736"), column(lines[5], "Bruttó"));

  commandresult pdf = cli("summary " + folder + " --azon " + azon + " --output " + a.t / "out/osszesito.pdf");
  ASSERT_EQ(pdf.status, 0) << pdf.out;
  std::string extracted = shell("pdftotext -layout " + a.t / "out/osszesito.pdf -");
  for (const char* s : {"Kovács Anna kereseti összesítője", "A foglalkoztatott személy adatai", "Készült: ",
                        "1/1.oldal", "Összesen", "746.736"})
    EXPECT_NE(extracted.find(s), std::string::npos) << s;

  commandresult unknown = cli("summary " + folder + " --azon 19999999999");
  EXPECT_EQ(unknown.status, 1);
  EXPECT_NE(unknown.out.find("Nincs ilyen azonosító: 19999999999"), std::string::npos);
  EXPECT_EQ(cli("summary " + folder).status, 2);
  EXPECT_EQ(cli("summary " + folder + " --azon " + azon + " --json --output x.pdf").status, 2);
}

TEST(summary, everyValueIsTheCardsTotalOfThatRow) {
  // A sample person with two employments in every year of one company.
  std::string id = "16101052202";
  std::string command = std::string("summary ") + DOSBER_SAMPLE + " --azon " + id + " --json";
  auto json = nlohmann::ordered_json::parse(cli(command).out);
  auto& entries = json["employments"];
  ASSERT_EQ(entries.size(), 28u);
  EXPECT_EQ(entries[0]["year"], 1992);
  EXPECT_EQ(entries[27]["year"], 2005);
  tempfolder t;
  std::string card, cardof;
  for (auto& e : entries) {
    std::string folder = std::string(DOSBER_SAMPLE) + "/" + e["year_folder"].get<std::string>() + "/" +
                         e["company_folder"].get<std::string>();
    if (folder != cardof) {
      ASSERT_EQ(cli("card " + folder + " --azon " + id + " --output " + t / "karton.pdf").status, 0);
      card = shell("pdftotext -layout " + t / "karton.pdf -");
      cardof = folder;
    }
    // The pages of this employment's grid.
    std::string pages;
    std::istringstream in(card);
    for (std::string page; std::getline(in, page, '\f');)
      if (page.find("Jogviszony kezdete: " + e["jvkezd"].get<std::string>()) != std::string::npos) pages += page;
    ASSERT_FALSE(pages.empty()) << folder << " " << e["jvkezd"];
    for (auto it = e["items"].begin(); it != e["items"].end(); ++it) {
      SCOPED_TRACE(folder + " " + e["jvkezd"].get<std::string>() + " " + it.key());
      std::string total;
      for (const std::string& line : splitlines(pages)) {
        size_t start = line.find_first_not_of(' ');
        if (start == std::string::npos || line.compare(start, it.key().size(), it.key()) != 0) continue;
        if (line.compare(start + it.key().size(), 1, " ") != 0) continue;
        total = line.substr(line.find_last_of(' ') + 1);
      }
      // The sample pays every month: these rows are on every card.
      if (it.key() == "Bérezett nap" || it.key() == "Bruttó") {
        EXPECT_FALSE(total.empty());
      }
      EXPECT_EQ(total.empty() ? "0" : total, printed(it.value().get<double>()));
    }
  }
}
