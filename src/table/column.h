#pragma once
// Typed column storage of the in-memory table. The field type decides the
// storage once, when the column is made; every operation after that works
// on the stored type.
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

#include "table/value.h"

namespace dosber {

struct fielddef {
  std::string name;
  fieldtype type = fieldtype::text;
  int size = 0;      // text fields: the largest length kept
  std::string mask;  // display mask
};

// Texts of a column live in one buffer (offset and length a row), so that a
// load of many rows makes a few allocations, not one per text.
class textstore {
 public:
  // Room for n texts of bytes bytes in all.
  void reserve(size_t n, size_t bytes = 0) {
    spans_.reserve(n);
    bytes_.reserve(bytes);
  }
  void clear() {
    bytes_.clear();
    spans_.clear();
  }
  size_t size() const { return spans_.size(); }
  void push_back(std::string_view t) {
    spans_.emplace_back(static_cast<uint32_t>(bytes_.size()), static_cast<uint32_t>(t.size()));
    bytes_.append(t);
  }
  // Asks the processor for a row's place in the spans, or for its text
  // (whose place must have arrived first).
  void prefetch(size_t row, bool text) const {
    if (!text)
      __builtin_prefetch(spans_.data() + row);
    else
      __builtin_prefetch(bytes_.data() + spans_[row].first);
  }
  std::string_view operator[](size_t row) const {
    return std::string_view(bytes_).substr(spans_[row].first, spans_[row].second);
  }
  // An edited text is stored anew at the end.
  void set(size_t row, std::string_view t) {
    spans_[row] = {static_cast<uint32_t>(bytes_.size()), static_cast<uint32_t>(t.size())};
    bytes_.append(t);
  }

 private:
  std::string bytes_;
  std::vector<std::pair<uint32_t, uint32_t>> spans_;
};

class column {
 public:
  column(const fielddef& def, textunit unit);

  // Room for n rows; a text column takes room for texts of its full size.
  void reserve(size_t n);
  // Appends or replaces a value, converted to the column's type: texts cut
  // to the field size, numbers between integer and float, an integer as a
  // boolean or a text.
  void push(const valueview& v);
  void set(size_t row, const valueview& v);
  // The value as the column would store it (what a locate compares).
  value convert(value v) const;

  value get(size_t row) const;
  void prefetch(size_t row, bool text) const;
  std::string_view text(size_t row) const;  // empty for other types
  double number(size_t row) const;          // 0 for texts
  void appendkey(std::string& key, size_t row, bool collated) const;
  // The key part of a converted value.
  static void appendkeyof(std::string& key, const value& converted, bool collated);

 private:
  using storage = std::variant<textstore, std::vector<int32_t>, std::vector<double>, std::vector<char>>;
  // The text a value stores as; its characters lie in v or in scratch.
  std::string_view totext(const valueview& v, std::string& scratch) const;

  int size_;
  textunit unit_;
  storage data_;
};

}  // namespace dosber
