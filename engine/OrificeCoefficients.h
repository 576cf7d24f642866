// Discharge coefficient, expansion factor, differential pressure and permanent
// pressure loss of the orifice plates, the venturi nozzle, the classical venturi
// tubes and the small-flow meter run RQ8, after ISO 5167-1:1991; the venturis'
// expansion factor is the isentropic one of ISO 5167-3 and -4.
#pragma once

#include "engine/EngineContext.h"

#include <cstdint>
#include <optional>

namespace morvane {

// The program's own message (resource text) of get_Blende: the dp iteration
// found no fixed point, so the run stops instead of going on with a dp that
// belongs to no flow.
inline constexpr std::int32_t TextOrificeDpNotConverged = 1942;
// ... and the discharge coefficient of the bore is 0 or less.
inline constexpr std::int32_t TextOrificeCNotPositive = 1962;
// The box that comes before text 1942.
inline constexpr std::int32_t TextOrificeKeineKonvergenz = 1967;

// Tapping distances from the upstream (l1) and to the downstream (l2) face of
// the plate, m.
struct TappingDistances {
    double l1 = 0.0;
    double l2 = 0.0;
};

// l1 and l2 of the orifice types 1, 9, 10 and 11 in a pipe of dMeter (m at 20 °C).
TappingDistances orificeTappings(Integer elementType, double dMeter);

// Coefficient c4 of the β⁴/(1 − β⁴) term of the Stolz equation: 0.039 where
// L1 ≥ 0.4333, else 0.09·L1.
double stolzC4(double L1);

// The Stolz equation with L1 = l1/D and L2 = l2/D; reynolds is the Reynolds
// number as it enters the equation.
double stolzDischargeCoefficient(double beta, double reynolds, double L1, double L2);

// The product k1·k2·k3 of the RQ8's small-pipe corrections; reynolds unscaled.
double rq8Correction(double beta, double reynolds, double dMeter);

// C of element types 1 and 9 to 15 (run-time error 5 for any other type).
double dischargeCoefficient(Integer elementType, double beta, double reynolds, double epsilonFaktor, double dMeter);

// The classical venturi tubes (types 13 to 15).
bool isVenturiTube(Integer elementType);

// The permanent pressure loss of a classical venturi tube as a share of its dp,
// at diameter ratio beta in a pipe of dMeter (m): the curves of ISO 5167-4 and
// ASME MFC-3M for D 65 mm and D 500 mm (engine/VenturiTubeLossPoints.h), linear
// in β, then linear in D, held at their end values outside the curves' β and
// outside 65 to 500 mm. The rise of the loss below a Reynolds number of 6e5 is
// left out.
double venturiTubeLossFraction(double beta, double dMeter);

// The equation of the expansion factor: the empirical one of orifice plates
// (types 1 and 9 to 11), or the isentropic one of nozzles and venturi tubes
// (types 12 to 15).
enum class Expansibility { Orifice, Isentropic };
Expansibility expansibilityOf(Integer elementType);

// ε = √[κτ^(2/κ)/(κ − 1) · (1 − β⁴)/(1 − β⁴τ^(2/κ)) · (1 − τ^((κ−1)/κ))/(1 − τ)],
// τ = 1 − dpOverP (ISO 5167-3 and ISO 5167-4), with its
// limits at dp = 0 (ε = 1) and κ = 1. An incompressible medium (κ of
// KappaInkompressibel or more) has ε = 1 for any dp. Nothing where the
// equation has no value: dp at or above p (τ ≤ 0), κ ≤ 0, or no ε above 0.
std::optional<double> isentropicExpansibility(double beta, double kappa, double dpOverP);

// The fixed point between differential pressure and expansion factor.
struct OrificeIteration {
    double e = 1.0;        // expansion factor at q·epsilonFaktor
    double dp1Pa = 0.0;    // differential pressure at q·epsilonFaktor, last pass, Pa
    double dpKPa = 0.0;    // differential pressure at q with that e, kPa
    double lossKPa = 0.0;  // permanent pressure loss at q by the orifice plates' equation, kPa
    int passes = 0;
    bool converged = false;
};

// Runs the iteration for the mass flow q (kg/s) with the discharge coefficient
// C, throat diameter ratio beta, warm pipe diameter dwMeter (m), density rho
// (kg/m³), isentropic exponent kappa and pressure pPa (Pa absolute), with the
// expansion factor of `equation`. Where the isentropic equation has no value
// on the way (a dp at or above p), it has no fixed point (converged false).
OrificeIteration orificeDifferentialPressure(double q, double epsilonFaktor, double C, double beta, double dwMeter,
                                             double rho, double kappa, double pPa,
                                             Expansibility equation = Expansibility::Orifice);

// One operating point of element types 1 and 9 to 15: q mass flow (kg/s), Re pipe
// Reynolds number; e receives the expansion factor, dp the differential
// pressure (kPa) and dpb the permanent pressure loss (kPa): the classical
// venturi tubes' share of dp, the orifice plates' equation for the others. Writes gKZahl,
// gDurchflusskoeffizient, gZeta and gBeta. Without convergence it shows the box
// of text 1967 ("keine Konvergenz"), puts text 1942 into gFehlerDp and stores
// nothing.
void get_Blende(EngineContext& ctx, double& q, double& Re, double& e, double& dp, double& dpb);

}  // namespace morvane
