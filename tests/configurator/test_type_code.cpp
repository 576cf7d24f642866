// The type code assembly, its number texts and the value-entry rows.
#include "configurator/TypeCode.h"

#include "engine/CalculationState.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace morvane {
namespace {

// A field with options; the value option is "V" at position 2 when type is set.
ConfigField field(std::vector<std::string> codes, std::string type = {}, double factor = 0, std::string prefix = {},
                  std::string suffix = {}, std::int16_t mandatory = False)
{
    ConfigField f;
    for (std::size_t k = 0; k < codes.size(); ++k)
        f.Code[k + 1] = codes[k];
    f.OptionCount = static_cast<std::int16_t>(codes.size());
    if (!type.empty()) {
        f.EditField = True;
        f.TextinCombo.push_back('V');
    }
    f.Type = std::move(type);
    f.EditFactor = factor;
    f.Prefix = std::move(prefix);
    f.Suffix = std::move(suffix);
    f.Mandatory = mandatory;
    return f;
}

struct CodeCase {
    const char* name;
    std::vector<ConfigField> fields;
    std::vector<int> selected;
    std::vector<std::string> typed;
    char separator;
    std::string code;
    bool complete;
};

TEST(TypeCode, SegmentsBlanksAndCompleteness)
{
    const ConfigField a = field({"A"});
    const ConfigField b = field({"B"});
    const ConfigField c = field({"C"});
    const ConfigField must = field({"M"}, {}, 0, {}, {}, True);
    const PipeValues pipe{206.5, 0.25};
    const CodeCase cases[] = {
        {"an empty choice keeps its blank", {a, b, c}, {1, 0, 1}, {}, '.', "A  C", true},
        {"trailing blanks trimmed", {a, b, c}, {1, 1, 0}, {}, '.', "A B", true},
        {"leading blanks trimmed", {a, b}, {0, 1}, {}, '.', "B", true},
        {"mandatory on its caption: incomplete", {a, must}, {1, 0}, {}, '.', "A", false},
        {"mandatory chosen", {a, must}, {0, 1}, {}, '.', "M", true},
        {"CombiMulti 10 of 2.5", {field({"A", "V"}, "CombiMulti", 10, "L")}, {2}, {"2.5"}, '.', "L25", true},
        {"CombiMulti with nothing typed", {field({"A", "V"}, "CombiMulti", 10, "L")}, {2}, {""}, '.', "L0", true},
        {"CombiMulti 1000", {field({"A", "V"}, "CombiMulti", 1000, "", "G")}, {2}, {"0.125"}, '.', "125G", true},
        {"CombiAdd keeps no zero before the point", {field({"A", "V"}, "CombiAdd", 0.25, "L")}, {2}, {".25"}, ',',
         "L.5", true},
        {"CombiAdd of a negative value", {field({"V"}, "CombiAdd", 0, "T")}, {1}, {"-0.25"}, '.', "T-.25", true},
        {"Value is the typed text unchanged", {field({"A", "V"}, "Value", 0, "L=", "mm")}, {2}, {"12.50"}, '.',
         "L=12.50mm", true},
        {"Value with an empty box", {a, field({"V"}, "Value", 0, "P"), c}, {1, 1, 1}, {"", "", ""}, '.', "A P C",
         true},
        {"Constant under a decimal comma", {field({"V"}, "Constant", 2.5, "K")}, {1}, {}, ',', "K2,5", true},
        {"Constant under a decimal point", {field({"V"}, "Constant", 2.5, "K")}, {1}, {}, '.', "K2.5", true},
        {"Constant below 1 keeps its zero", {field({"V"}, "Constant", 0.5)}, {1}, {}, ',', "0,5", true},
        {"inner diameter of the pipe", {field({"V"}, "dpelementInnendurchmesserA", 0, "D")}, {1}, {}, ',', "D206.5",
         true},
        {"wall thickness of the pipe", {field({"V"}, "dpelementWandstaerkeRohrleitung", 0, "S", "mm")}, {1}, {}, ',',
         "S.25mm", true},
        {"unknown type adds nothing, not even a blank", {a, field({"V"}, "Other", 0, "X"), c}, {1, 1, 1}, {}, '.',
         "A C", true},
        {"value option not chosen: its code", {field({"A", "V"}, "CombiMulti", 10, "L")}, {1}, {"3"}, '.', "A",
         true},
        {"EditField false: the code even for the value option", {[] {
             ConfigField f = field({"V"}, "CombiMulti", 10, "L");
             f.EditField = False;
             return f;
         }()},
         {1}, {"3"}, '.', "V", true},
        {"no fields: empty and never complete", {}, {}, {}, '.', "", false},
        {"a row without a selection", {a, b}, {1, -1}, {}, '.', "", false},
        {"fewer selections than rows", {a, b}, {1}, {}, '.', "", false},
    };
    for (const CodeCase& k : cases) {
        SCOPED_TRACE(k.name);
        const TypeCode r = assembleTypeCode(k.fields, k.selected, k.typed, pipe, k.separator);
        EXPECT_EQ(r.code, k.code);
        EXPECT_EQ(r.complete, k.complete);
    }
}

// A typed value that the entry check refuses (it stays in its box, light red)
// still shows in the code, but the code is not complete: an order code must not
// look finished with a value outside its limits or a fraction in a field that
// takes whole numbers.
TEST(TypeCode, ARefusedValueLeavesTheCodeIncomplete)
{
    ConfigField length = field({"A", "V"}, "CombiMulti", 10, "L");
    length.ValueMin = 10;
    length.ValueMax = 100;
    length.ValueDecs = 0;  // whole numbers
    ConfigField nominal = field({"V"}, "Value", 0, "P");
    nominal.ValueMin = -40;
    nominal.ValueMax = 2.5;
    nominal.ValueDecs = 1;
    const ConfigField pipe = field({"V"}, "dpelementInnendurchmesserA", 0, "D");
    const EntryRules program{true, true};  // as the program starts: limits and each field's own rules
    struct Case {
        const char* name;
        std::vector<std::string> typed;
        EntryRules rules;
        std::string code;
        bool complete;
    } const cases[] = {
        {"both within", {"50", "2.5"}, program, "L500 P2.5 D206.5", true},
        {"the lower bounds pass", {"10", "-40"}, program, "L100 P-40 D206.5", true},
        {"above the maximum", {"150", "2"}, program, "L1500 P2 D206.5", false},
        {"below the minimum", {"50", "-41"}, program, "L500 P-41 D206.5", false},
        {"an empty box is below a minimum of 10", {"", "0"}, program, "L0 P0 D206.5", false},
        {"limits not checked", {"150", "-41"}, {false, true}, "L1500 P-41 D206.5", true},
        // The separator stays in the box of a whole-number field (25.5 x 10 in
        // the code); the code is never complete with it.
        {"a point in a whole-number field", {"25.5", "2"}, program, "L255 P2 D206.5", false},
        {"a comma in a whole-number field", {"25,5", "2"}, program, "L250 P2 D206.5", false},
        {"whole numbers need the fields' own rules", {"25.5", "2"}, {true, false}, "L255 P2 D206.5", true},
        {"whole numbers without the limit check", {"25.5", "2"}, {false, true}, "L255 P2 D206.5", false},
    };
    const std::vector<ConfigField> fields = {length, nominal, pipe};
    const std::vector<int> chosen = {2, 1, 1};
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        const TypeCode r = assembleTypeCode(fields, chosen, k.typed, PipeValues{206.5, 0}, '.', k.rules);
        EXPECT_EQ(r.code, k.code);
        EXPECT_EQ(r.complete, k.complete);
    }
    // A value option that is not chosen is not checked.
    EXPECT_TRUE(assembleTypeCode(fields, std::vector<int>{1, 1, 1}, std::vector<std::string>{"150.5", "0"},
                                 PipeValues{206.5, 0}, '.', program)
                    .complete);
}

// A code that ends in GE1 switches the opposite support on when it is read.
TEST(TypeCode, OppositeSupportAsTheLastSegment)
{
    const std::vector<ConfigField> fields = {field({"RQ"}), field({"GE0", "GE1"}, {}, 0, {}, {}, True)};
    const std::vector<int> chosen = {1, 2};
    EXPECT_EQ(assembleTypeCode(fields, chosen, {}, {}, '.').code, "RQ GE1");
}

TEST(TypeCode, NumberTexts)
{
    const struct {
        double v;
        const char* plain;
        const char* comma;
    } cases[] = {
        {0.5, ".5", "0,5"},       {-0.25, "-.25", "-0,25"}, {20, "20", "20"},
        {12.5, "12.5", "12,5"},   {0, "0", "0"},            {1.0 / 3, ".333333333333333", "0,333333333333333"},
        {2500, "2500", "2500"},   {-7, "-7", "-7"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(plainNumber(c.v), c.plain) << c.v;
        EXPECT_EQ(regionalNumber(c.v, ','), c.comma) << c.v;
    }
    const struct {
        const char* text;
        double v;
    } typed[] = {{"2.5", 2.5}, {"  12.5mm", 12.5}, {"-.5", -0.5}, {"", 0},    {"-", 0},
                 {".", 0},     {"abc", 0},         {"1.2.3", 1.2}, {"2,5", 2}, {"+3", 3}};
    for (const auto& c : typed)
        EXPECT_EQ(typedValue(c.text), c.v) << c.text;
}

TEST(TypeCode, ValueEntryRowShowsForTypedTypesOnly)
{
    const struct {
        const char* type;
        int k;
        std::int16_t label;
        bool entry;
        bool labelShown;
    } cases[] = {
        {"Value", 2, 1810, true, true},       {"CombiAdd", 2, 0, true, false},  {"CombiMulti", 2, 1811, true, true},
        {"Constant", 2, 1810, false, false},  {"dpelementInnendurchmesserA", 2, 0, false, false},
        {"Value", 1, 1810, false, false},     {"Value", 0, 1810, false, false}, {"Value", -1, 1810, false, false},
    };
    for (const auto& c : cases) {
        ConfigField f = field({"A", "V"}, c.type);
        f.LabelStringID = c.label;
        const ValueEntryRow r = valueEntryRow(f, c.k);
        EXPECT_EQ(r.entryVisible, c.entry) << c.type << " " << c.k;
        EXPECT_EQ(r.labelVisible, c.labelShown) << c.type << " " << c.k;
        EXPECT_EQ(r.labelStringID, c.labelShown ? c.label : 0);
    }
}

}  // namespace
}  // namespace morvane
