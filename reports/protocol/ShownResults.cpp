#include "reports/protocol/ShownResults.h"

namespace morvane {

bool usesSteamTables(const CalculationState& s)
{
    return isTrue(s.gModellGespeicherteDaten) && s.gMediumNr > 1 && s.gMediumNr < 5;
}

bool hasNormDensityAndCompressibility(const CalculationState& s)
{
    return !usesSteamTables(s) && !isTrue(s.gModellFluessigkeit);
}

bool hasWallThickness(const CalculationState& s) { return s.gPrimaerelementtyp != 1; }

}  // namespace morvane
