// Page 1 of the printed calculation protocol, in German (DruckeDeutsch) and in
// English (DruckeEnglisch): one layout, the literals of the page's language.
// One call prints one print document: the logo, the header and title, the
// medium, pipe, primary element, remarks and process data of the last
// calculation, the footer; for the maker's probes (element types 2 to 7) with
// gDruckeSeite2 = 1 a new page and page 2 of the same language; then the end
// of the document.
//
// Every position is a fraction of the page width W (x) and height H (y), the
// printer's page extent in twips read once at the start as 16-bit whole
// numbers; only the logo stands at absolute twips.
#pragma once

#include "engine/ProgramState.h"
#include "platform/MessageBox.h"
#include "platform/Printer.h"
#include "reports/logo/LogoPicture.h"

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace morvane {

// What page 2 draws with: the state (it reads the logo parameters itself), the
// open print job on the page just started, the logo holder and the program's
// folder. Page 2 starts no page and does not end the document.
struct Page2Context {
    ProgramState& state;
    PrintJob& job;
    LogoHolder& logo;
    const std::filesystem::path& programFolder;
    char decimalSeparator = '.';  // of the system's number settings, as on page 1
};
using Page2Printer = std::function<void(Page2Context&)>;

struct Page1Printing {
    Printer& printer;
    std::filesystem::path programFolder;  // where "Logo.dli" and the logo bitmap lie
    LogoHolder& logo;                     // keeps the last loaded logo between printouts
    Page2Printer page2German;             // DruckeDeutsch_p2; empty: page 2 stays blank
    Page2Printer page2English;            // DruckeEnglish_p2
    // The decimal separator of the system's number settings, on both pages.
    char decimalSeparator = '.';
    // Tells the user where the PDF file that stands in for a missing printer
    // was written; nullptr: nobody is told.
    MessageBoxSink* messages = nullptr;
};

// The footer's contact data of the maker.
inline constexpr const char* kFooterHotlineNumber = "+49 (0) 2999 6670-0";
inline constexpr const char* kFooterWebAddress = "www.halvern.example";
inline constexpr const char* kFooterMaker = "halvern Messtechnik GmbH, Am Kalkofen 7, D-58999 Halverstal";

// Run-time error of a print job that cannot start or end.
inline constexpr int kPrinterError = 482;

// The remarks as the page prints them: one item a line (CR LF, LF or CR end a
// line; empty lines at the end are dropped), at most maxLines of them; when
// more follow, the last line kept ends with "..." so that nothing is dropped
// unannounced.
std::vector<std::string> remarkLines(const std::string& remarks, std::size_t maxLines);

void DruckeDeutsch(ProgramState& state, Page1Printing& printing);
void DruckeEnglisch(ProgramState& state, Page1Printing& printing);

}  // namespace morvane
