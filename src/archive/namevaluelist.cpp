#include "archive/namevaluelist.h"

#include "base/text.h"

namespace dosber {

namevaluelist::entry namevaluelist::makeentry(std::string text) {
  // ASCII text without capitals folds to itself (codes, dates, identifiers).
  bool same = true;
  for (char c : text) same &= (c & 0x80) == 0 && !(c >= 'A' && c <= 'Z');
  if (same) return entry{std::move(text), {}};
  std::string folded = casefold(text);
  if (folded == text) folded.clear();
  return entry{std::move(text), std::move(folded)};
}

void namevaluelist::add(std::string_view text) { entries_.insert(makeentry(std::string(text))); }

void namevaluelist::add(std::string_view name, std::string_view value) {
  std::string text(name);
  text.push_back('=');
  text.append(value);
  add(text);
}

std::vector<std::string> namevaluelist::values(std::string_view name) const {
  std::vector<std::string> out;
  std::string prefix = casefold(name);
  prefix.push_back('=');
  for (auto it = entries_.lower_bound(entry{prefix, {}});
       it != entries_.end() && it->key().compare(0, prefix.size(), prefix) == 0; ++it) {
    auto eq = it->text.find('=');
    out.push_back(it->text.substr(eq + 1));
  }
  return out;
}

std::string namevaluelist::value(std::string_view name) const {
  std::string prefix = casefold(name);
  prefix.push_back('=');
  auto it = entries_.lower_bound(entry{prefix, {}});
  if (it == entries_.end() || it->key().compare(0, prefix.size(), prefix) != 0) return {};
  return it->text.substr(it->text.find('=') + 1);
}

std::vector<std::string> namevaluelist::entries() const {
  std::vector<std::string> out;
  out.reserve(entries_.size());
  for (const auto& e : entries_) out.push_back(e.text);
  return out;
}

}  // namespace dosber
