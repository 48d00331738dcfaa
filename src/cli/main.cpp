// dosber-cli: the operations of the window for batch work and tests.
// Exit status: 0 success, 1 archive or output error, 2 usage error.
#include <CLI/CLI.hpp>

#include <functional>
#include <unistd.h>

#include <iostream>
#include <mutex>
#include <set>
#include <memory>
#include <string>

#include "archive/archive.h"
#include "archive/archivestate.h"
#include "archive/cardindex.h"
#include "archive/search.h"
#include "base/errors.h"
#include "base/files.h"
#include "base/format.h"
#include "base/memory.h"
#include "base/paths.h"
#include "base/settings.h"
#include "base/text.h"
#include "base/version.h"
#include "cli/progressline.h"
#include "report/bulkwriter.h"
#include "report/export.h"
#include "report/pdflist.h"
#include "report/personcards.h"
#include "report/summaryreport.h"
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

int find(const std::string& datafolder, searchquery q, bool json) {
  if (!q.born.empty()) {
    std::optional<std::string> date = readdate(q.born);
    if (!date) {
      toerr(unreadabledate(q.born));
      return 2;
    }
    q.born = *date;
  }
  searchresult r = findemployments(datafolder, q);
  if (json) {
    writefoundjson(std::cout, r);
    return 0;
  }
  writefoundtext(std::cout, r);
  for (const auto& s : r.skipped) toerr("Kihagyva: " + s.folder + ": " + s.message);
  return 0;
}

// A bulk output folder that exists, or can be made, and takes files; false
// with the message otherwise.
bool outputfolder(const std::string& folder) {
  if (!ensurefolder(joinpath(folder, "x"))) {
    toerr("A kimeneti könyvtár nem hozható létre: " + folder);
    return false;
  }
  if (::access(folder.c_str(), W_OK) != 0) {
    toerr("A kimeneti könyvtárba nem lehet írni (" + systemreason(errno) + "): " + folder);
    return false;
  }
  return true;
}

// "N kártya kész, M hiba": on a terminal, and wherever something failed.
void bulksummary(progressmeter& meter, int done, int failed) {
  if (failed || isatty(STDERR_FILENO) == 1)
    meter.message(std::to_string(done) + " kártya kész, " + std::to_string(failed) + " hiba");
}

// Every card of the company from one pass over its card files. A card that
// fails is told and the others are still written.
int cards(const std::string& folder, const std::string& outdir) {
  archivestate state;
  memtable table = makeemployeetable();
  if (!loadcompany(state, table, folder)) return 1;
  if (!table.active()) return 0;
  if (!outputfolder(outdir)) return 1;
  cardindex index(state);
  size_t n = table.visiblecount();
  progressmeter meter(static_cast<int>(n));
  std::mutex said;  // the writing thread and this one both report
  auto message = [&](const std::string& m) {
    std::lock_guard<std::mutex> guard(said);
    meter.message(m);
  };
  int done = 0, failed = 0;
  bulkwriter writer([&](const std::string& path, bool saved, const std::string& why) {
    std::lock_guard<std::mutex> guard(said);
    if (saved) {
      std::cout << path << "\n";
      ++done;
    } else {
      meter.message(why);
      ++failed;
    }
    meter.step();
  });
  // Two employments of one person that begin on the same day would get the
  // same name: the later ones are numbered.
  std::set<std::string> used;
  for (size_t i = 0; i < n; ++i) {
    table.moveto(i);
    std::string base = safename(table.text("azon") + "_" + table.text("bdatum")), name = base;
    for (int k = 2; !used.insert(name).second; ++k) name = base + "_" + std::to_string(k);
    try {
      index.load(state, table);
      writer.save(layoutwagecard(state, table), joinpath(outdir, name + ".pdf"));
    } catch (const std::exception& e) {
      message(table.text("azon") + " " + table.text("bdatum") + ": " + describe(e));
      std::lock_guard<std::mutex> guard(said);
      ++failed;
      meter.step();
    }
  }
  writer.finish();
  bulksummary(meter, done, failed);
  return failed ? 1 : 0;
}

int personcards(const std::string& datafolder, const std::string& azon, const std::string& output) {
  progressmeter meter(0);
  workcallbacks callbacks;
  callbacks.progress = [&meter](int done, int total) { meter.at(done, total); };
  personcardsresult r = layoutpersoncards(datafolder, azon, callbacks);
  for (const auto& s : r.skipped) meter.message("Kihagyva: " + s.folder + ": " + s.message);
  if (!r.document) {
    meter.message("Nincs ilyen azonosító: " + azon);
    return 1;
  }
  if (!ensurefolder(output)) {
    meter.message("A fájl könyvtárának létrehozása sikertelen!\nKönyvtár: " + parentpath(output));
    return 1;
  }
  try {
    savefile(output, r.document->render());
  } catch (const std::exception& e) {
    meter.message(describe(e));
    bulksummary(meter, 0, r.cards + r.failed);
    return 1;
  }
  std::cout << output << "\n";
  bulksummary(meter, r.cards, r.failed);
  return r.failed ? 1 : 0;
}

int summary(const std::string& datafolder, const std::string& azon, bool json, const std::string& output) {
  earningssummary s = summarize(datafolder, azon);
  if (!s.found) {
    for (const auto& k : s.skipped) toerr("Kihagyva: " + k.folder + ": " + k.message);
    toerr("Nincs ilyen azonosító: " + azon);
    return 1;
  }
  if (json) {
    writesummaryjson(std::cout, s);
  } else if (!output.empty()) {
    std::unique_ptr<tpdflist> document = layoutsummary(s);
    document->onmessage = toerr;
    document->savetofile(output);
    if (!document->saved) return 1;
    std::cout << output << "\n";
  } else {
    writesummarytext(std::cout, s);
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  usehugepageheap();
  CLI::App app{"dosber-cli: 1992-2005 közti bérek lekérdezése (DOS)"};
  app.require_subcommand(1);
  app.set_version_flag("--version", versionline, "Print the version and exit");

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
  findcmd->add_option("--name", name, "Part of the name (letter case and accents ignored)")->required();
  findcmd->add_option("--born", born, "Birth date YYYY.MM.DD, YYYY-MM-DD, YYYY.M.D or YYYYMMDD");
  findcmd->add_option("--azon", azon, "Identification number");
  bool exactaccents = false;
  findcmd->add_flag("--exact-accents", exactaccents, "Accents of the name must match (letter case is ignored)");
  findcmd->add_flag("--json", json, "JSON output");

  auto* cardscmd = app.add_subcommand("cards", "The wage card of every employment of a company, one file each");
  cardscmd->add_option("COMPANY_FOLDER", companyfolder)->required();
  cardscmd->add_option("--output-dir", outdir, "Folder of the PDF files")->required();

  auto* personcmd = app.add_subcommand("person-cards", "Every wage card of a person in the archive, in one PDF");
  personcmd->add_option("DATA_FOLDER", datafolder)->required();
  personcmd->add_option("--azon", azon, "Identification number")->required();
  personcmd->add_option("--output", output, "The PDF file")->required();

  auto* summarycmd = app.add_subcommand("summary", "The earnings summary of a person across the whole archive");
  summarycmd->add_option("DATA_FOLDER", datafolder)->required();
  summarycmd->add_option("--azon", azon, "Identification number")->required();
  auto* summaryjson = summarycmd->add_flag("--json", json, "JSON output");
  summarycmd->add_option("--output", output, "The PDF file")->excludes(summaryjson);

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
      return find(datafolder, searchquery{name, born, azon, exactaccents}, json);
    } else if (*cardscmd) {
      return cards(companyfolder, outdir);
    } else if (*personcmd) {
      return personcards(datafolder, azon, output);
    } else if (*summarycmd) {
      return summary(datafolder, azon, json, output);
    }
  } catch (const std::exception& e) {
    toerr(describe(e));
    return 1;
  }
  return 0;
}
