// The printer dialog as a QPrintDialog over a printer of its own; the choices
// made in it go nowhere.
#pragma once

#include "reports/protocol/ProtocolPrinting.h"

#include <QPointer>
#include <QWidget>

namespace morvane {

class QtPrinterDialog : public PrinterDialog {
public:
    explicit QtPrinterDialog(QWidget* parent = nullptr) : parent_(parent) {}
    void ShowPrinter(const std::string& title) override;

private:
    QPointer<QWidget> parent_;
};

}  // namespace morvane
