#include "platform/steam/Iapws95.h"

#include <cmath>
#include <cstddef>
#include <initializer_list>

namespace morvane::iapws95 {

namespace {

// Residual part, IAPWS-95 Table 2. Terms 1-7: n delta^d tau^t.
struct PolynomialTerm {
    int d;
    double t;
    double n;
};
constexpr std::array<PolynomialTerm, 7> kPolynomial{{
    {1, -0.5, 1.2533547935523e-02},
    {1, 0.875, 7.8957634722828e+00},
    {1, 1.0, -8.7803203303561e+00},
    {2, 0.5, 3.1802509345418e-01},
    {2, 0.75, -2.6145533859358e-01},
    {3, 0.375, -7.8199751687981e-03},
    {4, 1.0, 8.8089493102134e-03},
}};

// Terms 8-51: n delta^d tau^t exp(-delta^c).
struct ExponentialTerm {
    int c;
    int d;
    int t;
    double n;
};
constexpr std::array<ExponentialTerm, 44> kExponential{{
    {1, 1, 4, -6.6856572307965e-01},    // 8
    {1, 1, 6, 2.0433810950965e-01},     // 9
    {1, 1, 12, -6.6212605039687e-05},   // 10
    {1, 2, 1, -1.9232721156002e-01},    // 11
    {1, 2, 5, -2.5709043003438e-01},    // 12
    {1, 3, 4, 1.6074868486251e-01},     // 13
    {1, 4, 2, -4.0092828925870e-02},    // 14
    {1, 4, 13, 3.9343422603254e-07},    // 15
    {1, 5, 9, -7.5941377088144e-06},    // 16
    {1, 7, 3, 5.6250979351888e-04},     // 17
    {1, 9, 4, -1.5608652257135e-05},    // 18
    {1, 10, 11, 1.1537996422951e-09},   // 19
    {1, 11, 4, 3.6582165144204e-07},    // 20
    {1, 13, 13, -1.3251180074668e-12},  // 21
    {1, 15, 1, -6.2639586912454e-10},   // 22
    {2, 1, 7, -1.0793600908932e-01},    // 23
    {2, 2, 1, 1.7611491008752e-02},     // 24
    {2, 2, 9, 2.2132295167546e-01},     // 25
    {2, 2, 10, -4.0247669763528e-01},   // 26
    {2, 3, 10, 5.8083399985759e-01},    // 27
    {2, 4, 3, 4.9969146990806e-03},     // 28
    {2, 4, 7, -3.1358700712549e-02},    // 29
    {2, 4, 10, -7.4315929710341e-01},   // 30
    {2, 5, 10, 4.7807329915480e-01},    // 31
    {2, 6, 6, 2.0527940895948e-02},     // 32
    {2, 6, 10, -1.3636435110343e-01},   // 33
    {2, 7, 10, 1.4180634400617e-02},    // 34
    {2, 9, 1, 8.3326504880713e-03},     // 35
    {2, 9, 2, -2.9052336009585e-02},    // 36
    {2, 9, 3, 3.8615085574206e-02},     // 37
    {2, 9, 4, -2.0393486513704e-02},    // 38
    {2, 9, 8, -1.6554050063734e-03},    // 39
    {2, 10, 6, 1.9955571979541e-03},    // 40
    {2, 10, 9, 1.5870308324157e-04},    // 41
    {2, 12, 8, -1.6388568342530e-05},   // 42
    {3, 3, 16, 4.3613615723811e-02},    // 43
    {3, 4, 22, 3.4994005463765e-02},    // 44
    {3, 4, 23, -7.6788197844621e-02},   // 45
    {3, 5, 23, 2.2446277332006e-02},    // 46
    {4, 14, 10, -6.2689710414685e-05},  // 47
    {6, 3, 50, -5.5711118565645e-10},   // 48
    {6, 6, 44, -1.9905718354408e-01},   // 49
    {6, 6, 46, 3.1777497330738e-01},    // 50
    {6, 6, 50, -1.1841182425981e-01},   // 51
}};

// Terms 52-54: n delta^d tau^t exp(-alpha (delta - eps)^2 - beta (tau - gamma)^2),
// with d = 3, alpha = 20 and eps = 1 for all three.
struct GaussianTerm {
    int t;
    double beta;
    double gamma;
    double n;
};
constexpr std::array<GaussianTerm, 3> kGaussian{{
    {0, 150.0, 1.21, -3.1306260323435e+01},  // 52
    {1, 150.0, 1.21, 3.1546140237781e+01},   // 53
    {4, 250.0, 1.25, -2.5213154341695e+03},  // 54
}};
constexpr int kGaussianD = 3;
constexpr double kGaussianAlpha = 20.0;

// Terms 55-56: n Delta^b delta psi, the non-analytic terms of the critical region:
//   theta = (1 - tau) + A ((delta - 1)^2)^(1 / (2 beta))
//   Delta = theta^2 + B ((delta - 1)^2)^a
//   psi   = exp(-C (delta - 1)^2 - D (tau - 1)^2)
// a = 3.5, A = 0.32, B = 0.2 and beta = 0.3 for both, so 1 / (2 beta) = 5/3.
struct NonAnalyticTerm {
    double b;
    double C;
    double D;
    double n;
};
constexpr std::array<NonAnalyticTerm, 2> kNonAnalytic{{
    {0.85, 28.0, 700.0, -1.4874640856724e-01},  // 55
    {0.95, 32.0, 800.0, 3.1806110878444e-01},   // 56
}};
constexpr double kNaA = 0.32;
constexpr double kNaB = 0.2;
constexpr double kNaSmallA = 3.5;
constexpr double kNaBeta = 0.3;

// Ideal-gas part, IAPWS-95 Table 1 (phi0 = ln delta + n1 + n2 tau + n3 ln tau
// + sum n_i ln(1 - exp(-gamma_i tau)), i = 4..8). Only n3 and terms 4-8 enter
// phi0_tautau.
constexpr double kIdealN3 = 3.00632;
constexpr std::array<double, 5> kIdealN{0.012436, 0.97315, 1.27950, 0.96956, 0.24873};
constexpr std::array<double, 5> kIdealGamma{1.28728967, 3.53734222, 7.74073708, 9.24437796, 27.5075105};

// Far from Tc (for D = 700 below 492 K and above 943 K, for D = 800 below 500 K
// and above 916 K) exp(-D (tau - 1)^2) is below this, and a non-analytic term
// changes no digit of any result; it is skipped there.
constexpr double kNegligiblePsi = 1e-30;

constexpr int kMaxTauPower = 50;
constexpr int kMaxDeltaPower = 15;

}  // namespace

bool inTemperatureRange(double temperatureK)
{
    return temperatureK >= kMinTemperatureK && temperatureK <= kMaxTemperatureK;
}

bool inDensityRange(double densityKgM3)
{
    return densityKgM3 > 0.0 && densityKgM3 <= kMaxDensityKgM3;
}

Isotherm::Isotherm(double temperatureK) : temperatureK_(temperatureK), tau_(kCriticalTemperatureK / temperatureK)
{
    const double tau = tau_;
    // tau^t of terms 1-7 (in their order) by square roots, since every t there is
    // a multiple of 1/8.
    const double tauHalf = std::sqrt(tau);
    const double tauQuarter = std::sqrt(tauHalf);
    const double tauEighth = std::sqrt(tauQuarter);
    const std::array<double, 7> polyTau{1.0 / tauHalf,        tauHalf * tauQuarter * tauEighth, tau, tauHalf,
                                        tauHalf * tauQuarter, tauQuarter * tauEighth,           tau};
    for (std::size_t i = 0; i < kPolynomial.size(); ++i) {
        polyA_[i] = kPolynomial[i].n * polyTau[i];
    }

    std::array<double, kMaxTauPower + 1> tauPow{};
    tauPow[0] = 1.0;
    for (int k = 1; k <= kMaxTauPower; ++k) {
        tauPow[k] = tauPow[k - 1] * tau;
    }
    for (std::size_t i = 0; i < kExponential.size(); ++i) {
        expA_[i] = kExponential[i].n * tauPow[kExponential[i].t];
    }

    for (std::size_t i = 0; i < kGaussian.size(); ++i) {
        const GaussianTerm& g = kGaussian[i];
        const double dt = tau - g.gamma;
        gaussA_[i] = g.n * tauPow[g.t] * std::exp(-g.beta * dt * dt);
        const double lnT = g.t / tau - 2.0 * g.beta * dt;
        gaussT_[i] = lnT;
        gaussTT_[i] = lnT * lnT - g.t / (tau * tau) - 2.0 * g.beta;
    }

    for (std::size_t i = 0; i < kNonAnalytic.size(); ++i) {
        const double dt = tau - 1.0;
        psiTau_[i] = std::exp(-kNonAnalytic[i].D * dt * dt);
    }
}

template <bool WithTau>
Residual Isotherm::evaluate(double delta) const
{
    std::array<double, kMaxDeltaPower + 1> dp{};
    dp[0] = 1.0;
    for (int k = 1; k <= kMaxDeltaPower; ++k) {
        dp[k] = dp[k - 1] * delta;
    }
    // exp(-delta^c) for the exponents c that occur (1, 2, 3, 4, 6).
    std::array<double, 7> expDc{};
    for (int c : {1, 2, 3, 4, 6}) {
        expDc[c] = std::exp(-dp[c]);
    }

    // Terms 1-51 as sums of n delta^d tau^t (...) times polynomials in d, t and
    // u = c delta^c; they are divided by delta and tau at the end.
    double s = 0.0, sd = 0.0, sdd = 0.0, st = 0.0, stt = 0.0, sdt = 0.0;
    for (std::size_t i = 0; i < kPolynomial.size(); ++i) {
        const double d = kPolynomial[i].d;
        const double v = polyA_[i] * dp[kPolynomial[i].d];
        s += v;
        sd += v * d;
        sdd += v * d * (d - 1.0);
        if constexpr (WithTau) {
            const double t = kPolynomial[i].t;
            st += v * t;
            stt += v * t * (t - 1.0);
            sdt += v * d * t;
        }
    }
    for (std::size_t i = 0; i < kExponential.size(); ++i) {
        const ExponentialTerm& e = kExponential[i];
        const double d = e.d;
        const double c = e.c;
        const double u = c * dp[e.c];
        const double v = expA_[i] * dp[e.d] * expDc[e.c];
        s += v;
        sd += v * (d - u);
        sdd += v * ((d - u) * (d - 1.0 - u) - c * u);
        if constexpr (WithTau) {
            const double t = e.t;
            st += v * t;
            stt += v * t * (t - 1.0);
            sdt += v * t * (d - u);
        }
    }
    Residual r;
    r.phi = s;
    r.d = sd / delta;
    r.dd = sdd / (delta * delta);
    if constexpr (WithTau) {
        r.t = st / tau_;
        r.tt = stt / (tau_ * tau_);
        r.dt = sdt / (delta * tau_);
    }

    // Terms 52-54.
    const double dm1 = delta - 1.0;
    const double gaussDelta = std::exp(-kGaussianAlpha * dm1 * dm1) * dp[kGaussianD];
    // d ln(term) / d delta and (d2 term / d delta2) / term
    const double h = kGaussianD / delta - 2.0 * kGaussianAlpha * dm1;
    const double hh = h * h - kGaussianD / (delta * delta) - 2.0 * kGaussianAlpha;
    for (std::size_t i = 0; i < kGaussian.size(); ++i) {
        const double v = gaussA_[i] * gaussDelta;
        r.phi += v;
        r.d += v * h;
        r.dd += v * hh;
        if constexpr (WithTau) {
            r.t += v * gaussT_[i];
            r.tt += v * gaussTT_[i];
            r.dt += v * h * gaussT_[i];
        }
    }

    if (psiTau_[0] < kNegligiblePsi && psiTau_[1] < kNegligiblePsi) {
        return r;
    }
    // Terms 55-56. With x = (delta - 1)^2 every power of x below has a
    // non-negative exponent, so the derivatives of Delta stay finite at delta = 1.
    const double x = dm1 * dm1;
    const double cx = std::cbrt(x);
    const double x23 = cx * cx;               // x^(2/3)
    const double x53 = x * x23;               // x^(1/(2 beta)) = x^(5/3)
    const double x73 = x * x23 * x23;         // x^(7/3)
    const double x25 = x * x * std::sqrt(x);  // x^(a - 1) = x^2.5
    const double x35 = x * x25;               // x^a = x^3.5
    const double theta = (1.0 - tau_) + kNaA * x53;
    const double Delta = theta * theta + kNaB * x35;
    // dDelta/ddelta = (delta - 1) q
    const double q = kNaA * theta * (2.0 / kNaBeta) * x23 + 2.0 * kNaB * kNaSmallA * x25;
    const double DeltaD = dm1 * q;
    const double DeltaDD = q + 4.0 * kNaB * kNaSmallA * (kNaSmallA - 1.0) * x25 +
                           2.0 * kNaA * kNaA / (kNaBeta * kNaBeta) * x73 +
                           kNaA * theta * (4.0 / kNaBeta) * (1.0 / (2.0 * kNaBeta) - 1.0) * x23;
    if (Delta == 0.0) {
        // Only at the critical point itself. Each of these terms and their
        // derivatives tend to 0 there, except phir_tautau, which diverges.
        r.atCriticalPoint = true;
        return r;
    }
    for (std::size_t i = 0; i < kNonAnalytic.size(); ++i) {
        if (psiTau_[i] < kNegligiblePsi) {
            continue;
        }
        const NonAnalyticTerm& na = kNonAnalytic[i];
        const double b = na.b;
        const double Db = std::pow(Delta, b);
        const double Db1 = Db / Delta;   // Delta^(b-1)
        const double Db2 = Db1 / Delta;  // Delta^(b-2)
        const double DbD = b * Db1 * DeltaD;
        const double DbDD = b * (Db1 * DeltaDD + (b - 1.0) * Db2 * DeltaD * DeltaD);
        const double psi = std::exp(-na.C * x) * psiTau_[i];
        const double psiD = -2.0 * na.C * dm1 * psi;
        const double psiDD = (2.0 * na.C * x - 1.0) * 2.0 * na.C * psi;
        r.phi += na.n * Db * delta * psi;
        r.d += na.n * (Db * (psi + delta * psiD) + DbD * delta * psi);
        r.dd += na.n * (Db * (2.0 * psiD + delta * psiDD) + 2.0 * DbD * (psi + delta * psiD) + DbDD * delta * psi);
        if constexpr (WithTau) {
            const double tm1 = tau_ - 1.0;
            const double DbT = -2.0 * theta * b * Db1;
            const double DbTT = 2.0 * b * Db1 + 4.0 * theta * theta * b * (b - 1.0) * Db2;
            const double DbDT =
                -kNaA * b * (2.0 / kNaBeta) * Db1 * dm1 * x23 - 2.0 * theta * b * (b - 1.0) * Db2 * DeltaD;
            const double psiT = -2.0 * na.D * tm1 * psi;
            const double psiTT = (2.0 * na.D * tm1 * tm1 - 1.0) * 2.0 * na.D * psi;
            const double psiDT = 4.0 * na.C * na.D * dm1 * tm1 * psi;
            r.t += na.n * delta * (DbT * psi + Db * psiT);
            r.tt += na.n * delta * (DbTT * psi + 2.0 * DbT * psiT + Db * psiTT);
            r.dt += na.n * (Db * (psiT + delta * psiDT) + delta * DbD * psiT + DbT * (psi + delta * psiD) +
                            DbDT * delta * psi);
        }
    }
    return r;
}

Residual Isotherm::residualDensityPart(double delta) const
{
    return evaluate<false>(delta);
}

Residual Isotherm::residual(double delta) const
{
    return evaluate<true>(delta);
}

double Isotherm::pressureMPa(double densityKgM3) const
{
    const double delta = densityKgM3 / kCriticalDensityKgM3;
    const Residual r = evaluate<false>(delta);
    return densityKgM3 * kGasConstantKJKgK * temperatureK_ * (1.0 + delta * r.d) * 1e-3;
}

std::array<double, 2> Isotherm::pressureAndSlope(double densityKgM3) const
{
    const double delta = densityKgM3 / kCriticalDensityKgM3;
    const Residual r = evaluate<false>(delta);
    const double rt = kGasConstantKJKgK * temperatureK_ * 1e-3;  // MPa per kg/m3
    return {densityKgM3 * rt * (1.0 + delta * r.d), rt * (1.0 + delta * (2.0 * r.d + delta * r.dd))};
}

double idealTauTau(double tau)
{
    double sum = -kIdealN3 / (tau * tau);
    for (std::size_t i = 0; i < kIdealN.size(); ++i) {
        const double g = kIdealGamma[i];
        const double e = std::exp(-g * tau);
        const double one = 1.0 - e;
        sum -= kIdealN[i] * g * g * e / (one * one);
    }
    return sum;
}

namespace {

bool inDomain(double temperatureK, double densityKgM3)
{
    return inTemperatureRange(temperatureK) && inDensityRange(densityKgM3);
}

std::optional<double> finite(double value)
{
    if (!std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

}  // namespace

std::optional<double> pressureMPa(double temperatureK, double densityKgM3)
{
    if (!inDomain(temperatureK, densityKgM3)) {
        return std::nullopt;
    }
    return finite(Isotherm(temperatureK).pressureMPa(densityKgM3));
}

std::optional<double> isochoricHeatCapacity(double temperatureK, double densityKgM3)
{
    if (!inDomain(temperatureK, densityKgM3)) {
        return std::nullopt;
    }
    const Isotherm iso(temperatureK);
    const double tau = iso.tau();
    const Residual r = iso.residual(densityKgM3 / kCriticalDensityKgM3);
    if (r.atCriticalPoint) {
        return std::nullopt;
    }
    return finite(-kGasConstantKJKgK * tau * tau * (idealTauTau(tau) + r.tt));
}

std::optional<double> isobaricHeatCapacity(double temperatureK, double densityKgM3)
{
    if (!inDomain(temperatureK, densityKgM3)) {
        return std::nullopt;
    }
    const Isotherm iso(temperatureK);
    const double tau = iso.tau();
    const double delta = densityKgM3 / kCriticalDensityKgM3;
    const Residual r = iso.residual(delta);
    if (r.atCriticalPoint) {
        return std::nullopt;
    }
    // (1 + 2 delta phir_d + delta^2 phir_dd) = (dp/drho)_T / (R T)
    const double stiffness = 1.0 + delta * (2.0 * r.d + delta * r.dd);
    if (!(stiffness > 0.0)) {
        return std::nullopt;
    }
    const double cv = -kGasConstantKJKgK * tau * tau * (idealTauTau(tau) + r.tt);
    const double expansion = 1.0 + delta * r.d - delta * tau * r.dt;
    return finite(cv + kGasConstantKJKgK * expansion * expansion / stiffness);
}

}  // namespace morvane::iapws95
