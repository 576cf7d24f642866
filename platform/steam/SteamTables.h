// Stands for the steam-table library steamtab.dll: its five functions PSB, DB, DVB,
// CPB and CVB, here computed from the IAPWS-95 formulation for water and steam.
//
// Conventions, as the program calls the library: temperatures in K (the program
// passes degrees Celsius + 273.14), pressures in MPa absolute, densities in kg/m3,
// heat capacities in kJ/(kg K); arguments are taken by reference and left
// unchanged. The functions keep no state between calls: equal arguments give equal
// results whatever was called before, from any thread.
//
// Range: validated from 273.14 K (just below the triple point, where the liquid and
// the saturation curve are the IAPWS-95 extrapolation) to 1273.15 K and up to
// 100 MPa, liquid, vapour and supercritical; answered from 250 K to 1300 K and up to
// 1000 MPa.
//
// The library reports no error. Every function returns 0 instead of a value when an
// argument is outside the answered range (or not a finite number), or when the
// property has no finite value there; it never returns NaN or infinity. A caller
// that divides by a result (cp / cv) tests it for 0 first.
#pragma once

namespace morvane {

// Saturation pressure in MPa. Below the critical temperature Tc = 647.096 K the
// IAPWS-95 phase equilibrium; from Tc up, where there is no saturation, the
// pressure on the critical isochore p(T, 322 kg/m3), which joins the vapour-pressure
// curve at the critical point with the same slope, so that a state above it counts
// as liquid and one below it as vapour in the program's saturation checks. (The
// isochore stands in for the equilibrium from 1e-4 K below Tc already, where the
// two agree to 1e-11; see Iapws95Saturation.h.)
double PSB(double& temperatureK);

// Density in kg/m3 at (T, p): below Tc the liquid when p lies above PSB(T), the
// vapour when p is at or below it; from Tc up the single fluid. 0 for p <= 0.
double DB(double& temperatureK, double& pressureMPa);

// Density of the saturated vapour in kg/m3; from Tc up the critical density
// 322 kg/m3, the value on the isochore that PSB follows there.
double DVB(double& temperatureK);

// Isobaric heat capacity in kJ/(kg K) at (T, rho); 0 where the state is
// mechanically unstable (inside the spinodals, dp/drho <= 0) and at the critical
// point, where it has no finite value.
double CPB(double& temperatureK, double& densityKgM3);

// Isochoric heat capacity in kJ/(kg K) at (T, rho); 0 at the critical point.
double CVB(double& temperatureK, double& densityKgM3);

}  // namespace morvane
