#include "engine/CalculateDriver.h"

#include "engine/DensityDispatch.h"
#include "engine/FlowAndDifferentialPressure.h"
#include "engine/FlowLimits.h"
#include "engine/InnerDiameter.h"
#include "engine/IsentropicExponent.h"
#include "engine/ProbeCoefficient.h"
#include "engine/VibrationCheck.h"
#include "engine/Viscosity.h"
#include "tracing/Guard.h"

namespace morvane {

namespace {

// The pipe of the small-flow meter run RQ8: mm, round.
constexpr double RQ8Innendurchmesser = 19.0;

bool isProbe(Integer typ) { return typ >= element::RQ10 && typ <= element::SondeAndererHersteller; }
bool hasVibrationCheck(Integer typ) { return typ >= element::RQ10 && typ <= element::RQ50; }

}  // namespace

DriverSteps engineDriverSteps()
{
    DriverSteps steps{};
    steps.BerechneDichte = &BerechneDichte;
    steps.BerechneInnendurchmesser = &BerechneInnendurchmesser;
    steps.BerechneZeta = &BerechneZeta;
    steps.BerechneIsentropenkoeffizient = &BerechneIsentropenkoeffizient;
    steps.BerechneViskositaet = &BerechneViskositaet;
    steps.BerechneDifferenzdruck = &BerechneDifferenzdruck;
    steps.frequencycheck = &frequencycheck;
    steps.Gegenlager = &Gegenlager;
    steps.BerechneLimits = &BerechneLimits;
    return steps;
}

void RunCalculate(DriverContext& d)
{
    Guard g("frmMain", "Command1_Click", "Private Sub Command1_Click()");
    EngineContext& e = d.e;
    CalculationState& s = e.s;
    UiZustand& ui = d.ui;
    // The messages window shows gFehlertext, set just before.
    const auto show = [&](const std::string& text) {
        ui.gFehlertext = text;
        d.windows.messages.show();
    };
    // Runs a step and stops the run when its message text is not empty.
    const auto stopsOn = [&](StepFunction step, const std::string& meldung) {
        if (!g.step([&] { step(e); }))
            return true;
        if (meldung.empty())
            return false;
        g.step([&] { show(meldung); });
        return true;
    };

    if (!g.step([&] {
            if (e.settings.gUserName.empty())
                d.windows.options.showModal();
        }))
        return;
    if (!g.step([&] {
            d.config.gTypenschluessel = d.windows.mainWindow.typeInfoText() + d.windows.mainWindow.codeDisplayText();
        }))
        return;
    if (!g.step([&] {
            ui.gFehlerEingabe.clear();
            s.gFehlerDichte.clear();
            s.gFehlerZeta.clear();
            s.gFehlerIsentropen.clear();
            s.gFehlerDp.clear();
        }))
        return;
    if (!g.step([&] { d.windows.mainWindow.ReadOberflaeche(); }))
        return;
    if (!ui.gFehlerEingabe.empty()) {
        g.step([&] { show(ui.gFehlerEingabe); });
        return;
    }

    if (stopsOn(d.steps.BerechneDichte, s.gFehlerDichte))
        return;
    const Integer typ = s.gPrimaerelementtyp;
    if (!g.step([&] {
            if (typ == element::RQ8) {
                s.gInnendurchmesser = RQ8Innendurchmesser;
                s.gRohrRechteckig = 0;
            }
            if (!hasVibrationCheck(typ))
                s.gFrequenzverhaeltnis = 0.0;
        }))
        return;
    if (!g.step([&] { d.steps.BerechneInnendurchmesser(e); }))
        return;
    if (isProbe(typ) && !g.step([&] { d.steps.BerechneZeta(e); }))
        return;
    // Only a warning: the run goes on.
    if (!s.gFehlerZeta.empty() && !g.step([&] { show(s.gFehlerZeta + std::string(ZetaWarnungZusatz)); }))
        return;
    if (stopsOn(d.steps.BerechneIsentropenkoeffizient, s.gFehlerIsentropen))
        return;
    if (!g.step([&] { d.steps.BerechneViskositaet(e); }))
        return;
    if (stopsOn(d.steps.BerechneDifferenzdruck, s.gFehlerDp))
        return;
    if (hasVibrationCheck(typ)) {
        if (!g.step([&] { d.steps.frequencycheck(e); }))
            return;
        if (!g.step([&] { d.steps.Gegenlager(e); }))
            return;
    }
    if (!g.step([&] { d.steps.BerechneLimits(e); }))
        return;
    g.step([&] { d.windows.results.show(); });
}

}  // namespace morvane
