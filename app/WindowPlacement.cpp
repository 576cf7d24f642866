#include "app/WindowPlacement.h"

#include "app/LanguageFile.h"
#include "app/ProgramIdentity.h"
#include "platform/RuntimeError.h"

#include <string_view>

namespace morvane {

namespace {

constexpr const char* kSection = "Settings";

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
    // One item and nothing after it, read by the number rules of the language
    // file.
    if (v.empty() || v.find_first_of(" \t\r\n,") != std::string_view::npos)
        raiseError(err::TypeMismatch);
    return readLanguageNumber(v);
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

void saveMainPlacement(const WindowPlacement& placement, SettingsStore& store)
{
    store.setValue(kProgramTitle, kSection, placementKeyName(PlacementKey::Left), std::to_string(placement.left));
    store.setValue(kProgramTitle, kSection, placementKeyName(PlacementKey::Top), std::to_string(placement.top));
    store.setValue(kProgramTitle, kSection, placementKeyName(PlacementKey::Width), std::to_string(placement.width));
    store.setValue(kProgramTitle, kSection, placementKeyName(PlacementKey::Height), std::to_string(placement.height));
}

}  // namespace morvane
