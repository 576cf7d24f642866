// Reading a resource text id out of a window property ("1037", " 1208 ",
// "1037.4"): windows carry the ids of their texts as text in their Tag,
// ToolTipText or a menu item's Caption, and the loader (LoadResstrings) turns
// them into full ids (language offset included) by one of two rules.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace morvane {

// The number the text begins with, read like the runtime's Val: blanks, tabs
// and line feeds are skipped wherever they stand, a point is the decimal
// separator, an optional sign and an exponent (E or D) are accepted, and the
// reading stops at the first other character. 0 when the text does not begin
// with a number. Run-time error 6 when the number is too large for a double.
double leadingIdNumber(std::string_view text);

// offset + number as a 32-bit id, rounded half to even as the runtime's
// conversion to Long does; run-time error 6 outside the 32-bit range.
std::int32_t fullTextId(double number, std::int32_t offset);

// Real-number rule: applies when the leading number is not 0; the id is the
// offset plus the number, rounded.
std::optional<std::int32_t> realNumberId(std::string_view text, std::int32_t offset);

// Short-integer rule: the leading number rounded (half to even) to a 16-bit
// signed integer, run-time error 6 outside -32768..32767; applies when that
// integer is greater than 0; the id is the offset plus it.
std::optional<std::int32_t> shortIntegerId(std::string_view text, std::int32_t offset);

}  // namespace morvane
