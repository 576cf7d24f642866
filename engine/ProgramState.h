// Every program-wide record in one object. The program holds exactly one; tests
// make a fresh one each.
#pragma once

#include "common/ProgramRecords.h"
#include "engine/ConfigZustand.h"
#include "engine/CalculationState.h"

namespace morvane {

struct ProgramState {
    CalculationState calc;
    UiZustand ui;
    UserSettings settings;
    DokumentDaten doc;
    ConfigZustand config;
};

}  // namespace morvane
