#pragma once
// The constant code tables of the year readers and the fixed tax labels.
#include "archive/namevaluelist.h"
#include "archive/yearlayouts.h"

namespace dosber {

// Code table loader: empties the list, then adds code "=" label for every
// entry of the year's column (labels trimmed, codes as they stand).
void loadabsencecodes(const yearinfo& year, namevaluelist& list);
void loadstaffgroups(const yearinfo& year, namevaluelist& list);
void loademploymenttypes(const yearinfo& year, namevaluelist& list);
// From 1998: entries held as code and label written together; the code is
// the first three characters of the trimmed entry.
void loademploymentstatuses(const yearinfo& year, namevaluelist& list);

// Registers the fixed 800/900 labels of the year in the item name list.
void registertaxlabels(const yearinfo& year, namevaluelist& itemnames);

// The six wage form entries, in order (trailing blanks belong to them); the
// list is the same in every year and is filled once.
void fillwageforms(namevaluelist& list);

}  // namespace dosber
