#include <string>
#include <vector>

#include "archive/cardtables.h"
#include "archive/codetables.h"
#include "archive/cp852.h"
#include "base/paths.h"
#include "archive/readers.h"
#include "archive/recordfile.h"

namespace dosber {
namespace {

// A code file of the company folder, else of the year folder.
void readcodefile(archivestate& state, const std::string& companyfolder, const char* name,
                  size_t recordsize, int namewidth) {
  auto add = [&](const unsigned char* r) {
    state.itemnames.add(rawtext(field(r, 0, 3)), trimmedtext(field(r, 3, namewidth)));
  };
  walkcompanyoryear(companyfolder, name, recordsize, add);
}

}  // namespace

void readpayitemcodes(archivestate& state, const yearinfo& year, const std::string& companyfolder) {
  std::string* allowancecodes = year.yearnumber == 92   ? &state.allowancecodes92
                                : year.yearnumber == 93 ? &state.allowancecodes93
                                                        : nullptr;
  if (allowancecodes) allowancecodes->clear();

  readcodefile(state, companyfolder, "jarkod.dat", year.jarkodsize, year.jarkodnamewidth);
  readcodefile(state, companyfolder, "levkod.dat", levkodsize, levkodnamewidth);
  registertaxlabels(year, state.itemnames);

  const berparlayout& bp = year.berpar;
  std::string name = std::string("ber") + (year.yeartext + 2) + ".par";
  recordfile file;
  if (!file.open(joinpath(parentpath(companyfolder), name), bp.recordsize)) return;
  std::vector<unsigned char> record;
  if (!file.readsingle(record)) return;
  for (int i = 1; i <= bp.allowances; ++i) {
    const unsigned char* entry = record.data() + bp.firstentry + 29 * (i - 1);
    std::string_view allowance = trimcontrol(field(entry, 0, bp.namewidth));
    if (allowance.empty()) continue;
    state.itemnames.add(itemcodetext(600 + i), archivetext(allowance));
    if (bp.incomeflag && allowancecodes && entry[10] == 'J') *allowancecodes += itemcodetext(600 + i) + ";";
  }
}

}  // namespace dosber
