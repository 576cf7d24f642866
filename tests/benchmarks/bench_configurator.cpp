// A model choice on the configuration page: the model's table loaded into the
// field table, then the type code and the drawing name rebuilt for 20 changes of
// a selection or a typed value. Target: well under 10 ms for the whole.
#include "configurator/ConfigData.h"
#include "configurator/DrawingName.h"
#include "configurator/TypeCode.h"
#include "tracing/ErrPtnr.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <vector>

namespace {

using namespace morvane;

class SilentMessageBox : public MessageBoxSink {
public:
    MessageAnswer show(const MessageRequest&) override { return MessageAnswer::Ok; }
};

void loadAndRebuild(ProductDatabases& databases, benchmark::State& state)
{
    SilentMessageBox boxes;
    ConfigEnvironment env{databases, boxes, 0};
    auto z = std::make_unique<ConfigZustand>();
    z->gSondentyp = "RQ25";
    const ConfigModel model = fncgChangeConfigSensor(*z, env, "RQ25", "DE");
    if (!model.loaded) {
        state.SkipWithError("RQ25 does not load from the program folder");
        return;
    }
    const std::span<const ConfigField> fields(z->gConfFelder.data(), model.rows.size());
    std::vector<int> selected(fields.size(), 0);
    std::vector<std::string> typed(fields.size());
    for (int change = 0; change < 20; ++change) {
        const std::size_t row = static_cast<std::size_t>(change) % fields.size();
        selected[row] = 1 + change % fields[row].OptionCount;
        typed[row] = std::to_string(change) + ".5";
        const TypeCode code = assembleTypeCode(fields, selected, typed, {206.5, 4.5}, ',');
        benchmark::DoNotOptimize(code);
        benchmark::DoNotOptimize(sublCompileDrawingFileName(*z, MORVANE_PROGRAM_DIR, selected));
    }
}

// The database connection kept from an earlier choice, as in the program.
void BM_ModelLoadAnd20CodeRebuilds(benchmark::State& state)
{
    ScopedErrPtnr tracer;
    ProductDatabases databases(MORVANE_PROGRAM_DIR);
    for (auto _ : state)
        loadAndRebuild(databases, state);
}
BENCHMARK(BM_ModelLoadAnd20CodeRebuilds)->Unit(benchmark::kMillisecond);

// The first choice of the run: the database file opened and its tables read.
void BM_FirstModelLoadAnd20CodeRebuilds(benchmark::State& state)
{
    ScopedErrPtnr tracer;
    for (auto _ : state) {
        ProductDatabases databases(MORVANE_PROGRAM_DIR);
        loadAndRebuild(databases, state);
    }
}
BENCHMARK(BM_FirstModelLoadAnd20CodeRebuilds)->Unit(benchmark::kMillisecond);

}  // namespace
