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

// The substance constants, Tc in K and pc in Pa.
double constantA(double tc, double pc)
{
    const double RR = R * R;
    return checkedDivide(OmegaA * RR * checkedPow(tc + KelvinAB, 2.5), pc * 1000);
}
double constantB(double tc, double pc)
{
    return checkedDivide(OmegaB * R * (tc + KelvinAB), pc * 1000);
}
// A and B of a state at t (°C) per Pa of its pressure: A as the square of a
// root, B by two divisions, as the program has always computed them.
double aPerPa(double a, double t)
{
    const double root = checkedSqrt(checkedDivide(a, R * R * checkedPow(t + KelvinAB, 2.5)));
    return root * root;
}
double bPerPa(double b, double t)
{
    return checkedDivide(b / R, t + KelvinDichte);
}

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

// The equation's two phases at one temperature, in reduced form: with
// w = Z/B (the volume over the co-volume) and k = A/B, which does not depend
// on the pressure, it reads B = π(w) = 1/(w − 1) − k/(w·(w + 1)), and
// ln φ = B·w − 1 − ln B − ln(w − 1) − k·ln(1 + 1/w).
double reducedPressure(double w, double k)
{
    return 1.0 / (w - 1.0) - k / (w * (w + 1.0));
}
// dπ/dw = 0 where k = F(w) = w²(w + 1)²/((2w + 1)(w − 1)²): F falls from +∞
// at w = 1 to its least value at the critical w = 1/(∛2 − 1) and rises beyond
// (F > w/2); its two points of a larger k are the spinodals.
double spinodalK(double w)
{
    const double u = w * (w + 1.0);
    const double v = (w - 1.0) * (w - 1.0);
    return u * u / ((2.0 * w + 1.0) * v);
}
// Bisection of (lo, hi) down to adjacent doubles; above(x): the point sought
// lies above x.
template <class Above>
double bisect(double lo, double hi, Above above)
{
    for (int i = 0; i < 200; ++i) {
        const double mid = 0.5 * (lo + hi);
        if (!(mid > lo && mid < hi))
            break;
        (above(mid) ? lo : hi) = mid;
    }
    return 0.5 * (lo + hi);
}
// The B at which the liquid root (w between 1 and the liquid spinodal) and the
// vapour root (w beyond the vapour spinodal) have the same fugacity; none
// where k has no spinodals.
std::optional<double> saturationB(double k)
{
    const double wc = 1.0 / (std::cbrt(2.0) - 1.0);
    if (!std::isfinite(k) || !(k > spinodalK(wc)))
        return std::nullopt;
    const double wl = bisect(1.0, wc, [&](double w) { return spinodalK(w) > k; });
    const double wv = bisect(wc, 2.0 * k + 2.0, [&](double w) { return spinodalK(w) < k; });
    const double lo = std::max(reducedPressure(wl, k), 0.0);
    const double hi = reducedPressure(wv, k);
    if (!(hi > lo))
        return std::nullopt;
    // π falls on (1, wl) and on (wv, ∞), where it stays below 1/(w − 1).
    const auto liquidMinusVapour = [&](double B) {
        const auto above = [&](double w) { return reducedPressure(w, k) > B; };
        const double w1 = bisect(1.0, wl, above);
        const double w3 = bisect(wv, std::max(wv, 1.0 + 1.0 / B) + 1.0, above);
        return B * (w1 - w3) - std::log((w1 - 1.0) / (w3 - 1.0)) - k * (std::log1p(1.0 / w1) - std::log1p(1.0 / w3));
    };
    // Below the saturation pressure the vapour has the lower fugacity.
    return bisect(lo, hi, [&](double B) { return liquidMinusVapour(B) > 0.0; });
}

}  // namespace

namespace {

// The saturation pressure in kPa at t (°C) of a substance of constants a and b
// and critical temperature tc (°C); none at or above tc.
std::optional<double> saturationPressureKPa(double a, double b, double tc, double t)
{
    if (!(t < tc))
        return std::nullopt;
    const double bPa = bPerPa(b, t);
    const std::optional<double> B = saturationB(checkedDivide(aPerPa(a, t), bPa));
    if (!B)
        return std::nullopt;
    return *B / bPa / 1000.0;
}

}  // namespace

std::optional<double> redlichKwongSaturationPressure(double tc, double pc, double t)
{
    return saturationPressureKPa(constantA(tc, pc), constantB(tc, pc), tc, t);
}

void BerechneDichteRedlichKwong(EngineContext& e)
{
    Guard g("Module1", "BerechneDichteRedlichKwong", "Sub BerechneDichteRedlichKwong()");
    CalculationState& s = e.s;

    double a = 0, b = 0, AN = 0, BN = 0, ZN = 0, A = 0, B = 0;
    double Z = 0, d = 0, w = 0, dPrev = 0;
    int n = 0;

    // 1. Substance constants, Tc in K and pc in Pa.
    if (!g.step([&] { a = constantA(s.gKritischeTemperatur, s.gKritischerDruck); }))
        return;
    if (!g.step([&] { b = constantB(s.gKritischeTemperatur, s.gKritischerDruck); }))
        return;

    // 2. Norm state, 101325 Pa and 273.14 K. A_N as the square of a root, B_N by
    // two divisions, as the program has always computed them.
    if (!g.step([&] { AN = aPerPa(a, 0.0) * NormdruckPa; }))
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

    // The phase, from the equation alone: below the critical temperature a
    // pressure above the equation's own saturation pressure makes the medium
    // liquid by it, with one real root or three; no gas density holds there.
    bool fluessig = false;
    if (!g.step([&] {
            const std::optional<double> psat =
                saturationPressureKPa(a, b, s.gKritischeTemperatur, s.gTemperatur);
            fluessig = psat && s.gDruck > *psat;
            if (fluessig)
                s.gFehlerDichte = e.text(TextRedlichKwongFluessig);
        }) ||
        fluessig)
        return;

    // 4. Operating state; gDruck is kPa, p·1000 the pressure in Pa.
    if (!g.step([&] { A = aPerPa(a, s.gTemperatur) * (s.gDruck * 1000); }))
        return;
    if (!g.step([&] { B = bPerPa(b, s.gTemperatur) * (s.gDruck * 1000); }))
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
            // At or above the critical temperature the cubic's one real root
            // above B is the dense gas the relaxed passes do not reach.
            bool einzigeWurzel = false;
            if (!g.step([&] {
                    std::vector<double> roots = cubicRoots(A - B - B * B, A * B);
                    std::erase_if(roots, [&](double z) { return !(z > B) || !std::isfinite(z); });
                    einzigeWurzel = !(s.gTemperatur < s.gKritischeTemperatur) && roots.size() == 1;
                    if (einzigeWurzel)
                        s.gKompressibilitaet = checkedDivide(roots.front(), ZN);
                    else
                        s.gFehlerDichte = e.text(1230);
                }) ||
                !einzigeWurzel)
                return;
            break;
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
}

}  // namespace morvane
