// The print buttons' page-1 printers over the protocol pages: page 1 of the
// button's language with page 2 of the same language behind it, on one printer,
// with one logo holder kept for the program's run.
#pragma once

#include "app/ProgramState.h"
#include "platform/Printer.h"
#include "reports/logo/LogoPicture.h"
#include "reports/protocol/ProtocolPage1.h"
#include "reports/protocol/ProtocolPrinting.h"

#include <filesystem>

namespace morvane {

class ProtocolPages : public ProtocolPrinter {
public:
    // programFolder: where "Logo.dli" and the logo bitmap lie.
    ProtocolPages(ProgramState& state, Printer& printer, std::filesystem::path programFolder);
    ProtocolPages(const ProtocolPages&) = delete;
    ProtocolPages& operator=(const ProtocolPages&) = delete;

    void DruckeDeutsch() override;
    void DruckeEnglisch() override;

private:
    ProgramState& state_;
    LogoHolder logo_;
    Page1Printing printing_;
};

}  // namespace morvane
