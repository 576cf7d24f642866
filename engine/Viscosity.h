// Dynamic viscosity of the medium at the operating state, cP (mPa·s).
//
// The correlations take temperatures in °C and convert with 273.15 K; the
// steam-table calls keep their own 273.14 (engine/SteamTableCalls.h).
#pragma once

#include "engine/EngineContext.h"

namespace morvane {

// Sets gViskositaet from the model and medium of the state.
void BerechneViskositaet(EngineContext& e);

// Steam from density and temperature: the viscosity equation of the IAPS
// release on water substance of 1975. Dichte kg/m³, TB °C; writes only Visk.
void get_Dampfvisk(double& Visk, const double& Dichte, const double& TB);

// Liquid water from temperature (°C) and absolute pressure (kPa): quadratic fits
// in pressure at node temperatures, interpolated linearly in temperature up to
// 350 °C; above 350 °C the steam equation at the density of the state. Below
// 0 °C it leaves Visk untouched.
void get_Wasservisk(const double& TB, const double& PBe, double& Visk);

// The built-in gas gMediumNr by Sutherland's law with a pressure factor linear
// in the absolute pressure (kPa); leaves Visk untouched for a medium that is no
// built-in gas.
void Get_GasVisk(const CalculationState& s, const double& TB, const double& PBe, double& Visk);

}  // namespace morvane
