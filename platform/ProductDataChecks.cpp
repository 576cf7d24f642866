#include "platform/ProductDataChecks.h"

#include "platform/RuntimeError.h"

#include <charconv>
#include <cmath>
#include <string>

namespace morvane {

namespace {

std::string numberText(double v)
{
    char buf[32];
    const auto r = std::to_chars(buf, buf + sizeof buf, v);
    return std::string(buf, r.ptr);
}

[[noreturn]] void failAtRow(int number, const std::string& what, const Recordset& rs, std::string_view column,
                            std::size_t row, const std::filesystem::path& file)
{
    raiseError(number, what + ": column '" + std::string(column) + "', row " + std::to_string(row) + " of table '" +
                           rs.table() + "' in '" + file.string() + "'");
}

[[noreturn]] void failAt(int number, const std::string& what, const Recordset& rs, std::string_view column,
                         const std::filesystem::path& file)
{
    failAtRow(number, what, rs, column, rs.rowNumber(), file);
}

}  // namespace

int checkedSupportCount(const Recordset& rs, std::string_view column, double v, int most,
                        const std::filesystem::path& file)
{
    if (!(v == std::floor(v) && v >= 2.0 && v <= most))
        failAt(dberr::CountOutOfRange,
               "Subscript out of range (the cell holds " + numberText(v) +
                   ", not a whole number of support points from 2 to " + std::to_string(most) + ")",
               rs, column, file);
    return static_cast<int>(v);
}

double checkedTableValue(const Recordset& rs, std::string_view column, double v, const ValueRange& range,
                         const std::filesystem::path& file)
{
    if (!(v > range.above && v < range.below))
        failAt(dberr::ValueOutOfRange,
               "Invalid property value (the cell holds " + numberText(v) + ", not " + range.what +
                   (std::isinf(range.below)
                        ? " above " + numberText(range.above)
                        : " between " + numberText(range.above) + " and " + numberText(range.below)) +
                   ")",
               rs, column, file);
    return v;
}

double checkedSupportPoint(const Recordset& rs, std::string_view column, double v, const double* previous,
                           const std::filesystem::path& file, Neighbours neighbours)
{
    if (previous != nullptr && !(v >= *previous))
        failAt(dberr::ValueOutOfRange,
               "Invalid property value (the cell holds " + numberText(v) + ", below the support point " +
                   numberText(*previous) + " of the row before)",
               rs, column, file);
    if (previous != nullptr && neighbours == Neighbours::Differ && v == *previous)
        failAt(dberr::ValueOutOfRange,
               "Invalid property value (the cell holds " + numberText(v) +
                   ", the support point of the row before once more: no interval lies between them)",
               rs, column, file);
    return v;
}

void checkedTableRange(const Recordset& rs, std::string_view column, std::size_t lowRow, double low,
                       std::size_t highRow, double high, double first, double last, std::string_view quantity,
                       const std::filesystem::path& file)
{
    const std::string q(quantity);
    if (!(low < high))
        failAtRow(dberr::ValueOutOfRange,
                  "Invalid property value (the cell holds " + numberText(low) + ", the lowest " + q +
                      " of the table's range, not below its highest " + q + " " + numberText(high) + ")",
                  rs, column, lowRow, file);
    if (!(low >= first))
        failAtRow(dberr::ValueOutOfRange,
                  "Invalid property value (the cell holds " + numberText(low) + ", the lowest " + q +
                      " of the table's range, below its first support point " + numberText(first) + ")",
                  rs, column, lowRow, file);
    if (!(high <= last))
        failAtRow(dberr::ValueOutOfRange,
                  "Invalid property value (the cell holds " + numberText(high) + ", the highest " + q +
                      " of the table's range, above the last support point " + numberText(last) +
                      " that the table's count selects)",
                  rs, column, highRow, file);
}

void checkedCountCoversTable(const Recordset& rs, std::string_view column, int count, const Recordset::Column& points,
                             const std::filesystem::path& file)
{
    Recordset r = rs;
    r.MoveFirst();
    int held = 0;
    for (; !r.atEnd(); r.MoveNext())
        if (!r.isNull(points))
            ++held;
    if (held > count)
        failAt(dberr::ValueOutOfRange,
               "Invalid property value (the cell holds " + std::to_string(count) + ", fewer than the table's " +
                   std::to_string(held) + " support points in column '" + points.name() + "')",
               rs, column, file);
}

}  // namespace morvane
