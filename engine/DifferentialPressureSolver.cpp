#include "engine/DifferentialPressureSolver.h"

#include "engine/FlowAndDifferentialPressure.h"
#include "engine/FormatPatterns.h"
#include "engine/ResultChecks.h"
#include "platform/ProductDatabase.h"
#include "platform/NumberText.h"
#include "platform/RuntimeError.h"
#include "tracing/Guard.h"

#include <cmath>

namespace morvane {

namespace {

// The flow-unit list's first item (index 0, no unit chosen); item i at + i.
constexpr std::int32_t TextDurchflussEinheiten = 1180;

// The update exponent: damped for the first 149 passes, a little bolder after.
constexpr int PassesSanft = 149;
constexpr double ExponentSanft = 0.1;
constexpr double ExponentStark = 0.15;

// |dp - target| at which a value is accepted, kPa.
constexpr double Toleranz = 1e-7;
constexpr double ToleranzBlende = SolverDpMinKPa;  // bore of orifices and venturis

constexpr double StartDurchfluss = 1e-6;  // user's flow unit

// The bore of the RQ8 and of orifices and venturis: over its upper bound it is
// set just beyond, so that the next pass reports text 1818 unless it converges.
constexpr double RQ8BohrungMax = 12.0;  // mm
constexpr double RQ8BohrungUeber = 12.5;
constexpr double RQ8BohrungMin = 1.0;
constexpr double BetaMin = 0.15;
constexpr double BetaMax = 0.85;
constexpr double BetaUeber = 0.86;
constexpr double SondeUnterGrenze = 0.99;  // of a probe's lower bound

bool sucheBohrung(Integer typ) { return typ == element::RQ8 || typ >= element::BlendeFlansch; }

// The opposite-support step of a pass works silently.
class NoMessageBoxes : public MessageBoxSink {
public:
    MessageAnswer show(const MessageRequest&) override { return MessageAnswer::Ok; }
};

// Start value of the sought diameter (mm) in diameter mode; types 1 to 15.
double startwert(const CalculationState& s)
{
    switch (s.gPrimaerelementtyp) {
    case element::RQ8: return 11.0;
    case element::RQ10: return 100.0;
    case element::RQ50: return 11000.0;
    case element::SondeAndererHersteller: return 1000.0 * s.gSondenbreite;
    default:
        if (s.gPrimaerelementtyp >= element::BlendeFlansch)
            return 0.8 * s.gInnendurchmesser;
        return 2500.0;  // RQ25 to RQ44
    }
}

enum class Grenze { Innen, ZuKlein, ZuGross };

// The sought value of a type (the bore, d/D of types 9 to 15, or the pipe
// diameter) and its bounds.
struct Grenzen {
    double wert, min, max;
};

Grenzen grenzen(const CalculationState& s)
{
    const double D = s.gInnendurchmesser;
    const double d = s.gOeffnungsdurchmesser;
    switch (s.gPrimaerelementtyp) {
    case element::RQ8: return {d, RQ8BohrungMin, RQ8BohrungMax};
    case element::RQ10: return {D, 17.0, 135.0};
    case element::RQ50:
    case element::RQ25:
    case element::RQ25HDD:
    case element::RQ32:
    case element::RQ44: return {D, 65.0, 12000.0};
    case element::SondeAndererHersteller: return {D, 4.0 * s.gSondenbreite, 1200.0 * s.gSondenbreite};
    default: return {checkedDivide(d, D), BetaMin, BetaMax};  // types 9 to 15: d/D
    }
}

// The sought diameter against the bounds of its type.
Grenze pruefeGrenzen(const CalculationState& s)
{
    const Grenzen g = grenzen(s);
    if (g.wert < g.min)
        return Grenze::ZuKlein;
    if (g.wert > g.max)
        return Grenze::ZuGross;
    return Grenze::Innen;
}

}  // namespace

std::string solverAnnouncement(double value, std::string_view unit, const std::string& acceptedText)
{
    return formatUpToNear(value, 3) + " " + std::string(unit) + ": " + acceptedText;
}

SolverOutcome RunSolver(DriverContext& d, SolverPasses passes)
{
    Guard g("frmMain", "Command3_Click", "Private Sub Command3_Click()");
    EngineContext& e = d.e;
    CalculationState& s = e.s;
    MainWindowInputs& mainWindow = d.windows.mainWindow;
    // The steps of the passes work silently.
    NoMessageBoxes noBoxes;
    EngineContext silent{e.s, e.ui, e.settings, noBoxes, e.databases};
    DriverContext pass{silent, d.ui, d.config, d.windows, d.steps};
    SolverOutcome outcome;
    const RunCompletion completion(d);

    if (!meldungenSchliessen(g, d) || !optionenOhneBenutzer(g, d))
        return outcome;
    // The solver reads the main window and runs its passes on the state, and
    // shows no results: those of an earlier run no longer belong to it.
    if (!g.step([&] { d.windows.results.close(); }))
        return outcome;
    if (!leseEingaben(g, d, true) || completion.stepLeft())
        return outcome;
    // From here on the engine reads the product database: its file is checked
    // once for the whole run.
    const ProductDatabases::Run databaseRun(e.databases);
    if (stopsOn(g, d, d.steps.BerechneDichte, s.gFehlerDichte))
        return outcome;
    if (completion.stepLeft())
        return outcome;
    const Integer typ = s.gPrimaerelementtyp;
    const bool durchmesserModus = isTrue(s.gAuslegungDurchmesser) && typ >= element::RQ8;
    const bool durchflussModus = !durchmesserModus && isTrue(s.gAuslegungDurchfluss);
    // A diameter that gives a dp at or above the absolute pressure, or a gas dp
    // beyond the expansion factor's range, belongs to no real element: such a
    // known dp is refused as the flow mode refuses a gas dp on the way (the
    // pressure is the one the density step leaves, the saturation pressure of
    // saturated steam). A liquid's known dp is refused in both modes at its
    // bound: the pressure, or for water that boils behind an orifice, venturi
    // or RQ8, the pressure less its saturation pressure.
    bool dpZuHoch = false;
    if (!g.step([&] {
            const double t = s.gDifferenzdruckSoll;
            const std::optional<double> fluessigGrenze = liquidDpBound(s);
            dpZuHoch = fluessigGrenze ? (durchmesserModus || durchflussModus) && t >= *fluessigGrenze
                                      : durchmesserModus && t > DpAnteilDruckMax * s.gDruck;
            if (dpZuHoch)
                e.message(e.text(TextSolverDpZuHoch));
        }) ||
        dpZuHoch)
        return outcome;
    if (!g.step([&] {
            if (typ == element::RQ8) {
                s.gInnendurchmesser = RQ8Innendurchmesser;
                s.gRohrRechteckig = 0;
            }
        }))
        return outcome;
    if (!g.step([&] {
            if (!durchmesserModus)
                return;
            if (sucheBohrung(typ))
                s.gOeffnungsdurchmesser = startwert(s);
            else
                s.gInnendurchmesser = startwert(s);
        }))
        return outcome;
    if (!g.step([&] {
            if (isTrue(s.gAuslegungDurchfluss))
                s.gDurchflussAuslegung = StartDurchfluss;
        }))
        return outcome;
    // While the flow is sought, only the design point's dp steers the passes:
    // the range points, with their typed flows, are the next Calculate run's.
    silent.designPointOnly = durchflussModus;

    // Steps whose inputs no pass changes: after a first pass that went on past
    // them (no message, no statement lost to an error), a later pass would
    // write the same values into the same fields, which no other step of the
    // pass writes. That holds for the engine's own steps, whose inputs are
    // known; passes of other steps run whole.
    const DriverSteps engine = engineDriverSteps();
    const bool reuse = passes == SolverPasses::ReuseUnchanged &&
                       d.steps.BerechneInnendurchmesser == engine.BerechneInnendurchmesser &&
                       d.steps.BerechneZeta == engine.BerechneZeta &&
                       d.steps.BerechneIsentropenkoeffizient == engine.BerechneIsentropenkoeffizient &&
                       d.steps.BerechneViskositaet == engine.BerechneViskositaet &&
                       d.steps.BerechneDifferenzdruck == engine.BerechneDifferenzdruck &&
                       d.steps.Gegenlager == engine.Gegenlager;
    // The warm inner diameter, and with it a probe's coefficient, change only
    // when the pipe diameter is sought.
    const bool durchmesserBleibt = !(durchmesserModus && !sucheBohrung(typ));
    // While a bore is sought, the velocities and Reynolds numbers stay too.
    ReynoldsReuse reynoldsReuse;
    if (reuse)
        silent.reynoldsReuse = &reynoldsReuse;

    // The value the solver would accept must give a real element: a C of 1 or
    // more, or a loss of 0 or less, at the design point stops it with the
    // message of the Calculate run. The passes on the way are not checked: the
    // flow mode starts at a flow whose C lies far above 1.
    const auto echtesElement = [&] {
        if (!g.step([&] { s.gFehlerDp = elementStop(e, PunktAuslegung); }))
            return false;
        if (s.gFehlerDp.empty())
            return true;
        g.step([&] { showMeldung(d, s.gFehlerDp); });
        return false;
    };

    std::int16_t n = 0;  // pass counter
    for (;;) {
        ++n;
        const double f = n <= PassesSanft ? ExponentSanft : ExponentStark;
        if (n == SolverMaxPasses + 1) {
            g.step([&] { e.message(e.text(TextSolverKonvergiertNicht)); });
            return outcome;
        }

        outcome.passes = n;
        const bool ersterDurchgang = n == 1 || !reuse;
        // A step that lost a statement to a run-time error ends the solver: the
        // pass has no dp to go on with.
        if (ersterDurchgang || !durchmesserBleibt) {
            if (!g.step([&] { d.steps.BerechneInnendurchmesser(silent); }) || completion.stepLeft())
                return outcome;
            if (isProbe(typ) && (!g.step([&] { d.steps.BerechneZeta(silent); }) || completion.stepLeft()))
                return outcome;
            if (!s.gFehlerZeta.empty()) {
                g.step([&] { showMeldung(d, s.gFehlerZeta + e.text(TextWarnungZusatz)); });
                return outcome;
            }
        }
        if (ersterDurchgang) {
            if (stopsOn(g, pass, d.steps.BerechneIsentropenkoeffizient, s.gFehlerIsentropen) ||
                completion.stepLeft())
                return outcome;
            if (!g.step([&] { d.steps.BerechneViskositaet(silent); }) || completion.stepLeft())
                return outcome;
        }
        if (stopsOn(g, pass, d.steps.BerechneDifferenzdruck, s.gFehlerDp) || completion.stepLeft())
            return outcome;
        if (typ >= element::RQ25 && typ <= element::RQ50 &&
            (!g.step([&] { d.steps.Gegenlager(silent); }) || completion.stepLeft()))
            return outcome;

        const double dp = s.gDifferenzdruck[PunktAuslegung];
        const double t = s.gDifferenzdruckSoll;

        if (durchmesserModus) {
            const bool bohrung = sucheBohrung(typ);
            double& wert = bohrung ? s.gOeffnungsdurchmesser : s.gInnendurchmesser;
            const double toleranz = typ >= element::BlendeFlansch ? ToleranzBlende : Toleranz;
            // Convergence first, then the lower bound, then the upper bound.
            enum class Ausgang { Weiter, Angenommen, Ende };
            Ausgang ausgang = Ausgang::Weiter;
            if (!g.step([&] {
                    if (std::fabs(dp - t) < toleranz) {
                        ausgang = Ausgang::Angenommen;
                        return;
                    }
                    const Grenze grenze = pruefeGrenzen(s);
                    if (grenze == Grenze::Innen)
                        return;
                    ausgang = Ausgang::Ende;
                    e.message(e.text(grenze == Grenze::ZuKlein ? TextSolverZuKlein : TextSolverZuGross));
                }))
                return outcome;
            if (ausgang == Ausgang::Ende)
                return outcome;
            if (ausgang == Ausgang::Angenommen) {
                if (!echtesElement() || completion.stepLeft())
                    return outcome;
                if (!g.step([&] { e.message(solverAnnouncement(wert, "mm", e.text(TextSolverUebernommen))); }))
                    return outcome;
                outcome.value = wert;
                if (bohrung) {
                    g.step([&] { mainWindow.setText10(strForm(wert)); });
                    return outcome;
                }
                if (!g.step([&] { mainWindow.setText8(strForm(wert)); }))
                    return outcome;
                g.step([&] { mainWindow.selectOption5(); });
                return outcome;
            }
            if (!g.step([&] {
                    wert = wert * checkedPow(checkedDivide(dp, t), f);
                    if (typ == element::RQ8 && wert > RQ8BohrungMax)
                        wert = RQ8BohrungUeber;
                    if (typ >= element::BlendeFlansch && wert > BetaMax * s.gInnendurchmesser)
                        wert = BetaUeber * s.gInnendurchmesser;
                    // A pipe no wider than its probe has no flow area to compute:
                    // the diameter is set just below its lower bound instead, so
                    // that the next pass reports text 1817 unless it converges.
                    if (isProbe(typ) && wert <= probeWidthMm(typ, s.gSondenbreite))
                        wert = SondeUnterGrenze * grenzen(s).min;
                }))
                return outcome;
            continue;
        }

        if (!isTrue(s.gAuslegungDurchfluss))
            return outcome;
        if (std::fabs(dp - t) < Toleranz) {
            if (!echtesElement() || completion.stepLeft())
                return outcome;
            if (!g.step([&] {
                    // The flow in its unit, the flow-unit list's item in the user's language.
                    e.message(solverAnnouncement(s.gDurchflussAuslegung, e.text(TextDurchflussEinheiten + s.gDurchflussEinheit),
                                                 e.text(TextSolverUebernommen)));
                }))
                return outcome;
            outcome.value = s.gDurchflussAuslegung;
            g.step([&] { mainWindow.setText18(strForm(s.gDurchflussAuslegung)); });
            return outcome;
        }
        // A liquid's passes approach its known dp, which lies within its
        // bound, from below; a gas dp beyond the expansion factor's range ends
        // the search.
        if (!isLiquid(s) && dp > DpAnteilDruckMax * s.gDruck) {
            g.step([&] { e.message(e.text(TextSolverDpZuHoch)); });
            return outcome;
        }
        if (!g.step([&] { s.gDurchflussAuslegung = s.gDurchflussAuslegung * checkedPow(checkedDivide(t, dp), f); }))
            return outcome;
    }
}

}  // namespace morvane
