// Reading a resource text id out of a window property ("1037", " 1208 ",
// "1037.4"): windows carry the ids of their texts as text in their Tag,
// ToolTipText or a menu item's Caption, and the loader (LoadResstrings) turns
// them into full ids (language offset included) by one of two rules.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace morvane {

// offset + number as a 32-bit id, rounded half to even as the runtime's
// conversion to Long does; run-time error 6 outside the 32-bit range.
std::int32_t fullTextId(double number, std::int32_t offset);

// Both rules read the leading number with the runtime's Val (runtimeVal of
// platform/RuntimeNumbers.h).
//
// Real-number rule: applies when the leading number is not 0; the id is the
// offset plus the number, rounded.
std::optional<std::int32_t> realNumberId(std::string_view text, std::int32_t offset);

// Short-integer rule: the leading number rounded (half to even) to a 16-bit
// signed integer, run-time error 6 outside -32768..32767; applies when that
// integer is greater than 0; the id is the offset plus it.
std::optional<std::int32_t> shortIntegerId(std::string_view text, std::int32_t offset);

}  // namespace morvane
