// The named cases that tests share, each with the engine's values and their
// source, stated here once. The engine's values are what the Calculate run
// (engine_driver on the case's input) leaves in the state, to full precision
// (ReferenceCases.HoldWhatTheCalculateRunLeaves in tests/engine/driver runs
// them again); the tests of tests/engine check the steps that give them
// against independent references. A test that only formats or prints what the state holds takes a
// case from here instead of typing the numbers again; a test that checks the
// engine keeps its own reference numbers.
#pragma once

#include "engine/ProgramState.h"

#include <array>

namespace morvane::testing {

// ---------------------------------------------------------------------------
// Water orifice: a flange-tapped orifice (type 9), D 100 mm, d 50 mm (β 0.5),
// water from the medium list at 20 °C and 500 kPa, 10 kg/s; with the flow range
// on, maximum 12, normal 10 and minimum 2 kg/s.
//   ρ 998.3917724614247 kg/m³: IAPWS-95 at t + 273.14 K (the program's zero
//     point); python3-iapws 1.5.2 IAPWS95(T=293.14, P=0.5) gives
//     998.3917724614261 (tests/engine/test_water_steam_density.cpp).
//   μ 1.07096962483 cP: the program's water fit, 4/5 of the way from its 0 °C
//     to its 25 °C fit (tests/engine/test_viscosity.cpp), not IAPWS 2008's
//     1.0015 cP.
//   Re 118886.7, C 0.605445 (Stolz equation), dp 33.222466 kPa and pressure
//     loss 24.239683 kPa at the design point: the orifice step checked against
//     python3-fluids 1.0.22 (tests/engine/test_orifice.cpp,
//     test_orifice_fluids_check.cpp).
namespace water_orifice {
inline constexpr double density = 998.3917724614247;
inline constexpr double viscosity = 1.07096962483;  // cP
inline constexpr double c = 0.6054449866036217;
// Design, maximum, normal and minimum point.
inline constexpr std::array<double, 4> reynolds = {118886.71636206427, 142664.0596344771, 118886.71636206427,
                                                   23777.343272412854};
inline constexpr std::array<double, 4> dp = {33.222466043149105, 47.89153290799636, 33.222466043149105,
                                             1.3032258256614355};  // kPa
inline constexpr std::array<double, 4> loss = {24.239682792575927, 34.9484722840644, 24.239682792575927,
                                               0.9478730452352312};  // kPa
inline constexpr std::array<double, 4> velocity = {1.2752915792329416, 1.5303498950795298, 1.2752915792329416,
                                                   0.25505831584658833};  // m/s
inline constexpr std::array<double, 4> expansion = {0.9999999999713041, 0.9999999999586336, 0.9999999999713041,
                                                    0.9999999999988743};
}  // namespace water_orifice

// The water orifice's design point with the engine's values, in the fields
// that the windows and printouts read. The company, customer and further
// operating points are left to each test (fillWaterOrificeRange adds the flow
// range).
inline void fillWaterOrifice(ProgramState& s)
{
    namespace w = water_orifice;
    auto& c = s.calc;
    c.gModellGespeicherteDaten = -1;
    c.gMediumNr = 4;
    c.gKritischeTemperatur = 374.0;
    c.gKritischerDruck = 22000.0;
    c.gBetriebsdichte = w::density;
    c.gViskositaet = w::viscosity;
    c.gIsentropenkoeffizient = 1e9;  // a liquid's
    c.gDruck = 500.0;
    c.gTemperatur = 20.0;
    c.gDurchflussAuslegung = 10.0;
    c.gDurchflussEinheit = 4;  // kg/s
    c.gInnendurchmesser = 100.0;
    c.gInnendurchmesserWarm = 100.0;
    c.gWandstaerke = 3.6;
    c.gPrimaerelementtyp = 9;
    c.gOeffnungsdurchmesser = 50.0;
    c.gBeta = 0.5;
    c.gKZahl = w::c;
    c.gKorrekturFaktor = 1.0;
    c.gDifferenzdruck[0] = w::dp[0];
    c.gDruckverlust[0] = w::loss[0];
    c.gExpansionszahl[0] = w::expansion[0];
    c.gReynolds[0] = w::reynolds[0];
    c.gGeschwindigkeit[0] = w::velocity[0];
    s.config.gTypenschluessel = "NONE";
    s.settings.gCompanyFirma2 = "Bitte geben Sie";
    s.settings.gCompanyStrasse = "Ihre Benutzerdaten ein";
    s.settings.gUserAbteilung = "please enter";
    s.settings.gUserDurchwahl = "user-settings";
    s.doc.gAuftragsnummer = "A-77";
    s.doc.gDatum = "10.12.2026 11:00:00";
}

// The flow range of the water orifice on, with the engine's four points.
inline void fillWaterOrificeRange(ProgramState& s)
{
    namespace w = water_orifice;
    auto& c = s.calc;
    c.gMehrereBetriebspunkte = 1;
    c.gDurchflussMax = 12.0;
    c.gDurchflussNorm = 10.0;
    c.gDurchflussMin = 2.0;
    c.gMassenstrom = {10.0, 12.0, 10.0, 2.0};
    c.gDifferenzdruck = w::dp;
    c.gDruckverlust = w::loss;
    c.gExpansionszahl = w::expansion;
    c.gReynolds = w::reynolds;
    c.gGeschwindigkeit = w::velocity;
}

// ---------------------------------------------------------------------------
// DISPLAY ONLY, not an engine result: the water orifice's inputs with results
// set by hand (density 998.2 kg/m³ beside the engine's C, Re and dp; velocity
// 1.2755 m/s, which rounds half up to 1.28), for the tests of a window that only
// formats what the state holds. Never compare a calculation with it.
inline void fillDisplayOnlyOrifice(ProgramState& p)
{
    CalculationState& s = p.calc;
    s.gModellGespeicherteDaten = -1;
    s.gMediumNr = 4;  // water
    s.gDruck = 500.0;
    s.gTemperatur = 20.0;
    s.gDurchflussEinheit = 4;  // kg/s
    s.gDurchflussAuslegung = 10.0;
    s.gPrimaerelementtyp = 9;
    s.gInnendurchmesser = 100.0;
    s.gInnendurchmesserWarm = 100.0;
    s.gBetriebsdichte = 998.2;
    s.gIsentropenkoeffizient = 1e9;
    s.gKZahl = 0.605445;
    s.gBeta = 0.5;
    s.gKorrekturFaktor = 1.0;
    s.gDifferenzdruck[0] = 33.222466;
    s.gReynolds[0] = 118886.7;
    s.gExpansionszahl[0] = 1.0;
    s.gGeschwindigkeit[0] = 1.2755;
    p.doc.gMessstellennummer = "FT-101";
    p.config.gTypenschluessel = "BL-9-100";
}

// ---------------------------------------------------------------------------
// Air orifice: the water orifice's pipe and bore with air as an ideal gas
// (norm density 1.293 kg/Nm³, Z 1, κ 1.4, 0.0181 cP) at 200 kPa and 20 °C, as
// the main-window tests enter it (tests/gui/CalcRig.h, enterAirOrifice).
//   ρ 2.3780622259075432 kg/m³ = 1.293·200·273.15/293.15/101.325 (the ideal
//     gas law of the density step).
//   At 3400 kg/h (Re 664367.4) the dp iteration has no fixed point: Calculate
//     stops with the message that it does not converge.
//   With a known dp of 100 mbar the solver finds 947.944 kg/h.
namespace air_orifice {
inline constexpr double flowAt100Mbar = 947.944;  // kg/h
}  // namespace air_orifice

// ---------------------------------------------------------------------------
// RQ25 gas probe: an averaging probe RQ25 (type 3) in a round pipe of D 200 mm,
// wall 5 mm, air as an ideal gas (as the air orifice) at 200 kPa and 20 °C,
// 1 kg/s. The density by the ideal gas law, as the air orifice's; K and ζ from
// the shipped probe table RQ25 (tests/gasgen checks the tables); the natural
// and vortex frequencies of the vibration check (no warning at a ratio of
// 2.13, tests/engine/test_vibration.cpp); the flow limits of the limits step
// (tests/engine/test_flow_limits.cpp).
namespace rq25_gas_probe {
inline constexpr double density = 2.3780622259075432;
inline constexpr double reynolds = 351723.92823080264;
inline constexpr double k = 0.7644547335643629;
inline constexpr double zeta = 1.7111829787234043;
inline constexpr double expansion = 0.999452161064731;
inline constexpr double dp = 0.3649389406333803;     // kPa
inline constexpr double loss = 0.03660100364241392;  // kPa
inline constexpr double velocity = 13.385274429789124;
inline constexpr double naturalFrequency = 272.10884353741494;
inline constexpr double vortexFrequency = 127.47880409322975;
inline constexpr double frequencyRatio = 2.13;
inline constexpr double probeLength = 210.0;  // mm
inline constexpr double qmaxAllowed = 1.6384615384615384;
inline constexpr double qmaxRecommended = 1.065;
inline constexpr double qminRecommended = 0.261733854407149;
inline constexpr double qminPossible = 0.16553502414029808;
}  // namespace rq25_gas_probe

// The RQ25 gas probe's design point with the engine's values.
inline void fillRq25GasProbe(ProgramState& s)
{
    namespace r = rq25_gas_probe;
    auto& c = s.calc;
    c.gModellIdealesGas = -1;
    c.gDichteEingabe = 1.293;
    c.gKompressibilitaetEingabe = 1.0;
    c.gViskositaetEingabe = 0.0181;
    c.gIsentropenkoeffizientEingabe = 1.4;
    c.gTemperatur = 20.0;
    c.gDruck = 200.0;
    c.gPrimaerelementtyp = 3;
    c.gInnendurchmesser = 200.0;
    c.gWandstaerke = 5.0;
    c.gDurchflussEinheit = 4;  // kg/s
    c.gDurchflussAuslegung = 1.0;
    c.gKorrekturFaktor = 1.0;
    c.gEpsilonFaktor = 1.0;
    c.gBetriebsdichte = r::density;
    c.gViskositaet = 0.0181;
    c.gKompressibilitaet = 1.0;
    c.gIsentropenkoeffizient = 1.4;
    c.gInnendurchmesserWarm = 200.0;
    c.gKZahl = r::k;
    c.gZeta = r::zeta;
    c.gMassenstrom[0] = 1.0;
    c.gReynolds[0] = r::reynolds;
    c.gExpansionszahl[0] = r::expansion;
    c.gDifferenzdruck[0] = r::dp;
    c.gDruckverlust[0] = r::loss;
    c.gGeschwindigkeit[0] = r::velocity;
    c.gEigenfrequenz = r::naturalFrequency;
    c.gVortexfrequenz = r::vortexFrequency;
    c.gFrequenzverhaeltnis = r::frequencyRatio;
    c.gSondenlaenge = r::probeLength;
    c.gQmaxErlaubt = r::qmaxAllowed;
    c.gQmaxEmpfohlen = r::qmaxRecommended;
    c.gQminEmpfohlen = r::qminRecommended;
    c.gQminMoeglich = r::qminPossible;
}

}  // namespace morvane::testing
