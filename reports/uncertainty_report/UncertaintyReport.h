// Page 2 of the printed protocol: the uncertainty report. Two charts of the
// measurement uncertainty over the flow range (one dp transmitter; two in
// splitting range) with the flow points A to G, their legends and the stated
// assumptions, under the same header as page 1.
//
// Page 1 calls the procedure of its own language after it has begun a new page;
// page 2 draws onto that page and neither begins a page nor ends the document.
#pragma once

#include "engine/ProgramState.h"
#include "platform/Printer.h"
#include "reports/logo/LogoPicture.h"

#include <filesystem>
#include <string>

namespace morvane {

enum class ProtocolLanguage { German, English };

// programFolder holds "Logo.dli" and the logo bitmap; the page reads the logo
// parameters into state.doc (its only write) and paints the logo through the
// holder, the picture box that page 1 shares. Numbers are written with
// decimalSeparator, that of the system's number settings (page 1 passes its own).
void DruckeDeutsch_p2(PrintJob& job, ProgramState& state, const std::filesystem::path& programFolder,
                      LogoHolder& logo, char decimalSeparator = '.');
void DruckeEnglish_p2(PrintJob& job, ProgramState& state, const std::filesystem::path& programFolder,
                      LogoHolder& logo, char decimalSeparator = '.');

// The procedure of the given language.
void DruckeSeite2(ProtocolLanguage language, PrintJob& job, ProgramState& state,
                  const std::filesystem::path& programFolder, LogoHolder& logo, char decimalSeparator = '.');

}  // namespace morvane
