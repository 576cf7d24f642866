// The number filter of a configuration value box, typed key by key or pasted
// into a box whose change handling runs the filter again on its own writes.
#include "configurator/ValueEntry.h"
#include "engine/CalculationState.h"
#include "support/Fakes.h"

#include <gtest/gtest.h>

#include <string>

namespace morvane {
namespace {

struct TypingCase {
    const char* start;     // text in the box before typing
    int startCaret;        // caret in the box before typing
    const char* typed;     // typed key by key, or pasted at once
    bool paste;
    int decimals;          // ValueDecs
    int allowNeg;          // ValueNeg
    const char* expected;
    int expectedCaret;
    const char* shows;
    std::int16_t checking = 1;  // gGrenzwertPruefung: 1 the field's own rules
};

constexpr bool Key = false;
constexpr bool Paste = true;

const TypingCase kTyping[] = {
    {"", 0, "1.234", Key, 2, 1, "1.23", 4, "the third decimal typed at the end is dropped"},
    {"1.23", 3, "9", Key, 2, 1, "1.23", 3, "a digit typed among full decimals is dropped, caret stays"},
    {"", 0, "1,5", Key, 2, 1, "1.5", 3, "a decimal comma becomes a point"},
    {"", 0, "1,5", Paste, 2, 1, "1.5", 3, "a pasted decimal comma becomes a point"},
    {"", 0, ".", Key, 2, 1, "0.", 2, "a lone point gets a zero, caret behind the point"},
    {"", 0, ".5", Key, 2, 1, "0.5", 3, "leading point typed"},
    {"", 0, ".5", Paste, 2, 1, "0.5", 3, "leading point pasted"},
    {"", 0, "-.5", Key, 2, 1, "-0.5", 4, "minus and leading point"},
    {"", 0, "-", Key, 2, 1, "-", 1, "a lone minus stays where allowed"},
    {"", 0, "-", Key, 2, 0, "", 0, "a minus is removed where not allowed"},
    {"", 0, "12-", Key, 2, 1, "12", 2, "a minus behind digits is removed"},
    {"12", 1, "-", Key, 2, 1, "12", 1, "a minus between digits is removed, caret back"},
    {"", 0, "--", Key, 2, 1, "-", 1, "a second minus is removed"},
    {"", 0, "1.2.3", Paste, 2, 1, "1.2", 3, "a second point takes a decimal place"},
    {"", 0, "1.2.3", Key, 2, 1, "1.23", 4, "a second point typed is dropped at once"},
    {"12", 1, "a", Key, 2, 1, "12", 1, "a letter between digits is removed"},
    {"12", 1, "\xC3\xA4", Key, 2, 1, "12", 1, "a non-ASCII letter counts as one character"},
    {"", 0, "a", Key, 2, 1, "", 0, "a box with only a letter becomes empty"},
    // A field without decimals keeps the separator and what follows it (the
    // entry check refuses the text); dropping it would multiply the value.
    {"", 0, "1.5", Key, 0, 1, "1.5", 3, "a separator stays with whole numbers"},
    {"", 0, "25,5", Key, 0, 1, "25.5", 4, "a comma stays with whole numbers, as a point"},
    {"", 0, "25.5", Paste, 0, 1, "25.5", 4, "a pasted separator stays with whole numbers"},
    {"", 0, "1.2.3", Key, 0, 1, "1.23", 4, "a second separator is dropped with whole numbers too"},
    {"", 0, "1,2,3", Key, 3, 1, "1.23", 4, "a second comma takes a decimal place"},
    {"", 0, "1,2,3", Paste, 3, 1, "1.23", 4, "the same pasted"},
    // A paste with too many decimals keeps the first ones.
    {"", 0, "1.2345", Paste, 2, 1, "1.23", 4, "paste of four decimals into two"},
    {"", 0, "1.234", Paste, 2, 1, "1.23", 4, "paste of one decimal too many"},
    {"1234", 1, ",", Key, 2, 1, "1.23", 1, "a comma typed into digits keeps the first decimals"},
    // A leading comma behaves as a leading point.
    {"", 0, ",", Key, 2, 1, "0.", 2, "a leading comma gets a zero, caret behind the point"},
    {"", 0, ",5", Key, 2, 1, "0.5", 3, "a leading comma then a digit"},
    {"", 0, "-,5", Key, 2, 1, "-0.5", 4, "minus, comma, digit"},
    // A negative decimals setting counts as 0.
    {"", 0, "1.5", Key, -1, 1, "1.5", 3, "negative decimals take whole numbers"},
    {"", 0, "1.5", Paste, -3, 1, "1.5", 3, "negative decimals, pasted"},
    // With the checking of the fields' rules off, every field takes ten decimals
    // and a minus.
    {"", 0, "-1.234567890123", Key, 0, 0, "-1.2345678901", 13, "unchecked: ten decimals and a minus", 0},
    {"", 0, "1,5", Key, 2, 0, "1.5", 3, "unchecked: a comma still becomes a point", 0},
    {"", 0, "--1a", Key, 2, 0, "-1", 2, "unchecked: letters and a second minus still go", 0},
};

// Typed into the value box of a field with wide limits, through the box's
// change handling (no limit reaction, so only the filter acts).
TEST(NumberFilter, TypingTable)
{
    for (const auto& c : kTyping) {
        ConfigZustand config;
        config.gGrenzwertPruefung = c.checking;
        config.gGrenzwertModus = 0;
        ConfigField& f = config.gConfFelder[0];
        f.ValueDecs = static_cast<std::int16_t>(c.decimals);
        f.ValueNeg = static_cast<std::int16_t>(c.allowNeg);
        f.ValueMin = -1e9;
        f.ValueMax = 1e9;
        const std::int32_t offset = 0;
        testing::RecordingMessageBox messages;
        PlainEntryBox box;
        ValueEntry entry({config, offset, messages, [&](int) { return &box; }, [](int) {}});
        config.gConfEventsAus = True;
        box.setText(c.start);
        config.gConfEventsAus = False;
        box.setSelStart(c.startCaret);
        box.onChange = [&] { entry.txtValueEntry_Change(0); };
        if (c.paste) {
            box.type(c.typed);
        } else {
            const std::string typed = c.typed;
            for (std::size_t i = 0; i < typed.size();) {
                std::size_t n = 1;
                while (i + n < typed.size() && (static_cast<unsigned char>(typed[i + n]) & 0xC0u) == 0x80u)
                    ++n;
                box.type(typed.substr(i, n));
                i += n;
            }
        }
        EXPECT_EQ(box.text(), c.expected) << c.shows;
        EXPECT_EQ(box.selStart(), c.expectedCaret) << c.shows;
    }
}

TEST(NumberFilter, ReportsWhetherSomethingWasRemoved)
{
    struct Case {
        const char* text;
        int caret;
        int decimals;
        int allowNeg;
        bool removed;
        const char* shows;
    };
    const Case cases[] = {
        {"1,5", 3, 2, 1, false, "a comma rewritten is not a removal"},
        {".5", 2, 2, 1, false, "a zero put in front is not a removal"},
        {"1.234", 5, 2, 1, true, "the decimals cut"},
        {"1x", 2, 2, 1, true, "a letter"},
        {"1-", 2, 2, 1, true, "a minus behind digits"},
        {"", 0, 2, 1, false, "an empty text"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(filterNumberText(c.text, c.caret, c.decimals, c.allowNeg).removed, c.removed) << c.shows;
}

TEST(NumberFilter, LongTextsAreFilteredWithoutLengthLimit)
{
    // Far beyond 32767 characters: no counter overflows, nothing is emptied.
    const std::string digits(40000, '7');
    const FilteredText kept = filterNumberText(digits, 40000, 2, 1);
    EXPECT_EQ(kept.text, digits);
    EXPECT_EQ(kept.caret, 40000);
    EXPECT_FALSE(kept.removed);

    const FilteredText cut = filterNumberText(digits + "x.123", 40005, 2, 1);
    EXPECT_EQ(cut.text, digits + ".12");
    EXPECT_TRUE(cut.removed);
}

TEST(NumberFilter, ZeroInFrontOfALeadingPoint)
{
    const std::pair<const char*, const char*> cases[] = {
        {".5", "0.5"}, {"-.5", "-0.5"}, {".", "0."}, {"-.", "-0."}, {"5", "5"}, {"", ""}, {"-", "-"}, {"0.5", "0.5"},
    };
    for (const auto& [in, out] : cases)
        EXPECT_EQ(fncgAddLeftOfDec(in), out) << in;
}

}  // namespace
}  // namespace morvane
