#pragma once
// The settings file and the program's fixed locations. The settings file is
// a small INI text, section "exepar" with the stored data folder and the
// default-reader flag; other sections, keys and comments survive a rewrite
// byte for byte.
#include <string>
#include <string_view>
#include <vector>

namespace dosber {

class inifile {
 public:
  // A missing or unreadable file reads as empty.
  void load(const std::string& path);
  void parse(std::string_view text);
  std::string text() const;

  std::string value(std::string_view section, std::string_view key) const;
  void set(std::string_view section, std::string_view key, std::string_view value);

 private:
  // The line of key in section (and its value), or null.
  const std::string* find(std::string_view section, std::string_view key, std::string& value) const;
  std::vector<std::string> lines_;
  std::string newline_ = "\n";
};

// "c:\Kalibra Bt" elsewhere: $DOSBER_ROOT, else $XDG_DATA_HOME/Kalibra Bt,
// else ~/.local/share/Kalibra Bt.
std::string rootfolder();
std::string settingspath();   // root + Params/Veltor/veltor.par
std::string cardpdfpath();    // root + temp/doskarton/doskarton.pdf
// Another file of the card output folder (the person's cards, the summary).
std::string cardoutputpath(const std::string& name);
std::string summarypdfpath();  // root + temp/doskarton/osszesito.pdf (the earnings summary)

struct settings {
  std::string storedfolder;
  bool defaultreader = true;
  std::string savefolder = {};  // where the user last saved a copy of a card; written only when set
  bool preview = false;         // open every PDF in the program's own preview
};

// Reads the two settings; missing values give the program folder and true.
settings readsettings(const std::string& path, const std::string& programfolder);
// Writes both into the file (creating its folder); throws on failure.
void writesettings(const std::string& path, const settings& s);

// "1..." is true, any other non-empty value false, empty gives fallback.
bool readflag(std::string_view value, bool fallback);

}  // namespace dosber
