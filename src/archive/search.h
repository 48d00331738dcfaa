#pragma once
// Finding a person in the whole archive: every employment of matching
// persons in every year folder and company folder.
#include <atomic>
#include <functional>
#include <string>
#include <vector>

namespace dosber {

struct searchquery {
  std::string name;  // contained in nev, letter case and accents ignored; empty: any name
  std::string born;  // szulido YYYY.MM.DD, or empty
  std::string azon;  // identification number, or empty
  bool exactaccents = false;  // accents must match (letter case is still ignored)
};

// The message for a birth date that is none of the accepted forms.
std::string unreadabledate(const std::string& text);

struct foundemployment {
  std::string year;            // year text
  std::string yearfolder;      // folder names as on disk
  std::string companyfolder;
  std::string companyname;
  std::string azon, nev, szulido, bdatum, kdatum, jogvnev1, jogvnev2;
  bool archived = false;       // from arcdt.dat
};

struct skippedfolder {
  std::string folder;
  std::string message;
};

struct searchresult {
  std::vector<foundemployment> employments;
  std::vector<skippedfolder> skipped;
};

struct searchcallbacks {
  // Called from the searching threads, one call at a time, as companies are done.
  std::function<void(const std::vector<foundemployment>&)> found;
  std::function<void(int done, int total)> progress;
  const std::atomic<bool>* cancel = nullptr;
};

// Searches every recognised year folder of the data folder with up to
// threads workers; a query without name, birth date and identifier finds
// nothing. The result is ordered by year, company folder and name.
searchresult findemployments(const std::string& datafolder, const searchquery& query,
                             const searchcallbacks& callbacks = {}, int threads = 2);

}  // namespace dosber
