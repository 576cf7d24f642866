// Drawing names from the model and the FLU, CON and POR choices, and their files.
#include "configurator/DrawingName.h"

#include "engine/CalculationState.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace morvane {
namespace {

ConfigField drawingField(const std::string& key, std::vector<std::string> codes, std::int16_t drawing = True)
{
    ConfigField f;
    f.FieldName = key;
    f.DrawingField = drawing;
    for (std::size_t k = 0; k < codes.size(); ++k)
        f.Code[k + 1] = codes[k];
    return f;
}

TEST(DrawingName, FromModelAndTheThreeDrawingFields)
{
    const ConfigField flu = drawingField("FLU", {"-FS", "-FLV", "-FDV", "FX", "-FG", "X"});
    const ConfigField con = drawingField("CON", {"C1", "N", "CS"});
    const ConfigField por = drawingField("POR", {"OHO", "OV", "ZZ", "VD", "HL"});
    const ConfigField other = drawingField("MAT", {"14571"});
    const struct {
        const char* name;
        std::string model;
        std::vector<ConfigField> fields;
        std::vector<int> selected;
        std::string expected;
    } cases[] = {
        {"the example: -FS, nothing for CON, OHO", "RQ25", {flu, con, por}, {1, 0, 1}, "RQ25DXX_HO"},
        {"nothing chosen", "RQ25", {flu, con, por}, {0, 0, 0}, "RQ25XXXX_XX"},
        {"no drawing fields", "RQ25", {other}, {1}, "RQ25_"},
        {"before any model", "", {}, {}, "_"},
        {"FLU table: -FLV gives V", "RQ32", {flu, con, por}, {2, 1, 2}, "RQ32V1_VH"},
        {"FLU table: -FDV gives D", "RQ32", {flu, con, por}, {3, 3, 4}, "RQ32DS_VO"},
        {"FLU code outside the table: its own 2nd letter", "RQ32", {flu, con, por}, {4, 3, 5}, "RQ32XS_HL"},
        {"POR code outside the table: XX", "RQ44", {flu, con, por}, {5, 3, 3}, "RQ44GS_XX"},
        {"a one-letter code gives no letter", "RQ44", {flu, con, por}, {6, 2, 1}, "RQ44_HO"},
        {"no CON field", "RQ8", {flu, por}, {1, 2}, "RQ8D_VH"},
        {"a field without DrawingField does not count", "RQ8",
         {flu, drawingField("CON", {"CS"}, False), por}, {1, 1, 1}, "RQ8D_HO"},
        {"the last row with a key wins", "RQ10", {flu, drawingField("FLU", {"-FL"}), por}, {1, 1, 1}, "RQ10L_HO"},
        {"the last row wins also when it has nothing", "RQ10", {flu, drawingField("FLU", {"-FL"}), por}, {1, 0, 1},
         "RQ10XX_HO"},
        {"keys are case-sensitive", "RQ10", {drawingField("flu", {"-FS"}), por}, {1, 1}, "RQ10_HO"},
        {"no selection counts as nothing chosen", "RQ10", {flu, por}, {-1, 1}, "RQ10XX_HO"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(drawingName(c.model, c.fields, c.selected), c.expected) << c.name;
    }
}

TEST(DrawingName, TheTwoTables)
{
    const std::pair<const char*, const char*> flu[] = {{"-FG", "G"},  {"-FL", "L"},  {"-FF", "F"},  {"-FS", "D"},
                                                       {"-FGH", "G"}, {"-FGV", "G"}, {"-FLH", "L"}, {"-FLV", "V"},
                                                       {"-FDH", "D"}, {"-FDV", "D"}, {"FG", "G"},   {"", ""}};
    for (const auto& [code, letter] : flu)
        EXPECT_EQ(fluLetter(code), letter) << code;
    const std::pair<const char*, const char*> por[] = {
        {"OV", "VH"}, {"OHO", "HO"}, {"OHS", "HH"}, {"OHU", "HU"}, {"OVO", "VO"}, {"OHR", "HR"},
        {"OVU", "VU"}, {"OHL", "HL"}, {"HT", "HO"}, {"HS", "HH"},  {"HU", "HU"},  {"VS", "VH"},
        {"VD", "VO"}, {"VU", "VU"},  {"HR", "HR"},  {"HL", "HL"},  {"hl", "XX"},  {"", "XX"}};
    for (const auto& [code, position] : por)
        EXPECT_EQ(porCode(code), position) << code;
}

TEST(DrawingName, PathsInTheProgramFolderFollowTheRowsInUse)
{
    ConfigZustand z;
    z.gSondentyp = "RQ25";
    z.gConfFelder[0] = drawingField("FLU", {"-FS"});
    z.gConfFelder[1] = drawingField("POR", {"OHO"});
    z.gConfFelder[2] = drawingField("CON", {"CS"});  // left from a larger model
    z.gConfFeldAnzahl = 2;
    const std::vector<int> selected = {1, 1, 1};
    EXPECT_EQ(sublCompileDrawingFileName(z, "/opt/morvane", selected), "RQ25D_HO");
    EXPECT_EQ(z.gPdfDatei, "/opt/morvane/Drawings/PDF/RQ25D_HO.pdf");
    EXPECT_EQ(z.gJpgDatei, "/opt/morvane/Drawings/JPG/RQ25D_HO.jpg");
}

}  // namespace
}  // namespace morvane
