#pragma once
// The archive as the window and the command line use it: the folder tree,
// the company load of a chosen company and the card data of an employment.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "archive/archivestate.h"
#include "base/progress.h"

namespace dosber {
class memtable;

// The message for a folder that is no company folder (it holds no mber.par).
inline constexpr const char* not_a_company = "Nem megfelelő adatkönyvtár!";

// A sub-folder is a year folder when its lower-cased name occurs anywhere in
// "ber92;ber93;...;ber05"; an empty name never does.
bool isyearfoldername(std::string_view name);
std::vector<std::string> yearfolders(const std::string& datafolder);
// Sub-folders that hold mber.par.
std::vector<std::string> companyfolders(const std::string& yearfolder);

// The year number: the last two characters of the year folder path as an
// integer. Throws the invalid-integer failure.
int yearnumberof(const std::string& yearfolderpath);

// The company folder path of a company of a year folder, lower-cased as it
// is shown and stored, or nothing when the folder holds no mber.par.
std::optional<std::string> companypath(const std::string& yearfolderpath, const std::string& companyname);
// Empties the per-load lists and rebuilds the employee table empty.
void tablereset(archivestate& state, memtable& employees);

// The company load of a checked company folder path (companypath): sets the
// company folder path and the year (an invalid year stops here, before the
// table reset), makes datafolder the folder two levels above the company
// folder, resets the table and runs the reader of the year. With azon (the
// earnings summary), only the employment records of that identifier become
// rows.
void loadcompanyfolder(archivestate& state, memtable& employees, const std::string& yearfolderpath,
                       const std::string& companyfolder, progress* bar, std::string* datafolder = nullptr,
                       std::string_view azon = {});

// The same for a company folder path given whole (command line); false when
// the folder is no company folder.
bool loadcompanypath(archivestate& state, memtable& employees, const std::string& companyfolder,
                     progress* bar = nullptr, std::string_view azon = {});

// The card data of the employee table's current row: rebuilds the card
// tables and runs the card reader of the last company load's year.
void loadcarddata(archivestate& state, const memtable& employees, progress* bar);

}  // namespace dosber
