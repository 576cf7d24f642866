// Density of a user gas from the Redlich-Kwong equation of state, given its
// critical temperature and pressure and its norm density.
#pragma once

#include "engine/EngineContext.h"

namespace morvane {

// gKompressibilitaet is the ratio of the compressibility factor at operating
// conditions to the one at norm conditions (0 °C, 101.325 kPa); the density is
// the norm density scaled by pressure, temperature and that ratio. Either
// iteration that does not settle within its pass limit reports text 1230.
void BerechneDichteRedlichKwong(EngineContext& e);

}  // namespace morvane
