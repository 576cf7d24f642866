// Reading text ids out of window properties: the real-number and
// short-integer rules of the resource text loader.
#include "common/ResourceId.h"
#include "platform/RuntimeError.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace morvane {
namespace {

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
