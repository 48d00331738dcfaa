#pragma once
// The earnings summary ("kereseti összesítő") of one person across the whole
// archive: per card grid of every year and company that employs the person,
// the totals of six rows of the wage card, and their sums per year.
#include <array>
#include <atomic>
#include <functional>
#include <string>
#include <vector>

#include "archive/search.h"
#include "base/progress.h"

namespace dosber {

// The card rows the summary adds up, by the label the card prints.
inline constexpr std::array<const char*, 6> summarylabels{"Bérezett nap", "Ledolgozott nap", "Bruttó",
                                                          "Fiz.TB alap",  "Fiz.nyj alap",    "Nyugdíj jár."};
// Their ÖSSZ values, in the order of the labels, with the card's signs.
using summaryitems = std::array<double, summarylabels.size()>;

// One card grid: one employment of one year and company.
struct summaryentry {
  int year = 0;  // 1992 .. 2005
  std::string yearfolder, companyfolder;  // as on disk
  std::string companyname;
  std::string jvkezd;           // "Jogviszony kezdete" of the grid
  std::string allomanycsoport;  // the staff group label of the grid
  // From the employee row of the identifier whose bdatum is jvkezd; empty
  // when there is none.
  std::string bdatum, kdatum, jogvnev1, jogvnev2;
  summaryitems items{};
};

struct summaryyear {
  int year = 0;
  int entries = 0;
  summaryitems items{};
};

struct earningssummary {
  std::string azon;
  std::string nev, szulido, anyanev;  // from the employee row of the first entry
  bool found = false;  // the identifier has employment records somewhere
  bool cancelled = false;
  std::vector<summaryentry> entries;  // by year, company folder, card order
  std::vector<summaryyear> years;     // the years that have entries, in order
  std::vector<skippedfolder> skipped;
};

// Progress counts the companies of the archive walk, then those that
// employ the person.
using summarycallbacks = workcallbacks;

// Walks every year and company folder of the data folder as the search does;
// each company that employs the person is loaded on its own (a load or card
// read that fails lists the company as skipped). Keeps no shared state, so
// it may run on a worker thread; the callbacks are called on it.
earningssummary summarize(const std::string& datafolder, const std::string& azon,
                          const summarycallbacks& callbacks = {});

}  // namespace dosber
