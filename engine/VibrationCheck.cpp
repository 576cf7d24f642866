#include "engine/VibrationCheck.h"

#include "engine/FormatPatterns.h"
#include "platform/RuntimeError.h"
#include "tracing/Guard.h"

#include <charconv>
#include <string>

namespace morvane {

namespace {

constexpr double Strouhal = 0.2;

}  // namespace

std::optional<ProbeBeam> probeBeam(Integer elementType)
{
    switch (elementType) {
    case element::RQ10: return ProbeBeam{11000000.0, 11.0};
    case element::RQ25: return ProbeBeam{12000000.0, 21.0};
    case element::RQ25HDD: return ProbeBeam{12000000.0, 22.0};
    case element::RQ32: return ProbeBeam{12750000.0, 33.7};
    case element::RQ44: return ProbeBeam{18500000.0, 44.0};
    case element::RQ50: return ProbeBeam{30000000.0, 50.0};
    default: return std::nullopt;
    }
}

void frequencycheck(EngineContext& e)
{
    Guard g("Module1", "frequencycheck", "Sub frequencycheck()");
    CalculationState& s = e.s;

    if (!g.step([&] { s.gSchwingungswarnung = False; }))
        return;
    if (!g.step([&] {
            if (const auto beam = probeBeam(s.gPrimaerelementtyp)) {
                s.gSondenkonstante = beam->stiffness;
                s.gSondenbreite = beam->widthMm;
            }
        }))
        return;
    // Lengths beyond the double range are an overflow, never an infinite probe.
    if (!g.step([&] { s.gSondenlaenge = checkedFinite(2.0 * s.gWandstaerke + s.gInnendurchmesserWarm); }))
        return;
    if (!g.step([&] {
            s.gEigenfrequenz = checkedDivide(s.gSondenkonstante, checkedFinite(s.gSondenlaenge * s.gSondenlaenge));
        }))
        return;
    if (!g.step([&] { s.gEigenfrequenzGegenlager = checkedFinite(4.0 * s.gEigenfrequenz); }))
        return;
    if (!g.step([&] {
            s.gVortexfrequenz = checkedDivide(Strouhal * s.gGeschwindigkeit[PunktAuslegung], s.gSondenbreite / 1000.0);
        }))
        return;
    g.step([&] {
        const double f = isSet(s.gGegenlagerVorgesehen) ? s.gEigenfrequenzGegenlager : s.gEigenfrequenz;
        // Format "###0.00" and back to a number: the ratio carries two decimals.
        // The text has a point whatever the locale, so it is read back without
        // the locale (strtod would stop at the point under a decimal comma).
        const std::string text = formatFixed(checkedDivide(f, s.gVortexfrequenz), 2);
        double ratio = 0.0;
        std::from_chars(text.data(), text.data() + text.size(), ratio);
        s.gFrequenzverhaeltnis = ratio;
    });
}

void Gegenlager(EngineContext& e)
{
    Guard g("Module1", "Gegenlager", "Sub Gegenlager()");
    CalculationState& s = e.s;
    const double dp = s.gDifferenzdruck[PunktAuslegung];  // kPa
    const double D = s.gInnendurchmesserWarm;              // mm
    const double fn = s.gEigenfrequenz;
    const double fs = s.gEigenfrequenzGegenlager;
    const double fv = s.gVortexfrequenz;
    const bool vorgesehen = s.gGegenlagerVorgesehen == 1;
    const bool keinGegenlager = s.gGegenlagerVorgesehen == 0;

    if (!g.step([&] {
            if (checkedDivide(BiegeKonstante, D * D * D) < 10.0 * dp) {
                s.gGegenlagerNotwendig = True;
                if (keinGegenlager)
                    e.message(std::string(MeldungGegenlagerBiegung));
            } else {
                s.gGegenlagerNotwendig = False;
            }
        }))
        return;
    if (!g.step([&] {
            if (keinGegenlager && D >= DurchmesserGrenzeGegenlager)
                s.gGegenlagerNotwendig = True;
        }))
        return;
    if (!g.step([&] {
            if (fs / FrequenzAbstand >= fv || dp <= DpGrenzeSonde)
                return true;
            e.message(std::string(MeldungGroessereSonde));
            s.gGegenlagerNotwendig = True;
            s.gSchwingungswarnung = True;
            return false;
        }))
        return;
    if (!g.step([&] {
            if (fn / FrequenzAbstand < fv && dp > DpGrenzeGegenlager && keinGegenlager) {
                e.message(std::string(MeldungGegenlagerFrequenz));
                s.gGegenlagerNotwendig = True;
                s.gSchwingungswarnung = True;
            }
        }))
        return;
    g.step([&] {
        if (fs / FrequenzAbstand < fv && vorgesehen && dp < DpGrenzeSonde) {
            s.gGegenlagerNotwendig = True;
            s.gSchwingungswarnung = False;
        }
    });
}

}  // namespace morvane
