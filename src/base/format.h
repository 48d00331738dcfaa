#pragma once
// Date and number formatting: dates year.month.day, decimal comma,
// thousands point, for every conversion of the program.
#include <optional>
#include <string>
#include <string_view>

namespace dosber {

inline constexpr char decimalseparator = ',';
inline constexpr char thousandseparator = '.';
inline constexpr char dateseparator = '.';

// The general number form: 15 significant digits, trailing zeros dropped,
// no thousands separators, the decimal comma (12.5 -> "12,5").
std::string generalnumber(double value);

// Each "#" of the mask takes the next character of the value (none left:
// nothing); other mask characters are copied. An empty mask or an empty
// result gives the value.
std::string formatmask(std::string_view mask, std::string_view value);

// Number by a "#"-mask such as "###,###.##": "," positions take the
// thousands point, the part after "." the decimals (rounded ties to even).
std::string formatnumber(std::string_view mask, bool trimleft, double number);

// Rounds to the given decimal places, ties to even.
double roundeven(double value, int decimals);

// The n-th part (from 1) of a text between separators.
std::string piece(std::string_view text, char separator, int n);
int piececount(std::string_view text, char separator);

// A date written as YYYY.MM.DD, YYYY-MM-DD, YYYY.M.D (or with "-") or
// YYYYMMDD, as "yyyy.mm.dd"; nothing when it is no date of those forms.
std::optional<std::string> readdate(std::string_view text);

// Today's date as "yyyy.mm.dd".
std::string today();

}  // namespace dosber
