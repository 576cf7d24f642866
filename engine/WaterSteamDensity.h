// Density of superheated steam, saturated steam and water from the steam tables.
#pragma once

#include "engine/EngineContext.h"

#include <cstdint>

namespace morvane {

// The program's own density message: the state gives no density above 0 (the
// steam tables, or the ideal-gas law at a pressure or temperature below 0
// absolute).
inline constexpr std::int32_t TextDichteNichtPositiv = 1941;

void BerechneDichteueberhitzterDampf(EngineContext& e);
void BerechneDichteSattdampf(EngineContext& e);
void BerechneDichteWasser(EngineContext& e);

}  // namespace morvane
