// Typing into the value boxes of the configuration rows: the change and focus
// handling with the limit checks, on two fields (limits 10..100 and 0.5..2).
#include "common/ResourceTexts.h"
#include "configurator/TypeCode.h"
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

TEST(ValueEntry, TypingOnlyMarksAndTheCodeFollowsEveryKey)
{
    // No message while keys are typed: 5 lies below 10 and only turns the box
    // light red; the code is rebuilt at every key (incomplete while refused).
    Rig rig;
    rig.type(0, "5");
    EXPECT_TRUE(rig.messages.shown.empty());
    EXPECT_EQ(rig.boxes[0].text(), "5") << "the text is left as typed";
    EXPECT_EQ(rig.boxes[0].backColor(), EntryLightRed);
    EXPECT_EQ(rig.rebuilds, std::vector<std::string>{"5"});

    rig.type(0, "0");
    EXPECT_TRUE(rig.messages.shown.empty());
    EXPECT_EQ(rig.boxes[0].backColor(), EntryWhite);
    EXPECT_EQ(rig.rebuilds, (std::vector<std::string>{"5", "50"}));
    rig.entry.txtValueEntry_LostFocus(0);
    EXPECT_TRUE(rig.messages.shown.empty()) << "a value within its limits is left without a word";
}

TEST(ValueEntry, LeavingReportsARefusedValueOnce)
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
        EXPECT_TRUE(rig.messages.shown.empty());
        EXPECT_EQ(rig.boxes[0].backColor(), EntryLightRed);

        rig.entry.txtValueEntry_LostFocus(0);
        ASSERT_EQ(rig.messages.shown.size(), 1u);
        EXPECT_EQ(rig.messages.shown[0].text, c.message);
        EXPECT_EQ(rig.messages.shown[0].icon, MessageIcon::Exclamation);
        EXPECT_EQ(rig.messages.shown[0].buttons, MessageButtons::Ok);
        EXPECT_EQ(rig.messages.shown[0].caption, "") << "the program's title";
        EXPECT_EQ(rig.boxes[0].text(), "150") << "mode 1 leaves the text";
        EXPECT_EQ(rig.boxes[0].backColor(), EntryLightRed);
        EXPECT_EQ(rig.rebuilds, std::vector<std::string>{"150"}) << "leaving rebuilds nothing";

        // Left again with the same text (Enter, then Tab; or a command after
        // the click that left it): no second message.
        rig.entry.txtValueEntry_LostFocus(0);
        EXPECT_EQ(rig.messages.shown.size(), 1u);

        // A new text is reported anew.
        rig.type(0, "0");
        EXPECT_EQ(rig.messages.shown.size(), 1u);
        rig.entry.txtValueEntry_LostFocus(0);
        EXPECT_EQ(rig.messages.shown.size(), 2u);
    }
}

TEST(ValueEntry, TheFocusTakenByTheMessageIsNoLeaving)
{
    // A message on screen takes the focus from the box; that is not the user
    // leaving it, so one leaving gives one message.
    Rig rig;
    rig.messages.whileShown = [&] { rig.entry.txtValueEntry_LostFocus(0); };
    rig.preset(0, "150");
    rig.entry.txtValueEntry_LostFocus(0);
    EXPECT_EQ(rig.messages.shown.size(), 1u);
}

TEST(ValueEntry, AMendedKeystrokeIsHandledOnce)
{
    // The filter's rewrite runs the change handling again on the mended text;
    // the outer handling does not rebuild the code a second time.
    struct Case {
        const char* keys;
        const char* text;
        std::vector<std::string> rebuilds;
        const char* shows;
    };
    const Case cases[] = {
        {"-", "", {""}, "a minus the field does not take: empty"},
        {"5,", "5.", {"5", "5."}, "a comma rewritten"},
        {"5x", "5", {"5", "5"}, "a letter removed"},
    };
    for (const auto& c : cases) {
        Rig rig;
        rig.type(0, c.keys);
        EXPECT_TRUE(rig.messages.shown.empty()) << c.shows;
        EXPECT_EQ(rig.boxes[0].text(), c.text) << c.shows;
        EXPECT_EQ(rig.rebuilds, c.rebuilds) << c.shows;
    }
}

// The configurator's value boxes as they were found wanting on the shipped
// models, typed key by key and pasted: nothing is reported while typing, a
// refused value is marked at once (light red, the code incomplete) and reported
// once on leaving; a decimal separator in a field without decimals stays and is
// refused, never read as a tenfold whole number.
TEST(ValueEntry, TypingAndLeavingTable)
{
    struct Field {
        const char* key;
        double min;
        double max;
        std::int16_t decs;
        std::int16_t neg;
    };
    const Field tmp{"TMP", -200, 650, 0, 1};     // RQ25 design temperature, whole degrees
    const Field dnv{"DNV", 1000, 15000, 0, 0};   // RQ50 pipe diameter (mm)
    const Field lenm{"LENM", 0.1, 6, 3, 0};      // RQ25 length (m)
    const Field pos{"POS", 1, 9999, 0, 0};       // RQ10 position
    const Field lencm{"LENCM", 10, 1500, 1, 0};  // RQ32 length (cm)
    enum Message { None, Limits, Whole };
    struct Case {
        Field field;
        const char* keys;
        const char* text;    // in the box after typing
        bool refusedOnTheWay;  // some key on the way left the value refused
        bool refused;        // refused after the last key
        Message onLeaving;
        const char* shows;
    };
    const Case cases[] = {
        {tmp, "25.5", "25.5", true, true, Whole, "a point in a whole-number field stays"},
        {tmp, "25,5", "25.5", true, true, Whole, "a comma in a whole-number field stays, as a point"},
        {tmp, "-25.5", "-25.5", true, true, Whole, "negative, not whole"},
        {tmp, "2505.5", "2505.5", true, true, Whole, "not whole and beyond the limit: the whole-numbers message"},
        {tmp, "25", "25", false, false, None, "whole degrees"},
        {dnv, "1200", "1200", true, false, None, "a valid value through prefixes below the lower limit"},
        {dnv, "120", "120", true, true, Limits, "a value left below the lower limit"},
        {lenm, "0,35", "0.35", true, false, None, "0 lies below .1, 0.35 within"},
        {lenm, "150", "150", true, true, Limits, "above the upper limit"},
        {lenm, "1.23456", "1.234", false, false, None, "surplus decimals are cut, never scaled"},
        {pos, "99997", "99997", true, true, Limits, "the fifth digit leaves the limits at once"},
        {lencm, "125,5", "125.5", true, false, None, "one decimal"},
        {lencm, "125,55", "125.5", true, false, None, "a second decimal is cut"},
    };
    for (const auto& c : cases) {
        for (const bool paste : {false, true}) {
            SCOPED_TRACE(std::string(c.shows) + (paste ? " (pasted)" : " (typed)"));
            ConfigZustand config;
            config.gGrenzwertPruefung = 1;
            config.gGrenzwertModus = 1;
            ConfigField& f = config.gConfFelder[0];
            f.FieldName = c.field.key;
            f.ValueMin = c.field.min;
            f.ValueMax = c.field.max;
            f.ValueDecs = c.field.decs;
            f.ValueNeg = c.field.neg;
            const std::int32_t offset = OffsetEnglish;
            WatchingMessageBox messages;
            PlainEntryBox box;
            std::vector<std::pair<std::string, bool>> rebuilds;  // the text, and whether the code is complete
            ValueEntry entry({config, offset, messages, [&](int) { return &box; }, [&](int) {
                                  rebuilds.emplace_back(box.text(), !entryFault(f, box.text(), entryRules(config)).any());
                              }});
            box.onChange = [&] { entry.txtValueEntry_Change(0); };
            if (paste) {
                box.type(c.keys);
            } else {
                bool refusedOnTheWay = false;
                for (const char* k = c.keys; *k != '\0'; ++k) {
                    box.type(std::string(1, *k));
                    refusedOnTheWay = refusedOnTheWay || box.backColor() == EntryLightRed;
                    // The colour and the code agree at every key.
                    ASSERT_FALSE(rebuilds.empty());
                    EXPECT_EQ(rebuilds.back().second, box.backColor() == EntryWhite) << box.text();
                }
                EXPECT_EQ(refusedOnTheWay, c.refusedOnTheWay);
            }
            EXPECT_TRUE(messages.shown.empty()) << "no message while typing";
            EXPECT_EQ(box.text(), c.text);
            EXPECT_EQ(box.backColor(), c.refused ? EntryLightRed : EntryWhite);
            ASSERT_FALSE(rebuilds.empty());
            EXPECT_EQ(rebuilds.back(), std::make_pair(std::string(c.text), !c.refused)) << "the code follows the box";
            // Never the digits run together: 25.5 read as 255.
            std::string dropped = c.keys;
            std::erase_if(dropped, [](char k) { return k == '.' || k == ','; });
            for (const auto& rebuilt : rebuilds)
                EXPECT_TRUE(dropped == c.keys || rebuilt.first != dropped) << rebuilt.first;

            entry.txtValueEntry_LostFocus(0);
            entry.txtValueEntry_LostFocus(0);
            if (c.onLeaving == None) {
                EXPECT_TRUE(messages.shown.empty());
            } else {
                ASSERT_EQ(messages.shown.size(), 1u) << "once, however often the box is left";
                const std::string expected = c.onLeaving == Whole
                                                 ? wholeNumberMessage(c.field.key, c.field.min, c.field.max, offset)
                                                 : limitMessage(c.field.key, c.field.min, c.field.max, offset);
                EXPECT_EQ(messages.shown[0].text, expected);
            }
            EXPECT_EQ(box.text(), c.text) << "mode 1 never changes the text";
        }
    }
}

// Mode 2 (set to the limit) acts when the box is left, never while typing.
TEST(ValueEntry, ModeTwoPutsTheViolatedLimitInOnLeaving)
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
        const std::string typed = std::string(c.preset) + c.keys;
        EXPECT_TRUE(rig.messages.shown.empty()) << c.limit;
        EXPECT_EQ(box.text(), typed) << "the text stays while typing";
        EXPECT_EQ(box.backColor(), EntryLightRed) << c.limit;

        rig.entry.txtValueEntry_LostFocus(static_cast<std::int16_t>(c.row));
        EXPECT_EQ(rig.messages.shown.size(), 1u) << c.limit;
        EXPECT_EQ(box.text(), c.limit);
        EXPECT_EQ(box.selStart(), 0) << c.limit;
        EXPECT_EQ(box.selLength(), static_cast<int>(std::string(c.limit).size())) << "all selected";
        EXPECT_EQ(box.backColor(), EntryLightRed) << c.limit;
        EXPECT_EQ(box.focusRequests, 1) << c.limit;
        EXPECT_EQ(rig.rebuilds, (std::vector<std::string>{typed, c.limit})) << "the code is built with the limit";

        // The limit is a value the field takes: leaving again is silent and
        // whitens the box.
        rig.entry.txtValueEntry_LostFocus(static_cast<std::int16_t>(c.row));
        EXPECT_EQ(rig.messages.shown.size(), 1u) << c.limit;
        EXPECT_EQ(box.backColor(), EntryWhite) << c.limit;
    }
}

TEST(ValueEntry, ModeTwoWithALimitFinerThanTheDecimalsEnds)
{
    // Data whose limit has more decimals than the field takes: the limit is cut
    // by the filter, still violates, and is reported once per leaving.
    Rig rig;
    rig.config.gGrenzwertModus = 2;
    rig.config.gConfFelder[1].ValueMin = 0.125;
    rig.type(1, "0");
    rig.entry.txtValueEntry_LostFocus(1);
    EXPECT_EQ(rig.messages.shown.size(), 1u);
    EXPECT_EQ(rig.boxes[1].text(), "0.12");
    EXPECT_EQ(rig.boxes[1].backColor(), EntryLightRed);
}

// A separator in a whole-number field is not a limit: mode 2 reports it and
// leaves the text, unless the value is outside the limits too.
TEST(ValueEntry, ModeTwoLeavesANotWholeValueWithinItsLimits)
{
    Rig rig;
    rig.config.gGrenzwertModus = 2;
    rig.config.gConfFelder[0].ValueDecs = 0;
    rig.type(0, "25.5");
    rig.entry.txtValueEntry_LostFocus(0);
    ASSERT_EQ(rig.messages.shown.size(), 1u);
    EXPECT_EQ(rig.messages.shown[0].text, wholeNumberMessage("LEN", 10, 100, OffsetEnglish));
    EXPECT_EQ(rig.boxes[0].text(), "25.5");

    Rig beyond;
    beyond.config.gGrenzwertModus = 2;
    beyond.config.gConfFelder[0].ValueDecs = 0;
    beyond.type(0, "250.5");
    beyond.entry.txtValueEntry_LostFocus(0);
    EXPECT_EQ(beyond.boxes[0].text(), "100");
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
