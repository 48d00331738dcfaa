#pragma once
// Small archive fixtures for the reader tests.
#include <string>
#include <vector>

#include "base/paths.h"
#include "base/text.h"
#include "base/progress.h"
#include "archive/yearlayouts.h"
#include "testing/archivewriter.h"
#include "testutil.h"

namespace dosber::testing {

// Records every progress call as "max N", "min N", "pos N".
class progressrecorder : public progress {
 public:
  void setmaximum(int v) override { calls.push_back("max " + std::to_string(v)); }
  void setminimum(int v) override { calls.push_back("min " + std::to_string(v)); }
  void setposition(int v) override {
    pos = v;
    calls.push_back("pos " + std::to_string(v));
  }
  int position() const override { return pos; }
  std::vector<std::string> calls;
  int pos = 0;
};

inline std::string yearfoldername(const yearinfo& y) { return "ber" + std::string(y.yeartext + 2); }

// A company folder with mber.par under root/ber<yy>/<name>.
inline std::string makecompany(const std::string& root, const yearinfo& y, const std::string& name = "ceg") {
  std::string folder = joinpath(joinpath(root, yearfoldername(y)), name);
  writecompanyparameters(folder, "Kalibra Bt.", "12345678213");
  return folder;
}

}  // namespace dosber::testing

#include <filesystem>
#include <fstream>
#include <map>

namespace dosber::testing {

// Every file and folder below root with its size, modification time and bytes.
inline std::map<std::string, std::string> snapshot(const std::string& root) {
  namespace fs = std::filesystem;
  std::map<std::string, std::string> out;
  for (auto& e : fs::recursive_directory_iterator(root)) {
    std::string key = fs::relative(e.path(), root).string();
    if (e.is_directory()) {
      out[key] = "folder";
      continue;
    }
    std::ifstream in(e.path(), std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), {});
    auto time = fs::last_write_time(e.path()).time_since_epoch().count();
    out[key] = std::to_string(bytes.size()) + " " + std::to_string(time) + " " +
               std::to_string(std::hash<std::string>{}(bytes));
  }
  return out;
}

// A copy of the sample archive in a test folder.
inline void copysample(const std::string& to) {
  std::filesystem::copy(DOSBER_SAMPLE, to, std::filesystem::copy_options::recursive);
}

}  // namespace dosber::testing
