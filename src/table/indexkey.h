#pragma once
// The index key of a row: the index fields' values one after the other, so
// that comparing keys byte by byte orders rows as the index does. The same
// parts build the key of a stored row and of the values a locate looks for.
#include <cstdint>
#include <string>
#include <string_view>

namespace dosber {

// A text ends with a zero byte; a collated text is its Hungarian sort key.
void appendkey(std::string& key, std::string_view text, bool collated);
// Numbers as the bytes of their double, reordered so that bytes compare as
// the numbers do; integers count as doubles.
void appendkey(std::string& key, double number);
inline void appendkey(std::string& key, int32_t number) { appendkey(key, static_cast<double>(number)); }
void appendkey(std::string& key, bool flag);

}  // namespace dosber
