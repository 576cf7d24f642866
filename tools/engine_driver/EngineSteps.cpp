#include "EngineSteps.h"

#include "engine/CalculateDriver.h"
#include "engine/DensityDispatch.h"
#include "engine/DifferentialPressureSolver.h"
#include "engine/FlowAndDifferentialPressure.h"
#include "engine/FlowLimits.h"
#include "engine/GasTableDensity.h"
#include "engine/IdealGasAndLiquidDensity.h"
#include "engine/InnerDiameter.h"
#include "engine/IsentropicExponent.h"
#include "engine/ProbeCoefficient.h"
#include "engine/RedlichKwong.h"
#include "engine/VibrationCheck.h"
#include "engine/Viscosity.h"
#include "engine/WaterSteamDensity.h"

#include <algorithm>
#include <array>

namespace morvane::driver {

namespace {

// One line per step. A step that is not listed counts as not built yet: the
// Calculate run below stops when it comes to it.
const std::array kSteps{
    StepEntry{"BerechneDichte", &BerechneDichte},
    StepEntry{"BerechneDichteGas", &BerechneDichteGas},
    StepEntry{"BerechneDichteIdealesGas", &BerechneDichteIdealesGas},
    StepEntry{"BerechneDichteFluessigkeit", &BerechneDichteFluessigkeit},
    StepEntry{"BerechneDichteRedlichKwong", &BerechneDichteRedlichKwong},
    StepEntry{"BerechneDichteueberhitzterDampf", &BerechneDichteueberhitzterDampf},
    StepEntry{"BerechneDichteSattdampf", &BerechneDichteSattdampf},
    StepEntry{"BerechneDichteWasser", &BerechneDichteWasser},
    StepEntry{"BerechneInnendurchmesser", &BerechneInnendurchmesser},
    StepEntry{"BerechneZeta", &BerechneZeta},
    StepEntry{"BerechneIsentropenkoeffizient", &BerechneIsentropenkoeffizient},
    StepEntry{"BerechneViskositaet", &BerechneViskositaet},
    StepEntry{"BerechneDifferenzdruck", &BerechneDifferenzdruck},
    StepEntry{"BerechneReynolds", &BerechneReynolds},
    StepEntry{"frequencycheck", &frequencycheck},
    StepEntry{"Gegenlager", &Gegenlager},
    StepEntry{"BerechneLimits", &BerechneLimits},
};

}  // namespace

std::span<const StepEntry> engineSteps()
{
    return kSteps;
}

const StepEntry* findStep(std::string_view name)
{
    const auto it = std::find_if(kSteps.begin(), kSteps.end(), [&](const StepEntry& s) { return s.name == name; });
    return it == kSteps.end() ? nullptr : &*it;
}

namespace {

// The windows of a driver run: the state comes from the input, so the main
// window reads nothing; the type information is empty and the code is the one
// segment that stands for the input's opposite-support flag ("GE1" when it is
// 1), so the run derives that flag back; the messages window logs its text, the
// results window marks the run complete.
struct Windows : OptionsWindow, MainWindowInputs {
    explicit Windows(const CalculationState& s) : gegenlager(s.gGegenlagerVorgesehen == 1) {}
    bool gegenlager;
    void showModal() override {}
    std::string typeInfoText() const override { return {}; }
    std::string codeDisplayText() const override { return gegenlager ? "GE1" : ""; }
    void rebuildTypeCode() override {}
    void ReadOberflaeche(ReadingFor) override {}
    void setText8(const std::string&) override {}
    void setText10(const std::string&) override {}
    void setText18(const std::string&) override {}
    void selectOption5() override {}
};
struct Messages : MessagesWindow {
    Messages(std::vector<std::string>& l, const UiZustand& u) : log(l), ui(u) {}
    void show() override { log.push_back(ui.gFehlertext); }
    std::vector<std::string>& log;
    const UiZustand& ui;
};
struct Results : ResultsWindow {
    explicit Results(bool& c) : complete(c) {}
    void show() override { complete = true; }
    bool& complete;
};

}  // namespace

CalculateLog calculateRun(EngineContext& e, UiZustand& ui)
{
    CalculateLog log;
    Windows windows{e.s};
    Messages messages{log.messageWindow, ui};
    Results results{log.complete};
    ConfigZustand config;
    DriverContext d{e, ui, config, DriverWindows{windows, windows, messages, results}};
    RunCalculate(d);
    return log;
}

SolveLog solveRun(EngineContext& e, UiZustand& ui)
{
    SolveLog log;
    bool complete = false;
    Windows windows{e.s};
    Messages messages{log.messageWindow, ui};
    Results results{complete};
    ConfigZustand config;
    DriverContext d{e, ui, config, DriverWindows{windows, windows, messages, results}};
    const SolverOutcome outcome = RunSolver(d);
    log.value = outcome.value;
    log.passes = outcome.passes;
    return log;
}

}  // namespace morvane::driver
