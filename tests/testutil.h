#pragma once
// A temporary folder for one test, removed afterwards.
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

}  // namespace dosber::testing
