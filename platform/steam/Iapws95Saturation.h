// The liquid-vapour saturation state of IAPWS-95 at a given temperature.
#pragma once

#include "platform/steam/Iapws95.h"

#include <optional>

namespace morvane::iapws95 {

struct SaturationState {
    double pressureMPa = 0.0;
    double liquidDensityKgM3 = 0.0;
    double vapourDensityKgM3 = 0.0;
};

// The auxiliary saturation equations, valid below Tc: IAPWS Revised Supplementary
// Release on Saturation Properties of Ordinary Water Substance (1992), Eqs. 1
// (pressure), 2 (liquid density) and 3 (vapour density); Wagner and Pruss,
// J. Phys. Chem. Ref. Data 22 (1993) 783. They agree with the IAPWS-95 phase
// equilibrium to within 1e-4 in pressure, and in the densities to within 2e-3 close
// to Tc; here they give start values and decide the phase away from saturation.
double auxiliarySaturationPressureMPa(double temperatureK);
double auxiliarySaturatedLiquidDensity(double temperatureK);
double auxiliarySaturatedVapourDensity(double temperatureK);

// The IAPWS-95 phase equilibrium (equal pressure and equal Gibbs energy of the two
// phases, the Maxwell criterion) for kMinTemperatureK <= T < Tc, by Newton steps in
// the two reduced densities from the auxiliary equations (the scheme of Akasaka,
// J. Thermal Sci. Tech. 3 (2008) 442). Below the triple point (273.16 K) this is
// the continuation of the liquid-vapour curve (metastable with respect to ice).
// Within 1e-4 K of Tc, where rounding governs that iteration, the pressure on the
// critical isochore and densities on a square-root law towards rhoc stand in for
// it (to 1e-11 in pressure). No value at and above Tc, outside the domain, or when
// the iteration does not settle.
std::optional<SaturationState> saturation(double temperatureK);
std::optional<SaturationState> saturation(const Isotherm& isotherm);

}  // namespace morvane::iapws95
