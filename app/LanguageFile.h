// The user-interface language: the language offset and code, and the language
// file "Lang.set" in the program folder that keeps the offset between runs (one
// line: the offset as a decimal number, blanks around it allowed).
#pragma once

#include "common/ProgramRecords.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

namespace morvane {

inline constexpr const char* kLanguageFileName = "Lang.set";

// Only 0 (German) and 10000 (English) are offsets; any other value is taken as
// English.
std::int32_t validLanguageOffset(std::int32_t offset);

// "DE" for offset 0, "EN" for any other.
std::string languageCode(std::int32_t offset);

// gSprachOffset := the valid form of offset, gSprachKuerzel to match.
void setLanguage(UiZustand& ui, std::int32_t offset);

// The first number of a language file's text, blanks, tabs and line ends around
// it ignored; a decimal fraction is rounded half to even. Run-time error 62 when
// the text holds nothing but blanks, 13 when its first item is not a number, 6
// when the number does not fit 32 bits.
std::int32_t readLanguageNumber(std::string_view text);

// The offset stored in <programFolder>/Lang.set, or 10000 when there is no such
// file. A file that cannot be read or holds no number goes to the error dialog;
// going on from there returns 0 (German).
std::int32_t fncgGetLanguage(const std::filesystem::path& programFolder);

// Writes sprachOffset to <programFolder>/Lang.set as one line ended by CR LF,
// replacing the file. A failure goes to the error dialog.
void subgSavaLanguage(const std::filesystem::path& programFolder, std::int32_t sprachOffset);

}  // namespace morvane
