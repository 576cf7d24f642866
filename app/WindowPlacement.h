// The main window's placement in the per-user settings store: application =
// the program title, section "Settings", keys "MainLeft", "MainTop",
// "MainWidth", "MainHeight", each the number of twips as text.
#pragma once

#include "platform/Seams.h"

#include <string>

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

// A whole text read as a number (blanks around it allowed, a point as decimal
// separator), rounded half to even: run-time error 13 when it is not a number.
int placementNumber(const std::string& text);

}  // namespace morvane
