#include "base/paths.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "base/text.h"

namespace dosber {
namespace fs = std::filesystem;

std::string joinpath(std::string_view folder, std::string_view name) {
  std::string out(folder);
  if (!out.empty() && out.back() != pathsep) out.push_back(pathsep);
  out.append(name);
  return out;
}

std::string parentpath(std::string_view path) {
  while (path.size() > 1 && path.back() == pathsep) path.remove_suffix(1);
  auto p = path.rfind(pathsep);
  if (p == std::string_view::npos) return {};
  if (p == 0) return std::string(1, pathsep);
  return std::string(path.substr(0, p));
}

std::string lastcomponent(std::string_view path) {
  while (path.size() > 1 && path.back() == pathsep) path.remove_suffix(1);
  auto p = path.rfind(pathsep);
  return std::string(p == std::string_view::npos ? path : path.substr(p + 1));
}


namespace {

bool exists(const std::string& p) {
  std::error_code ec;
  return fs::exists(fs::path(p), ec);
}

// Splits a path into its root ("/" or "") and its components.
std::vector<std::string> components(std::string_view path, std::string& root) {
  std::vector<std::string> parts;
  size_t i = 0;
  root.clear();
  if (!path.empty() && path[0] == pathsep) {
    root = std::string(1, pathsep);
    i = 1;
  }
  while (i <= path.size()) {
    size_t j = path.find(pathsep, i);
    if (j == std::string_view::npos) j = path.size();
    if (j > i) parts.emplace_back(path.substr(i, j - i));
    i = j + 1;
  }
  return parts;
}

}  // namespace

std::optional<std::string> resolvepath(std::string_view path) {
  if (path.empty()) return std::nullopt;
  std::string exact(path);
  if (exists(exact)) return exact;
  std::string root;
  auto parts = components(path, root);
  std::string current = root;
  for (const auto& part : parts) {
    std::string candidate = current.empty() ? part : joinpath(current, part);
    if (part == "." || part == ".." || exists(candidate)) {
      current = candidate;
      continue;
    }
    std::string folded = casefold(part);
    std::vector<std::string> matches;
    std::error_code ec;
    fs::directory_iterator it(current.empty() ? fs::path(".") : fs::path(current), ec), end;
    for (; !ec && it != end; it.increment(ec)) {
      std::string name = it->path().filename().string();
      if (casefold(name) == folded) matches.push_back(name);
    }
    if (matches.empty()) return std::nullopt;
    std::sort(matches.begin(), matches.end());
    current = current.empty() ? matches.front() : joinpath(current, matches.front());
  }
  return current;
}

bool isfile(std::string_view path) {
  auto real = resolvepath(path);
  if (!real) return false;
  std::error_code ec;
  return fs::is_regular_file(fs::path(*real), ec);
}

bool isfolder(std::string_view path) {
  auto real = resolvepath(path);
  if (!real) return false;
  std::error_code ec;
  return fs::is_directory(fs::path(*real), ec);
}

std::vector<std::string> subfolders(std::string_view folder) {
  std::vector<std::string> names;
  auto real = resolvepath(folder);
  if (!real) return names;
  std::error_code ec;
  fs::directory_iterator it(fs::path(*real), ec), end;
  for (; !ec && it != end; it.increment(ec)) {
    std::error_code ec2;
    if (it->is_directory(ec2)) names.push_back(it->path().filename().string());
  }
  std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
    auto fa = casefold(a), fb = casefold(b);
    return fa != fb ? fa < fb : a < b;
  });
  return names;
}

std::string programfolder() {
  // Asked for every text measured (the font folder lies beside the program);
  // the program does not move while it runs.
  static const std::string folder = [] {
    std::error_code ec;
    auto exe = fs::read_symlink("/proc/self/exe", ec);
    if (ec) return fs::current_path(ec).string();
    return exe.parent_path().string();
  }();
  return folder;
}

}  // namespace dosber
