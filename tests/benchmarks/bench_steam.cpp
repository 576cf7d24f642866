// Cost of the steam-table calls: DB and PSB are to stay at or below 5 us per call
// (median over the states below). BM_DB/i and BM_PSB/i time one state each, named
// in the label; the *_Spread benchmarks cycle through all of them.
#include "platform/steam/SteamTables.h"

#include <benchmark/benchmark.h>

#include <array>
#include <cstddef>
#include <string>

namespace {

using namespace morvane;

struct DensityState {
    double temperatureK;
    double pressureMPa;
    const char* what;
};

constexpr std::array<DensityState, 26> kDensityStates{{
    {273.14, 0.1, "liquid, 0 C"},
    {300.0, 0.1, "liquid"},
    {300.0, 50.0, "compressed liquid"},
    {350.0, 10.0, "liquid"},
    {450.0, 5.0, "liquid"},
    {550.0, 20.0, "liquid"},
    {600.0, 100.0, "compressed liquid"},
    {640.0, 25.0, "liquid near Tc"},
    {300.0, 0.002, "vapour"},
    {400.0, 0.1, "vapour"},
    {500.0, 1.0, "vapour"},
    {600.0, 5.0, "vapour"},
    {640.0, 15.0, "vapour near Tc"},
    {373.15, 0.1015, "liquid 0.08 % above saturation"},
    {373.15, 0.1013, "vapour 0.1 % below saturation"},
    {600.0, 12.35, "liquid 0.04 % above saturation"},
    {600.0, 12.34, "vapour 0.04 % below saturation"},
    {646.5, 22.0, "liquid 0.5 K below Tc"},
    {650.0, 25.0, "supercritical near Tc"},
    {700.0, 22.064, "supercritical"},
    {700.0, 50.0, "supercritical"},
    {800.0, 10.0, "supercritical"},
    {900.0, 100.0, "supercritical"},
    {1000.0, 0.1, "supercritical, dilute"},
    {1273.15, 1.0, "supercritical"},
    {1273.15, 100.0, "supercritical"},
}};

constexpr std::array<double, 14> kSaturationTemperaturesK{273.14, 280.0, 300.0, 350.0, 400.0, 450.0, 500.0,
                                                          550.0,  600.0, 625.0, 640.0, 646.0, 647.0, 647.09};

void BM_DB(benchmark::State& state)
{
    const DensityState& s = kDensityStates[static_cast<std::size_t>(state.range(0))];
    double t = s.temperatureK;
    double p = s.pressureMPa;
    for (auto _ : state) {
        benchmark::DoNotOptimize(t);
        benchmark::DoNotOptimize(DB(t, p));
    }
    state.SetLabel(s.what);
}
BENCHMARK(BM_DB)->DenseRange(0, static_cast<int>(kDensityStates.size()) - 1);

void BM_DB_Spread(benchmark::State& state)
{
    std::size_t i = 0;
    for (auto _ : state) {
        double t = kDensityStates[i].temperatureK;
        double p = kDensityStates[i].pressureMPa;
        benchmark::DoNotOptimize(DB(t, p));
        i = (i + 1) % kDensityStates.size();
    }
}
BENCHMARK(BM_DB_Spread);

void BM_PSB(benchmark::State& state)
{
    double t = kSaturationTemperaturesK[static_cast<std::size_t>(state.range(0))];
    for (auto _ : state) {
        benchmark::DoNotOptimize(t);
        benchmark::DoNotOptimize(PSB(t));
    }
    state.SetLabel(std::to_string(t) + " K");
}
BENCHMARK(BM_PSB)->DenseRange(0, static_cast<int>(kSaturationTemperaturesK.size()) - 1);

void BM_PSB_Spread(benchmark::State& state)
{
    std::size_t i = 0;
    for (auto _ : state) {
        double t = kSaturationTemperaturesK[i];
        benchmark::DoNotOptimize(PSB(t));
        i = (i + 1) % kSaturationTemperaturesK.size();
    }
}
BENCHMARK(BM_PSB_Spread);

}  // namespace
