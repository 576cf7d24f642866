// What the print buttons of the results window call: the page-1 printers of
// the calculation protocol, and the printer dialog shown before them.
#pragma once

#include "platform/Printer.h"

#include <string>

namespace morvane {

// Page 1 of the protocol in German (DruckeDeutsch) or English (DruckeEnglisch).
// Each reads the page-2 switch gDruckeSeite2 itself, prints page 2 after page 1
// where it applies and ends the print document; its errors are its own.
class ProtocolPrinter {
public:
    virtual ~ProtocolPrinter() = default;
    virtual void DruckeDeutsch() = 0;
    virtual void DruckeEnglisch() = 0;
    // Where the following printouts go, as the printer dialog left it.
    virtual void setTarget(const PrintTarget&) {}
};

// The common dialog's printer dialog, modal. Cancel returns like OK: the
// printout goes on, to the default printer. Confirmed, it answers the printer
// or the PDF file chosen in it.
class PrinterDialog {
public:
    virtual ~PrinterDialog() = default;
    virtual PrintTarget ShowPrinter(const std::string& title) = 0;
};

}  // namespace morvane
