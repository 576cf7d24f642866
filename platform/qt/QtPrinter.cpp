#include "platform/qt/QtPrinter.h"

#include "platform/qt/QtPrintJob.h"

#include <QPrinterInfo>

namespace morvane {

QtPrinter::QtPrinter(std::filesystem::path pdfFolder, Destination destination)
    : pdfFolder_(std::move(pdfFolder)), destination_(destination)
{
}

std::unique_ptr<PrintJob> QtPrinter::startJob(const std::string& documentName, std::string& error)
{
    std::unique_ptr<QPrinter> printer;
    bool pdf = false;
    std::string where;
    const QPrinterInfo info =
        destination_ == Destination::PdfFile ? QPrinterInfo() : QPrinterInfo::defaultPrinter();
    if (!info.isNull()) {
        printer = std::make_unique<QPrinter>(info, QPrinter::HighResolution);
        where = info.printerName().toStdString();
    } else {
        printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        printer->setOutputFormat(QPrinter::PdfFormat);
        const std::filesystem::path file = pdfFolder_ / (documentName + ".pdf");
        printer->setOutputFileName(QString::fromStdString(file.string()));
        pdf = true;
        where = file.string();
    }
    printer->setDocName(QString::fromStdString(documentName));
    auto job = std::make_unique<QtPrintJob>(std::move(printer), pdf, where);
    if (!job->begin(error))
        return nullptr;
    return job;
}

}  // namespace morvane
