// Checks of the values the engine takes from a product database. A database
// that has been damaged (by hand, by a faulty export) must not silently become
// numbers: a support-point count that is not a whole number in its range, a
// compressibility factor, norm density, critical temperature or pressure or
// resistance coefficient outside the range any real gas or probe has, is a
// run-time error whose description names the cell (column, row, table and
// file), like the other faults of the store.
//   9    a support-point count that is no whole number from 2 to the most
//        points the table can hold
//   380  a value outside its physical range, or a support point below the one
//        before it
#pragma once

#include "platform/ProductDatabase.h"

#include <filesystem>
#include <limits>
#include <string_view>

namespace morvane {

namespace dberr {
inline constexpr int CountOutOfRange = 9;
inline constexpr int ValueOutOfRange = 380;
}  // namespace dberr

// The ranges a value must lie strictly inside; `below` may be infinity for a
// range open upwards.
struct ValueRange {
    double above;
    double below;
    const char* what;  // "a compressibility factor", named in the description
};
// Compressibility factor Z of a gas table.
inline constexpr ValueRange CompressibilityRange{0.05, 5.0, "a compressibility factor"};
// Norm density of a gas, kg/m³ at 0 °C and 101.325 kPa (hydrogen 0.09, the
// heaviest technical gases about 10).
inline constexpr ValueRange NormDensityRange{0.01, 50.0, "a norm density in kg/m3"};
// Critical temperature, °C, above absolute zero, and critical pressure, kPa,
// above 0: what a gas has, whatever gas it is.
inline constexpr ValueRange CriticalTemperatureRange{-273.15, std::numeric_limits<double>::infinity(),
                                                     "a critical temperature in degrees C"};
inline constexpr ValueRange CriticalPressureRange{0.0, std::numeric_limits<double>::infinity(),
                                                  "a critical pressure in kPa"};
// Resistance coefficient zeta of an averaging probe.
inline constexpr ValueRange ProbeZetaRange{0.01, 100.0, "a probe resistance coefficient"};

// The checks take the value as the caller read it (by name or by position)
// and the recordset standing on its row, which names the place of a fault.

// A support-point count: a whole number from 2 to `most`.
int checkedSupportCount(const Recordset& rs, std::string_view column, double value, int most,
                        const std::filesystem::path& file);

// A value inside `range`.
double checkedTableValue(const Recordset& rs, std::string_view column, double value, const ValueRange& range,
                         const std::filesystem::path& file);

// A support point of an interpolation table: not below the point of the row
// before (`previous`; none for the first row). Points out of order would pick a
// wrong interval and give a plausible wrong value; a repeated point is an
// interval of zero width, which the interpolations know.
double checkedSupportPoint(const Recordset& rs, std::string_view column, double value, const double* previous,
                           const std::filesystem::path& file);

}  // namespace morvane
