// Stands for the runtime's Format with the digit patterns the program uses:
// "###0.00" (the vibration ratio), ".###" (the solver's announcement), and on
// the printed uncertainty report "######0.00", "##.##" and "###.##".
//
// The runtime formats from the value's 15-significant-digit decimal form and
// rounds half away from zero, so 1.005 gives "1.01" although the nearest double
// lies just below 1.005. The decimal separator is a point whatever the locale,
// as in the Str form (platform/NumberText.h), unless a separator is given: the
// windows pass the one of the user's regional settings.
#pragma once

#include <functional>
#include <string>

namespace morvane {

// Exactly `decimals` places, at least one digit before the point ("###0.00" is
// formatFixed(v, 2): 1.3868 gives "1.39", 0 gives "0.00").
std::string formatFixed(double value, int decimals);
// The same with `decimalSeparator` in place of the point.
std::string formatFixed(double value, int decimals, char decimalSeparator);

// The mask "0,00E+00": one digit, the separator, `decimals` digits, "E", the
// exponent's sign and at least two exponent digits. The comma of the mask is
// read as the decimal separator, so the mantissa keeps two decimals
// (118886.7 gives "1.19E+05", 0 gives "0.00E+00", 9.996 gives "1.00E+01").
std::string formatScientific(double value, int decimals, char decimalSeparator = '.');

// Up to `decimals` places: trailing zeros and a trailing point are dropped, and
// a magnitude below 1 keeps its leading zero (".###": 53.35912 gives "53.359",
// 12.5 gives "12.5", 31 gives "31").
std::string formatUpTo(double value, int decimals);

// What the results window, both pages of the protocol, the limits-of-use
// lines and the solver's announcement show through those patterns: the
// pattern's text where it reads within 1 % of the value; a value that is not 0
// and that the pattern's places would show as 0 or move by more than 1 %
// (0.0025 or 0.005 through "######0.00" or "##.##", a velocity of 0.0984
// through "###0.00") shows with 4 significant digits instead, trailing zeros
// kept ("0.002500", "0.005000", "0.09840").
// Only magnitudes below 1 / (2 · 1 % · 10^decimals) can take that form; 0
// keeps the pattern ("0.00").
std::string formatFixedNear(double value, int decimals, char decimalSeparator = '.');
// The same for the up-to pattern ("150", "0.5", but "0.002500"; the solver's
// ".###" gives 0.0006 kg/s as "0.0006000", not "0.001").
std::string formatUpToNear(double value, int decimals, char decimalSeparator = '.');

// Whether two values are the same at 12 significant digits of their decimal
// form (0.19999999999999998 and 0.2 are; 0.19999998 and 0.2 are not).
bool sameToTwelveDigits(double a, double b);

// A value and the limit it lies beyond, as formatUpToNear shows each; where
// the two texts would be the same, both with as many more places as tell them
// apart, each with at most 12 significant digits ("760.0001" and "760",
// "0.19999998" and "0.2").
struct ValueAndLimit {
    std::string value, limit;
};
ValueAndLimit formatUpToApart(double value, double limit, int decimals);

// What a cell of limited room shows (a value label of the results window):
// formatFixedNear's text where `fits` takes it, else the scientific form with
// 4 significant digits (formatScientific with 3 decimals: 0.000000009643 gives
// "9.643E-09", 123456789000 "1.235E+11"), which is narrower than the fixed
// form of a value far below 1 or far above the pattern's integer digits.
std::string formatFixedNearOrScientific(double value, int decimals, char decimalSeparator,
                                        const std::function<bool(const std::string&)>& fits);

}  // namespace morvane
