// The runtime's conversions between texts and numbers: Val, the decimal
// numbers of the program's files, and the rounding to Integer and Long.
#include "platform/RuntimeNumbers.h"

#include "platform/RuntimeError.h"
#include "support/CommaLocale.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <optional>
#include <string>

namespace morvane {
namespace {

constexpr double Inf = std::numeric_limits<double>::infinity();

TEST(RuntimeVal, LeadingNumber)
{
    struct Case {
        const char* text;
        double number;
        const char* shows;
    };
    const Case cases[] = {
        {"1037", 1037.0, "a plain id"},
        {"  1208  ", 1208.0, "blanks around the number are skipped"},
        {"1 0 3 7", 1037.0, "blanks inside the number are skipped too"},
        {"\t1037\n", 1037.0, "tabs and line feeds count as blanks"},
        {"1037.4", 1037.4, "a point is the decimal separator"},
        {"1037,4", 1037.0, "a comma ends the number"},
        {"1037abc", 1037.0, "reading stops at the first other character"},
        {"1.2.3", 1.2, "a second point ends the number"},
        {".5", 0.5, "a fraction without integer digits"},
        {"7.", 7.0, "a point without fraction digits"},
        {"-5", -5.0, "a minus sign"},
        {"- 5", -5.0, "a blank between sign and digits"},
        {"+12", 12.0, "a plus sign"},
        {"1e3", 1000.0, "an exponent"},
        {"1.5D2", 150.0, "D as exponent letter"},
        {"2E-1", 0.2, "a negative exponent"},
        {"12e", 12.0, "a letter E without digits is no exponent"},
        {"12e+", 12.0, "nor with only a sign"},
        {"1e-400", 0.0, "an underflow reads as 0"},
        {"", 0.0, "empty text"},
        {"   ", 0.0, "blanks only"},
        {"Name", 0.0, "text that does not begin with a number"},
        {"-", 0.0, "a menu separator"},
        {" - ", 0.0, "a dash between blanks"},
        {".", 0.0, "a point alone"},
        {"e5", 0.0, "an exponent without mantissa"},
        {"&Datei", 0.0, "a menu caption"},
        {"0", 0.0, "zero"},
        {"000.000", 0.0, "zeros only"},
        {"0.0000001e-400", 0.0, "an underflow with leading zeros"},
        {"1 e 3", 1000.0, "blanks inside the exponent are skipped"},
        {"12e+ 3", 12000.0, "also between its sign and its digits"},
        {"1.7976931348623157e308", 1.7976931348623157e308, "the largest double"},
    };
    for (const auto& c : cases) {
        EXPECT_DOUBLE_EQ(runtimeVal(c.text), c.number) << c.shows << ": \"" << c.text << '"';
        EXPECT_EQ(runtimeValInRange(c.text), std::optional<double>(runtimeVal(c.text))) << c.shows;
    }
}

TEST(RuntimeVal, NumberTooLargeForADoubleIsAnOverflow)
{
    for (const std::string& text : {std::string("1e400"), std::string("-1e400"), std::string(400, '9')}) {
        try {
            runtimeVal(text);
            FAIL() << text;
        } catch (const RuntimeError& e) {
            EXPECT_EQ(e.number(), err::Overflow) << text;
        }
        EXPECT_EQ(runtimeValInRange(text), std::nullopt) << text;
    }
}

TEST(DecimalNumber, TheWholeTokenOrNothing)
{
    struct Case {
        const char* token;
        std::optional<double> number;
        const char* shows;
    };
    const Case cases[] = {
        {"10000", 10000.0, "digits"},
        {"+5", 5.0, "a plus sign"},
        {"-7.25", -7.25, "a minus sign and a fraction"},
        {".5", 0.5, "no digit before the point"},
        {"5.", 5.0, "no digit after it"},
        {"1e3", 1000.0, "an exponent"},
        {"1E+03", 1000.0, "a capital E and a signed exponent"},
        {"25E-1", 2.5, "a negative exponent"},
        {"1e-400", 0.0, "too small a magnitude reads as 0"},
        {"1e400", Inf, "too large a one as an infinity"},
        {"-1e400", -Inf, "of its sign"},
        {"", std::nullopt, "nothing"},
        {"+", std::nullopt, "a sign alone"},
        {".", std::nullopt, "a point alone"},
        {"1e", std::nullopt, "an exponent without digits"},
        {"e5", std::nullopt, "an exponent without a mantissa"},
        {"1d3", std::nullopt, "D is no exponent letter here"},
        {"3,5", std::nullopt, "a decimal comma"},
        {" 5", std::nullopt, "a blank before"},
        {"5 ", std::nullopt, "a blank after"},
        {"+-1", std::nullopt, "two signs"},
        {"0x10", std::nullopt, "a C hexadecimal number"},
        {"inf", std::nullopt, "the word inf"},
        {"nan", std::nullopt, "the word nan"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(decimalNumber(c.token), c.number) << c.shows << ": \"" << c.token << '"';
}

TEST(ReadDouble, OutOfRangeAsStrtodSettlesIt)
{
    struct Case {
        const char* text;
        double value;
        bool outOfRange;
    };
    const Case cases[] = {
        {"2.5", 2.5, false},
        {"1e400", Inf, true},
        {"-1e400", -Inf, true},
        {"123456e305", Inf, true},
        {"1e-400", 0.0, true},
        {"-1e-400", -0.0, true},
        {"0.000001e-320", 0.0, true},
    };
    for (const auto& c : cases) {
        double value = 42.0;
        const std::string text = c.text;
        const auto r = readDouble(text.data(), text.data() + text.size(), value);
        EXPECT_EQ(r.ptr, text.data() + text.size()) << c.text;
        EXPECT_EQ(r.ec == std::errc::result_out_of_range, c.outOfRange) << c.text;
        EXPECT_EQ(value, c.value) << c.text;
        EXPECT_EQ(std::signbit(value), std::signbit(c.value)) << c.text;
    }
}

TEST(RuntimeRounding, HalvesToEvenAndOverflowOutsideTheRange)
{
    struct Case {
        double value;
        std::optional<std::int16_t> integer;  // nothing: outside, error 6
        std::optional<std::int32_t> longValue;
    };
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const Case cases[] = {
        {2.5, 2, 2},
        {3.5, 4, 4},
        {-2.5, -2, -2},
        {1.4999, 1, 1},
        {-0.5, 0, 0},
        {32767.49, 32767, 32767},
        {32767.5, std::nullopt, 32768},
        {-32768.5, -32768, -32768},
        {-32769.0, std::nullopt, -32769},
        {2147483647.49, std::nullopt, 2147483647},
        {2147483647.5, std::nullopt, std::nullopt},
        {-2147483648.5, std::nullopt, -2147483647 - 1},
        {Inf, std::nullopt, std::nullopt},
        {-Inf, std::nullopt, std::nullopt},
        {nan, std::nullopt, std::nullopt},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(roundedInteger(c.value), c.integer) << c.value;
        EXPECT_EQ(roundedLong(c.value), c.longValue) << c.value;
        // The raising conversions: the rounded value, or run-time error 6.
        const auto raised = [&](auto convert, auto expected) {
            try {
                const auto got = convert(c.value);
                EXPECT_TRUE(expected.has_value()) << c.value << ": no error";
                if (expected) {
                    EXPECT_EQ(got, *expected) << c.value;
                }
            } catch (const RuntimeError& e) {
                EXPECT_FALSE(expected.has_value()) << c.value << ": error " << e.number();
                EXPECT_EQ(e.number(), err::Overflow) << c.value;
            }
        };
        raised(toInteger, c.integer);
        raised(toLong, c.longValue);
    }
}

TEST(LongOfDecimal, TypeMismatchForNoNumberOverflowBeyond32Bits)
{
    struct Case {
        const char* token;
        std::optional<std::int32_t> number;
        int error;
    };
    const Case cases[] = {
        {"10000", 10000, 0},
        {"2.5", 2, 0},
        {"-2147483648", -2147483647 - 1, 0},
        {"abc", std::nullopt, err::TypeMismatch},
        {"12abc", std::nullopt, err::TypeMismatch},
        {"2147483648", std::nullopt, err::Overflow},
        {"1e400", std::nullopt, err::Overflow},
    };
    for (const auto& c : cases) {
        if (c.number) {
            EXPECT_EQ(longOfDecimal(c.token), *c.number) << c.token;
            continue;
        }
        try {
            longOfDecimal(c.token);
            ADD_FAILURE() << c.token << ": no error";
        } catch (const RuntimeError& e) {
            EXPECT_EQ(e.number(), c.error) << c.token;
        }
    }
}

// The program's windows take the user's locale, whose decimal separator may
// be a comma: a point stays the decimal point of every reader.
TEST(RuntimeNumbers, PointIsTheSeparatorWhateverTheLocale)
{
    testing::CommaLocale comma;
    if (!comma.active())
        GTEST_SKIP() << "no locale with a decimal comma installed";
    EXPECT_EQ(runtimeVal("3.5"), 3.5);
    EXPECT_EQ(runtimeVal("3,5"), 3.0);
    EXPECT_EQ(decimalNumber("3.5"), 3.5);
    EXPECT_EQ(decimalNumber("3,5"), std::nullopt);
    EXPECT_EQ(longOfDecimal("3.5"), 4);
    const std::string big = "1.5e400";
    double value = 0.0;
    readDouble(big.data(), big.data() + big.size(), value);
    EXPECT_EQ(value, Inf);
}

}  // namespace
}  // namespace morvane
