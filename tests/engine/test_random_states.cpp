// Properties of the two drivers on random input. 5000 random windows (every element type and medium model, values
// from tiny to huge, negative and zero included, and as often states near the
// limits of the physics: water up to 450 °C and 30 MPa, liquids of 0.1 to
// 5000 cP, Redlich-Kwong gases below their critical temperature, orifices and
// venturis up to β 0.97) are read through the input checks and, when accepted,
// run through the whole Calculate chain on the shipped product databases. No
// field ever holds a non-finite value, and whenever the results window opens
// it shows a real element's numbers at every point it shows (see
// expectRealElement), and never those of a Redlich-Kwong gas that is liquid by
// the equation. Every state that still raises a run-time error is listed
// on the test's output with the error and the procedure.
#include "DriverHarness.h"
#include "engine/DifferentialPressureSolver.h"
#include "engine/RedlichKwong.h"
#include "mainwindow/InputModel.h"
#include "platform/NumberText.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <map>
#include <numbers>
#include <optional>
#include <random>
#include <sstream>
#include <string>

namespace morvane {
namespace {

using testing::FakeDriverWindows;
using testing::FakeMessagesWindow;
using testing::FakeResultsWindow;

class RandomWindow {
public:
    explicit RandomWindow(std::uint32_t seed) : rng_(seed) {}

    InputControls next()
    {
        InputControls c;
        const int model = pick(4);
        c.Option1 = model == 0;
        c.Option2 = model == 1;
        c.Option3 = model == 2;
        c.Option4 = model == 3;
        c.Combo1 = static_cast<std::int16_t>(pick(listcount::Combo1));
        c.Text1 = number(0.05, 1500);   // norm density or liquid density
        c.Text2 = number(0.3, 1.5);     // compressibility
        c.Text7 = number(0.005, 50);    // viscosity, cP
        c.Text29 = number(1.0, 1.7);    // isentropic exponent
        c.Text3 = number(-250, 400);    // critical temperature, °C
        c.Text4 = number(500, 25000);   // critical pressure, kPa
        c.Text5 = number(0.05, 5);      // Redlich-Kwong norm density
        c.Text6 = number(0.005, 0.05);  // Redlich-Kwong viscosity
        c.Text30 = number(1.0, 1.7);
        c.Combo2 = static_cast<std::int16_t>(pick(listcount::Combo2));
        c.Text8 = number(10, 5000);  // D, mm
        c.Text10 = c.Combo2 == element::SondeAndererHersteller ? number(0.3, 1.2)
                   : c.Combo2 == element::RQ8                   ? number(1, 15)
                                                                : number(1, 4000);
        c.Text11 = number(5, 100);  // probe width, mm
        c.Text15 = chance(0.9) ? "1" : number(0.5, 1.6);
        c.Option15 = chance(0.5);
        c.Option16 = !c.Option15;
        c.Option5 = true;
        c.Combo3 = c.Combo4 = 0;
        c.Check2 = chance(0.1) ? 1 : 0;
        c.Text22 = number(10, 5000);
        c.Text9 = number(1, 30);
        c.Combo9 = static_cast<std::int16_t>(pick(listcount::Combo9));
        c.Combo10 = static_cast<std::int16_t>(pick(listcount::Combo10));
        c.Combo11 = static_cast<std::int16_t>(pick(listcount::Combo11));
        c.Text16 = number(0.5, 20000);  // pressure in the chosen unit
        c.Text17 = number(-50, 600);    // temperature in the chosen unit
        c.Combo8 = static_cast<std::int16_t>(pick(listcount::Combo8));
        c.Text18 = number(0.001, 1e5);
        c.Check1 = chance(0.3) ? 1 : 0;
        c.Text19 = number(0.001, 1e5);
        c.Text20 = number(0.001, 1e5);
        c.Text21 = number(0.001, 1e5);
        c.Check4 = 0;
        c.Option17 = true;
        c.Combo5 = c.Combo6 = c.Combo7 = c.Combo12 = c.Combo13 = 0;
        nearTheLimits(c);
        return c;
    }

private:
    // Half the states are moved near the limits of the physics, in °C and kPa:
    // water up to 450 °C and 30 MPa, across its critical point; a liquid of 0.1
    // to 5000 cP; a Redlich-Kwong gas up to 150 K below its critical
    // temperature; and, independently, an orifice or venturi of β 0.1 to 0.97.
    void nearTheLimits(InputControls& c)
    {
        const auto model = [&c](int m) {
            c.Option1 = m == 0;
            c.Option2 = m == 1;
            c.Option3 = m == 2;
            c.Option4 = m == 3;
        };
        switch (pick(6)) {
        case 0:
            model(0);
            c.Combo1 = medium::Wasser;
            c.Combo9 = c.Combo11 = 0;
            // Half of them around the critical point.
            c.Text17 = strForm(chance(0.5) ? uniform(0, 450) : uniform(340, 450));
            c.Text16 = strForm(chance(0.5) ? logUniform(50, 30000) : uniform(15000, 30000));
            break;
        case 1:
            model(3);
            c.Text1 = strForm(uniform(500, 1500));
            c.Text7 = strForm(logUniform(0.1, 5000));
            break;
        case 2: {
            model(2);
            const double tc = uniform(-150, 350);
            c.Text3 = strForm(tc);
            c.Text4 = strForm(uniform(2000, 15000));
            c.Combo9 = c.Combo11 = 0;
            c.Text17 = strForm(std::max(tc - uniform(0.5, 150), -270.0));
            c.Text16 = strForm(logUniform(50, 20000));
            break;
        }
        default: break;
        }
        if (chance(0.5)) {
            c.Combo2 = static_cast<std::int16_t>(element::BlendeFlansch + pick(7));
            const double D = logUniform(20, 2000);
            c.Text8 = strForm(D);
            c.Text10 = strForm(uniform(0.1, 0.97) * D);
        }
    }

    int pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng_); }
    double uniform(double lo, double hi) { return std::uniform_real_distribution<double>(lo, hi)(rng_); }
    double logUniform(double lo, double hi) { return std::exp(uniform(std::log(lo), std::log(hi))); }
    bool chance(double p) { return std::uniform_real_distribution<double>(0, 1)(rng_) < p; }
    // Mostly a value of the field's usual range (log-uniform for a positive
    // range), otherwise a wild one: 0, empty, negative, tiny or huge.
    std::string number(double lo, double hi)
    {
        if (chance(0.9)) {
            double v = 0;
            if (lo > 0) {
                v = std::exp(std::uniform_real_distribution<double>(std::log(lo), std::log(hi))(rng_));
            } else {
                v = std::uniform_real_distribution<double>(lo, hi)(rng_);
            }
            return strForm(v);
        }
        switch (pick(6)) {
        case 0: return "0";
        case 1: return "";
        case 2: return strForm(-std::exp(std::uniform_real_distribution<double>(-14, 14)(rng_)));
        case 3: return strForm(std::exp(std::uniform_real_distribution<double>(-14, -4)(rng_)));
        case 4: return strForm(std::exp(std::uniform_real_distribution<double>(10, 21)(rng_)));
        default: return strForm(hi * std::uniform_real_distribution<double>(1, 100)(rng_));
        }
    }
    std::mt19937 rng_;
};

std::string describe(const CalculationState& s)
{
    std::ostringstream o;
    o.precision(9);
    o << "model " << (isTrue(s.gModellGespeicherteDaten) ? "stored" : isTrue(s.gModellIdealesGas) ? "ideal gas"
                      : isTrue(s.gModellRedlichKwong)    ? "Redlich-Kwong"
                                                         : "liquid")
      << ", medium " << s.gMediumNr << ", type " << s.gPrimaerelementtyp << ", p " << s.gDruck << " kPa, t "
      << s.gTemperatur << " °C, D " << s.gInnendurchmesser << (isSet(s.gRohrRechteckig) ? " x " : "")
      << (isSet(s.gRohrRechteckig) ? std::to_string(s.gInnenmassB) : "") << " mm, d " << s.gOeffnungsdurchmesser
      << " mm, width " << s.gSondenbreite << ", K " << s.gKZahlEingabe << ", flow " << s.gDurchflussAuslegung
      << " (unit " << s.gDurchflussEinheit << ")";
    if (isSet(s.gMehrereBetriebspunkte))
        o << ", range " << s.gDurchflussMax << "/" << s.gDurchflussNorm << "/" << s.gDurchflussMin;
    if (isTrue(s.gModellIdealesGas) || isTrue(s.gModellFluessigkeit))
        o << ", rho " << s.gDichteEingabe << ", Z " << s.gKompressibilitaetEingabe << ", eta "
          << s.gViskositaetEingabe << ", kappa " << s.gIsentropenkoeffizientEingabe;
    if (isTrue(s.gModellRedlichKwong))
        o << ", Tc " << s.gKritischeTemperatur << ", pc " << s.gKritischerDruck << ", rhoN " << s.gNormdichteRK
          << ", eta " << s.gViskositaetRK << ", kappa " << s.gIsentropenkoeffizientRK;
    return o.str();
}

bool hasDischargeCoefficient(Integer typ)
{
    return typ == element::RQ8 || (typ >= element::BlendeFlansch && typ <= element::VenturiStahlblech);
}

bool isLiquid(const CalculationState& s)
{
    return isTrue(s.gModellFluessigkeit) || (isTrue(s.gModellGespeicherteDaten) && s.gMediumNr == medium::Wasser);
}

// Water from the medium list below the critical temperature of IAPWS-95
// (647.096 K, with the steam tables' t + 273.14 K), where the water step
// computes the saturation pressure.
bool waterBelowTc(const CalculationState& s)
{
    return isTrue(s.gModellGespeicherteDaten) && s.gMediumNr == medium::Wasser && s.gTemperatur + 273.14 < 647.096;
}

// What a results window shows, at every point it shows (the design point, and
// with the flow range on all four), must be a real element's: a C in (0, 1)
// for orifices and venturis, the shown one and that of each point taken back
// from its mass flow, dp and ε by the flow equation; 0 < loss < dp; 0 < ε ≤ 1;
// a dp below the absolute pressure, and for water below its critical
// temperature through the RQ8, an orifice or a venturi a pressure behind the
// element, p − dp, above the saturation pressure; and no water at or above the
// critical temperature of IAPWS-95 (373.956 °C with the steam tables' 273.14 K)
// below its critical pressure (22 064 kPa).
void expectRealElement(const CalculationState& s, const std::string& shows)
{
    const Integer typ = s.gPrimaerelementtyp;
    if (hasDischargeCoefficient(typ)) {
        EXPECT_GT(s.gDurchflusskoeffizient, 0.0) << shows;
        EXPECT_LT(s.gDurchflusskoeffizient, 1.0) << shows;
    }
    const int last = isSet(s.gMehrereBetriebspunkte) ? PunktMin : PunktAuslegung;
    for (int i = PunktAuslegung; i <= last; ++i) {
        const std::string point = shows + ", point " + std::to_string(i);
        const double dp = s.gDifferenzdruck[i];
        EXPECT_GT(dp, 0.0) << point;
        EXPECT_GT(s.gDruckverlust[i], 0.0) << point;
        EXPECT_LT(s.gDruckverlust[i], dp) << point;
        EXPECT_GT(s.gExpansionszahl[i], 0.0) << point;
        EXPECT_LE(s.gExpansionszahl[i], 1.0) << point;
        // No medium has a dp at or above its absolute pressure: nothing would
        // be left behind the element.
        EXPECT_LT(dp, s.gDruck) << point;
        if (waterBelowTc(s) && hasDischargeCoefficient(typ)) {
            EXPECT_GT(s.gDruck - dp, s.gSattdampfdruck * 1000.0) << point << ": the water boils behind the element";
        }
        if (hasDischargeCoefficient(typ) && dp > 0.0) {
            // dp = 8·(q/k)²·(1 − β⁴)/(C²·ε²·π²·d⁴·ρ), d the warm bore, k the
            // correction factor, dp in Pa.
            const double b4 = std::pow(s.gBeta, 4.0);
            const double d = s.gInnendurchmesserWarm / 1000.0 * s.gBeta;
            const double flow = s.gMassenstrom[i] / s.gKorrekturFaktor;
            const double C = std::sqrt(8.0 * flow * flow * (1.0 - b4) /
                                       (std::pow(s.gExpansionszahl[i] * std::numbers::pi * d * d, 2.0) *
                                        s.gBetriebsdichte * dp * 1000.0));
            EXPECT_GT(C, 0.0) << point;
            EXPECT_LT(C, 1.0 + 1e-5) << point << ": C " << C << " from the flow equation";
        }
    }
    if (isTrue(s.gModellGespeicherteDaten) && s.gMediumNr == medium::Wasser && s.gTemperatur >= 373.956) {
        EXPECT_GE(s.gDruck, 22064.0) << shows;
    }
}

int lastShownPoint(const CalculationState& s) { return isSet(s.gMehrereBetriebspunkte) ? PunktMin : PunktAuslegung; }

// The elements whose loss follows the orifice plates' equation: the RQ8, the
// orifices and the venturi nozzle.
bool hasOrificeLossEquation(Integer typ) { return typ == element::RQ8 || (typ >= element::BlendeFlansch && typ <= element::Venturiduese); }

// The loss belongs to the flow whose dp is shown: loss = dp·(√(1 − β⁴) − C·β²)/
// (√(1 − β⁴) + C·β²) at every point shown, C that of the point (the design
// point's is shown; each other point's follows from its mass flow, dp and ε).
void expectOrificeLossOfTheShownDp(const CalculationState& s, const std::string& shows)
{
    const double b4 = std::pow(s.gBeta, 4.0), b2 = s.gBeta * s.gBeta, root = std::sqrt(1.0 - b4);
    const double d = s.gInnendurchmesserWarm / 1000.0 * s.gBeta;
    for (int i = PunktAuslegung; i <= lastShownPoint(s); ++i) {
        const double dp = s.gDifferenzdruck[i];
        const double flow = s.gMassenstrom[i] / s.gKorrekturFaktor;
        // The program's π of the flow equation, so that C is its own.
        const double C = i == PunktAuslegung ? s.gDurchflusskoeffizient
                                             : std::sqrt(8.0 * flow * flow * (1.0 - b4) /
                                                         (std::pow(s.gExpansionszahl[i] * 3.14159 * d * d, 2.0) *
                                                          s.gBetriebsdichte * dp * 1000.0));
        EXPECT_NEAR(s.gDruckverlust[i] / (dp * (root - C * b2) / (root + C * b2)), 1.0, 1e-9)
            << shows << ", point " << i << ": loss with ε at two thirds of the flow";
        if (i == PunktAuslegung) {
            EXPECT_NEAR(s.gDruckverlust[i], dp * (root - C * b2) / (root + C * b2), 1e-12 * dp)
                << shows << ": loss with ε at two thirds of the flow";
        }
    }
}

// The Calculate run or the solver on a window's controls, as its button runs
// them, on the shipped product databases.
struct WindowRuns {
    WindowRuns() { settings.gUserName = "Test"; }

    struct Outcome {
        std::optional<double> value;  // the solver's accepted value
        bool results = false;         // the results window opened
    };
    Outcome run(const InputControls& controls, ProgramState& ps, bool solver)
    {
        EngineContext e{ps.calc, ps.ui, settings, boxes, databases};
        FakeDriverWindows windows(ps.ui);
        windows.onRead = [&] { ReadOberflaeche(controls, ps, windows.purpose); };
        FakeMessagesWindow messages(windows);
        FakeResultsWindow results(windows);
        DriverContext d{e, ps.ui, ps.config, DriverWindows{windows, windows, messages, results}};
        tracer.responder.reports.clear();
        Outcome out;
        if (solver)
            out.value = RunSolver(d).value;
        else
            RunCalculate(d);
        out.results = windows.resultsShown();
        return out;
    }

    testing::TestTracer tracer;
    UserSettings settings;
    testing::RecordingMessageBox boxes;
    ProductDatabases databases{std::filesystem::path(MORVANE_PROGRAM_DIR)};
};

TEST(RandomStates, NoWrongNumberReachesTheResults)
{
    WindowRuns windowRuns;
    const testing::TestTracer& tracer = windowRuns.tracer;
    const char* seedText = std::getenv("MORVANE_RANDOM_SEED");  // to explore other states by hand
    RandomWindow random(seedText != nullptr ? static_cast<std::uint32_t>(std::stoul(seedText)) : 20261210u);

    int refused = 0, complete = 0, stopped = 0;
    std::map<std::string, int> completeBy;  // complete runs by model and by element family
    std::map<std::string, std::pair<int, std::string>> remaining;  // error -> count, first state
    for (int i = 0; i < 5000; ++i) {
        const InputControls controls = random.next();
        ProgramState ps;
        const bool resultsShown = windowRuns.run(controls, ps, false).results;

        const CalculationState& s = ps.calc;
        const std::string shows = "state " + std::to_string(i) + ": " + describe(s);
        testing::expectAllFinite(s, shows);
        for (const ErrorReport& r : tracer.responder.reports) {
            auto& entry = remaining[std::to_string(r.number) + " in " + r.procedure];
            if (entry.first++ == 0)
                entry.second = shows;
        }
        if (!ps.ui.gFehlerEingabe.empty()) {
            ++refused;
            EXPECT_TRUE(tracer.responder.reports.empty()) << "the input checks raise nothing; " << shows;
            continue;
        }
        if (!resultsShown) {
            ++stopped;
            continue;
        }
        ++complete;
        ++completeBy[isTrue(s.gModellGespeicherteDaten) ? (s.gMediumNr >= medium::UeberhitzterDampf &&
                                                                 s.gMediumNr <= medium::Wasser
                                                             ? "water and steam"
                                                             : "gas tables")
                     : isTrue(s.gModellIdealesGas)    ? "ideal gas"
                     : isTrue(s.gModellRedlichKwong) ? "Redlich-Kwong"
                                                      : "liquid"];
        ++completeBy[s.gPrimaerelementtyp == element::RQ8 ? "RQ8"
                     : isProbe(s.gPrimaerelementtyp)     ? "probes"
                                                         : "orifices and venturis"];
        if (isTrue(s.gModellGespeicherteDaten) && s.gMediumNr == medium::Wasser && s.gTemperatur >= 374.0)
            ++completeBy[s.gDruck >= 22064.0 ? "water above its critical point" : "water at 374 °C below pc"];
        if (isTrue(s.gModellFluessigkeit) && s.gViskositaetEingabe > 1000.0)
            ++completeBy["liquid above 1000 cP"];
        if (isTrue(s.gModellRedlichKwong) && s.gTemperatur < s.gKritischeTemperatur) {
            ++completeBy["Redlich-Kwong below Tc"];
            // No gas density of a medium that is liquid by the equation (its
            // saturation pressure: the engine's, checked against numpy's roots).
            const std::optional<double> psat =
                redlichKwongSaturationPressure(s.gKritischeTemperatur, s.gKritischerDruck, s.gTemperatur);
            EXPECT_FALSE(psat && s.gDruck > *psat) << shows << ": liquid by the Redlich-Kwong equation";
        }
        if (s.gPrimaerelementtyp >= element::BlendeFlansch && s.gBeta > 0.75)
            ++completeBy["orifices and venturis above β 0.75"];
        EXPECT_TRUE(tracer.responder.reports.empty()) << "results after a run-time error; " << shows;
        EXPECT_GT(s.gBetriebsdichte, 0.0) << shows;
        EXPECT_GT(s.gDurchflussAuslegung, 0.0) << shows;
        expectRealElement(s, shows);
        if (s.gEpsilonFaktor != 1.0 && hasOrificeLossEquation(s.gPrimaerelementtyp)) {
            ++completeBy["ε at two thirds of the flow"];
            expectOrificeLossOfTheShownDp(s, shows);
        }
        if (isLiquid(s) && s.gKorrekturFaktor != 1.0) {
            // The same window with the factor 1: the factor divides the flow
            // term of every element, so that a liquid's dp·k² stays, to its
            // ε: a κ of 1e9 keeps that below 1 by up to some 1e-9 (a probe
            // that fills most of the pipe), and a dp that changes by k² moves
            // it. dp·ε² follows the flow equation alone.
            InputControls withOne = controls;
            withOne.Text15 = "1";
            ProgramState one;
            if (windowRuns.run(withOne, one, false).results) {
                ++completeBy["liquid with a correction factor"];
                const double k = s.gKorrekturFaktor;
                for (int i = PunktAuslegung; i <= lastShownPoint(s); ++i) {
                    const double e = s.gExpansionszahl[i], e1 = one.calc.gExpansionszahl[i];
                    const double ratio = s.gDifferenzdruck[i] * k * k / one.calc.gDifferenzdruck[i];
                    EXPECT_NEAR(ratio * e * e / (e1 * e1), 1.0, 1e-12) << shows << ", point " << i << ", k " << k;
                    EXPECT_NEAR(ratio, 1.0, 1e-12 + 2.0 * std::fabs(e - e1)) << shows << ", point " << i << ", k " << k;
                    EXPECT_LT(std::fabs(e - e1), 1e-8) << shows << ", point " << i;
                }
            }
        }
    }
    std::cout << "random states: " << refused << " refused by the input checks, " << stopped
              << " stopped on a message, " << complete << " complete\n";
    for (const auto& [error, entry] : remaining)
        std::cout << "run-time error " << error << " (" << entry.first << "x), first " << entry.second << "\n";
    // Enough states of each kind for the property to mean something.
    EXPECT_GT(complete, 100);
    EXPECT_GT(refused, 100);
    for (const char* kind : {"water and steam", "gas tables", "ideal gas", "Redlich-Kwong", "liquid", "RQ8", "probes",
                             "orifices and venturis", "water above its critical point", "liquid above 1000 cP",
                             "Redlich-Kwong below Tc", "orifices and venturis above β 0.75",
                             "ε at two thirds of the flow", "liquid with a correction factor"}) {
        std::cout << "  complete, " << kind << ": " << completeBy[kind] << "\n";
        EXPECT_GE(completeBy[kind], 5) << kind;
    }
    EXPECT_EQ(completeBy["water at 374 °C below pc"], 0);
}

}  // namespace
}  // namespace morvane

namespace morvane {
namespace {

// The solver on 4000 random windows with a known dp (0.1 to 100 000 mbar) in
// each of its modes (the bore of the RQ8, orifices and venturis, the pipe of a
// probe, the flow): no field becomes non-finite, and no pass raises a run-time
// error (any that does is listed with its state). A known dp that the diameter
// modes must refuse (at or above the absolute pressure, or above 0.35 of it
// for a compressible medium), or a liquid's in flow mode (at or above the
// pressure, for water through the RQ8, an orifice or a venturi at or above
// the pressure less the saturation pressure), is never accepted. An accepted
// value is positive, its design point is a real element's (C below 1, a loss
// above 0), and written into its box it gives a Calc! whose results, if
// shown, are a real element's at every point.
TEST(RandomStates, SolverAcceptsOnlyRealElements)
{
    WindowRuns windowRuns;
    const testing::TestTracer& tracer = windowRuns.tracer;
    const char* seedText = std::getenv("MORVANE_RANDOM_SEED");
    RandomWindow random(seedText != nullptr ? static_cast<std::uint32_t>(std::stoul(seedText)) : 7u);
    std::mt19937 rng(11);
    int runs = 0;
    std::map<std::string, int> acceptedBy, calculatedBy;  // by mode
    std::map<std::string, std::pair<int, std::string>> remaining;
    for (int i = 0; i < 4000; ++i) {
        InputControls controls = random.next();
        controls.Check4 = 1;
        const bool flow = std::uniform_int_distribution<int>(0, 1)(rng) == 1;
        controls.Option17 = !flow;
        controls.Option18 = flow;
        controls.Text37 = strForm(std::exp(std::uniform_real_distribution<double>(std::log(0.1), std::log(1e5))(rng)));
        ProgramState ps;
        const std::optional<double> value = windowRuns.run(controls, ps, true).value;
        const CalculationState& s = ps.calc;
        const Integer typ = s.gPrimaerelementtyp;
        const std::string mode = flow ? "flow" : typ == element::RQ8 || typ >= element::BlendeFlansch ? "bore" : "pipe";
        if (ps.ui.gFehlerEingabe.empty())
            ++runs;
        const std::string shows = "state " + std::to_string(i) + ": " + describe(s) + ", target " +
                                  std::to_string(s.gDifferenzdruckSoll) + " " + mode;
        testing::expectAllFinite(s, shows);
        EXPECT_TRUE(tracer.responder.reports.empty()) << shows;
        for (const ErrorReport& r : tracer.responder.reports) {
            auto& entry = remaining[std::to_string(r.number) + " in " + r.procedure];
            if (entry.first++ == 0)
                entry.second = shows;
        }
        if (!value)
            continue;
        ++acceptedBy[mode];
        EXPECT_TRUE(std::isfinite(*value) && *value > 0.0) << shows;
        if (!flow || isLiquid(s)) {
            EXPECT_LT(s.gDifferenzdruckSoll, s.gDruck) << shows << ": a known dp to refuse";
        }
        if (!flow && !isLiquid(s)) {
            EXPECT_LE(s.gDifferenzdruckSoll, 0.35 * s.gDruck) << shows << ": a known dp to refuse";
        }
        if (waterBelowTc(s) && hasDischargeCoefficient(typ)) {
            EXPECT_LT(s.gDifferenzdruckSoll, s.gDruck - s.gSattdampfdruck * 1000.0)
                << shows << ": a known dp at which the water boils behind the element";
        }
        if (hasDischargeCoefficient(typ)) {
            EXPECT_LT(s.gDurchflusskoeffizient, 1.0) << shows;
        }
        EXPECT_GT(s.gDruckverlust[PunktAuslegung], 0.0) << shows;

        // The accepted value in its box, as the solver writes it, and Calc!.
        (flow ? controls.Text18 : mode == "bore" ? controls.Text10 : controls.Text8) = strForm(*value);
        ProgramState calc;
        if (!windowRuns.run(controls, calc, false).results)
            continue;
        ++calculatedBy[mode];
        EXPECT_TRUE(tracer.responder.reports.empty()) << shows;
        expectRealElement(calc.calc, "Calc! after " + shows);
    }
    std::cout << "solver: " << runs << " runs\n";
    for (const char* mode : {"bore", "pipe", "flow"}) {
        std::cout << "  " << mode << ": " << acceptedBy[mode] << " accepted, " << calculatedBy[mode]
                  << " calculated after\n";
        EXPECT_GE(acceptedBy[mode], 10) << mode;
        EXPECT_GE(calculatedBy[mode], 5) << mode;
    }
    for (const auto& [error, entry] : remaining)
        std::cout << "run-time error " << error << " (" << entry.first << "x), first " << entry.second << "\n";
}

}  // namespace
}  // namespace morvane
