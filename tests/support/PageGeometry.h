// What a printed page shows where: a printer that passes every drawing on to
// another one (the real printer, for real fonts) and keeps each text with the
// box it covers and each line with its width; and the test of a line against
// a text's box.
#pragma once

#include "platform/Printer.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <string>
#include <vector>

namespace morvane::testing {

struct DrawnText {
    int page;
    double left, top, right, bottom;  // twips, as the job measured the text
    std::string text;
};

struct DrawnLine {
    int page;
    double x1, y1, x2, y2, width;  // twips
};

// Whether the line, with its width, covers any point of the box: tested point
// by point along it, every twip.
inline bool lineCoversBox(const DrawnLine& l, double left, double top, double right, double bottom)
{
    const double half = l.width / 2.0;
    const double length = std::hypot(l.x2 - l.x1, l.y2 - l.y1);
    const int steps = std::max(1, static_cast<int>(std::ceil(length)));
    for (int i = 0; i <= steps; ++i) {
        const double t = static_cast<double>(i) / steps;
        const double x = l.x1 + t * (l.x2 - l.x1), y = l.y1 + t * (l.y2 - l.y1);
        if (x + half > left && x - half < right && y + half > top && y - half < bottom)
            return true;
    }
    return false;
}

class TeePrinter : public Printer {
public:
    explicit TeePrinter(Printer& inner) : inner_(inner) {}

    std::unique_ptr<PrintJob> startJob(const std::string& documentName, std::string& error) override
    {
        texts.clear();
        lines.clear();
        auto job = inner_.startJob(documentName, error);
        if (!job)
            return nullptr;
        return std::make_unique<Job>(*this, std::move(job));
    }
    void setTarget(const PrintTarget& target) override
    {
        Printer::setTarget(target);
        inner_.setTarget(target);
    }

    // The last job's drawing.
    std::vector<DrawnText> texts;
    std::vector<DrawnLine> lines;
    double pageWidth = 0.0, pageHeight = 0.0;

private:
    class Job : public PrintJob {
    public:
        Job(TeePrinter& p, std::unique_ptr<PrintJob> inner) : p_(p), inner_(std::move(inner))
        {
            p_.pageWidth = inner_->pageWidth();
            p_.pageHeight = inner_->pageHeight();
        }
        double pageWidth() const override { return inner_->pageWidth(); }
        double pageHeight() const override { return inner_->pageHeight(); }
        void setFont(const PrintFont& font) override { inner_->setFont(font); }
        double textWidth(const std::string& text) const override { return inner_->textWidth(text); }
        double lineHeight() const override { return inner_->lineHeight(); }
        void text(double x, double y, const std::string& text) override
        {
            p_.texts.push_back({page_, x, y, x + inner_->textWidth(text), y + inner_->lineHeight(), text});
            inner_->text(x, y, text);
        }
        void line(double x1, double y1, double x2, double y2, double widthTwips) override
        {
            p_.lines.push_back({page_, x1, y1, x2, y2, widthTwips});
            inner_->line(x1, y1, x2, y2, widthTwips);
        }
        bool picture(const std::string& name, const std::vector<unsigned char>& bytes, double x, double y,
                     double width, double height) override
        {
            return inner_->picture(name, bytes, x, y, width, height);
        }
        void newPage() override
        {
            ++page_;
            inner_->newPage();
        }
        bool endDoc() override { return inner_->endDoc(); }
        std::string destination() const override { return inner_->destination(); }
        bool isPdfFile() const override { return inner_->isPdfFile(); }

    private:
        TeePrinter& p_;
        std::unique_ptr<PrintJob> inner_;
        int page_ = 1;
    };

    Printer& inner_;
};

}  // namespace morvane::testing
