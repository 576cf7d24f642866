// The pipe's inside diameter at the operating temperature.
#pragma once

#include "engine/EngineContext.h"

#include <cmath>

namespace morvane {

// The equal-area circle of a duct is taken with this value of π, not the full one.
inline constexpr double PiDuct = 3.14159;

// Diameter (mm) at `celsius` of a pipe of d0Mm at 20 °C: one linear expansion
// coefficient, 12.1e-6 per K, for every pipe material.
inline double warmDiameterMm(double d0Mm, double celsius)
{
    const double alpha = std::pow(10.0, -6) * 12.1;
    return (alpha * (celsius - 20.0) + 1.0) * d0Mm;
}

// Writes gInnendurchmesserWarm (mm) from gInnendurchmesser / gInnenmassB at
// 20 °C and gTemperatur; a rectangular duct becomes the circle of equal area.
void BerechneInnendurchmesser(EngineContext& e);

}  // namespace morvane
