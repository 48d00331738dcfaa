#pragma once
// The 6-byte real of the archive: byte 0 the biased exponent, bytes 1-5 a
// 39-bit fraction (least significant byte first), bit 7 of byte 5 the sign.
#include <cstdint>
#include <cstring>

namespace dosber {

inline double real48(const unsigned char* p) {
  if (p[0] == 0) return 0.0;
  uint64_t fraction = 0;
  for (int i = 5; i >= 1; --i) fraction = (fraction << 8) | p[i];
  fraction &= (uint64_t(1) << 39) - 1;
  const uint64_t sign = (p[5] & 0x80) ? 1 : 0;
  const uint64_t exponent = uint64_t(p[0]) + 894;  // e - 129 + 1023
  const uint64_t bits = (sign << 63) | (exponent << 52) | (fraction << 13);
  double d;
  std::memcpy(&d, &bits, sizeof d);
  return d;
}

inline int16_t int16le(const unsigned char* p) {
  return static_cast<int16_t>(uint16_t(p[0]) | (uint16_t(p[1]) << 8));
}

}  // namespace dosber
