#include "table/indexkey.h"

#include <cstring>

#include "base/collator.h"

namespace dosber {

void appendkey(std::string& key, std::string_view text, bool collated) {
  if (collated) {
    appendsortkey(key, text);
    return;
  }
  key.append(text);
  key.push_back('\0');
}

void appendkey(std::string& key, double number) {
  uint64_t bits;
  std::memcpy(&bits, &number, sizeof bits);
  bits = (bits & (uint64_t(1) << 63)) ? ~bits : bits | (uint64_t(1) << 63);
  for (int i = 7; i >= 0; --i) key.push_back(static_cast<char>((bits >> (8 * i)) & 0xFF));
}

void appendkey(std::string& key, bool flag) { key.push_back(flag ? 1 : 0); }

}  // namespace dosber
