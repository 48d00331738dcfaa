#include <string>

#include "archive/cp852.h"
#include "base/paths.h"
#include "archive/readers.h"
#include "archive/recordfile.h"

namespace dosber {

void readgeneralcodes(archivestate& state, const yearinfo& year, const std::string& companyfolder) {
  walklist(joinpath(companyfolder, "kod.dat"), year.kodsize, [&](const unsigned char* r) {
    if (r[0] == ' ') return;
    std::string entry = rawtext(field(r, 0, 1));
    entry += rawtext(trimcontrol(field(r, 1, year.kodcodewidth)));
    entry.push_back('=');
    entry += trimmedtext(field(r, year.kodnameoffset, year.kodnamewidth));
    state.generalcodes.add(entry);
  });
}

void readworkschedules(archivestate& state, const yearinfo& year, const std::string& companyfolder) {
  std::string name = std::string("mrend") + (year.yeartext + 2) + ".dat";
  auto add = [&](const unsigned char* r) {
    state.workschedules.add(rawtext(field(r, 0, 1)), trimmedtext(field(r, 1, 10)));
  };
  walkcompanyoryear(companyfolder, name, year.mrendsize, add);
}

}  // namespace dosber
