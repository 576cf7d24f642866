// The density step's dispatch over the four model flags and the built-in media.
#include "EngineHarness.h"
#include "engine/DensityDispatch.h"
#include "engine/StateFields.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>

namespace morvane {
namespace {

using testing::EngineHarness;
using testing::GasTableFixture;
using testing::writeGasTables;

const std::string kDichte = "[Module1] Sub BerechneDichte()";
std::string entry(const std::string& procedure)
{
    return "[Module1] Sub " + procedure + "()";
}

// A state every model can compute: a user gas or liquid of density 1.293, a user
// Redlich-Kwong gas (methane's critical data), 20 °C and 500 kPa, which lies in
// the fixture's gas tables.
void computable(CalculationState& s)
{
    s.gDichteEingabe = 1.293;
    s.gKompressibilitaetEingabe = 1.0;
    s.gKritischeTemperatur = -82.59;
    s.gKritischerDruck = 4599.2;
    s.gNormdichteRK = 0.7175;
    s.gTemperatur = 20.0;
    s.gDruck = 500.0;
}

TEST(DensityDispatch, EachModelAndMediumRunsItsStep)
{
    struct Case {
        std::function<void(CalculationState&)> model;
        std::vector<std::string> newest;  // newest trace entries, newest first
        std::string fehler;
        const char* shows;
    };
    const auto builtIn = [](Integer m) {
        return [m](CalculationState& s) {
            s.gModellGespeicherteDaten = True;
            s.gMediumNr = m;
        };
    };
    const std::vector<Case> cases{
        {builtIn(medium::Luft), {entry("BerechneDichteGas"), kDichte}, "", "air from the gas tables"},
        {builtIn(medium::Stickstoff), {entry("BerechneDichteGas"), kDichte}, "", "nitrogen"},
        {builtIn(medium::Sauerstoff), {entry("BerechneDichteGas"), kDichte}, "", "oxygen"},
        {builtIn(medium::Kohlendioxid), {entry("BerechneDichteGas"), kDichte}, "", "carbon dioxide"},
        {builtIn(medium::Methan), {entry("BerechneDichteGas"), kDichte}, "", "methane"},
        {builtIn(medium::Wasserstoff), {entry("BerechneDichteGas"), kDichte}, "", "hydrogen"},
        {builtIn(medium::Keins), {kDichte}, "Bitte definieren Sie das Medium", "medium 0: text 1214"},
        {[](CalculationState& s) {
             s.gModellGespeicherteDaten = True;
             s.gMediumNr = medium::Keins;
             s.gModellIdealesGas = True;
             s.gModellFluessigkeit = True;
         },
         {kDichte}, "Bitte definieren Sie das Medium", "medium 0 ends the step before the other flags"},
        {builtIn(10), {kDichte}, "Bitte definieren Sie das Medium", "a medium number beyond the list: text 1214"},
        {builtIn(16), {kDichte}, "Bitte definieren Sie das Medium", "medium 16"},
        {builtIn(-1), {kDichte}, "Bitte definieren Sie das Medium", "medium -1"},
        {builtIn(-32768), {kDichte}, "Bitte definieren Sie das Medium", "medium -32768"},
        {[](CalculationState& s) {
             s.gModellGespeicherteDaten = True;
             s.gMediumNr = 16;
             s.gModellFluessigkeit = True;
         },
         {kDichte}, "Bitte definieren Sie das Medium", "a number beyond the list ends the step before the other flags"},
        {[](CalculationState& s) { s.gModellIdealesGas = True; }, {entry("BerechneDichteIdealesGas"), kDichte}, "",
         "ideal gas"},
        {[](CalculationState& s) { s.gModellRedlichKwong = True; }, {entry("BerechneDichteRedlichKwong"), kDichte},
         "", "Redlich-Kwong"},
        {[](CalculationState& s) { s.gModellFluessigkeit = True; }, {entry("BerechneDichteFluessigkeit"), kDichte},
         "", "liquid"},
        {[](CalculationState& s) {
             s.gModellIdealesGas = True;
             s.gModellRedlichKwong = True;
             s.gModellFluessigkeit = True;
         },
         {entry("BerechneDichteFluessigkeit"), entry("BerechneDichteRedlichKwong"), entry("BerechneDichteIdealesGas"),
          kDichte},
         "", "the flags are tested one after another, each on its own"},
        {[](CalculationState& s) {
             s.gModellGespeicherteDaten = 1;
             s.gMediumNr = medium::Luft;
             s.gModellIdealesGas = 1;
             s.gModellRedlichKwong = 1;
             s.gModellFluessigkeit = 1;
         },
         {kDichte}, "", "flags of 1 are not true"},
    };
    for (const auto& c : cases) {
        EngineHarness h;
        for (const Integer m : {1, 5, 6, 7, 8, 9}) {
            GasTableFixture gas;
            gas.medium = m;
            writeGasTables(h.mainDatabase(), gas);
        }
        computable(h.s);
        h.s.gFehlerDichte = "left from the last run";
        c.model(h.s);
        BerechneDichte(h.e);
        const auto trace = h.trace();
        ASSERT_GE(trace.size(), c.newest.size()) << c.shows;
        EXPECT_EQ(std::vector<std::string>(trace.begin(), trace.begin() + static_cast<long>(c.newest.size())),
                  c.newest)
            << c.shows;
        EXPECT_EQ(trace.size(), c.newest.size()) << c.shows << ": no other procedure entered";
        EXPECT_EQ(h.s.gFehlerDichte, c.fehler) << c.shows;
        EXPECT_TRUE(h.tracer.responder.reports.empty()) << c.shows;
    }
}

// The steam steps have tests of their own (steam tables); here only that the
// dispatch reaches them, and that the critical point of water is written after
// them whatever they reported (the error dialog is answered "Goto Next Command").
TEST(DensityDispatch, SteamAndWaterReachTheSteamStepsAndSetTheCriticalPoint)
{
    struct Case {
        Integer medium;
        const char* step;
        double temperatur, druck;
    };
    const Case cases[] = {
        {medium::UeberhitzterDampf, "BerechneDichteueberhitzterDampf", 200.0, 1000.0},
        {medium::Sattdampf, "BerechneDichteSattdampf", 180.0, 1000.0},
        {medium::Wasser, "BerechneDichteWasser", 20.0, 1000.0},
    };
    for (const auto& c : cases) {
        EngineHarness h;
        h.tracer.responder.answers = {ContNext, ContNext, ContNext};
        h.s.gModellGespeicherteDaten = True;
        h.s.gMediumNr = c.medium;
        h.s.gTemperatur = c.temperatur;
        h.s.gDruck = c.druck;
        BerechneDichte(h.e);
        const auto& reports = h.tracer.responder.reports;
        const bool raisedInDispatch = !reports.empty() && reports.front().procedure == "BerechneDichte";
        EXPECT_TRUE(h.entered(c.step) || raisedInDispatch) << c.step << " not reached";
        EXPECT_EQ(h.s.gKritischeTemperatur, 374.0) << c.step;
        EXPECT_EQ(h.s.gKritischerDruck, 22000.0) << c.step;
    }
}

// A medium 0 message changes gFehlerDichte and nothing else.
TEST(DensityDispatch, MediumZeroChangesOnlyTheMessage)
{
    EngineHarness h;
    h.s.gModellGespeicherteDaten = True;
    h.s.gModellIdealesGas = True;
    computable(h.s);
    h.s.gBetriebsdichte = 11.0;
    h.s.gNormdichte = 1.1;
    h.s.gKompressibilitaet = 0.9;
    CalculationState before = h.s;
    BerechneDichte(h.e);
    EXPECT_EQ(h.s.gFehlerDichte, "Bitte definieren Sie das Medium");
    for (const StateField& f : stateFields()) {
        if (f.name == "gFehlerDichte")
            continue;
        if (f.kind == FieldKind::Double) {
            EXPECT_EQ(f.in<double>(h.s), f.in<double>(before)) << f.name;
        } else if (f.kind == FieldKind::String) {
            EXPECT_EQ(f.in<std::string>(h.s), f.in<std::string>(before)) << f.name;
        }
    }

    h.ui.gSprachOffset = OffsetEnglish;
    BerechneDichte(h.e);
    EXPECT_EQ(h.s.gFehlerDichte, "Please define fluid");
}

}  // namespace
}  // namespace morvane
