#include "report/personcards.h"

#include "archive/archive.h"
#include "archive/archivestate.h"
#include "base/errors.h"
#include "base/paths.h"
#include "report/pdflist.h"
#include "report/wagecard.h"
#include "table/employeetable.h"

namespace dosber {

personcardsresult layoutpersoncards(const std::string& datafolder, const std::string& azon,
                                    const workcallbacks& callbacks) {
  personcardsresult result;
  searchquery q;
  q.azon = azon;
  searchresult found = findemployments(datafolder, q, {nullptr, nullptr, callbacks.cancel});
  result.skipped = found.skipped;
  if (found.employments.empty()) return result;
  result.document = std::make_unique<tpdflist>();
  int total = static_cast<int>(found.employments.size()), done = 0;
  // The employments come by year and company, all of the one identifier: a
  // company is loaded and its card files read once for all of them.
  std::unique_ptr<archivestate> state;
  memtable table = makeemployeetable();
  std::string loaded;
  bool carddata = false;
  for (const foundemployment& e : found.employments) {
    if (callbacks.cancel && callbacks.cancel->load()) break;
    std::string folder = joinpath(joinpath(datafolder, e.yearfolder), e.companyfolder);
    try {
      if (!state || folder != loaded) {
        state = std::make_unique<archivestate>();
        loaded = folder;
        carddata = false;
        loadcompanypath(*state, table, folder);
      }
      if (table.active() && table.locate({"azon", "bdatum"}, {e.azon, e.bdatum})) {
        if (!carddata) loadcarddata(*state, table, nullptr);
        carddata = true;
        result.document->appendpages(*layoutwagecard(*state, table));
        ++result.cards;
      }
    } catch (const std::exception& ex) {
      result.skipped.push_back({joinpath(e.yearfolder, e.companyfolder) + " " + e.bdatum, describe(ex)});
      ++result.failed;
      state.reset();  // a company that failed is loaded afresh for its next employment
    }
    if (callbacks.progress) callbacks.progress(++done, total);
  }
  return result;
}

}  // namespace dosber
