#include "base/format.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <ctime>
#include <vector>

#include "base/text.h"

namespace dosber {

std::string generalnumber(double value) {
  if (value == 0) return "0";
  char buf[64];
  // A whole number of at most 15 digits is its digits (most wages, hours and days).
  if (std::fabs(value) < 1e15 && value == std::trunc(value))
    return std::string(buf, std::to_chars(buf, buf + sizeof buf, static_cast<long long>(value)).ptr);
  // %.15G: 15 significant digits, trailing zeros dropped.
  std::string s(buf, std::to_chars(buf, buf + sizeof buf, value, std::chars_format::general, 15).ptr);
  // The exponent form: mantissa "E" exponent without "+" or leading zeros.
  auto e = s.find('e');
  std::string exponent;
  if (e != std::string::npos) {
    exponent = s.substr(e + 1);
    s.erase(e);
    bool negative = !exponent.empty() && exponent[0] == '-';
    size_t i = (!exponent.empty() && (exponent[0] == '-' || exponent[0] == '+')) ? 1 : 0;
    while (i + 1 < exponent.size() && exponent[i] == '0') ++i;
    exponent = std::string("E") + (negative ? "-" : "") + exponent.substr(i);
  }
  for (char& c : s)
    if (c == '.') c = decimalseparator;
  return s + exponent;
}

std::string formatmask(std::string_view mask, std::string_view value) {
  if (mask.empty()) return std::string(value);
  // Value characters are Unicode characters, not bytes.
  std::vector<std::string_view> chars;
  for (size_t i = 0; i < value.size();) {
    size_t end = nextchar(value, i);
    chars.push_back(value.substr(i, end - i));
    i = end;
  }
  std::string out;
  size_t j = 0;
  for (char m : mask) {
    if (m != '#')
      out.push_back(m);
    else if (j < chars.size())
      out.append(chars[j++]);
  }
  return out.empty() ? std::string(value) : out;
}

double roundeven(double value, int decimals) {
  // value / 10^-d, rounded to the nearest integer (ties to even), times 10^-d.
  double unit = std::pow(10.0, -decimals);
  return std::nearbyint(value / unit) * unit;
}

std::string formatnumber(std::string_view mask, bool trimleft, double number) {
  if (mask.empty()) return generalnumber(number);
  size_t dot = mask.find('.');
  int decimals = dot == std::string_view::npos ? 0 : static_cast<int>(mask.size() - dot - 1);
  if (number != std::trunc(number)) number = roundeven(number, decimals);
  std::string s = generalnumber(number);
  size_t comma = s.find(decimalseparator);
  std::string ipart = comma == std::string::npos ? s : s.substr(0, comma);
  std::string fpart = comma == std::string::npos ? std::string() : s.substr(comma + 1);

  std::string m(mask);
  std::string result = m;
  // Positions are 1-based as in the mask: p is the first "." or length + 1.
  long p = dot == std::string_view::npos ? static_cast<long>(m.size()) + 1 : static_cast<long>(dot) + 1;
  long k = static_cast<long>(ipart.size());
  for (long pos = p - 1; pos >= 1; --pos) {
    char c = m[pos - 1];
    if (c == '#') {
      if (k > 0) {
        if (ipart[k - 1] == '-' && pos < static_cast<long>(result.size()) && result[pos] == thousandseparator) {
          result[pos] = '-';
          result[pos - 1] = ' ';
        } else {
          result[pos - 1] = ipart[k - 1];
        }
      } else {
        result[pos - 1] = pos == p - 1 ? '0' : ' ';
      }
      --k;
    } else if (c == ',') {
      result[pos - 1] = k > 0 ? thousandseparator : ' ';
    } else {
      result[pos - 1] = ' ';
    }
  }
  if (k > 0) {
    result.insert(0, ipart.substr(0, static_cast<size_t>(k)));
    m.insert(0, static_cast<size_t>(k), '#');
    p += k;
  }
  if (dot != std::string_view::npos) {
    result[p - 1] = decimalseparator;
    size_t f = 0;
    for (size_t pos = static_cast<size_t>(p); pos < m.size(); ++pos)
      result[pos] = (m[pos] == '#' && f < fpart.size()) ? fpart[f++] : '0';
  }
  if (trimleft) {
    size_t b = result.find_first_not_of(' ');
    result = b == std::string::npos ? std::string() : result.substr(b);
  }
  return result;
}

std::string piece(std::string_view text, char separator, int n) {
  for (int i = 1; i < n; ++i) {
    size_t p = text.find(separator);
    if (p == std::string_view::npos) return {};
    text.remove_prefix(p + 1);
  }
  size_t p = text.find(separator);
  return std::string(p == std::string_view::npos ? text : text.substr(0, p));
}

int piececount(std::string_view text, char separator) {
  if (text.empty()) return 0;
  int n = 1;
  for (char c : text)
    if (c == separator) ++n;
  return n;
}

std::optional<std::string> readdate(std::string_view text) {
  text = trimcontrol(text);
  int part[3] = {0, 0, 0};
  size_t digits[3] = {0, 0, 0};
  if (text.size() == 8 && text.find_first_not_of("0123456789") == std::string_view::npos) {
    part[0] = std::stoi(std::string(text.substr(0, 4)));
    part[1] = std::stoi(std::string(text.substr(4, 2)));
    part[2] = std::stoi(std::string(text.substr(6, 2)));
  } else {
    int k = 0;
    char separator = 0;
    for (char c : text) {
      if (c >= '0' && c <= '9') {
        if (++digits[k] > (k == 0 ? 4u : 2u)) return std::nullopt;
        part[k] = part[k] * 10 + (c - '0');
      } else if ((c == '.' || c == '-') && k < 2 && (separator == 0 || c == separator) && digits[k] > 0) {
        separator = c;
        ++k;
      } else {
        return std::nullopt;
      }
    }
    if (k != 2 || digits[0] != 4 || digits[2] == 0) return std::nullopt;
  }
  if (part[1] < 1 || part[1] > 12 || part[2] < 1 || part[2] > 31) return std::nullopt;
  char buf[16];
  std::snprintf(buf, sizeof buf, "%04d.%02d.%02d", part[0], part[1], part[2]);
  return std::string(buf);
}

std::string today() {
  std::time_t t = std::time(nullptr);
  std::tm tm{};
  localtime_r(&t, &tm);
  char buf[48];
  std::snprintf(buf, sizeof buf, "%04d.%02d.%02d", tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday);
  return buf;
}

}  // namespace dosber
