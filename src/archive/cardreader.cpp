#include <algorithm>
#include <array>
#include <cstring>
#include <string>

#include "archive/cardindex.h"
#include "archive/cardtables.h"
#include "archive/yearlayouts.h"
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

// A present absence record of the employee into the absence table.
void addabsence(archivestate& state, const absencelayout& a, const unsigned char* r) {
  std::string_view code = field(r, a.code, a.codewidth);
  state.absences.append({archivetext(field(r, 0, 11)), archivetext(code), state.absencecodes.value(rawtext(code)),
                         archivedate(field(r, a.from, 8)), archivedate(field(r, a.to, 8))});
}

// A present wage record of the employee into item rows; a failure names the
// wage card file.
void addwagerecord(archivestate& state, const yearinfo& year, const unsigned char* r, const recordfile& file) {
  try {
    processwagerecord(state, year, r);
  } catch (const failure& e) {
    if (!e.path().empty()) throw;
    throw failure(e.what(), file.path());
  }
}

void readwagefile(archivestate& state, const yearinfo& year, const std::string& path, const std::string& azon,
                  progress* bar) {
  recordfile file;
  if (!file.open(path, year.kartonsize)) return;
  startprogress(bar, static_cast<int>(file.count()));
  file.skipheader();
  file.walk([&](const unsigned char* r, size_t number) {
    if (bar) bar->setposition(static_cast<int>(number + 1));
    if (present(r) && belongs(r, azon)) addwagerecord(state, year, r, file);
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
      if (present(r) && belongs(r, azon)) addabsence(state, a, r);
    });
    state.absences.first();
    kinap.close();
  }
  readwagefile(state, year, joinpath(companyfolder, "karton.dat"), azon, bar);
  readwagefile(state, year, joinpath(companyfolder, "kikarton.dat"), azon, bar);
}

}  // namespace dosber

namespace dosber {

struct cardindex::file {
  struct entry {
    std::array<char, 11> azon;
    size_t number;
    bool operator<(const entry& o) const { return azon != o.azon ? azon < o.azon : number < o.number; }
  };
  recordfile records;
  bool opened = false;
  std::exception_ptr error;  // a failure of the walk, given again to every card
  std::vector<entry> entries;  // present records by identifier, each identifier's in file order

  file(const std::string& path, size_t recordsize) {
    if (!records.open(path, recordsize)) return;
    opened = true;
    try {
      records.skipheader();
      entries.reserve(records.count());
      records.walk([&](const unsigned char* r, size_t number) {
        if (!present(r)) return;
        entry e{{}, number};
        std::memcpy(e.azon.data(), r, 11);
        entries.push_back(e);
      });
      std::sort(entries.begin(), entries.end());
    } catch (...) {
      error = std::current_exception();
      entries.clear();
    }
  }

  // Each record of the identifier, in file order.
  template <class F>
  void each(const std::string& azon, std::vector<unsigned char>& buffer, F&& fn) {
    if (error) std::rethrow_exception(error);
    if (azon.size() != 11) return;
    entry key{{}, 0};
    std::memcpy(key.azon.data(), azon.data(), 11);
    for (auto it = std::lower_bound(entries.begin(), entries.end(), key); it != entries.end() && it->azon == key.azon;
         ++it) {
      records.readrecord(it->number, buffer);
      fn(buffer.data());
    }
  }
};

cardindex::cardindex(const archivestate& state) {
  const yearinfo* year = state.hasyear ? yearfor(state.yearnumber) : nullptr;
  if (!year) return;
  files_.push_back(std::make_unique<file>(joinpath(state.companyfolder, "kinap.dat"), year->kinap.recordsize));
  for (const char* name : {"karton.dat", "kikarton.dat"})
    files_.push_back(std::make_unique<file>(joinpath(state.companyfolder, name), year->kartonsize));
}

cardindex::~cardindex() = default;

void cardindex::load(archivestate& state, const memtable& employees) {
  rebuildcardtables(state.absences, state.items);
  const yearinfo* year = state.hasyear ? yearfor(state.yearnumber) : nullptr;
  if (!year || files_.empty()) return;
  std::string azon = employees.text("azon");
  std::vector<unsigned char> buffer;
  file& kinap = *files_[0];
  if (kinap.opened) {
    kinap.each(azon, buffer, [&](const unsigned char* r) { addabsence(state, year->kinap, r); });
    state.absences.first();
  }
  for (size_t k = 1; k < files_.size(); ++k) {
    file& wages = *files_[k];
    if (wages.opened)
      wages.each(azon, buffer, [&](const unsigned char* r) { addwagerecord(state, *year, r, wages.records); });
  }
}

}  // namespace dosber
