#include "configurator/ValueEntry.h"

#include "common/ResourceTexts.h"
#include "configurator/TypeCode.h"
#include "engine/CalculationState.h"
#include "platform/RuntimeError.h"
#include "tracing/Guard.h"

#include <algorithm>
#include <limits>

namespace morvane {

namespace {

constexpr std::string_view kModule = "modConfigSelect";

// The box's text as characters, so that positions agree with the caret. A byte
// that does not start a valid UTF-8 sequence stands for one character (the
// filter removes it anyway).
std::u32string decode(std::string_view s)
{
    std::u32string out;
    out.reserve(s.size());
    std::size_t i = 0;
    while (i < s.size()) {
        const auto b = static_cast<unsigned char>(s[i]);
        std::size_t extra = b >= 0xF0 && b < 0xF8 ? 3 : b >= 0xE0 && b < 0xF0 ? 2 : b >= 0xC0 && b < 0xE0 ? 1 : 0;
        char32_t c = extra == 3 ? b & 0x07u : extra == 2 ? b & 0x0Fu : extra == 1 ? b & 0x1Fu : b;
        if (i + extra >= s.size())
            extra = 0;
        for (std::size_t k = 1; k <= extra; ++k) {
            const auto n = static_cast<unsigned char>(s[i + k]);
            if ((n & 0xC0u) != 0x80u) {
                extra = 0;
                c = b;
                break;
            }
            c = (c << 6) | (n & 0x3Fu);
        }
        out += c;
        i += extra + 1;
    }
    return out;
}

std::string encode(const std::u32string& s)
{
    std::string out;
    for (const char32_t c : s) {
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else if (c < 0x800) {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            out += static_cast<char>(0xE0 | (c >> 12));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (c >> 18));
            out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return out;
}

// The filter's results hold only ASCII characters.
std::string ascii(const std::u32string& s)
{
    std::string out;
    out.reserve(s.size());
    for (const char32_t c : s)
        out += static_cast<char>(c);
    return out;
}

bool isDigit(char32_t c) { return c >= U'0' && c <= U'9'; }
bool isSeparator(char32_t c) { return c == U'.' || c == U','; }

// The cut when the decimals run over. `accepted` is the text accepted so far:
// its integer part, the point and the first `decimals` decimals. When exactly one
// decimal too many stands after the separator and the caret stands among the
// decimals, the character in front of the caret is the one typed last and is
// dropped; in every other case (a paste, several too many) the first decimals
// are kept.
std::u32string cutDecimals(int decimals, const std::u32string& accepted, const std::u32string& text, int caret)
{
    const std::size_t separator =
        static_cast<std::size_t>(std::find_if(text.begin(), text.end(), isSeparator) - text.begin());
    const std::size_t after = text.size() - separator - 1;
    const auto window = static_cast<std::size_t>(decimals) + 1;
    const auto c = static_cast<std::size_t>(caret);
    if (after == window && caret > 0 && c > text.size() - window && c <= text.size()) {
        std::u32string result = accepted.substr(0, accepted.find(U'.') + 1);
        for (std::size_t pos = text.size() - window + 1; pos <= text.size(); ++pos)
            if (pos != c)
                result += text[pos - 1];
        return result;
    }
    return accepted;
}

std::u32string addLeftOfDec(const std::u32string& s)
{
    if (!s.empty() && s[0] == U'.')
        return U"0" + s;
    if (s.size() >= 2 && s[0] == U'-' && s[1] == U'.')
        return U"-0" + s.substr(1);
    return s;
}

struct Pass {
    std::u32string text;
    int caret = 0;
    bool removed = false;
};

// One pass of the filter over the text and the caret.
Pass onePass(const std::u32string& text, int caret, int decimals, int allowNeg)
{
    auto allowed = [&](char32_t c) {
        return isDigit(c) || isSeparator(c) || (allowNeg == 1 && c == U'-');
    };
    std::u32string r;
    bool removed = false;
    bool point = false;
    int placesTaken = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char32_t c = text[i];
        if (!allowed(c)) {
            removed = true;
            continue;
        }
        if (point) {
            if (placesTaken >= decimals) {
                removed = true;
                r = cutDecimals(decimals, r, text, caret);
                break;
            }
            // A second separator or a minus after the point is dropped but still
            // takes a decimal place.
            ++placesTaken;
            if (isSeparator(c) || c == U'-')
                removed = true;
            else
                r += c;
        } else {
            if (isSeparator(c)) {
                point = true;
                placesTaken = 0;
            }
            if (c == U',')
                r += U'.';
            else if (c == U'-' && i != 0)
                removed = true;
            else
                r += c;
        }
    }
    if (removed && caret >= 1)
        --caret;
    const std::u32string withZero = addLeftOfDec(r);
    if (withZero.size() == r.size() + 1) {
        ++caret;
        r = withZero;
    }
    caret = std::clamp(caret, 0, static_cast<int>(r.size()));
    return {std::move(r), caret, removed};
}

}  // namespace

int PlainEntryBox::length() const { return static_cast<int>(decode(text_).size()); }

void PlainEntryBox::setText(const std::string& text)
{
    const bool changed = text != text_;
    text_ = text;
    caret_ = length();
    selLength_ = 0;
    if (changed && onChange)
        onChange();
}

void PlainEntryBox::setSelStart(int caret)
{
    caret_ = std::clamp(caret, 0, length());
    selLength_ = 0;
}

void PlainEntryBox::setSelLength(int length)
{
    selLength_ = std::clamp(length, 0, this->length() - caret_);
}

void PlainEntryBox::type(std::string_view utf8)
{
    std::u32string t = decode(text_);
    const std::u32string inserted = decode(utf8);
    t.replace(static_cast<std::size_t>(caret_), static_cast<std::size_t>(selLength_), inserted);
    text_ = encode(t);
    caret_ += static_cast<int>(inserted.size());
    selLength_ = 0;
    if (onChange)
        onChange();
}

FilteredText filterNumberText(std::string_view text, int caret, int decimals, int allowNeg)
{
    // A field without decimals keeps the separator and all that follows it.
    if (decimals <= 0)
        decimals = std::numeric_limits<int>::max();
    std::u32string current = decode(text);
    caret = std::clamp(caret, 0, static_cast<int>(current.size()));
    bool removed = false;
    // Each pass that changes the text shortens it or puts the one "0" in front,
    // so the passes end.
    for (;;) {
        Pass pass = onePass(current, caret, decimals, allowNeg);
        removed = removed || pass.removed;
        const bool changed = pass.text != current;
        current = std::move(pass.text);
        caret = pass.caret;
        if (!changed)
            break;
    }
    return {ascii(current), caret, removed};
}

std::string fncgAddLeftOfDec(const std::string& vrlOrig)
{
    traceEntry(kModule, "Public Function fncgAddLeftOfDec(vrlOrig As String) As String", {{"vrlOrig", vrlOrig}});
    if (!vrlOrig.empty() && vrlOrig[0] == '.')
        return "0" + vrlOrig;
    if (vrlOrig.size() >= 2 && vrlOrig[0] == '-' && vrlOrig[1] == '.')
        return "-0" + vrlOrig.substr(1);
    return vrlOrig;
}

bool fncgNumericInputHandle(EntryBox& vrlObject, std::int16_t vrlDecs, std::int16_t vrlAllowNeg)
{
    Guard g(kModule, "fncgNumericInputHandle",
            "Public Function fncgNumericInputHandle(vrlObject As Object, vrlDecs As Integer, vrlAllowNeg As "
            "Integer) As Boolean",
            {{"vrlObject", TraceValue::object("TextBox")}, {"vrlDecs", vrlDecs}, {"vrlAllowNeg", vrlAllowNeg}});
    FilteredText result;
    if (!g.step([&] { result = filterNumberText(vrlObject.text(), vrlObject.selStart(), vrlDecs, vrlAllowNeg); }))
        return false;
    // The write of a changed text runs the box's change handling once more on
    // the final text.
    if (!g.step([&] { vrlObject.setText(result.text); }))
        return result.removed;
    // An empty box keeps the caret where the box put it.
    if (!result.text.empty())
        g.step([&] { vrlObject.setSelStart(result.caret); });
    return result.removed;
}

namespace {

std::string limitsLine(const std::string& fieldName, double valueMin, double valueMax, std::int32_t sprachOffset)
{
    return resText(1830, sprachOffset) + " " + fieldName + " = " + plainNumber(valueMin) + " - " + plainNumber(valueMax);
}

}  // namespace

std::string limitMessage(const std::string& fieldName, double valueMin, double valueMax, std::int32_t sprachOffset)
{
    return resText(1829, sprachOffset) + "\r" + limitsLine(fieldName, valueMin, valueMax, sprachOffset);
}

std::string wholeNumberMessage(const std::string& fieldName, double valueMin, double valueMax,
                               std::int32_t sprachOffset)
{
    return resText(1980, sprachOffset) + "\r" + limitsLine(fieldName, valueMin, valueMax, sprachOffset);
}

bool checkEntry(EntryBox& box, const ConfigField& field, const LimitReaction& reaction, MessageBoxSink& messages)
{
    const EntryFault fault = entryFault(field, box.text(), reaction.rules);
    if (!fault.any()) {
        box.setBackColor(EntryWhite);
        return false;
    }
    if (reaction.report) {
        // A text that is not whole says so, with the limits; it names the field
        // as the limit warning does.
        messages.show({fault.notWhole
                           ? wholeNumberMessage(field.FieldName, field.ValueMin, field.ValueMax, reaction.sprachOffset)
                           : limitMessage(field.FieldName, field.ValueMin, field.ValueMax, reaction.sprachOffset),
                       {}, MessageIcon::Exclamation, MessageButtons::Ok});
        if (fault.outside && reaction.setLimit) {
            const std::string limit = fncgAddLeftOfDec(plainNumber(fault.violatedLimit));
            box.setText(limit);
            box.setFocus();
            box.setSelStart(0);
            box.setSelLength(static_cast<int>(decode(limit).size()));
        }
    }
    box.setBackColor(EntryLightRed);
    return true;
}

const ConfigField& ValueEntry::field(std::int16_t index) const
{
    if (index < 0 || index >= MaxConfigRows)
        raiseError(err::SubscriptOutOfRange);
    return ctx_.config.gConfFelder[static_cast<std::size_t>(index)];
}

void ValueEntry::txtValueEntry_Change(std::int16_t Index)
{
    Guard g("frmMain", "txtValueEntry_Change", "Private Sub txtValueEntry_Change(Index As Integer)",
            {{"Index", Index}});
    // A new text, also one program code writes, is reported anew when the box
    // is left.
    if (Index >= 0 && Index < MaxConfigRows)
        reported_[static_cast<std::size_t>(Index)] = false;
    if (isTrue(ctx_.config.gConfEventsAus))
        return;
    EntryBox* box = nullptr;
    if (!g.step([&] {
            box = ctx_.box ? ctx_.box(Index) : nullptr;
            return box != nullptr;
        }))
        return;
    const unsigned serial = ++changeSerial_;
    bool passed = false;
    if (!g.step([&] { passed = fncgInputHandleAndCheck(*box, Index); }))
        return;
    if (changeSerial_ != serial)
        return;
    // Only the mark while typing; a refused value leaves the code incomplete.
    if (passed && !g.step([&] { fncgCheckLimits(Index, *box, false, false); }))
        return;
    if (ctx_.cmbConfField_Click)
        g.step([&] { ctx_.cmbConfField_Click(Index); });
}

void ValueEntry::txtValueEntry_LostFocus(std::int16_t Index)
{
    Guard g("frmMain", "txtValueEntry_LostFocus", "Private Sub txtValueEntry_LostFocus(Index As Integer)",
            {{"Index", Index}});
    if (reporting_)
        return;
    g.step([&] {
        EntryBox* box = ctx_.box ? ctx_.box(Index) : nullptr;
        if (box == nullptr)
            return;
        field(Index);  // a box beyond the field table is a subscript error
        if (reported_[static_cast<std::size_t>(Index)])
            return;
        const std::string before = box->text();
        const bool refused = fncgCheckLimits(Index, *box, false, true);
        // A text set to its limit (mode 2) is a new text.
        reported_[static_cast<std::size_t>(Index)] = refused && box->text() == before;
    });
}

bool ValueEntry::fncgInputHandleAndCheck(EntryBox& vrlObject, std::int16_t vrlLimitIndex)
{
    Guard g(kModule, "fncgInputHandleAndCheck",
            "Public Function fncgInputHandleAndCheck(vrlObject As Object, vrlLimitIndex As Integer) As Boolean",
            {{"vrlObject", TraceValue::object("TextBox")}, {"vrlLimitIndex", vrlLimitIndex}});
    if (!g.step([&] { vrlObject.setBackColor(EntryWhite); }))
        return true;
    std::int16_t rules = -1;
    g.step([&] { rules = ctx_.config.gGrenzwertPruefung == 1 ? vrlLimitIndex : -1; });
    std::int16_t decs = UncheckedDecimals;
    std::int16_t neg = 1;
    if (rules != -1 && !g.step([&] {
            decs = field(rules).ValueDecs;
            neg = field(rules).ValueNeg;
        }))
        return true;
    g.step([&] { fncgNumericInputHandle(vrlObject, decs, neg); });
    return true;
}

bool ValueEntry::fncgCheckLimits(std::int16_t vrlLimitIndex, EntryBox& vrlObject, bool vrlForceLimits,
                                 bool vrlReport)
{
    Guard g(kModule, "fncgCheckLimits",
            "Public Function fncgCheckLimits(vrlLimitIndex As Integer, vrlObject As Object, Optional "
            "vrlForceLimits As Boolean = False, Optional vrlReport As Boolean = True) As Boolean",
            {{"vrlLimitIndex", vrlLimitIndex},
             {"vrlObject", TraceValue::object("TextBox")},
             {"vrlForceLimits", vrlForceLimits},
             {"vrlReport", vrlReport}});
    if (vrlLimitIndex == -1)
        return false;
    bool refused = false;
    g.step([&] {
        const ConfigField& f = field(vrlLimitIndex);
        // While a report is going on, a change it causes (the limit written in)
        // is only marked, and leaving the box for the message is no leaving.
        const LimitReaction reaction{entryRules(ctx_.config), vrlForceLimits || ctx_.config.gGrenzwertModus == 2,
                                     ctx_.sprachOffset, vrlReport && !reporting_};
        if (!reaction.report) {
            refused = checkEntry(vrlObject, f, reaction, ctx_.messages);
            return;
        }
        reporting_ = true;
        try {
            refused = checkEntry(vrlObject, f, reaction, ctx_.messages);
        } catch (...) {
            reporting_ = false;
            throw;
        }
        reporting_ = false;
    });
    return refused;
}

}  // namespace morvane
