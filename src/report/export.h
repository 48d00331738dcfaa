#pragma once
// Rows as JSON, CSV and plain text: the employee table, the card tables and
// the results of the whole-archive search.
#include <ostream>

#include "archive/archivestate.h"
#include "archive/search.h"
#include "table/table.h"

namespace dosber {

// The rows that pass the filter, in index order, as a JSON array: one object
// a row, keys the field names in field order; texts as strings, numbers as
// numbers.
void writejson(std::ostream& out, const memtable& table);
// The same rows as CSV: a header line of field names, separator ";",
// decimal comma, UTF-8 with a byte order mark, CR LF line ends.
void writecsv(std::ostream& out, const memtable& table);
// The grid's six columns, tab-separated, a line a row.
void writegridtext(std::ostream& out, const memtable& employees);

// {"absences": [...], "items": [...]}: the card tables as JSON.
void writecarddatajson(std::ostream& out, const archivestate& state);

// {"employments": [...], "skipped": [...]}.
void writefoundjson(std::ostream& out, const searchresult& result);
// The "skipped" member of a JSON document: the folders a walk could not read.
class jsonwriter;
void writeskippedjson(jsonwriter& w, const std::vector<skippedfolder>& skipped);

// A tab-separated line an employment.
void writefoundtext(std::ostream& out, const searchresult& result);

}  // namespace dosber
