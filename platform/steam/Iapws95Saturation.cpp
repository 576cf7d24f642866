#include "platform/steam/Iapws95Saturation.h"

#include <array>
#include <cmath>
#include <cstddef>

namespace morvane::iapws95 {

namespace {

// Supplementary Release on Saturation Properties (1992), Eqs. 1-3.
constexpr std::array<double, 6> kPressureA{-7.85951783, 1.84408259, -11.7866497, 22.6807411, -15.9618719, 1.80122502};
constexpr std::array<double, 6> kLiquidB{1.99274064, 1.09965342, -0.510839303, -1.75493479, -45.5170352, -6.74694450e5};
constexpr std::array<int, 6> kLiquidThirds{1, 2, 5, 16, 43, 110};  // exponents in units of 1/3
constexpr std::array<double, 6> kVapourC{-2.03150240, -2.68302940, -5.38626492, -17.2991605, -44.7586581, -63.9201063};
constexpr std::array<int, 6> kVapourSixths{2, 4, 8, 18, 37, 71};  // exponents in units of 1/6

double integerPower(double base, int exponent)
{
    double result = 1.0;
    while (exponent > 0) {
        if (exponent & 1) {
            result *= base;
        }
        base *= base;
        exponent >>= 1;
    }
    return result;
}

// 1 - T/Tc
double reducedDistance(double temperatureK)
{
    return 1.0 - temperatureK / kCriticalTemperatureK;
}

// Newton steps stop once both relative density steps are this small: the next
// step would be of the order of its square, below the rounding of the functions.
constexpr double kStepTolerance = 1e-8;
// Close to Tc the rounding of J and K limits the densities to about 1e-7; there
// the iteration ends on residuals at rounding level instead.
constexpr double kResidualTolerance = 1e-12;
constexpr int kMaxIterations = 40;
// Width of the stretch below Tc where the Newton solution gives way (nearCritical).
constexpr double kNearCriticalBandK = 1e-4;

}  // namespace

double auxiliarySaturationPressureMPa(double temperatureK)
{
    const double v = reducedDistance(temperatureK);
    const double sv = std::sqrt(v);
    const double v3 = v * v * v;
    const double sum = kPressureA[0] * v + kPressureA[1] * v * sv + kPressureA[2] * v3 + kPressureA[3] * v3 * sv +
                       kPressureA[4] * v3 * v + kPressureA[5] * v3 * v3 * v * sv;
    return kCriticalPressureMPa * std::exp(kCriticalTemperatureK / temperatureK * sum);
}

double auxiliarySaturatedLiquidDensity(double temperatureK)
{
    const double third = std::cbrt(reducedDistance(temperatureK));
    double sum = 1.0;
    for (std::size_t i = 0; i < kLiquidB.size(); ++i) {
        sum += kLiquidB[i] * integerPower(third, kLiquidThirds[i]);
    }
    return kCriticalDensityKgM3 * sum;
}

double auxiliarySaturatedVapourDensity(double temperatureK)
{
    const double sixth = std::sqrt(std::cbrt(reducedDistance(temperatureK)));
    double sum = 0.0;
    for (std::size_t i = 0; i < kVapourC.size(); ++i) {
        sum += kVapourC[i] * integerPower(sixth, kVapourSixths[i]);
    }
    return kCriticalDensityKgM3 * std::exp(sum);
}

namespace {

std::optional<SaturationState> phaseEquilibrium(const Isotherm& isotherm)
{
    const double temperatureK = isotherm.temperatureK();
    // With J = delta (1 + delta phir_d) (reduced pressure, p = rhoc R T J) and
    // K = delta phir_d + phir + ln delta (reduced Gibbs energy up to terms equal in
    // both phases), the conditions are J(dl) = J(dv) and K(dl) = K(dv); note that
    // dK/ddelta = (dJ/ddelta) / delta.
    double dl = auxiliarySaturatedLiquidDensity(temperatureK) / kCriticalDensityKgM3;
    double dv = auxiliarySaturatedVapourDensity(temperatureK) / kCriticalDensityKgM3;
    for (int iteration = 0; iteration < kMaxIterations; ++iteration) {
        const Residual l = isotherm.residualDensityPart(dl);
        const Residual v = isotherm.residualDensityPart(dv);
        const double jl = dl * (1.0 + dl * l.d);
        const double jv = dv * (1.0 + dv * v.d);
        const double kl = dl * l.d + l.phi + std::log(dl);
        const double kv = dv * v.d + v.phi + std::log(dv);
        const double jlD = 1.0 + dl * (2.0 * l.d + dl * l.dd);
        const double jvD = 1.0 + dv * (2.0 * v.d + dv * v.dd);
        const double klD = jlD / dl;
        const double kvD = jvD / dv;
        const double f1 = jv - jl;
        const double f2 = kv - kl;
        const double det = jvD * klD - jlD * kvD;
        if (!std::isfinite(det) || det == 0.0) {
            return std::nullopt;
        }
        const double stepL = (f2 * jvD - f1 * kvD) / det;
        const double stepV = (f2 * jlD - f1 * klD) / det;
        const bool atRoundingLevel = std::abs(f1) <= kResidualTolerance && std::abs(f2) <= kResidualTolerance;
        dl += stepL;
        dv += stepV;
        if (!(dv > 0.0 && dl > dv && std::isfinite(dl))) {
            return std::nullopt;
        }
        if ((std::abs(stepL) <= kStepTolerance * dl && std::abs(stepV) <= kStepTolerance * dv) || atRoundingLevel) {
            // The pressure from the vapour side, where it does not come out as a
            // small difference of large terms; J at the stepped density to first
            // order, the neglected part being of the order of the step squared.
            const double pressureMPa =
                kCriticalDensityKgM3 * kGasConstantKJKgK * temperatureK * (jv + jvD * stepV) * 1e-3;
            if (!(pressureMPa > 0.0) || !std::isfinite(pressureMPa)) {
                return std::nullopt;
            }
            return SaturationState{pressureMPa, dl * kCriticalDensityKgM3, dv * kCriticalDensityKgM3};
        }
    }
    return std::nullopt;
}

// The last stretch below Tc. There the two densities differ by less than 1 %, and
// rounding in J and K moves their Newton solution by up to 1e-6 (and more, closer
// in). The pressure is taken on the critical isochore instead, which touches the
// vapour-pressure curve at Tc with the same slope and differs from it by less
// than 1e-11 (relative) at the start of the stretch; the densities run from their
// values there to rhoc along the square-root law that the formulation's
// coexistence curve follows this close to Tc.
std::optional<SaturationState> nearCritical(const Isotherm& isotherm)
{
    const std::optional<SaturationState> edge = phaseEquilibrium(Isotherm(kCriticalTemperatureK - kNearCriticalBandK));
    if (!edge) {
        return std::nullopt;
    }
    const double scale = std::sqrt((kCriticalTemperatureK - isotherm.temperatureK()) / kNearCriticalBandK);
    return SaturationState{isotherm.pressureMPa(kCriticalDensityKgM3),
                           kCriticalDensityKgM3 + (edge->liquidDensityKgM3 - kCriticalDensityKgM3) * scale,
                           kCriticalDensityKgM3 - (kCriticalDensityKgM3 - edge->vapourDensityKgM3) * scale};
}

}  // namespace

std::optional<SaturationState> saturation(double temperatureK)
{
    if (!(temperatureK >= kMinTemperatureK && temperatureK < kCriticalTemperatureK)) {
        return std::nullopt;
    }
    return saturation(Isotherm(temperatureK));
}

std::optional<SaturationState> saturation(const Isotherm& isotherm)
{
    const double temperatureK = isotherm.temperatureK();
    if (!(temperatureK >= kMinTemperatureK && temperatureK < kCriticalTemperatureK)) {
        return std::nullopt;
    }
    if (kCriticalTemperatureK - temperatureK < kNearCriticalBandK) {
        return nearCritical(isotherm);
    }
    return phaseEquilibrium(isotherm);
}

}  // namespace morvane::iapws95
