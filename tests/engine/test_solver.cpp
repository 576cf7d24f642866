// The differential-pressure solver. Its results on the real engine steps (an
// orifice in water, against the worked examples and against python3-fluids), and
// the mechanics of its pass loop on a stand-in chain whose dp follows a chosen
// law: start values per type, bounds and their texts, the 12.5 mm and 0.86·D
// steps, the exponents 0.1 / 0.15, 199 passes then text 1822, one silent pass
// without a mode, the stop at the first message of a step, and the
// opposite-support step that shows no box inside the passes.
#include "DriverHarness.h"
#include "engine/DifferentialPressureSolver.h"
#include "engine/ResultChecks.h"
#include "engine/FormatPatterns.h"
#include "engine/VibrationCheck.h"
#include "platform/NumberText.h"
#include "platform/RuntimeError.h"
#include "tracing/Guard.h"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

namespace morvane {
namespace {

using testing::DriverHarness;

std::vector<std::string> boxTexts(const DriverHarness& h)
{
    std::vector<std::string> out;
    for (const auto& b : h.boxes.shown)
        out.push_back(b.text);
    return out;
}

// Water at 20 °C and 500 kPa, 10 kg/s, flange-tapped orifice in a 100 mm pipe.
void waterOrifice(CalculationState& s)
{
    s.gModellGespeicherteDaten = True;
    s.gMediumNr = medium::Wasser;
    s.gTemperatur = 20.0;
    s.gDruck = 500.0;
    s.gPrimaerelementtyp = element::BlendeFlansch;
    s.gInnendurchmesser = 100.0;
    s.gOeffnungsdurchmesser = 50.0;
    s.gDurchflussEinheit = flowunit::kgs;
    s.gDurchflussAuslegung = 10.0;
    s.gKorrekturFaktor = 1.0;
    s.gEpsilonFaktor = 1.0;
}

struct FluidsRow {
    std::string mode;
    double dpKPa, dMm, qKgS;
};

// tests/engine/data/solver_orifice_fluids.tsv, written by solver_orifice_oracle.py.
std::vector<FluidsRow> fluidsRows()
{
    std::ifstream in(std::string(MORVANE_SOURCE_DIR) + "/tests/engine/data/solver_orifice_fluids.tsv");
    std::vector<FluidsRow> rows;
    for (std::string line; std::getline(in, line);) {
        if (line.empty() || line[0] == '#')
            continue;
        std::istringstream fields(line);
        FluidsRow r;
        fields >> r.mode >> r.dpKPa >> r.dMm >> r.qKgS;
        rows.push_back(r);
    }
    return rows;
}

// The solver's acceptance values for the water orifice: known dp 25 / 2.5 /
// 250 kPa give d 53.359 / 82.974 / 30.769 mm. python3-fluids (ISO 5167-2:2003 coefficient, where the program
// follows ISO 5167-1:1991) agrees to within 0.25 %.
TEST(Solver, OrificeBoreForAKnownDp)
{
    const auto oracle = fluidsRows();
    struct Case {
        double target;
        const char* announced;
        double d;
    };
    for (const Case c : {Case{25.0, "53.359", 53.359}, Case{2.5, "82.974", 82.974}, Case{250.0, "30.769", 30.769}}) {
        DriverHarness h;
        waterOrifice(h.s);
        h.s.gDifferenzdruckSoll = c.target;
        h.s.gAuslegungDurchmesser = True;
        RunSolver(h.d);

        EXPECT_NEAR(h.s.gOeffnungsdurchmesser, c.d, 5e-4) << c.target;
        EXPECT_NEAR(h.s.gDifferenzdruck[PunktAuslegung], c.target, 1e-6) << c.target;
        EXPECT_EQ(boxTexts(h), std::vector<std::string>{std::string(c.announced) + " mm: Wert übernommen (dp-element)"});
        EXPECT_EQ(h.windows.events, (std::vector<std::string>{"ReadOberflaeche",
                                                              "Text10: " + strForm(h.s.gOeffnungsdurchmesser)}));
        bool compared = false;
        for (const FluidsRow& r : oracle) {
            if (r.mode == "bore" && r.dpKPa == c.target) {
                EXPECT_NEAR(h.s.gOeffnungsdurchmesser / r.dMm, 1.0, 2.5e-3) << "fluids, " << c.target;
                compared = true;
            }
        }
        EXPECT_TRUE(compared) << c.target;
        EXPECT_TRUE(h.windows.shownMessages().empty());
    }
}

// Flow mode through a 50 mm bore: 31.24 / 9.94 t/h; fluids within 0.1 %.
TEST(Solver, OrificeFlowForAKnownDp)
{
    const auto oracle = fluidsRows();
    for (const auto& [target, tph] : {std::pair{25.0, 31.24}, std::pair{2.5, 9.94}}) {
        DriverHarness h;
        waterOrifice(h.s);
        h.s.gDurchflussEinheit = flowunit::th;
        h.s.gDifferenzdruckSoll = target;
        h.s.gAuslegungDurchfluss = True;
        RunSolver(h.d);

        EXPECT_NEAR(h.s.gDurchflussAuslegung, tph, 5e-3) << target;
        EXPECT_EQ(boxTexts(h), std::vector<std::string>{formatUpTo(h.s.gDurchflussAuslegung, 3) +
                                                        " t/h: Wert übernommen (dp-element)"});
        EXPECT_EQ(h.windows.events,
                  (std::vector<std::string>{"ReadOberflaeche", "Text18: " + strForm(h.s.gDurchflussAuslegung)}));
        bool compared = false;
        for (const FluidsRow& r : oracle) {
            if (r.mode == "flow" && r.dpKPa == target) {
                EXPECT_NEAR(h.s.gDurchflussAuslegung / 3.6 / r.qKgS, 1.0, 1e-3) << "fluids, " << target;
                compared = true;
            }
        }
        EXPECT_TRUE(compared) << target;
    }
}

// The flow mode's ceiling of 0.35·p is the gas's, whose expansion factor ends
// there: an ideal gas (air, 1.293 kg/Nm³, κ 1.4) through the same orifice
// stops with text 1820 once a pass's dp passes it. A liquid's dp has no such
// ceiling: the water orifice at 500 kPa takes a known dp of half its
// pressure (the flow is the one whose dp Calc! gives as the known one), and
// is refused only at its bound, its pressure less the saturation pressure
// (2.34 kPa at 20 °C), before any pass.
TEST(Solver, FlowModeCeilingIsTheGassOwn)
{
    struct Case {
        bool gas;
        double soll;  // kPa, at 500 kPa
        bool accepted;
        const char* shows;
    };
    const Case cases[] = {
        {true, 250.0, false, "gas: a pass beyond 0.35 of the pressure stops the flow mode"},
        {false, 250.0, true, "water: half the pressure is a flow of its own"},
        {false, 497.6, true, "water: just below its pressure less the saturation pressure"},
        {false, 497.7, false, "water: at or above that bound, refused before any pass"},
    };
    for (const Case& c : cases) {
        DriverHarness h;
        waterOrifice(h.s);
        if (c.gas) {
            h.s.gModellGespeicherteDaten = False;
            h.s.gModellIdealesGas = True;
            h.s.gDichteEingabe = 1.293;
            h.s.gKompressibilitaetEingabe = 1.0;
            h.s.gViskositaetEingabe = 0.0181;
            h.s.gIsentropenkoeffizientEingabe = 1.4;
            h.s.gDurchflussAuslegung = 1.0;
        }
        h.s.gDifferenzdruckSoll = c.soll;
        h.s.gAuslegungDurchfluss = True;
        const SolverOutcome out = RunSolver(h.d);
        EXPECT_EQ(out.value.has_value(), c.accepted) << c.shows;
        if (c.accepted) {
            EXPECT_NEAR(h.s.gDifferenzdruck[PunktAuslegung], c.soll, 1e-7) << c.shows;
            EXPECT_EQ(h.windows.events, (std::vector<std::string>{"ReadOberflaeche", "Text18: " + strForm(*out.value)}))
                << c.shows;
            continue;
        }
        EXPECT_EQ(boxTexts(h), std::vector<std::string>{"dp zu hoch gewählt"}) << c.shows;
        EXPECT_EQ(h.windows.events, std::vector<std::string>{"ReadOberflaeche"}) << c.shows << ": nothing written back";
        if (c.gas) {
            EXPECT_GT(h.s.gDifferenzdruck[PunktAuslegung], 0.35 * 500.0) << c.shows;
        } else {
            EXPECT_EQ(out.passes, 0) << c.shows;
        }
    }
}

// A stand-in chain: the dp step records the sought value of every pass and sets
// the design dp by the law `dpLaw`, with half of it as the loss (as a real
// element has one); the other steps do nothing unless a test puts a message
// into them.
struct Chain {
    static inline std::vector<double> seen;  // sought value at each pass
    static inline std::function<double(const CalculationState&)> dpLaw;
    static inline std::string zetaMessage, dpMessage, densityMessage;
    static inline int gegenlagerCalls = 0;

    static double sought(const CalculationState& s)
    {
        if (isTrue(s.gAuslegungDurchmesser) && s.gPrimaerelementtyp != element::Keins) {
            const Integer t = s.gPrimaerelementtyp;
            return t == element::RQ8 || t >= element::BlendeFlansch ? s.gOeffnungsdurchmesser : s.gInnendurchmesser;
        }
        return s.gDurchflussAuslegung;
    }
    static void nothing(EngineContext&) {}
    static void density(EngineContext& e) { e.s.gFehlerDichte = densityMessage; }
    static void zeta(EngineContext& e) { e.s.gFehlerZeta = zetaMessage; }
    static void dp(EngineContext& e)
    {
        seen.push_back(sought(e.s));
        e.s.gDifferenzdruck[PunktAuslegung] = dpLaw(e.s);
        e.s.gDruckverlust[PunktAuslegung] = e.s.gDifferenzdruck[PunktAuslegung] / 2.0;
        e.s.gFehlerDp = dpMessage;
    }
    static void gegenlager(EngineContext&) { ++gegenlagerCalls; }

    static DriverSteps steps()
    {
        seen.clear();
        zetaMessage.clear();
        dpMessage.clear();
        densityMessage.clear();
        gegenlagerCalls = 0;
        return DriverSteps{&density, &nothing, &zeta, &nothing, &nothing, &dp, &nothing, &gegenlager, &nothing};
    }
};

// dp that falls with the fourth power of the sought diameter and equals the
// target at `solution`.
std::function<double(const CalculationState&)> fourthPowerLaw(double target, double solution)
{
    return [=](const CalculationState& s) { return target * std::pow(solution / Chain::sought(s), 4.0); };
}

struct LoopHarness : DriverHarness {
    explicit LoopHarness(Integer typ)
    {
        d.steps = Chain::steps();
        s.gPrimaerelementtyp = typ;
        s.gInnendurchmesser = 150.0;
        s.gOeffnungsdurchmesser = 40.0;
        s.gSondenbreite = 21.0;
        s.gDruck = 500.0;
        s.gDifferenzdruckSoll = 10.0;
        s.gAuslegungDurchmesser = True;
    }
};

// Start values per type, the sought value of the first pass; the RQ8 runs in a
// round 19 mm pipe in either mode.
TEST(SolverLoop, StartValuesPerType)
{
    struct Case {
        Integer typ;
        double start;
    };
    const Case cases[] = {
        {element::RQ8, 11.0},          {element::RQ10, 100.0},      {element::RQ25, 2500.0},
        {element::RQ25HDD, 2500.0},    {element::RQ32, 2500.0},     {element::RQ44, 2500.0},
        {element::RQ50, 11000.0},      {element::SondeAndererHersteller, 21000.0},
        {element::BlendeFlansch, 120.0}, {element::BlendeDD2, 120.0}, {element::BlendeEcke, 120.0},
        {element::Venturiduese, 120.0}, {element::VenturiGussrauh, 120.0}, {element::VenturiBearbeitet, 120.0},
        {element::VenturiStahlblech, 120.0},
    };
    for (const Case& c : cases) {
        LoopHarness h(c.typ);
        h.s.gRohrRechteckig = 1;
        Chain::dpLaw = [](const CalculationState& s) { return s.gDifferenzdruckSoll; };  // converged at once
        RunSolver(h.d);
        ASSERT_EQ(Chain::seen.size(), 1u) << "type " << c.typ;
        EXPECT_EQ(Chain::seen[0], c.start) << "type " << c.typ;
        if (c.typ == element::RQ8) {
            EXPECT_EQ(h.s.gInnendurchmesser, 19.0);
            EXPECT_EQ(h.s.gRohrRechteckig, 0);
        }
    }
    LoopHarness flow(element::BlendeFlansch);
    flow.s.gAuslegungDurchmesser = False;
    flow.s.gAuslegungDurchfluss = True;
    Chain::dpLaw = [](const CalculationState& s) { return s.gDifferenzdruckSoll; };
    RunSolver(flow.d);
    ASSERT_EQ(Chain::seen.size(), 1u);
    EXPECT_EQ(Chain::seen[0], 1e-6) << "flow mode starts at 1e-6 of the user's unit";
}

// A sought value that runs out of its bounds ends with text 1817 or 1818 and
// writes nothing back. grow: the dp stays 10 times the target, so the
// diameter grows; shrink: a tenth of it.
TEST(SolverLoop, BoundsAndTheirTexts)
{
    struct Case {
        const char* shows;
        Integer typ;
        bool grow;
        const char* text;
        double lastSeen;     // the value of the last pass, 0: only checked against the bound
        double bound;        // the value crossed (the last pass lies beyond it)
    };
    const Case cases[] = {
        {"RQ8: above 12 mm the bore is set to 12.5 mm, the next pass reports 1818", element::RQ8, true,
         "Öffnungsdurchmesser zu groß!", 12.5, 12.0},
        {"RQ8 below 1 mm", element::RQ8, false, "Öffnungsdurchmesser zu klein!", 0, 1.0},
        {"orifice: above 0.85·D the bore is set to 0.86·D", element::BlendeEcke, true, "Öffnungsdurchmesser zu groß!",
         0.86 * 150.0, 0.85 * 150.0},
        {"venturi: the same", element::VenturiStahlblech, true, "Öffnungsdurchmesser zu groß!", 0.86 * 150.0,
         0.85 * 150.0},
        {"orifice below d/D 0.15", element::BlendeFlansch, false, "Öffnungsdurchmesser zu klein!", 0, 0.15 * 150.0},
        {"RQ10 above 135 mm", element::RQ10, true, "Öffnungsdurchmesser zu groß!", 0, 135.0},
        {"RQ10 below 17 mm", element::RQ10, false, "Öffnungsdurchmesser zu klein!", 0, 17.0},
        {"RQ44 above 12 000 mm", element::RQ44, true, "Öffnungsdurchmesser zu groß!", 0, 12000.0},
        {"RQ50 below 65 mm", element::RQ50, false, "Öffnungsdurchmesser zu klein!", 0, 65.0},
        {"type 8, 21 mm wide: from 21 000 mm down below 84 mm", element::SondeAndererHersteller, false,
         "Öffnungsdurchmesser zu klein!", 0, 84.0},
        {"type 8 above 1200 widths", element::SondeAndererHersteller, true, "Öffnungsdurchmesser zu groß!", 0,
         25200.0},
    };
    for (const Case& c : cases) {
        LoopHarness h(c.typ);
        const double factor = c.grow ? 10.0 : 0.1;
        Chain::dpLaw = [factor](const CalculationState& s) { return factor * s.gDifferenzdruckSoll; };
        RunSolver(h.d);
        EXPECT_EQ(boxTexts(h), std::vector<std::string>{c.text}) << c.shows;
        EXPECT_EQ(h.windows.events, std::vector<std::string>{"ReadOberflaeche"}) << c.shows;
        ASSERT_GE(Chain::seen.size(), 2u) << c.shows;
        const double last = Chain::seen.back();
        const double before = Chain::seen[Chain::seen.size() - 2];
        if (c.lastSeen != 0) {
            EXPECT_DOUBLE_EQ(last, c.lastSeen) << c.shows;
        }
        if (c.grow) {
            EXPECT_GT(last, c.bound) << c.shows;
            EXPECT_LE(before, c.bound) << c.shows;
        } else {
            EXPECT_LT(last, c.bound) << c.shows;
            EXPECT_GE(before, c.bound) << c.shows;
        }
        // An unclamped pass scales by (dp/t)^0.1.
        if (c.lastSeen == 0) {
            EXPECT_NEAR(Chain::seen[1] / Chain::seen[0], std::pow(factor, 0.1), 1e-12) << c.shows;
        }
    }
}

// A probe's pipe that one update would shrink to the probe's width or below
// cannot be computed (no flow area): it is set to 0.99 times the lower bound
// instead, and the next pass reports text 1817. A diameter that stays wider
// than the probe takes its update as it is.
TEST(SolverLoop, ProbePipeNeverShrinksToTheProbesWidth)
{
    struct Case {
        Integer typ;
        double bound;  // lower bound, mm
        double width;  // probe width, mm
    };
    for (const Case c : {Case{element::SondeAndererHersteller, 84.0, 21.0}, Case{element::RQ10, 17.0, 11.3},
                         Case{element::RQ50, 65.0, 50.0}}) {
        LoopHarness h(c.typ);
        // dp a 1e-30th of the target: the first update scales the start by 1e-3.
        Chain::dpLaw = [](const CalculationState& s) { return 1e-30 * s.gDifferenzdruckSoll; };
        RunSolver(h.d);
        EXPECT_EQ(boxTexts(h), std::vector<std::string>{"Öffnungsdurchmesser zu klein!"}) << c.typ;
        ASSERT_EQ(Chain::seen.size(), 2u) << c.typ;
        EXPECT_LE(Chain::seen[0] * 1e-3, c.width) << c.typ;
        EXPECT_DOUBLE_EQ(Chain::seen[1], 0.99 * c.bound) << c.typ;
        EXPECT_GT(Chain::seen[1], c.width) << c.typ;
    }
    // Above the width the update stands: 21 000 mm to 2646 mm and on, down to
    // 42 mm below the bound of 84 mm, where text 1817 ends the run.
    LoopHarness h(element::SondeAndererHersteller);
    Chain::dpLaw = [](const CalculationState& s) { return 1e-9 * s.gDifferenzdruckSoll; };
    RunSolver(h.d);
    ASSERT_EQ(Chain::seen.size(), 4u);
    EXPECT_NEAR(Chain::seen.back(), 21000.0 * std::pow(1e-9, 0.3), 1e-9);
}

// A dp that never reaches the target: 199 passes, then text 1822. The value
// scales by (t/dp)^0.1 after passes 1 to 149 and by (t/dp)^0.15 after 150 to
// 198.
TEST(SolverLoop, ExponentsAnd199PassesThenNoConvergence)
{
    LoopHarness h(element::BlendeFlansch);
    h.s.gAuslegungDurchmesser = False;
    h.s.gAuslegungDurchfluss = True;
    Chain::dpLaw = [](const CalculationState& s) { return 0.5 * s.gDifferenzdruckSoll; };
    RunSolver(h.d);
    ASSERT_EQ(Chain::seen.size(), 199u);
    EXPECT_EQ(boxTexts(h), std::vector<std::string>{resText(TextSolverKonvergiertNicht, 0)});
    for (std::size_t n = 1; n < Chain::seen.size(); ++n) {
        const double f = n <= 149 ? 0.1 : 0.15;  // exponent of pass n (1-based), applied before pass n + 1
        EXPECT_NEAR(Chain::seen[n] / Chain::seen[n - 1], std::pow(2.0, f), 1e-12) << "after pass " << n;
    }
    EXPECT_EQ(h.windows.events, std::vector<std::string>{"ReadOberflaeche"});
}

// The tolerance is 1e-6 kPa for the bore of orifices and venturis and 1e-7 kPa
// otherwise: a dp 5e-7 kPa off the target is accepted for one, never for the
// others (which then run their 199 passes).
TEST(SolverLoop, Tolerances)
{
    struct Case {
        Integer typ;
        bool diameterMode;
        bool accepted;
    };
    for (const Case c : {Case{element::BlendeDD2, true, true}, Case{element::Venturiduese, true, true},
                         Case{element::RQ8, true, false}, Case{element::RQ32, true, false},
                         Case{element::BlendeDD2, false, false}}) {
        LoopHarness h(c.typ);
        h.s.gOeffnungsdurchmesser = 6.0;
        h.s.gAuslegungDurchmesser = c.diameterMode ? True : False;
        h.s.gAuslegungDurchfluss = c.diameterMode ? False : True;
        Chain::dpLaw = [](const CalculationState& s) { return s.gDifferenzdruckSoll + 5e-7; };
        RunSolver(h.d);
        EXPECT_EQ(Chain::seen.size(), c.accepted ? 1u : 199u) << "type " << c.typ;
    }
}

// Converging cases: the fourth-power law reaches its solution; the accepted
// value is announced with up to three decimals and written into its box.
TEST(SolverLoop, AcceptedValueIsAnnouncedAndWrittenBack)
{
    struct Case {
        Integer typ;
        std::int32_t sprachOffset;
        double solution;
        std::vector<std::string> events;
    };
    const Case cases[] = {
        {element::RQ25, 0, 312.5, {"ReadOberflaeche", "Text8: " + strForm(312.5), "Option5"}},
        {element::SondeAndererHersteller, 10000, 480.0, {"ReadOberflaeche", "Text8: " + strForm(480.0), "Option5"}},
        {element::RQ8, 0, 7.25, {"ReadOberflaeche", "Text10: " + strForm(7.25)}},
        {element::VenturiGussrauh, 10000, 90.0, {"ReadOberflaeche", "Text10: " + strForm(90.0)}},
    };
    for (const Case& c : cases) {
        LoopHarness h(c.typ);
        h.ui.gSprachOffset = c.sprachOffset;
        Chain::dpLaw = fourthPowerLaw(h.s.gDifferenzdruckSoll, c.solution);
        RunSolver(h.d);
        ASSERT_EQ(h.boxes.shown.size(), 1u) << "type " << c.typ;
        EXPECT_EQ(h.boxes.shown[0].text,
                  formatUpTo(Chain::seen.back(), 3) + " mm: " + resText(TextSolverUebernommen, c.sprachOffset))
            << "type " << c.typ;
        EXPECT_NEAR(Chain::seen.back(), c.solution, c.solution * 1e-7) << "type " << c.typ;
        // The box text carries the value as it was accepted, the input box its
        // Str form: both from the same number.
        auto events = h.windows.events;
        ASSERT_EQ(events.size(), c.events.size()) << "type " << c.typ;
        EXPECT_EQ(events[0], c.events[0]);
        EXPECT_EQ(events[1].substr(0, 8), c.events[1].substr(0, 8)) << "type " << c.typ;
        EXPECT_NEAR(std::stod(events[1].substr(8)), c.solution, c.solution * 1e-7) << "type " << c.typ;
        if (events.size() == 3) {
            EXPECT_EQ(events[2], "Option5");
        }
    }
    EXPECT_EQ(solverAnnouncement(53.359434631840, "mm", "Wert übernommen (dp-element)"),
              "53.359 mm: Wert übernommen (dp-element)");
    EXPECT_EQ(solverAnnouncement(28.2754, "t/h", "Value has been noted (dp-element)."),
              "28.275 t/h: Value has been noted (dp-element).");
    // A flow that three places would show as 0.
    EXPECT_EQ(solverAnnouncement(0.000243153, "kg/s", "Wert übernommen (dp-element)"),
              "0.0002432 kg/s: Wert übernommen (dp-element)");
    // And one that three places would show 67 % high ("0.001").
    EXPECT_EQ(solverAnnouncement(0.00060012, "kg/s", "Value has been noted (dp-element)."),
              "0.0006001 kg/s: Value has been noted (dp-element).");
}

TEST(SolverLoop, NeitherModeRunsOneSilentPass)
{
    for (const Integer typ : {element::RQ25, element::BlendeFlansch}) {
        LoopHarness h(typ);
        h.s.gAuslegungDurchmesser = False;
        h.s.gAuslegungDurchfluss = False;
        Chain::dpLaw = [](const CalculationState&) { return 3.0; };
        RunSolver(h.d);
        EXPECT_EQ(Chain::seen.size(), 1u) << typ;
        EXPECT_TRUE(h.boxes.shown.empty()) << typ;
        EXPECT_EQ(h.windows.events, std::vector<std::string>{"ReadOberflaeche"}) << typ;
    }
}

// The first message of any step ends the run, the probe-range warning included,
// and goes to the messages window.
TEST(SolverLoop, StopsAtTheFirstMessage)
{
    struct Case {
        const char* shows;
        Integer typ;
        std::string input, density, zeta, dp;
        std::string shown;
        std::size_t passes;
    };
    const Case cases[] = {
        {"input message", element::RQ25, "Eingabe fehlt", "", "", "", "Eingabe fehlt", 0},
        {"density message", element::RQ25, "", "keine Dichte", "", "", "keine Dichte", 0},
        {"probe-range warning", element::RQ25, "", "", "außerhalb", "", std::string("außerhalb") + ". Es ist mit "
                                                                          "Berechnungsfehlern zu rechnen", 0},
        {"dp message, which stops the solver: no warning suffix", element::BlendeFlansch, "", "", "", "keine Einheit",
         "keine Einheit", 1},
    };
    for (const Case& c : cases) {
        LoopHarness h(c.typ);
        h.windows.inputMessage = c.input;
        Chain::densityMessage = c.density;
        Chain::zetaMessage = c.zeta;
        Chain::dpMessage = c.dp;
        Chain::dpLaw = fourthPowerLaw(10.0, 300.0);
        RunSolver(h.d);
        EXPECT_EQ(h.windows.shownMessages(), std::vector<std::string>{c.shown}) << c.shows;
        EXPECT_EQ(Chain::seen.size(), c.passes) << c.shows;
        EXPECT_TRUE(h.boxes.shown.empty()) << c.shows;
    }
}

// The solver button refuses a known dp of 0 (the empty box) or less with its
// own input message, before any step: nothing is written back, no pass runs.
// So does a known dp within the acceptance tolerance of 0 (1e-6 kPa, that of a
// bore): in flow mode the first pass, at the start flow of 1e-6, has a dp of
// about 0 and was accepted, announcing the start flow as the result.
TEST(SolverLoop, KnownDpOfZeroOrLessIsRefusedBeforeAnyStep)
{
    for (const bool durchmesser : {true, false}) {
        for (const double soll : {0.0, -2.5, 1e-8, 1e-6}) {
            LoopHarness h(element::BlendeFlansch);
            h.s.gAuslegungDurchmesser = durchmesser ? True : False;
            h.s.gAuslegungDurchfluss = durchmesser ? False : True;
            h.windows.onRead = [&h, soll] { h.s.gDifferenzdruckSoll = soll; };
            h.s.gDurchflussAuslegung = 3400.0;
            Chain::dpLaw = [](const CalculationState& s) { return s.gDifferenzdruckSoll; };
            const SolverOutcome out = RunSolver(h.d);
            EXPECT_EQ(h.windows.shownMessages(), std::vector<std::string>{resText(TextSolverDpNichtPositiv, 0)})
                << soll;
            EXPECT_TRUE(Chain::seen.empty()) << soll;
            EXPECT_TRUE(h.boxes.shown.empty()) << soll;
            EXPECT_EQ(h.windows.events.size(), 2u) << "ReadOberflaeche and the messages window only";
            EXPECT_EQ(h.s.gDurchflussAuslegung, 3400.0) << "the user's flow stays";
            EXPECT_FALSE(out.value.has_value());
            EXPECT_EQ(out.passes, 0);
            EXPECT_TRUE(h.tracer.responder.reports.empty());
        }
    }
    // Its text joins the other input messages.
    LoopHarness h(element::BlendeFlansch);
    h.windows.inputMessage = "Eingabe fehlt. ";
    h.windows.onRead = [&h] { h.s.gDifferenzdruckSoll = 0.0; };
    RunSolver(h.d);
    EXPECT_EQ(h.windows.shownMessages(),
              std::vector<std::string>{"Eingabe fehlt. " + resText(TextSolverDpNichtPositiv, 0)});
}

// In the diameter modes a known dp at or above the absolute pressure, or above
// 0.35 of it for a compressible medium, belongs to no real element: refused
// with text 1820 before any pass; a liquid's in flow mode too. The flow mode
// refuses a gas dp on its way, pass by pass.
TEST(SolverLoop, KnownDpBeyondTheMediumsRangeIsRefusedBeforeAnyPass)
{
    struct Case {
        Integer typ;
        bool liquid;
        double soll;  // kPa, at 500 kPa
        bool refused;
        const char* shows;
    };
    const Case cases[] = {
        {element::BlendeFlansch, true, 500.0, true, "liquid, bore: dp at the pressure"},
        {element::BlendeFlansch, true, 499.0, false, "liquid, bore: dp below it"},
        {element::RQ8, true, 600.0, true, "liquid, RQ8 bore"},
        {element::RQ25, true, 500.0, true, "liquid, probe pipe"},
        {element::BlendeFlansch, false, 175.0, false, "gas, bore: dp at 0.35 of the pressure"},
        {element::BlendeFlansch, false, 175.01, true, "gas, bore: above 0.35 of it"},
        {element::SondeAndererHersteller, false, 200.0, true, "gas, probe pipe"},
    };
    for (const Case& c : cases) {
        LoopHarness h(c.typ);
        h.s.gModellFluessigkeit = c.liquid ? True : False;
        h.s.gModellIdealesGas = c.liquid ? False : True;
        h.s.gDifferenzdruckSoll = c.soll;
        Chain::dpLaw = [](const CalculationState& s) { return s.gDifferenzdruckSoll; };  // converged at once
        const SolverOutcome out = RunSolver(h.d);
        EXPECT_EQ(out.value.has_value(), !c.refused) << c.shows;
        EXPECT_EQ(Chain::seen.empty(), c.refused) << c.shows;
        if (c.refused) {
            EXPECT_EQ(boxTexts(h), std::vector<std::string>{"dp zu hoch gewählt"}) << c.shows;
            EXPECT_EQ(h.windows.events, std::vector<std::string>{"ReadOberflaeche"}) << c.shows << ": nothing written";
        }
    }
    // Water from the medium list counts as a liquid, air from it as a gas.
    for (const Integer m : {medium::Wasser, medium::Luft}) {
        LoopHarness h(element::BlendeFlansch);
        h.s.gModellGespeicherteDaten = True;
        h.s.gMediumNr = m;
        h.s.gDifferenzdruckSoll = 300.0;
        Chain::dpLaw = [](const CalculationState& s) { return s.gDifferenzdruckSoll; };
        EXPECT_EQ(RunSolver(h.d).value.has_value(), m == medium::Wasser) << m;
    }
    // In flow mode a liquid's dp at or above its pressure is refused before
    // any pass; a gas's first pass runs.
    for (const bool liquid : {true, false}) {
        LoopHarness flow(element::BlendeFlansch);
        flow.s.gModellFluessigkeit = liquid ? True : False;
        flow.s.gModellIdealesGas = liquid ? False : True;
        flow.s.gAuslegungDurchmesser = False;
        flow.s.gAuslegungDurchfluss = True;
        flow.s.gDifferenzdruckSoll = 600.0;
        Chain::dpLaw = [](const CalculationState& s) { return s.gDifferenzdruckSoll; };
        RunSolver(flow.d);
        EXPECT_EQ(Chain::seen.size(), liquid ? 0u : 1u) << liquid;
        if (liquid) {
            EXPECT_EQ(boxTexts(flow), std::vector<std::string>{"dp zu hoch gewählt"});
        }
    }
}

// A value the solver would accept whose design point has a C of 1 or more, or
// a loss of 0 or less, is not accepted: the solver stops with the Calculate
// run's message in the messages window (in gFehlerDp too), writes nothing back
// and announces nothing. A pass on the way with such numbers goes on.
TEST(SolverLoop, AcceptsNoValueOfNoRealElement)
{
    struct Case {
        double C, loss;  // at the design point, as the dp step leaves them
        std::string message;
        const char* shows;
    };
    const Case cases[] = {
        {1.0, 2.0, testing::textWithNumbers(TextCNichtUnterEins, "1"), "C of 1"},
        {1.3222, 2.0, testing::textWithNumbers(TextCNichtUnterEins, "1.3222"), "C above 1"},
        {0.6, 0.0, testing::textWithNumbers(TextDruckverlustNichtPositiv, "0", "0"), "loss of 0"},
        {0.6, -0.0602, testing::textWithNumbers(TextDruckverlustNichtPositiv, "-0.0602", "0"), "loss below 0"},
    };
    for (const bool flow : {false, true}) {
        for (const Case& c : cases) {
            static Case current;
            current = c;
            LoopHarness h(element::BlendeFlansch);
            h.s.gAuslegungDurchmesser = flow ? False : True;
            h.s.gAuslegungDurchfluss = flow ? True : False;
            h.d.steps.BerechneDifferenzdruck = [](EngineContext& e) {
                Chain::dp(e);
                e.s.gDurchflusskoeffizient = current.C;
                e.s.gDruckverlust[PunktAuslegung] = current.loss;
            };
            // dp 10 kPa at a bore of 60 mm, or at a flow of 5.
            Chain::dpLaw = fourthPowerLaw(10.0, 60.0);
            if (flow)
                Chain::dpLaw = [](const CalculationState& s) {
                    return 10.0 * std::pow(s.gDurchflussAuslegung / 5.0, 2);
                };
            const SolverOutcome out = RunSolver(h.d);
            const std::string shows = std::string(c.shows) + (flow ? ", flow" : ", bore");
            EXPECT_FALSE(out.value.has_value()) << shows;
            EXPECT_GT(out.passes, 1) << shows << ": the passes on the way were not checked";
            EXPECT_TRUE(h.boxes.shown.empty()) << shows << ": nothing announced";
            EXPECT_EQ(h.windows.events, (std::vector<std::string>{"ReadOberflaeche", "messages: " + c.message}))
                << shows;
            EXPECT_EQ(h.s.gFehlerDp, c.message) << shows;
        }
    }
}

// A step of a pass that would show a box (the dp iterations' non-convergence)
// shows none inside the solver: the solver stops on the step's message, shown
// once in the messages window.
struct BoxingDpStep {
    static void run(EngineContext& e)
    {
        Chain::dp(e);
        e.message("keine Konvergenz");
        e.s.gFehlerDp = "konvergiert nicht";
    }
};

TEST(SolverLoop, NoStepShowsABoxInsideThePasses)
{
    LoopHarness h(element::BlendeFlansch);
    h.d.steps.BerechneDifferenzdruck = &BoxingDpStep::run;
    Chain::dpLaw = fourthPowerLaw(10.0, 100.0);
    const SolverOutcome out = RunSolver(h.d);
    EXPECT_TRUE(h.boxes.shown.empty());
    EXPECT_EQ(h.windows.shownMessages(), std::vector<std::string>{"konvergiert nicht"});
    EXPECT_EQ(out.passes, 1);
    EXPECT_FALSE(out.value.has_value());
}

// A step left through a run-time error ends the solver after that pass, with
// one error dialog and nothing accepted; the messages window says that the
// calculation did not complete.
struct FailingViscosity {
    static inline int calls = 0;
    static void run(EngineContext&)
    {
        Guard g("Module1", "BerechneViskositaet", "Sub BerechneViskositaet()");
        g.step([&] {
            if (++calls == 3)
                raiseError(err::DivisionByZero);
        });
    }
};

TEST(SolverLoop, ARunTimeErrorInAPassEndsTheSolver)
{
    for (const std::int16_t answer : {ContExit, ContNext}) {
        LoopHarness h(element::RQ25);
        FailingViscosity::calls = 0;
        h.d.steps.BerechneViskositaet = &FailingViscosity::run;
        h.tracer.responder.answers.push_back(answer);
        Chain::dpLaw = fourthPowerLaw(10.0, 300.0);
        const SolverOutcome out = RunSolver(h.d);
        EXPECT_EQ(h.tracer.responder.reports.size(), 1u) << answer;
        EXPECT_EQ(out.passes, 3) << answer;
        EXPECT_FALSE(out.value.has_value()) << answer;
        EXPECT_TRUE(h.boxes.shown.empty()) << answer;
        EXPECT_EQ(h.windows.shownMessages(), std::vector<std::string>{resText(TextBerechnungUnvollstaendig, 0)})
            << answer;
        EXPECT_EQ(h.windows.events.size(), 2u) << "nothing written back";
    }
}

// The outcome names the accepted value and the passes run.
TEST(SolverLoop, OutcomeCarriesTheAcceptedValueAndThePasses)
{
    LoopHarness h(element::RQ25);
    Chain::dpLaw = fourthPowerLaw(10.0, 312.5);
    const SolverOutcome out = RunSolver(h.d);
    ASSERT_TRUE(out.value.has_value());
    EXPECT_EQ(*out.value, Chain::seen.back());
    EXPECT_EQ(out.passes, static_cast<int>(Chain::seen.size()));
}

// Types 3 to 7 run the opposite-support step in every pass, without its boxes;
// its findings are those of the accepted pass. Type 2 and the other types do
// not run it.
TEST(SolverLoop, OppositeSupportInsidePassesShowsNoBox)
{
    for (Integer typ = element::RQ8; typ <= element::VenturiStahlblech; ++typ) {
        LoopHarness h(typ);
        Chain::dpLaw = fourthPowerLaw(10.0, typ >= element::BlendeFlansch ? 100.0 : 300.0);
        RunSolver(h.d);
        const bool runs = typ >= element::RQ25 && typ <= element::RQ50;
        EXPECT_EQ(Chain::gegenlagerCalls, runs ? static_cast<int>(Chain::seen.size()) : 0) << "type " << typ;
    }

    // The real step, with frequencies of an earlier Calculate run that make it
    // warn at every pass (fs/1.3 < fv at 10 kPa).
    LoopHarness h(element::RQ44);
    h.d.steps.Gegenlager = &Gegenlager;
    h.s.gEigenfrequenz = 50.0;
    h.s.gEigenfrequenzGegenlager = 120.0;
    h.s.gVortexfrequenz = 100.0;
    h.s.gInnendurchmesserWarm = 300.0;
    Chain::dpLaw = fourthPowerLaw(10.0, 300.0);
    RunSolver(h.d);
    ASSERT_GT(Chain::seen.size(), 3u);
    ASSERT_EQ(h.boxes.shown.size(), 1u) << "only the solver's own announcement";
    EXPECT_EQ(h.boxes.shown[0].text, solverAnnouncement(Chain::seen.back(), "mm", "Wert übernommen (dp-element)"));
    EXPECT_EQ(h.s.gGegenlagerNotwendig, True);
    EXPECT_EQ(h.s.gSchwingungswarnung, True);

    // The same step outside the solver shows its box.
    Gegenlager(h.e);
    EXPECT_EQ(h.boxes.shown.back().text, std::string(MeldungGroessereSonde));
}

}  // namespace
}  // namespace morvane

namespace morvane {
namespace {

// The solver prepares like Calculate: after the inputs are read it builds the
// code anew and takes the key with its opposite support, which its
// opposite-support passes use; outside the models 1 to 7 neither is kept.
TEST(SolverLoop, TypeKeyAfterTheInputsAreRead)
{
    struct Case {
        Integer typ;
        const char* key;
        Flag gegenlager;
    } const cases[] = {
        {element::RQ44, "RQ44-A1-GE1", 1},
        {element::BlendeEcke, "", 0},
    };
    for (const Case& c : cases) {
        LoopHarness h(c.typ);
        Chain::dpLaw = fourthPowerLaw(10.0, c.typ >= element::BlendeFlansch ? 100.0 : 300.0);
        h.windows.typeInfo = "RQ44-";
        h.windows.onRebuild = [&] { h.windows.codeDisplay = "A1-GE1"; };
        RunSolver(h.d);
        EXPECT_EQ(h.windows.rebuilds, 1) << c.typ;
        EXPECT_EQ(h.config.gTypenschluessel, c.key) << c.typ;
        EXPECT_EQ(h.s.gGegenlagerVorgesehen, c.gegenlager) << c.typ;
    }
}

}  // namespace
}  // namespace morvane
