// Stands for the runtime's conversion of a number to text (Str and the display
// form): a point as decimal separator whatever the locale, up to 15 significant
// digits, no thousands separators, no trailing zeros.
#pragma once

#include <string>

namespace morvane {

// The number written in fixed notation, never with an exponent: the reading of
// the main window cuts a text at the letter E, so "1E-06" would come back as 1.
// Magnitudes below 1 get a leading zero ("0.5"). NaN and infinities are refused
// with run-time error 6 (they must never reach a text box).
std::string displayText(double value);

// The Str form: displayText with one blank in front of a number that is not
// negative (" 1.4", " 2500", "-0.25").
std::string strForm(double value);

// The Str form of a value that a unit conversion gave, rounded to 12
// significant digits of the larger of its own magnitude and `scale`, the
// magnitude of the conversion's offset (273.15 for K, 32 for °F; 0 for a
// conversion by a factor alone). The rounding drops the last binary digits
// the conversion there and back leaves: a value typed with up to 4 decimals,
// of magnitude 0.01 or more, shows again as typed (0.1 °F as " 0.1", not
// " 0.100000000000001").
std::string strFormConverted(double value, double scale);

}  // namespace morvane
