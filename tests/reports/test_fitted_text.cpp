// Texts fitted into their column: smaller first, cut with "..." only below the
// smallest size, at the end or (for a path) at the start, never inside a
// character.
#include "reports/logo/FittedText.h"

#include <gtest/gtest.h>

#include <string>

namespace morvane {
namespace {

// A job whose letters are 10 twips wide per point of the font's size.
class MeasuringJob : public PrintJob {
public:
    double pageWidth() const override { return 11906; }
    double pageHeight() const override { return 16838; }
    void setFont(const PrintFont& font) override { font_ = font; }
    double textWidth(const std::string& text) const override
    {
        double letters = 0;
        for (const char c : text)
            letters += (static_cast<unsigned char>(c) & 0xC0) != 0x80;  // one per character
        return letters * 10.0 * font_.sizePoints;
    }
    double lineHeight() const override { return 240; }
    void text(double, double, const std::string&) override {}
    void line(double, double, double, double, double) override {}
    bool picture(const std::string&, const std::vector<unsigned char>&, double, double, double, double) override
    {
        return true;
    }
    void newPage() override {}
    bool endDoc() override { return true; }
    std::string destination() const override { return {}; }
    bool isPdfFile() const override { return false; }

private:
    PrintFont font_;
};

bool validUtf8(const std::string& s)
{
    for (std::size_t i = 0; i < s.size();) {
        const auto c = static_cast<unsigned char>(s[i]);
        const std::size_t n = c < 0x80 ? 1 : (c & 0xE0) == 0xC0 ? 2 : (c & 0xF0) == 0xE0 ? 3 : (c & 0xF8) == 0xF0 ? 4 : 0;
        if (n == 0 || i + n > s.size())
            return false;
        for (std::size_t k = 1; k < n; ++k)
            if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80)
                return false;
        i += n;
    }
    return true;
}

TEST(FittedText, SmallerFirstThenCut)
{
    const struct {
        const char* what;
        std::string text;
        double room;
        CutAt cut;
        double points;
        std::string shown;
    } cases[] = {
        {"fits as it is", "Nord", 1000, CutAt::End, 9.0, "Nord"},
        {"fits 1.5 points smaller", std::string(20, 'x'), 1500, CutAt::End, 7.5, std::string(20, 'x')},
        {"too long at 6 points: its end gives way", "ABCDEFGHIJKLMNOPQRSTUVWXYZ", 1200, CutAt::End, 6.0,
         "ABCDEFGHIJKLMNOPQ..."},
        {"a path: its start gives way", "/home/erika/Berechnungen/FT-101.mv5", 1200, CutAt::Start, 6.0,
         "...nungen/FT-101.mv5"},
        {"no room at all", "Nord", 0, CutAt::End, 6.0, "..."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        MeasuringJob job;
        const FittedText f = fitText(job, PrintFont{"Arial", 9.0, true, false, false}, c.text, c.room, c.cut);
        EXPECT_DOUBLE_EQ(f.font.sizePoints, c.points);
        EXPECT_TRUE(f.font.bold) << "only the size changes";
        EXPECT_EQ(f.text, c.shown);
    }
}

TEST(FittedText, CutsBetweenCharacters)
{
    for (const CutAt cut : {CutAt::End, CutAt::Start}) {
        MeasuringJob job;
        // Two-byte letters throughout: any cut inside one leaves broken text.
        const FittedText f = fitText(job, PrintFont{"Arial", 9.0}, "ÄÖÜäöüßÄÖÜäöüßÄÖÜäöüßÄÖÜäöüß", 1000, cut);
        EXPECT_TRUE(validUtf8(f.text)) << f.text;
        EXPECT_LE(job.textWidth(f.text), 1000);
    }
}

}  // namespace
}  // namespace morvane
