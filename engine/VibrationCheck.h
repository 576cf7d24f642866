// Vortex-induced vibration of the maker's averaging probes: the probe's natural
// frequency as a beam across the pipe against the vortex-shedding frequency at
// the design flow, and whether the probe needs an opposite support (a second
// bearing on the far pipe wall).
#pragma once

#include "engine/EngineContext.h"

#include <optional>
#include <string_view>

namespace morvane {

// Beam data of one probe type: natural frequency = stiffness / length² (Hz with
// the length in mm), width across the flow in mm.
struct ProbeBeam {
    double stiffness;
    double widthMm;
};

// The maker's probe types 2 (RQ10M) to 7 (RQ50); nothing for any other type.
std::optional<ProbeBeam> probeBeam(Integer elementType);

// Bending criterion: the support is needed when this over D³ (D in mm) falls
// below the design dp in mbar.
inline constexpr double BiegeKonstante = 7445912728.0;  // mbar·mm³
inline constexpr double DurchmesserGrenzeGegenlager = 1000.0;  // mm
inline constexpr double FrequenzAbstand = 1.3;  // margin natural / vortex frequency
inline constexpr double DpGrenzeSonde = 6.0;    // kPa
inline constexpr double DpGrenzeGegenlager = 2.0;  // kPa

// The message boxes, bilingual in one text each.
inline constexpr std::string_view MeldungGroessereSonde =
    "Frequenzüberlagerung! Bitte verwenden Sie eine größere Sonde oder kontaktieren Sie halvern! "
    "Frequency match! please use a different probe or contact halvern!";
inline constexpr std::string_view MeldungGegenlagerFrequenz =
    "Frequenzüberlagerung! Bitte verwenden Sie ein Gegenlager! frequency match, please use opposite support!";
inline constexpr std::string_view MeldungGegenlagerBiegung = "Bitte Gegenlager verwenden, please use opposite support";

// Probe constant, width, length, the natural frequencies without and with
// opposite support, the vortex frequency at the design velocity (Strouhal number
// 0.2) and their ratio rounded to two decimals; clears gSchwingungswarnung.
// For a type outside 2 to 7 the constant and the width stay as they are.
void frequencycheck(EngineContext& e);

// Sets gGegenlagerNotwendig and gSchwingungswarnung from the bending and the
// frequency criteria at the design dp, with message boxes.
//
// The bending message is shown when the bending criterion asks for a support
// and the configured element carries none; the configured element is left as
// it is (gGegenlagerVorgesehen is the user's input, and the frequency ratio and
// the flow limits of this run belong to the element as configured).
void Gegenlager(EngineContext& e);

}  // namespace morvane
