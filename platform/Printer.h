// Stands for the system printer: a print job that places text in a font, lines
// and pictures on pages and sends them when the document ends. Positions and
// sizes are twips (1440 per inch) from the top-left corner of the printable area.
#pragma once

#include <memory>
#include <string>
#include <vector>

namespace morvane {

struct PrintFont {
    std::string name;         // empty: the printer's default font
    double sizePoints = 0.0;  // 0: the default size
    bool bold = false;
    bool italic = false;
    bool underline = false;
};

class PrintJob {
public:
    virtual ~PrintJob() = default;

    virtual double pageWidth() const = 0;
    virtual double pageHeight() const = 0;

    virtual void setFont(const PrintFont& font) = 0;
    // Measured in the current font.
    virtual double textWidth(const std::string& text) const = 0;
    virtual double lineHeight() const = 0;

    // One line of text whose top is at y; tab characters advance to the next
    // tab stop.
    virtual void text(double x, double y, const std::string& text) = 0;
    virtual void line(double x1, double y1, double x2, double y2, double widthTwips = 15.0) = 0;
    // A picture (the bytes of a BMP or PNG file) scaled into the rectangle;
    // false when it cannot be read. `name` says where the picture came from.
    virtual bool picture(const std::string& name, const std::vector<unsigned char>& bytes, double x, double y,
                         double width, double height) = 0;
    virtual void newPage() = 0;

    // Ends the document, which sends the pages; false when the job failed.
    virtual bool endDoc() = 0;

    // Where the pages go: the printer's name, or the path of the PDF file.
    virtual std::string destination() const = 0;
    // True when the pages go to the PDF file that stands in for a missing
    // printer (not to a PDF file the user chose): the user is to be told where.
    virtual bool isPdfFile() const = 0;
};

// Where the next jobs go, as the printer dialog left it.
struct PrintTarget {
    enum class Kind { DefaultPrinter, NamedPrinter, PdfFile };
    Kind kind = Kind::DefaultPrinter;
    std::string name;  // the printer's name, or the PDF file's path

    bool operator==(const PrintTarget&) const = default;
};

class Printer {
public:
    virtual ~Printer() = default;
    // Starts a job on the target in force (the default printer until a target
    // is chosen). Nothing when no job can be started; `error` then says why,
    // and stays empty when the user chose not to print (a question cancelled).
    virtual std::unique_ptr<PrintJob> startJob(const std::string& documentName, std::string& error) = 0;
    // The target of the following jobs.
    virtual void setTarget(const PrintTarget& target) { target_ = target; }
    const PrintTarget& target() const { return target_; }

private:
    PrintTarget target_;
};

}  // namespace morvane
