// The IAPWS-95 formulation for ordinary water: the dimensionless Helmholtz free
// energy, phi = phi0(delta, tau) + phir(delta, tau) with delta = rho / rhoc and
// tau = Tc / T, and the properties that follow from it at a given (T, rho).
//
// Source: IAPWS, Revised Release on the IAPWS Formulation 1995 for the
// Thermodynamic Properties of Ordinary Water Substance for General and Scientific
// Use (2018), Tables 1 and 2 (coefficients), Table 4 (phi0 derivatives), Table 5
// (phir derivatives) and Table 3 (property relations).
//
// Units throughout this folder: K, kg/m3, MPa, kJ/(kg K).
#pragma once

#include <array>
#include <optional>

namespace morvane::iapws95 {

inline constexpr double kCriticalTemperatureK = 647.096;
inline constexpr double kCriticalDensityKgM3 = 322.0;
inline constexpr double kCriticalPressureMPa = 22.064;
inline constexpr double kGasConstantKJKgK = 0.46151805;  // specific gas constant R

// The domain this library answers for (validated from 273.14 K to 1273.15 K and up
// to 100 MPa); outside it every query returns no value.
inline constexpr double kMinTemperatureK = 250.0;
inline constexpr double kMaxTemperatureK = 1300.0;
inline constexpr double kMaxPressureMPa = 1000.0;
inline constexpr double kMaxDensityKgM3 = 1400.0;  // above the density at 1000 MPa over the whole range

bool inTemperatureRange(double temperatureK);
bool inDensityRange(double densityKgM3);

// phir and its partial derivatives: d = d/d delta, t = d/d tau.
struct Residual {
    double phi = 0.0;
    double d = 0.0;
    double dd = 0.0;
    double t = 0.0;
    double tt = 0.0;
    double dt = 0.0;
    // At the critical point itself (delta = tau = 1) phir_tautau has no finite
    // value (cv grows without bound towards it); tt is then left at 0 and this is set.
    bool atCriticalPoint = false;
};

// The residual part along one isotherm. The factors that depend on tau alone are
// worked out once in the constructor, so that the density iterations, which keep T
// fixed, pay only for the delta-dependent part of each evaluation.
class Isotherm {
public:
    explicit Isotherm(double temperatureK);

    double temperatureK() const { return temperatureK_; }
    double tau() const { return tau_; }

    // phi, d and dd only (enough for pressure, its density slope and the Gibbs energy).
    Residual residualDensityPart(double delta) const;
    // All six.
    Residual residual(double delta) const;

    // p = rho R T (1 + delta phir_d), in MPa.
    double pressureMPa(double densityKgM3) const;
    // (p in MPa, dp/drho at constant T in MPa per kg/m3).
    std::array<double, 2> pressureAndSlope(double densityKgM3) const;

private:
    template <bool WithTau>
    Residual evaluate(double delta) const;

    double temperatureK_;
    double tau_;
    std::array<double, 7> polyA_;    // n_i tau^t_i, terms 1-7
    std::array<double, 44> expA_;    // n_i tau^t_i, terms 8-51
    std::array<double, 3> gaussA_;   // n_i tau^t_i exp(-beta_i (tau - gamma_i)^2), terms 52-54
    std::array<double, 3> gaussT_;   // d ln(that factor) / d tau
    std::array<double, 3> gaussTT_;  // (d2 (that factor) / d tau2) / (that factor)
    std::array<double, 2> psiTau_;   // exp(-D_i (tau - 1)^2), terms 55-56
};

// phi0_tautau, the only ideal-gas derivative the properties here need.
double idealTauTau(double tau);

// Properties at (T, rho); no value outside the domain, at the critical point, where
// the result would not be finite, and (cp only) where the state is mechanically
// unstable (dp/drho <= 0, inside the spinodals).
std::optional<double> pressureMPa(double temperatureK, double densityKgM3);
std::optional<double> isochoricHeatCapacity(double temperatureK, double densityKgM3);
std::optional<double> isobaricHeatCapacity(double temperatureK, double densityKgM3);

}  // namespace morvane::iapws95
