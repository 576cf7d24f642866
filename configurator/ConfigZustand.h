// The configurator's program-wide state, as far as the rest of the program uses
// it.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace morvane {

inline constexpr int MaxConfigRows = 51;

// The configuration selection saved in a calculation file.
struct ConfAuswahl {
    std::int16_t ComboIndex = 0;  // element-type list index when saved; 0 none
    std::int16_t Anzahl = 0;      // saved rows, 0 to 51
    std::array<std::int16_t, MaxConfigRows> FeldIndex{};
    std::array<double, MaxConfigRows> Wert{};
};

struct ConfigZustand {
    std::int16_t gConfEventsAus = 0;       // Boolean: -1 mutes the configurator's handlers
    std::int16_t gGrenzwertPruefung = 0;   // 1: entries checked by their field's rules
    std::int16_t gGrenzwertModus = 0;      // 1 warn, 2 warn and set to the limit
    std::string gTypenschluessel;          // type key of the configured element
    ConfAuswahl gConfAuswahl;
    std::int16_t gConfFeldAnzahl = 0;      // configuration rows shown
};

}  // namespace morvane
