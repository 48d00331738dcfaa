#include "archive/cardtables.h"

#include "table/table.h"

namespace dosber {
namespace {
// Class of each card item 0 .. 46 (item 0, 38 and 46: "0").
constexpr const char* classes[47] = {
    "0",                                               // 0
    "1", "1", "1", "1", "1", "1", "1", "1", "1",       // 1-9 days
    "2", "2",                                          // 10-11 hours
    "6", "6", "6", "6", "6", "6", "6",                 // 12-18
    "5",                                               // 19
    "6", "6",                                          // 20-21
    "7", "7", "7", "7",                                // 22-25
    "5",                                               // 26
    "7",                                               // 27
    "5", "5", "5", "5", "5", "5", "5", "5", "5",       // 28-36
    "8", "0", "8", "8", "8", "8", "8", "8", "8",       // 37-45
    "0",                                               // 46
};
}  // namespace

void rebuildcardtables(memtable& absences, memtable& items) {
  absences.clear();
  absences.addfield("azon", fieldtype::text, 11);
  addabsencefields(absences);
  absences.setindex("azon;tol;kod");
  absences.create();

  items.clear();
  items.addfield("azon", fieldtype::text, 11);
  items.addfield("jogvkod1", fieldtype::text, 1);
  items.addfield("jvkezd", fieldtype::text, 10);
  items.addfield("evho", fieldtype::text, 4);
  items.addfield("kodtip", fieldtype::text, 1);
  items.addfield("kod", fieldtype::text, 3);
  items.addfield("ft", fieldtype::floating);
  items.setindex("azon;jvkezd;jogvkod1;evho;kodtip;kod");
  items.create();
}

void addabsencefields(memtable& table) {
  table.addfield("kod", fieldtype::text, 2);
  table.addfield("megnev", fieldtype::text, 15);
  table.addfield("tol", fieldtype::text, 10);
  table.addfield("ig", fieldtype::text, 10);
}

std::string itemcodetext(int number) {
  std::string s = std::to_string(number);
  while (s.size() < 3) s.insert(s.begin(), '0');
  return s;
}

std::string itemclass(int number) { return number >= 0 && number <= 46 ? classes[number] : "0"; }

std::string paycodeclass(std::string_view code) {
  switch (code.empty() ? '\0' : code[0]) {
    case '0': case '1': case '6': case '7': case '8': return "3";
    default: return "4";
  }
}

}  // namespace dosber
