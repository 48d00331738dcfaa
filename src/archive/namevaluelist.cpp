#include "archive/namevaluelist.h"

#include <algorithm>

#include "base/text.h"

namespace dosber {

void namevaluelist::add(std::string_view text) {
  entry e{static_cast<uint32_t>(buffer_.size()), static_cast<uint32_t>(text.size()), 0, 0};
  buffer_.append(text);
  e.key = e.text;
  e.keysize = e.textsize;
  // ASCII text without capitals folds to itself (codes, dates, identifiers).
  bool same = true;
  for (char c : text) same &= (c & 0x80) == 0 && !(c >= 'A' && c <= 'Z');
  if (!same) {
    std::string folded = casefold(text);
    if (folded != text) {
      e.key = static_cast<uint32_t>(buffer_.size());
      e.keysize = static_cast<uint32_t>(folded.size());
      buffer_.append(folded);
    }
  }
  entries_.push_back(e);
}

void namevaluelist::add(std::string_view name, std::string_view value) {
  std::string text;
  text.reserve(name.size() + 1 + value.size());
  text.append(name).append("=").append(value);
  add(text);
}

void namevaluelist::clear() {
  buffer_.clear();
  entries_.clear();
  sorted_ = 0;
}

void namevaluelist::settle() const {
  if (sorted_ == entries_.size()) return;
  auto less = [this](const entry& a, const entry& b) { return keyof(a) < keyof(b); };
  auto middle = entries_.begin() + static_cast<std::ptrdiff_t>(sorted_);
  std::stable_sort(middle, entries_.end(), less);
  // Stable: of equal entries the one added first comes first and is kept.
  std::inplace_merge(entries_.begin(), middle, entries_.end(), less);
  auto end = std::unique(entries_.begin(), entries_.end(),
                         [this](const entry& a, const entry& b) { return keyof(a) == keyof(b); });
  entries_.erase(end, entries_.end());
  sorted_ = entries_.size();
}

size_t namevaluelist::size() const {
  settle();
  return entries_.size();
}

std::vector<namevaluelist::entry>::const_iterator namevaluelist::find(std::string_view name,
                                                                     std::string& prefix) const {
  settle();
  prefix = casefold(name);
  prefix.push_back('=');
  return std::lower_bound(entries_.cbegin(), entries_.cend(), prefix,
                          [this](const entry& e, const std::string& p) { return keyof(e) < p; });
}

std::vector<std::string> namevaluelist::values(std::string_view name) const {
  std::vector<std::string> out;
  std::string prefix;
  for (auto it = find(name, prefix); it != entries_.cend() && keyof(*it).starts_with(prefix); ++it) {
    std::string_view text = textof(*it);
    out.emplace_back(text.substr(text.find('=') + 1));
  }
  return out;
}

std::string_view namevaluelist::valueview(std::string_view name) const {
  std::string prefix;
  auto it = find(name, prefix);
  if (it == entries_.cend() || !keyof(*it).starts_with(prefix)) return {};
  std::string_view text = textof(*it);
  return text.substr(text.find('=') + 1);
}

std::vector<std::string> namevaluelist::entries() const {
  settle();
  std::vector<std::string> out;
  out.reserve(entries_.size());
  for (const auto& e : entries_) out.emplace_back(textof(e));
  return out;
}

}  // namespace dosber
