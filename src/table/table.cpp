#include "table/table.h"

#include <algorithm>

#include "base/text.h"
#include "table/indexkey.h"

namespace dosber {

memtable::memtable(textunit unit, collation order) : unit_(unit), order_(order) {}

memtable::~memtable() = default;

void memtable::clear() {
  active_ = false;
  fields_.clear();
  indexfields_.clear();
  collated_.clear();
  columns_.clear();
  nrows_ = 0;
  filter_ = nullptr;
  keys_.clear();
  sorted_.clear();
  pending_.clear();
  visible_.clear();
  keyrow_.clear();
  visibledirty_ = false;
  resort_ = false;
  current_ = -1;
  pos_ = 0;
  posdirty_ = false;
}

void memtable::addfield(std::string name, fieldtype type, int size) {
  fields_.push_back(fielddef{std::move(name), type, size, {}});
}

void memtable::setmask(std::string_view name, std::string mask) {
  int i = fieldindex(name);
  if (i >= 0) fields_[i].mask = std::move(mask);
}

int memtable::fieldindex(std::string_view name) const {
  for (size_t i = 0; i < fields_.size(); ++i)
    if (fields_[i].name.size() == name.size() && equalsignorecase(fields_[i].name, name))
      return static_cast<int>(i);
  return -1;
}

void memtable::setindex(std::string_view list) {
  indexfields_.clear();
  size_t i = 0;
  while (i <= list.size()) {
    size_t j = list.find(';', i);
    if (j == std::string_view::npos) j = list.size();
    if (j > i) {
      int f = fieldindex(list.substr(i, j - i));
      if (f >= 0) indexfields_.push_back(f);
    }
    i = j + 1;
  }
}

void memtable::setcollated(std::string_view name) {
  int f = fieldindex(name);
  if (f < 0) return;
  if (collated_.size() < fields_.size()) collated_.resize(fields_.size(), false);
  collated_[f] = true;
}

void memtable::create() {
  columns_.clear();
  for (const fielddef& f : fields_) columns_.emplace_back(f, unit_);
  nrows_ = 0;
  keys_.clear();
  sorted_.clear();
  pending_.clear();
  visible_.clear();
  keyrow_.clear();
  filter_ = nullptr;
  current_ = -1;
  pos_ = 0;
  posdirty_ = false;
  visibledirty_ = false;
  active_ = true;
}

bool memtable::collated(int f) const {
  return order_ == collation::hungarian && static_cast<size_t>(f) < collated_.size() && collated_[f];
}

std::string_view memtable::sortkey(size_t row) const {
  keybuffer_.clear();
  for (int f : indexfields_) columns_[f].appendkey(keybuffer_, row, collated(f));
  return keybuffer_;
}

void memtable::reserve(size_t n) {
  size_t total = nrows_ + n;
  for (column& c : columns_) c.reserve(total);
  keys_.reserve(total, total * 32);
  pending_.reserve(pending_.size() + n);
}

void memtable::appendfrom(std::vector<value>& values) {
  if (!active_) return;
  views_.clear();
  for (const value& v : values) views_.push_back(viewof(v));
  appendviews(views_);
}

void memtable::appendviews(std::span<const valueview> values) {
  if (!active_) return;
  for (size_t f = 0; f < columns_.size(); ++f) columns_[f].push(f < values.size() ? values[f] : valueview{});
  size_t row = nrows_++;
  keys_.push_back(sortkey(row));
  if (order_ == collation::binary) keyrow_.emplace(keys_[row], row);
  pending_.push_back(row);
  visibledirty_ = true;
  current_ = static_cast<long>(row);
  posdirty_ = true;
}

void memtable::settle() const {
  if (resort_) {
    pending_.clear();
    sorted_.resize(nrows_);
    for (size_t i = 0; i < nrows_; ++i) sorted_[i] = i;
    std::stable_sort(sorted_.begin(), sorted_.end(),
                     [this](size_t a, size_t b) { return keys_[a] < keys_[b]; });
    resort_ = false;
    visibledirty_ = true;
  }
  if (!pending_.empty()) {
    std::stable_sort(pending_.begin(), pending_.end(),
                     [this](size_t a, size_t b) { return keys_[a] < keys_[b]; });
    std::vector<size_t> merged;
    merged.reserve(sorted_.size() + pending_.size());
    std::merge(sorted_.begin(), sorted_.end(), pending_.begin(), pending_.end(),
               std::back_inserter(merged),
               [this](size_t a, size_t b) { return keys_[a] < keys_[b]; });
    sorted_.swap(merged);
    pending_.clear();
    visibledirty_ = true;
  }
  if (visibledirty_) rebuildvisible();
  if (posdirty_) {
    posdirty_ = false;
    pos_ = static_cast<long>(visible_.size());
    if (current_ >= 0) {
      auto it = std::find(visible_.begin(), visible_.end(), static_cast<size_t>(current_));
      if (it != visible_.end()) pos_ = it - visible_.begin();
    }
  }
}

void memtable::rebuildvisible() const {
  visibledirty_ = false;
  if (!filter_) {
    visible_ = sorted_;
  } else {
    visible_.clear();
    for (size_t r : sorted_)
      if (filter_(*this, r)) visible_.push_back(r);
  }
  posdirty_ = true;
}

void memtable::first() {
  settle();
  pos_ = 0;
  current_ = visible_.empty() ? -1 : static_cast<long>(visible_[0]);
}

void memtable::next() {
  settle();
  if (pos_ < static_cast<long>(visible_.size())) ++pos_;
  current_ = pos_ < static_cast<long>(visible_.size()) ? static_cast<long>(visible_[pos_]) : -1;
}

bool memtable::eof() const {
  settle();
  return pos_ >= static_cast<long>(visible_.size());
}

bool memtable::empty() const {
  settle();
  return visible_.empty();
}

size_t memtable::visiblecount() const {
  settle();
  return visible_.size();
}

int memtable::recno() const {
  settle();
  return pos_ < static_cast<long>(visible_.size()) ? static_cast<int>(pos_ + 1) : 0;
}

bool memtable::moveto(size_t position) {
  settle();
  if (position >= visible_.size()) return false;
  pos_ = static_cast<long>(position);
  current_ = static_cast<long>(visible_[position]);
  return true;
}

long memtable::currentrow() const {
  settle();
  return pos_ < static_cast<long>(visible_.size()) ? current_ : -1;
}

size_t memtable::rowat(size_t position) const {
  settle();
  return visible_.at(position);
}

long memtable::positionof(size_t row) const {
  settle();
  auto it = std::find(visible_.begin(), visible_.end(), row);
  return it == visible_.end() ? -1 : it - visible_.begin();
}

value memtable::getat(size_t row, int f) const {
  if (f < 0 || f >= fieldcount() || row >= nrows_) return {};
  return columns_[f].get(row);
}

std::string memtable::textat(size_t row, int f) const {
  if (f < 0 || f >= fieldcount() || row >= nrows_) return {};
  if (fields_[f].type == fieldtype::text) return std::string(columns_[f].text(row));
  return valuetext(columns_[f].get(row));
}

std::string_view memtable::textview(size_t row, int f) const {
  if (f < 0 || f >= fieldcount() || row >= nrows_) return {};
  return columns_[f].text(row);
}

double memtable::numberat(size_t row, int f) const {
  if (f < 0 || f >= fieldcount() || row >= nrows_) return 0.0;
  return columns_[f].number(row);
}

void memtable::prefetch(size_t position) const {
  settle();
  // Places of the rows 4 ahead, texts of the rows 2 ahead (their places
  // asked for 2 rows ago).
  if (position + 4 < visible_.size())
    for (const column& c : columns_) c.prefetch(visible_[position + 4], false);
  if (position + 2 < visible_.size())
    for (const column& c : columns_) c.prefetch(visible_[position + 2], true);
}

value memtable::get(int f) const {
  long r = currentrow();
  return r < 0 ? value{} : getat(static_cast<size_t>(r), f);
}

std::string memtable::text(std::string_view name) const {
  long r = currentrow();
  return r < 0 ? std::string() : textat(static_cast<size_t>(r), fieldindex(name));
}

double memtable::number(std::string_view name) const {
  long r = currentrow();
  int f = fieldindex(name);
  return r < 0 || f < 0 ? 0.0 : columns_[f].number(static_cast<size_t>(r));
}

void memtable::set(std::string_view name, const value& v) {
  long r = currentrow();
  int f = fieldindex(name);
  if (r < 0 || f < 0) return;
  columns_[f].set(static_cast<size_t>(r), viewof(v));
  if (std::find(indexfields_.begin(), indexfields_.end(), f) != indexfields_.end()) {
    keys_.set(static_cast<size_t>(r), sortkey(static_cast<size_t>(r)));
    keyrow_.clear();
    if (order_ == collation::binary)
      for (size_t i = nrows_; i-- > 0;) keyrow_[std::string(keys_[i])] = i;
    resort_ = true;
    posdirty_ = true;
  }
  if (filter_) visibledirty_ = true;
}

bool memtable::locate(const std::vector<std::string>& names, const std::vector<value>& values,
                      bool caseinsensitive) {
  std::vector<int> fs;
  for (const auto& n : names) {
    int f = fieldindex(n);
    if (f < 0) return false;
    fs.push_back(f);
  }
  if (fs.size() != values.size()) return false;
  if (!caseinsensitive && !filter_ && fs == indexfields_ && order_ == collation::binary) {
    // Exact match on the whole index: a key lookup.
    std::string key;
    for (size_t k = 0; k < fs.size(); ++k) column::appendkeyof(key, columns_[fs[k]].convert(values[k]), false);
    auto it = keyrow_.find(key);
    if (it == keyrow_.end()) return false;
    current_ = static_cast<long>(it->second);
    posdirty_ = true;
    return true;
  }
  settle();
  std::vector<value> want;
  for (size_t k = 0; k < fs.size(); ++k) {
    value v = columns_[fs[k]].convert(values[k]);
    if (caseinsensitive)
      if (auto s = std::get_if<std::string>(&v)) v = casefold(*s);
    want.push_back(std::move(v));
  }
  for (size_t p = 0; p < visible_.size(); ++p) {
    size_t r = visible_[p];
    bool match = true;
    for (size_t k = 0; k < fs.size() && match; ++k) {
      value have = columns_[fs[k]].get(r);
      if (caseinsensitive)
        if (auto s = std::get_if<std::string>(&have)) have = casefold(*s);
      match = have == want[k];
    }
    if (match) {
      pos_ = static_cast<long>(p);
      current_ = static_cast<long>(r);
      return true;
    }
  }
  return false;
}

void memtable::setfilter(std::function<bool(const memtable&, size_t)> filter) {
  filter_ = std::move(filter);
  visibledirty_ = true;
  first();
}

void memtable::clearfilter() {
  filter_ = nullptr;
  visibledirty_ = true;
  posdirty_ = true;
}

}  // namespace dosber
