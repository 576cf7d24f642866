// The printer dialog as a QPrintDialog over a printer of its own; confirmed, it
// answers the printer or the PDF file chosen in it.
#pragma once

#include "reports/protocol/ProtocolPrinting.h"

#include <QPointer>
#include <QWidget>

namespace morvane {

class QtPrinterDialog : public PrinterDialog {
public:
    explicit QtPrinterDialog(QWidget* parent = nullptr) : parent_(parent) {}
    PrintTarget ShowPrinter(const std::string& title) override;

private:
    QPointer<QWidget> parent_;
};

}  // namespace morvane
