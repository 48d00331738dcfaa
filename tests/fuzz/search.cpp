// The whole-archive search over a fuzzed archive tree: four year folders of
// three companies each, with fuzzed company parameter and employee files,
// searched for a fuzzed query by two threads.
#include <cstdint>

#include "archive/search.h"
#include "archive/yearlayouts.h"
#include "base/format.h"
#include "base/paths.h"
#include "fuzzinput.h"

using namespace dosber;
using namespace dosber::fuzzing;

namespace {
// Folder names as they may come: lower and upper case, a blank, a folder
// that is no year.
const char* companies[] = {"ceg", "CEG2", "ket szo"};
const char* files[][3] = {
    {"mber.par", "dt.dat", "arcdt.dat"}, {"MBER.PAR", "DT.DAT", "ARCDT.DAT"}, {"Mber.par", "Dt.dat", "arcdt.DAT"}};

std::string yearfolder(int year, int slot) {
  std::string yy = years()[searchyear(year, slot)].yeartext + 2;
  const char* prefixes[] = {"ber", "ber", "BER", "xber"};
  return prefixes[slot] + yy;
}
}  // namespace

// Tags: 0 .. 35 the files, tag / 9 the year folder, tag / 3 % 3 the company,
// tag % 3 mber.par, dt.dat or arcdt.dat; 36 the query: name, birth date and
// identifier, one a line.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  unpacked u = unpack(data, size, 37);
  std::string root = joinpath(scratch(), "adat");
  reset(root);
  for (const auto& [tag, bytes] : u.files) {
    if (tag == 36) continue;
    std::string folder = joinpath(joinpath(root, yearfolder(u.year, tag / 9)), companies[tag / 3 % 3]);
    std::filesystem::create_directories(folder);
    put(joinpath(folder, files[tag / 3 % 3][tag % 3]), bytes);
  }
  searchquery q{"a", "", ""};
  if (auto it = u.files.find(36); it != u.files.end())
    q = searchquery{piece(it->second, '\n', 1), piece(it->second, '\n', 2), piece(it->second, '\n', 3)};

  size_t reported = 0;
  int done = 0, total = -1;
  searchcallbacks callbacks;
  callbacks.found = [&](const std::vector<foundemployment>& found) { reported += found.size(); };
  callbacks.progress = [&](int d, int t) {
    if (d != done + 1 || (total >= 0 && t != total)) __builtin_trap();
    done = d;
    total = t;
  };
  searchresult r = findemployments(root, q, callbacks, 2);
  // Every employment found was reported once, and every company was searched.
  if (reported != r.employments.size() || (total >= 0 && done != total)) __builtin_trap();
  for (size_t i = 1; i < r.employments.size(); ++i)
    if (r.employments[i - 1].year > r.employments[i].year) __builtin_trap();
  return 0;
}
