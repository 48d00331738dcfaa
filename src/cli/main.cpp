// dosber-cli: the operations of the window for batch work and tests.
// Exit status: 0 success, 1 archive or output error, 2 usage error.
#include <CLI/CLI.hpp>

#include <iostream>
#include <nlohmann/json.hpp>
#include <string>

#include "archive/archivestate.h"
#include "archive/cp852.h"
#include "archive/dispatch.h"
#include "archive/errors.h"
#include "archive/paths.h"
#include "archive/search.h"
#include "report/pdflist.h"
#include "report/savefile.h"
#include "app/settings.h"
#include "report/format.h"
#include "report/wagecard.h"
#include "table/employeetable.h"

using namespace dosber;

namespace {

nlohmann::ordered_json rowjson(const memtable& t, size_t row) {
  nlohmann::ordered_json o;
  for (int f = 0; f < t.fieldcount(); ++f) {
    value v = t.getat(row, f);
    const std::string& name = t.field(f).name;
    if (auto s = std::get_if<std::string>(&v)) o[name] = *s;
    else if (auto i = std::get_if<int32_t>(&v)) o[name] = *i;
    else if (auto d = std::get_if<double>(&v)) o[name] = *d;
    else if (auto b = std::get_if<bool>(&v)) o[name] = *b;
    else o[name] = nullptr;
  }
  return o;
}

std::string csvcell(std::string s) {
  if (s.find_first_of(";\"\r\n") == std::string::npos) return s;
  std::string out = "\"";
  for (char c : s) {
    if (c == '"') out += '"';
    out += c;
  }
  return out + "\"";
}

std::string celltext(const memtable& t, size_t row, int f) {
  value v = t.getat(row, f);
  if (auto s = std::get_if<std::string>(&v)) return *s;
  if (auto i = std::get_if<int32_t>(&v)) return std::to_string(*i);
  if (auto d = std::get_if<double>(&v)) return generalnumber(*d);
  if (auto b = std::get_if<bool>(&v)) return *b ? "Igen" : "Nem";
  return {};
}

int employees(const std::string& folder, bool json, bool csv, const std::string& filter, bool hasfilter) {
  archivestate state;
  memtable table = makeemployeetable();
  if (loadcompanypath(state, table, folder) == loadresult::notacompany) {
    std::cerr << "Nem megfelelő adatkönyvtár!\n";
    return 1;
  }
  if (!table.active()) rebuildemployeetable(table);
  if (hasfilter) filterbyname(table, std::string(trimcontrol(filter)));
  size_t n = table.visiblecount();
  if (json) {
    nlohmann::ordered_json rows = nlohmann::ordered_json::array();
    for (size_t i = 0; i < n; ++i) rows.push_back(rowjson(table, table.rowat(i)));
    std::cout << rows.dump(2) << "\n";
  } else if (csv) {
    std::cout << "\xEF\xBB\xBF";
    for (int f = 0; f < table.fieldcount(); ++f) std::cout << (f ? ";" : "") << table.field(f).name;
    std::cout << "\r\n";
    for (size_t i = 0; i < n; ++i) {
      size_t row = table.rowat(i);
      for (int f = 0; f < table.fieldcount(); ++f) std::cout << (f ? ";" : "") << csvcell(celltext(table, row, f));
      std::cout << "\r\n";
    }
  } else {
    int nev = table.fieldindex("nev"), szulido = table.fieldindex("szulido"), jogvnev1 = table.fieldindex("jogvnev1"),
        jogvnev2 = table.fieldindex("jogvnev2"), bdatum = table.fieldindex("bdatum"),
        kdatum = table.fieldindex("kdatum");
    for (size_t i = 0; i < n; ++i) {
      size_t row = table.rowat(i);
      std::cout << table.textat(row, nev) << "\t" << table.textat(row, szulido) << "\t"
                << table.textat(row, jogvnev1) << "\t" << table.textat(row, jogvnev2) << "\t"
                << table.textat(row, bdatum) << "\t" << table.textat(row, kdatum) << "\n";
    }
  }
  return 0;
}

nlohmann::ordered_json tablejson(memtable& t) {
  nlohmann::ordered_json rows = nlohmann::ordered_json::array();
  if (!t.active()) return rows;
  for (size_t i = 0; i < t.visiblecount(); ++i) rows.push_back(rowjson(t, t.rowat(i)));
  return rows;
}

// Loads the company and puts the table on the first row of azon.
bool loadandfind(archivestate& state, memtable& table, const std::string& folder, const std::string& azon) {
  if (loadcompanypath(state, table, folder) == loadresult::notacompany) {
    std::cerr << "Nem megfelelő adatkönyvtár!\n";
    return false;
  }
  if (!table.active() || !table.locate({"azon"}, {azon})) {
    std::cerr << "Nincs ilyen azonosító: " << azon << "\n";
    return false;
  }
  return true;
}

int card(const std::string& folder, const std::string& azon, const std::string& entry, const std::string& output) {
  archivestate state;
  memtable table = makeemployeetable();
  if (!loadandfind(state, table, folder, azon)) return 1;
  if (!entry.empty() && !table.locate({"azon", "bdatum"}, {azon, entry})) {
    std::cerr << "Nincs ilyen jogviszony: " << azon << " " << entry << "\n";
    return 1;
  }
  cardrequest request;
  request.output = output.empty() ? cardpdfpath() : output;
  request.onmessage = [](const std::string& m) { std::cerr << m << "\n"; };
  if (!makewagecard(state, table, request)) return 1;
  std::cout << request.output << "\n";
  return 0;
}

int find(const std::string& datafolder, const searchquery& q, bool json) {
  searchresult r = findemployments(datafolder, q);
  if (json) {
    nlohmann::ordered_json out;
    out["employments"] = nlohmann::ordered_json::array();
    for (const auto& e : r.employments)
      out["employments"].push_back({{"year", e.year},
                                    {"year_folder", e.yearfolder},
                                    {"company_folder", e.companyfolder},
                                    {"company_name", e.companyname},
                                    {"azon", e.azon},
                                    {"nev", e.nev},
                                    {"szulido", e.szulido},
                                    {"bdatum", e.bdatum},
                                    {"kdatum", e.kdatum},
                                    {"jogvnev1", e.jogvnev1},
                                    {"jogvnev2", e.jogvnev2},
                                    {"archived", e.archived}});
    out["skipped"] = nlohmann::ordered_json::array();
    for (const auto& s : r.skipped) out["skipped"].push_back({{"folder", s.folder}, {"message", s.message}});
    std::cout << out.dump(2) << "\n";
  } else {
    for (const auto& e : r.employments)
      std::cout << e.year << "\t" << e.companyfolder << "\t" << e.companyname << "\t" << e.azon << "\t" << e.nev
                << "\t" << e.szulido << "\t" << e.bdatum << "\t" << e.kdatum << "\t" << e.jogvnev1 << "\t"
                << e.jogvnev2 << (e.archived ? "\tarchivált" : "") << "\n";
    for (const auto& s : r.skipped) std::cerr << "Kihagyva: " << s.folder << ": " << s.message << "\n";
  }
  return 0;
}

// A file name from a text: characters that are unsafe in file names become "_".
std::string safename(const std::string& s) {
  std::string out;
  for (unsigned char c : s) out.push_back(c < 32 || std::string_view("/\\:*?\"<>| ").find(static_cast<char>(c)) != std::string_view::npos ? '_' : static_cast<char>(c));
  return out;
}

int cards(const std::string& folder, const std::string& outdir) {
  archivestate state;
  memtable table = makeemployeetable();
  if (loadcompanypath(state, table, folder) == loadresult::notacompany) {
    std::cerr << "Nem megfelelő adatkönyvtár!\n";
    return 1;
  }
  if (!table.active()) return 0;
  int failed = 0;
  size_t n = table.visiblecount();
  for (size_t i = 0; i < n; ++i) {
    table.moveto(i);
    cardrequest request;
    request.output = joinpath(outdir, safename(table.text("azon") + "_" + table.text("bdatum")) + ".pdf");
    request.onmessage = [](const std::string& m) { std::cerr << m << "\n"; };
    try {
      if (makewagecard(state, table, request))
        std::cout << request.output << "\n";
      else
        ++failed;
    } catch (const std::exception& e) {
      std::cerr << table.text("azon") << " " << table.text("bdatum") << ": " << describe(e) << "\n";
      ++failed;
    }
  }
  return failed ? 1 : 0;
}

int personcards(const std::string& datafolder, const std::string& azon, const std::string& output) {
  searchquery q;
  q.azon = azon;
  searchresult found = findemployments(datafolder, q);
  for (const auto& s : found.skipped) std::cerr << "Kihagyva: " << s.folder << ": " << s.message << "\n";
  if (found.employments.empty()) {
    std::cerr << "Nincs ilyen azonosító: " << azon << "\n";
    return 1;
  }
  tpdflist all;
  for (const auto& e : found.employments) {
    archivestate state;
    memtable table = makeemployeetable();
    loadcompanypath(state, table, joinpath(joinpath(datafolder, e.yearfolder), e.companyfolder));
    if (!table.active() || !table.locate({"azon", "bdatum"}, {e.azon, e.bdatum})) continue;
    cardrequest request;
    request.collect = &all;
    makewagecard(state, table, request);
  }
  if (!ensurefolder(output)) {
    std::cerr << "A fájl könyvtárának létrehozása sikertelen!\n";
    return 1;
  }
  savefile(output, all.render());
  std::cout << output << "\n";
  return 0;
}

int carddata(const std::string& folder, const std::string& azon) {
  archivestate state;
  memtable table = makeemployeetable();
  if (!loadandfind(state, table, folder, azon)) return 1;
  loadcarddata(state, table, nullptr);
  nlohmann::ordered_json out;
  out["absences"] = tablejson(state.absences);
  out["items"] = tablejson(state.items);
  std::cout << out.dump(2) << "\n";
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  CLI::App app{"dosber-cli: 1992-2005 közti bérek lekérdezése (DOS)"};
  app.require_subcommand(1);

  std::string datafolder, yearfolder, companyfolder, filter;
  bool json = false, csv = false;

  auto* years = app.add_subcommand("years", "List the year folders of a data folder");
  years->add_option("DATA_FOLDER", datafolder)->required();
  auto* companies = app.add_subcommand("companies", "List the company folders of a year folder");
  companies->add_option("YEAR_FOLDER", yearfolder)->required();
  auto* emp = app.add_subcommand("employees", "List the employment records of a company");
  emp->add_option("COMPANY_FOLDER", companyfolder)->required();
  auto* jsonflag = emp->add_flag("--json", json, "JSON array, one object a row");
  auto* csvflag = emp->add_flag("--csv", csv, "CSV with a header line");
  jsonflag->excludes(csvflag);
  auto* filteropt = emp->add_option("--filter", filter, "Only names containing TEXT");

  std::string azon;
  auto* cd = app.add_subcommand("card-data", "The card tables of one employee");
  cd->add_option("COMPANY_FOLDER", companyfolder)->required();
  cd->add_option("--azon", azon, "Identification number of the employee")->required();
  cd->add_flag("--json", json, "JSON output (the only form)");

  std::string entry, output;
  auto* cardcmd = app.add_subcommand("card", "The wage card of one employment as PDF (no viewer)");
  cardcmd->add_option("COMPANY_FOLDER", companyfolder)->required();
  cardcmd->add_option("--azon", azon, "Identification number of the employee")->required();
  cardcmd->add_option("--entry", entry, "Entry date YYYY.MM.DD of the employment");
  cardcmd->add_option("--output", output, "The PDF file (default: the fixed card path)");

  std::string name, born, outdir;
  auto* findcmd = app.add_subcommand("find", "Every employment of a person in the whole archive");
  findcmd->add_option("DATA_FOLDER", datafolder)->required();
  findcmd->add_option("--name", name, "Part of the name (letter case ignored)")->required();
  findcmd->add_option("--born", born, "Birth date YYYY.MM.DD");
  findcmd->add_option("--azon", azon, "Identification number");
  findcmd->add_flag("--json", json, "JSON output");
  auto* cardscmd = app.add_subcommand("cards", "The wage card of every employment of a company, one file each");
  cardscmd->add_option("COMPANY_FOLDER", companyfolder)->required();
  cardscmd->add_option("--output-dir", outdir, "Folder of the PDF files")->required();
  auto* personcmd = app.add_subcommand("person-cards", "Every wage card of a person in the archive, in one PDF");
  personcmd->add_option("DATA_FOLDER", datafolder)->required();
  personcmd->add_option("--azon", azon, "Identification number")->required();
  personcmd->add_option("--output", output, "The PDF file")->required();

  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& e) {
    int code = app.exit(e);
    return e.get_exit_code() == 0 ? 0 : (code == 0 ? 0 : 2);
  }

  try {
    if (*years) {
      for (const auto& name : yearfolders(datafolder)) std::cout << name << "\n";
    } else if (*companies) {
      for (const auto& name : companyfolders(yearfolder)) std::cout << name << "\n";
    } else if (*emp) {
      return employees(companyfolder, json, csv, filter, filteropt->count() > 0);
    } else if (*findcmd) {
      return find(datafolder, searchquery{name, born, azon}, json);
    } else if (*cardscmd) {
      return cards(companyfolder, outdir);
    } else if (*personcmd) {
      return personcards(datafolder, azon, output);
    } else if (*cardcmd) {
      return card(companyfolder, azon, entry, output);
    } else if (*cd) {
      return carddata(companyfolder, azon);
    }
  } catch (const std::exception& e) {
    std::cerr << describe(e) << "\n";
    return 1;
  }
  return 0;
}
