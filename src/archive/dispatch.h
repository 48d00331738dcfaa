#pragma once
// The archive folder tree and the year dispatch of a company load.
#include <string>
#include <string_view>
#include <vector>

#include "archive/archivestate.h"
#include "archive/progress.h"

namespace dosber {
class memtable;

// A sub-folder is a year folder when its lower-cased name occurs anywhere in
// "ber92;ber93;...;ber05"; an empty name never does.
bool isyearfoldername(std::string_view name);
std::vector<std::string> yearfolders(const std::string& datafolder);
// Sub-folders that hold mber.par.
std::vector<std::string> companyfolders(const std::string& yearfolder);

// The year number: the last two characters of the year folder path as an
// integer. Throws the invalid-integer error.
int yearnumberof(const std::string& yearfolderpath);

// Empties the per-load lists and rebuilds the employee table empty.
void tablereset(archivestate& state, memtable& employees);

enum class loadresult { loaded, notacompany };

// The company load of the window: checks that the company folder holds
// mber.par, sets the year and the company folder path (lower-cased), resets
// the table and runs the reader of the year. On success datafolder becomes
// the folder two levels above the company folder path.
loadresult loadcompanyfolder(archivestate& state, memtable& employees, const std::string& yearfolderpath,
                             const std::string& companyname, progress* bar, std::string* datafolder = nullptr);

// The same for a company folder path given whole (command line).
loadresult loadcompanypath(archivestate& state, memtable& employees, const std::string& companyfolder,
                           progress* bar = nullptr);

// The card data of the employee table's current row: rebuilds the card
// tables and runs the card reader of the last company load's year.
void loadcarddata(archivestate& state, const memtable& employees, progress* bar);

}  // namespace dosber
