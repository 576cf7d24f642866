// Density of the built-in gases (air, nitrogen, oxygen, carbon dioxide, methane,
// hydrogen) from the compressibility tables of the product database.
#pragma once

#include "engine/EngineContext.h"

namespace morvane {

// Reads tables "<gMediumNr>GasData" and "<gMediumNr>GasTab", writes gNormdichte
// and the critical data, checks T and p against the table's range (texts 1222,
// 1223; the limits pass), interpolates Z bilinearly (temperature first) and
// writes gKompressibilitaet and gBetriebsdichte.
void BerechneDichteGas(EngineContext& e);

}  // namespace morvane
