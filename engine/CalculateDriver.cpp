#include "engine/CalculateDriver.h"

#include "engine/TypeKey.h"
#include "engine/DensityDispatch.h"
#include "engine/DifferentialPressureSolver.h"
#include "engine/FlowAndDifferentialPressure.h"
#include "engine/FlowLimits.h"
#include "engine/InnerDiameter.h"
#include "engine/IsentropicExponent.h"
#include "engine/ProbeCoefficient.h"
#include "engine/ResultChecks.h"
#include "engine/VibrationCheck.h"
#include "engine/Viscosity.h"
#include "platform/ProductDatabase.h"
#include "tracing/Guard.h"

#include <exception>

namespace morvane {

namespace {

bool hasVibrationCheck(Integer typ) { return typ >= element::RQ10 && typ <= element::RQ50; }

}  // namespace

void showMeldung(DriverContext& d, const std::string& text)
{
    d.ui.gFehlertext = text;
    d.windows.messages.show();
}

bool meldungenSchliessen(Guard& g, DriverContext& d)
{
    return g.step([&] { d.windows.messages.close(); });
}

RunCompletion::RunCompletion(DriverContext& d)
    : d_(d), before_(errPtnr().stepsLeftByError()), uncaught_(std::uncaught_exceptions())
{
}

RunCompletion::~RunCompletion()
{
    // Not while the program is being ended from the error dialog.
    if (std::uncaught_exceptions() != uncaught_ || !stepLeft())
        return;
    try {
        showMeldung(d_, d_.e.text(TextBerechnungUnvollstaendig));
    } catch (...) {
        // A messages window that cannot be shown leaves the user with the error
        // dialog already seen; nothing more to say.
    }
}

bool RunCompletion::stepLeft() const
{
    return errPtnr().stepsLeftByError() != before_;
}

ResultsFollowTheState::ResultsFollowTheState(DriverContext& d) : d_(d), uncaught_(std::uncaught_exceptions()) {}

ResultsFollowTheState::~ResultsFollowTheState()
{
    if (shown_ || std::uncaught_exceptions() != uncaught_)
        return;
    try {
        d_.windows.results.close();
    } catch (...) {
        // A window that cannot be closed is closed with the main window.
    }
}

bool optionenOhneBenutzer(Guard& g, DriverContext& d)
{
    return g.step([&] {
        if (d.e.settings.gUserName.empty())
            d.windows.options.showModal();
    });
}

bool leseEingaben(Guard& g, DriverContext& d, bool solver)
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
    // A reading left through a run-time error leaves the state half read.
    const std::uint64_t fehlerVorher = errPtnr().stepsLeftByError();
    if (!g.step([&] { d.windows.mainWindow.ReadOberflaeche(solver ? ReadingFor::Solver : ReadingFor::Calculation); }) ||
        errPtnr().stepsLeftByError() != fehlerVorher)
        return false;
    // The known dp of the solver, kPa.
    if (solver && !g.step([&] {
            if (!(s.gDifferenzdruckSoll > SolverDpMinKPa))
                ui.gFehlerEingabe += d.e.text(TextSolverDpNichtPositiv);
        }))
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
    const RunCompletion completion(d);

    if (!meldungenSchliessen(g, d) || !optionenOhneBenutzer(g, d))
        return;
    ResultsFollowTheState results(d);
    if (!leseEingaben(g, d) || completion.stepLeft())
        return;
    // From here on the engine reads the product database: its file is checked
    // once for the whole run.
    const ProductDatabases::Run databaseRun(e.databases);

    // From here on, a step that lost a statement to a run-time error ends the
    // run: what follows would build on values of an earlier run or on none.
    if (stopsOn(g, d, d.steps.BerechneDichte, s.gFehlerDichte) || completion.stepLeft())
        return;
    // Warnings: each is shown with the suffix and the run goes on. The window
    // shows the text of its latest show, so a later warning of the run is
    // shown beneath those before it.
    std::string warnungen;
    const auto warne = [&](const std::string& warnung) {
        if (!g.step([&] { warnungen += (warnungen.empty() ? "" : "\n") + warnung + e.text(TextWarnungZusatz); }))
            return false;
        return g.step([&] { showMeldung(d, warnungen); });
    };
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
    if (!g.step([&] { d.steps.BerechneInnendurchmesser(e); }) || completion.stepLeft())
        return;
    if (isProbe(typ) && (!g.step([&] { d.steps.BerechneZeta(e); }) || completion.stepLeft()))
        return;
    if (!s.gFehlerZeta.empty() && !warne(s.gFehlerZeta))
        return;
    if (stopsOn(g, d, d.steps.BerechneIsentropenkoeffizient, s.gFehlerIsentropen) || completion.stepLeft())
        return;
    if (!g.step([&] { d.steps.BerechneViskositaet(e); }) || completion.stepLeft())
        return;
    if (stopsOn(g, d, d.steps.BerechneDifferenzdruck, s.gFehlerDp) || completion.stepLeft())
        return;
    // A number no real element can have stops the run as the dp step's own
    // message does; a gas dp beyond the expansion factor's range is a warning.
    // So is a point outside the limits of use of the coefficient equation.
    std::string warnung, grenzen;
    if (!g.step([&] {
            s.gFehlerDp = resultStop(e, lastShownPoint(s));
            if (s.gFehlerDp.empty()) {
                warnung = dpRangeWarning(e, lastShownPoint(s));
                grenzen = limitsOfUseWarning(e, lastShownPoint(s));
            }
        }) ||
        completion.stepLeft())
        return;
    if (!s.gFehlerDp.empty()) {
        g.step([&] { showMeldung(d, s.gFehlerDp); });
        return;
    }
    if (!warnung.empty() && !warne(warnung))
        return;
    if (!grenzen.empty() && !warne(grenzen))
        return;
    if (hasVibrationCheck(typ)) {
        if (!g.step([&] { d.steps.frequencycheck(e); }) || completion.stepLeft())
            return;
        if (!g.step([&] { d.steps.Gegenlager(e); }) || completion.stepLeft())
            return;
    }
    if (!g.step([&] { d.steps.BerechneLimits(e); }) || completion.stepLeft())
        return;
    if (g.step([&] { d.windows.results.show(); }))
        results.shown();
}

}  // namespace morvane
