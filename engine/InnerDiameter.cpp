#include "engine/InnerDiameter.h"

#include "platform/RuntimeError.h"
#include "tracing/Guard.h"

#include <cmath>

namespace morvane {

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
    g.step([&] { s.gInnendurchmesserWarm = checkedFinite(warmDiameterMm(d0, s.gTemperatur)); });
}

}  // namespace morvane
