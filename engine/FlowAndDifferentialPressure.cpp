#include "engine/FlowAndDifferentialPressure.h"

#include "engine/OrificeCoefficients.h"
#include "engine/ProbeCoefficient.h"
#include "platform/RuntimeError.h"
#include "tracing/Guard.h"

#include <bit>
#include <cmath>
#include <cstdint>

namespace morvane {

namespace {

bool sameBits(double a, double b) { return std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b); }

bool sameBits(const PointArray& a, const PointArray& b)
{
    for (std::size_t i = 0; i < a.size(); ++i)
        if (!sameBits(a[i], b[i]))
            return false;
    return true;
}

void berechneReynolds(EngineContext& e, const ReynoldsReuse* kept);

// BerechneReynolds, or within a solver run the values it wrote for the same
// inputs in an earlier pass: all of them when no mass flow changed, else those
// of the points whose mass flow stayed (the passes that seek the flow change
// only the design point's).
void reynoldsOfAllPoints(EngineContext& e)
{
    CalculationState& s = e.s;
    ReynoldsReuse* r = e.reynoldsReuse;
    const bool sameMedium = r != nullptr && r->kept && sameBits(r->betriebsdichte, s.gBetriebsdichte) &&
                            sameBits(r->innendurchmesserWarm, s.gInnendurchmesserWarm) &&
                            sameBits(r->viskositaet, s.gViskositaet);
    if (sameMedium && sameBits(r->massenstrom, s.gMassenstrom)) {
        s.gGeschwindigkeit = r->geschwindigkeit;
        s.gReynolds = r->reynolds;
        return;
    }
    const auto leftBefore = errPtnr().stepsLeftByError();
    berechneReynolds(e, sameMedium ? r : nullptr);
    if (r == nullptr)
        return;
    // Only a computation that ran through is kept.
    r->kept = errPtnr().stepsLeftByError() == leftBefore;
    r->massenstrom = s.gMassenstrom;
    r->betriebsdichte = s.gBetriebsdichte;
    r->innendurchmesserWarm = s.gInnendurchmesserWarm;
    r->viskositaet = s.gViskositaet;
    r->geschwindigkeit = s.gGeschwindigkeit;
    r->reynolds = s.gReynolds;
}

// π of the velocity and the probe's flow equation.
constexpr double Pi = 3.14159;
// π of the probe's equivalent bore.
constexpr double PiBore = 3.1415926;

constexpr int MaxPasses = 1000;
constexpr double ToleranceDpPa = 1e-9;

// Resource texts of this step.
constexpr std::int32_t TextFlowUnitMissing = 1211;
constexpr std::int32_t TextNormVolumeWaterSteam = 1212;
constexpr std::int32_t TextElementMissing = 1233;
constexpr std::int32_t TextNormVolumeLiquid = 1324;

double probeWidthMm(const CalculationState& s)
{
    return morvane::probeWidthMm(s.gPrimaerelementtyp, s.gSondenbreite);
}

bool isNormVolume(Integer unit) { return unit == flowunit::Nm3h || unit == flowunit::Nm3s; }

// Norm volume to mass: kg/s per Nm³/h or per Nm³/s.
double normVolumeFactor(Integer unit, double normdichte)
{
    return unit == flowunit::Nm3h ? normdichte / 3600.0 : normdichte;
}

}  // namespace

ProbeIteration probeDifferentialPressure(double q, double epsilonFaktor, double korrekturFaktor, double K,
                                         double widthMm, double dMm, double rho, double kappa, double pKPa)
{
    // The loop takes the pipe's cross-section (β = 1); the equivalent bore
    // comes after it, for display only.
    const double beta = 1.0;
    const double r = checkedDivide(widthMm, dMm);
    const double lossRatio = 0.9047 * r + 0.0053;
    const double rb = 3.9475 * r;
    const double expansibility = 0.41 + 0.35 * rb * rb * rb * rb;
    const double dm = dMm * beta / 1000.0;
    const double area = Pi * dm * dm;
    const auto dpAt = [&](double flowTerm, double e) {  // Pa
        const double x = checkedDivide(flowTerm, K * e * area);
        return checkedDivide(x * x / 2.0, rho);
    };
    // The expansion factor is taken at q·epsilonFaktor, the stored dp at q.
    const double a = checkedDivide(4.0 * q * epsilonFaktor, korrekturFaktor);
    const double kappaPPa = kappa * pKPa * 1000.0;

    ProbeIteration it;
    double e = 1.0;
    double d = 1.0;
    while (std::fabs(d) >= ToleranceDpPa) {
        const double dp = dpAt(a, e);
        e = 1.0 - checkedDivide(expansibility * dp, kappaPPa);
        d = dp - dpAt(a, e);
        if (++it.passes == MaxPasses) {
            it.e = e;
            return it;  // not converged
        }
    }
    it.converged = true;
    it.e = e;
    it.dpKPa = dpAt(checkedDivide(4.0 * q, korrekturFaktor), e) / 1000.0;
    it.lossKPa = lossRatio * it.dpKPa;
    return it;
}

double probeEquivalentBeta(double widthMm, double dMm)
{
    const double s = checkedDivide(widthMm, dMm);
    const double alpha = std::atan(checkedDivide(s, checkedSqrt(1.0 - s * s)));  // arcsin s
    const double pipeArea = dMm * dMm * PiBore / 4.0;
    // The probe covers a strip of its width through the axis: two circle
    // sectors of half-angle alpha and four right triangles.
    const double covered = 4.0 * (pipeArea * alpha / (2.0 * PiBore)
                                  + 0.25 * widthMm * checkedSqrt(dMm * dMm / 4.0 - widthMm * widthMm / 4.0));
    return checkedDivide(checkedSqrt(4.0 * (pipeArea - covered) / PiBore), dMm);
}

void BerechneDifferenzdruck(EngineContext& e)
{
    Guard g("Module1", "BerechneDifferenzdruck", "Sub BerechneDifferenzdruck()");
    CalculationState& s = e.s;
    double f = 0.0;  // kg/s per unit of the entered flows
    bool einheitPasstNicht = false;  // the flow unit does not fit the medium

    if (!g.step([&] {
            if (s.gDurchflussEinheit != flowunit::Keine)
                return true;
            s.gFehlerDp = e.text(TextFlowUnitMissing);
            return false;
        }))
        return;
    if (!g.step([&] {
            if (!isTrue(s.gModellGespeicherteDaten) || !isNormVolume(s.gDurchflussEinheit))
                return;
            const Integer m = s.gMediumNr;
            if (m == medium::Luft || m >= medium::Stickstoff)
                f = normVolumeFactor(s.gDurchflussEinheit, s.gNormdichte);
            else if (m >= medium::UeberhitzterDampf && m <= medium::Wasser) {
                s.gFehlerDp = e.text(TextNormVolumeWaterSteam);
                einheitPasstNicht = true;
            }
        }))
        return;
    if (!g.step([&] {
            if (isTrue(s.gModellIdealesGas) && isNormVolume(s.gDurchflussEinheit))
                f = normVolumeFactor(s.gDurchflussEinheit, s.gNormdichte);
        }))
        return;
    // Redlich-Kwong provides a norm density as the ideal-gas model does, so a norm
    // volume converts the same way instead of leaving the mass flow at zero.
    if (!g.step([&] {
            if (isTrue(s.gModellRedlichKwong) && isNormVolume(s.gDurchflussEinheit))
                f = normVolumeFactor(s.gDurchflussEinheit, s.gNormdichte);
        }))
        return;
    if (!g.step([&] {
            if (isTrue(s.gModellFluessigkeit) && isNormVolume(s.gDurchflussEinheit)) {
                s.gFehlerDp = e.text(TextNormVolumeLiquid);
                einheitPasstNicht = true;
            }
        }))
        return;
    if (!g.step([&] {
            switch (s.gDurchflussEinheit) {
            case flowunit::kgh: f = 1.0 / 3600.0; break;
            case flowunit::kgs: f = 1.0; break;
            case flowunit::th: f = 1.0 / 3.6; break;
            case flowunit::m3h: f = s.gBetriebsdichte / 3600.0; break;
            case flowunit::m3s: f = s.gBetriebsdichte; break;
            default: break;
            }
        }))
        return;
    // A unit that the medium cannot take ends the step: there is no mass flow to
    // compute with, and the caller stops on the message anyway.
    if (einheitPasstNicht)
        return;
    if (!g.step([&] {
            s.gMassenstrom[PunktAuslegung] = checkedFinite(s.gDurchflussAuslegung * f);
            s.gMassenstrom[PunktMax] = checkedFinite(s.gDurchflussMax * f);
            s.gMassenstrom[PunktNorm] = checkedFinite(s.gDurchflussNorm * f);
            s.gMassenstrom[PunktMin] = checkedFinite(s.gDurchflussMin * f);
        }))
        return;
    if (!g.step([&] { reynoldsOfAllPoints(e); }))
        return;
    // A point that ends on a message (its iteration found no fixed point) ends
    // the step: the run stops on the message, and the other points would only
    // repeat the box.
    const auto point = [&](int i) {
        const std::string vorher = s.gFehlerDp;
        return g.step([&] {
                   Getdp(e, s.gMassenstrom[i], s.gReynolds[i], s.gExpansionszahl[i], s.gDifferenzdruck[i],
                         s.gDruckverlust[i]);
               }) &&
               s.gFehlerDp == vorher;
    };
    if (!point(PunktAuslegung))
        return;
    if (!isSet(s.gMehrereBetriebspunkte) || e.designPointOnly)
        return;
    // The single coefficient fields that the results and the protocol show are
    // the design point's; the other points overwrite them on their way.
    const double kZahl = s.gKZahl, zeta = s.gZeta, c = s.gDurchflusskoeffizient, beta = s.gBeta;
    for (int i = PunktMax; i <= PunktMin; ++i)
        if (!point(i))
            break;
    s.gKZahl = kZahl;
    s.gZeta = zeta;
    s.gDurchflusskoeffizient = c;
    s.gBeta = beta;
}

void BerechneReynolds(EngineContext& e)
{
    berechneReynolds(e, nullptr);
}

namespace {

// kept: what an earlier computation that ran through wrote for the same
// density, warm diameter and viscosity; a point whose mass flow is the same bit
// for bit takes its velocity and Reynolds number from there, the very values
// the computation gives for them.
void berechneReynolds(EngineContext& e, const ReynoldsReuse* kept)
{
    Guard g("Module1", "BerechneReynolds", "Sub BerechneReynolds()");
    CalculationState& s = e.s;
    const auto stays = [&](int i) { return kept != nullptr && sameBits(kept->massenstrom[i], s.gMassenstrom[i]); };
    for (int i = 0; i < 4; ++i) {
        if (!g.step([&] {
                if (stays(i)) {
                    s.gGeschwindigkeit[i] = kept->geschwindigkeit[i];
                    return;
                }
                const double dm = s.gInnendurchmesserWarm / 1000.0;
                s.gGeschwindigkeit[i] =
                    checkedDivide(checkedDivide(4.0 * s.gMassenstrom[i], s.gBetriebsdichte) / Pi, dm * dm);
            }))
            return;
    }
    for (int i = 0; i < 4; ++i) {
        if (!g.step([&] {
                if (stays(i)) {
                    s.gReynolds[i] = kept->reynolds[i];
                    return;
                }
                s.gReynolds[i] = checkedDivide(s.gBetriebsdichte * s.gGeschwindigkeit[i] * s.gInnendurchmesserWarm / 1000.0,
                                               s.gViskositaet * 0.001);
            }))
            return;
    }
}

}  // namespace

void Getdp(EngineContext& ctx, double& q, double& Re, double& e, double& dp, double& dpb)
{
    Guard g("Module1", "Getdp", "Sub Getdp(q As Double, Re As Double, e As Double, dp As Double, dpb As Double)",
            {{"q", q}, {"Re", Re}, {"e", e}, {"dp", dp}, {"dpb", dpb}});
    CalculationState& s = ctx.s;
    if (!g.step([&] {
            e = 1.0;
            dp = 0.0;
        }))
        return;

    const Integer type = s.gPrimaerelementtyp;
    if (type == element::RQ8 || type > element::SondeAndererHersteller) {
        g.step([&] { get_Blende(ctx, q, Re, e, dp, dpb); });
        return;
    }
    if (!g.step([&] {
            if (type < element::RQ10) {
                s.gFehlerDp = ctx.text(TextElementMissing);
                return false;
            }
            s.gBeta = 1.0;
            // A probe without a positive flow coefficient (K = 0 entered, or a
            // table extrapolated to ζ ≤ 0) has no flow equation: stop the run.
            if (!(s.gDurchflusskoeffizient > 0.0)) {
                s.gFehlerDp = ctx.text(type == element::SondeAndererHersteller ? TextProbeKNotPositive
                                                                                : TextProbeZetaNotPositive);
                return false;
            }
            return true;
        }))
        return;

    double width = 0.0;
    ProbeIteration it;
    if (!g.step([&] {
            width = probeWidthMm(s);
            it = probeDifferentialPressure(q, s.gEpsilonFaktor, s.gKorrekturFaktor, s.gDurchflusskoeffizient, width,
                                           s.gInnendurchmesserWarm, s.gBetriebsdichte, s.gIsentropenkoeffizient,
                                           s.gDruck);
        }))
        return;
    // Beyond (0.41 + 0.35·(3.9475·r)⁴)·dp/(κ·p) > 4/27 the loop has no fixed
    // point. The point then has no dp at all, and the run stops on the message
    // rather than going on with a value of the last pass. So does a loop that
    // stops on an expansion factor outside (0, 1]: near 0 kPa a dp below the
    // loop's tolerance ends it after one pass, wherever e stands.
    if (!g.step([&] {
            if (it.converged && it.e > 0.0 && it.e <= 1.0 && it.dpKPa > 0.0)
                return true;
            ctx.message(ctx.text(TextProbeKeineKonvergenz));
            s.gFehlerDp = ctx.text(TextProbeDpNotConverged);
            return false;
        }))
        return;
    if (!g.step([&] {
            e = it.e;
            dp = it.dpKPa;
            dpb = it.lossKPa;
        }))
        return;
    if (!g.step([&] { s.gBeta = probeEquivalentBeta(width, s.gInnendurchmesserWarm); }))
        return;
    g.step([&] {
        s.gCSonde = s.gKZahl * checkedSqrt(1.0 - s.gBeta * s.gBeta * s.gBeta * s.gBeta);
        s.gOeffnungsdurchmesser = s.gInnendurchmesserWarm * s.gBeta;
    });
}

}  // namespace morvane
