// A company load over a fuzzed set of archive files.
#include <cstdint>

#include "archive/archivestate.h"
#include "archive/archive.h"
#include "base/errors.h"
#include "base/paths.h"
#include "archive/yearlayouts.h"
#include "testing/archivewriter.h"
#include "fuzzinput.h"
#include "table/employeetable.h"

using namespace dosber;
using namespace dosber::fuzzing;

// Tags: 0 mber.par, 1 dt.dat, 2 arcdt.dat, 3 kod.dat, 4 mrend<yy>.dat (company),
// 5 mrend<yy>.dat (year), 6 jarkod.dat, 7 levkod.dat, 8 ber<yy>.par.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  unpacked u = unpack(data, size, 9);
  const yearinfo& y = years()[u.year];
  std::string yearfolder = joinpath(scratch(), "ber" + std::string(y.yeartext + 2));
  std::string folder = joinpath(yearfolder, "ceg");
  reset(yearfolder);
  reset(folder);
  std::string mrend = testing::schedulefilename(y);
  const std::string names[] = {joinpath(folder, "mber.par"), joinpath(folder, "dt.dat"),
                               joinpath(folder, "arcdt.dat"), joinpath(folder, "kod.dat"),
                               joinpath(folder, mrend),       joinpath(yearfolder, mrend),
                               joinpath(folder, "jarkod.dat"), joinpath(folder, "levkod.dat"),
                               joinpath(yearfolder, testing::wageparameterfilename(y))};
  put(names[0], "");
  for (const auto& [tag, bytes] : u.files) put(names[tag], bytes);
  archivestate state;
  memtable table = makeemployeetable();
  try {
    loadcompanypath(state, table, folder);
  } catch (const failure&) {
  }
  if (table.active()) {
    for (table.first(); !table.eof(); table.next()) (void)table.text("nev");
    filterbyname(table, "a");
    (void)table.visiblecount();
  }
  return 0;
}
