// Density of a user gas from the Redlich-Kwong equation of state, given its
// critical temperature and pressure and its norm density.
#pragma once

#include "engine/EngineContext.h"

#include <cstdint>
#include <optional>

namespace morvane {

// The program's own message (resource text) of this step: below the critical
// temperature and above the equation's own saturation pressure the medium is
// liquid by the equation, and no gas density of it holds: the step stops,
// and the text sends the user to the liquid model.
inline constexpr std::int32_t TextRedlichKwongFluessig = 1973;

// The equation's own saturation pressure (kPa) at t (°C) of a substance with
// the critical temperature tc (°C) and pressure pc (kPa): the pressure at
// which its liquid and its vapour root have the same fugacity, with A and B
// formed as the density step forms them. None where the equation has no two
// phases at t: at and above its own critical temperature, which its constants
// put a few mK above tc.
std::optional<double> redlichKwongSaturationPressure(double tc, double pc, double t);

// gKompressibilitaet is the ratio of the compressibility factor at operating
// conditions to the one at norm conditions (0 °C, 101.325 kPa); the density is
// the norm density scaled by pressure, temperature and that ratio.
//
// The norm-state iteration that does not settle within its pass limit reports
// text 1230. Then the phase, from the equation alone, before the operating
// state is iterated: below the critical temperature a pressure above the
// equation's saturation pressure stops the step with text 1973, whether the
// cubic has one real root there or three. At or above the critical temperature, where the operating-state
// iteration does not settle, the cubic's one real root above B is the
// compressibility factor; without exactly one such root, and below the
// critical temperature, that iteration reports text 1230 too.
void BerechneDichteRedlichKwong(EngineContext& e);

}  // namespace morvane
