// Orifices, venturis and the RQ8 meter run: discharge coefficient after the
// Stolz equation (ISO 5167-1:1991), the expansion-factor iteration, the
// differential pressure and the permanent pressure loss of one operating point.
#include "engine/FlowAndDifferentialPressure.h"
#include "engine/OrificeCoefficients.h"
#include "platform/ProductDatabase.h"
#include "platform/RuntimeError.h"
#include "support/Fakes.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <optional>
#include <thread>

namespace morvane {
namespace {

using testing::RecordingMessageBox;
using testing::TestTracer;

// Water at 20 °C and 500 kPa after IAPWS-95 (density) and the program's water
// viscosity correlation; κ of water is 1e9.
constexpr double RhoWater = 998.391772;
constexpr double EtaWater = 1.070970;  // cP
// The ideal gas of the worked examples: norm density 1.293 kg/Nm³, Z = 1, at 20 °C and
// 500 kPa by ρ = ρN·p·273.15/(t + 273.15)/101.325.
constexpr double RhoGas = 1.293 * 500.0 * 273.15 / (20.0 + 273.15) / 101.325;
constexpr double EtaGas = 0.0181;  // cP

class Orifice : public ::testing::Test {
protected:
    Orifice()
    {
        // An unexpected run-time error leaves the procedure (and fails the test
        // that finds a report) instead of repeating the statement forever.
        tracer.responder.answers.assign(16, ContExit);
        s.gKorrekturFaktor = 1.0;
        s.gEpsilonFaktor = 1.0;
        s.gTemperatur = 20.0;
        s.gDruck = 500.0;
    }

    void setPipe(Integer type, double dMm, double boreMm)
    {
        s.gPrimaerelementtyp = type;
        s.gInnendurchmesser = dMm;
        s.gInnendurchmesserWarm = dMm;  // at 20 °C
        s.gOeffnungsdurchmesser = boreMm;
    }
    void setMedium(double rho, double etaCP, double kappa)
    {
        s.gBetriebsdichte = rho;
        s.gViskositaet = etaCP;
        s.gIsentropenkoeffizient = kappa;
    }
    // The design point at mass flow q (kg/s): Reynolds number, then get_Blende
    // through Getdp, as the differential-pressure step runs it.
    void runPoint(double q)
    {
        s.gMassenstrom = {q, 0, 0, 0};
        BerechneReynolds(e);
        Getdp(e, s.gMassenstrom[0], s.gReynolds[0], s.gExpansionszahl[0], s.gDifferenzdruck[0], s.gDruckverlust[0]);
    }

    TestTracer tracer;
    CalculationState s;
    UiZustand ui;
    UserSettings settings;
    RecordingMessageBox box;
    testing::TempFolder noDatabases;  // a data root without product databases
    ProductDatabases databases{noDatabases.path()};
    EngineContext e{s, ui, settings, box, databases};
};

// Reference values of the worked examples, each to the digits given there.
TEST_F(Orifice, ReferenceCases)
{
    struct Case {
        Integer type;
        double dMm, boreMm, rho, eta, kappa, q;
        double re, c, eps, dpKPa, lossKPa;  // eps < 0: expected 1 within rounding
        const char* shows;
    };
    const Case cases[] = {
        {element::BlendeFlansch, 100, 50, RhoWater, EtaWater, 1e9, 10.0, 118886.7, 0.605445, -1, 33.222466, 24.239683,
         "water through an orifice with flange tappings"},
        {element::BlendeDD2, 100, 50, RhoWater, EtaWater, 1e9, 10.0, 118886.7, 0.605611, -1, 33.204245, -1,
         "the same with D and D/2 tappings"},
        {element::BlendeEcke, 100, 50, RhoWater, EtaWater, 1e9, 10.0, 118886.7, 0.604991, -1, 33.272349, -1,
         "the same with corner tappings"},
        {element::BlendeFlansch, 100, 60, RhoGas, EtaGas, 1.4, 0.5, 351723.9, 0.606808, 0.995922582, 6.267991, 3.889593,
         "an ideal gas through flange tappings: the expansion factor iterates"},
        {element::RQ8, 19, 5, RhoWater, EtaWater, 1e9, 0.05, 3128.6, 0.638965, -1, 7.916037, 7.243613,
         "the RQ8 meter run with its corrections k1, k2, k3"},
    };
    for (const auto& c : cases) {
        setPipe(c.type, c.dMm, c.boreMm);
        setMedium(c.rho, c.eta, c.kappa);
        runPoint(c.q);
        EXPECT_NEAR(s.gReynolds[0], c.re, 0.05) << c.shows;
        EXPECT_NEAR(s.gDurchflusskoeffizient, c.c, 5e-7) << c.shows;
        EXPECT_EQ(s.gKZahl, s.gDurchflusskoeffizient) << c.shows;
        EXPECT_DOUBLE_EQ(s.gZeta, 1.0 / (s.gKZahl * s.gKZahl)) << c.shows;
        EXPECT_DOUBLE_EQ(s.gBeta, c.boreMm / c.dMm) << c.shows;
        const double eps = c.eps < 0 ? 1.0 : c.eps;
        EXPECT_NEAR(s.gExpansionszahl[0], eps, c.eps < 0 ? 1e-10 : 5e-10) << c.shows;
        EXPECT_NEAR(s.gDifferenzdruck[0], c.dpKPa, 5e-7) << c.shows;
        if (c.lossKPa >= 0) {
            EXPECT_NEAR(s.gDruckverlust[0], c.lossKPa, 5e-7) << c.shows;
        }
        EXPECT_TRUE(box.shown.empty()) << c.shows;
        EXPECT_EQ(s.gFehlerDp, "") << c.shows;
    }
    EXPECT_NEAR(RhoGas, 5.945156, 5e-7);
    EXPECT_TRUE(tracer.responder.reports.empty());
}

TEST(OrificeC4, TappingsAndSmallPipes)
{
    struct Case {
        Integer type;
        double dMm;
        double c4;
        const char* shows;
    };
    const Case cases[] = {
        {element::BlendeFlansch, 50, 0.039, "flange, 50 mm: L1 = 0.508 >= 0.4333"},
        {element::BlendeFlansch, 100, 0.09 * 0.254, "flange, 100 mm: 0.09 L1"},
        {element::BlendeFlansch, 58.62, 0.09 * 0.0254 / 0.05862, "flange at 58.62 mm: L1 just below 0.4333"},
        {element::BlendeFlansch, 58.61995, 0.09 * 0.0254 / 0.05861995, "flange at 58.61995 mm: L1 below 0.4333"},
        {element::BlendeFlansch, 58.6198, 0.039, "flange at 58.6198 mm: L1 = 0.43330 >= 0.4333"},
        {element::BlendeFlansch, 58.61, 0.039, "flange just below 58.62 mm: L1 >= 0.4333"},
        {element::BlendeEcke, 58.61, 0.0, "corner tappings below 58.62 mm: L1 = 0 in any pipe"},
        {element::BlendeEcke, 20, 0.0, "corner tappings in a 20 mm pipe: L1 = 0"},
        {element::BlendeEcke, 58.62, 0.0, "corner tappings from 58.62 mm: L1 = 0"},
        {element::BlendeEcke, 300, 0.0, "corner tappings in a large pipe"},
        {element::BlendeDD2, 40, 0.039, "D and D/2: L1 = 1"},
        {element::BlendeDD2, 500, 0.039, "D and D/2 in a large pipe"},
        {element::RQ8, 19, 0.039, "RQ8 in its 19 mm pipe"},
    };
    for (const auto& c : cases) {
        const double D = c.dMm / 1000.0;
        const TappingDistances t = orificeTappings(c.type, D);
        EXPECT_DOUBLE_EQ(stolzC4(t.l1 / D), c.c4) << c.shows;
    }
}

// The tapping terms reach C: the flange value lies between corner (L1 = L2 = 0)
// and D and D/2 (L1 = 1) as c4 and L2 say, here at 100 mm and β = 0.5.
TEST(OrificeC4, TappingTermsOfTheStolzEquation)
{
    const double D = 0.1, beta = 0.5, re = 1e6, b4 = std::pow(beta, 4);
    const double base = 0.5959 + 0.0312 * std::pow(beta, 2.1) - 0.184 * std::pow(beta, 8) + 0.0029 * std::pow(beta, 2.5);
    struct Case {
        Integer type;
        double expected;
        const char* shows;
    };
    const Case cases[] = {
        {element::BlendeEcke, base, "corner: no tapping terms"},
        {element::BlendeFlansch, base + 0.09 * 0.254 * b4 / (1 - b4) - 0.0337 * 0.254 * 0.125, "flange: L1 = L2 = 0.254"},
        {element::BlendeDD2, base + 0.039 * b4 / (1 - b4) - 0.0337 * 0.47 * 0.125, "D and D/2: L2 = 0.47"},
    };
    for (const auto& c : cases)
        EXPECT_NEAR(dischargeCoefficient(c.type, beta, re, 1.0, D), c.expected, 1e-15) << c.shows;
}

TEST(OrificeCoefficient, VenturiConstants)
{
    struct Case {
        Integer type;
        double beta, c;
        const char* shows;
    };
    const Case cases[] = {
        {element::Venturiduese, 0.5, 0.9858 - 0.196 * std::pow(0.5, 4.5), "venturi nozzle: 0.9858 - 0.196 beta^4.5"},
        {element::VenturiGussrauh, 0.5, 0.984, "as-cast convergent section"},
        {element::VenturiBearbeitet, 0.7, 0.995, "machined convergent section"},
        {element::VenturiStahlblech, 0.4, 0.985, "rough-welded sheet-iron convergent section"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(dischargeCoefficient(c.type, c.beta, 1e5, 1.0, 0.1), c.c) << c.shows;
}

// The Reynolds term of the Stolz equation takes the Reynolds number of the flow
// at which the expansion factor is evaluated.
TEST(OrificeCoefficient, ReynoldsTermScaledByTheEpsilonFactor)
{
    EXPECT_DOUBLE_EQ(dischargeCoefficient(element::BlendeFlansch, 0.5, 1e5, 2.0 / 3.0, 0.1),
                     dischargeCoefficient(element::BlendeFlansch, 0.5, 1e5 * 2.0 / 3.0, 1.0, 0.1));
    EXPECT_GT(dischargeCoefficient(element::BlendeFlansch, 0.5, 1e5, 2.0 / 3.0, 0.1),
              dischargeCoefficient(element::BlendeFlansch, 0.5, 1e5, 1.0, 0.1));
}

// The coefficient at a β and a Reynolds number is the same bit for bit, and
// raises the same error, whatever was computed before it on the thread: the
// sequence repeats β with other Reynolds numbers and the other way round, as
// the solver's passes do, with failing arguments in between. Each reference
// comes from a thread of its own, on which nothing was computed before.
TEST(OrificeCoefficient, SameArgumentsSameBitsWhateverCameBefore)
{
    struct Call {
        double beta, re;
    };
    const auto coefficient = [](const Call& c) {
        try {
            return std::bit_cast<std::uint64_t>(dischargeCoefficient(element::BlendeFlansch, c.beta, c.re, 1.0, 0.1));
        } catch (const RuntimeError& e) {
            return static_cast<std::uint64_t>(e.number());  // no coefficient has these bits
        }
    };
    const Call sequence[] = {
        {0.5, 1e5},  {0.5, 2e5},  {0.5, 1e5},     {0.6, 1e5},   {0.6, 1e5},    {0.5, 1e5}, {-0.5, 1e5},
        {-0.5, 1e5}, {0.5, 1e5},  {0.5, 0.0},     {0.5, 0.0},   {0.5, 3e4},    {0.7, 3e4}, {1.0, 3e4},
        {1.0, 3e4},  {0.7, 3e4},  {0.45, 123456}, {0.45, -1e5}, {0.45, 123456}};
    for (const Call& c : sequence) {
        std::uint64_t fresh = 0;
        std::thread([&] { fresh = coefficient(c); }).join();
        EXPECT_EQ(coefficient(c), fresh) << "beta " << c.beta << ", Re " << c.re;
    }
}

// With the flow range on, the coefficient fields that the results and page 1
// show stay the design point's, whatever the other points computed: the
// reference orifice at 10 kg/s (C 0.605445) with a minimum of 2 kg/s, whose own
// C is larger.
TEST_F(Orifice, CoefficientFieldsKeepTheDesignPointWithTheFlowRange)
{
    setPipe(element::BlendeFlansch, 100, 50);
    setMedium(RhoWater, EtaWater, 1e9);
    s.gEpsilonFaktor = 1.0;
    s.gDurchflussEinheit = flowunit::kgs;
    s.gDurchflussAuslegung = 10.0;
    s.gMehrereBetriebspunkte = 1;
    s.gDurchflussMax = 12.0;
    s.gDurchflussNorm = 8.0;
    s.gDurchflussMin = 2.0;
    BerechneDifferenzdruck(e);
    ASSERT_EQ(s.gFehlerDp, "");
    EXPECT_NEAR(s.gDurchflusskoeffizient, 0.605445, 5e-7);
    EXPECT_EQ(s.gKZahl, s.gDurchflusskoeffizient);
    EXPECT_DOUBLE_EQ(s.gZeta, 1.0 / (s.gKZahl * s.gKZahl));
    EXPECT_DOUBLE_EQ(s.gBeta, 0.5);
    EXPECT_NEAR(s.gDifferenzdruck[PunktAuslegung], 33.222466, 5e-7);

    // The minimum point on its own has the larger C that used to be shown.
    const double cDesign = s.gDurchflusskoeffizient;
    runPoint(2.0);
    EXPECT_GT(s.gDurchflusskoeffizient, cDesign + 1e-4);
}

TEST_F(Orifice, MachinedVenturiTube)
{
    setPipe(element::VenturiBearbeitet, 100, 60);
    setMedium(RhoWater, EtaWater, 1e9);
    runPoint(10.0);
    EXPECT_EQ(s.gKZahl, 0.995);
    EXPECT_EQ(s.gZeta, 1.0 / (0.995 * 0.995));
    EXPECT_NEAR(s.gExpansionszahl[0], 1.0, 1e-10) << "κ = 1e9";
    // The published share of dp, 11.9 % at β 0.6 in a pipe of 100 mm, with the
    // pipe at process temperature.
    EXPECT_EQ(s.gDruckverlust[0], s.gDifferenzdruck[0] * venturiTubeLossFraction(0.6, 0.1));
    EXPECT_NEAR(venturiTubeLossFraction(0.6, 0.1), 0.1191915155, 1e-10);  // python3-fluids 1.0.22
    s.gInnendurchmesserWarm = 100.5;
    runPoint(10.0);
    EXPECT_EQ(s.gDruckverlust[0], s.gDifferenzdruck[0] * venturiTubeLossFraction(0.6, 0.1005));
}

// The orifice plates keep the orifice expansibility equation; the nozzle and
// the venturi tubes take the isentropic one, whose limits hold where the
// equation itself is 0/0 and which has no value where it has none.
TEST(OrificeExpansibility, EquationOfEachTypeAndTheIsentropicLimits)
{
    for (const Integer t : {element::RQ8, element::BlendeFlansch, element::BlendeDD2, element::BlendeEcke})
        EXPECT_EQ(expansibilityOf(t), Expansibility::Orifice) << t;
    for (const Integer t : {element::Venturiduese, element::VenturiGussrauh, element::VenturiBearbeitet,
                            element::VenturiStahlblech})
        EXPECT_EQ(expansibilityOf(t), Expansibility::Isentropic) << t;

    // κ = 1: ε² = −τ²·ln τ·(1 − β⁴) / ((1 − τ)(1 − β⁴τ²)), by hand from the limit.
    const double beta = 0.6, x = 0.2, tau = 1.0 - x, b4 = std::pow(beta, 4);
    const double atOne = std::sqrt(-tau * tau * std::log(tau) * (1 - b4) / (x * (1 - b4 * tau * tau)));
    EXPECT_NEAR(*isentropicExpansibility(beta, 1.0, x), atOne, 1e-15);
    EXPECT_NEAR(*isentropicExpansibility(beta, 1.0 + 1e-9, x), atOne, 1e-9);
    EXPECT_NEAR(*isentropicExpansibility(beta, 1.0 - 1e-9, x), atOne, 1e-9);

    struct Case {
        double beta, kappa, x;
        std::optional<double> eps;  // nullopt: no value
        double tolerance;
        const char* shows;
    };
    const Case cases[] = {
        {0.5, 1.4, 0.0, 1.0, 0.0, "dp = 0: exactly 1, where the equation is 0/0"},
        {0.5, 1.4, 1e-300, 1.0, 1e-15, "dp next to 0: no NaN, 1 within rounding"},
        {0.97, 1.4, 1e-12, 1.0, 1e-11, "β 0.97, dp/p 1e-12"},
        {0.5, 1e9, 0.5, 1.0, 0.0, "an incompressible medium: 1"},
        {0.5, 1e9, 1.5, 1.0, 0.0, "an incompressible medium: 1 also where dp exceeds p"},
        {0.5, 1.4, 1.0, std::nullopt, 0.0, "a gas at dp = p: no value"},
        {0.5, 1.4, 1.5, std::nullopt, 0.0, "a gas at dp above p: no value"},
        {0.5, 1.4, -0.1, std::nullopt, 0.0, "a dp below 0: no value"},
        {0.5, 0.0, 0.1, std::nullopt, 0.0, "κ = 0: no value"},
        {0.5, -1.4, 0.1, std::nullopt, 0.0, "κ below 0: no value"},
        {0.5, 1e-3, 0.5, std::nullopt, 0.0, "κ near 0: ε underflows, no value"},
    };
    for (const Case& c : cases) {
        const std::optional<double> e = isentropicExpansibility(c.beta, c.kappa, c.x);
        ASSERT_EQ(e.has_value(), c.eps.has_value()) << c.shows;
        if (c.eps) {
            EXPECT_NEAR(*e, *c.eps, c.tolerance) << c.shows;
            EXPECT_LE(*e, 1.0) << c.shows;
        }
    }
}

// A liquid through a venturi keeps ε = 1 however high its dp: the point gets
// its dp, so that the run can refuse a dp above the pressure with its own
// message. A gas whose dp would reach the pressure has no fixed point.
TEST_F(Orifice, VenturiDpAtOrAboveThePressure)
{
    setPipe(element::VenturiGussrauh, 100, 5);
    setMedium(RhoWater, EtaWater, 1e9);
    runPoint(10.0);
    EXPECT_EQ(s.gFehlerDp, "");
    EXPECT_EQ(s.gExpansionszahl[0], 1.0);
    EXPECT_GT(s.gDifferenzdruck[0], s.gDruck);

    const OrificeIteration gas =
        orificeDifferentialPressure(1.0, 1.0, 0.984, 0.05, 0.1, RhoGas, 1.4, 500e3, Expansibility::Isentropic);
    EXPECT_FALSE(gas.converged);
    EXPECT_LT(gas.passes, 1000) << "it ends where the equation has no value";
    EXPECT_TRUE(std::isfinite(gas.e) && gas.e > 0.0 && gas.e <= 1.0);
}

// With 2/3 the expansion factor belongs to two thirds of the flow, the
// differential pressure and the loss to the full flow.
TEST_F(Orifice, EpsilonFactorOfTwoThirds)
{
    setPipe(element::BlendeFlansch, 100, 60);
    setMedium(RhoGas, EtaGas, 1.4);
    runPoint(0.5);
    const double eFull = s.gExpansionszahl[0], dpFull = s.gDifferenzdruck[0], lossFull = s.gDruckverlust[0];
    const double C = s.gDurchflusskoeffizient;
    const double root = std::sqrt(1 - std::pow(0.6, 4)), cb2 = C * 0.36;
    EXPECT_NEAR(lossFull, dpFull * (root - cb2) / (root + cb2), 1e-12) << "Δp1 behind the loss is dp itself";

    s.gEpsilonFaktor = 2.0 / 3.0;
    runPoint(0.5);
    EXPECT_GT(s.gExpansionszahl[0], eFull) << "expansion factor closer to 1";
    EXPECT_LT(s.gExpansionszahl[0], 1.0);
    const double C23 = s.gDurchflusskoeffizient;
    const OrificeIteration it = orificeDifferentialPressure(0.5, 2.0 / 3.0, C23, 0.6, 0.1, RhoGas, 1.4, 500e3);
    EXPECT_NEAR(s.gDifferenzdruck[0] * 1000, it.dp1Pa * 9.0 / 4.0, 1e-9) << "dp at the full flow";
    const double cb223 = C23 * 0.36;
    EXPECT_NEAR(s.gDruckverlust[0], s.gDifferenzdruck[0] * (root - cb223) / (root + cb223), 1e-12)
        << "loss of the full flow, with the C of the option";
    EXPECT_NEAR(s.gDruckverlust[0] / lossFull, (root - cb223) / (root + cb223) * (root + cb2) / (root - cb2) *
                                                   s.gDifferenzdruck[0] / dpFull, 1e-12);
}

// The correction factor k multiplies the coefficient of every element of this
// family: the flow equation takes q/k, so that a liquid's dp·k² is that of
// k = 1 (to its ε, which differs from 1 by some 1e-11), while C, the one shown
// and checked, keeps the Reynolds number of the real flow; so do the range's
// points, which share the step.
TEST_F(Orifice, CorrectionFactorMultipliesTheCoefficient)
{
    setMedium(RhoWater, EtaWater, 1e9);
    for (const Integer type : {element::RQ8, element::BlendeFlansch, element::BlendeDD2, element::BlendeEcke,
                               element::Venturiduese, element::VenturiGussrauh, element::VenturiBearbeitet,
                               element::VenturiStahlblech}) {
        const bool rq8 = type == element::RQ8;
        setPipe(type, rq8 ? 19 : 100, rq8 ? 5 : 60);
        const double q = rq8 ? 0.05 : 10.0;
        s.gKorrekturFaktor = 1.0;
        runPoint(q);
        const double C1 = s.gDurchflusskoeffizient, dp1 = s.gDifferenzdruck[0], eps1 = s.gExpansionszahl[0];
        const double loss1 = s.gDruckverlust[0];
        for (const double k : {0.9, 1.25}) {
            const std::string shows = "type " + std::to_string(type) + ", k " + std::to_string(k);
            s.gKorrekturFaktor = k;
            runPoint(q);
            EXPECT_EQ(s.gDurchflusskoeffizient, C1) << shows;
            const double eps = s.gExpansionszahl[0];
            EXPECT_NEAR(s.gDifferenzdruck[0] * k * k * eps * eps / (dp1 * eps1 * eps1), 1.0, 1e-13) << shows;
            EXPECT_NEAR(s.gDifferenzdruck[0] * k * k / dp1, 1.0, 1e-9) << shows;
            EXPECT_NEAR(s.gDruckverlust[0] * k * k / loss1, 1.0, 1e-9) << shows;
        }
    }
    EXPECT_TRUE(tracer.responder.reports.empty());
}

// The bore is taken to expand like the pipe: β from the 20 °C diameters, the
// throat Dw·β.
TEST_F(Orifice, WarmPipeScalesTheThroat)
{
    setMedium(RhoWater, EtaWater, 1e9);
    setPipe(element::BlendeFlansch, 100, 50);
    runPoint(10.0);
    const double dpCold = s.gDifferenzdruck[0], cCold = s.gDurchflusskoeffizient;
    s.gInnendurchmesserWarm = 100.121;
    s.gReynolds[0] = 118886.7;
    Getdp(e, s.gMassenstrom[0], s.gReynolds[0], s.gExpansionszahl[0], s.gDifferenzdruck[0], s.gDruckverlust[0]);
    EXPECT_DOUBLE_EQ(s.gBeta, 0.5);
    EXPECT_NEAR(s.gDifferenzdruck[0] / dpCold, std::pow(100.0 / 100.121, 4) * std::pow(cCold / s.gDurchflusskoeffizient, 2),
                1e-12);
}

// Getdp hands types 1 and 9 and above to get_Blende, which writes gBeta but
// none of the probe's display values.
TEST_F(Orifice, LeavesTheProbeDisplayValues)
{
    s.gCSonde = 0.123;
    s.gOeffnungsdurchmesser = 50;
    setPipe(element::BlendeEcke, 100, 50);
    setMedium(RhoWater, EtaWater, 1e9);
    runPoint(10.0);
    EXPECT_EQ(s.gCSonde, 0.123);
    EXPECT_EQ(s.gOeffnungsdurchmesser, 50);
    EXPECT_EQ(s.gBeta, 0.5);
}

// Far beyond the fixed point (dp of the order of κ·p) the loop stops at 1000
// passes: the message box, text 1942 for the run to stop on, and no dp, loss,
// expansion factor or coefficient of the last pass stored.
TEST_F(Orifice, NoConvergenceStoresNothingAndStopsTheRun)
{
    struct Case {
        Integer type;
        double dMm, boreMm, q, pKPa, rho;
        const char* shows;
    };
    const Case cases[] = {
        {element::BlendeFlansch, 100, 30, 1.0, 101.325, 1.2, "orifice, 1 kg/s of air through 30 mm at 1 atm"},
        // Air, 200 kPa, d 50 / D 100 mm, 3400 kg/h: the last pass gave dp
        // 4560 kPa and e -47.26 when it was stored.
        {element::BlendeFlansch, 100, 50, 3400.0 / 3600.0, 200.0, 2.378, "orifice, 3400 kg/h of air at 200 kPa"},
        {element::Venturiduese, 100, 20, 1.0, 101.325, 1.2, "venturi nozzle"},
    };
    for (const Case& c : cases) {
        box.shown.clear();
        s.gFehlerDp.clear();
        s.gKZahl = s.gZeta = -7.0;
        setPipe(c.type, c.dMm, c.boreMm);
        setMedium(c.rho, 0.018, 1.4);
        s.gDruck = c.pKPa;
        s.gDruckverlust[0] = -7.0;
        runPoint(c.q);
        ASSERT_EQ(box.shown.size(), 1u) << c.shows;
        EXPECT_EQ(box.shown[0].text, "keine Konvergenz") << c.shows;
        EXPECT_EQ(box.shown[0].caption, "") << c.shows;
        EXPECT_EQ(s.gFehlerDp, e.text(TextOrificeDpNotConverged)) << c.shows;
        EXPECT_EQ(s.gDifferenzdruck[0], 0.0) << c.shows;
        EXPECT_EQ(s.gExpansionszahl[0], 1.0) << c.shows;
        EXPECT_EQ(s.gDruckverlust[0], -7.0) << c.shows;
        EXPECT_EQ(s.gKZahl, -7.0) << c.shows;
        EXPECT_EQ(s.gZeta, -7.0) << c.shows;
    }
    const OrificeIteration it = orificeDifferentialPressure(1.0, 1.0, 0.6, 0.3, 0.1, 1.2, 1.4, 101325.0);
    EXPECT_FALSE(it.converged);
    EXPECT_EQ(it.passes, 1000);
}

// A design point without convergence ends the step: the range's points are
// not computed, so the box comes once.
TEST_F(Orifice, NoConvergenceAtTheDesignPointComputesNoOtherPoint)
{
    setPipe(element::BlendeFlansch, 100, 30);
    setMedium(1.2, 0.018, 1.4);
    s.gDruck = 101.325;
    s.gEpsilonFaktor = 1.0;
    s.gDurchflussEinheit = flowunit::kgs;
    s.gDurchflussAuslegung = 1.0;
    s.gMehrereBetriebspunkte = 1;
    s.gDurchflussMax = 1.2;
    s.gDurchflussNorm = 0.8;
    s.gDurchflussMin = 0.001;
    s.gDifferenzdruck = {-7.0, -7.0, -7.0, -7.0};
    BerechneDifferenzdruck(e);
    EXPECT_EQ(box.shown.size(), 1u);
    EXPECT_EQ(s.gFehlerDp, e.text(TextOrificeDpNotConverged));
    EXPECT_EQ(s.gDifferenzdruck[PunktMin], -7.0) << "the minimum point, which would converge, is not computed";
}

// Faults that raise a run-time error instead of a NaN or an infinity.
TEST_F(Orifice, FloatingPointFaultsRaiseRuntimeErrors)
{
    struct Case {
        Integer type;
        double dMm, boreMm, q;
        int error;
        const char* shows;
    };
    const Case cases[] = {
        {element::BlendeFlansch, 100, 50, 0.0, err::DivisionByZero, "zero flow: zero Reynolds number"},
        {element::BlendeFlansch, 100, 100, 1.0, err::DivisionByZero, "beta = 1"},
        {element::BlendeFlansch, 100, 0, 1.0, err::DivisionByZero, "no bore"},
    };
    for (const auto& c : cases) {
        TestTracer t;
        t.responder.answers = {ContExit, ContExit, ContExit};
        setPipe(c.type, c.dMm, c.boreMm);
        setMedium(RhoWater, EtaWater, 1e9);
        s.gDifferenzdruck[0] = -7;
        runPoint(c.q);
        ASSERT_FALSE(t.responder.reports.empty()) << c.shows;
        EXPECT_EQ(t.responder.reports[0].number, c.error) << c.shows;
        EXPECT_EQ(t.responder.reports[0].procedure, "get_Blende") << c.shows;
        EXPECT_TRUE(std::isfinite(s.gDifferenzdruck[0])) << c.shows;
    }
}

// A coefficient of 0 or less has no flow equation: the run stops on text
// 1962 instead of dividing by C² (the RQ8 beyond 20 mm, whose k1 stays 0) or
// going on with a coefficient below 0 (a bore of a few micrometres, where k2
// turns negative).
TEST_F(Orifice, CoefficientOfZeroOrLessStopsTheRun)
{
    struct Case {
        double dMm, boreMm, q;
        const char* shows;
    };
    for (const Case c : {Case{30, 5, 0.05, "RQ8 beyond 20 mm: k1 stays 0, so C = 0"},
                         Case{19, 2e-6, 1.0, "RQ8 with a bore of 2 nm: k2 below 0"}}) {
        TestTracer t;
        setPipe(element::RQ8, c.dMm, c.boreMm);
        setMedium(RhoWater, EtaWater, 1e9);
        s.gFehlerDp.clear();
        s.gKZahl = -7.0;
        runPoint(c.q);
        EXPECT_TRUE(t.responder.reports.empty()) << c.shows;
        EXPECT_EQ(s.gFehlerDp, e.text(TextOrificeCNotPositive)) << c.shows;
        EXPECT_EQ(s.gDifferenzdruck[0], 0.0) << c.shows;
        EXPECT_EQ(s.gKZahl, -7.0) << c.shows;
    }
}

TEST_F(Orifice, TracesItsEntryWithTheParameters)
{
    setPipe(element::BlendeFlansch, 100, 50);
    setMedium(RhoWater, EtaWater, 1e9);
    double q = 10, re = 118886.7, eps = 1, dp = 0, dpb = 0;
    get_Blende(e, q, re, eps, dp, dpb);
    const auto& cs = tracer->colCallStack();
    ASSERT_GE(cs.size(), 6u);
    EXPECT_EQ(cs[0].substr(9), "[Module1] Sub get_Blende(q As Double, Re As Double, e As Double, dp As Double, dpb As Double)");
    EXPECT_EQ(cs[1], "\tq:\t10");
    EXPECT_EQ(cs[2], "\tRe:\t118886.7");
    EXPECT_EQ(cs[3], "\te:\t1");
    EXPECT_EQ(cs[4], "\tdp:\t0");
    EXPECT_EQ(cs[5], "\tdpb:\t0");
}

}  // namespace
}  // namespace morvane
