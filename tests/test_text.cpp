#include <gtest/gtest.h>
#include <unicode/unistr.h>

#include "base/text.h"

using namespace dosber;

namespace {
std::string icufold(const std::string& s) {
  icu::UnicodeString u = icu::UnicodeString::fromUTF8(s);
  u.foldCase();
  std::string out;
  u.toUTF8String(out);
  return out;
}
}  // namespace

TEST(casefold, everyLatinLetterAsIcuFoldsIt) {
  for (char32_t c = 1; c < 0x250; ++c) {
    std::string s = "x";
    appendutf8(s, c);
    s += "Y";
    EXPECT_EQ(casefold(s), icufold(s)) << "U+" << std::hex << static_cast<int>(c);
  }
}

TEST(casefold, names) {
  struct row {
    const char* text;
    const char* folded;
  };
  const row rows[] = {
      {"KOVÁCS Ödön", "kovács ödön"},
      {"Szűcs ŐRS", "szűcs őrs"},
      {"Straße", "strasse"},  // folds to two letters: through ICU
      {"ΣΟΦΙΑ Ангела", "σοφια ангела"},
      {"", ""},
  };
  for (const row& r : rows) EXPECT_EQ(casefold(r.text), r.folded) << r.text;
}
