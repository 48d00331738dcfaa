#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <map>
#include <nlohmann/json.hpp>
#include <string>

#include "base/version.h"
#include "cli/progressline.h"
#include "fixtures.h"

using namespace dosber::testing;

namespace {

using result = commandresult;

result run(const std::string& args, const std::string& root = "/nonexistent/dosber-root") {
  // The root folder of settings and cards is always a test folder.
  return capture("DOSBER_ROOT='" + root + "' DOSBER_NO_VIEWER=1 " + std::string(DOSBER_CLI) + " " + args);
}

std::string q(const std::string& s) { return "'" + s + "'"; }

}  // namespace

TEST(cli, versionLine) {
  result r = run("--version");
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, std::string(dosber::versionline) + "\n");
  EXPECT_EQ(r.out.rfind("dosber ", 0), 0u);
}

TEST(cli, yearsAndCompaniesOfTheSample) {
  result r = run(std::string("years ") + DOSBER_SAMPLE);
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, "ber00\nber01\nber02\nber03\nber04\nber05\nber92\nber93\nber94\nber95\nber96\nber97\nber98\nber99\n");
  r = run(std::string("companies ") + DOSBER_SAMPLE + "/ber92");
  EXPECT_EQ(r.out, "arpad\nEpito\nkalibra\n");
}

TEST(cli, employeesAsJsonForEverySampleCompany) {
  for (const char* year : {"ber92", "ber98", "ber99", "ber05"}) {
    for (const char* company : {"kalibra", "Epito", "arpad"}) {
      result r = run("employees --json " + std::string(DOSBER_SAMPLE) + "/" + year + "/" + company);
      ASSERT_EQ(r.status, 0) << r.out;
      auto rows = nlohmann::ordered_json::parse(r.out);
      ASSERT_GT(rows.size(), 5u) << year << company;
      EXPECT_EQ(rows[0].size(), 44u);
      EXPECT_TRUE(rows[0]["nyjtavnap"].is_number_integer());
      EXPECT_TRUE(rows[0]["haviber"].is_number());
      EXPECT_TRUE(rows[0]["nev"].is_string());
      auto it = rows[0].begin();
      EXPECT_EQ(it.key(), "azon");
    }
  }
}

TEST(cli, csvAndFilter) {
  std::string folder = std::string(DOSBER_SAMPLE) + "/ber95/kalibra";
  result r = run("employees --csv " + folder);
  ASSERT_EQ(r.status, 0);
  EXPECT_EQ(r.out.substr(0, 3), "\xEF\xBB\xBF");
  EXPECT_EQ(r.out.substr(3, 14), "azon;nev;szuli");
  EXPECT_NE(r.out.find(";8;"), std::string::npos);  // ridon 8 in the general number form
  result all = run("employees --json " + folder);
  result some = run("employees --json --filter KOV " + folder);
  auto a = nlohmann::json::parse(all.out), s = nlohmann::json::parse(some.out);
  EXPECT_LT(s.size(), a.size());
  for (auto& row : s) EXPECT_NE(dosber::casefold(row["nev"].get<std::string>()).find("kov"), std::string::npos);
  EXPECT_EQ(nlohmann::json::parse(run("employees --json --filter '   ' " + folder).out).size(), 0u);
}

TEST(cli, errorsAndUsage) {
  tempfolder t;
  const dosber::yearinfo& y = *dosber::yearfor(97);
  std::string c = makecompany(t.path(), y);
  writebytes(dosber::joinpath(c, "dt.dat"), bytes(100, 'x'));
  result r = run("employees " + q(c));
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out.substr(0, r.out.find('\n')), "Read past end of file");
  EXPECT_NE(r.out.find("dt.dat"), std::string::npos);  // the file is named
  r = run("employees " + q(t.path()));
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(run("").status, 2);
  EXPECT_EQ(run("employees").status, 2);
  EXPECT_EQ(run("employees --json --csv x").status, 2);
  EXPECT_EQ(run("nosuch").status, 2);
  EXPECT_EQ(run("years " + q(t / "missing")).out, "");
}

TEST(cli, cardDataOfSampleEmployees) {
  for (const char* year : {"ber93", "ber96", "ber98", "ber03", "ber05"}) {
    std::string folder = std::string(DOSBER_SAMPLE) + "/" + year + "/kalibra";
    auto rows = nlohmann::ordered_json::parse(run("employees --json " + folder).out);
    std::string azon = rows[0]["azon"];
    result r = run("card-data " + folder + " --azon " + azon + " --json");
    ASSERT_EQ(r.status, 0) << r.out;
    auto card = nlohmann::ordered_json::parse(r.out);
    ASSERT_TRUE(card["items"].is_array());
    ASSERT_GT(card["items"].size(), 20u) << year;
    auto item = card["items"][0];
    EXPECT_EQ(item.begin().key(), "azon");
    EXPECT_EQ(item.size(), 7u);
    EXPECT_EQ(item["azon"], azon);
    EXPECT_TRUE(item["ft"].is_number());
    EXPECT_TRUE(card["absences"].is_array());
  }
  EXPECT_EQ(run(std::string("card-data ") + DOSBER_SAMPLE + "/ber98/kalibra --azon 00000000000").status, 1);
  EXPECT_EQ(run(std::string("card-data ") + DOSBER_SAMPLE + "/ber98/kalibra").status, 2);
}

TEST(cli, cardOfSampleEmployees) {
  tempfolder t;
  std::string folder = std::string(DOSBER_SAMPLE) + "/ber99/kalibra";
  auto rows = nlohmann::ordered_json::parse(run("employees --json " + folder).out);
  // A person with two employments: the second one by its entry date.
  std::string azon, entry;
  for (size_t i = 1; i < rows.size(); ++i)
    if (rows[i]["azon"] == rows[i - 1]["azon"]) {
      azon = rows[i]["azon"];
      entry = rows[i]["bdatum"];
      break;
    }
  ASSERT_FALSE(azon.empty());
  std::string out = t / "card.pdf";
  result r = run("card " + folder + " --azon " + azon + " --entry " + entry + " --output " + out);
  ASSERT_EQ(r.status, 0) << r.out;
  std::string text = capture("pdftotext -layout " + out + " -").out;
  EXPECT_NE(text.find("További jogviszonyai"), std::string::npos);
  EXPECT_NE(text.find("Jogviszony kezdete: " + entry), std::string::npos);
  EXPECT_EQ(run("card " + folder + " --azon " + azon + " --entry 1900.01.01 --output " + out).status, 1);
  // Without --output the card goes to the fixed path below the root.
  r = run("card " + folder + " --azon " + azon, t.path());
  EXPECT_EQ(r.status, 0) << r.out;
  EXPECT_TRUE(std::filesystem::exists(t / "temp/doskarton/doskarton.pdf"));
}

TEST(cli, findAcrossTheSampleArchive) {
  result r = run(std::string("find ") + DOSBER_SAMPLE + " --name 'farkas erzsébet' --json");
  ASSERT_EQ(r.status, 0) << r.out;
  auto out = nlohmann::ordered_json::parse(r.out);
  auto& rows = out["employments"];
  ASSERT_GE(rows.size(), 14u);
  auto keys = std::vector<std::string>{};
  for (auto it = rows[0].begin(); it != rows[0].end(); ++it) keys.push_back(it.key());
  EXPECT_EQ(keys, (std::vector<std::string>{"year", "year_folder", "company_folder", "company_name", "azon", "nev",
                                            "szulido", "bdatum", "kdatum", "jogvnev1", "jogvnev2", "archived"}));
  EXPECT_EQ(rows[0]["year"], "1992");
  EXPECT_EQ(rows[rows.size() - 1]["year"], "2005");
  EXPECT_TRUE(out["skipped"].empty());
  std::string born = rows[0]["szulido"];
  auto narrowed = nlohmann::ordered_json::parse(
      run(std::string("find ") + DOSBER_SAMPLE + " --name farkas --born " + born + " --json").out);
  EXPECT_EQ(narrowed["employments"].size(), rows.size());
  EXPECT_EQ(run(std::string("find ") + DOSBER_SAMPLE).status, 2);
}

TEST(cli, findForgivesAccentsAndDateForms) {
  auto count = [](const std::string& args) {
    result r = run(std::string("find ") + DOSBER_SAMPLE + " " + args + " --json");
    EXPECT_EQ(r.status, 0) << args << "\n" << r.out;
    return nlohmann::ordered_json::parse(r.out)["employments"].size();
  };
  size_t all = count("--name 'Farkas Erzsébet'");
  ASSERT_GE(all, 14u);
  for (const char* name : {"'farkas erzsebet'", "'FARKAS ERZSÉBET'", "'FARKAS ERZSEBET'"}) EXPECT_EQ(count(std::string("--name ") + name), all) << name;
  // With accents kept, only the letter case is forgiven.
  EXPECT_EQ(count("--name 'farkas erzsebet' --exact-accents"), 0u);
  EXPECT_EQ(count("--name 'FARKAS ERZSÉBET' --exact-accents"), all);
  // Öveges and Ürögi fold to plain o and u; ő and ű too.
  EXPECT_GT(count("--name oveges"), 0u);
  EXPECT_EQ(count("--name oveges"), count("--name Öveges"));
  EXPECT_EQ(count("--name 'gyozo'"), count("--name 'győző'"));

  result first = run(std::string("find ") + DOSBER_SAMPLE + " --name 'farkas erzsébet' --json");
  std::string born = nlohmann::ordered_json::parse(first.out)["employments"][0]["szulido"];  // YYYY.MM.DD
  std::string y = born.substr(0, 4), m = born.substr(5, 2), d = born.substr(8, 2);
  auto unpadded = [](const std::string& two) { return two[0] == '0' ? two.substr(1) : two; };
  for (const std::string& form : {born, y + "-" + m + "-" + d, y + "." + unpadded(m) + "." + unpadded(d), y + m + d})
    EXPECT_EQ(count("--name farkas --born " + form), all) << form;
  for (const char* bad : {"1961.13.05", "61.01.05", "1961/01/05", "tegnap", "1961.01.05."}) {
    result r = run(std::string("find ") + DOSBER_SAMPLE + " --name farkas --born " + bad);
    EXPECT_EQ(r.status, 2) << bad;
    EXPECT_NE(r.out.find("A születési idő nem értelmezhető"), std::string::npos) << bad;
  }
}

TEST(cli, cardsOfACompanyAndOfAPerson) {
  tempfolder t;
  std::string folder = std::string(DOSBER_SAMPLE) + "/ber02/arpad";
  result r = run("cards " + folder + " --output-dir " + t / "cards");
  ASSERT_EQ(r.status, 0) << r.out;
  auto rows = nlohmann::ordered_json::parse(run("employees --json " + folder).out);
  int files = 0;
  for (auto& e : std::filesystem::directory_iterator(t / "cards")) files += e.path().extension() == ".pdf";
  EXPECT_EQ(files, static_cast<int>(rows.size()));
  std::string first = rows[0]["azon"].get<std::string>() + "_" + rows[0]["bdatum"].get<std::string>() + ".pdf";
  EXPECT_TRUE(std::filesystem::exists(t / ("cards/" + first)));

  std::string azon = rows[0]["azon"];
  r = run(std::string("person-cards ") + DOSBER_SAMPLE + " --azon " + azon + " --output " + t / "person.pdf");
  ASSERT_EQ(r.status, 0) << r.out;
  std::string text = capture("pdftotext -layout " + t / "person.pdf" + " -").out;
  // Every year's card in year order, each numbered on its own.
  size_t at = 0;
  for (const char* year : {"1992", "1995", "1999", "2005"}) {
    size_t found = text.find(std::string("adatai - ") + year, at);
    ASSERT_NE(found, std::string::npos) << year;
    at = found;
  }
  size_t firstpages = 0;
  for (size_t i = text.find("1/"); i != std::string::npos; i = text.find("1/", i + 1))
    if (text.compare(i + 3, 6, ".oldal") == 0 || text.compare(i + 4, 6, ".oldal") == 0) ++firstpages;
  EXPECT_GE(firstpages, 14u);
}

TEST(cli, bulkCardsAreTheCardsOneByOne) {
  tempfolder t;
  std::string folder = std::string(DOSBER_SAMPLE) + "/ber99/kalibra";
  result r = run("cards " + folder + " --output-dir " + t / "cards");
  ASSERT_EQ(r.status, 0) << r.out;
  EXPECT_EQ(r.out.find("kártya"), std::string::npos);  // no progress when standard error is no terminal
  auto rows = nlohmann::ordered_json::parse(run("employees --json " + folder).out);
  // Employments whose identifier and entry date name them alone, among them
  // both employments of a person with two.
  std::map<std::string, int> named;
  for (auto& row : rows) ++named[row["azon"].get<std::string>() + "_" + row["bdatum"].get<std::string>()];
  int compared = 0;
  for (auto& row : rows) {
    std::string azon = row["azon"], entry = row["bdatum"];
    if (named[azon + "_" + entry] != 1 || compared == 6) continue;
    std::string single = t / ("single" + std::to_string(compared) + ".pdf");
    ASSERT_EQ(run("card " + folder + " --azon " + azon + " --entry " + entry + " --output " + single).status, 0);
    std::string bulk = t / ("cards/" + azon + "_" + entry + ".pdf");
    std::string one = capture("pdftotext -layout " + single + " -").out;
    EXPECT_GT(one.size(), 500u);
    EXPECT_EQ(one, capture("pdftotext -layout " + bulk + " -").out) << azon << " " << entry;
    ++compared;
  }
  EXPECT_EQ(compared, 6);
}

TEST(cli, progressLine) {
  struct row {
    int done, total;
    double seconds;
    const char* line;
  };
  const row rows[] = {
      {0, 20000, 0, "0/20000 kártya, 0,0 kártya/s"},
      {1500, 20000, 10, "1500/20000 kártya, 150,0 kártya/s, hátralévő idő: 2:03"},
      {7, 9, 2, "7/9 kártya, 3,5 kártya/s, hátralévő idő: 0:01"},
      {20000, 20000, 125, "20000/20000 kártya, 160,0 kártya/s"},
  };
  for (const row& r : rows) EXPECT_EQ(dosber::progressline(r.done, r.total, r.seconds), r.line);
}
