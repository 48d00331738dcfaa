// The settings file: read, change and write back.
#include <cstdint>

#include "base/settings.h"
#include "base/paths.h"
#include "fuzzinput.h"

using namespace dosber;
using namespace dosber::fuzzing;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string path = joinpath(scratch(), "veltor.par");
  put(path, std::string(reinterpret_cast<const char*>(data), size));
  settings s = readsettings(path, "/program");
  s.storedfolder += "/x";
  s.defaultreader = !s.defaultreader;
  writesettings(path, s);
  settings again = readsettings(path, "/program");
  if (again.storedfolder != s.storedfolder || again.defaultreader != s.defaultreader) __builtin_trap();
  return 0;
}
