// The Calculate run over the real engine steps, headless: the windows around it
// are fakes that record what the run asked of them. Step order in the trace,
// the stop rules of the message texts, the probe-range warning that lets the
// run go on, which element types run the probe steps, the options window for an
// empty user name, and the flow limits of an orifice after a probe.
#include "DriverHarness.h"
#include "SteamStepFixture.h"
#include "engine/DifferentialPressureSolver.h"
#include "engine/FlowLimits.h"
#include "engine/ResultChecks.h"
#include "engine/VibrationCheck.h"

#include <gtest/gtest.h>

#include "platform/RuntimeError.h"
#include "tracing/Guard.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <optional>
#include <string>
#include <vector>

namespace morvane {
namespace {

using testing::DriverHarness;
using testing::execSql;

// The coefficient table of the RQ25 in the test's product database: ζ 2.0 at
// 100 mm, 3.0 at 300 mm.
void writeRQ25Table(DriverHarness& h)
{
    execSql(h.mainDatabase(), "CREATE TABLE \"RQ25\" (NumStuetz INTEGER, Durchmesser REAL, Zeta REAL);"
                              "INSERT INTO \"RQ25\" VALUES (2, 100, 2.0);"
                              "INSERT INTO \"RQ25\" VALUES (NULL, 300, 3.0);");
}

// Water at 20 °C and 500 kPa, 10 kg/s through a pipe of 100 mm (wall 5 mm) with
// a bore of 50 mm where the element has one.
void water(CalculationState& s, Integer typ)
{
    s.gModellGespeicherteDaten = True;
    s.gMediumNr = medium::Wasser;
    s.gTemperatur = 20.0;
    s.gDruck = 500.0;
    s.gPrimaerelementtyp = typ;
    s.gInnendurchmesser = 100.0;
    s.gWandstaerke = 5.0;
    s.gOeffnungsdurchmesser = 50.0;
    s.gDurchflussEinheit = flowunit::kgs;
    s.gDurchflussAuslegung = 10.0;
    s.gKorrekturFaktor = 1.0;
    s.gEpsilonFaktor = 1.0;
}

// Water at 150 °C and 600 kPa, `kgs` kg/s through element `typ` (saturation
// pressure 476.04 kPa).
void hotWater(CalculationState& s, Integer typ, double kgs)
{
    water(s, typ);
    s.gTemperatur = 150.0;
    s.gDruck = 600.0;
    s.gDurchflussAuslegung = kgs;
}

// An ideal gas (1.293 kg/Nm³, κ 1.4) at 20 °C and 500 kPa, 1 kg/s through an
// RQ25 in a pipe of 200 mm with a 5 mm wall.
void gasProbe(CalculationState& s)
{
    s.gModellIdealesGas = True;
    s.gDichteEingabe = 1.293;
    s.gKompressibilitaetEingabe = 1.0;
    s.gViskositaetEingabe = 0.0181;
    s.gIsentropenkoeffizientEingabe = 1.4;
    s.gTemperatur = 20.0;
    s.gDruck = 500.0;
    s.gPrimaerelementtyp = element::RQ25;
    s.gInnendurchmesser = 200.0;
    s.gWandstaerke = 5.0;
    s.gDurchflussEinheit = flowunit::kgs;
    s.gDurchflussAuslegung = 1.0;
    s.gKorrekturFaktor = 1.0;
    s.gEpsilonFaktor = 1.0;
}

// A liquid of 900 kg/m³ and 1000 cP at 1000 kPa, 5 kg/s through an orifice of
// 50 mm in a pipe of 100 mm: Re 64 and C 1.32 at this flow.
void viscousLiquid(CalculationState& s)
{
    water(s, element::BlendeFlansch);
    s.gModellGespeicherteDaten = False;
    s.gModellFluessigkeit = True;
    s.gDichteEingabe = 900.0;
    s.gViskositaetEingabe = 1000.0;
    s.gDruck = 1000.0;
    s.gDurchflussAuslegung = 5.0;
}

// Air as an ideal gas at 500 kPa, 1 kg/s through the water's orifice.
void airOrifice(CalculationState& s)
{
    gasProbe(s);
    s.gPrimaerelementtyp = element::BlendeFlansch;
    s.gInnendurchmesser = 100.0;
    s.gOeffnungsdurchmesser = 50.0;
}

void flowRange(CalculationState& s, double max, double norm, double min)
{
    s.gMehrereBetriebspunkte = 1;
    s.gDurchflussMax = max;
    s.gDurchflussNorm = norm;
    s.gDurchflussMin = min;
}

// The driver's own steps, oldest first, among the procedures entered.
std::vector<std::string> driverSteps(const std::vector<std::string>& entered)
{
    static const std::vector<std::string> steps{
        "Command1_Click",      "BerechneDichte",         "BerechneInnendurchmesser", "BerechneZeta",
        "BerechneIsentropenkoeffizient", "BerechneViskositaet", "BerechneDifferenzdruck", "frequencycheck",
        "Gegenlager",          "BerechneLimits"};
    std::vector<std::string> out;
    for (const auto& p : entered)
        if (std::find(steps.begin(), steps.end(), p) != steps.end())
            out.push_back(p);
    return out;
}

// Every procedure entry of the trace whose declaration has parameters is
// followed, right below it, by one line per parameter in declaration order.
void expectParameterLines(const std::vector<std::string>& trace, const std::string& shows)
{
    int withParameters = 0;
    for (std::size_t i = 0; i < trace.size(); ++i) {
        const std::string& entry = trace[i];
        if (entry.empty() || entry[0] == '\t')
            continue;
        const auto open = entry.find('(');
        const auto close = entry.rfind(')');
        if (open == std::string::npos || close == open + 1)
            continue;
        ++withParameters;
        std::vector<std::string> names;
        std::string list = entry.substr(open + 1, close - open - 1);
        for (std::size_t pos = 0; pos != std::string::npos;) {
            const auto comma = list.find(", ", pos);
            std::string param = list.substr(pos, comma == std::string::npos ? std::string::npos : comma - pos);
            if (param.rfind("ByVal ", 0) == 0)
                param = param.substr(6);
            names.push_back(param.substr(0, param.find(" As ")));
            pos = comma == std::string::npos ? comma : comma + 2;
        }
        for (std::size_t k = 0; k < names.size(); ++k) {
            ASSERT_LT(i + 1 + k, trace.size()) << shows << ": " << entry;
            EXPECT_EQ(trace[i + 1 + k].rfind("\t" + names[k] + ":\t", 0), 0u)
                << shows << ": parameter " << k + 1 << " of " << entry;
        }
    }
    EXPECT_GT(withParameters, 0) << shows << ": the run enters at least one procedure with parameters";
}

TEST(CalculateDriver, TraceNamesTheStepsInTheDriversOrder)
{
    {
        DriverHarness h;
        writeRQ25Table(h);
        gasProbe(h.s);
        RunCalculate(h.d);
        ASSERT_TRUE(h.windows.resultsShown());
        EXPECT_EQ(h.trace().front(), "[Module1] Sub BerechneLimits()") << "the newest entry is the last step";
        EXPECT_EQ(driverSteps(h.proceduresEntered()),
                  (std::vector<std::string>{"Command1_Click", "BerechneDichte", "BerechneInnendurchmesser",
                                            "BerechneZeta", "BerechneIsentropenkoeffizient", "BerechneViskositaet",
                                            "BerechneDifferenzdruck", "frequencycheck", "Gegenlager",
                                            "BerechneLimits"}));
        EXPECT_EQ(h.trace().back(), "[frmMain] Private Sub Command1_Click()");
        expectParameterLines(h.trace(), "RQ25");
    }
    {
        DriverHarness h;
        water(h.s, element::BlendeFlansch);
        RunCalculate(h.d);
        ASSERT_TRUE(h.windows.resultsShown());
        EXPECT_EQ(h.trace().front(), "[Module1] Sub BerechneLimits()");
        EXPECT_EQ(driverSteps(h.proceduresEntered()),
                  (std::vector<std::string>{"Command1_Click", "BerechneDichte", "BerechneInnendurchmesser",
                                            "BerechneIsentropenkoeffizient", "BerechneViskositaet",
                                            "BerechneDifferenzdruck", "BerechneLimits"}));
        expectParameterLines(h.trace(), "orifice");
    }
}

// Which message stops the run, what the messages window shows, and whether the
// results window opens.
TEST(CalculateDriver, StopRules)
{
    struct Case {
        const char* shows;
        void (*prepare)(DriverHarness&);
        std::vector<std::string> messages;
        bool results;
        const char* lastStep;  // the last of the driver's steps entered
    };
    const Case cases[] = {
        {"an input message stops before any step",
         [](DriverHarness& h) {
             water(h.s, element::BlendeFlansch);
             h.windows.inputMessage = "Bitte geben Sie den Durchfluss ein";
         },
         {"Bitte geben Sie den Durchfluss ein"}, false, "Command1_Click"},
        {"a density message stops (medium 0: text 1214)",
         [](DriverHarness& h) {
             water(h.s, element::BlendeFlansch);
             h.s.gMediumNr = medium::Keins;
         },
         {"Bitte definieren Sie das Medium"}, false, "BerechneDichte"},
        {"an isentropic-exponent message stops (κ 0 entered: text 1232)",
         [](DriverHarness& h) {
             writeRQ25Table(h);
             gasProbe(h.s);
             h.s.gIsentropenkoeffizientEingabe = 0.0;
         },
         {resText(1232, 0)}, false, "BerechneIsentropenkoeffizient"},
        {"a flow message stops (no flow unit: text 1211)",
         [](DriverHarness& h) {
             writeRQ25Table(h);
             gasProbe(h.s);
             h.s.gDurchflussEinheit = flowunit::Keine;
         },
         {resText(1211, 0)}, false, "BerechneDifferenzdruck"},
        {"the probe-range warning is shown with its suffix and the run goes on to the results",
         [](DriverHarness& h) {
             writeRQ25Table(h);
             gasProbe(h.s);
             h.s.gInnendurchmesser = 400.0;  // above the table's 300 mm
         },
         {resText(1227, 0) + ". Es ist mit Berechnungsfehlern zu rechnen"}, true, "BerechneLimits"},
        {"a run without any message shows no messages window",
         [](DriverHarness& h) { water(h.s, element::BlendeEcke); }, {}, true, "BerechneLimits"},
    };
    for (const Case& c : cases) {
        DriverHarness h;
        h.s.gFehlerZeta = "from the last run";
        h.s.gFehlerDp = "from the last run";
        h.s.gFrequenzverhaeltnis = 3.0;
        c.prepare(h);
        RunCalculate(h.d);
        EXPECT_EQ(h.windows.shownMessages(), c.messages) << c.shows;
        EXPECT_EQ(h.windows.resultsShown(), c.results) << c.shows;
        EXPECT_EQ(driverSteps(h.proceduresEntered()).back(), c.lastStep) << c.shows;
        if (!c.messages.empty()) {
            EXPECT_EQ(h.ui.gFehlertext, c.messages.back()) << c.shows;
        }
        const std::string last = c.lastStep;
        if (last == "Command1_Click" || last == "BerechneDichte") {
            EXPECT_EQ(h.s.gFrequenzverhaeltnis, 3.0) << c.shows << ": a run stopped this early changes no result";
        }
        EXPECT_TRUE(h.tracer.responder.reports.empty()) << c.shows;
    }
}

// The results of the dp step: numbers no real element can have stop the run at
// any point the results would show, with the message in gFehlerDp; a gas dp
// beyond 0.35 of the pressure is a warning beside the results, shown beneath
// a probe-range warning of the same run. The numbers in the messages are the
// program's own (the reproducers of tests/engine/cases check them by hand).
TEST(CalculateDriver, ResultsOfNoRealElement)
{
    struct Case {
        const char* shows;
        void (*prepare)(DriverHarness&);
        std::vector<std::string> messages;
        bool results;
    };
    const Case cases[] = {
        {"a liquid dp at the line pressure at the maximum flow alone stops, naming that dp",
         [](DriverHarness& h) {
             water(h.s, element::BlendeFlansch);
             flowRange(h.s, 40.0, 10.0, 2.0);
         },
         {testing::textWithNumbers(TextFluessigkeitDpAbDruck, "534.45", "500")}, false},
        {"so does a probe's, whatever the element type",
         [](DriverHarness& h) {
             writeRQ25Table(h);
             gasProbe(h.s);
             h.s.gModellIdealesGas = False;
             h.s.gModellGespeicherteDaten = True;
             h.s.gMediumNr = medium::Wasser;
             h.s.gDurchflussAuslegung = 1000.0;
         },
         {testing::textWithNumbers(TextFluessigkeitDpAbDruck, "1268.56", "500")}, false},
        {"water at 150 °C and 600 kPa boiling behind the orifice at the maximum flow alone stops, naming p − dp "
         "and the saturation pressure; the maximum of 25 kg/s is the 90 t/h of the engine case of water boiling behind "
         "the orifice",
         [](DriverHarness& h) {
             hotWater(h.s, element::BlendeFlansch, 10.0);
             flowRange(h.s, 25.0, 15.0, 5.0);
         },
         {testing::textWithNumbers(TextWasserVerdampft, "373.73", "476.04")}, false},
        {"a dp at the line pressure keeps its own message, checked first",
         [](DriverHarness& h) { hotWater(h.s, element::BlendeFlansch, 45.0); },
         {testing::textWithNumbers(TextFluessigkeitDpAbDruck, "733.4", "600")}, false},
        {"the RQ8 is checked as the orifices are",
         [](DriverHarness& h) {
             hotWater(h.s, element::RQ8, 0.25);
             h.s.gOeffnungsdurchmesser = 4.0;
         },
         {testing::textWithNumbers(TextWasserVerdampft, "73.39", "476.04")}, false},
        {"a probe is not: its low side lies above p − dp",
         [](DriverHarness& h) {
             writeRQ25Table(h);
             hotWater(h.s, element::RQ25, 480.0);
             h.s.gInnendurchmesser = 200.0;
         },
         {}, true},
        {"nor the liquid model, nor water above its critical temperature, whose saturation field, left from "
         "before, is not read",
         [](DriverHarness& h) {
             hotWater(h.s, element::BlendeFlansch, 30.0);
             h.s.gTemperatur = 380.0;
             h.s.gDruck = 25000.0;
             h.s.gSattdampfdruck = 99.0;
         },
         {}, true},
        {"the liquid model at the same state",
         [](DriverHarness& h) {
             hotWater(h.s, element::BlendeFlansch, 25.0);
             h.s.gModellGespeicherteDaten = False;
             h.s.gModellFluessigkeit = True;
             h.s.gDichteEingabe = 917.0;
             h.s.gViskositaetEingabe = 0.18;
         },
         {}, true},
        {"a liquid dp between 0.35 and 1 times the pressure needs no word",
         [](DriverHarness& h) {
             water(h.s, element::BlendeFlansch);
             h.s.gDurchflussAuslegung = 30.0;
         },
         {}, true},
        {"a coefficient of 1 or more at the minimum flow alone stops, naming that C",
         [](DriverHarness& h) {
             viscousLiquid(h.s);
             h.s.gDurchflussAuslegung = 30.0;  // Re 382, C 0.79
             flowRange(h.s, 40.0, 30.0, 0.5);
         },
         {testing::textWithNumbers(TextCNichtUnterEins, "4.6479")}, false},
        {"a gas dp at or above the line pressure stops too: κ 1.66 keeps the orifice's ε above 2/3 up to dp/p 1.35",
         [](DriverHarness& h) {
             airOrifice(h.s);
             h.s.gIsentropenkoeffizientEingabe = 1.66;
             h.s.gDurchflussAuslegung = 2.22;  // dp 521.96 kPa, ε 0.728
         },
         {testing::textWithNumbers(TextGasDpAbDruck, "521.96", "500")}, false},
        {"a gas dp beyond 0.35 of the pressure at the maximum flow alone warns; the results are shown",
         [](DriverHarness& h) {
             airOrifice(h.s);
             flowRange(h.s, 2.0, 1.0, 0.5);
         },
         {testing::textWithNumbers(TextDpUeberExpansionsbereich, "389.29", "500") +
          ". Es ist mit Berechnungsfehlern zu rechnen"},
         true},
        {"the probe-range warning and the dp warning, both in the window",
         [](DriverHarness& h) {
             writeRQ25Table(h);
             gasProbe(h.s);
             h.s.gInnendurchmesser = 400.0;
             h.s.gDurchflussAuslegung = 90.0;
         },
         {resText(1227, 0) + ". Es ist mit Berechnungsfehlern zu rechnen",
          resText(1227, 0) + ". Es ist mit Berechnungsfehlern zu rechnen\n" +
              testing::textWithNumbers(TextDpUeberExpansionsbereich, "191.67", "500") +
              ". Es ist mit Berechnungsfehlern zu rechnen"},
         true},
    };
    for (const Case& c : cases) {
        DriverHarness h;
        c.prepare(h);
        RunCalculate(h.d);
        EXPECT_EQ(h.windows.shownMessages(), c.messages) << c.shows;
        EXPECT_EQ(h.windows.resultsShown(), c.results) << c.shows;
        EXPECT_EQ(h.s.gFehlerDp, c.results ? "" : c.messages.back()) << c.shows;
        EXPECT_TRUE(h.tracer.responder.reports.empty()) << c.shows;
    }
}

// Water stops the run where the pressure behind the orifice, p − dp, is not
// above the saturation pressure of IAPWS-95 at t + 273.14 K (python3-iapws
// 1.5.2, tests/engine/data/saturated_steam.tsv) from 10 to 370 °C: the line
// pressure is set so that p − dp lies 5e-5 of it below or above (the
// saturation pressure at t + 273.15 K lies 1.2e-4 to 6.7e-4 higher).
TEST(CalculateDriver, WaterStopsWhereItBoilsBehindTheOrifice)
{
    const auto rows = testing::readOracleTable("saturated_steam.tsv");
    ASSERT_GE(rows.size(), 8u);
    for (const auto& r : rows) {
        const double t = r[0], psat = r[1];
        for (const double f : {-5e-5, 5e-5}) {
            const std::string shows = std::to_string(t) + " °C, p − dp at " + std::to_string(1.0 + f) + " psat";
            DriverHarness h;
            water(h.s, element::BlendeFlansch);
            h.s.gTemperatur = t;
            const double behind = psat * (1.0 + f);
            double dp = 30.0;
            for (int i = 0; i < 8; ++i) {  // dp depends little on the pressure
                h.s.gDruck = behind + dp;
                RunCalculate(h.d);
                dp = h.s.gDifferenzdruck[PunktAuslegung];
            }
            ASSERT_NEAR(h.s.gDruck - dp, behind, behind * 1e-7) << shows;
            EXPECT_EQ(h.windows.resultsShown(), f > 0) << shows;
            EXPECT_EQ(h.s.gFehlerDp.empty(), f > 0) << shows;
            if (f < 0) {
                EXPECT_EQ(h.s.gFehlerDp.rfind(resText(TextWasserVerdampft, 0).substr(0, 40), 0), 0u) << shows;
            }
            EXPECT_TRUE(h.tracer.responder.reports.empty()) << shows;
        }
    }
}

// A step that raises division by zero the first `failures` times it runs, inside
// its own guard as every procedure does, and then runs the real step `real`;
// it goes on as the error dialog's answer says.
struct FailingStep {
    static inline int failures = 0;
    static inline StepFunction real = nullptr;
    static void run(EngineContext& e)
    {
        Guard g("Module1", "FailingStep", "Sub FailingStep()");
        if (!g.step([&] {
                if (failures > 0) {
                    --failures;
                    raiseError(err::DivisionByZero);
                }
            }))
            return;
        real(e);
    }
};

// Whatever the answer to the error dialog, a run in which a step was left
// through a run-time error stops after that step and opens no results window:
// the messages window says that the calculation did not complete, and no second
// error dialog follows. Repeat that succeeds leaves no step.
TEST(CalculateDriver, ARunThatLostAStepToARunTimeErrorShowsNoResults)
{
    struct Case {
        const char* shows;
        std::optional<std::int16_t> answer;
        bool inDensity;
        bool results;
    };
    const Case cases[] = {
        {"Exit Procedure in the viscosity step", ContExit, false, false},
        {"Next in the viscosity step", ContNext, false, false},
        {"Exit Procedure in the density step", ContExit, true, false},
        {"Repeat, which then succeeds", ContRepeat, false, true},
    };
    for (const Case& c : cases) {
        DriverHarness h;
        water(h.s, element::BlendeFlansch);
        StepFunction& replaced = c.inDensity ? h.d.steps.BerechneDichte : h.d.steps.BerechneViskositaet;
        FailingStep::real = replaced;
        replaced = &FailingStep::run;
        FailingStep::failures = 1;
        h.tracer.responder.answers.push_back(c.answer);
        RunCalculate(h.d);
        EXPECT_EQ(h.tracer.responder.reports.size(), 1u) << c.shows;
        EXPECT_EQ(h.windows.resultsShown(), c.results) << c.shows;
        const std::vector<std::string> expected =
            c.results ? std::vector<std::string>{} : std::vector<std::string>{resText(TextBerechnungUnvollstaendig, 0)};
        EXPECT_EQ(h.windows.shownMessages(), expected) << c.shows;
    }
}

// A wall thickness near the top of the double range makes the probe length
// overflow: the overflow error in the vibration check, and whatever the answer
// the run stops there, with no results and no later step.
TEST(CalculateDriver, AnOverflowStopsTheRun)
{
    for (const std::int16_t answer : {ContNext, ContExit}) {
        DriverHarness h;
        writeRQ25Table(h);
        gasProbe(h.s);
        h.s.gWandstaerke = 1.7e308;
        // Next goes on inside the step, whose next statement may fail in turn
        // (the frequency from the length that was not written).
        h.tracer.responder.answers.assign(4, answer);
        RunCalculate(h.d);
        ASSERT_FALSE(h.tracer.responder.reports.empty()) << answer;
        EXPECT_EQ(h.tracer.responder.reports[0].number, err::Overflow);
        for (const ErrorReport& r : h.tracer.responder.reports)
            EXPECT_EQ(r.procedure, "frequencycheck") << answer;
        EXPECT_FALSE(h.windows.resultsShown()) << answer;
        EXPECT_EQ(h.windows.shownMessages(), std::vector<std::string>{resText(TextBerechnungUnvollstaendig, 0)});
        const auto entered = driverSteps(h.proceduresEntered());
        EXPECT_EQ(entered.back(), "frequencycheck") << answer;
        testing::expectAllFinite(h.s, "overflowing wall thickness");
    }
}

// A product-database fault answered with Exit Procedure (a dropped table, an
// empty cell, a missing file) leaves the density of the previous run in the
// state: the run stops there, with one error dialog, and shows no results
// computed from it.
TEST(CalculateDriver, ADatabaseFaultShowsNoResultsOfThePreviousRun)
{
    struct Case {
        const char* shows;
        std::function<void(DriverHarness&)> spoil;
    };
    const Case cases[] = {
        {"a dropped gas table", [](DriverHarness& h) { execSql(h.mainDatabase(), "DROP TABLE \"1GasTab\""); }},
        {"an empty cell", [](DriverHarness& h) {
             std::filesystem::remove(h.mainDatabase());
             testing::GasTableFixture tables;
             tables.gasdaten[4] = std::nullopt;
             testing::writeGasTables(h.mainDatabase(), tables);
         }},
        {"a missing file", [](DriverHarness& h) { std::filesystem::remove(h.mainDatabase()); }},
    };
    for (const Case& c : cases) {
        DriverHarness h;
        testing::writeGasTables(h.mainDatabase(), {});
        water(h.s, element::BlendeFlansch);
        h.s.gMediumNr = medium::Luft;
        h.s.gDruck = 1000.0;
        h.s.gDurchflussAuslegung = 0.1;
        RunCalculate(h.d);
        ASSERT_TRUE(h.windows.resultsShown()) << c.shows << ": the first run is complete";
        h.windows.events.clear();

        c.spoil(h);
        h.tracer.responder.answers = {ContExit};
        RunCalculate(h.d);
        EXPECT_EQ(h.tracer.responder.reports.size(), 1u) << c.shows;
        EXPECT_FALSE(h.windows.resultsShown()) << c.shows;
        EXPECT_EQ(h.windows.shownMessages(), std::vector<std::string>{resText(TextBerechnungUnvollstaendig, 0)})
            << c.shows;
        EXPECT_EQ(driverSteps(h.proceduresEntered()).back(), "BerechneDichte") << c.shows;
    }
}

// Types 1 and 9 to 15 run neither the probe coefficient nor the vibration
// check, type 8 runs the probe coefficient only, types 2 to 7 both; type 1 is
// computed in a round pipe of 19 mm whatever was entered.
TEST(CalculateDriver, ProbeStepsOnlyForTheProbeTypes)
{
    for (Integer typ = element::RQ8; typ <= element::VenturiStahlblech; ++typ) {
        DriverHarness h;
        const bool probe = typ >= element::RQ10 && typ <= element::SondeAndererHersteller;
        if (probe) {
            gasProbe(h.s);
            h.s.gPrimaerelementtyp = typ;
            // Every maker's table the same: ζ 2 to 3 over 100 to 300 mm.
            for (const char* table : {"RQ10M", "RQ25", "RQ25HDD", "RQ32", "RQ44", "RQ50"})
                execSql(h.mainDatabase(), std::string("CREATE TABLE \"") + table +
                                              "\" (NumStuetz INTEGER, Durchmesser REAL, Zeta REAL);"
                                              "INSERT INTO \"" + table + "\" VALUES (2, 10, 2.0);"
                                              "INSERT INTO \"" + table + "\" VALUES (NULL, 3000, 3.0);");
            h.s.gKZahlEingabe = 0.6;
            h.s.gSondenbreite = 21.0;
        } else {
            water(h.s, typ);
            h.s.gOeffnungsdurchmesser = typ == element::RQ8 ? 8.0 : 60.0;
            // 10 kg/s through the RQ8's 8 mm would need a dp far above the line
            // pressure.
            h.s.gDurchflussAuslegung = typ == element::RQ8 ? 0.1 : 10.0;
        }
        h.s.gInnendurchmesser = typ == element::RQ8 ? 50.0 : h.s.gInnendurchmesser;
        h.s.gRohrRechteckig = typ == element::RQ8 ? 1 : 0;
        h.s.gInnenmassB = 30.0;
        RunCalculate(h.d);

        const auto entered = h.proceduresEntered();
        const auto ran = [&](const char* p) { return std::find(entered.begin(), entered.end(), p) != entered.end(); };
        EXPECT_EQ(ran("BerechneZeta"), probe) << "type " << typ;
        EXPECT_EQ(ran("frequencycheck"), probe && typ != element::SondeAndererHersteller) << "type " << typ;
        EXPECT_EQ(ran("Gegenlager"), probe && typ != element::SondeAndererHersteller) << "type " << typ;
        EXPECT_TRUE(h.windows.resultsShown()) << "type " << typ << ": " << ::testing::PrintToString(h.windows.events);
        if (typ == element::RQ8) {
            EXPECT_EQ(h.s.gInnendurchmesser, 19.0);
            EXPECT_EQ(h.s.gRohrRechteckig, 0);
            EXPECT_NEAR(h.s.gInnendurchmesserWarm, 19.0, 0.01) << "computed in the 19 mm pipe";
        }
    }
}

// An empty user name opens the options window before anything else; the run
// goes on whatever the user does there.
TEST(CalculateDriver, OptionsWindowFirst)
{
    for (const bool named : {false, true}) {
        DriverHarness h;
        water(h.s, element::BlendeFlansch);
        h.settings.gUserName = named ? "Meier" : "";
        h.windows.onOptions = [&] { EXPECT_TRUE(h.trace().size() == 1u) << "nothing before the options window"; };
        RunCalculate(h.d);
        std::vector<std::string> expected{"ReadOberflaeche", "results"};
        if (!named)
            expected.insert(expected.begin(), "options");
        EXPECT_EQ(h.windows.events, expected) << (named ? "named" : "no name");
    }
}

// Each run of either driver starts by closing the messages window an earlier
// run left open, before the options window and the reading; a message of the
// run itself is then shown.
TEST(CalculateDriver, EachRunFirstClosesTheMessagesWindow)
{
    const std::pair<const char*, std::function<void(DriverHarness&)>> drivers[] = {
        {"Calculate", [](DriverHarness& h) { RunCalculate(h.d); }},
        {"solver", [](DriverHarness& h) { RunSolver(h.d); }},
    };
    for (const auto& [name, run] : drivers) {
        DriverHarness h;
        water(h.s, element::BlendeFlansch);
        h.settings.gUserName = "";
        h.s.gDifferenzdruckSoll = 10.0;  // kPa: the solver's own check passes
        h.windows.inputMessage = "Bitte definieren Sie das Medium";
        h.windows.onOptions = [&] { EXPECT_EQ(h.messagesWindow.closes, 1) << name; };
        h.windows.onRead = [&] { EXPECT_EQ(h.messagesWindow.closes, 1) << name; };
        run(h);
        EXPECT_EQ(h.messagesWindow.closes, 1) << name;
        const std::vector<std::string> expected{"options", "ReadOberflaeche", "messages: Bitte definieren Sie das Medium"};
        EXPECT_EQ(h.windows.events, expected) << name;
    }
}

// The type key is taken after the inputs are read and the code is built anew
// from them: type information and code joined for the models 1 to 7, empty for
// every other element type; a key ending in "GE1" asks for the opposite
// support. An input message stops the run before the code is touched.
TEST(CalculateDriver, TypeKeyAfterTheInputsAreRead)
{
    struct Case {
        Integer typ;
        const char* inputMessage;
        const char* key;
        Flag gegenlager;
        int rebuilds;
        const char* shows;
    } const cases[] = {
        {element::RQ25, "", "RQ25-A1-D300-GE1", 1, 1, "the code carries the pipe just read"},
        {element::RQ8, "", "RQ25-A1-D300-GE1", 1, 1, "every model of the maker takes its key"},
        {element::BlendeFlansch, "", "", 0, 1, "an orifice takes no key and no support"},
        {element::SondeAndererHersteller, "", "", 0, 1, "nor does another make's probe"},
        {element::RQ25, "Druck fehlt", "old", 0, 0, "an input message leaves code and key alone"},
    };
    for (const auto& c : cases) {
        DriverHarness h;
        writeRQ25Table(h);
        gasProbe(h.s);
        h.config.gTypenschluessel = "old";
        h.windows.inputMessage = c.inputMessage;
        h.windows.typeInfo = "RQ25-";
        h.windows.codeDisplay = "A1-D200-GE0";
        // The reading puts the typed pipe into the state; the rebuild writes it
        // into the code as the pipe-value segment does.
        h.windows.onRead = [&] {
            h.s.gPrimaerelementtyp = c.typ;
            h.s.gInnendurchmesser = 300.0;
        };
        h.windows.onRebuild = [&] {
            h.windows.codeDisplay = "A1-D" + std::to_string(static_cast<int>(h.s.gInnendurchmesser)) + "-GE1";
        };
        RunCalculate(h.d);
        EXPECT_EQ(h.config.gTypenschluessel, c.key) << c.shows;
        EXPECT_EQ(h.s.gGegenlagerVorgesehen, c.gegenlager) << c.shows;
        EXPECT_EQ(h.windows.rebuilds, c.rebuilds) << c.shows;
    }
}

// An orifice calculated with a probe's "GE1" code still on the page gets the
// maximum flows of a fresh program: the opposite support of the code is not
// its own.
TEST(CalculateDriver, OrificeIgnoresTheCodeOfAModelViewedBefore)
{
    DriverHarness fresh;
    water(fresh.s, element::BlendeFlansch);
    fresh.s.gDurchflussAuslegung = 1.0;
    RunCalculate(fresh.d);

    DriverHarness viewed;
    water(viewed.s, element::BlendeFlansch);
    viewed.s.gDurchflussAuslegung = 1.0;
    viewed.s.gGegenlagerVorgesehen = 1;
    viewed.windows.typeInfo = "RQ25-";
    viewed.windows.codeDisplay = "A1-B2-GE1";
    RunCalculate(viewed.d);

    ASSERT_GT(fresh.s.gQmaxEmpfohlen, 0.0);
    EXPECT_EQ(viewed.s.gGegenlagerVorgesehen, 0);
    EXPECT_EQ(viewed.config.gTypenschluessel, "");
    EXPECT_EQ(viewed.s.gQmaxEmpfohlen, fresh.s.gQmaxEmpfohlen);
    EXPECT_EQ(viewed.s.gQmaxErlaubt, fresh.s.gQmaxErlaubt);
}

// The maximum flows of an orifice come from this run alone: after a probe
// calculation on the same state they equal those of a fresh program, q·√(2/dp)
// at a design dp up to 2 kPa and 0 above it (no vibration ratio).
TEST(CalculateDriver, OrificeMaximumFlowsDoNotDependOnAnEarlierProbe)
{
    struct Case {
        double flow;  // kg/s through the 50 mm bore
        bool smallDp;
    };
    for (const Case c : {Case{1.0, true}, Case{10.0, false}}) {
        DriverHarness fresh;
        water(fresh.s, element::BlendeFlansch);
        fresh.s.gDurchflussAuslegung = c.flow;
        RunCalculate(fresh.d);

        DriverHarness after;
        writeRQ25Table(after);
        gasProbe(after.s);
        RunCalculate(after.d);
        ASSERT_GT(after.s.gFrequenzverhaeltnis, 2.0) << "the probe leaves a ratio behind";
        CalculationState orifice;
        water(orifice, element::BlendeFlansch);
        orifice.gDurchflussAuslegung = c.flow;
        static_cast<MediumDaten&>(after.s) = orifice;
        static_cast<ProzessDaten&>(after.s) = orifice;
        static_cast<RohrDaten&>(after.s) = orifice;
        static_cast<ElementDaten&>(after.s) = orifice;
        RunCalculate(after.d);

        const double dp = fresh.s.gDifferenzdruck[PunktAuslegung];
        ASSERT_EQ(dp <= 2.0, c.smallDp) << dp;
        EXPECT_EQ(after.s.gFrequenzverhaeltnis, 0.0);
        EXPECT_EQ(after.s.gQmaxEmpfohlen, fresh.s.gQmaxEmpfohlen);
        EXPECT_EQ(after.s.gQmaxErlaubt, fresh.s.gQmaxErlaubt);
        const double expected = c.smallDp ? c.flow * std::sqrt(2.0 / dp) : 0.0;
        EXPECT_NEAR(fresh.s.gQmaxEmpfohlen, expected, 1e-12);
        EXPECT_NEAR(fresh.s.gQmaxErlaubt, expected, 1e-12);
    }
}

}  // namespace
}  // namespace morvane

namespace morvane {
namespace {

// The limits of use of ISO 5167-1:1991 for each element's coefficient
// equation, each just outside (a line naming the point, the quantity, its
// value and the limit) and at the limit (no line); the RQ8 and the probes have
// none. The pipe Reynolds number is given; the geometry is D 100 mm, d 50 mm
// unless a case says otherwise.
TEST(LimitsOfUse, EachLimitOfEachElement)
{
    struct Case {
        Integer typ;
        double dMm, boreMm, re;
        std::string line;  // empty: within the limits
        const char* shows;
    };
    const std::string design = resText(TextBetriebspunkt, OffsetGerman);
    const auto below = [&](const char* q, const char* value, const char* limit) {
        return design + ": " + q + " = " + value + " liegt unter der Anwendungsgrenze " + limit +
               " der Gleichung des Durchflusskoeffizienten";
    };
    const auto above = [&](const char* q, const char* value, const char* limit) {
        return design + ": " + q + " = " + value + " liegt über der Anwendungsgrenze " + limit +
               " der Gleichung des Durchflusskoeffizienten";
    };
    const Case cases[] = {
        {element::BlendeFlansch, 100, 50, 31500, "", "flange: Re at 1260·β²·D"},
        {element::BlendeFlansch, 100, 50, 31499, below("Re", "31499", "31500"), "flange: Re below 1260·β²·D"},
        {element::BlendeFlansch, 760, 380, 1e7, "", "flange: D at 760 mm"},
        {element::BlendeFlansch, 761, 380.5, 1e7, above("D", "761 mm", "760 mm"), "flange: D above 760 mm"},
        {element::BlendeDD2, 1001, 500, 1e7, above("D", "1001 mm", "1000 mm"), "D and D/2: D above 1000 mm"},
        {element::BlendeEcke, 49, 24.5, 1e5, below("D", "49 mm", "50 mm"), "corner: D below 50 mm"},
        {element::BlendeEcke, 60, 12, 1e5, below("d", "12 mm", "12.5 mm"), "corner: d below 12.5 mm"},
        {element::BlendeEcke, 100, 19, 1e5, below("β", "0.19", "0.2"), "corner: β below 0.2"},
        {element::BlendeEcke, 100, 76, 1e5, above("β", "0.76", "0.75"), "corner: β above 0.75"},
        {element::BlendeEcke, 100, 45, 5000, "", "corner: Re 5000 at β 0.45"},
        {element::BlendeDD2, 100, 45, 4999, below("Re", "4999", "5000"), "D and D/2: Re below 5000 at β 0.45"},
        {element::BlendeDD2, 100, 46, 9999, below("Re", "9999", "10000"), "D and D/2: Re below 10000 above β 0.45"},
        {element::Venturiduese, 120, 60, 1.5e5, "", "nozzle: within"},
        {element::Venturiduese, 100, 49, 1.5e5, below("d", "49 mm", "50 mm"), "nozzle: d below 50 mm"},
        {element::Venturiduese, 200, 160, 1.5e5, above("β", "0.8", "0.775"), "nozzle: β above 0.775"},
        {element::Venturiduese, 501, 200, 1.5e5, above("D", "501 mm", "500 mm"), "nozzle: D above 500 mm"},
        {element::Venturiduese, 120, 60, 2.1e6, above("Re", "2100000", "2000000"), "nozzle: Re above 2e6"},
        {element::VenturiGussrauh, 800, 400, 2e6, "", "as cast: D 800 mm, Re 2e6"},
        {element::VenturiGussrauh, 99, 49.5, 2e5, below("D", "99 mm", "100 mm"), "as cast: D below 100 mm"},
        {element::VenturiGussrauh, 100, 29, 2e5, below("β", "0.29", "0.3"), "as cast: β below 0.3"},
        {element::VenturiGussrauh, 100, 50, 1.99e5, below("Re", "199000", "200000"), "as cast: Re below 2e5"},
        {element::VenturiBearbeitet, 251, 125, 5e5, above("D", "251 mm", "250 mm"), "machined: D above 250 mm"},
        {element::VenturiBearbeitet, 100, 39, 5e5, below("β", "0.39", "0.4"), "machined: β below 0.4"},
        {element::VenturiBearbeitet, 100, 50, 1.1e6, above("Re", "1100000", "1000000"), "machined: Re above 1e6"},
        {element::VenturiStahlblech, 1200, 600, 2e6, "", "welded: D 1200 mm"},
        {element::VenturiStahlblech, 199, 99.5, 5e5, below("D", "199 mm", "200 mm"), "welded: D below 200 mm"},
        {element::VenturiStahlblech, 300, 213, 5e5, above("β", "0.71", "0.7"), "welded: β above 0.7"},
        // At a limit at 12 significant digits, just past one, and a value
        // that its pattern would show as 0.
        {element::BlendeFlansch, 639, 127.8, 1e7, "", "flange: β typed 0.2 is 0.19999999999999998 from d and D"},
        {element::BlendeFlansch, 760.0000000000001, 380, 1e7, "", "flange: D at 760 mm at 12 digits"},
        {element::BlendeFlansch, 760.0001, 380, 1e7, above("D", "760.0001 mm", "760 mm"), "flange: D just above"},
        {element::BlendeEcke, 100, 19.999998, 1e5, below("β", "0.19999998", "0.2"), "corner: β just below 0.2"},
        {element::BlendeEcke, 60, 12.4999, 1e5, below("d", "12.4999 mm", "12.5 mm"), "corner: d just below"},
        {element::BlendeFlansch, 100, 50, 31499.9, below("Re", "31499.9", "31500"), "flange: Re just below"},
        {element::VenturiGussrauh, 100, 50, 0.39, below("Re", "0.3900", "200000"), "as cast: Re 0.39 is not 0"},
        {element::RQ8, 19, 0.5, 10, "", "the RQ8: no limits"},
        {element::RQ25, 100, 0, 10, "", "a probe: no limits"},
    };
    for (const Case& c : cases) {
        DriverHarness h;
        h.s.gPrimaerelementtyp = c.typ;
        h.s.gInnendurchmesser = c.dMm;
        h.s.gOeffnungsdurchmesser = c.boreMm;
        h.s.gReynolds = {c.re, 0, 0, 0};
        EXPECT_EQ(limitsOfUseWarning(h.e, PunktAuslegung), c.line) << c.shows;
    }

    // With the flow range on, the element's own quantities are named for all
    // the points, the Reynolds number for each point outside, in English too.
    DriverHarness h;
    h.ui.gSprachOffset = OffsetEnglish;
    h.s.gPrimaerelementtyp = element::VenturiBearbeitet;
    h.s.gInnendurchmesser = 300;
    h.s.gOeffnungsdurchmesser = 150;
    h.s.gReynolds = {5e5, 1.2e6, 4e5, 1e5};
    EXPECT_EQ(limitsOfUseWarning(h.e, PunktMin),
              "All operating points: D = 300 mm is above the limit of use 250 mm of the discharge coefficient's equation\n"
              "Maximum flow: Re = 1200000 is above the limit of use 1000000 of the discharge coefficient's equation\n"
              "Minimum flow: Re = 100000 is below the limit of use 200000 of the discharge coefficient's equation");
}

}  // namespace
}  // namespace morvane

namespace morvane {
namespace {

// Bores of 10.0 to 199.9 mm in pipes of five times their size, typed as
// decimals: β is 0.2 as typed, and no line says it lies below 0.2, though some
// of the quotients of the two doubles do.
TEST(LimitsOfUse, TypedDiameterRatioAtItsLimit)
{
    int belowInBinary = 0;
    for (int tenths = 100; tenths <= 1999; ++tenths) {
        DriverHarness h;
        h.s.gPrimaerelementtyp = element::BlendeEcke;
        h.s.gOeffnungsdurchmesser = tenths / 10.0;
        h.s.gInnendurchmesser = 5 * tenths / 10.0;
        h.s.gReynolds = {1e6, 0, 0, 0};
        belowInBinary += h.s.gOeffnungsdurchmesser / h.s.gInnendurchmesser < 0.2;
        EXPECT_EQ(limitsOfUseWarning(h.e, PunktAuslegung).find("β"), std::string::npos)
            << h.s.gOeffnungsdurchmesser << " in " << h.s.gInnendurchmesser;
    }
    EXPECT_GT(belowInBinary, 0);
}

}  // namespace
}  // namespace morvane

namespace morvane {
namespace {

// Orifice runs of flange, D and D/2 and corner tappings with the factors 1, as
// the engine driver of the commit before the small-pipe, loss, venturi-tube and
// correction-factor changes computed them (tools/oracles/orifice_states_before.py;
// water, liquids and ideal gases, with and without the flow range): C and each
// point's expansion factor and dp are the same bit for bit, the loss (now taken
// from the shown dp rather than the last pass's) within 1e-12 kPa.
TEST(CalculateDriver, OrificeRunsWithFactorsOneAsBefore)
{
    std::ifstream in(std::filesystem::path(MORVANE_SOURCE_DIR) / "tests/engine/data/orifice_states_before.tsv");
    ASSERT_TRUE(in.good());
    int rows = 0;
    for (std::string line; std::getline(in, line);) {
        if (line.empty() || line[0] == '#')
            continue;
        std::vector<double> v;
        std::istringstream fields(line);
        for (std::string field; std::getline(fields, field, '\t');)
            v.push_back(std::strtod(field.c_str(), nullptr));  // decimal, or a hexadecimal double
        ASSERT_EQ(v.size(), 29u) << line;
        ++rows;
        DriverHarness h;
        CalculationState& s = h.s;
        s.gPrimaerelementtyp = static_cast<Integer>(v[0]);
        const int model = static_cast<int>(v[1]);
        (model == 0 ? s.gModellGespeicherteDaten : model == 1 ? s.gModellFluessigkeit : s.gModellIdealesGas) = True;
        if (model == 0)
            s.gMediumNr = medium::Wasser;
        s.gInnendurchmesser = v[2];
        s.gOeffnungsdurchmesser = v[3];
        s.gTemperatur = v[4];
        s.gDruck = v[5];
        s.gDichteEingabe = v[6];
        s.gViskositaetEingabe = v[7];
        s.gKompressibilitaetEingabe = v[8];
        s.gIsentropenkoeffizientEingabe = v[9];
        s.gDurchflussEinheit = static_cast<Integer>(v[10]);
        s.gDurchflussAuslegung = v[11];
        s.gMehrereBetriebspunkte = static_cast<Integer>(v[12]);
        s.gDurchflussMax = v[13];
        s.gDurchflussNorm = v[14];
        s.gDurchflussMin = v[15];
        s.gKorrekturFaktor = 1.0;
        s.gEpsilonFaktor = 1.0;
        RunCalculate(h.d);
        const std::string row = "row " + std::to_string(rows) + ": " + line.substr(0, 120);
        ASSERT_TRUE(h.windows.resultsShown()) << row;
        const auto bits = [](double x) { return std::bit_cast<std::uint64_t>(x); };
        EXPECT_EQ(bits(s.gDurchflusskoeffizient), bits(v[16])) << row;
        for (int i = 0; i < 4; ++i) {
            EXPECT_EQ(bits(s.gExpansionszahl[i]), bits(v[17 + i])) << row << ", point " << i;
            EXPECT_EQ(bits(s.gDifferenzdruck[i]), bits(v[21 + i])) << row << ", point " << i;
            EXPECT_NEAR(s.gDruckverlust[i], v[25 + i], 1e-12) << row << ", point " << i;
        }
    }
    EXPECT_GE(rows, 100);
}

}  // namespace
}  // namespace morvane
