// Density of superheated steam, saturated steam and water from the steam tables.
#pragma once

#include "engine/EngineContext.h"

namespace morvane {

void BerechneDichteueberhitzterDampf(EngineContext& e);
void BerechneDichteSattdampf(EngineContext& e);
void BerechneDichteWasser(EngineContext& e);

}  // namespace morvane
