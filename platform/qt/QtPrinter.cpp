#include "platform/qt/QtPrinter.h"

#include "platform/qt/QtPrintJob.h"

#include <QPrinterInfo>

namespace morvane {

namespace {

std::unique_ptr<PrintJob> pdfJob(const std::string& documentName, const std::string& file, bool standIn,
                                 std::string& error)
{
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setOutputFormat(QPrinter::PdfFormat);
    printer->setOutputFileName(QString::fromStdString(file));
    printer->setDocName(QString::fromStdString(documentName));
    auto job = std::make_unique<QtPrintJob>(std::move(printer), standIn, file);
    if (!job->begin(error))
        return nullptr;
    return job;
}

}  // namespace

QtPrinter::QtPrinter(std::filesystem::path pdfFolder, Destination destination)
    : pdfFolder_(std::move(pdfFolder)), destination_(destination)
{
}

std::unique_ptr<PrintJob> QtPrinter::startJob(const std::string& documentName, std::string& error)
{
    const PrintTarget& t = target();
    if (t.kind == PrintTarget::Kind::PdfFile && !t.name.empty())
        return pdfJob(documentName, t.name, false, error);

    QPrinterInfo info;
    if (destination_ == Destination::DefaultPrinterElsePdf) {
        if (t.kind == PrintTarget::Kind::NamedPrinter)
            info = QPrinterInfo::printerInfo(QString::fromStdString(t.name));
        if (info.isNull())
            info = QPrinterInfo::defaultPrinter();
    }
    if (!info.isNull()) {
        auto printer = std::make_unique<QPrinter>(info, QPrinter::HighResolution);
        printer->setDocName(QString::fromStdString(documentName));
        auto job = std::make_unique<QtPrintJob>(std::move(printer), false, info.printerName().toStdString());
        if (!job->begin(error))
            return nullptr;
        return job;
    }

    // No printer: the stand-in PDF file in the folder, or where the user says
    // when the folder cannot take it.
    const std::string file = (pdfFolder_ / (documentName + ".pdf")).string();
    if (auto job = pdfJob(documentName, file, true, error))
        return job;
    if (!ask_)
        return nullptr;
    const std::optional<std::string> chosen = ask_(file);
    if (!chosen || chosen->empty()) {
        error.clear();
        return nullptr;
    }
    return pdfJob(documentName, *chosen, true, error);
}

}  // namespace morvane
