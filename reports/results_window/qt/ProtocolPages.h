// The print buttons' page-1 printers over the protocol pages: page 1 of the
// button's language with page 2 of the same language behind it, on one printer,
// with one logo holder kept for the program's run.
#pragma once

#include "engine/ProgramState.h"
#include "platform/Printer.h"
#include "reports/logo/LogoPicture.h"
#include "reports/protocol/ProtocolPage1.h"
#include "reports/protocol/ProtocolPrinting.h"

#include <filesystem>

namespace morvane {

class ProtocolPages : public ProtocolPrinter {
public:
    // programFolder: where "Logo.dli" and the logo bitmap lie. messages: where
    // the user is told the path of a PDF file written for a missing printer.
    ProtocolPages(ProgramState& state, Printer& printer, std::filesystem::path programFolder,
                  MessageBoxSink* messages = nullptr);
    ProtocolPages(const ProtocolPages&) = delete;
    ProtocolPages& operator=(const ProtocolPages&) = delete;

    void DruckeDeutsch() override;
    void DruckeEnglisch() override;
    void setTarget(const PrintTarget& target) override { printing_.printer.setTarget(target); }

private:
    ProgramState& state_;
    LogoHolder logo_;
    Page1Printing printing_;
};

}  // namespace morvane
