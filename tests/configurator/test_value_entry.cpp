// Typing into the value boxes of the configuration rows: the change and focus
// handling with the limit checks, on two fields (limits 10..100 and 0.5..2).
#include "common/ResourceTexts.h"
#include "configurator/ValueEntry.h"
#include "engine/CalculationState.h"
#include "support/Fakes.h"

#include <gtest/gtest.h>

#include <array>
#include <clocale>
#include <string>
#include <vector>

namespace morvane {
namespace {

const char* const kEnglish150 = "Value out of Limits!\rLimits for Parameter: LEN = 10 - 100";

// Remembers every message with the box colour at the moment it is shown; a
// hook may act while the message is on screen (a real one takes the focus).
class WatchingMessageBox : public MessageBoxSink {
public:
    MessageAnswer show(const MessageRequest& request) override
    {
        shown.push_back(request);
        colourAtShow.push_back(colour ? colour() : 0);
        if (whileShown)
            whileShown();
        return MessageAnswer::Ok;
    }
    std::vector<MessageRequest> shown;
    std::vector<std::uint32_t> colourAtShow;
    std::function<std::uint32_t()> colour;
    std::function<void()> whileShown;
};

struct Rig {
    ConfigZustand config;
    std::int32_t offset = OffsetEnglish;
    WatchingMessageBox messages;
    std::array<PlainEntryBox, 2> boxes;
    std::vector<std::string> rebuilds;  // the box's text at each rebuild of the code
    ValueEntry entry{{config, offset, messages, [this](int i) -> EntryBox* { return i >= 0 && i < 2 ? &boxes[i] : nullptr; },
                      [this](int i) { rebuilds.push_back(boxes[static_cast<std::size_t>(i)].text()); }}};

    Rig()
    {
        config.gGrenzwertPruefung = 1;
        config.gGrenzwertModus = 1;
        ConfigField& len = config.gConfFelder[0];
        len.FieldName = "LEN";
        len.ValueMin = 10;
        len.ValueMax = 100;
        len.ValueDecs = 1;
        len.ValueNeg = 0;
        ConfigField& dp = config.gConfFelder[1];
        dp.FieldName = "DP";
        dp.ValueMin = 0.5;
        dp.ValueMax = 2;
        dp.ValueDecs = 2;
        dp.ValueNeg = 1;
        for (std::int16_t i = 0; i < 2; ++i)
            boxes[static_cast<std::size_t>(i)].onChange = [this, i] { entry.txtValueEntry_Change(i); };
        messages.colour = [this] { return boxes[0].backColor(); };
    }

    // The box as program code fills it, with the handlers muted.
    void preset(int row, const std::string& text)
    {
        config.gConfEventsAus = True;
        boxes[static_cast<std::size_t>(row)].setText(text);
        config.gConfEventsAus = False;
    }

    // Typed key by key at the end of the box.
    void type(int row, const std::string& keys)
    {
        PlainEntryBox& b = boxes[static_cast<std::size_t>(row)];
        b.setSelStart(static_cast<int>(b.text().size()));
        for (const char k : keys)
            b.type(std::string(1, k));
    }
};

TEST(ValueEntry, TextsWithoutANumberAreTooLow)
{
    for (const char* text : {"", "-", ".", "-."}) {
        Rig rig;
        rig.preset(0, text);
        EXPECT_TRUE(rig.entry.fncgCheckLimits(0, rig.boxes[0])) << '"' << text << '"';
        EXPECT_EQ(rig.messages.shown.size(), 1u) << text;
        EXPECT_EQ(rig.boxes[0].backColor(), EntryLightRed) << text;
    }
}

TEST(ValueEntry, LimitsAreInclusive)
{
    struct Case {
        int row;
        const char* text;
        bool violated;
    };
    const Case cases[] = {
        {0, "10", false}, {0, "100", false}, {0, "9.9", true}, {0, "100.1", true},
        {1, "0.5", false}, {1, "2", false}, {1, "0.49", true}, {1, "2.01", true}, {1, "-1", true},
    };
    for (const auto& c : cases) {
        Rig rig;
        rig.preset(c.row, c.text);
        rig.boxes[static_cast<std::size_t>(c.row)].setBackColor(EntryLightRed);
        EXPECT_EQ(rig.entry.fncgCheckLimits(static_cast<std::int16_t>(c.row), rig.boxes[static_cast<std::size_t>(c.row)]),
                  c.violated)
            << c.text;
        EXPECT_EQ(rig.boxes[static_cast<std::size_t>(c.row)].backColor(), c.violated ? EntryLightRed : EntryWhite)
            << c.text;
        EXPECT_EQ(rig.messages.shown.size(), c.violated ? 1u : 0u) << c.text;
    }
}

TEST(ValueEntry, EveryKeystrokeIsCheckedOnce)
{
    Rig rig;
    rig.type(0, "5");
    ASSERT_EQ(rig.messages.shown.size(), 1u) << "5 is below 10";
    EXPECT_EQ(rig.messages.shown[0].text, kEnglish150);
    EXPECT_EQ(rig.messages.shown[0].icon, MessageIcon::Exclamation);
    EXPECT_EQ(rig.messages.shown[0].buttons, MessageButtons::Ok);
    EXPECT_EQ(rig.messages.shown[0].caption, "") << "the program's title";
    EXPECT_EQ(rig.boxes[0].backColor(), EntryLightRed);
    EXPECT_TRUE(rig.rebuilds.empty());

    rig.type(0, "0");
    EXPECT_EQ(rig.messages.shown.size(), 1u);
    EXPECT_EQ(rig.boxes[0].backColor(), EntryWhite);
    EXPECT_EQ(rig.rebuilds, std::vector<std::string>{"50"});

    Rig bounds;
    bounds.type(0, "100");
    EXPECT_EQ(bounds.messages.shown.size(), 1u) << "only the 1";
    EXPECT_EQ(bounds.rebuilds, (std::vector<std::string>{"10", "100"}));
}

TEST(ValueEntry, AboveTheLimitWarnsMarksAndKeepsTheCode)
{
    struct Case {
        std::int32_t offset;
        const char* message;
    };
    const Case cases[] = {
        {OffsetGerman, "Wert ist au\xC3\x9F"
                       "erhalb Grenzwerte!\rGrenzwerte f\xC3\xBCr Parameter:  LEN = 10 - 100"},
        {OffsetEnglish, kEnglish150},
    };
    for (const auto& c : cases) {
        Rig rig;
        rig.offset = c.offset;
        rig.preset(0, "15");
        rig.type(0, "0");
        ASSERT_EQ(rig.messages.shown.size(), 1u);
        EXPECT_EQ(rig.messages.shown[0].text, c.message);
        EXPECT_EQ(rig.boxes[0].text(), "150") << "mode 1 leaves the text";
        EXPECT_EQ(rig.boxes[0].backColor(), EntryLightRed);
        EXPECT_TRUE(rig.rebuilds.empty()) << "the code stays as built from the last accepted text";

        // The next key whitens the box before its text is checked.
        rig.type(0, "0");
        ASSERT_EQ(rig.messages.shown.size(), 2u);
        EXPECT_EQ(rig.messages.colourAtShow[1], EntryWhite);
        EXPECT_EQ(rig.boxes[0].backColor(), EntryLightRed);
    }
}

TEST(ValueEntry, LeavingTheBoxChecksOnceMore)
{
    Rig rig;
    rig.preset(0, "15");
    rig.type(0, "0");
    ASSERT_EQ(rig.messages.shown.size(), 1u);
    rig.entry.txtValueEntry_LostFocus(0);
    EXPECT_EQ(rig.messages.shown.size(), 2u);
    EXPECT_EQ(rig.messages.shown[1].text, kEnglish150);
    EXPECT_TRUE(rig.rebuilds.empty()) << "leaving rebuilds nothing";

    Rig fine;
    fine.preset(0, "50");
    fine.entry.txtValueEntry_LostFocus(0);
    EXPECT_TRUE(fine.messages.shown.empty());
    EXPECT_EQ(fine.boxes[0].backColor(), EntryWhite);
}

TEST(ValueEntry, TheFocusTakenByTheMessageIsNoLeaving)
{
    // A message on screen takes the focus from the box; that is not the user
    // leaving it, so one violation gives one message.
    Rig rig;
    rig.messages.whileShown = [&] { rig.entry.txtValueEntry_LostFocus(0); };
    rig.preset(0, "15");
    rig.type(0, "0");
    EXPECT_EQ(rig.messages.shown.size(), 1u);
    rig.entry.txtValueEntry_LostFocus(0);
    EXPECT_EQ(rig.messages.shown.size(), 2u) << "a real leaving afterwards still checks";
}

TEST(ValueEntry, AMendedKeystrokeIsReportedOnce)
{
    // The filter's rewrite runs the change handling again on the mended text;
    // the outer handling does not check the same text a second time.
    struct Case {
        const char* keys;
        std::size_t messages;
        const char* text;
        const char* shows;
    };
    const Case cases[] = {
        {"-", 1, "", "a minus the field does not take: empty, too low once"},
        {"5,", 2, "5.", "a comma rewritten: one message per key"},
        {"5x", 2, "5", "a letter removed: one message per key"},
    };
    for (const auto& c : cases) {
        Rig rig;
        rig.type(0, c.keys);
        EXPECT_EQ(rig.messages.shown.size(), c.messages) << c.shows;
        EXPECT_EQ(rig.boxes[0].text(), c.text) << c.shows;
    }

    Rig mended;
    mended.preset(0, "5");
    mended.type(0, "0x");
    EXPECT_EQ(mended.boxes[0].text(), "50");
    EXPECT_EQ(mended.rebuilds, (std::vector<std::string>{"50", "50"})) << "one rebuild per key";
}

TEST(ValueEntry, ModeTwoPutsTheViolatedLimitIn)
{
    struct Case {
        int row;
        const char* preset;
        const char* keys;
        const char* limit;
    };
    const Case cases[] = {
        {0, "", "5", "10"},
        {0, "15", "0", "100"},
        {1, "", "3", "2"},
        {1, "0.", "1", "0.5"},
    };
    for (const auto& c : cases) {
        Rig rig;
        rig.config.gGrenzwertModus = 2;
        rig.preset(c.row, c.preset);
        rig.type(c.row, c.keys);
        const PlainEntryBox& box = rig.boxes[static_cast<std::size_t>(c.row)];
        EXPECT_EQ(rig.messages.shown.size(), 1u) << c.limit;
        EXPECT_EQ(box.text(), c.limit);
        EXPECT_EQ(box.selStart(), 0) << c.limit;
        EXPECT_EQ(box.selLength(), static_cast<int>(std::string(c.limit).size())) << "all selected";
        EXPECT_EQ(box.backColor(), EntryLightRed) << c.limit;
        EXPECT_EQ(box.focusRequests, 1) << c.limit;
        EXPECT_EQ(rig.rebuilds, std::vector<std::string>{c.limit}) << "the code is built with the limit";
    }
}

TEST(ValueEntry, ModeTwoWithALimitFinerThanTheDecimalsEnds)
{
    // Data whose limit has more decimals than the field takes: the limit is cut
    // by the filter, still violates, and is reported once.
    Rig rig;
    rig.config.gGrenzwertModus = 2;
    rig.config.gConfFelder[1].ValueMin = 0.125;
    rig.type(1, "0");
    EXPECT_EQ(rig.messages.shown.size(), 1u);
    EXPECT_EQ(rig.boxes[1].text(), "0.12");
    EXPECT_EQ(rig.boxes[1].backColor(), EntryLightRed);
    EXPECT_TRUE(rig.rebuilds.empty());
}

TEST(ValueEntry, OtherModesDoNotReact)
{
    for (const std::int16_t mode : {std::int16_t{0}, std::int16_t{3}, std::int16_t{-1}}) {
        Rig rig;
        rig.config.gGrenzwertModus = mode;
        rig.type(0, "5");
        EXPECT_TRUE(rig.messages.shown.empty()) << mode;
        EXPECT_EQ(rig.boxes[0].backColor(), EntryWhite) << mode;
        EXPECT_EQ(rig.rebuilds, std::vector<std::string>{"5"}) << "no reaction: the code is built: " << mode;
        EXPECT_FALSE(rig.entry.fncgCheckLimits(0, rig.boxes[0])) << mode;
    }
}

TEST(ValueEntry, MutedChangesAreIgnoredButLeavingStillChecks)
{
    Rig rig;
    rig.config.gConfEventsAus = True;
    rig.type(0, "15x");
    EXPECT_EQ(rig.boxes[0].text(), "15x") << "no filter";
    EXPECT_TRUE(rig.messages.shown.empty());
    EXPECT_TRUE(rig.rebuilds.empty());

    rig.boxes[0].setText("150");
    rig.entry.txtValueEntry_LostFocus(0);
    EXPECT_EQ(rig.messages.shown.size(), 1u);
    EXPECT_EQ(rig.boxes[0].backColor(), EntryLightRed);
}

TEST(ValueEntry, UncheckedModeTakesTenDecimalsAndAMinusEverywhere)
{
    Rig rig;
    rig.config.gGrenzwertPruefung = 0;
    rig.config.gGrenzwertModus = 0;
    rig.type(0, "-12.345678901234");
    EXPECT_EQ(rig.boxes[0].text(), "-12.3456789012") << "field 0 itself takes one decimal and no minus";

    Rig own;
    own.config.gGrenzwertModus = 0;
    own.type(0, "-12.34");
    EXPECT_EQ(own.boxes[0].text(), "12.3");
}

TEST(ValueEntry, TypedValuesAreReadWithAPointUnderAnyLocale)
{
    // The program runs under the user's locale; a German one reads numbers with
    // a decimal comma. The typed text's point must still be its decimal point.
    const std::string saved = std::setlocale(LC_NUMERIC, nullptr);
    const char* comma = nullptr;
    for (const char* name : {"de_DE.UTF-8", "de_DE.utf8"})
        if (!comma)
            comma = std::setlocale(LC_NUMERIC, name);
    if (!comma)
        GTEST_SKIP() << "no German locale installed";
    Rig rig;
    rig.preset(1, "0.7");
    const bool violated = rig.entry.fncgCheckLimits(1, rig.boxes[1]);
    std::setlocale(LC_NUMERIC, saved.c_str());
    EXPECT_FALSE(violated) << "0.7 lies within .5 - 2";
}

}  // namespace
}  // namespace morvane
