#include "engine/FlowLimits.h"

#include "platform/RuntimeError.h"
#include "tracing/Guard.h"

#include <algorithm>

namespace morvane {

const std::array<UnsicherheitsStufe, 6> Unsicherheitsstufen{{
    {0.4, 0.4, 0.001, 0.51},
    {0.24, 0.06, 0.006, 0.46},
    {0.2, 0.05, 0.012, 0.43},
    {0.15, 0.04, 0.018, 0.41},
    {0.1, 0.03, 0.038, 0.39},
    {0.07, 0.025, 0.088, 0.37},
}};

namespace {

// Design dp (kPa) up to which the recommended minimum follows the square-root
// law: there q/(dp/0.1)^0.5 (steam) and q/(dp/0.025)^0.5 (gases, liquids)
// reach q/7.
constexpr double DpGrenzeMinDampf = 4.9;
constexpr double DpGrenzeMinGas = 1.225;

// Splitting range: the second transmitter covers down to 9 % of the first
// one's span; its thresholds count from 30 % of the flow.
constexpr double SplitDpAnteil = 0.09;
constexpr double SplitFlussAnteil = 0.3;

// Maximum flows from the vibration ratio: recommended at half of it, allowed
// at the margin 1.3.
constexpr double VerhaeltnisEmpfohlen = 2.0;
constexpr double VerhaeltnisErlaubt = 1.3;

// The steam formula 0.25·a^(-0.57)·(dp in mbar)^(-b).
double dampfAnteil(double a, double b, double dpMbar)
{
    return 0.25 * checkedPow(a, -0.57) * checkedPow(dpMbar, -b);
}

}  // namespace

Integer mediumKlasse(const CalculationState& s)
{
    Integer klasse = KlasseGas;
    if (isTrue(s.gModellGespeicherteDaten)) {
        switch (s.gMediumNr) {
        case medium::UeberhitzterDampf:
        case medium::Sattdampf: klasse = KlasseDampf; break;
        case medium::Wasser: klasse = KlasseFluessigkeit; break;
        default: break;  // air, the listed gases and medium 0
        }
    }
    if (isTrue(s.gModellIdealesGas))
        klasse = KlasseGas;
    if (isTrue(s.gModellRedlichKwong))
        klasse = KlasseGas;
    if (isTrue(s.gModellFluessigkeit))
        klasse = KlasseFluessigkeit;
    return klasse;
}

void BerechneLimits(EngineContext& e)
{
    Guard g("Module1", "BerechneLimits", "Sub BerechneLimits()");
    CalculationState& s = e.s;
    const double q = s.gDurchflussAuslegung;
    const double dp = s.gDifferenzdruck[PunktAuslegung];  // kPa
    const double ratio = s.gFrequenzverhaeltnis;
    Integer klasse = KlasseGas;

    const std::array<double Grenzwerte::*, 6> einzeln{
        &Grenzwerte::gQUnsicherheit1, &Grenzwerte::gQUnsicherheit1_5, &Grenzwerte::gQUnsicherheit2,
        &Grenzwerte::gQUnsicherheit3, &Grenzwerte::gQUnsicherheit5,   &Grenzwerte::gQUnsicherheit10};
    const std::array<double Grenzwerte::*, 6> split{
        &Grenzwerte::gQUnsicherheit1SR, &Grenzwerte::gQUnsicherheit1_5SR, &Grenzwerte::gQUnsicherheit2SR,
        &Grenzwerte::gQUnsicherheit3SR, &Grenzwerte::gQUnsicherheit5SR,   &Grenzwerte::gQUnsicherheit10SR};

    // A product beyond the double range raises the overflow error (6) in its
    // statement: no limit is ever infinite.
    if (!g.step([&] { klasse = mediumKlasse(s); }))
        return;
    for (std::size_t i = 0; i < Unsicherheitsstufen.size(); ++i) {
        if (!g.step([&] { s.*einzeln[i] = checkedFinite(Unsicherheitsstufen[i].anteil * q); }))
            return;
        if (!g.step([&] { s.*split[i] = checkedFinite(Unsicherheitsstufen[i].anteilSR * q); }))
            return;
    }

    if (klasse == KlasseDampf) {
        const double dpMbar = 10.0 * dp;
        for (std::size_t i = 0; i < Unsicherheitsstufen.size(); ++i) {
            const UnsicherheitsStufe& u = Unsicherheitsstufen[i];
            if (!g.step([&] { s.*einzeln[i] = checkedFinite(q * dampfAnteil(u.a, u.b, dpMbar)); }))
                return;
        }
        for (std::size_t i = 0; i < Unsicherheitsstufen.size(); ++i) {
            const UnsicherheitsStufe& u = Unsicherheitsstufen[i];
            if (!g.step([&] {
                    double f = dampfAnteil(u.a, u.b, dpMbar);
                    if (f < SplitFlussAnteil) {
                        f = std::min(dampfAnteil(u.a, u.b, SplitDpAnteil * dpMbar), 1.0);
                        f = SplitFlussAnteil * f;
                    }
                    s.*split[i] = checkedFinite(q * f);
                }))
                return;
        }
    }

    if (!g.step([&] { s.gQmaxEmpfohlen = checkedFinite(q * ratio / VerhaeltnisEmpfohlen); }))
        return;
    if (!g.step([&] { s.gQmaxErlaubt = checkedFinite(q * ratio / VerhaeltnisErlaubt); }))
        return;
    if (!g.step([&] {
            if (dp <= 6.0 && s.gGegenlagerVorgesehen == 1 && ratio < 2.0)
                s.gQmaxEmpfohlen = s.gQmaxErlaubt = checkedFinite(q * checkedSqrt(checkedDivide(6.0, dp)));
        }))
        return;
    if (!g.step([&] {
            if (dp <= 2.0 && s.gGegenlagerVorgesehen == 0 && ratio < 2.0)
                s.gQmaxEmpfohlen = s.gQmaxErlaubt = checkedFinite(q * checkedSqrt(checkedDivide(2.0, dp)));
        }))
        return;

    // Minimum flows: the square-root law at small dp, fixed turn-downs above.
    const bool dampf = klasse == KlasseDampf;
    const double dpGrenze = dampf ? DpGrenzeMinDampf : DpGrenzeMinGas;
    const double dpEmpfohlen = dampf ? 0.1 : 0.025;  // kPa at which the minimum equals q
    const double dpMoeglich = dampf ? 0.05 : 0.01;
    if (dp <= dpGrenze) {
        if (!g.step([&] {
                s.gQminEmpfohlen = s.gQminEmpfohlenSR = checkedDivide(q, checkedSqrt(dp / dpEmpfohlen));
            }))
            return;
        if (!g.step([&] { s.gQminMoeglich = s.gQminMoeglichSR = checkedDivide(q, checkedSqrt(dp / dpMoeglich)); }))
            return;
    } else {
        if (!g.step([&] { s.gQminEmpfohlen = q / 7.0; }))
            return;
        if (!g.step([&] { s.gQminMoeglich = q / 10.0; }))
            return;
        if (!g.step([&] { s.gQminEmpfohlenSR = q / 15.0; }))
            return;
        if (!g.step([&] { s.gQminMoeglichSR = q / 23.0; }))
            return;
    }

    // Floors of one transmitter; the splitting-range minima have none.
    if (!g.step([&] {
            if (q / 7.0 > s.gQminEmpfohlen)
                s.gQminEmpfohlen = q / 7.0;
        }))
        return;
    g.step([&] {
        if (q / 10.0 > s.gQminMoeglich)
            s.gQminMoeglich = q / 10.0;
    });
}

}  // namespace morvane
