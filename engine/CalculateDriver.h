// The Calculate run: the engine steps in their fixed order over the calculation
// state, the stop rules of their message texts, and the windows around the run.
//
// The windows belong to other subsystems (the options window to the shell, the
// main window's controls to the input model, the results window to the
// reports); the run reaches them through the small interfaces below, which
// those windows implement and tests fake. The run itself includes no window
// code and runs headless.
#pragma once

#include "common/ProgramRecords.h"
#include "engine/ConfigZustand.h"
#include "engine/EngineContext.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace morvane {

// The program's own text (resource text) appended to a warning (the
// probe-coefficient warning, a dp beyond the expansion factor's range), in the
// user's language: ". Es ist mit Berechnungsfehlern zu rechnen". A message that
// stops the run has none.
inline constexpr std::int32_t TextWarnungZusatz = 1970;

// The options window (frmOptions), shown modally with the main window as owner;
// returns when the user closes it, whatever was done there.
class OptionsWindow {
public:
    virtual ~OptionsWindow() = default;
    virtual void showModal() = 0;
};

// What the main window is read for. The solver that seeks the flow sets the
// design flow itself, so its reading does not check the one typed.
enum class ReadingFor { Calculation, Solver };

// What the drivers read of the main window and, after a solver run, write back
// into it.
class MainWindowInputs {
public:
    virtual ~MainWindowInputs() = default;
    // The texts of the configurator's boxes txtTypeInfo and txtCodeDisplay.
    virtual std::string typeInfoText() const = 0;
    virtual std::string codeDisplayText() const = 0;
    // Builds the type code anew from the configuration rows and the pipe values
    // of the state (the configurator's cmbConfField_Click(0)).
    virtual void rebuildTypeCode() = 0;
    // Reads every input control into the calculation state and collects the
    // input messages in gFehlerEingabe (which it empties first).
    virtual void ReadOberflaeche(ReadingFor purpose) = 0;
    // The solver's accepted value: the text (Str form) for the pipe diameter box
    // Text8, the bore box Text10 or the design-flow box Text18; and the selection
    // of Option5 (pipe dimensions entered freely), which runs its click handler.
    virtual void setText8(const std::string& text) = 0;
    virtual void setText10(const std::string& text) = 0;
    virtual void setText18(const std::string& text) = 0;
    virtual void selectOption5() = 0;
};

// The calculation messages window (frmFehlerfile): shown modeless and without an
// owner, with the text that gFehlertext holds at the call. close() closes it
// when it is open: each run starts so, for the window left open by an earlier
// run would show its text beside this run's results. Windows that never stay
// open need not override it.
class MessagesWindow {
public:
    virtual ~MessagesWindow() = default;
    virtual void show() = 0;
    virtual void close() {}
};

// The results window (frmResult), shown modeless; it fills itself from the state
// when it loads and is only brought to the front when it is open already.
// close() closes it, with the flow-limits window opened from it, when it is
// open; windows that never stay open need not override it.
class ResultsWindow {
public:
    virtual ~ResultsWindow() = default;
    virtual void show() = 0;
    virtual void close() {}
};

struct DriverWindows {
    OptionsWindow& options;
    MainWindowInputs& mainWindow;
    MessagesWindow& messages;
    ResultsWindow& results;
};

using StepFunction = void (*)(EngineContext&);

// The steps the two drivers call. The program runs the engine's own; a test may
// put a stand-in in one place to steer a driver's loop.
struct DriverSteps {
    StepFunction BerechneDichte;
    StepFunction BerechneInnendurchmesser;
    StepFunction BerechneZeta;
    StepFunction BerechneIsentropenkoeffizient;
    StepFunction BerechneViskositaet;
    StepFunction BerechneDifferenzdruck;
    StepFunction frequencycheck;
    StepFunction Gegenlager;
    StepFunction BerechneLimits;
};
DriverSteps engineDriverSteps();

// Everything a driver works on. `ui` is the record that e.ui refers to: the
// drivers write its message texts.
struct DriverContext {
    EngineContext& e;
    UiZustand& ui;
    ConfigZustand& config;
    DriverWindows windows;
    DriverSteps steps = engineDriverSteps();
};

// The Calculate button's handler (frmMain.Command1_Click): it registers with the
// tracer as that handler, so the button calls it and registers nothing itself.
//
// Besides the step order, the run resets gFrequenzverhaeltnis to 0 for every
// element type that gets no vibration check (all but 2 to 7), once the density
// step has passed: the flow limits then take their maximum flows from this run
// alone, never from a probe calculated earlier.
void RunCalculate(DriverContext& d);

// What the Calculate run and the solver share.
class Guard;

// The pipe of the small-flow meter run RQ8: mm, round.
inline constexpr double RQ8Innendurchmesser = 19.0;

// Element types 2 to 8: the probes, whose coefficient step runs.
inline bool isProbe(Integer typ) { return typ >= element::RQ10 && typ <= element::SondeAndererHersteller; }

// The program's own message (resource text) of a run that lost a step to a
// run-time error: whatever it got as far as, its results are not shown.
inline constexpr std::int32_t TextBerechnungUnvollstaendig = 1940;

// Watches one driver run for steps left through a run-time error (after the
// error dialog, whatever the answer but Repeat). When the run ends, by any
// return, and such a step was left, the messages window says that the
// calculation did not complete; a driver asks `stepLeft()` before it shows any
// result.
class RunCompletion {
public:
    explicit RunCompletion(DriverContext& d);
    ~RunCompletion();
    RunCompletion(const RunCompletion&) = delete;
    RunCompletion& operator=(const RunCompletion&) = delete;
    bool stepLeft() const;

private:
    DriverContext& d_;
    std::uint64_t before_;
    int uncaught_;
};

// Watches one Calculate run after the main window has been read into the
// state: when the run ends without showing its results (a refused input, a
// step's message, a run-time error), the results window of an earlier run is
// closed, for it would show, and print, results beside inputs they do not
// belong to. Not while the program is being ended from the error dialog.
class ResultsFollowTheState {
public:
    explicit ResultsFollowTheState(DriverContext& d);
    ~ResultsFollowTheState();
    ResultsFollowTheState(const ResultsFollowTheState&) = delete;
    ResultsFollowTheState& operator=(const ResultsFollowTheState&) = delete;
    void shown() { shown_ = true; }

private:
    DriverContext& d_;
    int uncaught_;
    bool shown_ = false;
};

// Puts `text` into gFehlertext and shows the messages window, which shows it.
void showMeldung(DriverContext& d, const std::string& text);

// The first step of `g`, of each run: the messages window that an earlier run
// left open is closed, so that what it shows belongs to this run. False when
// the handler ends there.
bool meldungenSchliessen(Guard& g, DriverContext& d);

// One step of `g`: the options window, modal, while no user name is set.
// False when the handler ends there.
bool optionenOhneBenutzer(Guard& g, DriverContext& d);

// Steps of `g`: empties the input messages and the messages of the density,
// probe-coefficient, isentropic-exponent and dp steps, reads the main window,
// and shows the input messages if there are any (false: the handler ends
// there); `solver`: the solver button's own input check (a known dp above
// SolverDpMinKPa) joins them. Otherwise the type code is built anew, now that the typed pipe
// has reached the state, and its key taken (typeKey: empty outside the models 1
// to 7) with the opposite support it asks for.
bool leseEingaben(Guard& g, DriverContext& d, bool solver = false);

// Runs `step` as one step of `g`; when its message text `meldung` is then not
// empty, shows it with `zusatz` appended. True when the run stops there.
bool stopsOn(Guard& g, DriverContext& d, StepFunction step, const std::string& meldung,
             std::string_view zusatz = {});

}  // namespace morvane
