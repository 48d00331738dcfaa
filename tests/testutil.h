#pragma once
// A temporary folder for one test, removed afterwards.
#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <string>

namespace dosber::testing {

class tempfolder {
 public:
  tempfolder() {
    std::string tmpl = (std::filesystem::temp_directory_path() / "dosber-test-XXXXXX").string();
    path_ = ::mkdtemp(tmpl.data());
  }
  ~tempfolder() {
    std::error_code ec;
    std::filesystem::permissions(path_, std::filesystem::perms::owner_all, ec);
    std::filesystem::remove_all(path_, ec);
  }
  const std::string& path() const { return path_; }
  std::string operator/(const std::string& name) const { return path_ + "/" + name; }

 private:
  std::string path_;
};

// Runs a shell command: its exit status and what it printed (both streams).
struct commandresult {
  int status;
  std::string out;
};
inline commandresult capture(const std::string& command) {
  FILE* p = popen((command + " 2>&1").c_str(), "r");
  std::string out;
  char buf[4096];
  size_t n;
  while (p && (n = fread(buf, 1, sizeof buf, p)) > 0) out.append(buf, n);
  int status = p ? pclose(p) : -1;
  return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, out};
}

}  // namespace dosber::testing
