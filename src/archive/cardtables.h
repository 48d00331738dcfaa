#pragma once
// The card tables of one person's wage card: the absence table and the item
// table, with the catalogue of the 45 numbered card items.
#include <string>
#include <string_view>

namespace dosber {
class memtable;

// Drops both tables' fields and rows and defines them anew, open and empty.
void rebuildcardtables(memtable& absences, memtable& items);

// The fields of an absence period: kod, megnev, tol, ig (the absence table
// has the identifier in front of them; the card's absence list has these).
void addabsencefields(memtable& table);

// "001" .. "045": the item number with three digits.
std::string itemcodetext(int number);
// The item's class from the catalogue; "0" for 0, 38 and 46.
std::string itemclass(int number);
// "3" for codes beginning with 0, 1, 6, 7, 8; "4" for 2, 3, 4, 5, 9.
std::string paycodeclass(std::string_view code);

}  // namespace dosber
