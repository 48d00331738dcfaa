#pragma once
// A sorted list of "name=value" entries compared without regard to letter
// case. An entry equal to one present (case ignored) is not added again; the
// same name may stand in several entries with different values; a lookup
// returns the value of the first entry of that name in list order.
//
// The entries' texts live in one buffer. Entries are appended as they come
// and sorted in one go at the next lookup, so that a load that adds an entry
// per employment makes no node and no string per entry. Not for use from
// several threads at a time.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace dosber {

class namevaluelist {
 public:
  void add(std::string_view entry);
  void add(std::string_view name, std::string_view value);
  void clear();
  size_t size() const;
  bool empty() const { return entries_.empty(); }

  // The value of the first entry named name, or empty text.
  std::string value(std::string_view name) const { return std::string(valueview(name)); }
  // The same as a view into the list, valid until the list next changes.
  std::string_view valueview(std::string_view name) const;
  // Every entry named name, in list order, as the values.
  std::vector<std::string> values(std::string_view name) const;
  // The entries in list order.
  std::vector<std::string> entries() const;

 private:
  struct entry {
    uint32_t text, textsize;  // in the buffer
    uint32_t key, keysize;    // the case-folded text; the text itself when it folds to itself
  };
  std::string_view textof(const entry& e) const { return std::string_view(buffer_).substr(e.text, e.textsize); }
  std::string_view keyof(const entry& e) const { return std::string_view(buffer_).substr(e.key, e.keysize); }
  // Sorts what was added since the last lookup into the list, dropping duplicates.
  void settle() const;
  // The first entry whose key starts with the folded name and "=".
  std::vector<entry>::const_iterator find(std::string_view name, std::string& prefix) const;

  std::string buffer_;
  mutable std::vector<entry> entries_;
  mutable size_t sorted_ = 0;  // entries_[0, sorted_) are in order and unique
};

}  // namespace dosber
