// Cost of the entry convention that every procedure pays.
#include "tracing/Guard.h"

#include <benchmark/benchmark.h>

namespace {

using namespace morvane;

int guardedNothing()
{
    int result = 0;
    Guard g("Module1", "Nothing", "Function Nothing() As Integer");
    if (!g.step([&] { result = 1; }))
        return result;
    return result;
}

double guardedWithParams(double q, double Re)
{
    double result = 0.0;
    Guard g("Module1", "Params", "Function Params(q As Double, Re As Double) As Double", {{"q", q}, {"Re", Re}});
    g.step([&] { result = q + Re; });
    return result;
}

void BM_GuardedEmptyCall(benchmark::State& state)
{
    ScopedErrPtnr tracer;
    for (auto _ : state)
        benchmark::DoNotOptimize(guardedNothing());
}
BENCHMARK(BM_GuardedEmptyCall);

void BM_GuardedCallTwoDoubleParams(benchmark::State& state)
{
    ScopedErrPtnr tracer;
    double q = 10.25;
    for (auto _ : state)
        benchmark::DoNotOptimize(guardedWithParams(q, 118886.7));
}
BENCHMARK(BM_GuardedCallTwoDoubleParams);

}  // namespace
