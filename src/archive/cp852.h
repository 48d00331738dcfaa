#pragma once
// Archive text: DOS code page 852 bytes to UTF-8 display text.
#include <string>
#include <string_view>

#include "base/text.h"

namespace dosber {

// The archive text conversion: every 0x8F byte counts as 0xB5 ("Á"; 0x8F
// would come out as "Ć"), the text ends at its first zero byte, and the
// bytes are converted from code page 852. ASCII text comes out unchanged.
std::string archivetext(std::string_view bytes);

// Bytes taken as they are stored (codes, dates): not cut and not trimmed.
// ASCII bytes, zero bytes included, stay as they are; bytes of 0x80 and
// more become their code page 852 letters so that the text stays UTF-8.
std::string rawtext(std::string_view bytes);

// A date stored as YYYYMMDD, through the mask "####.##.##", as stored (not
// trimmed, not converted); the text ends at a zero byte, as in the fixed
// text buffers of the DOS program's tables.
std::string archivedate(std::string_view raw);

// Trimmed, then converted: the display value of most text fields.
inline std::string trimmedtext(std::string_view bytes) { return archivetext(trimcontrol(bytes)); }

// The same conversions appended to out, for readers that gather a record's
// texts in one buffer.
void appendarchivetext(std::string& out, std::string_view bytes);
void appendrawtext(std::string& out, std::string_view bytes);
void appendarchivedate(std::string& out, std::string_view raw);

}  // namespace dosber
