#include "reports/protocol/ShownResults.h"

namespace morvane {

bool hasNormDensityAndCompressibility(const CalculationState& s)
{
    const bool steamTables = isTrue(s.gModellGespeicherteDaten) && s.gMediumNr > 1 && s.gMediumNr < 5;
    return !steamTables && !isTrue(s.gModellFluessigkeit);
}

bool hasWallThickness(const CalculationState& s) { return s.gPrimaerelementtyp != 1; }

}  // namespace morvane
