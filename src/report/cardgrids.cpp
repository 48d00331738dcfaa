#include "report/cardgrids.h"

#include <algorithm>
#include <utility>

#include "base/text.h"
#include "report/labels.h"

namespace dosber {
namespace {

// The name column of the card's grid holds 15 characters.
constexpr int namesize = 15;

int monthof(const std::string& evho) {
  if (evho.size() < 4 || evho[2] < '0' || evho[2] > '9' || evho[3] < '0' || evho[3] > '9') return 0;
  return (evho[2] - '0') * 10 + (evho[3] - '0');
}

// A month outside 01-12 counts in the total only.
void addamount(gridrow& row, int month, double amount) {
  if (month >= 1 && month <= 12) row.months[month - 1] += amount;
  row.ossz += amount;
}

}  // namespace

std::vector<cardgrid> cardgrids(const archivestate& state) {
  std::vector<cardgrid> grids;
  const memtable& items = state.items;
  if (!items.active()) return grids;
  int azonf = items.fieldindex("azon"), jvkezdf = items.fieldindex("jvkezd"), jogvkod1f = items.fieldindex("jogvkod1"),
      evhof = items.fieldindex("evho"), kodtipf = items.fieldindex("kodtip"), kodf = items.fieldindex("kod"),
      ftf = items.fieldindex("ft");
  std::string key;
  // A class and code found again without regard to letter case adds to its row.
  std::vector<std::pair<std::string, size_t>> folded;
  for (size_t p = 0, n = items.visiblecount(); p < n; ++p) {
    size_t row = items.rowat(p);
    std::string rowkey = items.textat(row, azonf) + items.textat(row, jvkezdf);
    if (grids.empty() || rowkey != key) {
      key = rowkey;
      grids.push_back({items.textat(row, jvkezdf), items.textat(row, jogvkod1f), {}});
      folded.clear();
    }
    cardgrid& grid = grids.back();
    std::string kodtip = items.textat(row, kodtipf), kod = items.textat(row, kodf);
    double amount = std::get<double>(items.getat(row, ftf));
    if (!kodtip.empty() && (kodtip[0] == '4' || kodtip[0] == '5')) amount = -amount;
    std::string foldedkey = casefold(kodtip) + '\0' + casefold(kod);
    auto it = std::find_if(folded.begin(), folded.end(), [&](const auto& f) { return f.first == foldedkey; });
    if (it != folded.end()) {
      addamount(grid.rows[it->second], monthof(items.textat(row, evhof)), amount);
      continue;
    }
    folded.emplace_back(std::move(foldedkey), grid.rows.size());
    int month = monthof(items.textat(row, evhof));
    gridrow r{kodtip, kod, std::string(firstchars(itemname(kodtip, kod, state.itemnames), namesize)), {}, amount};
    if (month >= 1 && month <= 12) r.months[month - 1] = amount;
    grid.rows.push_back(std::move(r));
  }
  for (cardgrid& g : grids)
    std::stable_sort(g.rows.begin(), g.rows.end(), [](const gridrow& a, const gridrow& b) {
      return a.kodtip != b.kodtip ? a.kodtip < b.kodtip : a.kod < b.kod;
    });
  return grids;
}

}  // namespace dosber
