// Typing a number into a configuration row's value box: the character filter
// that keeps the text a well-formed decimal number within the field's rules for
// sign and decimals, and the check of the typed value against the field's
// limits with its warning and the box colour.
#pragma once

#include "engine/ConfigZustand.h"
#include "platform/MessageBox.h"

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace morvane {

// Background colours of a value box, in the blue-green-red number form of the
// window system.
inline constexpr std::uint32_t EntryWhite = 0xFFFFFF;
inline constexpr std::uint32_t EntryLightRed = 0x8080FF;  // red 255, green 128, blue 128

// A value box as the filter and the limit check see it. Positions count
// characters (not bytes): the caret is the number of characters in front of it.
class EntryBox {
public:
    virtual ~EntryBox() = default;
    virtual std::string text() const = 0;  // UTF-8
    // A write that changes the text is a change of the box: its change handling
    // runs at once, nested in the caller. A write of the same text raises nothing.
    virtual void setText(const std::string& text) = 0;
    virtual int selStart() const = 0;
    virtual void setSelStart(int caret) = 0;  // also clears the selection
    virtual int selLength() const = 0;
    virtual void setSelLength(int length) = 0;
    virtual std::uint32_t backColor() const = 0;
    virtual void setBackColor(std::uint32_t color) = 0;
    virtual void setFocus() = 0;
};

// A value box held in memory, typed into as a user types: what the test driver
// and the tests type into. onChange runs on every change of the text.
class PlainEntryBox : public EntryBox {
public:
    std::string text() const override { return text_; }
    void setText(const std::string& text) override;  // the caret goes to the end, as in the window
    int selStart() const override { return caret_; }
    void setSelStart(int caret) override;
    int selLength() const override { return selLength_; }
    void setSelLength(int length) override;
    std::uint32_t backColor() const override { return color_; }
    void setBackColor(std::uint32_t color) override { color_ = color; }
    void setFocus() override { ++focusRequests; }

    // One key (one character) or a paste: replaces the selection, puts the caret
    // behind the inserted text and raises the change.
    void type(std::string_view utf8);

    std::function<void()> onChange;
    int focusRequests = 0;

private:
    int length() const;
    std::string text_;
    int caret_ = 0;
    int selLength_ = 0;
    std::uint32_t color_ = EntryWhite;
};

// Decimals and sign rule applied to every field while the checking of the
// fields' own rules is off.
inline constexpr std::int16_t UncheckedDecimals = 10;

struct FilteredText {
    std::string text;
    int caret = 0;         // where the caret goes (only set on a text that is not empty)
    bool removed = false;  // a character was removed or the decimals were cut
};

// The filter over a text and its caret, run until the text no longer changes
// (the passes the box's nested change handling would make): digits; with
// decimals > 0 one decimal separator (a comma becomes a point) followed by at
// most `decimals` decimals; with allowNeg = 1 a minus in front; a "0" before a
// leading point. A negative decimals setting counts as 0.
FilteredText filterNumberText(std::string_view text, int caret, int decimals, int allowNeg);

// fncgAddLeftOfDec: a "0" in front of a leading point (".5" -> "0.5",
// "-.5" -> "-0.5"), any other text unchanged.
std::string fncgAddLeftOfDec(const std::string& vrlOrig);

// fncgNumericInputHandle: filters the box's text in place and puts the caret
// back; true when a character was removed or the decimals were cut.
bool fncgNumericInputHandle(EntryBox& vrlObject, std::int16_t vrlDecs, std::int16_t vrlAllowNeg);

// The warning for a value outside [valueMin, valueMax]: text 1829, a carriage
// return, text 1830, a blank, the field key, " = ", the limits as plain numbers.
std::string limitMessage(const std::string& fieldName, double valueMin, double valueMax, std::int32_t sprachOffset);

// How a limit check reacts to a value outside its limits.
struct LimitReaction {
    std::int16_t modus = 1;  // gGrenzwertModus: 1 warn, 2 warn and set the limit, else nothing
    bool force = false;      // set the limit whatever the mode
    std::int32_t sprachOffset = 0;
    // The check runs inside the reaction to a report that is still going on (the
    // message on screen, the limit being written in): a violation is only marked,
    // with no second message and no second write.
    bool quiet = false;
};

// The limit check of one box against one field's limits: true when a limit is
// violated and the violation was reported (message, light red box; with mode 2
// or force the violated limit is written in and selected).
bool checkEntryLimits(EntryBox& box, double valueMin, double valueMax, const std::string& fieldName,
                      const LimitReaction& reaction, MessageBoxSink& messages);

// What the value boxes' handlers work with besides the configurator's state.
struct ValueEntryContext {
    ConfigZustand& config;
    const std::int32_t& sprachOffset;  // gSprachOffset, read at every check
    MessageBoxSink& messages;
    std::function<EntryBox*(int index)> box;            // txtValueEntry(index); nullptr: no such box
    std::function<void(int index)> cmbConfField_Click;  // rebuilds the type code from the rows
};

// The change and focus handling of the value boxes txtValueEntry(i) of the
// configuration rows.
class ValueEntry {
public:
    explicit ValueEntry(ValueEntryContext context) : ctx_(std::move(context)) {}

    // Every change of box Index's text: filter, limit check, and, when the value
    // passes, the rebuild of the type code. Ignored while gConfEventsAus is True.
    // When the filter has rewritten the text, the change handling that the write
    // itself raised has already checked the final text and rebuilt the code, and
    // this one ends there: one keystroke is checked, and reported, once.
    void txtValueEntry_Change(std::int16_t Index);
    // Box Index has lost the focus to another control of the program: the limit
    // check again (also while muted). A focus change while the check's own
    // message is on screen is not a leaving of the box.
    void txtValueEntry_LostFocus(std::int16_t Index);

    // Whitens the box and runs the filter with the field's rules (gGrenzwertPruefung
    // = 1) or with 10 decimals and a minus for every field. Always true.
    bool fncgInputHandleAndCheck(EntryBox& vrlObject, std::int16_t vrlLimitIndex);
    // The limit check of field vrlLimitIndex (-1: no limits) with
    // gGrenzwertModus; true when a violation was reported.
    bool fncgCheckLimits(std::int16_t vrlLimitIndex, EntryBox& vrlObject, bool vrlForceLimits = false);

private:
    const ConfigField& field(std::int16_t index) const;

    ValueEntryContext ctx_;
    unsigned changeSerial_ = 0;  // counts the change handlings begun
    bool reporting_ = false;     // a limit check's report is going on (its message on screen)
};

}  // namespace morvane
