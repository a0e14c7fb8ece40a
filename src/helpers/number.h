// Numbers as text: the decimal text of integers and reals, reading a number
// from a text, rounding to 16 bits, and the two formatters that build numeric
// fields (FormatDecimal2, GridSquareCode).
#ifndef S1ORDO_HELPERS_NUMBER_H_
#define S1ORDO_HELPERS_NUMBER_H_

#include <cstdint>
#include <string>
#include <string_view>

namespace s1ordo {

// Decimal text: a leading blank for values that are not negative, "-" for
// negative ones, no leading zero before the point (" .5", "-.25"), no
// trailing zeros, no point for whole values.
std::string IntText(long long value);
// 32-bit real: 7 significant digits; exponent form ("1.234568E+07") below
// 1E-4 and from 1E7.
std::string SingleText(float value);
// 64-bit real: 15 significant digits; exponent form below 1E-4 and from 1E15.
std::string DoubleText(double value);

// The same texts without the leading blank of non-negative values.
inline std::string TrimmedText(long long v) { return std::to_string(v); }
std::string TrimmedSingleText(float value);
std::string TrimmedDoubleText(double value);

// Reads the leading part of the text that forms a number. Blanks, tabs and
// line feeds are skipped wherever they stand; reading stops at the first
// character that cannot continue the number; no digits reads as 0. Also
// takes "&H" (hexadecimal) and "&O" (octal) numbers. A number too large for
// a 64-bit real throws Error.
double ReadNumber(std::string_view text);

// True when the text, blanks around it aside, is one number written without
// blanks inside it: the grammar ReadNumber reads, every character used.
// ReadNumber itself skips blanks wherever they stand and ignores what
// follows the number; a field that must be a number to be compared with one
// (a category code) is checked with this.
bool IsNumberText(std::string_view text);

// Rounds to the nearest 16-bit integer, halves to the even neighbour.
// Outside -32768..32767 it throws Error naming the value.
int16_t RoundToInt16(double value);
// The same for 32-bit integers.
int32_t RoundToInt32(double value);

// The value (a 32-bit real) with exactly two decimals, cut (never rounded),
// right-justified in width characters: FormatDecimal2(7, 0.5) is "   0.50".
std::string FormatDecimal2(int width, float value);

// The 8-digit code of the regional grid square (the 30" x 45" third-level
// square) holding the point, or 8 blanks when latitude or longitude is 0.
std::string GridSquareCode(float lat_deg, float lat_min, float lat_sec,
                           float lon_deg, float lon_min, float lon_sec);

}  // namespace s1ordo

#endif  // S1ORDO_HELPERS_NUMBER_H_
