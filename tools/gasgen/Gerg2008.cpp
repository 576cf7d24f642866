#include "tools/gasgen/Gerg2008.h"

#include "tools/gasgen/Gerg2008Data.h"

#include <cmath>
#include <stdexcept>
#include <string>

namespace gerg2008 {
namespace {

struct PairParameters {
    double betaV = 1, gammaV = 1, betaT = 1, gammaT = 1;
};

const PairParameters& pairParameters(int i, int j)
{
    static const auto table = [] {
        std::array<std::array<PairParameters, kComponentCount>, kComponentCount> t{};
        for (const auto& p : data::reducingPairs()) {
            const int a = static_cast<int>(p.first);
            const int b = static_cast<int>(p.second);
            if (a >= b)
                throw std::logic_error("GERG-2008 reducing pairs must be in component order");
            t[a][b] = PairParameters{p.betaV, p.gammaV, p.betaT, p.gammaT};
        }
        return t;
    }();
    return table[i][j];
}

}  // namespace

Composition pureComposition(Component c)
{
    Composition x{};
    x[static_cast<int>(c)] = 1.0;
    return x;
}

Mixture::Mixture(const Composition& moleFractions) : x_(moleFractions)
{
    double sum = 0;
    for (int i = 0; i < kComponentCount; ++i) {
        if (!(x_[i] >= 0))
            throw std::invalid_argument("mole fractions must not be negative");
        sum += x_[i];
        if (x_[i] > 0)
            present_.push_back(i);
    }
    if (std::abs(sum - 1.0) > 1e-9)
        throw std::invalid_argument("mole fractions must add up to 1");

    // Reducing functions (Kunz and Wagner 2012, eqs. 7.9 and 7.10):
    //   T_r   = sum_i x_i² T_c,i + sum_i<j 2 x_i x_j beta_T gamma_T (x_i + x_j) /
    //           (beta_T² x_i + x_j) (T_c,i T_c,j)^0.5
    //   1/rho_r likewise with 1/rho_c,i and (rho_c,i^-1/3 + rho_c,j^-1/3)³ / 8.
    double temperature = 0;
    double volume = 0;
    for (std::size_t a = 0; a < present_.size(); ++a) {
        const int i = present_[a];
        const auto& fi = data::pureFluid(static_cast<Component>(i));
        molarMass_ += x_[i] * fi.molarMass;
        temperature += x_[i] * x_[i] * fi.criticalTemperature;
        volume += x_[i] * x_[i] / fi.criticalDensity;
        for (std::size_t b = a + 1; b < present_.size(); ++b) {
            const int j = present_[b];
            const auto& fj = data::pureFluid(static_cast<Component>(j));
            const auto& p = pairParameters(i, j);
            const double xx = 2 * x_[i] * x_[j];
            const double s = x_[i] + x_[j];
            temperature += xx * p.betaT * p.gammaT * s / (p.betaT * p.betaT * x_[i] + x_[j]) *
                           std::sqrt(fi.criticalTemperature * fj.criticalTemperature);
            const double cube = std::cbrt(1 / fi.criticalDensity) + std::cbrt(1 / fj.criticalDensity);
            volume += xx * p.betaV * p.gammaV * s / (p.betaV * p.betaV * x_[i] + x_[j]) *
                      cube * cube * cube / 8;
        }
    }
    reducingTemperature_ = temperature;
    reducingDensity_ = 1 / volume;

    for (const auto& pair : data::departurePairs()) {
        const double weight =
            x_[static_cast<int>(pair.first)] * x_[static_cast<int>(pair.second)] * pair.factor;
        if (weight != 0)
            departures_.push_back(PairDeparture{weight, pair.function});
    }
}

Mixture::ResidualDerivatives Mixture::residual(double delta, double tau) const
{
    // alpha_r = sum_i x_i alpha_r,oi(delta, tau) + sum_i<j x_i x_j F_ij alpha_r,ij(delta, tau).
    // Each term A contributes, with g = delta * d(ln A)/d(delta):
    //   delta   d(A)/d(delta)           = A g
    //   delta²  d²(A)/d(delta)²         = A (g² + delta² d²(ln A)/d(delta)²)
    //   tau delta d²(A)/d(tau)d(delta)  = A g t
    ResidualDerivatives r;
    const double lnTau = std::log(tau);
    std::array<double, 8> deltaPower{};
    deltaPower[0] = 1;
    for (int k = 1; k < 8; ++k)
        deltaPower[k] = deltaPower[k - 1] * delta;

    for (int i : present_) {
        const auto& fluid = data::pureFluid(static_cast<Component>(i));
        double d1 = 0, d2 = 0, dt = 0;
        for (const auto& term : fluid.terms) {
            double a = term.n * deltaPower[term.d] * std::exp(term.t * lnTau);
            double g = term.d;
            double curvature = -term.d;   // delta² d²(ln A)/d(delta)²
            if (term.c > 0) {
                const double dc = deltaPower[term.c];
                a *= std::exp(-dc);
                g -= term.c * dc;
                curvature -= term.c * (term.c - 1) * dc;
            }
            d1 += a * g;
            d2 += a * (g * g + curvature);
            dt += a * g * term.t;
        }
        r.delta += x_[i] * d1;
        r.deltaDelta += x_[i] * d2;
        r.tauDelta += x_[i] * dt;
    }

    const auto functions = data::departureFunctions();
    for (const auto& pair : departures_) {
        double d1 = 0, d2 = 0, dt = 0;
        for (const auto& term : functions[pair.function].terms) {
            const double u = delta - term.epsilon;
            const double a = term.n * deltaPower[term.d] *
                             std::exp(term.t * lnTau - term.eta * u * u - term.beta * (delta - term.gamma));
            const double g = term.d - 2 * term.eta * delta * u - term.beta * delta;
            const double curvature = -term.d - 2 * term.eta * delta * delta;
            d1 += a * g;
            d2 += a * (g * g + curvature);
            dt += a * g * term.t;
        }
        r.delta += pair.weight * d1;
        r.deltaDelta += pair.weight * d2;
        r.tauDelta += pair.weight * dt;
    }
    return r;
}

State Mixture::stateAt(double temperatureK, double densityMolPerL) const
{
    if (!(temperatureK > 0) || !(densityMolPerL > 0))
        throw std::domain_error("GERG-2008 needs a positive temperature and density");
    const double delta = densityMolPerL / reducingDensity_;
    const double tau = reducingTemperature_ / temperatureK;
    const auto r = residual(delta, tau);
    State s;
    s.temperatureK = temperatureK;
    s.densityMolPerL = densityMolPerL;
    s.compressibility = 1 + r.delta;
    s.pressureKPa = densityMolPerL * kGasConstant * temperatureK * s.compressibility;
    s.dPdRho = kGasConstant * temperatureK * (1 + 2 * r.delta + r.deltaDelta);
    s.dPdT = densityMolPerL * kGasConstant * (1 + r.delta - r.tauDelta);
    return s;
}

double Mixture::densityMolPerL(double temperatureK, double pressureKPa) const
{
    if (!(temperatureK > 0) || !(pressureKPa > 0))
        throw std::domain_error("GERG-2008 needs a positive temperature and pressure");

    // Newton's method on p(rho) from the ideal-gas density, kept inside a bracket
    // [low, high] around the root; a step that leaves it, or a state with
    // dp/drho <= 0, is replaced by bisection. Starting on the low-density side
    // selects the gas root where more than one exists.
    double low = 0;
    double high = 6 * reducingDensity_;
    while (stateAt(temperatureK, high).pressureKPa < pressureKPa) {
        low = high;
        high *= 1.5;
        if (high > 20 * reducingDensity_)
            throw std::runtime_error("GERG-2008: no density found for p = " +
                                     std::to_string(pressureKPa) + " kPa");
    }
    double rho = pressureKPa / (kGasConstant * temperatureK);
    if (rho <= low || rho >= high)
        rho = 0.5 * (low + high);
    for (int iteration = 0; iteration < 200; ++iteration) {
        const State s = stateAt(temperatureK, rho);
        const double residualP = s.pressureKPa - pressureKPa;
        if (std::abs(residualP) <= 1e-12 * pressureKPa) {
            if (s.dPdRho <= 0)
                break;
            return rho;
        }
        if (residualP < 0)
            low = rho;
        else
            high = rho;
        double next = s.dPdRho > 0 ? rho - residualP / s.dPdRho : -1;
        if (!(next > low && next < high))
            next = 0.5 * (low + high);
        if (std::abs(next - rho) <= 1e-14 * rho)
            return next;
        rho = next;
    }
    throw std::runtime_error("GERG-2008: density iteration failed at T = " +
                             std::to_string(temperatureK) + " K, p = " + std::to_string(pressureKPa) +
                             " kPa");
}

State Mixture::stateAtPressure(double temperatureK, double pressureKPa) const
{
    return stateAt(temperatureK, densityMolPerL(temperatureK, pressureKPa));
}

double Mixture::massDensity(double temperatureK, double pressureKPa) const
{
    return densityMolPerL(temperatureK, pressureKPa) * molarMass_;
}

double Mixture::compressibility(double temperatureK, double pressureKPa) const
{
    return stateAtPressure(temperatureK, pressureKPa).compressibility;
}

}  // namespace gerg2008
