#pragma once
// Field types and values of the in-memory table, and the one conversion of
// a value to text that every display and export uses.
#include <cstdint>
#include <string>
#include <string_view>
#include <variant>

namespace dosber {

enum class fieldtype { text, integer, floating, boolean };

// How a text field's size is counted.
enum class textunit { bytes, chars };

using value = std::variant<std::monostate, std::string, int32_t, double, bool>;
// A value whose text lies elsewhere: what a reader appends without making
// strings first.
using valueview = std::variant<std::monostate, std::string_view, int32_t, double, bool>;
valueview viewof(const value& v);

// The words a boolean is written with.
struct boolwords {
  const char* yes;
  const char* no;
};
inline constexpr boolwords truefalse{"True", "False"};  // the table's default display
inline constexpr boolwords igennem{"Igen", "Nem"};      // printed lists and exports

// A value as text: numbers in the general number form, or through a
// "#"-mask with leading blanks removed; texts through the mask; booleans
// as the words; no value as empty text.
std::string valuetext(const value& v, std::string_view mask = {}, boolwords words = truefalse);

// Cuts a text to at most size units (UTF-8 bytes or characters), never
// inside a character; the text ends at a zero byte.
std::string cuttext(std::string_view text, int size, textunit unit);
std::string_view cutview(std::string_view text, int size, textunit unit);

}  // namespace dosber
