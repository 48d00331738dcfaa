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
  for (const foundemployment& e : found.employments) {
    if (callbacks.cancel && callbacks.cancel->load()) break;
    std::string folder = joinpath(joinpath(datafolder, e.yearfolder), e.companyfolder);
    try {
      archivestate state;
      memtable table = makeemployeetable();
      loadcompanypath(state, table, folder);
      if (table.active() && table.locate({"azon", "bdatum"}, {e.azon, e.bdatum})) {
        loadcarddata(state, table, nullptr);
        result.document->appendpages(*layoutwagecard(state, table));
        ++result.cards;
      }
    } catch (const std::exception& ex) {
      result.skipped.push_back({joinpath(e.yearfolder, e.companyfolder) + " " + e.bdatum, describe(ex)});
      ++result.failed;
    }
    if (callbacks.progress) callbacks.progress(++done, total);
  }
  return result;
}

}  // namespace dosber
