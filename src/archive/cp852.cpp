#include "archive/cp852.h"

#include <algorithm>

#include "base/format.h"

namespace dosber {
namespace {

constexpr char16_t upper_half[128] = {
    0x00C7, 0x00FC, 0x00E9, 0x00E2, 0x00E4, 0x016F, 0x0107, 0x00E7, 0x0142, 0x00EB, 0x0150, 0x0151,
    0x00EE, 0x0179, 0x00C4, 0x0106, 0x00C9, 0x0139, 0x013A, 0x00F4, 0x00F6, 0x013D, 0x013E, 0x015A,
    0x015B, 0x00D6, 0x00DC, 0x0164, 0x0165, 0x0141, 0x00D7, 0x010D, 0x00E1, 0x00ED, 0x00F3, 0x00FA,
    0x0104, 0x0105, 0x017D, 0x017E, 0x0118, 0x0119, 0x00AC, 0x017A, 0x010C, 0x015F, 0x00AB, 0x00BB,
    0x2591, 0x2592, 0x2593, 0x2502, 0x2524, 0x00C1, 0x00C2, 0x011A, 0x015E, 0x2563, 0x2551, 0x2557,
    0x255D, 0x017B, 0x017C, 0x2510, 0x2514, 0x2534, 0x252C, 0x251C, 0x2500, 0x253C, 0x0102, 0x0103,
    0x255A, 0x2554, 0x2569, 0x2566, 0x2560, 0x2550, 0x256C, 0x00A4, 0x0111, 0x0110, 0x010E, 0x00CB,
    0x010F, 0x0147, 0x00CD, 0x00CE, 0x011B, 0x2518, 0x250C, 0x2588, 0x2584, 0x0162, 0x016E, 0x2580,
    0x00D3, 0x00DF, 0x00D4, 0x0143, 0x0144, 0x0148, 0x0160, 0x0161, 0x0154, 0x00DA, 0x0155, 0x0170,
    0x00FD, 0x00DD, 0x0163, 0x00B4, 0x00AD, 0x02DD, 0x02DB, 0x02C7, 0x02D8, 0x00A7, 0x00F7, 0x00B8,
    0x00B0, 0x00A8, 0x02D9, 0x0171, 0x0158, 0x0159, 0x25A0, 0x00A0,
};

void appendbyte(std::string& out, unsigned char b) {
  if (b < 0x80)
    out.push_back(static_cast<char>(b));
  else
    appendutf8(out, upper_half[b - 0x80]);
}

}  // namespace

void appendarchivetext(std::string& out, std::string_view bytes) {
  size_t n = 0;
  bool ascii = true;
  for (; n < bytes.size() && bytes[n] != 0; ++n) ascii &= static_cast<unsigned char>(bytes[n]) < 0x80;
  if (ascii) {
    out.append(bytes.substr(0, n));
    return;
  }
  for (char c : bytes.substr(0, n)) {
    auto b = static_cast<unsigned char>(c);
    appendbyte(out, b == 0x8F ? 0xB5 : b);
  }
}

void appendrawtext(std::string& out, std::string_view bytes) {
  for (char c : bytes) appendbyte(out, static_cast<unsigned char>(c));
}

void appendarchivedate(std::string& out, std::string_view raw) {
  if (raw.size() == 8 && std::all_of(raw.begin(), raw.end(), [](char c) { return c > 0 && (c & 0x80) == 0; })) {
    out.append(raw.substr(0, 4)).append(".").append(raw.substr(4, 2)).append(".").append(raw.substr(6, 2));
    return;
  }
  std::string date = formatmask("####.##.##", rawtext(raw));
  out.append(date.substr(0, date.find('\0')));
}

std::string archivetext(std::string_view bytes) {
  std::string out;
  appendarchivetext(out, bytes);
  return out;
}

std::string rawtext(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size());
  appendrawtext(out, bytes);
  return out;
}

std::string archivedate(std::string_view raw) {
  std::string date;
  appendarchivedate(date, raw);
  return date;
}

}  // namespace dosber
