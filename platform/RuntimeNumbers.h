// The runtime's conversions between texts and numbers: its Val, a decimal
// number read from a file, and the rounding of a double to a 16-bit Integer or
// a 32-bit Long. Every reader of a number in a text the program's own files,
// settings and windows hold reads it here: with a point as decimal separator
// whatever the locale (std::from_chars, never strtod), and rounding halves to
// the even neighbour as the runtime's conversions do.
#pragma once

#include <charconv>
#include <cstdint>
#include <optional>
#include <string_view>

namespace morvane {

// The runtime's Val: the value of the decimal number the text begins with.
// Blanks, tabs and line feeds are skipped wherever they stand, a point is the
// decimal separator, an optional sign and an exponent (E or D, with at least
// one digit) are accepted, and the reading stops at the first other character.
// 0 when the text does not begin with a number, and for a magnitude too small
// for a double; run-time error 6 for one too large. A minus sign before a zero
// gives -0, which reads and rounds as 0.
double runtimeVal(std::string_view text);

// runtimeVal without its error: nothing where Val raises error 6 (a magnitude
// too large for a double), for a reader that takes such a text as damage of
// its own.
std::optional<double> runtimeValInRange(std::string_view text);

// A decimal number as the whole of `token`: an optional sign, digits with an
// optional point (at least one digit), an optional exponent with E or e and at
// least one digit. Nothing for any other token (blanks, a comma, "inf",
// "0x10" among them). A magnitude beyond the range of a double gives an
// infinity of its sign, one below it a zero, as the C library's strtod does.
std::optional<double> decimalNumber(std::string_view token);

// std::from_chars for a double in the general format, which ignores the
// locale, with the out-of-range case settled as strtod settles it: `value`
// becomes an infinity of the number's sign when its magnitude is beyond the
// range of a double and a zero of its sign when it is below it (ec stays
// std::errc::result_out_of_range).
std::from_chars_result readDouble(const char* first, const char* last, double& value);

// `value` rounded half to even to a 16-bit Integer or a 32-bit Long; nothing
// outside the type's range (NaN and the infinities among it).
std::optional<std::int16_t> roundedInteger(double value);
std::optional<std::int32_t> roundedLong(double value);

// The runtime's conversions to Integer and Long: roundedInteger and
// roundedLong, with run-time error 6 (overflow) outside the range.
std::int16_t toInteger(double value);
std::int32_t toLong(double value);

// A whole token as decimalNumber reads it, rounded to a Long: run-time error
// 13 when the token is no decimal number, 6 when it does not fit 32 bits.
std::int32_t longOfDecimal(std::string_view token);

}  // namespace morvane
