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

[[noreturn]] void failAt(int number, const std::string& what, const Recordset& rs, std::string_view column,
                         const std::filesystem::path& file)
{
    raiseError(number, what + ": column '" + std::string(column) + "', row " + std::to_string(rs.rowNumber()) +
                           " of table '" + rs.table() + "' in '" + file.string() + "'");
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
                           const std::filesystem::path& file)
{
    if (previous != nullptr && !(v >= *previous))
        failAt(dberr::ValueOutOfRange,
               "Invalid property value (the cell holds " + numberText(v) + ", below the support point " +
                   numberText(*previous) + " of the row before)",
               rs, column, file);
    return v;
}

}  // namespace morvane
