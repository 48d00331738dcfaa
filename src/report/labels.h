#pragma once
// Fixed texts that turn the archive's numeric codes into words.
#include <string>
#include <string_view>

namespace dosber {
class namevaluelist;

// Label of a card item number 1 .. 45; empty for any other number.
std::string itemlabel(int number);

// The name printed for an item row of class kodtip and code kod: allowances
// and other codes beginning with "6" from the item name list; classes 1, 2,
// 5 .. 8 by item number; 3 and 4 from the item name list; others empty.
std::string itemname(std::string_view kodtip, std::string_view kod, const namevaluelist& itemnames);

}  // namespace dosber
