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

// What the results window and page 1 of the protocol show through their
// masks ("###0.0" to "###0.0000" in the window, to "###0.00000" on the page):
// the mask's text where it reads within 1 % of the value, else 4 significant
// digits with their trailing zeros. The edge lies at 50 units of the mask's
// last place, where half a place is 1 %.
TEST(FormatMasks, WindowAndPageOneMasksShowEveryValueWithinOnePercent)
{
    const MaskCase cases[] = {
        // Values the masks move by more than 1 %.
        {"a design flow of 0.007 kg/s through ###0.00, 43 % high", 0.007, 2, '.', "0.007000"},
        {"the same with a comma", 0.007, 2, ',', "0,007000"},
        {"a velocity of 0.0173 m/s through ###0.00, 16 % high", 0.0173, 2, '.', "0.01730"},
        {"a velocity of 0.0984 m/s through ###0.00, 1.6 % high", 0.0984, 2, '.', "0.09840"},
        {"a velocity of 0.000845 m/s through ###0.0000, 5 % low", 0.000845, 4, '.', "0.0008450"},
        {"a velocity of 0.000859 m/s through ###0.0000, 5 % high", 0.000859, 4, '.', "0.0008590"},
        {"a flow that ###0.00 would round to 0", 0.000243153, 2, '.', "0.0002432"},
        {"the same through ###0.0000, 18 % low", 0.000243153, 4, ',', "0,0002432"},
        {"half of the last place, doubled", 0.005, 2, '.', "0.005000"},
        {"half a place up, 4 % off", 0.0125, 3, '.', "0.01250"},
        {"a temperature of 0.25 °C through ###0.0", 0.25, 1, '.', "0.2500"},
        {"negative", -0.007, 2, '.', "-0.007000"},
        {"negative, rounding to 0", -0.00001234567, 3, '.', "-0.00001235"},
        {"the rounding carries into a fifth digit", 0.000099996, 2, '.', "0.0001000"},
        {"tiny", 1.5e-12, 1, '.', "0.000000000001500"},
        // The masks' edges: half a place is 1 % at 50 places.
        {"###0.0 just below its edge", 4.95, 1, '.', "4.950"},
        {"###0.0 just above it", 5.05, 1, '.', "5.1"},
        {"###0.000 just below its edge", 0.0495, 3, '.', "0.04950"},
        {"###0.000 just above it", 0.0505, 3, '.', "0.051"},
        {"###0.0000 just below its edge", 0.00495, 4, ',', "0,004950"},
        {"###0.0000 just above it", 0.00505, 4, ',', "0,0051"},
        {"###0.00000 just below its edge", 0.000495, 5, '.', "0.0004950"},
        {"###0.00000 just above it", 0.000505, 5, '.', "0.00051"},
        {"negative, just below the edge", -0.495, 2, '.', "-0.4950"},
        // Values the masks show within 1 % keep them.
        {"page 1's design flow of 0.007 kg/s", 0.007, 5, '.', "0.00700"},
        {"page 1's velocity of 0.0173 m/s, 0.2 % low", 0.0173, 4, '.', "0.0173"},
        {"a pipe of 12.94 mm through ###0.0", 12.94, 1, ',', "12,9"},
        {"an exponent of 9.9996 through ###0.000", 9.9996, 3, '.', "10.000"},
        {"0.4 % off", 0.0099996, 2, '.', "0.01"},
        {"large values", 1234.5678, 1, '.', "1234.6"},
        {"zero stays as the mask has it", 0.0, 4, ',', "0,0000"},
        {"negative", -20.04, 1, '.', "-20.0"},
    };
    for (const MaskCase& c : cases)
        EXPECT_EQ(formatFixedNear(c.value, c.decimals, c.separator), c.text) << c.shows;
}

// A cell of limited room (here: 10 characters) shows the fixed form within
// 1 % where it fits, else the scientific form with 4 significant digits.
TEST(FormatMasks, FixedFormTooWideForItsCellTurnsScientific)
{
    const auto tenCharacters = [](const std::string& t) { return t.size() <= 10; };
    const MaskCase cases[] = {
        {"a dp in bar that fits keeps its pattern", 0.3322466, 4, '.', "0.3322"},
        {"rounding to 0: 4 significant digits where they fit", 0.00001, 4, ',', "0,00001000"},
        {"more than 1 % off: 4 significant digits where they fit", 0.0008449, 4, '.', "0.0008449"},
        {"and where they do not", -0.00005123, 4, '.', "-5.123E-05"},
        {"a dp of 0.000000009643 bar", 0.000000009643, 4, '.', "9.643E-09"},
        {"with a comma", 0.00000009946, 4, ',', "9,946E-08"},
        {"large", 123456789000.0, 3, '.', "1.235E+11"},
        {"negative", -0.000000009643, 4, '.', "-9.643E-09"},
        {"rounding carries into the exponent", 0.0000000099996, 4, '.', "1.000E-08"},
        {"the largest that fits stays fixed", 99999.9999, 4, '.', "99999.9999"},
        {"zero fits", 0.0, 4, '.', "0.0000"},
    };
    for (const MaskCase& c : cases)
        EXPECT_EQ(formatFixedNearOrScientific(c.value, c.decimals, c.separator, tenCharacters), c.text) << c.shows;
}

// What the uncertainty report, the limits-of-use lines and the solver's
// announcement show: the pattern's text where it reads within 1 % of the
// value, else 4 significant digits with their trailing zeros. (The flows are
// those of a gas probe at 0.05 kg/s: thresholds 0.0025 and 0.0015 in
// splitting range, 0.005 with one transmitter, half the design flow 0.025.)
TEST(FormatMasks, NearValueKeepsItsPatternWithinOnePercent)
{
    const MaskCase fixed[] = {
        {"a flow that two decimals show as 0", 0.0025, 2, '.', "0.002500"},
        {"another", 0.0015, 2, '.', "0.001500"},
        {"a flow that two decimals double", 0.005, 2, '.', "0.005000"},
        {"20 % off", 0.025, 2, '.', "0.02500"},
        {"a flow that two decimals show as it is", 0.05, 2, '.', "0.05"},
        {"half a place off, under 1 %", 0.505, 2, '.', "0.51"},
        {"half a place off, over 1 %", 0.495, 2, '.', "0.4950"},
        {"0.4 % off, the pattern kept", 0.0099996, 2, '.', "0.01"},
        {"the rounding carries into a fifth digit", 0.00099996, 2, '.', "0.001000"},
        {"with a comma", 0.0025, 2, ',', "0,002500"},
        {"negative", -0.004, 2, '.', "-0.004000"},
        {"zero stays zero", 0.0, 2, '.', "0.00"},
        {"large values keep the pattern", 1234.5678, 2, '.', "1234.57"},
    };
    for (const MaskCase& c : fixed)
        EXPECT_EQ(formatFixedNear(c.value, c.decimals, c.separator), c.text) << c.shows;

    const MaskCase upTo[] = {
        {"a legend flow that two decimals show as 0", 0.0025, 2, '.', "0.002500"},
        {"one that they double", 0.005, 2, ',', "0,005000"},
        {"a whole number", 150, 2, '.', "150"},
        {"trailing zeros dropped in the pattern", 0.5, 2, ',', "0,5"},
        {"two decimals", 293.15, 2, '.', "293.15"},
        {"a Reynolds number that reads 0", 0.39, 0, '.', "0.3900"},
        {"one that reads 29 % off", 1.4, 0, '.', "1.400"},
        {"one 0.8 % off", 49.6, 0, '.', "50"},
        {"zero", 0.0, 2, '.', "0"},
        {"the solver's announcement, .###", 0.000243153, 3, '.', "0.0002432"},
        {"a value .### shows as it is", 53.35912, 3, '.', "53.359"},
        {"one that .### would show 67 % high", 0.0006, 3, '.', "0.0006000"},
        {"one that .### would show 20 % high", 0.0025, 3, '.', "0.002500"},
        {"one 0.2 % off, the pattern kept", 0.2504, 3, '.', "0.25"},
    };
    for (const MaskCase& c : upTo)
        EXPECT_EQ(formatUpToNear(c.value, c.decimals, c.separator), c.text) << c.shows;
}

TEST(FormatMasks, ValueBeyondItsLimitShowsWhatTellsThemApart)
{
    const struct {
        const char* shows;
        double a, b;
        bool same;
    } compared[] = {
        {"β from d 127.8 and D 639", 127.8 / 639.0, 0.2, true},
        {"β 0.19999998", 0.19999998, 0.2, false},
        {"D 760.0001", 760.0001, 760, false},
        {"a 12th digit", 760.000000001, 760, false},
        {"a 13th digit", 760.0000000001, 760, true},
        {"zero and a tiny value", 1e-300, 0, false},
        {"zero", 0, 0, true},
    };
    for (const auto& c : compared)
        EXPECT_EQ(sameToTwelveDigits(c.a, c.b), c.same) << c.shows;

    const struct {
        const char* shows;
        double value, limit;
        int decimals;
        const char* valueText;
        const char* limitText;
    } apart[] = {
        {"D above 760 mm", 760.0001, 760, 2, "760.0001", "760"},
        {"β below 0.2", 0.19999998, 0.2, 4, "0.19999998", "0.2"},
        {"texts that differ as they are", 761, 760, 2, "761", "760"},
        {"a Reynolds number that reads 0", 0.39, 200000, 0, "0.3900", "200000"},
        {"a Reynolds number just below its limit", 31499.9, 31500, 0, "31499.9", "31500"},
        {"a computed limit that needs places too", 2520, 2520.4, 0, "2520", "2520.4"},
        {"up to the 12th digit", 760.000000001, 760, 2, "760.000000001", "760"},
    };
    for (const auto& c : apart) {
        const ValueAndLimit t = formatUpToApart(c.value, c.limit, c.decimals);
        EXPECT_EQ(t.value, c.valueText) << c.shows;
        EXPECT_EQ(t.limit, c.limitText) << c.shows;
    }
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
