// The main window's placement in the per-user settings store: application =
// the program title, section "Settings", keys "MainLeft", "MainTop",
// "MainWidth", "MainHeight", each the number of twips as text.
#pragma once

#include "platform/SettingsStore.h"

#include <string>
#include <vector>

namespace morvane {

enum class PlacementKey { Left, Top, Width, Height };

struct WindowPlacement {
    int left = 1000;  // twips
    int top = 1000;
    int width = 8835;
    int height = 8715;
};

const char* placementKeyName(PlacementKey key);

// One stored value; a missing key gives its default (WindowPlacement's). A key
// whose text is not a number is run-time error 13; one beyond 32 bits is
// error 6.
int loadPlacementValue(const SettingsStore& store, PlacementKey key);

// All four values.
WindowPlacement loadMainPlacement(const SettingsStore& store);

void saveMainPlacement(const WindowPlacement& placement, SettingsStore& store);

// A rectangle on the desktop, in pixels.
struct ScreenRect {
    int left = 0, top = 0, width = 0, height = 0;
    bool operator==(const ScreenRect&) const = default;
};

// Where a window of the given size goes whose frame was stored at (left,
// top): there, when its top strip (the title bar and menus, `grip` pixels
// high) lies on one of the screens over at least `grip` pixels of its width;
// otherwise on the primary screen, at the default offset (1000 twips) from its
// corner, moved left and up as far as needed to fit (never past the corner).
ScreenRect keepOnScreen(const ScreenRect& window, const std::vector<ScreenRect>& screens, const ScreenRect& primary,
                        int grip);

// A whole text read as a number (blanks around it allowed, a point as decimal
// separator), rounded half to even: run-time error 13 when it is not a number.
int placementNumber(const std::string& text);

}  // namespace morvane
