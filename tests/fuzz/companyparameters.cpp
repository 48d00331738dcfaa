// The company parameter file.
#include <cstdint>

#include "archive/archivestate.h"
#include "base/paths.h"
#include "archive/readers.h"
#include "fuzzinput.h"

using namespace dosber;
using namespace dosber::fuzzing;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string folder = joinpath(scratch(), "ceg");
  reset(folder);
  put(joinpath(folder, "mber.par"), std::string(reinterpret_cast<const char*>(data), size));
  archivestate state;
  readcompanyparameters(state, folder);
  return 0;
}
