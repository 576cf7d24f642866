#include "engine/RedlichKwong.h"

#include "engine/WaterSteamDensity.h"
#include "platform/RuntimeError.h"
#include "tracing/Guard.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

namespace morvane {

namespace {

// Redlich-Kwong: p = RT/(v − b) − a/(√T · v(v + b)) with a = Ωa R² Tc^2.5 / pc and
// b = Ωb R Tc / pc (Redlich and Kwong, Chem. Rev. 44 (1949) 233).
constexpr double R = 8.31459;  // J/(mol·K), the value this program has always used
constexpr double OmegaA = 0.4278;
constexpr double OmegaB = 0.0867;

// Two kelvin offsets, each where the program has always used it: 273.14 in the
// substance constants, the norm state and the A term; 273.15 in the B term at
// operating temperature and in the final density.
constexpr double KelvinAB = 273.14;
constexpr double KelvinDichte = 273.15;
constexpr double NormdruckPa = 101325.0;
constexpr double NormdruckKPa = 101.325;

constexpr double Toleranz = 1e-13;     // on the correction d, before relaxation
constexpr int PassLimitNorm = 1000;    // the counter value that ends iteration 1
constexpr int PassLimitBetrieb = 2000; // and iteration 2

// The correction of one fixed-point pass on Z = Z/(Z − B) − A/(Z + B), the
// equation in the compressibility factor.
double correction(double Z, double A, double B)
{
    return checkedFinite(checkedDivide(Z, Z - B) - checkedDivide(A, Z + B) - Z);
}

// The real roots of Z³ − Z² + c·Z − d = 0, ascending: with Z = y + 1/3 the
// depressed cubic y³ + p·y + q = 0, solved by the trigonometric form where it
// has three real roots and by Cardano's where it has one, each root then
// refined by Newton steps.
std::vector<double> cubicRoots(double c, double d)
{
    const double p = c - 1.0 / 3.0;
    const double q = -2.0 / 27.0 + c / 3.0 - d;
    const double discriminant = -(4.0 * p * p * p + 27.0 * q * q);
    std::vector<double> roots;
    if (discriminant > 0.0) {  // p < 0
        const double r = 2.0 * std::sqrt(-p / 3.0);
        const double cosine = std::clamp(1.5 * q / p * std::sqrt(-3.0 / p), -1.0, 1.0);
        const double phi = std::acos(cosine) / 3.0;
        for (int k = 0; k < 3; ++k)
            roots.push_back(r * std::cos(phi - 2.0 * std::numbers::pi * k / 3.0) + 1.0 / 3.0);
    } else {
        const double s = std::sqrt(std::max(0.0, q * q / 4.0 + p * p * p / 27.0));
        roots.push_back(std::cbrt(-q / 2.0 + s) + std::cbrt(-q / 2.0 - s) + 1.0 / 3.0);
    }
    for (double& z : roots) {
        for (int i = 0; i < 3; ++i) {
            const double slope = (3.0 * z - 2.0) * z + c;
            if (slope == 0.0)
                break;
            z -= (((z - 1.0) * z + c) * z - d) / slope;
        }
    }
    std::sort(roots.begin(), roots.end());
    return roots;
}

double lnFugacityCoefficient(double Z, double A, double B)
{
    return Z - 1.0 - std::log(Z - B) - A / B * std::log1p(B / Z);
}

}  // namespace

bool redlichKwongLiquidStable(double A, double B)
{
    if (!(A > 0.0 && B > 0.0 && std::isfinite(A) && std::isfinite(B)))
        return false;
    std::vector<double> roots = cubicRoots(A - B - B * B, A * B);
    std::erase_if(roots, [&](double z) { return !(z > B) || !std::isfinite(z); });
    if (roots.empty())
        return false;
    if (roots.size() == 1)
        return roots.front() < 1.0 / 3.0;
    return lnFugacityCoefficient(roots.front(), A, B) < lnFugacityCoefficient(roots.back(), A, B);
}

void BerechneDichteRedlichKwong(EngineContext& e)
{
    Guard g("Module1", "BerechneDichteRedlichKwong", "Sub BerechneDichteRedlichKwong()");
    CalculationState& s = e.s;
    const double RR = R * R;

    double a = 0, b = 0, AN = 0, BN = 0, ZN = 0, A = 0, B = 0;
    double Z = 0, d = 0, w = 0, dPrev = 0;
    int n = 0;

    // 1. Substance constants, Tc in K and pc in Pa.
    if (!g.step([&] {
            a = checkedDivide(OmegaA * RR * checkedPow(s.gKritischeTemperatur + KelvinAB, 2.5),
                              s.gKritischerDruck * 1000);
        }))
        return;
    if (!g.step([&] {
            b = checkedDivide(OmegaB * R * (s.gKritischeTemperatur + KelvinAB), s.gKritischerDruck * 1000);
        }))
        return;

    // 2. Norm state, 101325 Pa and 273.14 K. A_N as the square of a root, B_N by
    // two divisions, as the program has always computed them.
    if (!g.step([&] {
            const double root = checkedSqrt(a / (RR * std::pow(KelvinAB, 2.5)));
            AN = root * root * NormdruckPa;
        }))
        return;
    if (!g.step([&] { BN = b / R / KelvinAB * NormdruckPa; }))
        return;

    // 3. Norm compressibility: relaxed fixed-point passes, w = 1 for passes 1-9,
    // 0.5 for 10-99, 0.1 after.
    Z = 1;
    w = 1.0;
    n = 1;
    do {
        if (!g.step([&] { d = correction(Z, AN, BN); }))
            return;
        if (!g.step([&] { Z = checkedFinite(Z + w * d); }))
            return;
        ++n;
        if (n == 10)
            w = 0.5;
        if (n == 100)
            w = 0.1;
        if (n == PassLimitNorm) {
            g.step([&] { s.gFehlerDichte = e.text(1230); });
            return;
        }
    } while (!(std::abs(d) <= Toleranz));
    ZN = Z;

    // 4. Operating state; gDruck is kPa, p·1000 the pressure in Pa.
    if (!g.step([&] {
            const double root =
                checkedSqrt(checkedDivide(a, RR * checkedPow(s.gTemperatur + KelvinAB, 2.5)));
            A = root * root * (s.gDruck * 1000);
        }))
        return;
    if (!g.step([&] {
            B = checkedDivide(b / R, s.gTemperatur + KelvinDichte) * (s.gDruck * 1000);
        }))
        return;

    // 5. Operating compressibility, with a relaxation that shrinks tenfold when
    // the correction grows and doubles when it shrinks, kept within
    // [0.001, 1] and to a step of at least 0.0001.
    Z = 1;
    w = 1.0;
    n = 1;
    dPrev = 0;
    do {
        if (!g.step([&] { d = correction(Z, A, B); }))
            return;
        if (dPrev * dPrev < d * d)
            w = w / 10;
        if (dPrev * dPrev > d * d)
            w = 2 * w;
        if (w < 0.001)
            w = 0.001;
        // A correction of exactly 0 already meets the stop test; the step rule
        // would divide by it, so it leaves w as it is.
        if (d != 0 && std::abs(w * d) < 0.0001)
            w = std::abs(0.0001 / d);
        if (w > 1.0)
            w = 1.0;
        if (!g.step([&] { Z = checkedFinite(Z + w * d); }))
            return;
        ++n;
        if (n == PassLimitBetrieb) {
            g.step([&] { s.gFehlerDichte = e.text(1230); });
            return;
        }
        dPrev = d;
        if (!g.step([&] { s.gKompressibilitaet = checkedDivide(Z, ZN); }))
            return;
    } while (!(std::abs(d) <= Toleranz));

    // 6. Norm density scaled by pressure, temperature and the ratio of the
    // compressibility factors; divisions left to right. A density of 0 or less
    // (a compressibility factor that settled below 0, far outside the
    // equation's range) is reported, not stored.
    double rho = 0.0;
    if (!g.step([&] {
            rho = s.gNormdichteRK * s.gDruck * KelvinDichte;
            rho = checkedDivide(rho, s.gTemperatur + KelvinDichte);
            rho = checkedDivide(rho, NormdruckKPa);
            rho = checkedDivide(rho, s.gKompressibilitaet);
            if (rho > 0.0)
                return true;
            s.gFehlerDichte = e.text(TextDichteNichtPositiv);
            return false;
        }))
        return;
    if (!g.step([&] { s.gNormdichte = s.gNormdichteRK; }))
        return;
    if (!g.step([&] { s.gBetriebsdichte = rho; }))
        return;
    // The iteration settles on the root next to Z = 1, the vapour root where
    // there are three; below the critical temperature and above the
    // equation's own saturation pressure the liquid root is the stable one.
    g.step([&] {
        if (s.gTemperatur < s.gKritischeTemperatur && redlichKwongLiquidStable(A, B))
            s.gWarnungDichte = e.text(TextRedlichKwongFluessig);
    });
}

}  // namespace morvane
