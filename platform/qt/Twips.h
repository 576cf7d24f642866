// Window positions and sizes are given in twips: 1440 per inch, so 15 per
// pixel at 96 dpi, Qt's device-independent pixel.
#pragma once

#include <QRect>

#include <cmath>

namespace morvane {

inline constexpr int TwipsPerPixel = 15;

inline int twipsToPixels(int twips)
{
    return static_cast<int>(std::lround(static_cast<double>(twips) / TwipsPerPixel));
}

inline QRect twipsRect(int left, int top, int width, int height)
{
    return QRect(twipsToPixels(left), twipsToPixels(top), twipsToPixels(width), twipsToPixels(height));
}

}  // namespace morvane
