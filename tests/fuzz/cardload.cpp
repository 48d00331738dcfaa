// A card load: a valid employee, fuzzed absence and wage card files.
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

// Tags: 0 kinap.dat, 1 karton.dat, 2 kikarton.dat, 3 ber<yy>.par.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  unpacked u = unpack(data, size, 4);
  const yearinfo& y = years()[u.year];
  std::string yearfolder = joinpath(scratch(), "ber" + std::string(y.yeartext + 2));
  std::string folder = joinpath(yearfolder, "ceg");
  reset(yearfolder);
  reset(folder);
  testing::writecompanyparameters(folder, "Kalibra", "12345678213");
  testing::employee e;
  e.azon = "15607231234";
  testing::writeemployees(joinpath(folder, "dt.dat"), y, {e});
  const std::string names[] = {joinpath(folder, "kinap.dat"), joinpath(folder, "karton.dat"),
                               joinpath(folder, "kikarton.dat"),
                               joinpath(yearfolder, testing::wageparameterfilename(y))};
  for (const auto& [tag, bytes] : u.files) put(names[tag], bytes);
  archivestate state;
  memtable table = makeemployeetable();
  try {
    loadcompanypath(state, table, folder);
    table.first();
    loadcarddata(state, table, nullptr);
  } catch (const failure&) {
  }
  return 0;
}
