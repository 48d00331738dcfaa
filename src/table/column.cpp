#include "table/column.h"

#include <algorithm>
#include <cmath>
#include <type_traits>

#include "table/indexkey.h"

namespace dosber {
namespace {

template <class... F>
struct overloaded : F... {
  using F::operator()...;
};
template <class... F>
overloaded(F...) -> overloaded<F...>;

int32_t tointeger(const valueview& v) {
  if (auto i = std::get_if<int32_t>(&v)) return *i;
  if (auto d = std::get_if<double>(&v)) return static_cast<int32_t>(std::llround(*d));
  if (auto b = std::get_if<bool>(&v)) return static_cast<int32_t>(*b);
  return 0;
}

double todouble(const valueview& v) {
  if (auto d = std::get_if<double>(&v)) return *d;
  if (auto i = std::get_if<int32_t>(&v)) return static_cast<double>(*i);
  return 0.0;
}

bool toboolean(const valueview& v) {
  if (auto b = std::get_if<bool>(&v)) return *b;
  if (auto i = std::get_if<int32_t>(&v)) return *i != 0;
  return false;
}

}  // namespace

column::column(const fielddef& def, textunit unit) : size_(def.size), unit_(unit) {
  switch (def.type) {
    case fieldtype::text: data_.emplace<textstore>(); break;
    case fieldtype::integer: data_.emplace<std::vector<int32_t>>(); break;
    case fieldtype::floating: data_.emplace<std::vector<double>>(); break;
    case fieldtype::boolean: data_.emplace<std::vector<char>>(); break;
  }
}

std::string_view column::totext(const valueview& v, std::string& scratch) const {
  if (auto s = std::get_if<std::string_view>(&v)) {
    if (size_ <= 0 || s->size() <= static_cast<size_t>(size_)) return *s;
    return cutview(*s, size_, unit_);
  }
  if (auto i = std::get_if<int32_t>(&v)) return scratch = std::to_string(*i);
  return {};
}

void column::reserve(size_t n) {
  std::visit(overloaded{[&](textstore& d) { d.reserve(n, n * static_cast<size_t>(std::max(size_, 0))); },
                        [n](auto& d) { d.reserve(n); }},
             data_);
}

void column::push(const valueview& v) {
  std::visit(overloaded{[&](textstore& d) {
                          std::string scratch;
                          d.push_back(totext(v, scratch));
                        },
                        [&](std::vector<int32_t>& d) { d.push_back(tointeger(v)); },
                        [&](std::vector<double>& d) { d.push_back(todouble(v)); },
                        [&](std::vector<char>& d) { d.push_back(toboolean(v)); }},
             data_);
}

void column::set(size_t row, const valueview& v) {
  std::visit(overloaded{[&](textstore& d) {
                          std::string scratch;
                          d.set(row, totext(v, scratch));
                        },
                        [&](std::vector<int32_t>& d) { d[row] = tointeger(v); },
                        [&](std::vector<double>& d) { d[row] = todouble(v); },
                        [&](std::vector<char>& d) { d[row] = toboolean(v); }},
             data_);
}

value column::convert(value v) const {
  valueview view = viewof(v);
  std::string scratch;
  return std::visit(overloaded{[&](const textstore&) { return value(std::string(totext(view, scratch))); },
                               [&](const std::vector<int32_t>&) { return value(tointeger(view)); },
                               [&](const std::vector<double>&) { return value(todouble(view)); },
                               [&](const std::vector<char>&) { return value(toboolean(view)); }},
                    data_);
}

void column::prefetch(size_t row, bool text) const {
  std::visit(overloaded{[&](const textstore& d) { d.prefetch(row, text); },
                        [&](const auto& d) {
                          if (!text) __builtin_prefetch(d.data() + row);
                        }},
             data_);
}

value column::get(size_t row) const {
  return std::visit(overloaded{[&](const textstore& d) { return value(std::string(d[row])); },
                               [&](const std::vector<char>& d) { return value(static_cast<bool>(d[row])); },
                               [&](const auto& d) { return value(d[row]); }},
                    data_);
}

std::string_view column::text(size_t row) const {
  if (auto d = std::get_if<textstore>(&data_)) return (*d)[row];
  return {};
}

double column::number(size_t row) const {
  if (auto d = std::get_if<std::vector<double>>(&data_)) return (*d)[row];
  if (auto i = std::get_if<std::vector<int32_t>>(&data_)) return (*i)[row];
  return 0.0;
}

void column::appendkey(std::string& key, size_t row, bool collated) const {
  std::visit(overloaded{[&](const textstore& d) { dosber::appendkey(key, d[row], collated); },
                        [&](const std::vector<char>& d) { dosber::appendkey(key, static_cast<bool>(d[row])); },
                        [&](const auto& d) { dosber::appendkey(key, d[row]); }},
             data_);
}

void column::appendkeyof(std::string& key, const value& converted, bool collated) {
  std::visit(overloaded{[&](const std::string& s) { dosber::appendkey(key, s, collated); },
                        [](std::monostate) {},
                        [&](const auto& v) { dosber::appendkey(key, v); }},
             converted);
}

}  // namespace dosber
