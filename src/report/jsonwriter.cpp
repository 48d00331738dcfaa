#include "report/jsonwriter.h"

#include <charconv>
#include <cmath>

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

void jsonwriter::quoted(std::string_view text) {
  static constexpr char hex[] = "0123456789abcdef";
  buffer_.push_back('"');
  size_t plain = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    auto c = static_cast<unsigned char>(text[i]);
    if (c >= 0x20 && c != '"' && c != '\\') continue;
    buffer_.append(text.substr(plain, i - plain));
    plain = i + 1;
    switch (c) {
      case '"': buffer_.append("\\\""); break;
      case '\\': buffer_.append("\\\\"); break;
      case '\b': buffer_.append("\\b"); break;
      case '\f': buffer_.append("\\f"); break;
      case '\n': buffer_.append("\\n"); break;
      case '\r': buffer_.append("\\r"); break;
      case '\t': buffer_.append("\\t"); break;
      default:
        buffer_.append("\\u00");
        buffer_.push_back(hex[c >> 4]);
        buffer_.push_back(hex[c & 0xF]);
    }
  }
  buffer_.append(text.substr(plain));
  buffer_.push_back('"');
}

void jsonwriter::key(std::string_view name) {
  beforevalue();
  quoted(name);
  buffer_.append(": ");
  afterkey_ = true;
}

void jsonwriter::string(std::string_view text) {
  beforevalue();
  quoted(text);
  spill();
}

void jsonwriter::number(double v) {
  beforevalue();
  if (!std::isfinite(v)) {
    buffer_.append("null");
    return;
  }
  // The shortest text that reads back as the same double; a whole number
  // keeps a ".0" so that it reads back as a float, not as an integer.
  char b[32];
  auto end = std::to_chars(b, b + sizeof b, v).ptr;
  std::string_view text(b, static_cast<size_t>(end - b));
  buffer_.append(text);
  if (text.find_first_of(".e") == std::string_view::npos) buffer_.append(".0");
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
