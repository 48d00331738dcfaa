#include "report/jsonwriter.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace dosber {

void jsonwriter::flush() {
  out_.write(buffer_.data(), static_cast<std::streamsize>(buffer_.size()));
  buffer_.clear();
}

void jsonwriter::beforevalue() {
  if (afterkey_) {
    afterkey_ = false;
    return;
  }
  if (filled_.empty()) return;
  buffer_.append(filled_.back() ? ",\n" : "\n");
  buffer_.append(2 * filled_.size(), ' ');
  filled_.back() = true;
}

void jsonwriter::open(char bracket) {
  beforevalue();
  buffer_.push_back(bracket);
  filled_.push_back(false);
}

void jsonwriter::close(char bracket) {
  bool filled = filled_.back();
  filled_.pop_back();
  if (filled) {
    buffer_.push_back('\n');
    buffer_.append(2 * filled_.size(), ' ');
  }
  buffer_.push_back(bracket);
  if (filled_.empty()) buffer_.push_back('\n');
  spill();
}

void jsonwriter::quoted(std::string& out, std::string_view text) {
  static constexpr char hex[] = "0123456789abcdef";
  out.push_back('"');
  size_t plain = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    auto c = static_cast<unsigned char>(text[i]);
    if (c >= 0x20 && c != '"' && c != '\\') continue;
    out.append(text.substr(plain, i - plain));
    plain = i + 1;
    switch (c) {
      case '"': out.append("\\\""); break;
      case '\\': out.append("\\\\"); break;
      case '\b': out.append("\\b"); break;
      case '\f': out.append("\\f"); break;
      case '\n': out.append("\\n"); break;
      case '\r': out.append("\\r"); break;
      case '\t': out.append("\\t"); break;
      default:
        out.append("\\u00");
        out.push_back(hex[c >> 4]);
        out.push_back(hex[c & 0xF]);
    }
  }
  out.append(text.substr(plain));
  out.push_back('"');
}

void jsonwriter::key(std::string_view name) { preparedkey(quotedkey(name)); }

std::string jsonwriter::quotedkey(std::string_view name) {
  std::string out;
  quoted(out, name);
  return out.append(": ");
}

void jsonwriter::preparedkey(std::string_view text) {
  beforevalue();
  buffer_.append(text);
  afterkey_ = true;
}

void jsonwriter::string(std::string_view text) {
  beforevalue();
  quoted(buffer_, text);
  spill();
}

void jsonwriter::number(double v) {
  beforevalue();
  if (!std::isfinite(v)) {
    buffer_.append("null");
    return;
  }
  // A whole number below 10^15 is its digits and ".0" (most amounts).
  if (std::fabs(v) < 1e15 && v == std::trunc(v) && !(v == 0 && std::signbit(v))) {
    char b[24];
    buffer_.append(b, static_cast<size_t>(std::to_chars(b, b + sizeof b, static_cast<long long>(v)).ptr - b));
    buffer_.append(".0");
    return;
  }
  // The shortest digits that read back as the same double, laid out as
  // common JSON writers do: plain decimals while the point stands within 15
  // digits (a whole number keeps ".0", so that it reads back as a float),
  // otherwise the exponent form.
  char b[32];
  auto end = std::to_chars(b, b + sizeof b, v, std::chars_format::scientific).ptr;
  std::string_view text(b, static_cast<size_t>(end - b));
  if (text.front() == '-') {
    buffer_.push_back('-');
    text.remove_prefix(1);
  }
  size_t e = text.find('e');
  std::string digits(text.substr(0, 1));
  if (e > 1) digits.append(text.substr(2, e - 2));
  int exponent = 0;
  std::from_chars(text.data() + e + (text[e + 1] == '+' ? 2 : 1), text.data() + text.size(), exponent);
  int k = static_cast<int>(digits.size()), n = exponent + 1;  // value = 0.digits x 10^n
  if (k <= n && n <= 15) {
    buffer_.append(digits).append(static_cast<size_t>(n - k), '0').append(".0");
  } else if (0 < n && n <= 15) {
    buffer_.append(digits.substr(0, static_cast<size_t>(n))).append(".").append(digits.substr(static_cast<size_t>(n)));
  } else if (-4 < n && n <= 0) {
    buffer_.append("0.").append(static_cast<size_t>(-n), '0').append(digits);
  } else {
    buffer_.append(digits.substr(0, 1));
    if (k > 1) buffer_.append(".").append(digits.substr(1));
    char x[16];
    std::snprintf(x, sizeof x, "e%c%02d", exponent < 0 ? '-' : '+', std::abs(exponent));
    buffer_.append(x);
  }
}

void jsonwriter::integer(int64_t v) {
  beforevalue();
  char b[24];
  buffer_.append(b, static_cast<size_t>(std::to_chars(b, b + sizeof b, v).ptr - b));
}

void jsonwriter::boolean(bool v) {
  beforevalue();
  buffer_.append(v ? "true" : "false");
}

void jsonwriter::null() {
  beforevalue();
  buffer_.append("null");
}

}  // namespace dosber
