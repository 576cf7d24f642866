// Typing a number into a configuration row's value box: the character filter
// that keeps the text a well-formed decimal number within the field's rules for
// sign and decimals, and the check of the typed value against the field's
// limits with its warning and the box colour.
#pragma once

#include "configurator/TypeCode.h"
#include "engine/ConfigZustand.h"
#include "platform/MessageBox.h"

#include <array>
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
// (the passes the box's nested change handling would make): digits; one decimal
// separator (a comma becomes a point) followed by at most `decimals` decimals;
// with allowNeg = 1 a minus in front; a "0" before a leading point. With
// decimals 0 (a negative setting counts as 0) the separator and every digit
// after it stay: dropping the separator would multiply the value tenfold and
// more, so the entry check refuses the text instead (entryFault).
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

// The warning for a decimal separator in a field that takes whole numbers: text
// 1980, then the second line of the limit warning.
std::string wholeNumberMessage(const std::string& fieldName, double valueMin, double valueMax,
                               std::int32_t sprachOffset);

// How the entry check reacts to a value its field does not take.
struct LimitReaction {
    EntryRules rules;       // the checks in force (entryRules)
    bool setLimit = false;  // gGrenzwertModus 2, or forced: the violated limit is written in
    std::int32_t sprachOffset = 0;
    // false: only mark the box (while the user types, and inside a report that
    // is still going on); true: the message, and with setLimit the violated
    // limit written in and selected.
    bool report = true;
};

// The entry check of one box against its field: true when the value is refused
// (outside the limits, or not whole where the field takes whole numbers); the
// box turns light red, or white for a value the field takes.
bool checkEntry(EntryBox& box, const ConfigField& field, const LimitReaction& reaction, MessageBoxSink& messages);

// What the value boxes' handlers work with besides the configurator's state.
struct ValueEntryContext {
    ConfigZustand& config;
    const std::int32_t& sprachOffset;  // gSprachOffset, read at every check
    MessageBoxSink& messages;
    std::function<EntryBox*(int index)> box;            // txtValueEntry(index); nullptr: no such box
    std::function<void(int index)> cmbConfField_Click;  // rebuilds the type code from the rows
};

// The change and focus handling of the value boxes txtValueEntry(i) of the
// configuration rows. While the user types, a value its field does not take is
// only marked: the box turns light red and the code, rebuilt at every change,
// incomplete; no message interrupts the typing and the text is left as typed.
// The message comes when the user leaves the box with the value still refused,
// once for that text.
class ValueEntry {
public:
    explicit ValueEntry(ValueEntryContext context) : ctx_(std::move(context)) {}

    // Every change of box Index's text: the filter, the entry check that only
    // marks, and the rebuild of the type code. Ignored while gConfEventsAus is
    // True. When the filter has rewritten the text, the change handling that the
    // write itself raised has already checked the final text and rebuilt the
    // code, and this one ends there.
    void txtValueEntry_Change(std::int16_t Index);
    // Box Index is left: the focus went to another control of the program, the
    // user pressed Enter in it, or a command that acts on the configuration
    // (Calc!, Save, the copy button) leaves it first. The entry check with its
    // message (also while muted); a text already reported on an earlier leaving
    // is not reported again until it changes. A focus change while the check's
    // own message is on screen is not a leaving of the box.
    void txtValueEntry_LostFocus(std::int16_t Index);

    // Whitens the box and runs the filter with the field's rules (gGrenzwertPruefung
    // = 1) or with 10 decimals and a minus for every field. Always true.
    bool fncgInputHandleAndCheck(EntryBox& vrlObject, std::int16_t vrlLimitIndex);
    // The entry check of field vrlLimitIndex (-1: none) with gGrenzwertModus;
    // true when the value is refused. Without vrlReport the box is only marked.
    bool fncgCheckLimits(std::int16_t vrlLimitIndex, EntryBox& vrlObject, bool vrlForceLimits = false,
                         bool vrlReport = true);

private:
    const ConfigField& field(std::int16_t index) const;

    ValueEntryContext ctx_;
    unsigned changeSerial_ = 0;  // counts the change handlings begun
    bool reporting_ = false;     // a check's report is going on (its message on screen)
    // Box i's text was reported when it was left and has not changed since.
    std::array<bool, MaxConfigRows> reported_{};
};

}  // namespace morvane
