#include "reports/results_window/qt/QtPrinterDialog.h"

#include <QPrintDialog>
#include <QPrinter>

namespace morvane {

PrintTarget QtPrinterDialog::ShowPrinter(const std::string& title)
{
    QPrinter printer;
    QPrintDialog dialog(&printer, parent_.data());
    dialog.setWindowTitle(QString::fromStdString(title));
    // Rejected: the print goes on all the same, to the default printer.
    if (dialog.exec() != QDialog::Accepted)
        return {};
    if (printer.outputFormat() == QPrinter::PdfFormat && !printer.outputFileName().isEmpty())
        return {PrintTarget::Kind::PdfFile, printer.outputFileName().toStdString()};
    if (!printer.printerName().isEmpty())
        return {PrintTarget::Kind::NamedPrinter, printer.printerName().toStdString()};
    return {};
}

}  // namespace morvane
