#include "base/files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <stdexcept>

#include "base/paths.h"

namespace dosber {

void savefile(const std::string& path, std::string_view bytes) {
  std::string folder = parentpath(path);
  std::string tmpl = joinpath(folder.empty() ? "." : folder, "." + lastcomponent(path) + ".XXXXXX");
  std::string name = tmpl;
  int fd = ::mkstemp(name.data());
  auto fail = [&](const char* what) {
    int err = errno;
    if (fd >= 0) ::close(fd);
    ::unlink(name.c_str());
    throw std::runtime_error(std::string(what) + " " + path + ": " + std::strerror(err));
  };
  if (fd < 0) throw std::runtime_error("Cannot create " + path + ": " + std::strerror(errno));
  size_t done = 0;
  while (done < bytes.size()) {
    ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      fail("Cannot write");
    }
    done += static_cast<size_t>(n);
  }
  if (::fchmod(fd, 0644) != 0 || ::fsync(fd) != 0) fail("Cannot write");
  if (::close(fd) != 0) {
    fd = -1;
    fail("Cannot write");
  }
  fd = -1;
  if (::rename(name.c_str(), path.c_str()) != 0) fail("Cannot replace");
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
