#include "base/settings.h"

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "base/files.h"
#include "base/paths.h"
#include "base/text.h"

namespace dosber {
namespace {

constexpr size_t max_settings_bytes = 1 << 20;
constexpr const char* savefolderkey = "mentési könyvtár";
constexpr const char* previewkey = "beépített előnézet";

std::string asciilower(std::string_view s) {
  std::string out(s);
  for (char& c : out)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return out;
}

bool sectionline(std::string_view line, std::string& name) {
  std::string_view t = trimcontrol(line);
  if (t.size() < 2 || t.front() != '[') return false;
  auto close = t.find(']');
  if (close == std::string_view::npos) return false;
  name = std::string(trimcontrol(t.substr(1, close - 1)));
  return true;
}

bool keyline(std::string_view line, std::string& key, std::string& value) {
  std::string_view t = trimcontrol(line);
  if (t.empty() || t[0] == ';' || t[0] == '#') return false;
  auto eq = t.find('=');
  if (eq == std::string_view::npos) return false;
  key = std::string(trimcontrol(t.substr(0, eq)));
  value = std::string(trimcontrol(t.substr(eq + 1)));
  return true;
}

std::string ending(std::string_view line) {
  if (line.size() >= 2 && line.substr(line.size() - 2) == "\r\n") return "\r\n";
  if (!line.empty() && line.back() == '\n') return "\n";
  return {};
}

}  // namespace

void inifile::load(const std::string& path) {
  lines_.clear();
  std::ifstream in(path, std::ios::binary);
  if (!in) return;
  // One byte more than a settings file may hold: a larger file, or one that
  // is not text at all, is no settings file and reads as empty (it is not
  // half read and then written back cut).
  std::string text(max_settings_bytes + 1, '\0');
  in.read(text.data(), static_cast<std::streamsize>(text.size()));
  text.resize(static_cast<size_t>(in.gcount()));
  if (text.size() > max_settings_bytes || text.find('\0') != std::string::npos) return;
  parse(text);
}

void inifile::parse(std::string_view text) {
  // Each line keeps its own line ending, so untouched lines are written back
  // exactly as they were read.
  lines_.clear();
  newline_ = text.find("\r\n") != std::string_view::npos ? "\r\n" : "\n";
  size_t i = 0;
  while (i < text.size()) {
    size_t j = text.find('\n', i);
    j = j == std::string_view::npos ? text.size() : j + 1;
    lines_.emplace_back(text.substr(i, j - i));
    i = j;
  }
}

std::string inifile::text() const {
  std::string out;
  for (const auto& line : lines_) out += line;
  return out;
}

const std::string* inifile::find(std::string_view section, std::string_view key, std::string& value) const {
  std::string current, k;
  bool in = false;
  for (const auto& line : lines_) {
    if (sectionline(line, current)) {
      in = asciilower(current) == asciilower(section);
    } else if (in && keyline(line, k, value) && asciilower(k) == asciilower(key)) {
      return &line;
    }
  }
  return nullptr;
}

std::string inifile::value(std::string_view section, std::string_view key) const {
  std::string v;
  return find(section, key, v) ? v : std::string();
}

void inifile::set(std::string_view section, std::string_view key, std::string_view value) {
  std::string current, k, v;
  bool in = false;
  long lastinsection = -1;
  for (size_t i = 0; i < lines_.size(); ++i) {
    if (sectionline(lines_[i], current)) {
      in = asciilower(current) == asciilower(section);
      if (in) lastinsection = static_cast<long>(i);
    } else if (in) {
      if (keyline(lines_[i], k, v) && asciilower(k) == asciilower(key)) {
        lines_[i] = k + "=" + std::string(value) + ending(lines_[i]);
        return;
      }
      if (!trimcontrol(lines_[i]).empty()) lastinsection = static_cast<long>(i);
    }
  }
  std::string entry = std::string(key) + "=" + std::string(value) + newline_;
  if (lastinsection < 0) {
    if (!lines_.empty() && ending(lines_.back()).empty()) lines_.back() += newline_;
    if (!lines_.empty() && !trimcontrol(lines_.back()).empty()) lines_.push_back(newline_);
    lines_.push_back("[" + std::string(section) + "]" + newline_);
    lines_.push_back(entry);
  } else {
    if (ending(lines_[lastinsection]).empty()) lines_[lastinsection] += newline_;
    lines_.insert(lines_.begin() + lastinsection + 1, entry);
  }
}

std::string rootfolder() {
#ifdef _WIN32
  return "c:\\Kalibra Bt";
#else
  if (const char* r = std::getenv("DOSBER_ROOT"); r && *r) return r;
  if (const char* x = std::getenv("XDG_DATA_HOME"); x && *x) return joinpath(x, "Kalibra Bt");
  const char* home = std::getenv("HOME");
  return joinpath(joinpath(home && *home ? home : ".", ".local/share"), "Kalibra Bt");
#endif
}

std::string settingspath() {
  return joinpath(joinpath(joinpath(rootfolder(), "Params"), "Veltor"), "veltor.par");
}

std::string cardoutputpath(const std::string& name) {
  return joinpath(joinpath(joinpath(rootfolder(), "temp"), "doskarton"), name);
}

std::string cardpdfpath() { return cardoutputpath("doskarton.pdf"); }

std::string summarypdfpath() { return cardoutputpath("osszesito.pdf"); }

bool readflag(std::string_view value, bool fallback) {
  if (value.empty()) return fallback;
  return value[0] == '1';
}

settings readsettings(const std::string& path, const std::string& programfolder) {
  inifile ini;
  ini.load(path);
  settings s;
  std::string folder = ini.value("exepar", "bér könyvtár");
  s.storedfolder = folder.empty() ? programfolder : folder;
  s.defaultreader = readflag(ini.value("exepar", "felhasználói pdf"), true);
  s.savefolder = ini.value("exepar", savefolderkey);
  s.preview = readflag(ini.value("exepar", previewkey), false);
  return s;
}

void writesettings(const std::string& path, const settings& s) {
  inifile ini;
  ini.load(path);
  ini.set("exepar", "bér könyvtár", s.storedfolder);
  ini.set("exepar", "felhasználói pdf", s.defaultreader ? "1" : "0");
  if (!s.savefolder.empty()) ini.set("exepar", savefolderkey, s.savefolder);
  // Written once the user has turned the preview on, so that files of users
  // who never did hold just the two keys.
  if (s.preview || !ini.value("exepar", previewkey).empty()) ini.set("exepar", previewkey, s.preview ? "1" : "0");
  if (!ensurefolder(path))
    throw std::runtime_error("A beállítások könyvtára nem hozható létre: " + parentpath(path));
  savefile(path, ini.text());
}

}  // namespace dosber
