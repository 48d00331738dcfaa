#pragma once
// A sorted list of "name=value" entries compared without regard to letter
// case. An entry equal to one present (case ignored) is not added again; the
// same name may stand in several entries with different values; a lookup
// returns the value of the first entry of that name in list order.
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace dosber {

class namevaluelist {
 public:
  void add(std::string_view entry);
  void add(std::string_view name, std::string_view value);
  void clear() { entries_.clear(); }
  size_t size() const { return entries_.size(); }
  bool empty() const { return entries_.empty(); }

  // The value of the first entry named name, or empty text.
  std::string value(std::string_view name) const;
  // Every entry named name, in list order, as the values.
  std::vector<std::string> values(std::string_view name) const;
  // The entries in list order.
  std::vector<std::string> entries() const;

 private:
  struct entry {
    std::string text;
    std::string folded;  // the case-folded text when it differs from text
    const std::string& key() const { return folded.empty() ? text : folded; }
    bool operator<(const entry& o) const { return key() < o.key(); }
  };
  static entry makeentry(std::string text);
  std::set<entry> entries_;
};

}  // namespace dosber
