// The two equations of state of user media that need no iteration: the ideal gas
// law from an entered norm density and compressibility, and the incompressible
// liquid of an entered operating density.
#pragma once

#include "engine/EngineContext.h"

namespace morvane {

// gBetriebsdichte = ρN · p · 273.15 / (T + 273.15) / 101.325 / Z (p kPa, T °C);
// text 1228 without a norm density, 1229 for Z = 0.
void BerechneDichteIdealesGas(EngineContext& e);

// gBetriebsdichte = gNormdichte = gDichteEingabe, Z = 1; text 1228 without a
// density.
void BerechneDichteFluessigkeit(EngineContext& e);

}  // namespace morvane
