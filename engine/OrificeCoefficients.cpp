#include "engine/OrificeCoefficients.h"

#include "engine/IsentropicExponent.h"
#include "engine/VenturiTubeLossPoints.h"
#include "platform/RuntimeError.h"
#include "tracing/Guard.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <cstdint>
#include <string>

namespace morvane {

namespace {

// π of the flow equation, as the program has always used it.
constexpr double Pi = 3.14159;

// RQ8 meter run: distance a of the downstream tapping from the plate and edge
// radius r of its bore, m.
constexpr double Rq8A = 0.001;
constexpr double Rq8R = 0.0005;

constexpr int MaxPasses = 1000;
constexpr double ToleranceDpPa = 1e-12;
// The isentropic expansion factor carries the rounding of several library
// functions, so that from one pass to the next it may step back and forth by
// an ulp: a dp of some kPa then alternates between two values some 1e-12 Pa
// apart. Its fixed point is reached when dp stays within this share of itself.
constexpr double ToleranceDpIsentropic = 1e-14;

double pow4(double x)
{
    const double x2 = x * x;
    return x2 * x2;
}

}  // namespace

TappingDistances orificeTappings(Integer elementType, double dMeter)
{
    switch (elementType) {
    case element::RQ8: return {0.017, 0.037 - Rq8A};
    case element::BlendeFlansch: return {0.0254, 0.0254};
    case element::BlendeDD2: return {dMeter, 0.47 * dMeter};
    case element::BlendeEcke: return {0.0, 0.0};
    default: raiseError(err::InvalidArgument, "no orifice tappings for element type " + std::to_string(elementType));
    }
}

double stolzC4(double L1)
{
    // From L1 alone, as ISO 5167-1:1991 has it: flange tappings reach
    // L1 ≥ 0.4333 below a pipe of 58.62 mm (25.4/0.4333 = 58.6199 mm), D and
    // D/2 tappings and the RQ8 always, corner tappings (L1 = 0) never.
    return L1 >= 0.4333 ? 0.039 : 0.09 * L1;
}

namespace {

// The powers of β in the Stolz equation. A solver run that seeks the flow
// evaluates the equation at the same β in every pass; the powers of the last
// β are kept, the very values std::pow gives for it.
struct BetaPowers {
    std::uint64_t betaBits = 0;
    bool kept = false;
    double p21 = 0, p8 = 0, p25 = 0;
};

const BetaPowers& betaPowers(double beta)
{
    thread_local BetaPowers last;
    const auto bits = std::bit_cast<std::uint64_t>(beta);
    if (!last.kept || last.betaBits != bits) {
        last.kept = false;
        // In the order the equation has always raised their errors in.
        last.p21 = checkedPow(beta, 2.1);
        last.p8 = checkedPow(beta, 8.0);
        last.p25 = checkedPow(beta, 2.5);
        last.betaBits = bits;
        last.kept = true;
    }
    return last;
}

// (10⁶/Re)^0.75. A solver run that seeks a bore evaluates it at the same
// Reynolds number in every pass; the term of the last one is kept.
double reynoldsTerm(double reynolds)
{
    thread_local struct {
        std::uint64_t reynoldsBits = 0;
        bool kept = false;
        double term = 0;
    } last;
    const auto bits = std::bit_cast<std::uint64_t>(reynolds);
    if (!last.kept || last.reynoldsBits != bits) {
        last.kept = false;
        last.term = checkedPow(checkedDivide(1e6, reynolds), 0.75);
        last.reynoldsBits = bits;
        last.kept = true;
    }
    return last.term;
}

}  // namespace

double stolzDischargeCoefficient(double beta, double reynolds, double L1, double L2)
{
    // The program's convention: the Stolz equation of ISO 5167-1:1991, kept in
    // place of the Reader-Harris/Gallagher equation of the later editions.
    const double b4 = pow4(beta);
    const double reTerm = reynoldsTerm(reynolds);
    const BetaPowers& p = betaPowers(beta);
    return 0.5959 + 0.0312 * p.p21 - 0.184 * p.p8 + 0.0029 * p.p25 * reTerm
           + stolzC4(L1) * checkedDivide(b4, 1.0 - b4) - 0.0337 * L2 * beta * beta * beta;
}

double rq8Correction(double beta, double reynolds, double dMeter)
{
    // A correction outside its diameter range stays 0, so that C becomes 0 and
    // the differential pressure raises division by zero; the drivers fix the
    // RQ8's pipe at 19 mm, where both apply.
    double k1 = 0.0;
    double k2 = 0.0;
    if (Rq8A > 0.05 * dMeter)  // D below 20 mm
        k1 = 1.0 - (0.016 / Rq8A) * dMeter * (Rq8A / dMeter - 0.03) * pow4(beta);
    if (Rq8R >= 0.02 * dMeter) {  // D up to 25 mm
        const double rel = Rq8R / dMeter - 0.005;
        k2 = 1.0 + (0.2 - checkedDivide(reynolds, 6e6 * beta * beta)) * rel * rel * checkedPow(beta, -2.0)
             + 0.8 * rel * checkedPow(beta, 7.0);
    }
    const double k3 = 1.1257 - 0.2666 * beta;
    return k1 * k2 * k3;
}

double dischargeCoefficient(Integer elementType, double beta, double reynolds, double epsilonFaktor, double dMeter)
{
    switch (elementType) {
    case element::RQ8:
    case element::BlendeFlansch:
    case element::BlendeDD2:
    case element::BlendeEcke: {
        const TappingDistances t = orificeTappings(elementType, dMeter);
        const double L1 = checkedDivide(t.l1, dMeter);
        const double L2 = checkedDivide(t.l2, dMeter);
        // The program's convention: the Reynolds number of the Reynolds term is
        // that of the flow at which the expansion factor is taken.
        const double C0 = stolzDischargeCoefficient(beta, epsilonFaktor * reynolds, L1, L2);
        if (elementType == element::RQ8)
            return C0 * rq8Correction(beta, reynolds, dMeter);
        return C0;
    }
    case element::Venturiduese: return 0.9858 - 0.196 * checkedPow(beta, 4.5);
    case element::VenturiGussrauh: return 0.984;
    case element::VenturiBearbeitet: return 0.995;
    case element::VenturiStahlblech: return 0.985;
    default:
        raiseError(err::InvalidArgument,
                   "no discharge coefficient for element type " + std::to_string(elementType));
    }
}

namespace {

// Linear between the points xs/ys (xs rising), held at the end values outside
// them.
template <std::size_t N>
double interpolateHeld(double x, const std::array<double, N>& xs, const std::array<double, N>& ys)
{
    const auto above = std::upper_bound(xs.begin(), xs.end(), x);
    if (above == xs.begin())
        return ys.front();
    if (above == xs.end())
        return ys.back();
    const auto j = static_cast<std::size_t>(above - xs.begin()) - 1;
    return (ys[j + 1] - ys[j]) / (xs[j + 1] - xs[j]) * (x - xs[j]) + ys[j];
}

}  // namespace

bool isVenturiTube(Integer elementType)
{
    return elementType >= element::VenturiGussrauh && elementType <= element::VenturiStahlblech;
}

double venturiTubeLossFraction(double beta, double dMeter)
{
    using namespace venturitube;
    const double small = interpolateHeld(beta, Betas, LossSmallPipe);
    const double large = interpolateHeld(beta, Betas, LossLargePipe);
    return interpolateHeld(dMeter, std::array<double, 2>{DiameterSmall, DiameterLarge},
                           std::array<double, 2>{small, large});
}

Expansibility expansibilityOf(Integer elementType)
{
    return elementType >= element::Venturiduese ? Expansibility::Isentropic : Expansibility::Orifice;
}

std::optional<double> isentropicExpansibility(double beta, double kappa, double dpOverP)
{
    if (kappa >= KappaInkompressibel)
        return 1.0;
    if (dpOverP == 0.0)
        return 1.0;
    if (!(dpOverP > 0.0 && dpOverP < 1.0 && kappa > 0.0))
        return std::nullopt;
    // With L = ln τ and m = (κ − 1)/κ: κ/(κ − 1)·(1 − τ^m) = −expm1(m·L)/m (→ −L at
    // κ = 1), and 1 − τ = dpOverP, so that neither factor loses digits as τ → 1.
    const double L = std::log1p(-dpOverP);
    const double m = (kappa - 1.0) / kappa;
    const double isentropicWork = m == 0.0 ? -L : -std::expm1(m * L) / m;
    const double tau2k = std::exp(2.0 / kappa * L);
    const double b4 = pow4(beta);
    const double square = tau2k * (1.0 - b4) / (1.0 - b4 * tau2k) * isentropicWork / dpOverP;
    if (!(std::isfinite(square) && square > 0.0))
        return std::nullopt;
    return std::sqrt(square);
}

OrificeIteration orificeDifferentialPressure(double q, double epsilonFaktor, double C, double beta, double dwMeter,
                                             double rho, double kappa, double pPa, Expansibility equation)
{
    const double b4 = pow4(beta);
    const double throat4 = pow4(dwMeter * beta);  // the bore expands like the pipe
    const auto dpAt = [&](double flow, double e) {
        return checkedDivide(8.0 * flow * flow * (1.0 - b4), C * C * e * e * Pi * Pi * throat4 * rho);
    };
    // The orifice expansibility equation of ISO 5167-1:1991 for the orifice
    // plates, the isentropic one for the nozzle and the venturi tubes.
    const double expansibility = 0.41 + 0.35 * b4;
    const double qEps = q * epsilonFaktor;
    const double dpAtOne = dpAt(qEps, 1.0);
    // A fixed point has dp < p: an expansion factor below 1 that would take
    // the next dp to p or beyond (or, for a κ near 0, beyond the double range)
    // leaves the isentropic iteration without one.
    const auto isentropic = [&](double dp) -> std::optional<double> {
        const std::optional<double> eps = isentropicExpansibility(beta, kappa, checkedDivide(dp, pPa));
        if (eps && *eps < 1.0 && !(dpAtOne < pPa * *eps * *eps))
            return std::nullopt;
        return eps;
    };

    OrificeIteration r;
    double e = 1.0;
    double dp1 = 0.0;
    double dp2 = 0.0;
    r.converged = true;
    // A pass starts from the dp at the expansion factor the pass before ended
    // on: the dp2 of that pass, which is not computed twice.
    double next = dpAtOne;
    do {
        ++r.passes;
        dp1 = next;
        if (r.passes >= MaxPasses) {
            r.converged = false;
            break;
        }
        if (equation == Expansibility::Orifice) {
            e = 1.0 - checkedDivide(checkedDivide(expansibility * dp1, kappa), pPa);
        } else {
            const std::optional<double> eps = isentropic(dp1);
            if (!eps) {
                r.converged = false;
                break;
            }
            e = *eps;
        }
        dp2 = dpAt(qEps, e);
        next = dp2;
    } while (!(std::fabs(dp1 - dp2) <= (equation == Expansibility::Orifice
                                            ? ToleranceDpPa
                                            : std::max(ToleranceDpPa, ToleranceDpIsentropic * dp2))));

    r.e = e;
    r.dp1Pa = dp1;
    const double dpPa = dpAt(q, e);
    r.dpKPa = dpPa / 1000.0;
    // The program's convention: the loss equation of orifice plates of
    // ISO 5167-1:1991, √(1 − β⁴) in place of √(1 − β⁴(1 − C²)). The loss
    // belongs to the flow whose dp is shown, also where the expansion factor
    // is taken at a share of it.
    const double root = checkedSqrt(1.0 - b4);
    const double cb2 = C * beta * beta;
    r.lossKPa = checkedDivide(dpPa * (root - cb2), root + cb2) / 1000.0;
    return r;
}

void get_Blende(EngineContext& ctx, double& q, double& Re, double& e, double& dp, double& dpb)
{
    Guard g("Module1", "get_Blende",
            "Sub get_Blende(q As Double, Re As Double, e As Double, dp As Double, dpb As Double)",
            {{"q", q}, {"Re", Re}, {"e", e}, {"dp", dp}, {"dpb", dpb}});
    CalculationState& s = ctx.s;
    double D = 0.0;     // m, 20 °C
    double Dw = 0.0;    // m, operating temperature
    double beta = 0.0;  // of the 20 °C diameters
    double C = 0.0;
    OrificeIteration it;
    if (!g.step([&] {
            D = s.gInnendurchmesser / 1000.0;
            Dw = s.gInnendurchmesserWarm / 1000.0;
            beta = checkedDivide(s.gOeffnungsdurchmesser, s.gInnendurchmesser);
        }))
        return;
    if (!g.step([&] { C = dischargeCoefficient(s.gPrimaerelementtyp, beta, Re, s.gEpsilonFaktor, D); }))
        return;
    // Far outside their range (a bore of a few micrometres in the RQ8, say) the
    // corrections give a coefficient of 0 or less: no flow equation, no result.
    if (!g.step([&] {
            if (C > 0.0)
                return true;
            s.gFehlerDp = ctx.text(TextOrificeCNotPositive);
            return false;
        }))
        return;
    // The correction factor multiplies the coefficient, as it does the probes':
    // the flow equation takes q/k, while C keeps the Reynolds number of the
    // real flow and stays the standard's.
    if (!g.step([&] {
            it = orificeDifferentialPressure(checkedDivide(q, s.gKorrekturFaktor), s.gEpsilonFaktor, C, beta, Dw,
                                             s.gBetriebsdichte,
                                             s.gIsentropenkoeffizient, s.gDruck * 1000.0,
                                             expansibilityOf(s.gPrimaerelementtyp));
        }))
        return;
    // Without a fixed point (or with one outside 0 < e ≤ 1) the last pass
    // belongs to no flow: the point keeps no dp, and the run stops on the
    // message, as for the probes.
    if (!g.step([&] {
            if (it.converged && it.e > 0.0 && it.e <= 1.0 && it.dpKPa > 0.0)
                return true;
            ctx.message(ctx.text(TextOrificeKeineKonvergenz));
            s.gFehlerDp = ctx.text(TextOrificeDpNotConverged);
            return false;
        }))
        return;
    // The classical venturi tubes lose the published share of their dp, the
    // other elements what the orifice plates' equation gives.
    if (!g.step([&] {
            e = it.e;
            dp = it.dpKPa;
            dpb = isVenturiTube(s.gPrimaerelementtyp) ? it.dpKPa * venturiTubeLossFraction(beta, Dw) : it.lossKPa;
        }))
        return;
    g.step([&] {
        s.gKZahl = C;
        s.gZeta = checkedDivide(1.0, C * C);
        s.gBeta = beta;
        s.gDurchflusskoeffizient = C;
    });
}

}  // namespace morvane
