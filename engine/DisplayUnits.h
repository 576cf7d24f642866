// The display units of pressure, differential pressure, temperature and flow:
// the lists' resource texts and the factors between a display unit and the unit
// the calculation state keeps (kPa absolute, kPa, °C; flows stay in their unit).
// Every window and printout that shows or reads one of these quantities
// converts with the functions below.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace morvane {

// List item i is the resource text base + i (plus the language offset).
inline constexpr std::int32_t PressureUnitTextBase = 1340;      // Combo9, gDruckEinheit
inline constexpr std::int32_t DpUnitTextBase = 1360;            // Combo10, gDpEinheit
inline constexpr std::int32_t TemperatureUnitTextBase = 1370;   // Combo11, gTemperaturEinheit
inline constexpr std::int32_t FlowUnitTextBase = 1180;          // Combo8, gDurchflussEinheit
inline constexpr int PressureUnitCount = 5;     // kPa, bar/abs, Pa, mbar/abs, psi
inline constexpr int DpUnitCount = 6;           // kPa, bar, Pa, mbar, psi, mmWs
inline constexpr int TemperatureUnitCount = 3;  // °C, K, °F
inline constexpr int FlowUnitCount = 8;         // 0 none chosen, Nm³/h ... m³/s

namespace pressureunit {
inline constexpr std::int16_t kPa = 0, bar = 1, Pa = 2, mbar = 3, psi = 4;
}
namespace dpunit {
inline constexpr std::int16_t kPa = 0, bar = 1, Pa = 2, mbar = 3, psi = 4, mmWs = 5;
}
namespace temperatureunit {
inline constexpr std::int16_t Celsius = 0, Kelvin = 1, Fahrenheit = 2;
}

// kPa per psi, and mm water column per kPa, as the unit tables use them.
inline constexpr double KPaPerPsi = 6.89476;
inline constexpr double MmWsPerKPa = 101.97162;
// The offset between °C and K of the display units.
inline constexpr double KelvinOffset = 273.15;

// A typed pressure in unit `unit` as kPa; an unknown unit (and 0) leaves it as typed.
double pressureToKPa(double typed, std::int16_t unit);
// A pressure in kPa as shown in unit `unit`; nothing for an unknown unit.
std::optional<double> pressureForDisplay(double kPa, std::int16_t unit);

// A differential pressure or pressure loss in kPa as shown in unit `unit`;
// nothing for an unknown unit.
std::optional<double> dpForDisplay(double kPa, std::int16_t unit);

// A typed temperature in unit `unit` as °C; an unknown unit (and 0) leaves it as typed.
double temperatureToCelsius(double typed, std::int16_t unit);
// A temperature in °C as shown in unit `unit`; nothing for an unknown unit.
std::optional<double> temperatureForDisplay(double celsius, std::int16_t unit);

// The text a pressure box shows for a pressure in kPa in unit `unit`, and a
// temperature box for a temperature in °C in unit `unit`: the Str form, for a
// converted value rounded as strFormConverted rounds it, so that a value typed
// in a display unit, read into the state and written back shows as typed;
// nothing for an unknown unit.
std::optional<std::string> pressureBoxText(double kPa, std::int16_t unit);
std::optional<std::string> temperatureBoxText(double celsius, std::int16_t unit);

// The text of a unit list's item (base + index + sprachOffset); run-time error
// 326 when the table has no such text.
std::string unitText(std::int32_t base, std::int16_t index, std::int32_t sprachOffset);

}  // namespace morvane
