// The number masks of the results windows: "###0.0" .. "###0.0000" with a given
// decimal separator, and "0,00E+00" (its comma read as the decimal separator).
// Expected texts: python3 decimal, ROUND_HALF_UP applied to the value's
// 15-significant-digit form ('%.14e'), the rounding the program's Format uses.
#include "engine/FormatPatterns.h"

#include "platform/RuntimeError.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>

namespace morvane {
namespace {

struct MaskCase {
    const char* shows;
    double value;
    int decimals;
    char separator;
    const char* text;
};

TEST(FormatMasks, FixedWithTheRegionalSeparator)
{
    const MaskCase cases[] = {
        {"dp in kPa, point", 33.222466, 4, '.', "33.2225"},
        {"dp in kPa, comma", 33.222466, 4, ',', "33,2225"},
        {"no thousands grouping", 1234567.0, 3, ',', "1234567,000"},
        {"leading zero below one", 0.5, 3, '.', "0.500"},
        {"half of the last place rounds up", 0.0125, 3, ',', "0,013"},
        {"1.005 is rounded from its 15-digit form", 1.005, 2, '.', "1.01"},
        {"a negative value keeps its sign", -0.025, 3, '.', "-0.025"},
        {"a negative value rounding to zero loses it", -0.0004, 3, ',', "0,000"},
        {"no decimals: no separator", 12.5, 0, ',', "13"},
        {"rounding carries across the separator", 9.9995, 3, ',', "10,000"},
        {"carry adds an integer digit", 99999.99996, 4, '.', "100000.0000"},
        {"just below half the last place", 0.00049999, 3, '.', "0.000"},
    };
    for (const MaskCase& c : cases)
        EXPECT_EQ(formatFixed(c.value, c.decimals, c.separator), c.text) << c.shows;
}

TEST(FormatMasks, ScientificTwoDecimals)
{
    const MaskCase cases[] = {
        {"Reynolds number of the reference orifice", 118886.7, 2, '.', "1.19E+05"},
        {"the same with a comma", 118886.7, 2, ',', "1,19E+05"},
        {"zero", 0.0, 2, '.', "0.00E+00"},
        {"rounding carries into the exponent", 9.996, 2, '.', "1.00E+01"},
        {"just below the carry", 9.994, 2, '.', "9.99E+00"},
        {"negative", -1234.5, 2, '.', "-1.23E+03"},
        {"negative exponent", 1.005e-7, 2, '.', "1.01E-07"},
        {"two exponent digits at least, more when needed", 1e-300, 2, '.', "1.00E-300"},
        {"half up in the mantissa", 1.125, 2, '.', "1.13E+00"},
        {"large", 6.02214076e23, 2, '.', "6.02E+23"},
    };
    for (const MaskCase& c : cases)
        EXPECT_EQ(formatScientific(c.value, c.decimals, c.separator), c.text) << c.shows;
}

TEST(FormatMasks, NonFiniteIsOverflow)
{
    for (const double v : {std::numeric_limits<double>::infinity(), std::numeric_limits<double>::quiet_NaN()}) {
        try {
            formatScientific(v, 2);
            FAIL() << "no error for " << v;
        } catch (const RuntimeError& e) {
            EXPECT_EQ(e.number(), err::Overflow);
        }
    }
}

}  // namespace
}  // namespace morvane
