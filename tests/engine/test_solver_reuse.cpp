// The solver's passes that reuse what does not change within a run against the
// passes that run the whole chain: over every element type in both modes and
// without a mode, with every density model, and with runs that end on a bound,
// on a step's message, on a failing operating point and on a run-time error,
// both give the same outcome, the same messages, boxes, window writes and
// run-time errors, and every state field bit for bit.
#include "DriverHarness.h"
#include "engine/DifferentialPressureSolver.h"
#include "engine/StateFields.h"

#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace morvane {
namespace {

using testing::DriverHarness;

// The medium models a run can take, each at an operating point the product
// tables cover.
enum class Medium { Water, Steam, AirTable, MethaneTable, IdealGas, RedlichKwong, Liquid };
constexpr Medium AllMedia[] = {Medium::Water,    Medium::Steam,        Medium::AirTable, Medium::MethaneTable,
                               Medium::IdealGas, Medium::RedlichKwong, Medium::Liquid};

const char* mediumName(Medium m)
{
    switch (m) {
    case Medium::Water: return "water";
    case Medium::Steam: return "superheated steam";
    case Medium::AirTable: return "air (gas tables)";
    case Medium::MethaneTable: return "methane (gas tables)";
    case Medium::IdealGas: return "ideal gas";
    case Medium::RedlichKwong: return "Redlich-Kwong";
    case Medium::Liquid: return "liquid";
    }
    return "?";
}

void medium(CalculationState& s, Medium m)
{
    s.gTemperatur = 20.0;
    s.gDruck = 500.0;
    s.gDurchflussEinheit = flowunit::kgs;
    switch (m) {
    case Medium::Water:
        s.gModellGespeicherteDaten = True;
        s.gMediumNr = medium::Wasser;
        break;
    case Medium::Steam:
        s.gModellGespeicherteDaten = True;
        s.gMediumNr = medium::UeberhitzterDampf;
        s.gTemperatur = 250.0;
        s.gDruck = 1000.0;
        break;
    case Medium::AirTable:
        s.gModellGespeicherteDaten = True;
        s.gMediumNr = medium::Luft;
        s.gDurchflussEinheit = flowunit::Nm3h;
        break;
    case Medium::MethaneTable:
        s.gModellGespeicherteDaten = True;
        s.gMediumNr = medium::Methan;
        s.gDurchflussEinheit = flowunit::kgh;
        break;
    case Medium::IdealGas:
        s.gModellIdealesGas = True;
        s.gDichteEingabe = 1.293;
        s.gKompressibilitaetEingabe = 1.0;
        s.gIsentropenkoeffizientEingabe = 1.4;
        s.gViskositaetEingabe = 0.0181;
        break;
    case Medium::RedlichKwong:
        s.gModellRedlichKwong = True;
        s.gKritischeTemperatur = -82.6;
        s.gKritischerDruck = 4600.0;
        s.gNormdichteRK = 0.7175;
        s.gIsentropenkoeffizientRK = 1.31;
        s.gViskositaetRK = 0.011;
        break;
    case Medium::Liquid:
        s.gModellFluessigkeit = True;
        s.gDichteEingabe = 850.0;
        s.gViskositaetEingabe = 5.0;
        s.gDurchflussEinheit = flowunit::m3h;
        break;
    }
}

enum class Mode { Diameter, Flow, None };

const char* modeName(Mode m)
{
    return m == Mode::Diameter ? "diameter" : m == Mode::Flow ? "flow" : "no mode";
}

// An element of the type in a pipe that suits it, a design flow that gives a
// dp of some kPa, and a target dp of the same order.
void element(CalculationState& s, Integer typ, Mode mode)
{
    s.gPrimaerelementtyp = typ;
    s.gKorrekturFaktor = 1.0;
    s.gEpsilonFaktor = 1.0;
    s.gEpsilonQ100 = True;
    s.gInnendurchmesser = typ == element::RQ10 ? 80.0 : 300.0;
    s.gWandstaerke = 8.0;
    s.gOeffnungsdurchmesser = typ == element::RQ8 ? 6.0 : 150.0;
    s.gSondenbreite = 21.0;
    s.gKZahlEingabe = 0.6;
    // Frequencies of an earlier Calculate run, for the opposite-support step.
    s.gEigenfrequenz = 50.0;
    s.gEigenfrequenzGegenlager = 200.0;
    s.gVortexfrequenz = 20.0;
    const bool gas = s.gDurchflussEinheit == flowunit::Nm3h || s.gDurchflussEinheit == flowunit::kgh ||
                     isTrue(s.gModellIdealesGas) || isTrue(s.gModellRedlichKwong) ||
                     s.gMediumNr == medium::UeberhitzterDampf;
    double q = gas ? 2.0 : 20.0;  // kg/s
    if (s.gDurchflussEinheit == flowunit::Nm3h)
        q = 2000.0;
    else if (s.gDurchflussEinheit == flowunit::kgh)
        q = 3000.0;
    else if (s.gDurchflussEinheit == flowunit::m3h)
        q = 60.0;
    if (typ == element::RQ8)
        q /= 200.0;
    s.gDurchflussAuslegung = q;
    s.gDifferenzdruckSoll = gas ? 2.0 : 20.0;
    s.gAuslegungDurchmesser = mode == Mode::Diameter ? True : False;
    s.gAuslegungDurchfluss = mode == Mode::Flow ? True : False;
}

struct Case {
    std::string shows;
    std::function<void(CalculationState&)> inputs;
    std::vector<std::int16_t> answers;  // to the error dialog, in order
    bool seeksBore = false;
};

bool seeksBore(Integer typ, Mode mode)
{
    return mode == Mode::Diameter && (typ == element::RQ8 || typ >= element::BlendeFlansch);
}

std::vector<Case> cases()
{
    std::vector<Case> all;
    // Every type in every mode, the media in turn.
    int k = 0;
    for (Integer typ = element::RQ8; typ <= element::VenturiStahlblech; ++typ) {
        for (const Mode mode : {Mode::Diameter, Mode::Flow, Mode::None}) {
            const Medium m = AllMedia[k++ % std::size(AllMedia)];
            all.push_back({"type " + std::to_string(typ) + ", " + modeName(mode) + ", " + mediumName(m),
                           [=](CalculationState& s) {
                               medium(s, m);
                               element(s, typ, mode);
                           },
                           {}, seeksBore(typ, mode)});
        }
    }
    const auto variant = [&](std::string shows, Integer typ, Mode mode, Medium m,
                             std::function<void(CalculationState&)> change, std::vector<std::int16_t> answers = {}) {
        all.push_back({std::move(shows),
                       [=](CalculationState& s) {
                           medium(s, m);
                           element(s, typ, mode);
                           change(s);
                       },
                       std::move(answers), seeksBore(typ, mode)});
    };
    variant("four points, the maximum flow's dp fails once the probe's pipe is narrow enough", element::RQ25,
            Mode::Diameter, Medium::IdealGas, [](CalculationState& s) {
                s.gMehrereBetriebspunkte = 1;
                s.gDurchflussMax = 40.0;
                s.gDurchflussNorm = 1.5;
                s.gDurchflussMin = 0.5;
            });
    variant("four points through an orifice in water, all of them computed in every pass", element::BlendeFlansch,
            Mode::Diameter, Medium::Water, [](CalculationState& s) {
                s.gMehrereBetriebspunkte = 1;
                s.gDurchflussMax = 25.0;
                s.gDurchflussNorm = 15.0;
                s.gDurchflussMin = 2.0;
            });
    variant("four points in flow mode through a venturi in air", element::Venturiduese, Mode::Flow,
            Medium::AirTable, [](CalculationState& s) {
                s.gMehrereBetriebspunkte = 1;
                s.gDurchflussMax = 3000.0;
                s.gDurchflussNorm = 1500.0;
                s.gDurchflussMin = 100.0;
            });
    variant("flow mode: the dp passes 0.35 of the pressure", element::BlendeFlansch, Mode::Flow, Medium::IdealGas,
            [](CalculationState& s) { s.gDifferenzdruckSoll = 400.0; });
    variant("bore above 0.85·D", element::BlendeEcke, Mode::Diameter, Medium::Water,
            [](CalculationState& s) { s.gDifferenzdruckSoll = 0.01; });
    variant("bore below 0.15·D", element::BlendeFlansch, Mode::Diameter, Medium::Water,
            [](CalculationState& s) { s.gDifferenzdruckSoll = 400.0; });
    variant("RQ8 bore above 12 mm", element::RQ8, Mode::Diameter, Medium::Water,
            [](CalculationState& s) { s.gDifferenzdruckSoll = 1e-4; });
    variant("probe pipe out of its coefficient table", element::RQ10, Mode::Diameter, Medium::Water,
            [](CalculationState& s) { s.gDifferenzdruckSoll = 1e-3; });
    variant("probe in flow mode, its pipe outside the coefficient table", element::RQ44, Mode::Flow,
            Medium::Water, [](CalculationState& s) { s.gInnendurchmesser = 40.0; });
    variant("no isentropic exponent", element::BlendeFlansch, Mode::Flow, Medium::IdealGas,
            [](CalculationState& s) { s.gIsentropenkoeffizientEingabe = 0.0; });
    variant("a flow unit the liquid cannot take", element::Venturiduese, Mode::Diameter, Medium::Liquid,
            [](CalculationState& s) { s.gDurchflussEinheit = flowunit::Nm3h; });
    variant("a rectangular duct", element::RQ32, Mode::Flow, Medium::AirTable, [](CalculationState& s) {
        s.gRohrRechteckig = 1;
        s.gInnendurchmesser = 400.0;
        s.gInnenmassB = 300.0;
    });
    for (const Mode mode : {Mode::Flow, Mode::Diameter}) {
        for (const std::int16_t answer : {ContExit, ContNext}) {
            variant(std::string("viscosity 0: the Reynolds number divides by zero, ") + modeName(mode) +
                        ", answer " + std::to_string(answer),
                    element::BlendeFlansch, mode, Medium::IdealGas,
                    [](CalculationState& s) { s.gViskositaetEingabe = 0.0; }, {answer});
        }
    }
    return all;
}

// Everything a run leaves behind, for a bit-for-bit comparison.
struct Result {
    SolverOutcome outcome;
    CalculationState s;
    UiZustand ui;
    std::vector<MessageRequest> boxes;
    std::vector<std::string> windowEvents;
    std::vector<ErrorReport> errors;
    std::vector<std::string> trace;
};

Result solve(const Case& c, SolverPasses passes)
{
    DriverHarness h;
    std::filesystem::copy_file(std::string(MORVANE_PROGRAM_DIR) + "/morvdata5.sqlite", h.mainDatabase());
    c.inputs(h.s);
    for (const auto a : c.answers)
        h.tracer.responder.answers.push_back(a);
    Result r;
    r.outcome = RunSolver(h.d, passes);
    r.s = h.s;
    r.ui = h.ui;
    r.boxes = h.boxes.shown;
    r.windowEvents = h.windows.events;
    r.errors = h.tracer.responder.reports;
    r.trace = h.trace();
    return r;
}

std::uint64_t bits(double v) { return std::bit_cast<std::uint64_t>(v); }

void expectSame(const Result& reuse, const Result& full, const std::string& shows)
{
    EXPECT_EQ(reuse.outcome.passes, full.outcome.passes) << shows;
    ASSERT_EQ(reuse.outcome.value.has_value(), full.outcome.value.has_value()) << shows;
    if (full.outcome.value) {
        EXPECT_EQ(bits(*reuse.outcome.value), bits(*full.outcome.value)) << shows;
    }
    for (const StateField& f : stateFields()) {
        switch (f.kind) {
        case FieldKind::Integer:
        case FieldKind::Boolean:
        case FieldKind::Flag:
            EXPECT_EQ(f.in<std::int16_t>(reuse.s), f.in<std::int16_t>(full.s)) << shows << ": " << f.name;
            break;
        case FieldKind::Double:
            EXPECT_EQ(bits(f.in<double>(reuse.s)), bits(f.in<double>(full.s))) << shows << ": " << f.name;
            break;
        case FieldKind::String:
            EXPECT_EQ(f.in<std::string>(reuse.s), f.in<std::string>(full.s)) << shows << ": " << f.name;
            break;
        case FieldKind::PointArray:
            for (std::size_t i = 0; i < f.in<PointArray>(full.s).size(); ++i) {
                EXPECT_EQ(bits(f.in<PointArray>(reuse.s)[i]), bits(f.in<PointArray>(full.s)[i]))
                    << shows << ": " << f.name << "[" << i << "]";
            }
            break;
        }
    }
    EXPECT_EQ(reuse.ui.gFehlerEingabe, full.ui.gFehlerEingabe) << shows;
    EXPECT_EQ(reuse.ui.gFehlertext, full.ui.gFehlertext) << shows;
    ASSERT_EQ(reuse.boxes.size(), full.boxes.size()) << shows;
    for (std::size_t i = 0; i < full.boxes.size(); ++i) {
        EXPECT_EQ(reuse.boxes[i].text, full.boxes[i].text) << shows;
        EXPECT_EQ(reuse.boxes[i].caption, full.boxes[i].caption) << shows;
        EXPECT_EQ(reuse.boxes[i].icon, full.boxes[i].icon) << shows;
        EXPECT_EQ(reuse.boxes[i].buttons, full.boxes[i].buttons) << shows;
    }
    EXPECT_EQ(reuse.windowEvents, full.windowEvents) << shows;
    ASSERT_EQ(reuse.errors.size(), full.errors.size()) << shows;
    for (std::size_t i = 0; i < full.errors.size(); ++i) {
        EXPECT_EQ(reuse.errors[i].number, full.errors[i].number) << shows;
        EXPECT_EQ(reuse.errors[i].description, full.errors[i].description) << shows;
        EXPECT_EQ(reuse.errors[i].module, full.errors[i].module) << shows;
        EXPECT_EQ(reuse.errors[i].procedure, full.errors[i].procedure) << shows;
    }
}

bool entered(const Result& r, const std::string& procedure)
{
    for (const auto& entry : r.trace)
        if (entry == "[Module1] Sub " + procedure + "()")
            return true;
    return false;
}

TEST(SolverReuse, SameOutcomeMessagesAndStateAsFullPasses)
{
    int reused = 0, accepted = 0, stopped = 0, errors = 0, boreRuns = 0;
    for (const Case& c : cases()) {
        const Result full = solve(c, SolverPasses::Full);
        const Result reuse = solve(c, SolverPasses::ReuseUnchanged);
        expectSame(reuse, full, c.shows);
        // The shortcut was taken: the trace of the last passes of a run of
        // several holds the viscosity step only where every pass runs it.
        if (full.outcome.passes > 3) {
            EXPECT_FALSE(entered(reuse, "BerechneViskositaet")) << c.shows;
            reused += entered(full, "BerechneViskositaet") ? 1 : 0;
            // While a bore is sought the Reynolds numbers are taken over too.
            if (c.seeksBore && entered(full, "BerechneReynolds")) {
                EXPECT_FALSE(entered(reuse, "BerechneReynolds")) << c.shows;
                ++boreRuns;
            }
        }
        accepted += full.outcome.value.has_value() ? 1 : 0;
        stopped += !full.outcome.value && full.outcome.passes > 1 ? 1 : 0;
        errors += full.errors.empty() ? 0 : 1;
    }
    // The table reaches what it is meant to reach.
    EXPECT_GE(reused, 30);
    EXPECT_GE(boreRuns, 8);
    EXPECT_GE(accepted, 30);
    EXPECT_GE(stopped, 8) << "runs that end on a bound or a message after some passes";
    EXPECT_EQ(errors, 4);
}

}  // namespace
}  // namespace morvane
