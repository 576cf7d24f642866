// Stands for the runtime's Format with the two digit patterns the engine uses:
// "###0.00" (the vibration ratio) and ".###" (the solver's announcement).
//
// The runtime formats from the value's 15-significant-digit decimal form and
// rounds half away from zero, so 1.005 gives "1.01" although the nearest double
// lies just below 1.005. The decimal separator is a point whatever the locale,
// as in the Str form (platform/NumberText.h).
#pragma once

#include <string>

namespace morvane {

// Exactly `decimals` places, at least one digit before the point ("###0.00" is
// formatFixed(v, 2): 1.3868 gives "1.39", 0 gives "0.00").
std::string formatFixed(double value, int decimals);

// Up to `decimals` places: trailing zeros and a trailing point are dropped, and
// a magnitude below 1 keeps its leading zero (".###": 53.35912 gives "53.359",
// 12.5 gives "12.5", 31 gives "31").
std::string formatUpTo(double value, int decimals);

}  // namespace morvane
