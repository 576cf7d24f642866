// The type key of the configured element, as the protocol and the results
// window print it, and the opposite support it asks for. One rule for the
// reading of the main window and for the Calculate and solver runs.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace morvane {

// Element types 1 to 7 are the maker's own models, the only ones the
// configurator builds a type code for.
inline bool isConfiguredModel(std::int16_t elementType) { return elementType >= 1 && elementType <= 7; }

// The type information followed directly by the type code; empty for every
// other element type, so an orifice or another make's probe never takes over
// the code of a model viewed earlier.
inline std::string typeKey(std::int16_t elementType, std::string_view typeInfo, std::string_view code)
{
    if (!isConfiguredModel(elementType))
        return {};
    std::string key(typeInfo);
    key += code;
    return key;
}

// 1 when the key ends in the opposite-support option "GE1" (case-sensitive),
// else 0 (gGegenlagerVorgesehen).
inline std::int16_t oppositeSupportOf(std::string_view key)
{
    constexpr std::string_view withSupport = "GE1";
    return key.size() >= withSupport.size() && key.substr(key.size() - withSupport.size()) == withSupport ? 1 : 0;
}

}  // namespace morvane
