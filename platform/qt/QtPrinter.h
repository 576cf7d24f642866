// The system printer by Qt: jobs go to the target the printer dialog chose (a
// printer, or a PDF file of the user's naming), else to the default printer,
// or, when no printer is installed (or the PDF choice is made), to a PDF file
// in a given folder that stands in for the printer.
#pragma once

#include "platform/Printer.h"

#include <filesystem>
#include <functional>
#include <optional>

namespace morvane {

class QtPrinter : public Printer {
public:
    enum class Destination { DefaultPrinterElsePdf, PdfFile };

    // pdfFolder: where the stand-in PDF file "<document name>.pdf" is written;
    // the program's folder.
    explicit QtPrinter(std::filesystem::path pdfFolder, Destination destination = Destination::DefaultPrinterElsePdf);

    // Asked for another path when the stand-in PDF file cannot be written
    // there (its argument is the path that failed); nothing: the user chose
    // not to print. Without a question such a job fails.
    using PdfQuestion = std::function<std::optional<std::string>(const std::string& failedPath)>;
    void setPdfQuestion(PdfQuestion ask) { ask_ = std::move(ask); }

    std::unique_ptr<PrintJob> startJob(const std::string& documentName, std::string& error) override;

private:
    std::filesystem::path pdfFolder_;
    Destination destination_;
    PdfQuestion ask_;
};

}  // namespace morvane
