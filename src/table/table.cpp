#include "table/table.h"

#include <unicode/coll.h>
#include <unicode/locid.h>
#include <unicode/unistr.h>

#include <algorithm>
#include <cmath>
#include <cstring>

#include "archive/paths.h"

namespace dosber {

// Texts of a column live in one buffer (offset and length a row), so that a
// load of many rows makes a few allocations, not one per text.
struct textcolumn {
  std::string bytes;
  std::vector<std::pair<uint32_t, uint32_t>> spans;
  void reserve(size_t n) { spans.reserve(n); }
  void push_back(std::string_view t) {
    spans.emplace_back(static_cast<uint32_t>(bytes.size()), static_cast<uint32_t>(t.size()));
    bytes.append(t);
  }
  std::string_view operator[](size_t row) const {
    return std::string_view(bytes).substr(spans[row].first, spans[row].second);
  }
  // An edited text is stored anew at the end.
  void set(size_t row, std::string_view t) {
    spans[row] = {static_cast<uint32_t>(bytes.size()), static_cast<uint32_t>(t.size())};
    bytes.append(t);
  }
};

struct memtable::column {
  textcolumn s;
  std::vector<double> d;
  std::vector<int32_t> i;
  std::vector<char> b;
};

struct memtable::collator {
  std::unique_ptr<icu::Collator> c;
};

std::string cuttext(std::string_view text, int size, textunit unit) {
  auto nul = text.find('\0');
  if (nul != std::string_view::npos) text = text.substr(0, nul);
  if (size <= 0) return std::string(text);
  auto lead = [](unsigned char c) { return (c & 0xC0) != 0x80; };
  if (unit == textunit::bytes) {
    if (text.size() <= static_cast<size_t>(size)) return std::string(text);
    size_t end = static_cast<size_t>(size);
    while (end > 0 && !lead(static_cast<unsigned char>(text[end]))) --end;
    return std::string(text.substr(0, end));
  }
  int chars = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    if (lead(static_cast<unsigned char>(text[i]))) {
      if (chars == size) return std::string(text.substr(0, i));
      ++chars;
    }
  }
  return std::string(text);
}

memtable::memtable(textunit unit, collation order) : unit_(unit), order_(order) {
  if (order_ == collation::hungarian) {
    UErrorCode status = U_ZERO_ERROR;
    collator_ = std::make_unique<collator>();
    collator_->c.reset(icu::Collator::createInstance(icu::Locale("hu", "HU"), status));
    if (U_FAILURE(status)) collator_->c.reset();
    // Letters and accents decide the order; names that differ only in
    // letter case fall back to the next index fields.
    if (collator_->c) collator_->c->setStrength(icu::Collator::SECONDARY);
  }
}

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
  for (size_t i = 0; i < fields_.size(); ++i) columns_.push_back(std::make_unique<column>());
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

value memtable::convert(int f, value v) const {
  const fielddef& fd = fields_[f];
  switch (fd.type) {
    case fieldtype::text:
      if (auto s = std::get_if<std::string>(&v)) {
        if (fd.size <= 0 || s->size() <= static_cast<size_t>(fd.size)) return v;
        return cuttext(*s, fd.size, unit_);
      }
      if (auto i = std::get_if<int32_t>(&v)) return std::to_string(*i);
      return std::string();
    case fieldtype::integer:
      if (auto i = std::get_if<int32_t>(&v)) return *i;
      if (auto d = std::get_if<double>(&v)) return static_cast<int32_t>(std::llround(*d));
      if (auto b = std::get_if<bool>(&v)) return static_cast<int32_t>(*b);
      return int32_t(0);
    case fieldtype::floating:
      if (auto d = std::get_if<double>(&v)) return *d;
      if (auto i = std::get_if<int32_t>(&v)) return static_cast<double>(*i);
      return 0.0;
    case fieldtype::boolean:
      if (auto b = std::get_if<bool>(&v)) return *b;
      if (auto i = std::get_if<int32_t>(&v)) return *i != 0;
      return false;
  }
  return {};
}

namespace {
void appendnumberkey(std::string& key, double d) {
  uint64_t bits;
  std::memcpy(&bits, &d, sizeof bits);
  bits = (bits & (uint64_t(1) << 63)) ? ~bits : bits | (uint64_t(1) << 63);
  for (int i = 7; i >= 0; --i) key.push_back(static_cast<char>((bits >> (8 * i)) & 0xFF));
}
}  // namespace

std::string memtable::sortkey(size_t row) const {
  std::string key;
  for (int f : indexfields_) {
    const column& c = *columns_[f];
    switch (fields_[f].type) {
      case fieldtype::text: {
        std::string_view s = c.s[row];
        if (collator_ && collator_->c && static_cast<size_t>(f) < collated_.size() && collated_[f]) {
          icu::UnicodeString u = icu::UnicodeString::fromUTF8(icu::StringPiece(s.data(), s.size()));
          uint8_t buf[256];
          int32_t n = collator_->c->getSortKey(u, buf, sizeof buf);
          if (n > static_cast<int32_t>(sizeof buf)) {
            std::vector<uint8_t> big(n);
            collator_->c->getSortKey(u, big.data(), n);
            key.append(reinterpret_cast<const char*>(big.data()), n);
          } else {
            key.append(reinterpret_cast<const char*>(buf), n);  // ends with its zero byte
          }
        } else {
          key.append(s);
          key.push_back('\0');
        }
        break;
      }
      case fieldtype::integer: appendnumberkey(key, c.i[row]); break;
      case fieldtype::floating: appendnumberkey(key, c.d[row]); break;
      case fieldtype::boolean: key.push_back(c.b[row] ? 1 : 0); break;
    }
  }
  return key;
}

void memtable::reserve(size_t n) {
  size_t total = nrows_ + n;
  for (size_t f = 0; f < columns_.size(); ++f) {
    column& c = *columns_[f];
    switch (fields_[f].type) {
      case fieldtype::text: c.s.reserve(total); break;
      case fieldtype::integer: c.i.reserve(total); break;
      case fieldtype::floating: c.d.reserve(total); break;
      case fieldtype::boolean: c.b.reserve(total); break;
    }
  }
  keys_.reserve(total);
  pending_.reserve(pending_.size() + n);
}

void memtable::appendfrom(std::vector<value>& values) {
  if (!active_) return;
  for (size_t f = 0; f < fields_.size(); ++f) {
    column& c = *columns_[f];
    value* given = f < values.size() ? &values[f] : nullptr;
    std::string* text = given ? std::get_if<std::string>(given) : nullptr;
    if (fields_[f].type == fieldtype::text && text) {
      int size = fields_[f].size;
      if (size <= 0 || text->size() <= static_cast<size_t>(size))
        c.s.push_back(*text);
      else
        c.s.push_back(cuttext(*text, size, unit_));
      continue;
    }
    value v = convert(static_cast<int>(f), given ? std::move(*given) : value{});
    switch (fields_[f].type) {
      case fieldtype::text: c.s.push_back(std::get<std::string>(v)); break;
      case fieldtype::integer: c.i.push_back(std::get<int32_t>(v)); break;
      case fieldtype::floating: c.d.push_back(std::get<double>(v)); break;
      case fieldtype::boolean: c.b.push_back(std::get<bool>(v)); break;
    }
  }
  size_t row = nrows_++;
  keys_.push_back(sortkey(row));
  if (!collator_) keyrow_.emplace(keys_.back(), row);
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
  const column& c = *columns_[f];
  switch (fields_[f].type) {
    case fieldtype::text: return std::string(c.s[row]);
    case fieldtype::integer: return c.i[row];
    case fieldtype::floating: return c.d[row];
    case fieldtype::boolean: return static_cast<bool>(c.b[row]);
  }
  return {};
}

std::string memtable::textat(size_t row, int f) const {
  if (f < 0 || f >= fieldcount() || row >= nrows_) return {};
  if (fields_[f].type == fieldtype::text) return std::string(columns_[f]->s[row]);
  value v = getat(row, f);
  if (auto i = std::get_if<int32_t>(&v)) return std::to_string(*i);
  if (auto d = std::get_if<double>(&v)) return std::to_string(*d);
  if (auto b = std::get_if<bool>(&v)) return *b ? "True" : "False";
  return {};
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
  value v = get(fieldindex(name));
  if (auto d = std::get_if<double>(&v)) return *d;
  if (auto i = std::get_if<int32_t>(&v)) return *i;
  return 0.0;
}

void memtable::set(std::string_view name, const value& v) {
  long r = currentrow();
  int f = fieldindex(name);
  if (r < 0 || f < 0) return;
  value c = convert(f, v);
  column& col = *columns_[f];
  switch (fields_[f].type) {
    case fieldtype::text: col.s.set(static_cast<size_t>(r), std::get<std::string>(c)); break;
    case fieldtype::integer: col.i[r] = std::get<int32_t>(c); break;
    case fieldtype::floating: col.d[r] = std::get<double>(c); break;
    case fieldtype::boolean: col.b[r] = std::get<bool>(c); break;
  }
  if (std::find(indexfields_.begin(), indexfields_.end(), f) != indexfields_.end()) {
    keys_[r] = sortkey(static_cast<size_t>(r));
    keyrow_.clear();
    if (!collator_)
      for (size_t i = nrows_; i-- > 0;) keyrow_[keys_[i]] = i;
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
  if (!caseinsensitive && !filter_ && fs == indexfields_ && !(collator_ && collator_->c)) {
    // Exact match on the whole index: a key lookup.
    std::string key;
    for (size_t k = 0; k < fs.size(); ++k) {
      value v = convert(fs[k], values[k]);
      switch (fields_[fs[k]].type) {
        case fieldtype::text: key += std::get<std::string>(v); key.push_back('\0'); break;
        case fieldtype::integer: appendnumberkey(key, std::get<int32_t>(v)); break;
        case fieldtype::floating: appendnumberkey(key, std::get<double>(v)); break;
        case fieldtype::boolean: key.push_back(std::get<bool>(v) ? 1 : 0); break;
      }
    }
    auto it = keyrow_.find(key);
    if (it == keyrow_.end()) return false;
    current_ = static_cast<long>(it->second);
    posdirty_ = true;
    return true;
  }
  settle();
  std::vector<value> want;
  for (size_t k = 0; k < fs.size(); ++k) {
    value v = convert(fs[k], values[k]);
    if (caseinsensitive)
      if (auto s = std::get_if<std::string>(&v)) v = casefold(*s);
    want.push_back(std::move(v));
  }
  for (size_t p = 0; p < visible_.size(); ++p) {
    size_t r = visible_[p];
    bool match = true;
    for (size_t k = 0; k < fs.size() && match; ++k) {
      value have = getat(r, fs[k]);
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
