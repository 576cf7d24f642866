// The engine steps the driver knows by name, and the engine part of the
// Calculate run built from them.
#pragma once

#include "engine/EngineContext.h"

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace morvane::driver {

struct StepEntry {
    std::string_view name;
    void (*run)(EngineContext&);
};

// Every step that exists, by its procedure name.
std::span<const StepEntry> engineSteps();
const StepEntry* findStep(std::string_view name);

// What a Calculate run did besides changing the state.
struct CalculateLog {
    // Each text the calculation messages window was shown with, in order.
    std::vector<std::string> messageWindow;
    // The first step of the run that does not exist yet; the run stops there.
    std::string stoppedBefore;
    // The run got through the flow limits; the results window would open.
    bool complete = false;
};

// The Calculate run from emptying the message texts to the flow limits: the
// options window, the type key, the reading of the main window and every window
// are left out; where the messages window would be shown, gFehlertext is set and
// the text logged.
CalculateLog calculateRun(EngineContext& e, UiZustand& ui);

// What a solver run did besides changing the state.
struct SolveLog {
    std::vector<std::string> messageWindow;
    std::optional<double> value;  // the accepted value, none when nothing was accepted
    int passes = 0;
};

// The solver button's run (engine/DifferentialPressureSolver.h) on the state as
// given, with the same windows left out as for the Calculate run.
SolveLog solveRun(EngineContext& e, UiZustand& ui);

}  // namespace morvane::driver
