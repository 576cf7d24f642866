// How the engine calls the steam-table library: temperatures go in as °C + 273.14
// (the library's own offset, not the 273.15 of the viscosity formulas),
// pressures as MPa, densities as kg/m³. Each call hands the library temporary
// copies, so nothing of the calculation state is passed by reference, and a
// result that is not a finite number raises run-time error 6 before it can reach
// the state.
#pragma once

namespace morvane {

// Kelvin of the steam-table calls = °C + this.
inline constexpr double SteamTableKelvinOffset = 273.14;
// Critical temperature of IAPWS-95, K. Saturation is defined, and compared,
// only below it: with the offset above that is t < 373.956 °C.
inline constexpr double SteamCriticalTemperatureK = 647.096;
// Critical pressure of IAPWS-95, MPa.
inline constexpr double SteamCriticalPressureMPa = 22.064;

inline double steamTableKelvin(double celsius) { return celsius + SteamTableKelvinOffset; }
inline bool belowSteamCriticalTemperature(double kelvin) { return kelvin < SteamCriticalTemperatureK; }

// Saturation pressure, MPa.
double steamSaturationPressureMPa(double kelvin);
// Density of the state, kg/m³: liquid above the saturation pressure, vapour
// below it, the single fluid above the critical temperature.
double steamDensity(double kelvin, double pressureMPa);
// Density of the saturated vapour, kg/m³.
double steamSaturatedVapourDensity(double kelvin);
// Isobaric and isochoric heat capacities at (T, ρ); only their ratio is used.
double steamCp(double kelvin, double densityKgM3);
double steamCv(double kelvin, double densityKgM3);

}  // namespace morvane
