#pragma once
// The month grids of a wage card: one grid per employment (identifier and
// employment start) of the item table, each item class and code once with
// its twelve months and their total. The card prints them; the earnings
// summary adds up their totals.
#include <array>
#include <string>
#include <vector>

#include "archive/archivestate.h"

namespace dosber {

struct gridrow {
  std::string kodtip, kod;
  std::string megnev;  // the item name as the grid prints it
  std::array<double, 12> months{};
  double ossz = 0;  // months outside 01-12 count here only
};

struct cardgrid {
  std::string jvkezd;    // employment start of the grid's first item row
  std::string jogvkod1;  // staff group code of that row
  std::vector<gridrow> rows;  // ordered by kodtip, then kod
};

// The grids of the card tables in item table order. Classes 4 and 5 are
// deduction-like: their amounts are negated.
std::vector<cardgrid> cardgrids(const archivestate& state);

}  // namespace dosber
