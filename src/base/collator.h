#pragma once
// The Hungarian name order of the program: the grid's index and the
// whole-archive search sort names by the same keys.
#include <string>
#include <string_view>

namespace dosber {

// Appends the sort key of a UTF-8 text, ending with a zero byte, so keys of
// several fields can stand one after the other. Letters and accents decide
// the order ("Ádám" after "Adam", "cs" after "c"); texts that differ only in
// letter case get equal keys and fall back to whatever follows them. Where
// no Hungarian collation is available the text's own bytes are the key.
void appendsortkey(std::string& key, std::string_view utf8);
std::string sortkey(std::string_view utf8);

}  // namespace dosber
