#pragma once
// The wage card ("Karton") of the employment on the employee table's current
// row, laid out from data the caller has loaded: the company load and the
// card data (loadcarddata) of that row.
#include <memory>

#include "archive/archivestate.h"
#include "base/progress.h"
#include "table/table.h"

namespace dosber {
class tpdflist;

// The card as a document of numbered pages, ready to save (savetofile) or to
// append to another document. The employee table must show a row; the bar
// shows the progress of the month grids.
std::unique_ptr<tpdflist> layoutwagecard(const archivestate& state, const memtable& employees,
                                         progress* bar = nullptr);

}  // namespace dosber
