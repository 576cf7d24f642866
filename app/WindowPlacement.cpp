#include "app/WindowPlacement.h"

#include "common/ProgramIdentity.h"
#include "platform/RuntimeNumbers.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <string_view>
#include <utility>

namespace morvane {

namespace {

constexpr const char* kSection = "Settings";
constexpr int TwipsPerPixelOnScreen = 15;

int defaultOf(PlacementKey key)
{
    const WindowPlacement d;
    switch (key) {
    case PlacementKey::Left: return d.left;
    case PlacementKey::Top: return d.top;
    case PlacementKey::Width: return d.width;
    case PlacementKey::Height: return d.height;
    }
    return 0;
}

}  // namespace

const char* placementKeyName(PlacementKey key)
{
    switch (key) {
    case PlacementKey::Left: return "MainLeft";
    case PlacementKey::Top: return "MainTop";
    case PlacementKey::Width: return "MainWidth";
    case PlacementKey::Height: return "MainHeight";
    }
    return "";
}

int placementNumber(const std::string& text)
{
    std::string_view v(text);
    while (!v.empty() && (v.front() == ' ' || v.front() == '\t'))
        v.remove_prefix(1);
    while (!v.empty() && (v.back() == ' ' || v.back() == '\t'))
        v.remove_suffix(1);
    // One decimal number and nothing after it, rounded to a Long (else 13).
    return longOfDecimal(v);
}

ScreenRect keepOnScreen(const ScreenRect& window, const std::vector<ScreenRect>& screens, const ScreenRect& primary,
                        int grip)
{
    for (const ScreenRect& s : screens) {
        const int across = std::min(window.left + window.width, s.left + s.width) - std::max(window.left, s.left);
        const int down = std::min(window.top + grip, s.top + s.height) - std::max(window.top, s.top);
        if (across >= grip && down >= grip)
            return window;
    }
    const int offset = static_cast<int>(std::lround(WindowPlacement{}.left / double(TwipsPerPixelOnScreen)));
    ScreenRect moved = window;
    moved.left = primary.left + std::max(0, std::min(offset, primary.width - window.width));
    moved.top = primary.top + std::max(0, std::min(offset, primary.height - window.height));
    return moved;
}

int loadPlacementValue(const SettingsStore& store, PlacementKey key)
{
    const auto text = store.value(kProgramTitle, kSection, placementKeyName(key));
    return text ? placementNumber(*text) : defaultOf(key);
}

WindowPlacement loadMainPlacement(const SettingsStore& store)
{
    WindowPlacement p;
    p.left = loadPlacementValue(store, PlacementKey::Left);
    p.top = loadPlacementValue(store, PlacementKey::Top);
    p.width = loadPlacementValue(store, PlacementKey::Width);
    p.height = loadPlacementValue(store, PlacementKey::Height);
    return p;
}

bool saveMainPlacement(const WindowPlacement& placement, SettingsStore& store)
{
    bool written = true;
    for (const auto& [key, value] : {std::pair{PlacementKey::Left, placement.left}, {PlacementKey::Top, placement.top},
                                     {PlacementKey::Width, placement.width}, {PlacementKey::Height, placement.height}})
        written = store.setValue(kProgramTitle, kSection, placementKeyName(key), std::to_string(value)) && written;
    return written;
}

}  // namespace morvane
