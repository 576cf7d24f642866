// The pipe's inside diameter at the operating temperature.
#pragma once

#include "engine/EngineContext.h"

namespace morvane {

// Writes gInnendurchmesserWarm (mm) from gInnendurchmesser / gInnenmassB at
// 20 °C and gTemperatur; a rectangular duct becomes the circle of equal area.
void BerechneInnendurchmesser(EngineContext& e);

}  // namespace morvane
