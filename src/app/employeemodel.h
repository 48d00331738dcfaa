#pragma once
// The grid's view of the employee table: six columns over the rows that pass
// the filter, in index order.
#include <QAbstractTableModel>
#include <QFontMetrics>
#include <vector>

#include "table/table.h"

namespace dosber {

class employeemodel : public QAbstractTableModel {
  Q_OBJECT
 public:
  explicit employeemodel(memtable& table, QObject* parent = nullptr);
  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

  void suspend() { beginResetModel(); }
  void resume() { endResetModel(); }

  // The rows (up to count) whose texts in a column come out widest in the
  // font, estimated from the widths of their characters: sizing a column
  // to its contents measures these instead of every row.
  std::vector<int> widestrows(int column, const QFontMetrics& metrics, int count) const;

 private:
  int field(int column) const;
  memtable& table_;
};

// A field's text in the table's default display format (numbers in the
// general number form).
QString displaytext(const memtable& table, size_t row, int field);

}  // namespace dosber
