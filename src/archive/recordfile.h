#pragma once
// Record files of the archive: fixed-size records, record 0 a header that is
// read and discarded. Only whole records count; bytes after the last whole
// record are never read. Records are read in large blocks, not one system
// call each, and the file is only ever opened for reading.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "base/paths.h"

namespace dosber {

// An empty slot of the DOS program has a zero byte at offset 4.
inline bool present(const unsigned char* record) { return record[4] != 0; }

class recordfile {
 public:
  recordfile() = default;
  recordfile(const recordfile&) = delete;
  recordfile& operator=(const recordfile&) = delete;
  ~recordfile() { close(); }

  // Opens the file (its name matched without regard to letter case) for
  // reading. False when it cannot be opened: the file counts as absent.
  bool open(std::string_view path, size_t recordsize);
  void close();
  bool isopen() const { return fd_ >= 0; }
  const std::string& path() const { return path_; }

  // Whole records in the file, record 0 included.
  size_t count() const { return count_; }

  // Reads record 0 and discards it. A file that ends inside it fails with
  // "Read past end of file".
  void skipheader();

  // Reads records 1 .. count-1 in file order: fn(record bytes, record number).
  template <class F>
  void walk(F&& fn) {
    size_t number = 1;
    while (number < count_) {
      size_t n = readblock(number);
      for (size_t i = 0; i < n; ++i) fn(buffer_.data() + i * recordsize_, number + i);
      number += n;
    }
  }

  // Reads the first record of a file that has no header (the wage parameter
  // file). False when the file is shorter than one record.
  bool readsingle(std::vector<unsigned char>& record);

  // Reads one whole record by number, for readers that found it in an earlier
  // walk; a record that is no longer in the file fails with "Read past end of file".
  void readrecord(size_t number, std::vector<unsigned char>& record);

 private:
  size_t readblock(size_t first);
  void readexact(unsigned char* into, size_t bytes, size_t offset);

  int fd_ = -1;
  size_t recordsize_ = 0;
  size_t count_ = 0;
  std::string path_;
  std::vector<unsigned char> buffer_;
  bool bufferzero_ = false;  // the buffer holds only zero bytes
};

}  // namespace dosber

namespace dosber {

// Walks a list file without progress: fn(record) for every present record
// behind the header. False when the file cannot be opened (absent).
template <class F>
bool walklist(std::string_view path, size_t recordsize, F&& fn) {
  recordfile file;
  if (!file.open(path, recordsize)) return false;
  file.skipheader();
  file.walk([&](const unsigned char* record, size_t) {
    if (present(record)) fn(record);
  });
  return true;
}

// A list file of the company folder, else the file of that name in the year
// folder (the folder that contains the company folder). False when neither
// can be opened.
template <class F>
bool walkcompanyoryear(const std::string& companyfolder, std::string_view name, size_t recordsize, F&& fn) {
  return walklist(joinpath(companyfolder, name), recordsize, fn) ||
         walklist(joinpath(parentpath(companyfolder), name), recordsize, fn);
}

inline std::string_view field(const unsigned char* record, int offset, int width) {
  return std::string_view(reinterpret_cast<const char*>(record) + offset, static_cast<size_t>(width));
}

}  // namespace dosber
