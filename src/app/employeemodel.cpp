#include "app/employeemodel.h"

#include <algorithm>
#include <utility>

namespace dosber {
namespace {
struct column {
  const char* title;
  const char* field;
};
constexpr column columns[] = {{"Név", "nev"},           {"Születési idő", "szulido"}, {"Állománycsoport", "jogvnev1"},
                              {"Fogl.tipus", "jogvnev2"}, {"Belépett", "bdatum"},      {"Kilépett", "kdatum"}};
}  // namespace

QString displaytext(const memtable& table, size_t row, int field) {
  return QString::fromStdString(valuetext(table.getat(row, field)));
}

employeemodel::employeemodel(memtable& table, QObject* parent) : QAbstractTableModel(parent), table_(table) {}

int employeemodel::field(int column) const { return table_.fieldindex(columns[column].field); }

int employeemodel::rowCount(const QModelIndex& parent) const {
  if (parent.isValid() || !table_.active()) return 0;
  return static_cast<int>(table_.visiblecount());
}

int employeemodel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : 6; }

QVariant employeemodel::data(const QModelIndex& index, int role) const {
  if (role != Qt::DisplayRole || !index.isValid() || !table_.active()) return {};
  if (static_cast<size_t>(index.row()) >= table_.visiblecount()) return {};
  size_t row = table_.rowat(static_cast<size_t>(index.row()));
  return displaytext(table_, row, field(index.column()));
}

QVariant employeemodel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (role != Qt::DisplayRole) return {};
  if (orientation == Qt::Horizontal) return section >= 0 && section < 6 ? QString(columns[section].title) : QVariant();
  return QVariant();  // the row indicator shows no numbers
}

std::vector<int> employeemodel::widestrows(int column, const QFontMetrics& metrics, int count) const {
  std::vector<int> out;
  if (!table_.active() || column < 0 || column >= 6) return out;
  int f = field(column);
  // Advances of the Latin letters once; kerning and other characters count
  // only in the exact measurement of the candidates.
  int advance[0x250];
  for (int c = 0; c < 0x250; ++c) advance[c] = metrics.horizontalAdvance(QChar(c));
  int widest = metrics.maxWidth();
  std::vector<std::pair<int, int>> widths;  // estimate, position
  size_t n = table_.visiblecount();
  widths.reserve(n);
  for (size_t p = 0; p < n; ++p) {
    std::string_view text = table_.textview(table_.rowat(p), f);
    int w = 0;
    for (size_t i = 0; i < text.size();) {
      auto b = static_cast<unsigned char>(text[i]);
      char32_t c = b;
      size_t len = b < 0x80 ? 1 : b < 0xE0 ? 2 : b < 0xF0 ? 3 : 4;
      if (len == 2 && i + 1 < text.size())
        c = (char32_t(b & 0x1F) << 6) | (static_cast<unsigned char>(text[i + 1]) & 0x3F);
      w += c < 0x250 && len <= 2 ? advance[c] : widest;
      i += len;
    }
    widths.emplace_back(w, static_cast<int>(p));
  }
  size_t k = std::min(widths.size(), static_cast<size_t>(count));
  std::partial_sort(widths.begin(), widths.begin() + static_cast<std::ptrdiff_t>(k), widths.end(),
                    [](const auto& a, const auto& b) { return a.first > b.first; });
  for (size_t i = 0; i < k; ++i) out.push_back(widths[i].second);
  return out;
}

}  // namespace dosber
