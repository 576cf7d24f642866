// Page 2 of the protocol drawn on the recording printer.
#include "reports/uncertainty_report/UncertaintyChart.h"
#include "reports/uncertainty_report/UncertaintyReport.h"

#include "platform/RuntimeError.h"
#include "support/Fakes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

namespace morvane {
namespace {

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
    std::string error;
    auto job = out.printer.startJob("p2", error);
    LogoHolder logo;
    DruckeSeite2(lang, *job, s, std::filesystem::temp_directory_path() / "morvane_p2_none", logo, decimalSeparator);
    out.texts = out.printer.texts;
    out.lines = out.printer.lines;
}

TEST(UncertaintyChart, Coordinates)
{
    EXPECT_DOUBLE_EQ(DiagrammX(0, 230.769, W), 0.1 * W);           // flow 0 on the axis
    EXPECT_DOUBLE_EQ(DiagrammX(230.769, 230.769, W), 0.8 * W);     // S at 0.8 W
    EXPECT_NEAR(Nulllinie(2, H), 0.718 * H, 1e-9);
    EXPECT_NEAR(UnsicherheitY(5, 1, H), 0.343 * H, 1e-9);
    EXPECT_NEAR(UnsicherheitY(-2, 2, H), 0.746 * H, 1e-9);
    EXPECT_DOUBLE_EQ(MarkerFraction(130, 100), 0.95);   // 1.01 beyond the page edge
    EXPECT_NEAR(MarkerFraction(128, 100), 0.996, 1e-12);
    EXPECT_DOUBLE_EQ(MarkerFraction(0, 100), 0.1);
    EXPECT_THROW(DiagrammX(1, 0, W), RuntimeError);
}

TEST(UncertaintyChart, DesignLetterMovedAwayFromA)
{
    const struct {
        double C, A;
        bool moved;
        const char* shows;
    } rows[] = {
        {98, 100, true, "0.04 < 0.05"},
        {97, 100, false, "0.09"},
        {1000, 1010, false, "100/1010 although within 1 %"},
        {0.8, 1, true, "0.04 in a small unit"},
    };
    for (const auto& r : rows)
        EXPECT_EQ(DesignLetterMoved(r.C, r.A), r.moved) << r.shows;
}

TEST(UncertaintyReport, ProbeCaseGerman)
{
    TestTracer t;
    ProgramState s = probeState();
    Printed out;
    print(out, s, ProtocolLanguage::German);
    EXPECT_TRUE(t.responder.reports.empty());

    const double A = 230.769;
    // Tick label at half the design flow: v = 50/230.769 = 0.217 > 0.2.
    const auto* half = out.find("50.00m³/h");
    ASSERT_NE(half, nullptr);
    EXPECT_NEAR(half->x, (0.1 + 0.7 * 50 / A) * W, 0.01);
    EXPECT_NEAR(half->y, 0.415 * H, 0.01);
    EXPECT_EQ(half->font.sizePoints, 7);
    EXPECT_FALSE(half->font.bold);

    const struct {
        const char* text;
        double x, y;
    } rows[] = {
        {"A", 0.787 * W, 0.362 * H},
        {"C", (0.1 + 0.7 * 100 / A - 0.003) * W, 0.362 * H},
        {"B", (0.1 + 0.7 * 150 / A - 0.003) * W, 0.457 * H},
        {"E", (0.1 + 0.7 * 10 / A - 0.003) * W, 0.362 * H},
        {"D", (0.1 + 0.7 * 15.8114 / A - 0.003) * W, 0.457 * H},
        {"Unsicherheit v.M.", 0.11 * W, 0.32 * H},
        {"Messung mit einem dp-Messumformer", 0.3 * W, 0.33 * H},
        {"Messung mit zwei dp-Messumformer (splitting range)", 0.3 * W, 0.635 * H},
        {"A - Erlaubter maximaler Durchfluss bei 20.°C und 101.33kPa", 0.05 * W, 0.505 * H},
        {"230.77m³/h", 0.6 * W, 0.505 * H},
        {"150.m³/h", 0.6 * W, 0.52 * H},
        {"G - Möglicher minimaler Durchfluss bei Splitting Range", 0.05 * W, 0.835 * H},
        {"Annahmen:", 0.05 * W, 0.9 * H},
        {"Berechnung erstellt durch:", 0.715 * W, 0.11 * H},
    };
    for (const auto& r : rows) {
        const auto* p = out.find(r.text);
        ASSERT_NE(p, nullptr) << r.text;
        EXPECT_NEAR(p->x, r.x, 0.01) << r.text;
        EXPECT_NEAR(p->y, r.y, 0.01) << r.text;
    }
    // Chart 2 letters: G and F stand 0.305 H below E and D.
    int letters = 0;
    for (const auto& x : out.texts)
        letters += x.text == "F" || x.text == "G";
    EXPECT_EQ(letters, 2);
    EXPECT_TRUE(out.find("Annahmen:")->font.underline);
}

TEST(UncertaintyReport, EnglishTextsAndUnitsOfTheInterfaceLanguage)
{
    TestTracer t;
    ProgramState s = probeState();
    s.calc.gDurchflussEinheit = 0;  // no unit chosen
    s.calc.gTemperaturEinheit = 1;  // K
    Printed out;
    print(out, s, ProtocolLanguage::English);
    EXPECT_NE(out.find("A - max possible flow @293.15K und 101.33kPa"), nullptr);
    EXPECT_NE(out.find("50.00Bitte klären"), nullptr) << "unit text follows the German interface";
    EXPECT_NE(out.find("requirements:"), nullptr);
    EXPECT_NE(out.find("uncertainty abolute"), nullptr);
}

// Every number of the page carries the decimal separator of the system's
// number settings, as page 1 does: the tick label and the design-flow value
// ("######0.00"), the legend flows ("##.##") and the temperature and pressure
// of the A and B labels ("##.##", "###.##").
TEST(UncertaintyReport, NumbersUseTheRegionalDecimalSeparator)
{
    TestTracer t;
    for (const auto lang : {ProtocolLanguage::German, ProtocolLanguage::English}) {
        ProgramState s = probeState();
        Printed out;
        print(out, s, lang, ',');
        const char* texts[] = {
            "50,00m³/h",   // tick label at half the design flow
            "100,00m³/h",  // design-flow value beside marker C
            "230,77m³/h",  // legend, point A
            "150,m³/h",    // legend, a whole number ends in the separator
            lang == ProtocolLanguage::German ? "A - Erlaubter maximaler Durchfluss bei 20,°C und 101,33kPa"
                                             : "A - max possible flow @20,°C und 101,33kPa",
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
        EXPECT_EQ(out.find("40.00m³/h"), nullptr);
        EXPECT_NE(out.find("80.00m³/h"), nullptr) << "the design-flow value is printed";
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
        EXPECT_NE(none.find("1000.m³/h"), nullptr) << "the legend still prints the threshold";
    }
}

TEST(UncertaintyChart, AxisLabelsStayOnThePageAndClearOfEachOther)
{
    // Twips: axis at 1000, page edge 10000, labels 1000 wide, 100 apart.
    const struct {
        std::optional<double> half;
        double design;
        std::optional<double> halfAt;
        double designAt;
        const char* shows;
    } rows[] = {
        {3000, 5000, 3000, 5000, "far apart: where the scale puts them"},
        {std::nullopt, 5000, std::nullopt, 5000, "no half label"},
        {8000, 9500, 7300, 8400, "design at the edge: left of its mark, the half label before it"},
        {9700, 9500, 7300, 8400, "half past the design: it goes before it"},
        {7000, 9500, 7000, 8400, "room for both"},
        {1500, 2000, std::nullopt, 2000, "no room left of the design label: left out"},
    };
    for (const auto& r : rows) {
        const AxisLabels at = placeAxisLabels(r.half, 1000, r.design, 1000, 1000, 10000, 100);
        EXPECT_EQ(at.half, r.halfAt) << r.shows;
        EXPECT_DOUBLE_EQ(at.design, r.designAt) << r.shows;
    }
}

TEST(UncertaintyReport, DesignFlowBeyondTheScaleKeepsItsLabelsApart)
{
    TestTracer t;
    ProgramState s = probeState();
    s.calc.gDurchflussAuslegung = 2.5 * s.calc.gQmaxErlaubt;  // half the design flow past the page edge too
    Printed out;
    print(out, s, ProtocolLanguage::German);
    const auto* design = out.find("576.92m³/h");
    const auto* half = out.find("288.46m³/h");
    ASSERT_NE(design, nullptr);
    ASSERT_NE(half, nullptr);
    const double width = 120.0 * 11;  // the recording printer: 120 twips a byte ("³" takes two)
    EXPECT_LE(design->x + width, W);
    EXPECT_LE(design->x + width, 0.95 * W) << "left of its marker C at 0.95 W, not across it";
    EXPECT_LE(half->x + width, design->x);
    EXPECT_TRUE(t.responder.reports.empty());
}

TEST(UncertaintyReport, ZeroScaleGoesToTheErrorDialog)
{
    TestTracer t;
    t.responder.answers = {ContExit};
    ProgramState s = probeState();
    s.calc.gQmaxErlaubt = 0;
    Printed out;
    print(out, s, ProtocolLanguage::German);
    ASSERT_EQ(t.responder.reports.size(), 1u);
    EXPECT_EQ(out.printer.endedDocuments, 0);
    EXPECT_NE(out.find("morvane 7 Unsicherheits- und Festigkeitsanalyse (Überschlag)"), nullptr);
}

}  // namespace
}  // namespace morvane
