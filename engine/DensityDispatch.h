// The density step: operating density, norm density and compressibility of the
// medium by the calculation model chosen in MediumDaten.
#pragma once

#include "engine/EngineContext.h"

namespace morvane {

// Empties gFehlerDichte, then runs the step of every model
// flag that is exactly true, in the order built-in media, ideal gas,
// Redlich-Kwong, liquid. A built-in medium 0, or a number outside 1 to 9,
// reports text 1214 and ends the step at once.
void BerechneDichte(EngineContext& e);

}  // namespace morvane
