// The number typed into the error-test panel, and the error it raises.
#pragma once

#include <cstdint>
#include <string_view>

namespace morvane {

// The value of the leading decimal number of a text, as the runtime's Val reads
// it: blanks, tabs and line feeds anywhere are ignored, a point is the decimal
// separator, an exponent may follow with E or D; 0 when the text does not begin
// with a number ("None"). A value beyond the range of a double is run-time
// error 6.
double leadingValue(std::string_view text);

// leadingValue rounded to a 32-bit integer, halves to the even neighbour;
// run-time error 6 beyond the 32-bit range.
std::int32_t errorNumberOf(std::string_view text);

// Raises the run-time error of the number in the text, with its standard
// description. Error number 0 is no error: raising it fails with error 5.
[[noreturn]] void raiseTestError(std::string_view text);

}  // namespace morvane
