// The flow limits: medium classes, the twelve uncertainty thresholds of gases,
// liquids and steam (with the splitting-range rule and its cap), the maximum
// flows from the vibration ratio and their small-dp rules, the minimum flows
// with their floors, and the run-time errors of a dp of zero or below.
//
// Reference values: the gas and steam cases of the worked examples (q 100); the steam
// formula q·0.25·a^(-0.57)·(10·dp)^(-b) and the rest evaluated by hand with
// python3 for the other rows.
#include "EngineHarness.h"
#include "engine/FlowLimits.h"
#include "platform/RuntimeError.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>

namespace morvane {
namespace {

using testing::EngineHarness;
using testing::expectAllFinite;

// The fields in the order 1, 1.5, 2, 3, 5, 10 %.
std::array<double, 6> einzeln(const CalculationState& s)
{
    return {s.gQUnsicherheit1, s.gQUnsicherheit1_5, s.gQUnsicherheit2,
            s.gQUnsicherheit3, s.gQUnsicherheit5,   s.gQUnsicherheit10};
}
std::array<double, 6> split(const CalculationState& s)
{
    return {s.gQUnsicherheit1SR, s.gQUnsicherheit1_5SR, s.gQUnsicherheit2SR,
            s.gQUnsicherheit3SR, s.gQUnsicherheit5SR,   s.gQUnsicherheit10SR};
}

void setModel(CalculationState& s, Boolean MediumDaten::*model, Integer mediumNr = 0)
{
    s.gModellGespeicherteDaten = s.gModellIdealesGas = s.gModellRedlichKwong = s.gModellFluessigkeit = False;
    s.*model = True;
    s.gMediumNr = mediumNr;
}

TEST(FlowLimits, MediumClasses)
{
    struct Case {
        Boolean MediumDaten::*model;
        Integer mediumNr;
        Integer klasse;
        const char* shows;
    };
    const Case cases[] = {
        {&MediumDaten::gModellGespeicherteDaten, medium::Keins, KlasseGas, "built-in medium 0"},
        {&MediumDaten::gModellGespeicherteDaten, medium::Luft, KlasseGas, "air"},
        {&MediumDaten::gModellGespeicherteDaten, medium::UeberhitzterDampf, KlasseDampf, "superheated steam"},
        {&MediumDaten::gModellGespeicherteDaten, medium::Sattdampf, KlasseDampf, "saturated steam"},
        {&MediumDaten::gModellGespeicherteDaten, medium::Wasser, KlasseFluessigkeit, "water"},
        {&MediumDaten::gModellGespeicherteDaten, medium::Wasserstoff, KlasseGas, "hydrogen"},
        {&MediumDaten::gModellIdealesGas, medium::Wasser, KlasseGas, "ideal gas, whatever the medium number"},
        {&MediumDaten::gModellRedlichKwong, medium::Sattdampf, KlasseGas, "Redlich-Kwong"},
        {&MediumDaten::gModellFluessigkeit, medium::Luft, KlasseFluessigkeit, "liquid"},
    };
    for (const Case& c : cases) {
        CalculationState s;
        setModel(s, c.model, c.mediumNr);
        EXPECT_EQ(mediumKlasse(s), c.klasse) << c.shows;
    }
    CalculationState both;
    both.gModellGespeicherteDaten = True;
    both.gMediumNr = medium::UeberhitzterDampf;
    both.gModellFluessigkeit = True;
    EXPECT_EQ(mediumKlasse(both), KlasseFluessigkeit) << "the later test wins";
    CalculationState notExactlyTrue;
    notExactlyTrue.gModellFluessigkeit = 1;
    EXPECT_EQ(mediumKlasse(notExactlyTrue), KlasseGas) << "a flag is tested for exactly true";
}

struct LimitCase {
    const char* shows;
    Boolean MediumDaten::*model;
    Integer mediumNr;
    double q, dp, ratio;
    Flag support;
    std::array<double, 6> one, sr;
    double A, B, D, E, F, G;
};

// q 100 throughout; expected values to the digits given.
TEST(FlowLimits, ThresholdsMaximaAndMinima)
{
    const LimitCase cases[] = {
        {"gas, 1 kPa, ratio 3: square-root minima, E on its floor q/10", &MediumDaten::gModellIdealesGas, 0,
         100, 1.0, 3.0, 0, {40, 24, 20, 15, 10, 7}, {40, 6, 5, 4, 3, 2.5}, 230.769231, 150, 15.811388, 10,
         15.811388, 10},
        {"air, 10 kPa: 1 % is 0.4 q in both columns; fixed turn-downs", &MediumDaten::gModellGespeicherteDaten,
         medium::Luft, 100, 10.0, 3.0, 0, {40, 24, 20, 15, 10, 7}, {40, 6, 5, 4, 3, 2.5}, 230.769231, 150,
         14.285714, 10, 6.666667, 4.347826},
        {"gas, 20 kPa", &MediumDaten::gModellRedlichKwong, 0, 100, 20.0, 3.0, 0, {40, 24, 20, 15, 10, 7},
         {40, 6, 5, 4, 3, 2.5}, 230.769231, 150, 14.285714, 10, 6.666667, 4.347826},
        {"liquid at 1.225 kPa: D meets q/7, E is lifted from q/√122.5 to its floor q/10, G is not",
         &MediumDaten::gModellFluessigkeit, 0, 100, 1.225, 3.0, 0, {40, 24, 20, 15, 10, 7}, {40, 6, 5, 4, 3, 2.5},
         230.769231, 150, 14.285714, 10, 14.285714, 9.035079},
        {"gas, 0.5 kPa: q/√20 and q/√50, above their floors", &MediumDaten::gModellIdealesGas, 0, 100, 0.5, 3.0, 0,
         {40, 24, 20, 15, 10, 7}, {40, 6, 5, 4, 3, 2.5}, 230.769231, 150, 22.360680, 14.142136, 22.360680, 14.142136},
        {"steam, 100 kPa", &MediumDaten::gModellGespeicherteDaten, medium::UeberhitzterDampf, 100, 100.0, 3.0,
         0, {37.8390, 19.2484, 15.9517, 14.5357, 10.9009, 7.7551}, {37.8390, 17.4809, 13.4773, 11.7035, 8.3643, 5.6707},
         230.769231, 150, 14.285714, 10, 6.666667, 4.347826},
        {"steam, 160 kPa: the splitting-range factor is capped at 1, so 1 % SR is 0.3 q",
         &MediumDaten::gModellGespeicherteDaten, medium::Sattdampf, 100, 160.0, 3.0, 0,
         {29.774112, 15.505958, 13.032721, 11.987966, 9.075208, 6.517192},
         {30.0, 30.0 * 0.4694043, 30.0 * 0.3670378, 30.0 * 0.3217407, 30.0 * 0.2321143, 30.0 * 0.1588513},
         230.769231, 150, 14.285714, 10, 6.666667, 4.347826},
        {"steam, 2 kPa: every factor is at least 0.3, minima q/√20 and q/√40", &MediumDaten::gModellGespeicherteDaten,
         medium::UeberhitzterDampf, 100, 2.0, 3.0, 0,
         {278.236890, 116.391160, 85.775607, 72.279041, 50.125840, 32.976441},
         {278.236890, 116.391160, 85.775607, 72.279041, 50.125840, 32.976441}, 230.769231, 150, 22.360680,
         15.811388, 22.360680, 15.811388},
        {"probe with support, 5 kPa, ratio 1.5: both maxima q·√(6/5)", &MediumDaten::gModellIdealesGas, 0, 100, 5.0,
         1.5, 1, {40, 24, 20, 15, 10, 7}, {40, 6, 5, 4, 3, 2.5}, 109.544512, 109.544512, 14.285714, 10, 6.666667,
         4.347826},
        {"with support at exactly 6 kPa and a ratio just below 2: q", &MediumDaten::gModellIdealesGas, 0, 100, 6.0,
         1.99, 1, {40, 24, 20, 15, 10, 7}, {40, 6, 5, 4, 3, 2.5}, 100, 100, 14.285714, 10, 6.666667, 4.347826},
        {"with support, ratio exactly 2: the ratio rule stands", &MediumDaten::gModellIdealesGas, 0, 100, 5.0, 2.0,
         1, {40, 24, 20, 15, 10, 7}, {40, 6, 5, 4, 3, 2.5}, 153.846154, 100, 14.285714, 10, 6.666667, 4.347826},
        {"orifice (ratio 0), 1 kPa, no support: q·√2 by the small-dp rule", &MediumDaten::gModellIdealesGas, 0, 100,
         1.0, 0.0, 0, {40, 24, 20, 15, 10, 7}, {40, 6, 5, 4, 3, 2.5}, 141.421356, 141.421356, 15.811388, 10,
         15.811388, 10},
        {"orifice (ratio 0), 10 kPa: both maxima 0 as the rules give them", &MediumDaten::gModellIdealesGas, 0, 100,
         10.0, 0.0, 0, {40, 24, 20, 15, 10, 7}, {40, 6, 5, 4, 3, 2.5}, 0, 0, 14.285714, 10, 6.666667, 4.347826},
    };
    for (const LimitCase& c : cases) {
        EngineHarness h;
        CalculationState& s = h.s;
        setModel(s, c.model, c.mediumNr);
        s.gDurchflussAuslegung = c.q;
        s.gDifferenzdruck = {c.dp, 99.0, 99.0, 99.0};
        s.gFrequenzverhaeltnis = c.ratio;
        s.gGegenlagerVorgesehen = c.support;

        BerechneLimits(h.e);

        const auto near = [&](double got, double want, const char* what) {
            EXPECT_NEAR(got, want, 5e-5 * std::max(1.0, std::fabs(want))) << c.shows << ": " << what;
        };
        for (std::size_t i = 0; i < 6; ++i) {
            near(einzeln(s)[i], c.one[i], "one transmitter");
            near(split(s)[i], c.sr[i], "splitting range");
        }
        near(s.gQmaxErlaubt, c.A, "A");
        near(s.gQmaxEmpfohlen, c.B, "B");
        near(s.gQminEmpfohlen, c.D, "D");
        near(s.gQminMoeglich, c.E, "E");
        near(s.gQminEmpfohlenSR, c.F, "F");
        near(s.gQminMoeglichSR, c.G, "G");
        EXPECT_TRUE(h.boxes.shown.empty()) << c.shows;
        EXPECT_TRUE(h.tracer.responder.reports.empty()) << c.shows;
    }
}

// A dp of 0 or below is a run-time error at the first formula that needs it;
// the fields it did not reach keep their earlier values and nothing infinite or
// NaN reaches the state.
TEST(FlowLimits, ZeroOrNegativeDpIsARunTimeError)
{
    struct Case {
        const char* shows;
        Boolean MediumDaten::*model;
        Integer mediumNr;
        double dp;
        Flag support;
        double ratio;
        int error;
        bool maximaWritten;
    };
    const Case cases[] = {
        {"steam, dp 0: the first steam power", &MediumDaten::gModellGespeicherteDaten, medium::Sattdampf, 0.0, 0,
         3.0, err::DivisionByZero, false},
        {"steam, dp below 0: no real power", &MediumDaten::gModellGespeicherteDaten, medium::Sattdampf, -1.0, 0, 3.0,
         err::InvalidArgument, false},
        {"gas with support, dp 0: 6/dp", &MediumDaten::gModellIdealesGas, 0, 0.0, 1, 1.5, err::DivisionByZero, true},
        {"gas without support, dp 0: q/√(dp/0.025)", &MediumDaten::gModellIdealesGas, 0, 0.0, 0, 3.0,
         err::DivisionByZero, true},
        {"liquid, dp below 0: the root", &MediumDaten::gModellFluessigkeit, 0, -0.5, 0, 3.0, err::InvalidArgument,
         true},
    };
    for (const Case& c : cases) {
        EngineHarness h;
        h.tracer.responder.answers = {ContExit};
        CalculationState& s = h.s;
        setModel(s, c.model, c.mediumNr);
        s.gDurchflussAuslegung = 100.0;
        s.gDifferenzdruck[PunktAuslegung] = c.dp;
        s.gFrequenzverhaeltnis = c.ratio;
        s.gGegenlagerVorgesehen = c.support;
        s.gQminEmpfohlen = s.gQminMoeglich = s.gQminEmpfohlenSR = s.gQminMoeglichSR = -1.0;
        s.gQmaxEmpfohlen = -1.0;

        BerechneLimits(h.e);

        ASSERT_EQ(h.tracer.responder.reports.size(), 1u) << c.shows;
        EXPECT_EQ(h.tracer.responder.reports[0].number, c.error) << c.shows;
        EXPECT_EQ(h.tracer.responder.reports[0].procedure, "BerechneLimits") << c.shows;
        EXPECT_EQ(s.gQminEmpfohlen, -1.0) << c.shows << ": not reached";
        EXPECT_EQ(s.gQminMoeglichSR, -1.0) << c.shows << ": not reached";
        EXPECT_EQ(s.gQmaxEmpfohlen != -1.0, c.maximaWritten) << c.shows;
        EXPECT_EQ(s.gQUnsicherheit10SR, 2.5) << c.shows << ": the fractions come first";
        expectAllFinite(s, c.shows);
    }
}

// A design flow near the top of the double range: each limit that would be
// infinite is the overflow error of its statement instead.
TEST(FlowLimits, OverflowIsARunTimeError)
{
    struct Case {
        const char* shows;
        Boolean MediumDaten::*model;
        Integer mediumNr;
        double q, dp, ratio;
        Flag support;
    };
    const Case cases[] = {
        {"gas, the maxima from the frequency ratio", &MediumDaten::gModellIdealesGas, 0, 1.7e308, 10.0, 3.0, 0},
        {"gas, the maxima from the square-root law", &MediumDaten::gModellIdealesGas, 0, 1.7e308, 1.0, 1.5, 0},
        {"steam", &MediumDaten::gModellGespeicherteDaten, medium::Sattdampf, 1.7e308, 10.0, 3.0, 0},
    };
    for (const Case& c : cases) {
        for (const std::int16_t answer : {ContExit, ContNext}) {
            EngineHarness h;
            h.tracer.responder.answers.assign(40, answer);
            CalculationState& s = h.s;
            setModel(s, c.model, c.mediumNr);
            s.gDurchflussAuslegung = c.q;
            s.gDifferenzdruck[PunktAuslegung] = c.dp;
            s.gFrequenzverhaeltnis = c.ratio;
            s.gGegenlagerVorgesehen = c.support;
            BerechneLimits(h.e);
            ASSERT_FALSE(h.tracer.responder.reports.empty()) << c.shows;
            for (const ErrorReport& r : h.tracer.responder.reports) {
                EXPECT_EQ(r.number, err::Overflow) << c.shows;
                EXPECT_EQ(r.procedure, "BerechneLimits") << c.shows;
            }
            expectAllFinite(s, c.shows);
        }
    }
}

}  // namespace
}  // namespace morvane
