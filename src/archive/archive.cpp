#include "archive/archive.h"

#include "archive/cardtables.h"
#include "archive/readers.h"
#include "archive/yearlayouts.h"
#include "base/paths.h"
#include "base/text.h"
#include "table/employeetable.h"

namespace dosber {

bool isyearfoldername(std::string_view name) {
  static constexpr std::string_view years =
      "ber92;ber93;ber94;ber95;ber96;ber97;ber98;ber99;ber00;ber01;ber02;ber03;ber04;ber05";
  return !name.empty() && years.find(lowercase(name)) != std::string_view::npos;
}

std::vector<std::string> yearfolders(const std::string& datafolder) {
  std::vector<std::string> out;
  for (auto& name : subfolders(datafolder))
    if (isyearfoldername(name)) out.push_back(name);
  return out;
}

std::vector<std::string> companyfolders(const std::string& yearfolder) {
  std::vector<std::string> out;
  for (auto& name : subfolders(yearfolder))
    if (isfile(joinpath(joinpath(yearfolder, name), "mber.par"))) out.push_back(name);
  return out;
}

int yearnumberof(const std::string& yearfolderpath) {
  std::string last = yearfolderpath.size() >= 2 ? yearfolderpath.substr(yearfolderpath.size() - 2) : yearfolderpath;
  return tointeger(last);
}

std::optional<std::string> companypath(const std::string& yearfolderpath, const std::string& companyname) {
  std::string candidate = lowercase(joinpath(yearfolderpath, companyname));
  if (!isfile(joinpath(candidate, "mber.par"))) return std::nullopt;
  return candidate;
}

void tablereset(archivestate& state, memtable& employees) {
  state.clearlists();
  rebuildemployeetable(employees);
}

void loadcompanyfolder(archivestate& state, memtable& employees, const std::string& yearfolderpath,
                       const std::string& companyfolder, progress* bar, std::string* datafolder,
                       std::string_view azon) {
  state.companyfolder = companyfolder;
  int number = yearnumberof(yearfolderpath);
  char buffer[16];
  state.yearnumber = number;
  state.hasyear = true;
  state.yeartext = std::string(yeartextfor(number, buffer));
  if (datafolder) *datafolder = parentpath(parentpath(companyfolder));
  tablereset(state, employees);
  if (const yearinfo* year = yearfor(number)) loadcompany(state, *year, employees, companyfolder, bar, azon);
}

bool loadcompanypath(archivestate& state, memtable& employees, const std::string& companyfolder, progress* bar,
                     std::string_view azon) {
  std::string folder = companyfolder;
  while (folder.size() > 1 && folder.back() == pathsep) folder.pop_back();
  std::string yearfolder = parentpath(folder);
  auto checked = companypath(yearfolder, lastcomponent(folder));
  if (!checked) return false;
  loadcompanyfolder(state, employees, yearfolder, *checked, bar, nullptr, azon);
  return true;
}

void loadcarddata(archivestate& state, const memtable& employees, progress* bar) {
  rebuildcardtables(state.absences, state.items);
  if (const yearinfo* year = state.hasyear ? yearfor(state.yearnumber) : nullptr)
    loadcard(state, *year, employees, state.companyfolder, bar);
}

}  // namespace dosber
