// The fonts of the program's windows. They were designed with the Windows fonts
// "MS Sans Serif" 8 pt (every window's default) and "Arial"; on Linux
// Liberation Sans (fonts-liberation, metric-compatible with Arial) stands in
// for both, so texts keep the width the twip layouts were made for.
#pragma once

#include <QFont>

namespace morvane {

inline constexpr const char* kSubstituteFamily = "Liberation Sans";

// "MS Sans Serif" 8 pt.
QFont windowFont();

// "Arial" at the given size.
QFont arialFont(double pointSize, bool bold = false);

// Makes the two Windows family names resolve to the substitute wherever a
// window or printout asks for them by name.
void installFontSubstitutes();

}  // namespace morvane
