// Reading text ids out of window properties: the leading number and the
// real-number and short-integer rules of the resource text loader.
#include "common/ResourceId.h"
#include "platform/RuntimeError.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace morvane {
namespace {

TEST(ResourceId, LeadingNumber)
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
    };
    for (const auto& c : cases)
        EXPECT_DOUBLE_EQ(leadingIdNumber(c.text), c.number) << c.shows << ": \"" << c.text << '"';
}

TEST(ResourceId, NumberTooLargeForADoubleIsAnOverflow)
{
    for (const std::string& text : {std::string("1e400"), std::string("-1e400"), std::string(400, '9')}) {
        try {
            leadingIdNumber(text);
            FAIL() << text;
        } catch (const RuntimeError& e) {
            EXPECT_EQ(e.number(), err::Overflow) << text;
        }
    }
}

TEST(ResourceId, RealNumberRule)
{
    struct Case {
        const char* text;
        std::int32_t offset;
        std::optional<std::int32_t> id;
        const char* shows;
    };
    const Case cases[] = {
        {"1037", 0, 1037, "German text"},
        {"1037", 10000, 11037, "English text at id + 10000"},
        {"1037.4", 0, 1037, "a real number is rounded"},
        {"1037.6", 10000, 11038, "rounded up above the half"},
        {"1036.5", 0, 1036, "a half rounds to the even neighbour"},
        {"1037.5", 0, 1038, "a half rounds to the even neighbour, upwards"},
        {"0.4", 0, 0, "not 0 as a number, so the rule applies, though it rounds to 0"},
        {"-5", 10000, 9995, "a negative number applies (its id then has no string)"},
        {"70000", 0, 70000, "no 16-bit limit in this rule"},
        {"0", 0, std::nullopt, "0 does not apply"},
        {"", 10000, std::nullopt, "empty does not apply"},
        {"Datei", 0, std::nullopt, "a text does not apply"},
        {"-", 0, std::nullopt, "a separator does not apply"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(realNumberId(c.text, c.offset), c.id) << c.shows << ": \"" << c.text << '"';
}

TEST(ResourceId, ShortIntegerRule)
{
    struct Case {
        const char* text;
        std::int32_t offset;
        std::optional<std::int32_t> id;
        const char* shows;
    };
    const Case cases[] = {
        {"1037", 0, 1037, "German text"},
        {"1037", 10000, 11037, "English text at id + 10000"},
        {"1037.4", 0, 1037, "rounded to an integer"},
        {"1036.5", 0, 1036, "a half rounds to the even neighbour"},
        {"32767", 0, 32767, "the largest 16-bit integer"},
        {"32767.4", 10000, 42767, "rounds into the range"},
        {"0.4", 0, std::nullopt, "rounds to 0, which is not greater than 0"},
        {"0.6", 0, 1, "rounds to 1"},
        {"-5", 0, std::nullopt, "negative does not apply"},
        {"-32768", 0, std::nullopt, "the smallest 16-bit integer, not greater than 0"},
        {"0", 10000, std::nullopt, "0 does not apply"},
        {"", 0, std::nullopt, "empty does not apply"},
        {"OK", 0, std::nullopt, "a text does not apply"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(shortIntegerId(c.text, c.offset), c.id) << c.shows << ": \"" << c.text << '"';
}

TEST(ResourceId, OutOfRangeIsAnOverflow)
{
    struct Case {
        bool shortInteger;
        const char* text;
        const char* shows;
    };
    const Case cases[] = {
        {true, "70000", "above the 16-bit range"},
        {true, "32767.5", "rounds above the 16-bit range"},
        {true, "-32769", "below the 16-bit range"},
        {false, "3e9", "above the 32-bit range"},
        {false, "-3e9", "below the 32-bit range"},
        {false, "1e400", "too large for a double"},
    };
    for (const auto& c : cases) {
        try {
            if (c.shortInteger)
                shortIntegerId(c.text, 0);
            else
                realNumberId(c.text, 0);
            FAIL() << c.shows;
        } catch (const RuntimeError& e) {
            EXPECT_EQ(e.number(), err::Overflow) << c.shows;
        }
    }
}

TEST(ResourceId, FullIdAddsTheOffsetBeforeRounding)
{
    EXPECT_EQ(fullTextId(1037.0, 10000), 11037);
    EXPECT_EQ(fullTextId(0.0, 10000), 10000);
    EXPECT_EQ(fullTextId(2147473647.0, 10000), 2147483647);
    EXPECT_THROW(fullTextId(2147473648.0, 10000), RuntimeError);
}

}  // namespace
}  // namespace morvane
