#include "base/files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <stdexcept>

#include "base/errors.h"
#include "base/paths.h"

namespace dosber {
namespace {

// A fault of the disk that tests can bring about in a whole process:
// DOSBER_TEST_WRITE_FAULT=ENOSPC:N (or EACCES:N, EIO:N) makes every write
// fail once N bytes have been written by this process's saves.
struct writefault {
  int err = 0;
  size_t after = 0, written = 0;
  writefault() {
    const char* v = std::getenv("DOSBER_TEST_WRITE_FAULT");
    if (!v || !*v) return;
    std::string text(v);
    auto colon = text.find(':');
    std::string name = text.substr(0, colon);
    err = name == "ENOSPC" ? ENOSPC : name == "EACCES" ? EACCES : name == "EIO" ? EIO : 0;
    if (colon != std::string::npos) after = std::strtoull(text.c_str() + colon + 1, nullptr, 10);
  }
  // How many of n bytes may be written now; 0 with errno set when none.
  size_t allow(size_t n) {
    if (!err) return n;
    if (written >= after) {
      errno = err;
      return 0;
    }
    size_t k = std::min(n, after - written);
    written += k;
    return k;
  }
};

writefault& fault() {
  static writefault f;
  return f;
}

}  // namespace

std::string systemreason(int err) {
  switch (err) {
    case ENOSPC: return "betelt a lemez";
    case EDQUOT: return "elfogyott a lemezkvóta";
    case EACCES:
    case EPERM: return "nincs hozzá jogosultság";
    case EROFS: return "a lemez csak olvasható";
    case ENOENT: return "a könyvtár nem létezik";
    case EISDIR: return "könyvtár áll a helyén";
    case ENOTDIR: return "az útvonal egy része nem könyvtár";
    case EIO: return "írási hiba (I/O)";
    default: return std::strerror(err);
  }
}

void savefile(const std::string& path, std::string_view bytes) {
  std::string folder = parentpath(path);
  std::string tmpl = joinpath(folder.empty() ? "." : folder, "." + lastcomponent(path) + ".XXXXXX");
  std::string name = tmpl;
  int fd = ::mkstemp(name.data());
  auto fail = [&](const char* what) {
    int err = errno;
    if (fd >= 0) ::close(fd);
    ::unlink(name.c_str());
    throw failure(std::string(what) + " (" + systemreason(err) + ")", path);
  };
  if (fd < 0) throw failure("A fájl nem hozható létre (" + systemreason(errno) + ")", path);
  size_t done = 0;
  while (done < bytes.size()) {
    size_t allowed = fault().allow(bytes.size() - done);
    ssize_t n = allowed ? ::write(fd, bytes.data() + done, allowed) : -1;
    if (n < 0) {
      if (errno == EINTR) continue;
      fail("A fájl nem írható");
    }
    done += static_cast<size_t>(n);
  }
  if (::fchmod(fd, 0644) != 0 || ::fsync(fd) != 0) fail("A fájl nem írható");
  if (::close(fd) != 0) {
    fd = -1;
    fail("A fájl nem írható");
  }
  fd = -1;
  if (::rename(name.c_str(), path.c_str()) != 0) fail("A fájl nem cserélhető le");
}

bool ensurefolder(const std::string& filename) {
  namespace fs = std::filesystem;
  std::string target = parentpath(filename);
  if (target.empty()) return true;
  auto exists = [](const std::string& p) {
    std::error_code ec;
    return fs::is_directory(fs::path(p), ec);
  };
  if (exists(target)) return true;
  std::string current = target;
  while (!exists(current)) {
    if (::mkdir(current.c_str(), 0777) == 0) {
      if (current == target) return true;
      current = target;
    } else if (errno == EEXIST) {
      return false;  // a file stands where a folder should be
    } else {
      std::string parent = parentpath(current);
      if (parent.empty() || parent == current) return false;
      current = parent;
    }
  }
  return false;
}

}  // namespace dosber
