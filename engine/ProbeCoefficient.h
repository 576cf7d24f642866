// Resistance coefficient ζ and flow coefficient K = 1/√ζ of the averaging
// probes: the maker's models from their coefficient tables, another maker's
// probe from its entered K.
#pragma once

#include "engine/EngineContext.h"

#include <cstdint>

namespace morvane {

// The program's own messages (resource texts): a probe without a positive
// flow coefficient has no flow equation, and the run stops on them.
inline constexpr std::int32_t TextProbeKNotPositive = 1901;     // type 8, K ≤ 0 entered
inline constexpr std::int32_t TextProbeZetaNotPositive = 1902;  // table gives ζ ≤ 0

// A coefficient table holds at most this many support points.
inline constexpr int MaxProbeSupportPoints = 20;

// ζ at the warm diameter dw (mm) from n support points (diameters ascending):
// linear inside the table, extrapolated along the end segment outside it.
struct ProbeZeta {
    double zeta = 0.0;
    bool belowTable = false;  // dw < first support diameter
    bool aboveTable = false;  // dw > last support diameter
};
ProbeZeta interpolateProbeZeta(const double* durchmesser, const double* zeta, int n, double dw);

// Writes gZeta, gKZahl, gDurchflusskoeffizient and gFehlerZeta for types 2
// to 8; for any other type only clears gFehlerZeta (text 1224 for type 0).
void BerechneZeta(EngineContext& e);

}  // namespace morvane
