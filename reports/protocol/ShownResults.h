// Which results of the calculation state apply to the case calculated: where
// they do not, the results window and page 1 of the protocol show "n.a.", not
// what the state holds from an earlier case or from the start.
#pragma once

#include "engine/CalculationState.h"

namespace morvane {

// Water, superheated and saturated steam from the medium list: their
// properties come from the steam tables.
bool usesSteamTables(const CalculationState& s);

// The steam tables (water, superheated and saturated steam from the medium
// list) and the incompressible liquid give no standard density and no
// compressibility factor; the two fields keep what an earlier case left.
bool hasNormDensityAndCompressibility(const CalculationState& s);

// The RQ8 (type 1) is a complete meter run with its own 19 mm bore: no pipe
// wall of the user's applies (its box is hidden, and keeps what it held).
bool hasWallThickness(const CalculationState& s);

}  // namespace morvane
