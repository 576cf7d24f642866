// The system printer by Qt: jobs go to the default printer without a printer
// dialog or, when no printer is installed (or the PDF choice is made), to a PDF
// file in a given folder.
#pragma once

#include "platform/Printer.h"

#include <filesystem>

namespace morvane {

class QtPrinter : public Printer {
public:
    enum class Destination { DefaultPrinterElsePdf, PdfFile };

    // pdfFolder: where the PDF file "<document name>.pdf" is written; the
    // program's folder.
    explicit QtPrinter(std::filesystem::path pdfFolder, Destination destination = Destination::DefaultPrinterElsePdf);

    std::unique_ptr<PrintJob> startJob(const std::string& documentName, std::string& error) override;

private:
    std::filesystem::path pdfFolder_;
    Destination destination_;
};

}  // namespace morvane
