// Reading typed numbers, and the Str form written back into boxes.
#include "mainwindow/StrCheck.h"
#include "platform/NumberText.h"
#include "platform/RuntimeError.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace morvane {
namespace {

struct ReadCase {
    const char* typed;
    const char* normalised;
    double value;
    const char* shows;
    bool holdsNumber = true;  // false: the box reads as 0 for want of a number
};

// The reading keeps some misreads on purpose: it only normalises and takes the
// leading number.
const ReadCase kReadCases[] = {
    {"1,5", "1.5", 1.5, "decimal comma"},
    {"1.5", "1.5", 1.5, "decimal point"},
    {" 1.5", "1.5", 1.5, "leading blank of the Str form"},
    {"12 345,6", "12345.6", 12345.6, "blanks inside are dropped"},
    {"1.234,5", "1.234.5", 1.234, "German thousands point misread: second point ends the number"},
    {"2E5", "2", 2.0, "the exponent letter ends the number"},
    {"+5", "", 0.0, "a plus sign ends the number before any digit", false},
    {"-.5", "-.5", -0.5, "minus with a point and no leading zero"},
    {"5-3", "5-3", 5.0, "a minus after digits survives but ends the value"},
    {"--5", "--5", 0.0, "two minus signs give no number", false},
    {"", "", 0.0, "an empty box", false},
    {"  ", "", 0.0, "blanks only", false},
    {"-.", "-.", 0.0, "a sign and a point without a digit", false},
    {"0", "0", 0.0, "a typed 0"},
    {"7\t8", "7", 7.0, "a tab ends the number"},
    {"0,0005", "0.0005", 0.0005, "small magnitude"},
};

TEST(StrCheck, NormalisesAndReadsTheLeadingNumber)
{
    for (const auto& c : kReadCases) {
        std::string t = c.typed;
        str_check(t);
        EXPECT_EQ(t, c.normalised) << c.shows;
        EXPECT_DOUBLE_EQ(leadingNumber(t), c.value) << c.shows;
        EXPECT_EQ(holdsNumber(c.typed), c.holdsNumber) << c.shows;
    }
}

TEST(StrCheck, TextLongerThan32767CharactersIsAnOverflow)
{
    std::string t(32768, '1');
    try {
        str_check(t);
        FAIL() << "expected run-time error 6";
    } catch (const RuntimeError& e) {
        EXPECT_EQ(e.number(), err::Overflow);
    }
    std::string ok(32767, '1');
    EXPECT_NO_THROW(str_check(ok));
}

std::string repeated(const std::string& piece, int times)
{
    std::string s;
    for (int i = 0; i < times; ++i)
        s += piece;
    return s;
}

TEST(StrCheck, LengthIsCountedInCharactersNotUtf8Bytes)
{
    struct Case {
        std::string text;
        bool overflow;
        const char* shows;
    };
    const Case cases[] = {
        {repeated("\xC3\xA4", 20000), false, "20000 umlauts are 40000 UTF-8 bytes but 20000 characters"},
        {repeated("\xC3\xA4", 32768), true, "32768 umlauts are too many characters"},
        {repeated("\xF0\x9F\x98\x80", 16384), true, "a character beyond 16 bits counts twice, as in UTF-16"},
        {repeated("\xF0\x9F\x98\x80", 16383) + "1", false, "32767 UTF-16 units still fit"},
    };
    for (const auto& c : cases) {
        std::string t = c.text;
        if (c.overflow) {
            try {
                str_check(t);
                ADD_FAILURE() << c.shows << ": expected run-time error 6";
            } catch (const RuntimeError& e) {
                EXPECT_EQ(e.number(), err::Overflow) << c.shows;
            }
        } else {
            EXPECT_NO_THROW(str_check(t)) << c.shows;
        }
    }
}

struct StrCase {
    double value;
    const char* text;
};

TEST(StrForm, WritesFixedNotationWithLeadingBlank)
{
    const StrCase cases[] = {
        {1.4, " 1.4"},         {2500.0, " 2500"},     {13.6, " 13.6"},       {248.0, " 248"},
        {-0.25, "-0.25"},      {0.0, " 0"},           {1e-6, " 0.000001"},   {123456.789, " 123456.789"},
        {1e20, " 100000000000000000000"}, {0.1 + 0.2, " 0.3"}, {-1234.5, "-1234.5"},
        {1.0 / 3.0, " 0.333333333333333"}, {2.0 / 3.0, " 0.666666666666667"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(strForm(c.value), c.text) << c.value;
}

TEST(StrForm, ReadsBackToTheSameValueWithoutExponent)
{
    const double values[] = {-17.25, 0.0, 1e-6, 123456.789, 1e20, -3.5e-9, 998.391772, 1.0 / 3.0};
    for (const double v : values) {
        const std::string t = strForm(v);
        EXPECT_EQ(t.find_first_of("eE"), std::string::npos) << t;
        const double back = readNumber(t);
        // 15 significant digits survive the round trip.
        EXPECT_NEAR(back, v, std::fabs(v) * 1e-14) << t;
    }
}

// A value typed in a display unit, read into the state's unit and written
// back: the box shows it as typed, whatever binary digits the conversion
// there and back left. The units and their offsets are those of the window.
TEST(StrFormConverted, TypedValuesComeBackAsTyped)
{
    struct Case {
        const char* unit;
        double (*there)(double);
        double (*back)(double);
        double scale;
    };
    const Case units[] = {
        {"K", [](double v) { return v - 273.15; }, [](double c) { return c + 273.15; }, 273.15},
        {"°F", [](double v) { return (v - 32.0) / 1.8; }, [](double c) { return c * 1.8 + 32.0; }, 32.0},
        {"bar", [](double v) { return v * 100.0; }, [](double k) { return k / 100.0; }, 0.0},
        {"Pa", [](double v) { return v / 1000.0; }, [](double k) { return k * 1000.0; }, 0.0},
        {"mbar", [](double v) { return v / 10.0; }, [](double k) { return k * 10.0; }, 0.0},
        {"psi", [](double v) { return v * 6.89476; }, [](double k) { return k / 6.89476; }, 0.0},
    };
    // Every value of 4 decimals from 0.01 to 3 (both signs), then values of 4
    // decimals spread up to a million.
    std::vector<long long> tenThousandths;
    for (long long i = 100; i <= 30000; ++i)
        tenThousandths.push_back(i);
    for (double i = 30000; i <= 1e10; i *= 1.001)
        tenThousandths.push_back(std::llround(i) + 1);
    for (const auto& u : units) {
        int wrong = 0;
        for (const long long i : tenThousandths) {
            for (const double v : {i / 10000.0, -i / 10000.0}) {
                const std::string typed = strForm(v);
                const std::string shown = strFormConverted(u.back(u.there(v)), u.scale);
                if (shown != typed && ++wrong <= 5)
                    ADD_FAILURE() << u.unit << ": " << typed << " shows as " << shown;
            }
        }
        EXPECT_EQ(wrong, 0) << u.unit;
    }
}

TEST(StrFormConverted, Examples)
{
    const struct {
        double value;
        double scale;
        const char* text;
    } cases[] = {
        {0.100000000000001, 32.0, " 0.1"},           // 0.1 °F after the conversion there and back
        {-0.299999999999997, 32.0, "-0.3"},
        {0.0099999999999909, 273.15, " 0.01"},      // 0.01 K: twelve digits of 273.15, not of 0.00999...
        {293.15, 273.15, " 293.15"},
        {0.0, 273.15, " 0"},
        {1e-14, 273.15, " 0"},                      // below what the conversion can tell apart from 0
        {1.0130000000000001, 0.0, " 1.013"},
        {123456789.123456, 0.0, " 123456789.123"},  // twelve significant digits
        {-2500.0, 0.0, "-2500"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(strFormConverted(c.value, c.scale), c.text) << c.value;
    EXPECT_THROW(strFormConverted(std::nan(""), 0.0), RuntimeError);
}

TEST(StrForm, RefusesNonFiniteValues)
{
    EXPECT_THROW(strForm(std::nan("")), RuntimeError);
    EXPECT_THROW(strForm(HUGE_VAL), RuntimeError);
}

}  // namespace
}  // namespace morvane
