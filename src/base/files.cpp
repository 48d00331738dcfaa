#include "base/files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <stdexcept>

#include "base/errors.h"
#include "base/paths.h"

namespace dosber {

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
    ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
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
