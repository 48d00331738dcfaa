#pragma once
// Text of the whole program is UTF-8: characters, letter case, trimming and
// the strict integer conversion.
#include <string>
#include <string_view>

namespace dosber {

// A UTF-8 continuation byte never starts a character.
inline bool continuationbyte(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }
// The start of the character that holds byte `at` (the text's end when `at`
// lies past it): a cut there splits no character.
size_t charboundary(std::string_view s, size_t at);
// The end of the character that starts at byte `at`.
size_t nextchar(std::string_view s, size_t at);
// The first `count` characters (the whole text when it is shorter).
std::string_view firstchars(std::string_view s, size_t count);
// At most `count` bytes, cut at a character boundary.
std::string_view firstbytes(std::string_view s, size_t count);

// The text with every ill-formed UTF-8 sequence replaced by U+FFFD: a font
// that is handed an ill-formed text measures and draws nothing from then on.
std::string validutf8(std::string_view s);

// Appends the UTF-8 form of one code point.
void appendutf8(std::string& out, char32_t cp);

// Lower-casing and Unicode case folding; plain ASCII is handled without ICU.
std::string lowercase(std::string_view utf8);
std::string casefold(std::string_view utf8);
bool equalsignorecase(std::string_view a, std::string_view b);
// Case folding that also drops accents ("KOVÁCS", "kovács" and "Kovacs"
// fold alike; "ő" and "ű" become "o" and "u").
std::string foldaccents(std::string_view utf8);

// Removes every character with a code of 32 or less from both ends.
std::string_view trimcontrol(std::string_view s);
inline std::string trimmed(std::string_view s) { return std::string(trimcontrol(s)); }

// Strict decimal integer conversion: optional blanks in front, an optional
// sign, then digits only. Throws the invalid-integer failure otherwise.
int tointeger(const std::string& text);

}  // namespace dosber
