#include "engine/CalculateDriver.h"

#include "configurator/TypeKey.h"
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

bool hasVibrationCheck(Integer typ) { return typ >= element::RQ10 && typ <= element::RQ50; }

}  // namespace

void showMeldung(DriverContext& d, const std::string& text)
{
    d.ui.gFehlertext = text;
    d.windows.messages.show();
}

bool optionenOhneBenutzer(Guard& g, DriverContext& d)
{
    return g.step([&] {
        if (d.e.settings.gUserName.empty())
            d.windows.options.showModal();
    });
}

bool leseEingaben(Guard& g, DriverContext& d)
{
    CalculationState& s = d.e.s;
    UiZustand& ui = d.ui;
    if (!g.step([&] {
            ui.gFehlerEingabe.clear();
            s.gFehlerDichte.clear();
            s.gFehlerZeta.clear();
            s.gFehlerIsentropen.clear();
            s.gFehlerDp.clear();
        }))
        return false;
    if (!g.step([&] { d.windows.mainWindow.ReadOberflaeche(); }))
        return false;
    if (!ui.gFehlerEingabe.empty()) {
        g.step([&] { showMeldung(d, ui.gFehlerEingabe); });
        return false;
    }
    MainWindowInputs& window = d.windows.mainWindow;
    if (!g.step([&] { window.rebuildTypeCode(); }))
        return false;
    if (!g.step([&] {
            d.config.gTypenschluessel = typeKey(s.gPrimaerelementtyp, window.typeInfoText(), window.codeDisplayText());
        }))
        return false;
    return g.step([&] { s.gGegenlagerVorgesehen = oppositeSupportOf(d.config.gTypenschluessel); });
}

bool stopsOn(Guard& g, DriverContext& d, StepFunction step, const std::string& meldung, std::string_view zusatz)
{
    if (!g.step([&] { step(d.e); }))
        return true;
    if (meldung.empty())
        return false;
    g.step([&] { showMeldung(d, meldung + std::string(zusatz)); });
    return true;
}

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

    if (!optionenOhneBenutzer(g, d))
        return;
    if (!leseEingaben(g, d))
        return;

    if (stopsOn(g, d, d.steps.BerechneDichte, s.gFehlerDichte))
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
    if (!s.gFehlerZeta.empty() && !g.step([&] { showMeldung(d, s.gFehlerZeta + std::string(ZetaWarnungZusatz)); }))
        return;
    if (stopsOn(g, d, d.steps.BerechneIsentropenkoeffizient, s.gFehlerIsentropen))
        return;
    if (!g.step([&] { d.steps.BerechneViskositaet(e); }))
        return;
    if (stopsOn(g, d, d.steps.BerechneDifferenzdruck, s.gFehlerDp))
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
