#include <fstream>

#include "archive/cp852.h"
#include "base/paths.h"
#include "archive/readers.h"

namespace dosber {
namespace {

// Reads one line ending at CR LF, a lone CR or LF. False at the end of the file.
bool readline(std::istream& in, std::string& line) {
  line.clear();
  if (in.peek() == std::char_traits<char>::eof()) return false;
  for (;;) {
    int c = in.get();
    if (c == std::char_traits<char>::eof() || c == '\n') return true;
    if (c == '\r') {
      if (in.peek() == '\n') in.get();
      return true;
    }
    line.push_back(static_cast<char>(c));
  }
}

}  // namespace

void readcompanyparameters(archivestate& state, const std::string& companyfolder) {
  state.companyname.clear();
  state.companytaxnumber.clear();
  auto real = resolvepath(joinpath(companyfolder, "mber.par"));
  if (!real) return;
  std::ifstream in(*real, std::ios::binary);
  if (!in) return;
  std::string line;
  for (int i = 1; i <= 4; ++i)
    if (!readline(in, line)) return;
  if (!readline(in, line)) return;
  state.companyname = trimmedtext(line);
  if (!readline(in, line)) return;
  if (!readline(in, line)) return;
  // Digits as they are; any other byte as its letter, so that the text stays UTF-8.
  state.companytaxnumber = rawtext(trimcontrol(line));
}

}  // namespace dosber
