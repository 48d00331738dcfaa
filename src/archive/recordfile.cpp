#include "archive/recordfile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "base/errors.h"
#include "base/paths.h"

namespace dosber {
namespace {
// Large enough to make system calls rare, small enough to stay in the cache.
constexpr size_t block_bytes = 256 << 10;
}

bool recordfile::open(std::string_view path, size_t recordsize) {
  close();
  auto real = resolvepath(path);
  if (!real || recordsize == 0) return false;
  int fd = ::open(real->c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return false;
  struct stat st;
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    ::close(fd);
    return false;
  }
  fd_ = fd;
  path_ = *real;
  recordsize_ = recordsize;
  count_ = static_cast<size_t>(st.st_size) / recordsize;
  return true;
}

void recordfile::close() {
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
  count_ = 0;
}

void recordfile::readexact(unsigned char* into, size_t bytes, size_t offset) {
  size_t done = 0;
  while (done < bytes) {
    ssize_t n = ::pread(fd_, into + done, bytes - done, static_cast<off_t>(offset + done));
    if (n < 0) {
      if (errno == EINTR) continue;
      throw failure(std::string("I/O error: ") + std::strerror(errno), path_);
    }
    if (n == 0) throw failure(read_past_end, path_);
    done += static_cast<size_t>(n);
  }
}

void recordfile::skipheader() {
  if (count_ == 0) throw failure(read_past_end, path_);
  bufferzero_ = false;
  buffer_.resize(recordsize_);
  readexact(buffer_.data(), recordsize_, 0);
}

size_t recordfile::readblock(size_t first) {
  size_t per_block = std::max<size_t>(1, block_bytes / recordsize_);
  size_t n = std::min(per_block, count_ - first);
  size_t bytes = n * recordsize_, offset = first * recordsize_;
  // A block that lies wholly in a hole of a sparse file reads as zero bytes
  // without being copied from the kernel.
  off_t data = ::lseek(fd_, static_cast<off_t>(offset), SEEK_DATA);
  bool hole = data >= 0 && static_cast<size_t>(data) >= offset + bytes;
  if (data < 0 && errno == ENXIO) {
    // No data after the offset: a trailing hole, or a file that has shrunk.
    struct stat st;
    if (::fstat(fd_, &st) != 0 || static_cast<size_t>(st.st_size) < offset + bytes)
      throw failure(read_past_end, path_);
    hole = true;
  }
  if (hole) {
    if (!bufferzero_ || buffer_.size() < bytes) {
      buffer_.assign(bytes, 0);
      bufferzero_ = true;
    }
    return n;
  }
  bufferzero_ = false;
  buffer_.resize(bytes);
  readexact(buffer_.data(), bytes, offset);
  return n;
}

void recordfile::readrecord(size_t number, std::vector<unsigned char>& record) {
  record.resize(recordsize_);
  readexact(record.data(), recordsize_, number * recordsize_);
}

bool recordfile::readsingle(std::vector<unsigned char>& record) {
  if (count_ == 0) return false;
  record.resize(recordsize_);
  try {
    readexact(record.data(), recordsize_, 0);
  } catch (const failure&) {
    return false;
  }
  return true;
}

}  // namespace dosber
