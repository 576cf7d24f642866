#include "configurator/TypeCode.h"

#include "engine/CalculationState.h"
#include "platform/NumberText.h"

#include <cctype>
#include <charconv>
#include <cstdlib>

namespace morvane {

namespace {

int selected(std::span<const int> listIndex, std::size_t i)
{
    return i < listIndex.size() ? listIndex[i] : -1;
}

std::string typed(std::span<const std::string> typedText, std::size_t i)
{
    return i < typedText.size() ? typedText[i] : std::string();
}

}  // namespace

double typedValue(std::string_view text)
{
    std::size_t p = 0;
    while (p < text.size() && (text[p] == ' ' || text[p] == '\t'))
        ++p;
    std::string number;
    if (p < text.size() && (text[p] == '-' || text[p] == '+'))
        number += text[p++];
    bool point = false;
    bool digits = false;
    for (; p < text.size(); ++p) {
        const char c = text[p];
        if (std::isdigit(static_cast<unsigned char>(c)) != 0) {
            number += c;
            digits = true;
        } else if (c == '.' && !point) {
            number += c;
            point = true;
        } else {
            break;
        }
    }
    if (!digits)
        return 0;
    // from_chars ignores the locale (strtod would take a German comma as the
    // decimal separator under the user's locale and read "1.5" as 1).
    const bool negative = number[0] == '-';
    const std::size_t start = number[0] == '-' || number[0] == '+' ? 1 : 0;
    double value = 0;
    std::from_chars(number.data() + start, number.data() + number.size(), value);
    return negative ? -value : value;
}

std::string plainNumber(double value)
{
    std::string t = displayText(value);
    if (t.rfind("0.", 0) == 0)
        t.erase(0, 1);
    else if (t.rfind("-0.", 0) == 0)
        t.erase(1, 1);
    return t;
}

std::string regionalNumber(double value, char decimalSeparator)
{
    std::string t = displayText(value);
    for (char& c : t)
        if (c == '.')
            c = decimalSeparator;
    return t;
}

TypeCode assembleTypeCode(std::span<const ConfigField> fields, std::span<const int> listIndex,
                          std::span<const std::string> typedText, const PipeValues& pipe, char decimalSeparator,
                          const EntryRules& rules)
{
    // Nothing loaded, or a row without a selection (the pipe table and File New
    // ask for a code while the page is empty): no code, and never complete.
    if (fields.empty())
        return {};
    for (std::size_t i = 0; i < fields.size(); ++i) {
        const int k = selected(listIndex, i);
        if (k < 0 || k > MaxConfigOptions)
            return {};
    }

    TypeCode r;
    r.complete = true;
    std::string& s = r.code;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        const ConfigField& f = fields[i];
        const auto k = static_cast<std::size_t>(selected(listIndex, i));
        const std::string& code = f.Code[k];
        if (!isTrue(f.EditField) || code != f.TextinCombo) {
            s += code;
            s += ' ';
        } else if (k == 0) {
            s += ' ';
        } else {
            std::string value;
            bool known = true;
            if (f.Type == "Value")
                value = typed(typedText, i);
            else if (f.Type == "Constant")
                value = regionalNumber(f.EditFactor, decimalSeparator);
            else if (f.Type == "CombiAdd")
                value = plainNumber(typedValue(typed(typedText, i)) + f.EditFactor);
            else if (f.Type == "CombiMulti")
                value = plainNumber(typedValue(typed(typedText, i)) * f.EditFactor);
            else if (f.Type == "dpelementInnendurchmesserA")
                value = plainNumber(pipe.gInnendurchmesser);
            else if (f.Type == "dpelementWandstaerkeRohrleitung")
                value = plainNumber(pipe.gWandstaerke);
            else
                known = false;
            if ((f.Type == "Value" || f.Type == "CombiAdd" || f.Type == "CombiMulti") &&
                entryFault(f, typed(typedText, i), rules).any())
                r.complete = false;
            if (known) {
                s += f.Prefix;
                s += value;
                s += f.Suffix;
                s += ' ';
            }
        }
        if (k == 0 && isTrue(f.Mandatory))
            r.complete = false;
    }
    const auto first = s.find_first_not_of(' ');
    if (first == std::string::npos) {
        s.clear();
    } else {
        s.erase(s.find_last_not_of(' ') + 1);
        s.erase(0, first);
    }
    return r;
}

EntryRules entryRules(const ConfigZustand& z)
{
    return {z.gGrenzwertModus == 1 || z.gGrenzwertModus == 2, z.gGrenzwertPruefung == 1};
}

EntryFault entryFault(const ConfigField& f, std::string_view text, const EntryRules& rules)
{
    EntryFault r;
    if (rules.ownRules && f.ValueDecs <= 0)
        r.notWhole = text.find_first_of(".,") != std::string_view::npos;
    if (rules.limits) {
        const double v = typedValue(text);
        if (v < f.ValueMin) {
            r.outside = true;
            r.violatedLimit = f.ValueMin;
        } else if (v > f.ValueMax) {
            r.outside = true;
            r.violatedLimit = f.ValueMax;
        }
    }
    return r;
}

ValueEntryRow valueEntryRow(const ConfigField& f, int listIndex)
{
    ValueEntryRow r;
    if (listIndex < 0 || listIndex > MaxConfigOptions)
        return r;
    if (!isTrue(f.EditField) || f.Code[static_cast<std::size_t>(listIndex)] != f.TextinCombo)
        return r;
    if (f.Type != "Value" && f.Type != "CombiAdd" && f.Type != "CombiMulti")
        return r;
    r.entryVisible = true;
    if (f.LabelStringID != 0) {
        r.labelVisible = true;
        r.labelStringID = f.LabelStringID;
    }
    return r;
}

}  // namespace morvane
