// Properties of the two drivers on random input. 2000 random windows (every element type and medium model, values
// from tiny to huge, negative and zero included) are read through the input
// checks and, when accepted, run through the whole Calculate chain on the
// shipped product databases. No field ever holds a non-finite value, and a run
// that reaches the results has a positive design dp, density and design flow
// and an expansion factor in (0, 1]. Every state that still raises a run-time
// error is listed on the test's output with the error and the procedure.
#include "DriverHarness.h"
#include "engine/DifferentialPressureSolver.h"
#include "mainwindow/InputModel.h"
#include "platform/NumberText.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <map>
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
        return c;
    }

private:
    int pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng_); }
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

TEST(RandomStates, NoWrongNumberReachesTheResults)
{
    testing::TestTracer tracer;
    UserSettings settings;
    settings.gUserName = "Test";
    testing::RecordingMessageBox boxes;
    ProductDatabases databases{std::filesystem::path(MORVANE_PROGRAM_DIR)};
    const char* seedText = std::getenv("MORVANE_RANDOM_SEED");  // to explore other states by hand
    RandomWindow random(seedText != nullptr ? static_cast<std::uint32_t>(std::stoul(seedText)) : 20261210u);

    int refused = 0, complete = 0, stopped = 0;
    std::map<std::string, int> completeBy;  // complete runs by model and by element family
    std::map<std::string, std::pair<int, std::string>> remaining;  // error -> count, first state
    for (int i = 0; i < 2000; ++i) {
        const InputControls controls = random.next();
        ProgramState ps;
        EngineContext e{ps.calc, ps.ui, settings, boxes, databases};
        FakeDriverWindows windows(ps.ui);
        windows.onRead = [&] { ReadOberflaeche(controls, ps); };
        FakeMessagesWindow messages(windows);
        FakeResultsWindow results(windows);
        DriverContext d{e, ps.ui, ps.config, DriverWindows{windows, windows, messages, results}};
        tracer.responder.reports.clear();
        RunCalculate(d);

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
        if (!windows.resultsShown()) {
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
        EXPECT_TRUE(tracer.responder.reports.empty()) << "results after a run-time error; " << shows;
        EXPECT_GT(s.gDifferenzdruck[PunktAuslegung], 0.0) << shows;
        EXPECT_GT(s.gBetriebsdichte, 0.0) << shows;
        EXPECT_GT(s.gDurchflussAuslegung, 0.0) << shows;
        EXPECT_GT(s.gExpansionszahl[PunktAuslegung], 0.0) << shows;
        EXPECT_LE(s.gExpansionszahl[PunktAuslegung], 1.0) << shows;
    }
    std::cout << "random states: " << refused << " refused by the input checks, " << stopped
              << " stopped on a message, " << complete << " complete\n";
    for (const auto& [error, entry] : remaining)
        std::cout << "run-time error " << error << " (" << entry.first << "x), first " << entry.second << "\n";
    // Enough states of each kind for the property to mean something.
    EXPECT_GT(complete, 100);
    EXPECT_GT(refused, 100);
    for (const char* kind : {"water and steam", "gas tables", "ideal gas", "Redlich-Kwong", "liquid", "RQ8", "probes",
                             "orifices and venturis"}) {
        std::cout << "  complete, " << kind << ": " << completeBy[kind] << "\n";
        EXPECT_GE(completeBy[kind], 5) << kind;
    }
}

}  // namespace
}  // namespace morvane

namespace morvane {
namespace {

// The solver on 600 random windows with a known dp (0.1 to 100 000 mbar, either
// mode): no field becomes non-finite, an accepted value is positive, and no
// pass raises a run-time error (any that does is listed with its state).
TEST(RandomStates, SolverAcceptsOnlyPositiveValuesWithoutRunTimeErrors)
{
    testing::TestTracer tracer;
    UserSettings settings;
    settings.gUserName = "Test";
    testing::RecordingMessageBox boxes;
    ProductDatabases databases{std::filesystem::path(MORVANE_PROGRAM_DIR)};
    const char* seedText = std::getenv("MORVANE_RANDOM_SEED");
    RandomWindow random(seedText != nullptr ? static_cast<std::uint32_t>(std::stoul(seedText)) : 7u);
    std::mt19937 rng(11);
    int accepted = 0, runs = 0;
    std::map<std::string, std::pair<int, std::string>> remaining;
    for (int i = 0; i < 600; ++i) {
        InputControls controls = random.next();
        controls.Check4 = 1;
        const bool flow = std::uniform_int_distribution<int>(0, 1)(rng) == 1;
        controls.Option17 = !flow;
        controls.Option18 = flow;
        controls.Text37 = strForm(std::exp(std::uniform_real_distribution<double>(std::log(0.1), std::log(1e5))(rng)));
        ProgramState ps;
        EngineContext e{ps.calc, ps.ui, settings, boxes, databases};
        FakeDriverWindows windows(ps.ui);
        windows.onRead = [&] { ReadOberflaeche(controls, ps, windows.purpose); };
        FakeMessagesWindow messages(windows);
        FakeResultsWindow results(windows);
        DriverContext d{e, ps.ui, ps.config, DriverWindows{windows, windows, messages, results}};
        tracer.responder.reports.clear();
        const SolverOutcome out = RunSolver(d);
        if (ps.ui.gFehlerEingabe.empty())
            ++runs;
        if (out.value)
            ++accepted;
        const std::string shows = "state " + std::to_string(i) + ": " + describe(ps.calc) + ", target " +
                                  std::to_string(ps.calc.gDifferenzdruckSoll) + (flow ? " flow" : " diameter");
        testing::expectAllFinite(ps.calc, shows);
        if (out.value) {
            EXPECT_TRUE(std::isfinite(*out.value) && *out.value > 0.0) << shows;
        }
        EXPECT_TRUE(tracer.responder.reports.empty()) << shows;
        for (const ErrorReport& r : tracer.responder.reports) {
            auto& entry = remaining[std::to_string(r.number) + " in " + r.procedure];
            if (entry.first++ == 0)
                entry.second = shows;
        }
    }
    std::cout << "solver: " << runs << " runs, " << accepted << " accepted\n";
    EXPECT_GT(accepted, 20);
    for (const auto& [error, entry] : remaining)
        std::cout << "run-time error " << error << " (" << entry.first << "x), first " << entry.second << "\n";
}

}  // namespace
}  // namespace morvane
