// Checks of the values the engine takes from a product database. A database
// that has been damaged (by hand, by a faulty export) must not silently become
// numbers: a support-point count that is not a whole number in its range, a
// compressibility factor, norm density, critical temperature or pressure or
// resistance coefficient outside the range any real gas or probe has, is a
// run-time error whose description names the cell (column, row, table and
// file), like the other faults of the store.
//   9    a support-point count that is no whole number from 2 to the most
//        points the table can hold
//   380  a value outside its physical range, a support point below the one
//        before it (or, where the interpolation divides by the interval,
//        equal to it), a table's range that is empty or reaches beyond the
//        support points its count selects, a count that leaves support points
//        of its table out
#pragma once

#include "platform/ProductDatabase.h"

#include <cstddef>
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
// wrong interval and give a plausible wrong value. A repeated point is an
// interval of zero width: the gas tables' interpolation knows it
// (Neighbours::MayRepeat), the probe tables' divides by it (Neighbours::Differ).
enum class Neighbours { MayRepeat, Differ };
double checkedSupportPoint(const Recordset& rs, std::string_view column, double value, const double* previous,
                           const std::filesystem::path& file, Neighbours neighbours = Neighbours::MayRepeat);

// The range of a table (its lowest and highest value of a quantity, read from
// `column` in rows `lowRow` and `highRow`) against the support points that the
// table's count selects (`first` and `last`): the range must not be empty and
// must lie inside them, or a state inside the range would be extrapolated
// beyond the grid. `quantity` names it in the description ("temperature").
void checkedTableRange(const Recordset& rs, std::string_view column, std::size_t lowRow, double low,
                       std::size_t highRow, double high, double first, double last, std::string_view quantity,
                       const std::filesystem::path& file);

// A support-point count (`count`, read from `column` of the row the recordset
// stands on) that takes in every row of the table holding a support point in
// `points`: a smaller one would leave the table's own points out and treat
// values between them as lying outside the table.
void checkedCountCoversTable(const Recordset& rs, std::string_view column, int count, const Recordset::Column& points,
                             const std::filesystem::path& file);

}  // namespace morvane
