#include "platform/steam/Iapws95Density.h"

#include "platform/steam/Iapws95.h"
#include "platform/steam/Iapws95Saturation.h"

#include <cmath>

namespace morvane::iapws95 {

namespace {

// Away from the saturation pressure by more than this (relative), the auxiliary
// vapour-pressure equation, which is within 1e-4 of IAPWS-95, decides the phase
// and the full phase equilibrium is not needed.
constexpr double kPhaseBand = 1e-3;
// Up to this temperature the spinodals lie more than 5 % (liquid) and 7 % (vapour)
// beyond the saturated densities, and the auxiliary densities are within 0.2 % of
// them; a bracket that reaches 1 % past an auxiliary density therefore stays on the
// stable or metastable part of its branch, where p rises with rho.
constexpr double kAuxiliaryBracketMaxTemperatureK = 646.0;
constexpr double kBranchMargin = 0.01;

constexpr double kStepTolerance = 1e-12;      // relative Newton step that ends the iteration
constexpr double kResidualTolerance = 1e-14;  // relative pressure residual that ends it
constexpr int kMaxIterations = 200;

// Newton steps on p(rho) = p within [lo, hi], a bracket of one branch on which p
// rises with rho and the root lies. Each evaluation narrows the bracket; a step
// that leaves it, or a slope that is not positive, gives way to bisection.
std::optional<double> solveOnBranch(const Isotherm& isotherm, double pressureMPa, double start, double lo, double hi)
{
    double rho = (start >= lo && start <= hi) ? start : 0.5 * (lo + hi);
    for (int iteration = 0; iteration < kMaxIterations; ++iteration) {
        const auto [p, slope] = isotherm.pressureAndSlope(rho);
        const double f = p - pressureMPa;
        if (f == 0.0) {
            return rho;
        }
        if (f < 0.0) {
            lo = rho;
        } else {
            hi = rho;
        }
        if (slope > 0.0) {
            const double newton = rho - f / slope;
            if (newton > lo && newton < hi) {
                if (std::abs(newton - rho) <= kStepTolerance * rho || std::abs(f) <= kResidualTolerance * pressureMPa) {
                    return newton;
                }
                rho = newton;
                continue;
            }
        }
        const double mid = 0.5 * (lo + hi);
        if (hi - lo <= kStepTolerance * mid) {
            return mid;
        }
        rho = mid;
    }
    return std::nullopt;
}

double idealGasDensity(double temperatureK, double pressureMPa)
{
    return pressureMPa * 1e3 / (kGasConstantKJKgK * temperatureK);
}

}  // namespace

std::optional<double> density(double temperatureK, double pressureMPa)
{
    if (!inTemperatureRange(temperatureK) || !(pressureMPa > 0.0 && pressureMPa <= kMaxPressureMPa)) {
        return std::nullopt;
    }
    const Isotherm isotherm(temperatureK);
    const double rhoIdeal = idealGasDensity(temperatureK, pressureMPa);
    if (temperatureK >= kCriticalTemperatureK) {
        return solveOnBranch(isotherm, pressureMPa, rhoIdeal, 0.0, kMaxDensityKgM3);
    }

    const double psAux = auxiliarySaturationPressureMPa(temperatureK);
    if (temperatureK <= kAuxiliaryBracketMaxTemperatureK && std::abs(pressureMPa - psAux) > kPhaseBand * psAux) {
        if (pressureMPa > psAux) {
            const double rl = auxiliarySaturatedLiquidDensity(temperatureK);
            return solveOnBranch(isotherm, pressureMPa, rl, rl * (1.0 - kBranchMargin), kMaxDensityKgM3);
        }
        const double rv = auxiliarySaturatedVapourDensity(temperatureK);
        return solveOnBranch(isotherm, pressureMPa, rhoIdeal, 0.0, rv * (1.0 + kBranchMargin));
    }

    const std::optional<SaturationState> sat = saturation(isotherm);
    if (!sat) {
        return std::nullopt;
    }
    if (pressureMPa > sat->pressureMPa) {
        return solveOnBranch(isotherm, pressureMPa, sat->liquidDensityKgM3, sat->liquidDensityKgM3, kMaxDensityKgM3);
    }
    return solveOnBranch(isotherm, pressureMPa, std::fmin(rhoIdeal, sat->vapourDensityKgM3), 0.0,
                         sat->vapourDensityKgM3);
}

}  // namespace morvane::iapws95
