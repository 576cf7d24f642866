#include "engine/InnerDiameter.h"

#include "platform/RuntimeError.h"
#include "tracing/Guard.h"

#include <cmath>

namespace morvane {

namespace {

// One linear expansion coefficient for every pipe material, 1/K, about 20 °C.
constexpr double ExpansionCoefficientPerK = 12.1;
constexpr double ReferenceTemperatureC = 20.0;
// The equal-area circle of a duct is taken with this value of π, not the full one.
constexpr double PiDuct = 3.14159;

}  // namespace

void BerechneInnendurchmesser(EngineContext& e)
{
    Guard g("Module1", "BerechneInnendurchmesser", "Sub BerechneInnendurchmesser()");
    CalculationState& s = e.s;
    double d0 = 0.0;  // mm at 20 °C
    if (!g.step([&] {
            if (s.gRohrRechteckig != 1)
                d0 = s.gInnendurchmesser;
            else
                d0 = checkedSqrt(4.0 * s.gInnendurchmesser * s.gInnenmassB / PiDuct);
        }))
        return;
    g.step([&] {
        const double alpha = std::pow(10.0, -6) * ExpansionCoefficientPerK;
        s.gInnendurchmesserWarm = checkedFinite((alpha * (s.gTemperatur - ReferenceTemperatureC) + 1.0) * d0);
    });
}

}  // namespace morvane
