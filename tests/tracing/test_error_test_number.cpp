// The number typed into the error-test panel and the error it raises.
#include "platform/RuntimeError.h"
#include "tracing/ErrorTestNumber.h"

#include <gtest/gtest.h>

#include <clocale>
#include <optional>

namespace morvane {
namespace {

TEST(ErrorTestNumber, LeadingNumberRoundedToLong)
{
    struct Case {
        const char* text;
        std::optional<std::int32_t> number;  // nothing: run-time error 6
        const char* shows;
    };
    const Case cases[] = {
        {"13", 13, "a plain number"},
        {"None", 0, "the panel's start text reads as 0"},
        {"", 0, "an empty box reads as 0"},
        {"13abc", 13, "the number ends at the first other character"},
        {" 1 3", 13, "blanks anywhere are ignored"},
        {"-7", -7, "a sign"},
        {"2.5", 2, "a half rounds to the even neighbour (down)"},
        {"3.5", 4, "a half rounds to the even neighbour (up)"},
        {"-2.5", -2, "also below zero"},
        {"1.4999", 1, "below a half rounds down"},
        {".6", 1, "no digit before the point"},
        {"1,5", 1, "a comma ends the number"},
        {"1e3", 1000, "an exponent with E"},
        {"1D2", 100, "an exponent with D"},
        {"1e", 1, "an E without digits is not an exponent"},
        {"2147483647", 2147483647, "the largest 32-bit number"},
        {"-2147483648", -2147483647 - 1, "the smallest 32-bit number"},
        {"2147483647.5", std::nullopt, "rounding past the 32-bit range overflows"},
        {"2147483648", std::nullopt, "beyond the 32-bit range overflows"},
        {"1e400", std::nullopt, "beyond the range of a double overflows"},
        {"1e-400", 0, "too small to hold reads as 0"},
        {"0.0000001e-400", 0, "also with leading zeros"},
    };
    for (const auto& c : cases) {
        if (c.number) {
            EXPECT_EQ(errorNumberOf(c.text), *c.number) << c.shows;
        } else {
            try {
                errorNumberOf(c.text);
                ADD_FAILURE() << c.shows << ": no error";
            } catch (const RuntimeError& e) {
                EXPECT_EQ(e.number(), err::Overflow) << c.shows;
            }
        }
    }
}

TEST(ErrorTestNumber, PointIsTheSeparatorWhateverTheLocale)
{
    // A program with windows takes the user's locale, which may use a comma.
    const char* const before = std::setlocale(LC_NUMERIC, nullptr);
    const std::string saved = before != nullptr ? before : "C";
    const char* comma = nullptr;
    for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8", "fr_FR.utf8"})
        if (comma == nullptr)
            comma = std::setlocale(LC_NUMERIC, name);
    if (comma == nullptr)
        GTEST_SKIP() << "no locale with a decimal comma installed";
    EXPECT_EQ(errorNumberOf("3.5"), 4);
    std::setlocale(LC_NUMERIC, saved.c_str());
}

TEST(ErrorTestNumber, RaisesTheErrorOfTheNumber)
{
    struct Case {
        const char* text;
        int number;
        const char* description;
        const char* shows;
    };
    const Case cases[] = {
        {"13", 13, "Type mismatch", "a known error with its standard description"},
        {"11", 11, "Division by zero", "another known error"},
        {"1234", 1234, "Application-defined or object-defined error", "a number without a description of its own"},
        {"0", 5, "Invalid procedure call or argument", "error 0 is no error: invalid argument"},
        {"None", 5, "Invalid procedure call or argument", "the start text reads as 0"},
        {"9999999999", 6, "Overflow", "beyond the 32-bit range"},
    };
    for (const auto& c : cases) {
        try {
            raiseTestError(c.text);
            ADD_FAILURE() << c.shows << ": nothing raised";
        } catch (const RuntimeError& e) {
            EXPECT_EQ(e.number(), c.number) << c.shows;
            EXPECT_EQ(e.description(), c.description) << c.shows;
        }
    }
}

}  // namespace
}  // namespace morvane
