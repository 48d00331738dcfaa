#include "archive/dispatch.h"

#include "archive/cardtables.h"
#include "archive/errors.h"
#include "archive/paths.h"
#include "archive/readers.h"
#include "archive/yearlayouts.h"
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

void tablereset(archivestate& state, memtable& employees) {
  state.clearlists();
  rebuildemployeetable(employees);
}

loadresult loadcompanyfolder(archivestate& state, memtable& employees, const std::string& yearfolderpath,
                             const std::string& companyname, progress* bar, std::string* datafolder) {
  std::string candidate = lowercase(joinpath(yearfolderpath, companyname));
  if (!isfile(joinpath(candidate, "mber.par"))) return loadresult::notacompany;
  state.companyfolder = candidate;
  int number = yearnumberof(yearfolderpath);
  char buffer[16];
  state.yearnumber = number;
  state.hasyear = true;
  state.yeartext = std::string(yeartextfor(number, buffer));
  if (datafolder) *datafolder = parentpath(parentpath(candidate));
  tablereset(state, employees);
  if (const yearinfo* year = yearfor(number)) loadcompany(state, *year, employees, candidate, bar);
  return loadresult::loaded;
}

loadresult loadcompanypath(archivestate& state, memtable& employees, const std::string& companyfolder,
                           progress* bar) {
  std::string folder = companyfolder;
  while (folder.size() > 1 && folder.back() == pathsep) folder.pop_back();
  return loadcompanyfolder(state, employees, parentpath(folder), lastcomponent(folder), bar);
}

void loadcarddata(archivestate& state, const memtable& employees, progress* bar) {
  rebuildcardtables(state.absences, state.items);
  if (const yearinfo* year = state.hasyear ? yearfor(state.yearnumber) : nullptr)
    loadcard(state, *year, employees, state.companyfolder, bar);
}

}  // namespace dosber
