// The warning shown for a typed value outside its field's limits.
#include "common/ResourceTexts.h"
#include "configurator/ValueEntry.h"

#include <gtest/gtest.h>

namespace morvane {
namespace {

TEST(LimitMessage, ExactTextInBothLanguages)
{
    struct Case {
        const char* key;
        double min;
        double max;
        std::int32_t offset;
        const char* expected;
    };
    const Case cases[] = {
        // The German second line ends its text in a blank, so two blanks stand
        // before the key; the English one has one.
        {"LEN", 10, 100, OffsetGerman,
         "Wert ist au\xC3\x9F"
         "erhalb Grenzwerte!\rGrenzwerte f\xC3\xBCr Parameter:  LEN = 10 - 100"},
        {"LEN", 10, 100, OffsetEnglish, "Value out of Limits!\rLimits for Parameter: LEN = 10 - 100"},
        {"DP", 0.5, 2, OffsetEnglish, "Value out of Limits!\rLimits for Parameter: DP = .5 - 2"},
        {"T", -0.25, 1234.5, OffsetEnglish, "Value out of Limits!\rLimits for Parameter: T = -.25 - 1234.5"},
        {"X", 0.0001, 1e14, OffsetEnglish, "Value out of Limits!\rLimits for Parameter: X = .0001 - 100000000000000"},
        {"Z", 0, 1.0 / 3.0, OffsetEnglish, "Value out of Limits!\rLimits for Parameter: Z = 0 - .333333333333333"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(limitMessage(c.key, c.min, c.max, c.offset), c.expected) << c.key;
}

// A decimal separator in a field without decimals: its own first line, the
// field and its limits as in the limit warning.
TEST(LimitMessage, WholeNumbersInBothLanguages)
{
    EXPECT_EQ(wholeNumberMessage("TMP", -200, 650, OffsetGerman),
              "Nur ganze Zahlen erlaubt (ohne Dezimalstellen)!\rGrenzwerte f\xC3\xBCr Parameter:  TMP = -200 - 650");
    EXPECT_EQ(wholeNumberMessage("TMP", -200, 650, OffsetEnglish),
              "Whole numbers only (no decimals)!\rLimits for Parameter: TMP = -200 - 650");
}

}  // namespace
}  // namespace morvane
