// The charts of protocol page 2 as laid out (with text sizes near those of
// Arial), and the whole page drawn on the recording printer.
#include "reports/uncertainty_report/UncertaintyChart.h"
#include "reports/uncertainty_report/UncertaintyReport.h"

#include "engine/FormatPatterns.h"
#include "platform/RuntimeError.h"
#include "support/Fakes.h"
#include "support/PageGeometry.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

namespace morvane {
namespace {

using testing::lineCoversBox;
using testing::RecordingPrinter;
using testing::TestTracer;

constexpr double W = 11906.0;  // RecordingPrinter's A4 page in twips
constexpr double H = 16838.0;

// Flow limits of a gas probe at a design flow of 100 m³/h and 1 kPa, filled by
// hand from the flow-limits reference case (ratio 3): A 230.769, B 150,
// D = F = 15.8114, E = G = 10; 1 % from 40, 2 % from 20, 5 % from 10; in
// splitting range 2 % from 5, 5 % from 3 (1 % set to 8 for the test).
ProgramState probeState()
{
    ProgramState s;
    auto& c = s.calc;
    c.gDurchflussAuslegung = 100;
    c.gDurchflussEinheit = 6;  // m³/h
    c.gTemperatur = 20;
    c.gTemperaturEinheit = 0;
    c.gDruck = 101.325;
    c.gQmaxErlaubt = 230.769;
    c.gQmaxEmpfohlen = 150;
    c.gQminEmpfohlen = c.gQminEmpfohlenSR = 15.8114;
    c.gQminMoeglich = c.gQminMoeglichSR = 10;
    c.gQUnsicherheit1 = 40;
    c.gQUnsicherheit2 = 20;
    c.gQUnsicherheit5 = 10;
    c.gQUnsicherheit1SR = 8;
    c.gQUnsicherheit2SR = 5;
    c.gQUnsicherheit5SR = 3;
    s.doc.gLogoDatei = "none.bmp";
    return s;
}

struct Printed {
    RecordingPrinter printer;
    std::vector<RecordingPrinter::Text> texts;
    std::vector<std::string> lines;
    const RecordingPrinter::Text* find(const std::string& t) const
    {
        for (const auto& x : texts)
            if (x.text == t)
                return &x;
        return nullptr;
    }
};

void print(Printed& out, ProgramState& s, ProtocolLanguage lang, char decimalSeparator = '.')
{
    // About the size of Arial's 7 points, so that the labels under the flow
    // axis and the legend's labels fit.
    out.printer.lineHeightTwips = 160;
    out.printer.textWidthPerByte = 70;
    std::string error;
    auto job = out.printer.startJob("p2", error);
    LogoHolder logo;
    const testing::TempFolder emptyProgramFolder;  // no logo in it
    DruckeSeite2(lang, *job, s, emptyProgramFolder.path(), logo, decimalSeparator);
    out.texts = out.printer.texts;
    out.lines = out.printer.lines;
}

// A text's size as a printer measures Arial, near enough: 0.55 em a
// character, 1.15 em high (twips).
std::pair<double, double> arialLike(const std::string& text, double points, bool bold)
{
    double characters = 0;
    for (const char c : text)
        characters += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    return {characters * points * 20 * (bold ? 0.6 : 0.55), points * 20 * 1.15};
}

ChartFlows probeFlows(double designFactor)
{
    // The probe case at a design flow of designFactor times A: the thresholds
    // and the minimum flows follow the design flow.
    const double A = 230.769, C = designFactor * A, k = C / 100.0;
    return {A, 150, C, 10 * k, 15.8114 * k, 40 * k, 20 * k, 10 * k};
}

ChartWords words(const char* title)
{
    return {"uncertainty (absolute)", title, "E", "D", "Nm³/h", '.'};
}

TEST(UncertaintyChart, Coordinates)
{
    EXPECT_DOUBLE_EQ(DiagrammX(0, 230.769, W), 0.1 * W);           // flow 0 on the axis
    EXPECT_DOUBLE_EQ(DiagrammX(230.769, 230.769, W), 0.8 * W);     // S at 0.8 W
    EXPECT_NEAR(Nulllinie(2, H), 0.718 * H, 1e-9);
    EXPECT_NEAR(UnsicherheitY(5, 1, H), 0.343 * H, 1e-9);
    EXPECT_NEAR(UnsicherheitY(-2, 2, H), 0.746 * H, 1e-9);
    EXPECT_DOUBLE_EQ(markerPlace(0, 100).fraction, 0.1);
    EXPECT_NEAR(markerPlace(104, 100).fraction, 0.828, 1e-12);
    EXPECT_FALSE(markerPlace(104, 100).beyond);
    EXPECT_DOUBLE_EQ(markerPlace(130, 100).fraction, kScaleEndFraction);  // 1.01 W would be off the page
    EXPECT_TRUE(markerPlace(130, 100).beyond);
    EXPECT_THROW(DiagrammX(1, 0, W), RuntimeError);
    EXPECT_THROW(markerPlace(1, 0), RuntimeError);
}

// Both charts for designs from a fifth of A to fifty times A: every text
// inside the chart's frame and clear of every line and every other text; a
// point beyond the scale at the scale's end, with an arrow and its value.
TEST(UncertaintyChart, TextsStayInTheFrameClearOfLinesAndEachOther)
{
    for (const int chart : {1, 2}) {
        for (const double factor : {0.2, 0.5, 1.0, 1.03, 2.0, 5.0, 50.0}) {
            SCOPED_TRACE(::testing::Message() << "chart " << chart << ", design " << factor << " A");
            const ChartFlows f = probeFlows(factor);
            const ChartDrawing d = drawChart(chart, f, words("measurement with two dp-transmitters (splitting range)"),
                                             W, H, arialLike);
            const ChartBox frame = chartFrame(chart, W, H);
            std::vector<ChartBox> boxes;
            for (const ChartText& t : d.texts) {
                const auto [w, h] = arialLike(t.text, t.sizePoints, t.bold);
                const ChartBox b{t.x, t.y, t.x + w, t.y + h};
                EXPECT_TRUE(b.left >= frame.left && b.right <= frame.right && b.top >= frame.top &&
                            b.bottom <= frame.bottom)
                    << t.text;
                for (const ChartLine& l : d.lines)
                    EXPECT_FALSE(lineCoversBox({1, l.x1, l.y1, l.x2, l.y2, l.widthPixels * 15.0}, b.left, b.top,
                                               b.right, b.bottom))
                        << t.text << " crossed by " << l.x1 << "," << l.y1 << "-" << l.x2 << "," << l.y2;
                for (const ChartBox& o : boxes)
                    EXPECT_FALSE(b.left < o.right && o.left < b.right && b.top < o.bottom && o.top < b.bottom)
                        << t.text;
                boxes.push_back(b);
            }
            for (const ChartLine& l : d.lines)
                EXPECT_TRUE(std::max(l.x1, l.x2) <= frame.right && std::min(l.x1, l.x2) >= frame.left);
            // The design flow's value under the axis, with its unit.
            const std::string design = formatFixed(f.C, 2) + " Nm³/h";
            EXPECT_EQ(std::count_if(d.texts.begin(), d.texts.end(),
                                    [&](const ChartText& t) { return t.text == design; }),
                      1);
            // A point beyond the scale stands at its end with an arrow pointing on.
            const bool beyond = 0.1 + 0.7 * factor > kScaleEndFraction;
            const double end = kScaleEndFraction * W;
            const bool arrow = std::any_of(d.lines.begin(), d.lines.end(), [&](const ChartLine& l) {
                return l.x1 == end && l.y1 == l.y2 && l.x2 > end;
            });
            EXPECT_EQ(arrow, beyond);
        }
    }
}

TEST(UncertaintyChart, PointsBeyondTheScaleNameTheirFlow)
{
    // Every point beyond the scale: A stays at 0.8 W, the others stand at the
    // scale's end; the letters other than C carry their flows.
    const ChartFlows f{100, 100, 500, 300, 400, 1000, 1000, 1000};
    const ChartDrawing d = drawChart(1, f, words("using one dp-transmitter"), W, H, arialLike);
    std::vector<std::string> texts;
    for (const ChartText& t : d.texts)
        texts.push_back(t.text);
    for (const char* t : {"A", "C", "E 300.00 Nm³/h", "D 400.00 Nm³/h", "500.00 Nm³/h"})
        EXPECT_NE(std::find(texts.begin(), texts.end(), t), texts.end()) << t;
    EXPECT_EQ(std::find(texts.begin(), texts.end(), "B"), texts.end()) << "B equal to A";
    // No band: every threshold lies beyond A.
    const double scale = 0.8 * W;
    EXPECT_FALSE(std::any_of(d.lines.begin(), d.lines.end(),
                             [&](const ChartLine& l) { return l.y1 == l.y2 && (l.x1 == scale || l.x2 == scale); }));
}

TEST(UncertaintyReport, ProbeCaseGerman)
{
    TestTracer t;
    ProgramState s = probeState();
    Printed out;
    print(out, s, ProtocolLanguage::German);
    EXPECT_TRUE(t.responder.reports.empty());

    // Tick label at half the design flow: v = 50/230.769 = 0.217 > 0.2.
    const auto* half = out.find("50.00 m³/h");
    ASSERT_NE(half, nullptr);
    EXPECT_EQ(half->font.sizePoints, 7);
    EXPECT_FALSE(half->font.bold);
    EXPECT_GT(half->y, 0.413 * H);
    EXPECT_LT(half->y, 0.427 * H);

    const struct {
        const char* text;
        double x, y;
    } rows[] = {
        {"A - Erlaubter maximaler Durchfluss bei 20 °C und 101.33 kPa", 0.05 * W, 0.505 * H},
        {"230.77 m³/h", 0.6 * W, 0.505 * H},
        {"150 m³/h", 0.6 * W, 0.52 * H},
        {"G - Möglicher minimaler Durchfluss bei Splitting Range", 0.05 * W, 0.835 * H},
        {"Annahmen:", 0.05 * W, 0.9 * H},
        {"Berechnung erstellt durch:", 0.715 * W, 0.11 * H},
        {"Unsicherheit v.M.", 0.11 * W, 0.32 * H},
    };
    for (const auto& r : rows) {
        const auto* p = out.find(r.text);
        ASSERT_NE(p, nullptr) << r.text;
        EXPECT_NEAR(p->x, r.x, 0.01) << r.text;
        EXPECT_NEAR(p->y, r.y, 0.01) << r.text;
    }
    for (const char* title :
         {"Messung mit einem dp-Messumformer", "Messung mit zwei dp-Messumformern (splitting range)"})
        EXPECT_NE(out.find(title), nullptr) << title;
    // The letters: A, B and C in both charts, D and E in chart 1, F and G in chart 2.
    for (const auto& [letter, count] : std::vector<std::pair<std::string, int>>{
             {"A", 2}, {"B", 2}, {"C", 2}, {"D", 1}, {"E", 1}, {"F", 1}, {"G", 1}})
        EXPECT_EQ(std::count_if(out.texts.begin(), out.texts.end(),
                                [&](const RecordingPrinter::Text& x) { return x.text == letter; }),
                  count)
            << letter;
    EXPECT_TRUE(out.find("Annahmen:")->font.underline);
}

// An English page is English whatever the window's language: its unit texts
// come from the English column, its words are English, and the settings'
// German defaults print in English.
TEST(UncertaintyReport, EnglishPageFromAGermanWindow)
{
    TestTracer t;
    ProgramState s = probeState();
    s.ui.gSprachOffset = 0;
    s.calc.gDurchflussEinheit = 0;  // no unit chosen
    s.calc.gTemperaturEinheit = 1;  // K
    s.settings.gCompanyFirma2 = "Bitte geben Sie";
    s.settings.gCompanyStrasse = "Ihre Benutzerdaten ein";
    s.settings.gUserDurchwahl = "user-settings";
    s.doc.gKundenprojekt = "P-7";
    Printed out;
    print(out, s, ProtocolLanguage::English);
    for (const char* text : {"A - max possible flow @293.15 K and 101.33 kPa", "100.00 Please clarify",
                             "requirements:", "Please enter", "your user data", "Phone-Ext: user-settings",
                             "Customer ref.: ", "morvane 7 uncertainty and stress calculation (rough estimation)"})
        EXPECT_NE(out.find(text), nullptr) << text;
    EXPECT_EQ(std::count_if(out.texts.begin(), out.texts.end(),
                            [](const RecordingPrinter::Text& x) { return x.text == "uncertainty (absolute)"; }),
              2);
    for (const auto& x : out.texts)
        for (const char* word : {"Bitte", " und ", "Custgomer", "uncertaincy", "abolute", "uncertainy", "Benutzer"})
            EXPECT_EQ(x.text.find(word), std::string::npos) << x.text;

    // The German page from an English window: German unit texts, the
    // defaults as stored.
    s.ui.gSprachOffset = 10000;
    Printed german;
    print(german, s, ProtocolLanguage::German);
    for (const char* text :
         {"100.00 Bitte klären", "Bitte geben Sie", "Ihre Benutzerdaten ein", "Tel.-DW: user-settings"})
        EXPECT_NE(german.find(text), nullptr) << text;
    for (const auto& x : german.texts)
        EXPECT_EQ(x.text.find("Please"), std::string::npos) << x.text;
}

// The header's town line carries a blank between town and country, and the
// page's own words are spelt right in each language (a point as decimal
// separator in the English ones).
TEST(UncertaintyReport, TownAndCountryAndTheWordsOfEachLanguage)
{
    TestTracer t;
    struct Case {
        ProtocolLanguage lang;
        std::vector<const char*> shown;  // texts found whole or as the start of a text
        std::vector<const char*> gone;   // parts no text holds
    };
    const Case cases[] = {
        {ProtocolLanguage::German,
         {"12345 Musterstadt Germany", "Messung mit zwei dp-Messumformern (splitting range)",
          "1% Unsicherheit bei Splitting Range ab "},
         {"Slitting", "MusterstadtGermany"}},
        {ProtocolLanguage::English,
         {"12345 Musterstadt Germany", "Correct installation with required straight in- and outlet. dp-transmitter "
                                       "class 0.1% or better.",
          "Density calculation uncertainty <0.1% (e.g. corvix)."},
         {"0,1%", "MusterstadtGermany"}},
    };
    for (const auto& c : cases) {
        ProgramState s = probeState();
        s.settings.gCompanyPLZOrt = "12345 Musterstadt";
        s.settings.gCompanyLand = "Germany";
        Printed out;
        print(out, s, c.lang);
        for (const char* text : c.shown)
            EXPECT_TRUE(std::any_of(out.texts.begin(), out.texts.end(),
                                    [&](const RecordingPrinter::Text& x) { return x.text.rfind(text, 0) == 0; }))
                << text;
        for (const auto& x : out.texts)
            for (const char* part : c.gone)
                EXPECT_EQ(x.text.find(part), std::string::npos) << x.text;
    }
}

// Every number of the page carries the decimal separator of the system's
// number settings, as page 1 does: the tick label and the design-flow value
// ("######0.00"), the legend flows and the temperature and pressure of the A
// and B labels (up to two decimals, a whole number without a separator).
TEST(UncertaintyReport, NumbersUseTheRegionalDecimalSeparator)
{
    TestTracer t;
    for (const auto lang : {ProtocolLanguage::German, ProtocolLanguage::English}) {
        ProgramState s = probeState();
        Printed out;
        print(out, s, lang, ',');
        const char* texts[] = {
            "50,00 m³/h",   // tick label at half the design flow
            "100,00 m³/h",  // design-flow value under marker C
            "230,77 m³/h",  // legend, point A
            "150 m³/h",     // legend, a whole number
            lang == ProtocolLanguage::German ? "A - Erlaubter maximaler Durchfluss bei 20 °C und 101,33 kPa"
                                             : "A - max possible flow @20 °C and 101,33 kPa",
        };
        for (const char* text : texts)
            EXPECT_NE(out.find(text), nullptr) << text;
        for (const auto& x : out.texts)
            EXPECT_EQ(x.text.find("50.00"), std::string::npos) << x.text;
    }
}

TEST(UncertaintyReport, EdgeCases)
{
    TestTracer t;
    {
        ProgramState s = probeState();
        s.calc.gQmaxEmpfohlen = s.calc.gQmaxErlaubt;  // B equal to A: no B
        s.calc.gDurchflussAuslegung = 80;             // v = 0.173: no tick label
        Printed out;
        print(out, s, ProtocolLanguage::German);
        EXPECT_EQ(out.find("B"), nullptr);
        EXPECT_EQ(out.find("40.00 m³/h"), nullptr);
        EXPECT_NE(out.find("80.00 m³/h"), nullptr) << "the design-flow value is printed";
    }
    {
        ProgramState s = probeState();
        s.calc.gQUnsicherheit1 = s.calc.gQUnsicherheit2 = s.calc.gQUnsicherheit5 = 1000;
        s.calc.gQUnsicherheit1SR = s.calc.gQUnsicherheit2SR = s.calc.gQUnsicherheit5SR = 1000;
        Printed all, none;
        ProgramState p = probeState();
        print(all, p, ProtocolLanguage::German);
        print(none, s, ProtocolLanguage::German);
        // Each chart draws 4 + 4 + 2 solid band lines and two dotted ticks.
        EXPECT_GT(all.lines.size(), none.lines.size() + 20);
        EXPECT_NE(none.find("1000 m³/h"), nullptr) << "the legend still prints the threshold";
    }
}

// Flows of a few g/s, in both languages: each flow that two decimals would show
// as 0 or more than 1 % off has 4 significant digits (the legend's thresholds,
// the label at half the design flow), the others keep their pattern.
TEST(UncertaintyReport, SmallFlowsShowWithinOnePercent)
{
    TestTracer t;
    for (const auto lang : {ProtocolLanguage::German, ProtocolLanguage::English}) {
        ProgramState s = probeState();
        auto& c = s.calc;
        c.gDurchflussEinheit = 4;  // kg/s
        c.gDurchflussAuslegung = 0.05;
        c.gQmaxErlaubt = 0.1, c.gQmaxEmpfohlen = 0.08;
        c.gQminEmpfohlen = c.gQminEmpfohlenSR = 0.0071;
        c.gQminMoeglich = c.gQminMoeglichSR = 0.005;
        c.gQUnsicherheit1 = c.gQUnsicherheit1SR = 0.02;
        c.gQUnsicherheit2 = 0.01, c.gQUnsicherheit5 = 0.005;
        c.gQUnsicherheit2SR = 0.0025, c.gQUnsicherheit5SR = 0.0015;
        Printed out;
        print(out, s, lang);
        EXPECT_TRUE(t.responder.reports.empty());
        const auto count = [&](const char* text) {
            return std::count_if(out.texts.begin(), out.texts.end(),
                                 [&](const RecordingPrinter::Text& x) { return x.text == text; });
        };
        EXPECT_EQ(count("0.1 kg/s"), 1) << "A in the legend";
        EXPECT_EQ(count("0.05 kg/s"), 3) << "the design flow in the legend and under C in each chart";
        EXPECT_EQ(count("0.02500 kg/s"), 2) << "half the design flow under its tick, not 0.03";
        EXPECT_EQ(count("0.007100 kg/s"), 2) << "D and F, not 0.01";
        EXPECT_EQ(count("0.005000 kg/s"), 3) << "E, G and the 5 % threshold, not 0.01";
        EXPECT_EQ(count("0.02 kg/s"), 2) << "the 1 % thresholds";
        EXPECT_EQ(count("0.01 kg/s"), 1) << "the 2 % threshold";
        EXPECT_EQ(count("0.002500 kg/s"), 1) << "the 2 % threshold in splitting range, not 0";
        EXPECT_EQ(count("0.001500 kg/s"), 1) << "the 5 % threshold in splitting range, not 0";
        for (const auto& x : out.texts)
            EXPECT_NE(x.text, "0 kg/s");
    }
}

// A design that leaves no allowed flow (A = 0: the vibration ratio rounded to
// 0.00): the page prints without a run-time error, each chart keeps its axes
// and title and says that there is no allowed flow range, in the page's
// language, and draws no flow point and no band; the legends still list the
// flows.
TEST(UncertaintyReport, NoAllowedFlowSaysSoInBothCharts)
{
    const std::pair<ProtocolLanguage, const char*> pages[] = {
        {ProtocolLanguage::German,
         "Diese Auslegung lässt keinen zulässigen Durchflussbereich: der zulässige Maximaldurchfluss A ist 0."},
        {ProtocolLanguage::English, "This design leaves no allowed flow range: the allowed maximum flow A is 0."}};
    for (const auto& [language, note] : pages) {
        TestTracer t;
        ProgramState s = probeState();
        s.calc.gQmaxErlaubt = 0;
        s.calc.gQmaxEmpfohlen = 0;
        Printed out;
        print(out, s, language);
        EXPECT_TRUE(t.responder.reports.empty());
        const auto notes = std::count_if(out.texts.begin(), out.texts.end(),
                                         [&](const RecordingPrinter::Text& x) { return x.text == note; });
        EXPECT_EQ(notes, 2) << note;
        for (const char* absent : {"A", "B", "C", "D", "E", "F", "G"})
            EXPECT_EQ(out.find(absent), nullptr) << absent;
        EXPECT_NE(out.find(language == ProtocolLanguage::German ? "Unsicherheit v.M." : "uncertainty (absolute)"),
                  nullptr);
    }

    // The chart alone: the note inside the frame, clear of the axes.
    ChartWords w = words("using one dp-transmitter");
    w.noFlowRange = "This design leaves no allowed flow range: the allowed maximum flow A is 0.";
    const ChartDrawing d = drawChart(1, {0, 0, 1.086e6, 1e5, 1.5e5, 4e5, 2e5, 1e5}, w, W, H, arialLike);
    const ChartBox frame = chartFrame(1, W, H);
    const auto note = std::find_if(d.texts.begin(), d.texts.end(),
                                   [&](const ChartText& x) { return x.text == w.noFlowRange; });
    ASSERT_NE(note, d.texts.end());
    const auto [nw, nh] = arialLike(note->text, note->sizePoints, note->bold);
    EXPECT_GE(note->x, frame.left);
    EXPECT_LE(note->x + nw, frame.right);
    EXPECT_GE(note->y, frame.top);
    EXPECT_LE(note->y + nh, Nulllinie(1, H));
    for (const ChartLine& l : d.lines)
        EXPECT_FALSE(lineCoversBox({1, l.x1, l.y1, l.x2, l.y2, l.widthPixels * 15.0}, note->x, note->y, note->x + nw,
                                   note->y + nh));
    EXPECT_EQ(d.lines.size(), 6u) << "the two axes and their arrowheads only";
}

}  // namespace
}  // namespace morvane
