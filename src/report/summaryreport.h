#pragma once
// The earnings summary as a document, as JSON and as a text table.
#include <memory>
#include <ostream>

#include "report/summary.h"

namespace dosber {
class tpdflist;

// The summary as a document of numbered pages, ready to save: the person's
// data, a row per entry, a bold total row per year of several entries, then
// the skipped folders.
std::unique_ptr<tpdflist> layoutsummary(const earningssummary& summary);

// {"azon", "nev", "szulido", "employments": [...], "years": [...], "skipped": [...]};
// amounts as numbers rounded to the card's two decimals.
void writesummaryjson(std::ostream& out, const earningssummary& summary);
// The person, then aligned columns: a line per entry, a total line per year
// of several entries; the skipped folders at the end.
void writesummarytext(std::ostream& out, const earningssummary& summary);

}  // namespace dosber
