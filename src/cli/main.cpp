// dosber-cli: the operations of the window for batch work and tests.
// Exit status: 0 success, 1 archive or output error, 2 usage error.
#include <CLI/CLI.hpp>

#include <functional>
#include <iostream>
#include <memory>
#include <string>

#include "archive/archive.h"
#include "archive/archivestate.h"
#include "archive/cardindex.h"
#include "archive/search.h"
#include "base/errors.h"
#include "base/files.h"
#include "base/memory.h"
#include "base/paths.h"
#include "base/settings.h"
#include "base/text.h"
#include "cli/progressline.h"
#include "report/export.h"
#include "report/pdflist.h"
#include "report/wagecard.h"
#include "table/employeetable.h"

using namespace dosber;

namespace {

void toerr(const std::string& message) { std::cerr << message << "\n"; }

// A company folder given whole; false, with the message, when it is none.
bool loadcompany(archivestate& state, memtable& table, const std::string& folder) {
  if (loadcompanypath(state, table, folder)) return true;
  toerr(not_a_company);
  return false;
}

// Loads the company and puts the table on the first row of azon.
bool loadandfind(archivestate& state, memtable& table, const std::string& folder, const std::string& azon) {
  if (!loadcompany(state, table, folder)) return false;
  if (!table.active() || !table.locate({"azon"}, {azon})) {
    toerr("Nincs ilyen azonosító: " + azon);
    return false;
  }
  return true;
}

// The wage card of the table's current row from its loaded card data,
// saved; false with the writer's message.
bool writecard(const archivestate& state, const memtable& table, const std::string& path,
               const std::function<void(const std::string&)>& onmessage = toerr) {
  std::unique_ptr<tpdflist> card = layoutwagecard(state, table);
  card->onmessage = onmessage;
  card->savetofile(path);
  return card->saved;
}

// A file name from a text: characters that are unsafe in file names become "_".
std::string safename(const std::string& s) {
  std::string out;
  for (unsigned char c : s)
    out.push_back(c < 32 || std::string_view("/\\:*?\"<>| ").find(static_cast<char>(c)) != std::string_view::npos
                      ? '_'
                      : static_cast<char>(c));
  return out;
}

int employees(const std::string& folder, bool json, bool csv, const std::string* filter) {
  archivestate state;
  memtable table = makeemployeetable();
  if (!loadcompany(state, table, folder)) return 1;
  if (filter) filterbyname(table, trimcontrol(*filter));
  if (json)
    writejson(std::cout, table);
  else if (csv)
    writecsv(std::cout, table);
  else
    writegridtext(std::cout, table);
  return 0;
}

int carddata(const std::string& folder, const std::string& azon) {
  archivestate state;
  memtable table = makeemployeetable();
  if (!loadandfind(state, table, folder, azon)) return 1;
  loadcarddata(state, table, nullptr);
  writecarddatajson(std::cout, state);
  return 0;
}

int card(const std::string& folder, const std::string& azon, const std::string& entry, const std::string& output) {
  archivestate state;
  memtable table = makeemployeetable();
  if (!loadandfind(state, table, folder, azon)) return 1;
  if (!entry.empty() && !table.locate({"azon", "bdatum"}, {azon, entry})) {
    toerr("Nincs ilyen jogviszony: " + azon + " " + entry);
    return 1;
  }
  std::string path = output.empty() ? cardpdfpath() : output;
  loadcarddata(state, table, nullptr);
  if (!writecard(state, table, path)) return 1;
  std::cout << path << "\n";
  return 0;
}

int find(const std::string& datafolder, const searchquery& q, bool json) {
  searchresult r = findemployments(datafolder, q);
  if (json) {
    writefoundjson(std::cout, r);
    return 0;
  }
  writefoundtext(std::cout, r);
  for (const auto& s : r.skipped) toerr("Kihagyva: " + s.folder + ": " + s.message);
  return 0;
}

// Every card of the company from one pass over its card files.
int cards(const std::string& folder, const std::string& outdir) {
  archivestate state;
  memtable table = makeemployeetable();
  if (!loadcompany(state, table, folder)) return 1;
  if (!table.active()) return 0;
  cardindex index(state);
  size_t n = table.visiblecount();
  progressmeter meter(static_cast<int>(n));
  auto message = [&](const std::string& m) { meter.message(m); };
  int failed = 0;
  for (size_t i = 0; i < n; ++i) {
    table.moveto(i);
    std::string path = joinpath(outdir, safename(table.text("azon") + "_" + table.text("bdatum")) + ".pdf");
    try {
      index.load(state, table);
      if (writecard(state, table, path, message))
        std::cout << path << "\n";
      else
        ++failed;
    } catch (const std::exception& e) {
      message(table.text("azon") + " " + table.text("bdatum") + ": " + describe(e));
      ++failed;
    }
    meter.step();
  }
  return failed ? 1 : 0;
}

int personcards(const std::string& datafolder, const std::string& azon, const std::string& output) {
  searchquery q;
  q.azon = azon;
  searchresult found = findemployments(datafolder, q);
  for (const auto& s : found.skipped) toerr("Kihagyva: " + s.folder + ": " + s.message);
  if (found.employments.empty()) {
    toerr("Nincs ilyen azonosító: " + azon);
    return 1;
  }
  tpdflist all;
  progressmeter meter(static_cast<int>(found.employments.size()));
  // The employments come by year and company, all of the one identifier: a
  // company is loaded and its card files read once for all of them.
  std::unique_ptr<archivestate> state;
  memtable table = makeemployeetable();
  std::string loaded;
  bool carddata = false;
  for (const auto& e : found.employments) {
    std::string folder = joinpath(joinpath(datafolder, e.yearfolder), e.companyfolder);
    if (!state || folder != loaded) {
      state = std::make_unique<archivestate>();
      loadcompanypath(*state, table, folder);
      loaded = folder;
      carddata = false;
    }
    if (table.active() && table.locate({"azon", "bdatum"}, {e.azon, e.bdatum})) {
      if (!carddata) loadcarddata(*state, table, nullptr);
      carddata = true;
      all.appendpages(*layoutwagecard(*state, table));
    }
    meter.step();
  }
  if (!ensurefolder(output)) {
    toerr("A fájl könyvtárának létrehozása sikertelen!");
    return 1;
  }
  savefile(output, all.render());
  std::cout << output << "\n";
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  usehugepageheap();
  CLI::App app{"dosber-cli: 1992-2005 közti bérek lekérdezése (DOS)"};
  app.require_subcommand(1);

  std::string datafolder, yearfolder, companyfolder, filter, azon, entry, output, name, born, outdir;
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

  auto* cd = app.add_subcommand("card-data", "The card tables of one employee");
  cd->add_option("COMPANY_FOLDER", companyfolder)->required();
  cd->add_option("--azon", azon, "Identification number of the employee")->required();
  cd->add_flag("--json", json, "JSON output (the only form)");

  auto* cardcmd = app.add_subcommand("card", "The wage card of one employment as PDF (no viewer)");
  cardcmd->add_option("COMPANY_FOLDER", companyfolder)->required();
  cardcmd->add_option("--azon", azon, "Identification number of the employee")->required();
  cardcmd->add_option("--entry", entry, "Entry date YYYY.MM.DD of the employment");
  cardcmd->add_option("--output", output, "The PDF file (default: the fixed card path)");

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
      for (const auto& n : yearfolders(datafolder)) std::cout << n << "\n";
    } else if (*companies) {
      for (const auto& n : companyfolders(yearfolder)) std::cout << n << "\n";
    } else if (*emp) {
      return employees(companyfolder, json, csv, filteropt->count() > 0 ? &filter : nullptr);
    } else if (*cd) {
      return carddata(companyfolder, azon);
    } else if (*cardcmd) {
      return card(companyfolder, azon, entry, output);
    } else if (*findcmd) {
      return find(datafolder, searchquery{name, born, azon}, json);
    } else if (*cardscmd) {
      return cards(companyfolder, outdir);
    } else if (*personcmd) {
      return personcards(datafolder, azon, output);
    }
  } catch (const std::exception& e) {
    toerr(describe(e));
    return 1;
  }
  return 0;
}
