// Density of a user gas from the Redlich-Kwong equation of state, given its
// critical temperature and pressure and its norm density.
#pragma once

#include "engine/EngineContext.h"

#include <cstdint>

namespace morvane {

// The program's own warning (resource text) of this step: below the critical
// temperature and above the equation's own saturation pressure, the medium is
// liquid by the equation. The run goes on with the density the iteration found.
inline constexpr std::int32_t TextRedlichKwongFluessig = 1973;

// Whether the liquid root of Z³ − Z² + (A − B − B²)·Z − A·B = 0 is the stable one,
// at the equation's dimensionless A and B of a state below the critical
// temperature. Of three real roots above B the smallest is the liquid root and
// the largest the vapour root, and the stable one has the lower fugacity,
// ln φ = Z − 1 − ln(Z − B) − (A/B)·ln(1 + B/Z); a single root lies on the liquid
// branch when it is below the cubic's inflection at Z = 1/3.
bool redlichKwongLiquidStable(double A, double B);

// gKompressibilitaet is the ratio of the compressibility factor at operating
// conditions to the one at norm conditions (0 °C, 101.325 kPa); the density is
// the norm density scaled by pressure, temperature and that ratio. Either
// iteration that does not settle within its pass limit reports text 1230.
// Below the critical temperature where the equation's liquid root is the
// stable one, gWarnungDichte gets text 1973.
void BerechneDichteRedlichKwong(EngineContext& e);

}  // namespace morvane
