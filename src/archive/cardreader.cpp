#include <cstring>
#include <string>

#include "archive/cardtables.h"
#include "archive/cp852.h"
#include "base/errors.h"
#include "base/paths.h"
#include "archive/readers.h"
#include "archive/real48.h"
#include "archive/recordfile.h"
#include "table/table.h"

namespace dosber {
namespace {

// The record key of a wage record and the one operation that writes the
// item table.
struct itemwriter {
  memtable& items;
  std::string azon, jvkezd, jogvkod1, evho;

  void add(const std::string& kodtip, const std::string& kod, double amount, bool negate) {
    if (kod.compare("000") <= 0) return;
    if (amount == 0) return;
    if (negate) amount = -amount;
    if (items.locate({"azon", "jvkezd", "jogvkod1", "evho", "kodtip", "kod"},
                     {azon, jvkezd, jogvkod1, evho, kodtip, kod})) {
      items.set("ft", items.number("ft") + amount);
    } else {
      items.append({azon, jogvkod1, jvkezd, evho, kodtip, kod, amount});
    }
  }
  void additem(int item, double amount, bool negate) { add(itemclass(item), itemcodetext(item), amount, negate); }
};

// Items whose parts also feed item 17, the total of taxes and contributions.
bool feedstotal(int item) { return item == 19 || item == 26 || (item >= 28 && item <= 36); }

// The identifier bytes of the employee-table row: only an 11-byte text can
// equal the 11 raw bytes of a record.
bool belongs(const unsigned char* record, const std::string& azon) {
  return azon.size() == 11 && std::memcmp(record, azon.data(), 11) == 0;
}

void readwagefile(archivestate& state, const yearinfo& year, const std::string& path, const std::string& azon,
                  progress* bar) {
  recordfile file;
  if (!file.open(path, year.kartonsize)) return;
  startprogress(bar, static_cast<int>(file.count()));
  file.skipheader();
  file.walk([&](const unsigned char* r, size_t number) {
    if (bar) bar->setposition(static_cast<int>(number + 1));
    if (!present(r) || !belongs(r, azon)) return;
    try {
      processwagerecord(state, year, r);
    } catch (const failure& e) {
      if (!e.path().empty()) throw;
      throw failure(e.what(), file.path());  // name the wage card file
    }
  });
}

}  // namespace

void processwagerecord(archivestate& state, const yearinfo& year, const unsigned char* r) {
  const wagelayout& l = wagelayoutof(year.wage);
  itemwriter w{state.items, archivetext(field(r, 0, 11)), archivedate(field(r, l.jvkezd, 8)),
               archivetext(field(r, l.jogvkod1, 1)), archivetext(field(r, l.evho, 4))};

  for (const itempart& p : l.parts) {
    if (!p.booked) continue;
    double v = p.integer ? int16le(r + p.offset) : real48(r + p.offset);
    w.additem(p.item, v, false);
    if (feedstotal(p.item)) w.additem(17, v, false);
  }

  const std::string& incomecodes = year.yearnumber == 92 ? state.allowancecodes92 : state.allowancecodes93;
  for (int i = 1; i <= l.allowances; ++i) {
    std::string code = itemcodetext(600 + i);
    double amount = real48(r + l.allowanceoffset + 6 * (i - 1));
    w.add("3", code, amount, false);
    if (l.income24) w.additem(incomecodes.find(code) != std::string::npos ? 24 : 25, amount, false);
  }

  for (int slot = 0; slot < l.slotcount; ++slot) {
    const unsigned char* s = r + l.slotoffset + l.slotsize * slot;
    std::string_view stored = field(s, 0, 3);
    if (stored.compare("000") <= 0) continue;  // blank and empty slots
    std::string code = rawtext(stored);
    int number = tointeger(code);
    double amount = real48(s + l.amountoffset);
    if (int item = correctionitem(l.id, number)) {
      bool negate = number < 900;
      w.additem(item, amount, negate);
      w.additem(17, amount, negate);
    } else if ((number == 809 && l.books809) || (number == 909 && l.books909)) {
      w.add(paycodeclass(code), code, amount, false);
      w.additem(number == 809 ? 22 : 17, amount, true);
    } else {
      w.add(paycodeclass(code), code, amount, false);
    }
  }
}

void loadcard(archivestate& state, const yearinfo& year, const memtable& employees,
              const std::string& companyfolder, progress* bar) {
  std::string azon = employees.text("azon");
  const absencelayout& a = year.kinap;
  recordfile kinap;
  if (kinap.open(joinpath(companyfolder, "kinap.dat"), a.recordsize)) {
    kinap.skipheader();
    kinap.walk([&](const unsigned char* r, size_t) {
      if (!present(r) || !belongs(r, azon)) return;
      std::string_view code = field(r, a.code, a.codewidth);
      state.absences.append({archivetext(field(r, 0, 11)), archivetext(code),
                             state.absencecodes.value(rawtext(code)), archivedate(field(r, a.from, 8)),
                             archivedate(field(r, a.to, 8))});
    });
    state.absences.first();
    kinap.close();
  }
  readwagefile(state, year, joinpath(companyfolder, "karton.dat"), azon, bar);
  readwagefile(state, year, joinpath(companyfolder, "kikarton.dat"), azon, bar);
}

}  // namespace dosber
