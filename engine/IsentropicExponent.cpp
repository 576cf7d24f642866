#include "engine/IsentropicExponent.h"

#include "engine/SteamTableCalls.h"
#include "platform/RuntimeError.h"
#include "tracing/Guard.h"

namespace morvane {

namespace {

// Fixed exponents of the built-in media other than steam.
bool fixedKappa(Integer mediumNr, double& kappa)
{
    switch (mediumNr) {
    case medium::Luft: kappa = 1.402; return true;
    case medium::Wasser: kappa = KappaInkompressibel; return true;
    case medium::Stickstoff: kappa = 1.401; return true;
    case medium::Sauerstoff: kappa = 1.398; return true;
    case medium::Kohlendioxid: kappa = 1.293; return true;
    case medium::Methan: kappa = 1.308; return true;
    case medium::Wasserstoff: kappa = 1.41; return true;
    default: return false;
    }
}

}  // namespace

void BerechneIsentropenkoeffizient(EngineContext& e)
{
    Guard g("Module1", "BerechneIsentropenkoeffizient", "Sub BerechneIsentropenkoeffizient()");
    CalculationState& s = e.s;

    if (isTrue(s.gModellGespeicherteDaten)) {
        if (!g.step([&] { s.gFehlerIsentropen.clear(); }))
            return;
        // Medium 0 matches none of the tests below, so κ keeps its value.
        if (!g.step([&] {
                if (s.gMediumNr == medium::Keins)
                    s.gFehlerIsentropen = e.text(1213);
            }))
            return;
        if (s.gMediumNr == medium::UeberhitzterDampf || s.gMediumNr == medium::Sattdampf) {
            const double T = steamTableKelvin(s.gTemperatur);
            double rho = 0, cv = 0, cp = 0;
            // Saturated steam takes the saturated-vapour density: gDruck holds the
            // saturation pressure itself, where the density from (T, p) would be
            // liquid or vapour by the last digit of p.
            if (!g.step([&] {
                    rho = s.gMediumNr == medium::Sattdampf ? steamSaturatedVapourDensity(T)
                                                           : steamDensity(T, s.gDruck / 1000.0);
                }))
                return;
            if (!g.step([&] { cv = steamCv(T, rho); }))
                return;
            if (!g.step([&] { cp = steamCp(T, rho); }))
                return;
            if (!g.step([&] { s.gIsentropenkoeffizient = checkedDivide(cp, cv); }))
                return;
        } else {
            if (!g.step([&] {
                    double kappa = 0;
                    if (fixedKappa(s.gMediumNr, kappa))
                        s.gIsentropenkoeffizient = kappa;
                }))
                return;
        }
    }
    if (isTrue(s.gModellIdealesGas)) {
        if (!g.step([&] {
                if (s.gIsentropenkoeffizientEingabe == 0) {
                    s.gFehlerIsentropen = e.text(1232);
                    return false;
                }
                s.gIsentropenkoeffizient = s.gIsentropenkoeffizientEingabe;
                return true;
            }))
            return;
    }
    if (isTrue(s.gModellRedlichKwong)) {
        if (!g.step([&] {
                if (s.gIsentropenkoeffizientRK == 0) {
                    s.gFehlerIsentropen = e.text(1232);
                    return false;
                }
                s.gIsentropenkoeffizient = s.gIsentropenkoeffizientRK;
                return true;
            }))
            return;
    }
    if (isTrue(s.gModellFluessigkeit))
        g.step([&] { s.gIsentropenkoeffizient = KappaInkompressibel; });
}

}  // namespace morvane
