// Mass flow, velocity and Reynolds number of the four operating points, and
// their differential pressure, expansion factor and permanent pressure loss:
// averaging probes here, orifices and venturis through get_Blende.
#pragma once

#include "engine/EngineContext.h"

#include <cstdint>

namespace morvane {

// The program's own message (resource text) of this step: the probe iteration
// found no fixed point, so the run stops instead of going on with a dp that
// belongs to no flow.
inline constexpr std::int32_t TextProbeDpNotConverged = 1900;
// The box that comes before text 1900.
inline constexpr std::int32_t TextProbeKeineKonvergenz = 1968;

// Width of a probe of element type `typ` across the pipe, mm: fixed for the
// types 2 to 7, `sondenbreite` as entered for another maker's probe (type 8), 0
// for the elements that are no probe.
inline double probeWidthMm(Integer typ, double sondenbreite)
{
    switch (typ) {
    case element::RQ10: return 8.0 * 1.4142135623730951;  // 8·√2
    case element::RQ25: return 21.0;
    case element::RQ25HDD: return 22.0;
    case element::RQ32: return 33.7;
    case element::RQ44: return 44.0;
    case element::RQ50: return 50.0;
    case element::SondeAndererHersteller: return sondenbreite;
    default: return 0.0;
    }
}

// The fixed point of an averaging probe between differential pressure and
// expansion factor.
struct ProbeIteration {
    double e = 1.0;        // expansion factor at q·epsilonFaktor
    double dpKPa = 0.0;    // differential pressure at q, kPa
    double lossKPa = 0.0;  // permanent pressure loss, kPa
    int passes = 0;
    bool converged = false;
};

// q mass flow (kg/s), K the probe's flow coefficient, widthMm and dMm probe
// width and warm pipe diameter, rho (kg/m³), kappa, pKPa (kPa absolute).
ProbeIteration probeDifferentialPressure(double q, double epsilonFaktor, double korrekturFaktor, double K,
                                         double widthMm, double dMm, double rho, double kappa, double pKPa);

// Diameter ratio of the bore whose area equals the pipe's free area beside a
// probe of widthMm through the axis of a pipe of dMm.
double probeEquivalentBeta(double widthMm, double dMm);

// The step: converts the four flows to mass flows and computes the design
// point, and with the flow range on the other three (not in the passes of a
// solver that seeks the flow, EngineContext::designPointOnly).
void BerechneDifferenzdruck(EngineContext& e);

// Velocity and Reynolds number of all four points from gMassenstrom.
void BerechneReynolds(EngineContext& e);

// What BerechneReynolds wrote for which inputs (mass flows, operating
// density, warm inner diameter, viscosity). Within a solver run that seeks a
// bore, the inputs stay the same from pass to pass; the dp step then writes the
// kept velocities and Reynolds numbers instead of computing them again, bit for
// bit what the computation gives.
struct ReynoldsReuse {
    bool kept = false;
    PointArray massenstrom{};
    double betriebsdichte = 0;
    double innendurchmesserWarm = 0;
    double viskositaet = 0;
    PointArray geschwindigkeit{};
    PointArray reynolds{};
};

// One operating point: q mass flow (kg/s), Re its Reynolds number; e receives the
// expansion factor, dp the differential pressure (kPa), dpb the permanent
// pressure loss (kPa).
void Getdp(EngineContext& ctx, double& q, double& Re, double& e, double& dp, double& dpb);

}  // namespace morvane
