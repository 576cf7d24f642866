#include "platform/qt/QtPrintJob.h"

#include <QFileInfo>
#include <QFontMetricsF>
#include <QImage>
#include <QPen>
#include <QTextOption>

namespace morvane {

QtPrintJob::QtPrintJob(std::unique_ptr<QPrinter> printer, bool pdfFile, std::string destination)
    : printer_(std::move(printer)), pdfFile_(pdfFile), destination_(std::move(destination))
{
}

QtPrintJob::~QtPrintJob()
{
    // A job dropped without endDoc still closes its document.
    if (painter_.isActive())
        painter_.end();
}

bool QtPrintJob::begin(std::string& error)
{
    if (!painter_.begin(printer_.get())) {
        const bool pdf = printer_->outputFormat() == QPrinter::PdfFormat;
        error = pdf ? "The PDF file '" + destination_ + "' cannot be written."
                    : "The printer '" + destination_ + "' cannot be opened.";
        return false;
    }
    dpi_ = printer_->resolution() > 0 ? printer_->resolution() : 1200.0;
    return true;
}

double QtPrintJob::pageWidth() const
{
    return toTwips(printer_->pageLayout().paintRectPixels(printer_->resolution()).width());
}

double QtPrintJob::pageHeight() const
{
    return toTwips(printer_->pageLayout().paintRectPixels(printer_->resolution()).height());
}

void QtPrintJob::setFont(const PrintFont& font)
{
    QFont f = painter_.font();
    if (!font.name.empty())
        f.setFamily(QString::fromStdString(font.name));
    if (font.sizePoints > 0.0)
        f.setPointSizeF(font.sizePoints);
    f.setBold(font.bold);
    f.setItalic(font.italic);
    f.setUnderline(font.underline);
    painter_.setFont(f);
}

double QtPrintJob::textWidth(const std::string& text) const
{
    return toTwips(QFontMetricsF(painter_.font(), printer_.get()).horizontalAdvance(QString::fromStdString(text)));
}

double QtPrintJob::lineHeight() const
{
    return toTwips(QFontMetricsF(painter_.font(), printer_.get()).height());
}

void QtPrintJob::text(double x, double y, const std::string& text)
{
    const QFontMetricsF metrics(painter_.font(), printer_.get());
    QTextOption option(Qt::AlignLeft | Qt::AlignTop);
    option.setWrapMode(QTextOption::NoWrap);
    // Tab stops every eight characters, as in the columns of a text file: a
    // tab moves the rest of the text to the next column that is a multiple of
    // eight, placed at that many average character widths from the text's
    // start (or at the following stop where the text before runs past it).
    // The pieces are placed here in device units; the painter's own tab stops
    // are not used.
    const double average = metrics.averageCharWidth();
    const double gap = metrics.horizontalAdvance(QLatin1Char(' '));
    const QStringList pieces = QString::fromStdString(text).split(QLatin1Char('\t'));
    const double left = toDevice(x);
    double at = left;
    qsizetype column = 0;
    for (qsizetype i = 0; i < pieces.size(); ++i) {
        if (i > 0) {
            column = (column / 8 + 1) * 8;
            while (left + static_cast<double>(column) * average < at + gap)
                column += 8;
            at = left + static_cast<double>(column) * average;
        }
        // Wide enough for any line: nothing wraps, the page clips.
        const QRectF box(at, toDevice(y), toDevice(1.0e6), metrics.height());
        painter_.drawText(box, pieces[i], option);
        at += metrics.horizontalAdvance(pieces[i]);
        column += pieces[i].size();
    }
}

void QtPrintJob::line(double x1, double y1, double x2, double y2, double widthTwips)
{
    painter_.save();
    QPen pen(Qt::black);
    pen.setWidthF(toDevice(widthTwips));
    painter_.setPen(pen);
    painter_.drawLine(QPointF(toDevice(x1), toDevice(y1)), QPointF(toDevice(x2), toDevice(y2)));
    painter_.restore();
}

bool QtPrintJob::picture(const std::string&, const std::vector<unsigned char>& bytes, double x, double y,
                         double width, double height)
{
    QImage image;
    image.loadFromData(bytes.data(), static_cast<int>(bytes.size()));
    if (image.isNull())
        return false;
    painter_.drawImage(QRectF(toDevice(x), toDevice(y), toDevice(width), toDevice(height)), image);
    return true;
}

void QtPrintJob::newPage()
{
    printer_->newPage();
}

bool QtPrintJob::endDoc()
{
    if (ended_)
        return false;
    ended_ = true;
    const bool ok = painter_.end();
    if (!ok || printer_->printerState() == QPrinter::Error || printer_->printerState() == QPrinter::Aborted)
        return false;
    // A PDF file that came out empty was not written.
    const bool pdf = printer_->outputFormat() == QPrinter::PdfFormat;
    return !pdf || QFileInfo(QString::fromStdString(destination_)).size() > 0;
}

}  // namespace morvane
