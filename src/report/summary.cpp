#include "report/summary.h"

#include <algorithm>
#include <cstdlib>
#include <set>
#include <utility>

#include "archive/archive.h"
#include "base/errors.h"
#include "base/paths.h"
#include "report/cardgrids.h"
#include "table/employeetable.h"

namespace dosber {
namespace {

struct company {
  std::string yearfolder, companyfolder;
};

// The companies of the found employments, each once, in the search's order.
std::vector<company> companiesof(const searchresult& found) {
  std::vector<company> out;
  std::set<std::pair<std::string, std::string>> seen;
  for (const foundemployment& e : found.employments)
    if (seen.emplace(e.yearfolder, e.companyfolder).second)
      out.push_back({e.yearfolder, e.companyfolder});
  return out;
}

void takeperson(earningssummary& s, const memtable& employees) {
  s.nev = employees.text("nev");
  s.szulido = employees.text("szulido");
  s.anyanev = employees.text("anyanev");
}

void addyears(earningssummary& s) {
  for (const summaryentry& e : s.entries) {
    if (s.years.empty() || s.years.back().year != e.year) s.years.push_back({e.year, 0, {}});
    summaryyear& y = s.years.back();
    ++y.entries;
    for (size_t k = 0; k < y.items.size(); ++k) y.items[k] += e.items[k];
  }
}

// The entries of a loaded company whose card data is that of azon: one per
// card grid, in card order; the folders are left to the caller.
std::vector<summaryentry> summaryentries(const archivestate& state, memtable& employees, const std::string& azon) {
  std::vector<summaryentry> out;
  for (const cardgrid& grid : cardgrids(state)) {
    summaryentry e;
    e.year = std::atoi(state.yeartext.c_str());
    e.companyname = state.companyname;
    e.jvkezd = grid.jvkezd;
    e.allomanycsoport = state.staffgroups.value(grid.jogvkod1);
    if (employees.active() && employees.locate({"azon", "bdatum"}, {azon, grid.jvkezd})) {
      e.bdatum = employees.text("bdatum");
      e.kdatum = employees.text("kdatum");
      e.jogvnev1 = employees.text("jogvnev1");
      e.jogvnev2 = employees.text("jogvnev2");
    }
    for (const gridrow& r : grid.rows)
      for (size_t k = 0; k < summarylabels.size(); ++k)
        if (r.megnev == summarylabels[k]) e.items[k] += r.ossz;
    out.push_back(std::move(e));
  }
  return out;
}

}  // namespace

earningssummary summarize(const std::string& datafolder, const std::string& azon, const summarycallbacks& callbacks) {
  earningssummary s;
  s.azon = azon;
  if (azon.empty()) return s;

  // The walk's total grows by the companies found so far, so that the bar
  // runs once from start to end.
  int walked = 0, foundcompanies = 0;
  searchcallbacks walk;
  walk.cancel = callbacks.cancel;
  walk.found = [&](const std::vector<foundemployment>&) { ++foundcompanies; };
  walk.progress = [&](int done, int total) {
    walked = total;
    if (callbacks.progress) callbacks.progress(done, total + foundcompanies);
  };
  searchquery query;
  query.azon = azon;
  searchresult found = findemployments(datafolder, query, walk);
  s.found = !found.employments.empty();
  s.skipped = std::move(found.skipped);

  std::vector<company> companies = companiesof(found);
  bool haveperson = false, personfromentry = false;
  for (size_t i = 0; i < companies.size(); ++i) {
    if (callbacks.cancel && callbacks.cancel->load()) break;
    const company& c = companies[i];
    std::string folder = joinpath(joinpath(datafolder, c.yearfolder), c.companyfolder);
    try {
      archivestate state;
      memtable employees = makeemployeetable();
      if (!loadcompanypath(state, employees, folder, nullptr, azon)) throw failure(not_a_company, folder);
      if (!employees.active() || !employees.locate({"azon"}, {azon}))
        throw failure("Nincs ilyen azonosító: " + azon, folder);
      if (!haveperson) takeperson(s, employees);
      haveperson = true;
      loadcarddata(state, employees, nullptr);
      std::vector<summaryentry> entries = summaryentries(state, employees, azon);
      if (!entries.empty() && !personfromentry) {
        // The first entry's employee row, else the person's first row here.
        const summaryentry& first = entries.front();
        if (!employees.locate({"azon", "bdatum"}, {azon, first.jvkezd})) employees.locate({"azon"}, {azon});
        takeperson(s, employees);
        personfromentry = true;
      }
      for (summaryentry& e : entries) {
        e.yearfolder = c.yearfolder;
        e.companyfolder = c.companyfolder;
        s.entries.push_back(std::move(e));
      }
    } catch (const std::exception& e) {
      s.skipped.push_back({joinpath(c.yearfolder, c.companyfolder), describe(e)});
    }
    if (callbacks.progress)
      callbacks.progress(walked + static_cast<int>(i) + 1, walked + static_cast<int>(companies.size()));
  }
  s.cancelled = callbacks.cancel && callbacks.cancel->load();
  std::stable_sort(s.skipped.begin(), s.skipped.end(),
                   [](const skippedfolder& a, const skippedfolder& b) { return a.folder < b.folder; });
  addyears(s);
  return s;
}

}  // namespace dosber
