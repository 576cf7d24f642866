// Cost of one whole solver run in diameter mode: an orifice with flange tappings
// in a gas (ideal gas law, 1.293 kg/Nm³, κ 1.4) at 20 °C and 500 kPa, 1 kg/s
// through a 100 mm pipe, bore sought for a known dp of 25 kPa, from the start
// value 0.8·D to acceptance, every pass through the real engine steps and the
// tracer. The same orifice with a bore of 50 mm in flow mode: the design flow
// sought for the same dp, from the start value 1e-6 kg/s. Targets (medians per
// run): the bore at most 15 µs, the flow at most 50 µs.
#include "engine/DifferentialPressureSolver.h"
#include "platform/ProductDatabase.h"
#include "support/TempFolder.h"

#include <benchmark/benchmark.h>

namespace {

using namespace morvane;

class NoBoxes : public MessageBoxSink {
public:
    MessageAnswer show(const MessageRequest& request) override
    {
        last = request.text;
        return MessageAnswer::Ok;
    }
    std::string last;
};

class NoWindows : public OptionsWindow, public MainWindowInputs, public MessagesWindow, public ResultsWindow {
public:
    void showModal() override {}
    std::string typeInfoText() const override { return {}; }
    std::string codeDisplayText() const override { return {}; }
    void rebuildTypeCode() override {}
    void ReadOberflaeche(ReadingFor) override {}
    void setText8(const std::string&) override {}
    void setText10(const std::string& text) override { written = text; }
    void setText18(const std::string& text) override { written = text; }
    void selectOption5() override {}
    void show() override {}
    std::string written;
};

void gasOrifice(CalculationState& s)
{
    s.gModellIdealesGas = True;
    s.gDichteEingabe = 1.293;
    s.gKompressibilitaetEingabe = 1.0;
    s.gViskositaetEingabe = 0.0181;
    s.gIsentropenkoeffizientEingabe = 1.4;
    s.gTemperatur = 20.0;
    s.gDruck = 500.0;
    s.gPrimaerelementtyp = element::BlendeFlansch;
    s.gInnendurchmesser = 100.0;
    s.gDurchflussEinheit = flowunit::kgs;
    s.gDurchflussAuslegung = 1.0;
    s.gKorrekturFaktor = 1.0;
    s.gEpsilonFaktor = 1.0;
    s.gDifferenzdruckSoll = 25.0;
    s.gAuslegungDurchmesser = True;
}

void runSolver(benchmark::State& state, void (*inputs)(CalculationState&), const double CalculationState::*sought)
{
    UiZustand ui;
    UserSettings settings;
    settings.gUserName = "Benchmark";
    ConfigZustand config;
    NoBoxes boxes;
    NoWindows windows;
    const testing::TempFolder noDatabases;
    ProductDatabases databases(noDatabases.path());
    for (auto _ : state) {
        CalculationState s;
        inputs(s);
        EngineContext e{s, ui, settings, boxes, databases};
        DriverContext d{e, ui, config, DriverWindows{windows, windows, windows, windows}};
        windows.written.clear();
        RunSolver(d);
        benchmark::DoNotOptimize(s.*sought);
        if (windows.written.empty()) {
            state.SkipWithError(("the solver did not accept a value: " + boxes.last).c_str());
            break;
        }
    }
}

void BM_SolverOrificeGasDiameter(benchmark::State& state)
{
    runSolver(state, gasOrifice, &CalculationState::gOeffnungsdurchmesser);
}
BENCHMARK(BM_SolverOrificeGasDiameter)->Unit(benchmark::kMicrosecond);

void gasOrificeFlow(CalculationState& s)
{
    gasOrifice(s);
    s.gAuslegungDurchmesser = False;
    s.gAuslegungDurchfluss = True;
    s.gOeffnungsdurchmesser = 50.0;
}

void BM_SolverOrificeGasFlow(benchmark::State& state)
{
    runSolver(state, gasOrificeFlow, &CalculationState::gDurchflussAuslegung);
}
BENCHMARK(BM_SolverOrificeGasFlow)->Unit(benchmark::kMicrosecond);

}  // namespace
