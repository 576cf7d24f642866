#include "engine/WaterSteamDensity.h"

#include "platform/RuntimeError.h"

namespace morvane {

// Not built yet: raise rather than leave the state untouched without a word.
void BerechneDichteueberhitzterDampf(EngineContext&) { raiseError(err::InvalidArgument, "steam tables not built"); }
void BerechneDichteSattdampf(EngineContext&) { raiseError(err::InvalidArgument, "steam tables not built"); }
void BerechneDichteWasser(EngineContext&) { raiseError(err::InvalidArgument, "steam tables not built"); }

}  // namespace morvane
