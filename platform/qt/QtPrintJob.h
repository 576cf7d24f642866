// A print job on a QPrinter: twips are turned into the printer's device units
// at its resolution.
#pragma once

#include "platform/Printer.h"

#include <QPainter>
#include <QPrinter>

#include <memory>

namespace morvane {

class QtPrintJob : public PrintJob {
public:
    // standInPdf: the printer writes the PDF file that stands in for a missing
    // printer.
    QtPrintJob(std::unique_ptr<QPrinter> printer, bool standInPdf, std::string destination);
    ~QtPrintJob() override;

    // Opens the painter on the printer; false with the reason when it cannot.
    bool begin(std::string& error);

    double pageWidth() const override;
    double pageHeight() const override;
    void setFont(const PrintFont& font) override;
    double textWidth(const std::string& text) const override;
    double lineHeight() const override;
    void text(double x, double y, const std::string& text) override;
    void line(double x1, double y1, double x2, double y2, double widthTwips) override;
    bool picture(const std::string& name, const std::vector<unsigned char>& bytes, double x, double y, double width,
                 double height) override;
    void newPage() override;
    bool endDoc() override;
    std::string destination() const override { return destination_; }
    bool isPdfFile() const override { return pdfFile_; }

private:
    double toDevice(double twips) const { return twips * dpi_ / 1440.0; }
    double toTwips(double device) const { return device * 1440.0 / dpi_; }

    std::unique_ptr<QPrinter> printer_;
    QPainter painter_;
    bool pdfFile_;
    std::string destination_;
    double dpi_ = 1200.0;
    bool ended_ = false;
};

}  // namespace morvane
