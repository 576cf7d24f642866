// The vibration check of the maker's probes and the opposite-support criteria:
// probe constants and widths, the frequencies and their ratio with two decimals,
// the bending, large-pipe and frequency rules with their exact boundaries, and
// the run-time errors of a zero length, width or diameter.
#include "EngineHarness.h"
#include "engine/FormatPatterns.h"
#include "engine/VibrationCheck.h"
#include "platform/RuntimeError.h"

#include <gtest/gtest.h>

#include <clocale>
#include <string>
#include <vector>

namespace morvane {
namespace {

using testing::EngineHarness;
using testing::expectAllFinite;

// Format "###0.00" and ".###" round half away from zero on the 15-digit decimal
// form of the value, as the runtime's Format does.
TEST(FormatPatterns, RoundHalfAwayFromZeroOnTheDecimalForm)
{
    struct Case {
        double value;
        int decimals;
        const char* fixed;
        const char* upTo;
        const char* shows;
    };
    const Case cases[] = {
        {1.3868343195266273, 2, "1.39", "1.39", "the RQ50 ratio of the reference case"},
        {1.005, 2, "1.01", "1.01", "a half that the double holds just below 1.005 still rounds up"},
        {2.675, 2, "2.68", "2.68", "the same for 2.675"},
        {1.125, 2, "1.13", "1.13", "an exact binary half rounds away from zero, not to even"},
        {4.999999999999999, 2, "5.00", "5", "15 significant digits decide: the RQ10 ratio of 5"},
        {9.995, 2, "10.00", "10", "a carry that adds a digit"},
        {0.0, 2, "0.00", "0", "zero keeps one digit before the point"},
        {0.004, 2, "0.00", "0", "below half a unit of the last place"},
        {0.005, 2, "0.01", "0.01", "half a unit of the last place"},
        {-1.005, 2, "-1.01", "-1.01", "negative halves round away from zero too"},
        {-0.001, 2, "0.00", "0", "no minus sign on a zero"},
        {53.359434631840, 3, "53.359", "53.359", "the solver's orifice bore"},
        {12.5, 3, "12.500", "12.5", "trailing zeros dropped by .###"},
        {31.0, 3, "31.000", "31", "and the point with them"},
        {0.5, 3, "0.500", "0.5", "a leading zero below 1"},
        {99.9996, 3, "100.000", "100", "rounding up to a whole number"},
        {1e20, 2, "100000000000000000000.00", "100000000000000000000", "large values in fixed notation"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(formatFixed(c.value, c.decimals), c.fixed) << c.shows;
        EXPECT_EQ(formatUpTo(c.value, c.decimals), c.upTo) << c.shows;
    }
}

// Reference: the RQ50 case of the worked examples, C = 30 000 000, length 2·10 + 500 mm,
// Strouhal number 0.2 and a 50 mm probe at 20 m/s.
TEST(FrequencyCheck, RQ50InAPipeOf500mm)
{
    for (const Flag support : {Flag{0}, Flag{1}}) {
        EngineHarness h;
        CalculationState& s = h.s;
        s.gPrimaerelementtyp = element::RQ50;
        s.gInnendurchmesserWarm = 500.0;
        s.gWandstaerke = 10.0;
        s.gGeschwindigkeit = {20.0, 1.0, 1.0, 1.0};
        s.gGegenlagerVorgesehen = support;
        s.gSondenbreite = 21.0;  // from an earlier entry: replaced by the type's width
        s.gSchwingungswarnung = True;

        frequencycheck(h.e);

        EXPECT_DOUBLE_EQ(s.gSondenkonstante, 30000000.0);
        EXPECT_DOUBLE_EQ(s.gSondenbreite, 50.0);
        EXPECT_DOUBLE_EQ(s.gSondenlaenge, 520.0);
        EXPECT_NEAR(s.gEigenfrequenz, 110.9467, 5e-5);
        EXPECT_NEAR(s.gEigenfrequenzGegenlager, 443.787, 5e-4);
        EXPECT_DOUBLE_EQ(s.gVortexfrequenz, 80.0);
        // fn / fv = 1.3868 without support, fs / fv = 5.5473 with it, each
        // carried with two decimals exactly.
        EXPECT_EQ(s.gFrequenzverhaeltnis, support == 1 ? 5.55 : 1.39);
        EXPECT_EQ(s.gSchwingungswarnung, False);
        EXPECT_TRUE(h.boxes.shown.empty());
    }
}

// A program with windows takes the user's locale, which may use a decimal comma;
// the ratio read back from its two-decimal text must still be 1.39, not 1.
TEST(FrequencyCheck, RatioWhateverTheLocale)
{
    const char* const before = std::setlocale(LC_NUMERIC, nullptr);
    const std::string saved = before != nullptr ? before : "C";
    const char* comma = nullptr;
    for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8", "fr_FR.utf8"})
        if (comma == nullptr)
            comma = std::setlocale(LC_NUMERIC, name);
    if (comma == nullptr)
        GTEST_SKIP() << "no locale with a decimal comma installed";
    EngineHarness h;
    h.s.gPrimaerelementtyp = element::RQ50;
    h.s.gInnendurchmesserWarm = 500.0;
    h.s.gWandstaerke = 10.0;
    h.s.gGeschwindigkeit[PunktAuslegung] = 20.0;
    frequencycheck(h.e);
    std::setlocale(LC_NUMERIC, saved.c_str());
    EXPECT_EQ(h.s.gFrequenzverhaeltnis, 1.39);
}

// Each probe type's constant and width: D 100 mm, wall 5 mm (length 110 mm),
// 10 m/s, no support. Expected values by hand: fn = C / 110², fv = 2 / (w/1000).
TEST(FrequencyCheck, ConstantsAndWidthsOfEachProbeType)
{
    struct Case {
        Integer typ;
        double konstante, breite, fn, fv, ratio;
    };
    const Case cases[] = {
        {element::RQ10, 11000000.0, 11.0, 909.0909090909, 181.8181818182, 5.00},
        {element::RQ25, 12000000.0, 21.0, 991.7355371901, 95.2380952381, 10.41},
        {element::RQ25HDD, 12000000.0, 22.0, 991.7355371901, 90.9090909091, 10.91},
        {element::RQ32, 12750000.0, 33.7, 1053.7190082645, 59.3471810089, 17.76},
        {element::RQ44, 18500000.0, 44.0, 1528.9256198347, 45.4545454545, 33.64},
        {element::RQ50, 30000000.0, 50.0, 2479.3388429752, 40.0, 61.98},
    };
    for (const Case& c : cases) {
        EngineHarness h;
        h.s.gPrimaerelementtyp = c.typ;
        h.s.gInnendurchmesserWarm = 100.0;
        h.s.gWandstaerke = 5.0;
        h.s.gGeschwindigkeit[PunktAuslegung] = 10.0;
        frequencycheck(h.e);
        EXPECT_EQ(h.s.gSondenkonstante, c.konstante) << "type " << c.typ;
        EXPECT_EQ(h.s.gSondenbreite, c.breite) << "type " << c.typ;
        EXPECT_NEAR(h.s.gEigenfrequenz, c.fn, 1e-9) << "type " << c.typ;
        EXPECT_NEAR(h.s.gEigenfrequenzGegenlager, 4.0 * c.fn, 4e-9) << "type " << c.typ;
        EXPECT_NEAR(h.s.gVortexfrequenz, c.fv, 1e-9) << "type " << c.typ;
        EXPECT_EQ(h.s.gFrequenzverhaeltnis, c.ratio) << "type " << c.typ;
    }
}

// A zero probe length or width is a division by zero that goes to the tracer;
// the frequency it would have given keeps its earlier value, and nothing
// infinite reaches the state.
TEST(FrequencyCheck, ZeroLengthOrWidthIsARunTimeError)
{
    struct Case {
        Integer typ;
        double d, wall, width;
        const char* shows;
    };
    const Case cases[] = {
        {element::RQ25, 0.0, 0.0, 0.0, "a probe of length 0"},
        {element::SondeAndererHersteller, 100.0, 5.0, 0.0, "a type without constants and a width of 0"},
    };
    for (const Case& c : cases) {
        EngineHarness h;
        h.tracer.responder.answers = {ContExit};
        h.s.gPrimaerelementtyp = c.typ;
        h.s.gInnendurchmesserWarm = c.d;
        h.s.gWandstaerke = c.wall;
        h.s.gSondenbreite = c.width;
        h.s.gSondenkonstante = 12000000.0;
        h.s.gGeschwindigkeit[PunktAuslegung] = 10.0;
        h.s.gFrequenzverhaeltnis = 7.0;
        frequencycheck(h.e);
        ASSERT_EQ(h.tracer.responder.reports.size(), 1u) << c.shows;
        EXPECT_EQ(h.tracer.responder.reports[0].number, err::DivisionByZero) << c.shows;
        EXPECT_EQ(h.tracer.responder.reports[0].procedure, "frequencycheck") << c.shows;
        EXPECT_EQ(h.s.gFrequenzverhaeltnis, 7.0) << c.shows;
        expectAllFinite(h.s, c.shows);
    }
}

// Lengths beyond the double range: the overflow error in the statement that
// meets it, never an infinite probe length or a zero frequency from one.
TEST(FrequencyCheck, OverflowIsARunTimeError)
{
    struct Case {
        double d, wall;
        const char* shows;
    };
    const Case cases[] = {
        {100.0, 1.7e308, "a wall thickness near the top of the double range"},
        {1.0e308, 5.0e307, "a length that overflows"},
        {1.0e200, 5.0, "a length whose square overflows"},
    };
    for (const Case& c : cases) {
        for (const std::int16_t answer : {ContExit, ContNext}) {
            EngineHarness h;
            h.tracer.responder.answers = {answer, answer, answer};
            h.s.gPrimaerelementtyp = element::RQ25;
            h.s.gInnendurchmesserWarm = c.d;
            h.s.gWandstaerke = c.wall;
            h.s.gGeschwindigkeit[PunktAuslegung] = 10.0;
            h.s.gEigenfrequenz = 3.0;
            frequencycheck(h.e);
            ASSERT_FALSE(h.tracer.responder.reports.empty()) << c.shows;
            EXPECT_EQ(h.tracer.responder.reports[0].number, err::Overflow) << c.shows;
            EXPECT_EQ(h.tracer.responder.reports[0].procedure, "frequencycheck") << c.shows;
            EXPECT_EQ(h.s.gEigenfrequenz, 3.0) << c.shows;
            expectAllFinite(h.s, c.shows);
        }
    }
}

TEST(FrequencyCheck, OtherTypesKeepTheirWidth)
{
    EngineHarness h;
    h.s.gPrimaerelementtyp = element::SondeAndererHersteller;
    h.s.gSondenbreite = 25.0;
    h.s.gSondenkonstante = 12000000.0;
    h.s.gInnendurchmesserWarm = 100.0;
    h.s.gWandstaerke = 5.0;
    h.s.gGeschwindigkeit[PunktAuslegung] = 10.0;
    frequencycheck(h.e);
    EXPECT_EQ(h.s.gSondenbreite, 25.0);
    EXPECT_EQ(h.s.gSondenkonstante, 12000000.0);
    EXPECT_DOUBLE_EQ(h.s.gVortexfrequenz, 80.0);
}

// The two bilingual messages as they are spelt now.
TEST(OppositeSupport, MessageTexts)
{
    EXPECT_EQ(MeldungGroessereSonde, "Frequenzüberlagerung! Bitte verwenden Sie eine größere Sonde oder kontaktieren Sie "
                                     "halvern! Frequency match! please use a different probe or contact halvern!");
    EXPECT_EQ(MeldungGegenlagerBiegung, "Bitte Gegenlager verwenden, please use opposite support");
}

// Gegenlager on frequencies set by hand. "safe" frequencies fn 1000, fs 4000 and
// fv 100 pass every frequency rule, so a row shows the rule it is about.
TEST(OppositeSupport, BendingSizeAndFrequencyRules)
{
    const std::string sonde(MeldungGroessereSonde);
    const std::string frequenz(MeldungGegenlagerFrequenz);
    const std::string biegung(MeldungGegenlagerBiegung);
    struct Case {
        double D, dp;
        Flag support;
        double fn, fs, fv;
        Boolean warningBefore;
        Boolean needed, warning;
        std::vector<std::string> boxes;
        const char* shows;
    };
    const Case cases[] = {
        // Bending: 7 445 912 728 / 100³ = 7445.9 mbar, i.e. 744.59 kPa.
        {100, 744.5, 0, 1000, 4000, 100, False, False, False, {}, "D 100: below the bending limit"},
        {100, 744.6, 0, 1000, 4000, 100, False, True, False, {biegung}, "D 100: above it, no support: told"},
        {100, 744.6, 1, 1000, 4000, 100, False, True, False, {}, "D 100: above it, support configured"},
        // Large pipes: 7 445 912 728 / 1000³ = 7.4 mbar, so 0.5 kPa passes bending.
        {1000, 0.5, 0, 1000, 4000, 100, False, True, False, {}, "D 1000 exactly without support"},
        {999.9, 0.5, 0, 1000, 4000, 100, False, False, False, {}, "D just below 1000"},
        {1000, 0.5, 1, 1000, 4000, 100, False, False, False, {}, "D 1000 with support configured"},
        // Even the supported probe is too slow: step 3 ends the procedure.
        {100, 7.0, 0, 50, 120, 100, False, True, True, {sonde}, "fs/1.3 < fv at 7 kPa: bigger probe, nothing else"},
        {100, 6.0, 0, 50, 120, 100, False, True, True, {frequenz},
         "dp exactly 6 passes step 3 and the unsupported probe is told to use a support"},
        {100, 6.0, 1, 50, 120, 100, True, False, True, {},
         "dp exactly 6 with support: not below 6, so nothing changes"},
        {100, 5.0, 1, 50, 120, 100, True, True, False, {}, "support, fs/1.3 < fv, 5 kPa: needed, warning cleared"},
        {100, 2.0, 0, 50, 4000, 100, False, False, False, {}, "dp exactly 2: no frequency message"},
        {100, 2.0001, 0, 50, 4000, 100, False, True, True, {frequenz}, "just above 2 kPa"},
        {100, 5.0, 0, 130.1, 4000, 100, False, False, False, {}, "fn/1.3 just above fv"},
        {100, 5.0, 1, 50, 4000, 100, True, False, True, {},
         "a supported probe fast enough: the warning of an earlier step stays"},
    };
    for (const Case& c : cases) {
        EngineHarness h;
        CalculationState& s = h.s;
        s.gInnendurchmesserWarm = c.D;
        s.gDifferenzdruck = {c.dp, 0.0, 0.0, 0.0};
        s.gGegenlagerVorgesehen = c.support;
        s.gEigenfrequenz = c.fn;
        s.gEigenfrequenzGegenlager = c.fs;
        s.gVortexfrequenz = c.fv;
        s.gSchwingungswarnung = c.warningBefore;
        s.gGegenlagerNotwendig = c.needed == True ? False : True;  // every row changes it or sets it again

        Gegenlager(h.e);

        EXPECT_EQ(s.gGegenlagerNotwendig, c.needed) << c.shows;
        EXPECT_EQ(s.gSchwingungswarnung, c.warning) << c.shows;
        std::vector<std::string> shown;
        for (const auto& b : h.boxes.shown) {
            shown.push_back(b.text);
            EXPECT_EQ(b.buttons, MessageButtons::Ok) << c.shows;
            EXPECT_TRUE(b.caption.empty()) << c.shows;
        }
        EXPECT_EQ(shown, c.boxes) << c.shows;
        EXPECT_EQ(s.gGegenlagerVorgesehen, c.support) << c.shows << ": the configured element is not changed";
    }
}

TEST(OppositeSupport, ZeroDiameterIsARunTimeError)
{
    EngineHarness h;
    h.tracer.responder.answers = {ContExit};
    h.s.gInnendurchmesserWarm = 0.0;
    h.s.gDifferenzdruck[PunktAuslegung] = 5.0;
    h.s.gGegenlagerNotwendig = True;
    Gegenlager(h.e);
    ASSERT_EQ(h.tracer.responder.reports.size(), 1u);
    EXPECT_EQ(h.tracer.responder.reports[0].number, err::DivisionByZero);
    EXPECT_EQ(h.tracer.responder.reports[0].procedure, "Gegenlager");
    EXPECT_EQ(h.s.gGegenlagerNotwendig, True);
}

}  // namespace
}  // namespace morvane
