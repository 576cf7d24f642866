// The logo of the printed protocol pages: which bitmap, where and how large,
// read from the parameter file "Logo.dli" in the program's folder.
#pragma once

#include "common/ProgramRecords.h"

#include <filesystem>

namespace morvane {

inline constexpr const char* kLogoParamFile = "Logo.dli";

// The values taken when "Logo.dli" is missing or cannot be read to its end.
inline constexpr const char* kLogoDefaultFile = "zudezurodozoza.der";
inline constexpr std::int16_t kLogoDefaultX = 7350;  // twips
inline constexpr std::int16_t kLogoDefaultY = 400;   // twips

// Reads "Logo.dli" (Windows-1252 text, CR LF lines) into gLogoDatei, gLogoX,
// gLogoY, gLogoBreite and gLogoHoehe: line 1 whole is the bitmap's name, then
// four whole numbers, each ended by a comma or a line end. Whatever follows the
// fourth number is not read. A missing file, one that ends early, or a number
// that is no whole number of 16 bits sets all five fields to the defaults,
// without a message.
void sublLoadLogoParams(DokumentDaten& doc, const std::filesystem::path& programFolder);

}  // namespace morvane
