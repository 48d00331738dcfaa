#include "table/value.h"

#include "base/format.h"
#include "base/text.h"

namespace dosber {

std::string valuetext(const value& v, std::string_view mask, boolwords words) {
  if (auto s = std::get_if<std::string>(&v)) return formatmask(mask, *s);
  if (auto i = std::get_if<int32_t>(&v)) return formatnumber(mask, true, *i);
  if (auto d = std::get_if<double>(&v)) return formatnumber(mask, true, *d);
  if (auto b = std::get_if<bool>(&v)) return *b ? words.yes : words.no;
  return {};
}

std::string cuttext(std::string_view text, int size, textunit unit) { return std::string(cutview(text, size, unit)); }

std::string_view cutview(std::string_view text, int size, textunit unit) {
  auto nul = text.find('\0');
  if (nul != std::string_view::npos) text = text.substr(0, nul);
  if (size <= 0) return text;
  auto n = static_cast<size_t>(size);
  return unit == textunit::bytes ? firstbytes(text, n) : firstchars(text, n);
}

valueview viewof(const value& v) {
  return std::visit([](const auto& x) -> valueview { return x; }, v);
}

}  // namespace dosber
