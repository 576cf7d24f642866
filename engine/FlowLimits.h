// The useful flow range of the design: the flows above which the measuring
// uncertainty stays within 1 to 10 % (one dp transmitter, and two in splitting
// range), the recommended and possible minimum flows (points D to G) and the
// recommended and allowed maximum flows (points B and A).
#pragma once

#include "engine/EngineContext.h"

#include <array>

namespace morvane {

// Medium class of the thresholds.
inline constexpr Integer KlasseGas = 0;
inline constexpr Integer KlasseFluessigkeit = 1;
inline constexpr Integer KlasseDampf = 2;

// 0 gases, 1 liquids, 2 steam, from the model flags and the built-in medium.
Integer mediumKlasse(const CalculationState& s);

// One uncertainty level: threshold fractions of the design flow for gases and
// liquids, and the coefficient a and exponent b of the steam formula.
struct UnsicherheitsStufe {
    double anteil;    // one transmitter
    double anteilSR;  // splitting range
    double a;
    double b;
};
// 1, 1.5, 2, 3, 5 and 10 %.
extern const std::array<UnsicherheitsStufe, 6> Unsicherheitsstufen;

// Writes every field of Grenzwerte, in the user's flow unit, from the design
// flow, its differential pressure and the vibration ratio. A dp of 0 or below
// raises a run-time error at the first formula that divides by it or takes its
// root or power (fields not reached keep their values).
void BerechneLimits(EngineContext& e);

}  // namespace morvane
