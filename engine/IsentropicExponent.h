// The isentropic exponent κ of the medium at the operating state, which the
// expansion factors of the probes and of the orifices and venturis use.
#pragma once

#include "engine/EngineContext.h"

namespace morvane {

// κ so large that the expansion factor becomes 1: water and the incompressible
// liquid.
inline constexpr double KappaInkompressibel = 1e9;

// Sets gIsentropenkoeffizient, or a message in gFehlerIsentropen.
void BerechneIsentropenkoeffizient(EngineContext& e);

}  // namespace morvane
