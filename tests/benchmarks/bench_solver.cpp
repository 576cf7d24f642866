// Cost of one whole solver run in diameter mode: an orifice with flange tappings
// in a gas (ideal gas law, 1.293 kg/Nm³, κ 1.4) at 20 °C and 500 kPa, 1 kg/s
// through a 100 mm pipe, bore sought for a known dp of 25 kPa, from the start
// value 0.8·D to acceptance, every pass through the real engine steps and the
// tracer. Target: a median of at most 20 ms per run.
#include "engine/DifferentialPressureSolver.h"
#include "platform/ProductDatabase.h"

#include <benchmark/benchmark.h>

#include <filesystem>

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
    void ReadOberflaeche() override {}
    void setText8(const std::string&) override {}
    void setText10(const std::string& text) override { written = text; }
    void setText18(const std::string&) override {}
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

void BM_SolverOrificeGasDiameter(benchmark::State& state)
{
    UiZustand ui;
    UserSettings settings;
    settings.gUserName = "Benchmark";
    ConfigZustand config;
    NoBoxes boxes;
    NoWindows windows;
    ProductDatabases databases(std::filesystem::temp_directory_path() / "morvane-bench-solver-none");
    for (auto _ : state) {
        CalculationState s;
        gasOrifice(s);
        EngineContext e{s, ui, settings, boxes, databases};
        DriverContext d{e, ui, config, DriverWindows{windows, windows, windows, windows}};
        windows.written.clear();
        RunSolver(d);
        benchmark::DoNotOptimize(s.gOeffnungsdurchmesser);
        if (windows.written.empty()) {
            state.SkipWithError(("the solver did not accept a bore: " + boxes.last).c_str());
            break;
        }
    }
}
BENCHMARK(BM_SolverOrificeGasDiameter)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

}  // namespace
