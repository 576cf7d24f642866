// The engine chain of one Calculate run from the density step to the
// differential pressure (density, inner diameter, probe coefficient, isentropic
// exponent, viscosity, flow and differential pressure), for one orifice and one
// probe case. Targets (medians): the orifice in water at most 2.5 µs for one
// operating point and 6 µs for four; built-in air from the gas tables at most
// 1.5 times the same probe with the Redlich-Kwong equation.
//
// The product database is built into a temporary folder from the SQL sources
// (data/sql/common and data/sql/main) before the runs, so that the gas and
// probe tables are read as in the program.
#include "engine/DensityDispatch.h"
#include "engine/EngineContext.h"
#include "engine/FlowAndDifferentialPressure.h"
#include "engine/InnerDiameter.h"
#include "engine/IsentropicExponent.h"
#include "engine/ProbeCoefficient.h"
#include "engine/Viscosity.h"
#include "platform/ProductDatabase.h"
#include "support/TempFolder.h"
#include "tracing/ErrPtnr.h"

#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

using namespace morvane;
namespace fs = std::filesystem;

class SilentMessageBox : public MessageBoxSink {
public:
    MessageAnswer show(const MessageRequest&) override
    {
        ++shown;
        return MessageAnswer::Ok;
    }
    int shown = 0;
};

// The main product database, built once from the SQL sources into a temporary
// folder that goes when the program ends.
struct TemporaryDatabase {
    testing::TempFolder temp;
    const fs::path& root = temp.path();
    bool ok = false;
    TemporaryDatabase();
};

TemporaryDatabase::TemporaryDatabase()
{
    const fs::path file = root / std::string(ProductDatabases::MainFile);
    std::vector<fs::path> sql;
    for (const char* folder : {"data/sql/common", "data/sql/main"}) {
        const fs::path dir = fs::path(MORVANE_SOURCE_DIR) / folder;
        std::vector<fs::path> here;
        if (fs::is_directory(dir))
            for (const auto& entry : fs::directory_iterator(dir))
                if (entry.path().extension() == ".sql")
                    here.push_back(entry.path());
        std::sort(here.begin(), here.end());
        sql.insert(sql.end(), here.begin(), here.end());
    }
    sqlite3* db = nullptr;
    ok = sqlite3_open(file.c_str(), &db) == SQLITE_OK;
    for (const auto& f : sql) {
        std::ifstream in(f, std::ios::binary);
        std::stringstream text;
        text << in.rdbuf();
        ok = ok && sqlite3_exec(db, text.str().c_str(), nullptr, nullptr, nullptr) == SQLITE_OK;
    }
    sqlite3_close(db);
}

const TemporaryDatabase& productDatabase()
{
    static const TemporaryDatabase db;
    return db;
}

struct Chain {
    CalculationState s;
    UiZustand ui;
    UserSettings settings;
    SilentMessageBox box;
    ProductDatabases databases;
    EngineContext e{s, ui, settings, box, databases};

    explicit Chain(const fs::path& root) : databases(root) {}

    // The engine part of the Calculate run from the density step on, as far as
    // the flow and differential-pressure step; false on a stopping message.
    bool run()
    {
        const ProductDatabases::Run databaseRun(databases);  // as a Calculate run does
        s.gFehlerDichte.clear();
        s.gFehlerZeta.clear();
        s.gFehlerIsentropen.clear();
        s.gFehlerDp.clear();
        BerechneDichte(e);
        if (!s.gFehlerDichte.empty())
            return false;
        BerechneInnendurchmesser(e);
        if (s.gPrimaerelementtyp >= element::RQ10 && s.gPrimaerelementtyp <= element::SondeAndererHersteller)
            BerechneZeta(e);
        BerechneIsentropenkoeffizient(e);
        if (!s.gFehlerIsentropen.empty())
            return false;
        BerechneViskositaet(e);
        BerechneDifferenzdruck(e);
        return s.gFehlerDp.empty() && s.gFehlerZeta.empty();
    }
};

void commonInputs(CalculationState& s)
{
    s.gModellGespeicherteDaten = True;
    s.gTemperatur = 20.0;
    s.gRohrRechteckig = 0;
    s.gKorrekturFaktor = 1.0;
    s.gEpsilonFaktor = 1.0;
    s.gEpsilonQ100 = True;
    s.gMehrereBetriebspunkte = 1;
}

void orificeWater(CalculationState& s)
{
    commonInputs(s);
    s.gMediumNr = medium::Wasser;
    s.gDruck = 500.0;
    s.gPrimaerelementtyp = element::BlendeFlansch;
    s.gInnendurchmesser = 100.0;
    s.gOeffnungsdurchmesser = 50.0;
    s.gDurchflussEinheit = flowunit::th;
    s.gDurchflussAuslegung = 36.0;
    s.gDurchflussMax = 40.0;
    s.gDurchflussNorm = 30.0;
    s.gDurchflussMin = 10.0;
}

void runChain(benchmark::State& state, Chain& c)
{
    ScopedErrPtnr tracer;
    if (!productDatabase().ok) {
        state.SkipWithError("the product database could not be built from data/sql");
        return;
    }
    if (!c.run()) {
        state.SkipWithError(("the chain stopped: " + c.s.gFehlerDichte + c.s.gFehlerZeta + c.s.gFehlerIsentropen +
                             c.s.gFehlerDp)
                                .c_str());
        return;
    }
    for (auto _ : state) {
        c.run();
        benchmark::DoNotOptimize(c.s.gDifferenzdruck);
    }
    state.counters["dp_kPa"] = c.s.gDifferenzdruck[0];
}

// Water at 20 °C and 500 kPa (steam tables) through an orifice with flange
// tappings, D 100 mm, d 50 mm, 36 t/h with the three further points.
void BM_ChainOrificeWater(benchmark::State& state)
{
    Chain c(productDatabase().root);
    orificeWater(c.s);
    runChain(state, c);
}
BENCHMARK(BM_ChainOrificeWater);

// The same orifice at its design point only.
void BM_ChainOrificeWaterOnePoint(benchmark::State& state)
{
    Chain c(productDatabase().root);
    orificeWater(c.s);
    c.s.gMehrereBetriebspunkte = 0;
    runChain(state, c);
}
BENCHMARK(BM_ChainOrificeWaterOnePoint);

void probeRq25(Chain& c)
{
    commonInputs(c.s);
    c.s.gDruck = 500.0;
    c.s.gPrimaerelementtyp = element::RQ25;
    c.s.gInnendurchmesser = 200.0;
    c.s.gDurchflussEinheit = flowunit::Nm3h;
    c.s.gDurchflussAuslegung = 1000.0;
    c.s.gDurchflussMax = 1200.0;
    c.s.gDurchflussNorm = 800.0;
    c.s.gDurchflussMin = 200.0;
}

// An ideal gas (norm density 1.293 kg/Nm³, Z 1, κ 1.4, 0.0181 cP) at 20 °C and
// 500 kPa through an RQ25 probe in a 200 mm pipe, 1000 Nm³/h with the three
// further points; ζ is read from the probe table.
void BM_ChainProbeIdealGas(benchmark::State& state)
{
    Chain c(productDatabase().root);
    probeRq25(c);
    c.s.gModellGespeicherteDaten = False;
    c.s.gModellIdealesGas = True;
    c.s.gDichteEingabe = 1.293;
    c.s.gKompressibilitaetEingabe = 1.0;
    c.s.gIsentropenkoeffizientEingabe = 1.4;
    c.s.gViskositaetEingabe = 0.0181;
    runChain(state, c);
}
BENCHMARK(BM_ChainProbeIdealGas);

// The same probe with built-in air, whose density comes from the gas tables of
// the product database.
void BM_ChainProbeAir(benchmark::State& state)
{
    Chain c(productDatabase().root);
    probeRq25(c);
    c.s.gMediumNr = medium::Luft;
    runChain(state, c);
}
BENCHMARK(BM_ChainProbeAir);

// The same probe with air after the Redlich-Kwong equation (critical point
// -140.5 °C and 3786 kPa, norm density 1.293 kg/Nm³), κ and viscosity given:
// the yardstick of the gas-table chain above.
void BM_ChainProbeRedlichKwong(benchmark::State& state)
{
    Chain c(productDatabase().root);
    probeRq25(c);
    c.s.gModellGespeicherteDaten = False;
    c.s.gModellRedlichKwong = True;
    c.s.gKritischeTemperatur = -140.5;
    c.s.gKritischerDruck = 3786.0;
    c.s.gNormdichteRK = 1.293;
    c.s.gIsentropenkoeffizientRK = 1.4;
    c.s.gViskositaetRK = 0.0181;
    runChain(state, c);
}
BENCHMARK(BM_ChainProbeRedlichKwong);

}  // namespace
