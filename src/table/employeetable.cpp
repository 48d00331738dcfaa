#include "table/employeetable.h"

#include "base/text.h"

namespace dosber {

void rebuildemployeetable(memtable& table) {
  table.clear();
  for (const auto& f : employeefields) table.addfield(f.name, f.type, f.size);
  table.setindex("nev;azon;bdatum");
  table.setcollated("nev");
  table.create();
}

void filterbyname(memtable& table, std::string_view pattern) {
  std::string folded = casefold(pattern);
  int nev = table.fieldindex("nev");
  table.setfilter([folded, nev](const memtable& t, size_t row) {
    if (folded.empty()) return false;
    return casefold(t.textview(row, nev)).find(folded) != std::string::npos;
  });
}

}  // namespace dosber
