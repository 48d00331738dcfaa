#pragma once
// The input of a fuzz harness: a year index, then files, each a tag byte
// (which file), a 32-bit little-endian length and the bytes; or a sequence
// of fields (fieldreader). Seeds are made by packing files written by the
// test archive writer.
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <string_view>

#include "archive/real48.h"
#include "testing/archivewriter.h"

namespace dosber::fuzzing {

struct unpacked {
  int year = 0;  // index into years()
  std::map<int, std::string> files;
};

inline unpacked unpack(const uint8_t* data, size_t size, int tags) {
  unpacked u;
  if (size == 0) return u;
  u.year = data[0] % 14;
  size_t i = 1;
  while (i + 5 <= size) {
    int tag = data[i] % tags;
    uint32_t len;
    std::memcpy(&len, data + i + 1, 4);
    i += 5;
    len = static_cast<uint32_t>(std::min<size_t>(len, size - i));
    u.files[tag].assign(reinterpret_cast<const char*>(data + i), len);
    i += len;
  }
  return u;
}

inline std::string pack(const unpacked& u) {
  std::string out(1, static_cast<char>(u.year));
  for (const auto& [tag, bytes] : u.files) {
    out.push_back(static_cast<char>(tag));
    uint32_t len = static_cast<uint32_t>(bytes.size());
    out.append(reinterpret_cast<const char*>(&len), 4);
    out += bytes;
  }
  return out;
}

// The year (index into years()) of a year folder slot of the search harness.
inline int searchyear(int year, int slot) { return (year + 3 * slot) % 14; }

// Fields of a structured input, read in a fixed order: a text is a 16-bit
// little-endian length and that many bytes (any bytes), a number one byte,
// an amount the six bytes of a 6-byte real. Past the input's end every field
// is empty or zero.
class fieldreader {
 public:
  fieldreader(const uint8_t* data, size_t size) : p_(data), end_(data + size) {}
  std::string text(size_t most) {
    size_t n = byte();
    n |= static_cast<size_t>(byte()) << 8;
    n = std::min({n, most, static_cast<size_t>(end_ - p_)});
    std::string s(reinterpret_cast<const char*>(p_), n);
    p_ += n;
    return s;
  }
  uint8_t number() { return byte(); }
  double amount() {
    unsigned char b[6];
    for (unsigned char& c : b) c = byte();
    return real48(b);
  }

 private:
  uint8_t byte() { return p_ < end_ ? *p_++ : 0; }
  const uint8_t* p_;
  const uint8_t* end_;
};

// The seed side of fieldreader.
class fieldwriter {
 public:
  fieldwriter& text(std::string_view s) {
    out.push_back(static_cast<char>(s.size() & 0xFF));
    out.push_back(static_cast<char>((s.size() >> 8) & 0xFF));
    out += s;
    return *this;
  }
  fieldwriter& number(uint8_t n) {
    out.push_back(static_cast<char>(n));
    return *this;
  }
  fieldwriter& amount(double v) {
    unsigned char b[6];
    testing::putreal48(b, v);
    out.append(reinterpret_cast<const char*>(b), 6);
    return *this;
  }
  std::string out;
};

inline std::string readfile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), {});
}

// A scratch folder for this process, emptied for every input.
inline std::string scratch() {
  static std::string root = [] {
    std::string tmpl = (std::filesystem::temp_directory_path() / "dosber-fuzz-XXXXXX").string();
    return std::string(::mkdtemp(tmpl.data()));
  }();
  return root;
}

inline void reset(const std::string& folder) {
  std::error_code ec;
  std::filesystem::remove_all(folder, ec);
  std::filesystem::create_directories(folder, ec);
}

inline void put(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

}  // namespace dosber::fuzzing
