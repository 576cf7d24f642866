#include "reports/results_window/qt/QtPrinterDialog.h"

#include <QPrintDialog>
#include <QPrinter>

namespace morvane {

void QtPrinterDialog::ShowPrinter(const std::string& title)
{
    QPrinter printer;
    QPrintDialog dialog(&printer, parent_.data());
    dialog.setWindowTitle(QString::fromStdString(title));
    dialog.exec();  // Accepted or Rejected: the print goes on either way
}

}  // namespace morvane
