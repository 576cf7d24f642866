// Density of water from temperature and pressure under IAPWS-95.
#pragma once

#include <optional>

namespace morvane::iapws95 {

// The root of p(T, rho) = p on the branch that the state lies on: below Tc the
// liquid when p is above the saturation pressure, the vapour when p is at or below
// it; at and above Tc the one fluid root. Found by Newton steps kept inside a
// bracket of that branch, falling back to bisection where a step would leave it.
// No value outside the domain (kMinTemperatureK..kMaxTemperatureK,
// 0 < p <= kMaxPressureMPa) or when no root is found.
std::optional<double> density(double temperatureK, double pressureMPa);

}  // namespace morvane::iapws95
