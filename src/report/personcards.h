#pragma once
// Every wage card of one person in the whole archive, in year order, in one
// document: the walk that loads each company and card data in turn and
// hands them to the card layout.
#include <atomic>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "archive/search.h"
#include "base/progress.h"

namespace dosber {
class tpdflist;

struct personcardsresult {
  std::unique_ptr<tpdflist> document;  // null when no employment was found
  int cards = 0;
  int failed = 0;                      // cards that could not be made (listed in skipped)
  std::vector<skippedfolder> skipped;  // unreadable folders and failed cards, with the reason
};

// Callable from any thread: every company is loaded into objects of its own.
personcardsresult layoutpersoncards(const std::string& datafolder, const std::string& azon,
                                    const workcallbacks& callbacks = {});

}  // namespace dosber
