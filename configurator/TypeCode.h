// The order type code of the configured element: one segment per field in field
// order, each followed by one blank, the blanks at both ends removed. A segment
// is the code of the option chosen in the field's list, or, where the chosen
// option is the field's value option (Code(k) = TextinCombo), a segment formed by
// the field's Type:
//   "Value"       Prefix, the typed text unchanged, Suffix
//   "Constant"    Prefix, EditFactor with the user's decimal separator, Suffix
//   "CombiAdd"    Prefix, plainNumber(typed value + EditFactor), Suffix
//   "CombiMulti"  Prefix, plainNumber(typed value * EditFactor), Suffix
//   "dpelementInnendurchmesserA"       Prefix, plainNumber(gInnendurchmesser), Suffix
//   "dpelementWandstaerkeRohrleitung"  Prefix, plainNumber(gWandstaerke), Suffix
//   any other text: no segment and no blank.
// The code is complete when no mandatory field stands on its caption entry and no
// typed value ("Value", "CombiAdd", "CombiMulti") is refused by the entry checks
// in force (entryFault); an empty configuration (no model loaded, no rows, or a
// row without a selection) gives an empty, incomplete code.
#pragma once

#include "engine/ConfigZustand.h"

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <string_view>

namespace morvane {

// The two pipe values of the calculation state a segment may show (mm).
struct PipeValues {
    double gInnendurchmesser = 0;
    double gWandstaerke = 0;
};

struct TypeCode {
    std::string code;
    bool complete = false;  // green when true, red otherwise
};

// The checks a typed value meets.
struct EntryRules {
    bool limits = false;    // gGrenzwertModus 1 or 2: a value outside its field's limits is refused
    bool ownRules = false;  // gGrenzwertPruefung 1: a field without decimals takes whole numbers only
};

// The checks in force for the configurator's state.
EntryRules entryRules(const ConfigZustand& z);

// What the checks find wrong with a typed text. A decimal separator in a field
// that takes whole numbers is kept in the box (dropping it would multiply the
// value) and refused here instead.
struct EntryFault {
    bool outside = false;        // the value lies outside [ValueMin, ValueMax]
    double violatedLimit = 0.0;  // ValueMin for a low value, ValueMax for a high one
    bool notWhole = false;       // a decimal separator in a field without decimals
    bool any() const { return outside || notWhole; }
};
EntryFault entryFault(const ConfigField& f, std::string_view text, const EntryRules& rules);

// fields: the first gConfFeldAnzahl records; listIndex[i]: the selected list
// position of row i (0 the caption, -1 none); typedText[i]: the text of row i's
// value box (missing entries count as ""). decimalSeparator is the user's, for
// "Constant" segments. rules: the entry checks in force; a typed value they
// refuse stands in the code as typed and leaves the code incomplete.
TypeCode assembleTypeCode(std::span<const ConfigField> fields, std::span<const int> listIndex,
                          std::span<const std::string> typedText, const PipeValues& pipe, char decimalSeparator,
                          const EntryRules& rules = {});

// The value of a typed text: leading blanks skipped, then the leading number with
// "." as the only decimal separator; 0 for a text without a number.
double typedValue(std::string_view text);

// Decimal point, at most 15 significant digits, no leading blank, no trailing
// zeros, no zero before the point below 1: .5, -.25, 20, 12.5.
std::string plainNumber(double value);

// At most 15 significant digits with the given decimal separator, a zero before
// the separator below 1: 2,5 / 0,5 / 2.5.
std::string regionalNumber(double value, char decimalSeparator);

// Whether row k shows its value box and its label once field f is handled: the
// box for a chosen value option of Type "Value", "CombiAdd" or "CombiMulti", the
// label when it also has a LabelStringID.
struct ValueEntryRow {
    bool entryVisible = false;
    bool labelVisible = false;
    std::int16_t labelStringID = 0;  // the label's resource text id when visible
};
ValueEntryRow valueEntryRow(const ConfigField& f, int listIndex);

}  // namespace morvane
