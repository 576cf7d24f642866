// The program's picture: a pipe with an orifice plate and the flow through it,
// drawn rather than stored, for the splash window, the about window's icon and
// the window icon.
#pragma once

#include <QPixmap>

namespace morvane {

QPixmap programPicture(int sizePixels);

}  // namespace morvane
