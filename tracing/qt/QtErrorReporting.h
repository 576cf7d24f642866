// The error dialog with the Qt seams behind its protocol buttons, installed as
// the program-wide tracer's responder for as long as it lives. The program
// makes one after its QApplication.
#pragma once

#include "platform/LinuxOsInfo.h"
#include "platform/SystemClock.h"
#include "platform/qt/QtClipboard.h"
#include "platform/qt/QtMessageBox.h"
#include "platform/qt/QtPrinter.h"
#include "platform/qt/QtShellOpen.h"
#include "tracing/ErrorProtocol.h"
#include "tracing/qt/ErrorDialog.h"

namespace morvane {

class QtErrorReporting {
public:
    // programFolder: where the ".ERR" file and, without a printer, the PDF
    // printout are written. The executable's name comes from the tracer.
    explicit QtErrorReporting(const std::filesystem::path& programFolder, std::string programTitle = {});
    ~QtErrorReporting();
    QtErrorReporting(const QtErrorReporting&) = delete;
    QtErrorReporting& operator=(const QtErrorReporting&) = delete;

    ErrorDialog& dialog() { return dialog_; }

private:
    QtMessageBox messages_;
    QtClipboard clipboard_;
    QtShellOpen shell_;
    QtPrinter printer_;
    LinuxOsInfo os_;
    SystemClock clock_;
    ErrorProtocol protocol_;
    ErrorDialog dialog_;
};

}  // namespace morvane
