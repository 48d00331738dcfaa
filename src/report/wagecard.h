#pragma once
// The wage card ("Karton") of the employee table's current row.
#include <functional>
#include <string>

#include "archive/archivestate.h"
#include "archive/progress.h"
#include "table/table.h"

namespace dosber {
class tpdflist;

struct cardrequest {
  std::string output;          // the PDF file
  bool defaultviewer = true;   // open with the system's default application
  progress* bar = nullptr;
  std::function<void(const std::string&)> onmessage;
  std::function<void(const std::string& file, bool defaultviewer)> onshow;
  // When set, the numbered pages of the card are appended to this document
  // instead of being saved and opened.
  tpdflist* collect = nullptr;
  // Sees the finished document before the writer is released (tests).
  std::function<void(const tpdflist&)> inspect;
};

// Makes, saves and opens the card. False with a message when the table shows
// no record or the save fails; archive failures are thrown.
bool makewagecard(archivestate& state, memtable& employees, const cardrequest& request);

}  // namespace dosber
