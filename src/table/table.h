#pragma once
// The in-memory table: field definitions, rows appended in field order, an
// index on a list of fields, a cursor over the rows in index order, locate,
// edit and post, and a filter. Appending n rows costs O(n log n) overall:
// new rows are sorted into the index in one batch when it is next needed.
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "table/column.h"
#include "table/value.h"

namespace dosber {

// How texts are ordered in the index.
enum class collation { binary, hungarian };

class memtable {
 public:
  explicit memtable(textunit unit = textunit::chars, collation order = collation::binary);
  ~memtable();
  memtable(const memtable&) = delete;
  memtable& operator=(const memtable&) = delete;

  // Closes the table and drops its fields, rows, index and filter.
  void clear();
  void addfield(std::string name, fieldtype type, int size = 0);
  void setmask(std::string_view field, std::string mask);
  // Index field list, separated by ";".
  void setindex(std::string_view fields);
  // With Hungarian collation: the text field ordered by it (others of the
  // index order by their bytes, as identifiers and dates do).
  void setcollated(std::string_view field);
  // Opens the table empty with the fields defined so far.
  void create();
  bool active() const { return active_; }

  int fieldcount() const { return static_cast<int>(fields_.size()); }
  const fielddef& field(int i) const { return fields_[i]; }
  // Case-insensitive; -1 when there is no such field.
  int fieldindex(std::string_view name) const;

  // Appends one row given the values of all fields in field order; missing
  // trailing values stay empty. Texts are cut to their field size, numbers
  // convert between integer and float fields.
  void append(std::vector<value> values) { appendfrom(values); }
  // The same from a vector the caller reuses.
  void appendfrom(std::vector<value>& values);
  // The same from views: nothing of the caller's texts is kept.
  void appendviews(std::span<const valueview> values);
  // Room for n more rows, so that a known number of appends moves nothing.
  void reserve(size_t n);
  // Rows held, regardless of the filter.
  size_t rowcount() const { return nrows_; }

  // Cursor over the rows that pass the filter, in index order.
  void first();
  void next();
  bool eof() const;
  bool empty() const;             // no row passes the filter
  int recno() const;              // 1-based position of the current row, 0 when none
  bool moveto(size_t position);   // 0-based position among the visible rows
  size_t visiblecount() const;
  // Storage number of the current row (-1 when none) and of a visible row.
  long currentrow() const;
  size_t rowat(size_t position) const;
  long positionof(size_t row) const;

  // Values of the current row.
  value get(int field) const;
  std::string text(std::string_view field) const;
  double number(std::string_view field) const;
  // Values of any row by storage number; textat gives the value's text in
  // the table's default display form.
  value getat(size_t row, int field) const;
  std::string textat(size_t row, int field) const;
  // The stored text of a text field (empty for other fields), valid until
  // the table changes; the number of a number field (0 for texts).
  std::string_view textview(size_t row, int field) const;
  double numberat(size_t row, int field) const;
  // Writers that visit every row in index order visit storage at random:
  // they ask for the rows a few positions ahead, so that their memory is
  // on its way when they get there.
  void prefetch(size_t position) const;

  // Edit and post on the current row.
  void set(std::string_view field, const value& v);

  // Moves to the first visible row whose fields equal the values; false and
  // no move when there is none.
  bool locate(const std::vector<std::string>& fields, const std::vector<value>& values,
              bool caseinsensitive = false);

  // A row filter; the cursor moves to the first passing row.
  void setfilter(std::function<bool(const memtable&, size_t row)> filter);
  void clearfilter();
  bool filtered() const { return static_cast<bool>(filter_); }

  textunit unit() const { return unit_; }

 private:
  std::string_view sortkey(size_t row) const;  // valid until the next call
  bool collated(int field) const;
  void settle() const;  // merges pending rows into the index, applies the filter
  void rebuildvisible() const;

  textunit unit_;
  collation order_;
  bool active_ = false;
  std::vector<fielddef> fields_;
  std::vector<int> indexfields_;
  std::vector<bool> collated_;
  std::vector<column> columns_;
  size_t nrows_ = 0;
  std::function<bool(const memtable&, size_t)> filter_;

  // Index state: sorted rows, their keys, rows not yet merged.
  textstore keys_;
  mutable std::vector<size_t> sorted_;
  mutable std::vector<size_t> pending_;
  mutable std::vector<size_t> visible_;
  mutable bool visibledirty_ = true;
  mutable bool resort_ = false;
  mutable std::unordered_map<std::string, size_t> keyrow_;  // exact index key -> first row
  mutable std::string keybuffer_;
  std::vector<valueview> views_;
  long current_ = -1;     // storage number of the current row
  mutable long pos_ = 0;  // its position among the visible rows
  mutable bool posdirty_ = false;
};

}  // namespace dosber
