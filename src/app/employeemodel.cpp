#include "app/employeemodel.h"


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

int employeemodel::rowCount(const QModelIndex& parent) const {
  if (parent.isValid() || !table_.active()) return 0;
  return static_cast<int>(table_.visiblecount());
}

int employeemodel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : 6; }

QVariant employeemodel::data(const QModelIndex& index, int role) const {
  if (role != Qt::DisplayRole || !index.isValid() || !table_.active()) return {};
  if (static_cast<size_t>(index.row()) >= table_.visiblecount()) return {};
  size_t row = table_.rowat(static_cast<size_t>(index.row()));
  return displaytext(table_, row, table_.fieldindex(columns[index.column()].field));
}

QVariant employeemodel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (role != Qt::DisplayRole) return {};
  if (orientation == Qt::Horizontal) return section >= 0 && section < 6 ? QString(columns[section].title) : QVariant();
  return QVariant();  // the row indicator shows no numbers
}

}  // namespace dosber
