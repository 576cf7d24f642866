// The dimension drawings of the program folder against the drawing names that
// the shipped configuration data gives.
#include "configurator/ConfigData.h"
#include "configurator/DrawingName.h"
#include "engine/CalculationState.h"
#include "support/Fakes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

namespace morvane {
namespace {

using testing::RecordingMessageBox;
using testing::TestTracer;

const std::filesystem::path Program = MORVANE_PROGRAM_DIR;

std::set<std::string> stems(const std::filesystem::path& dir, const std::string& extension)
{
    std::set<std::string> out;
    for (const auto& e : std::filesystem::directory_iterator(dir)) {
        EXPECT_EQ(e.path().extension(), extension) << e.path();
        out.insert(e.path().stem().string());
    }
    return out;
}

std::string commandOutput(const std::string& cmd)
{
    std::string out;
    FILE* pipe = popen(cmd.c_str(), "r");
    if (pipe == nullptr)
        return out;
    char buf[4096];
    std::size_t n = 0;
    while ((n = fread(buf, 1, sizeof buf, pipe)) > 0)
        out.append(buf, n);
    pclose(pipe);
    return out;
}

// Every choice of one option in each of the FLU, CON and POR rows of every
// model; names with an "XX" part (a position outside the table) have no drawing.
TEST(ShippedDrawings, OnePdfAndOneJpgForEveryCompleteName)
{
    TestTracer t;
    ProductDatabases dbs(Program);
    RecordingMessageBox boxes;
    ConfigEnvironment env{dbs, boxes, 0};
    std::set<std::string> expected;
    std::set<std::string> withoutDrawing;
    for (const char* m : {"RQ8", "RQ10", "RQ25", "RQ25HDD3", "RQ32", "RQ44", "RQ50"}) {
        ConfigZustand z;
        z.gSondentyp = m;
        ASSERT_TRUE(fncgChangeConfigSensor(z, env, m, "DE").loaded);
        const std::span<const ConfigField> fields(z.gConfFelder.data(), static_cast<std::size_t>(z.gConfFeldAnzahl));
        std::vector<int> rows;  // FLU, CON, POR rows, or -1 where the model has none
        for (const char* key : {"FLU", "CON", "POR"}) {
            int row = -1;
            for (std::size_t i = 0; i < fields.size(); ++i)
                if (fields[i].FieldName == key && isTrue(fields[i].DrawingField))
                    row = static_cast<int>(i);
            rows.push_back(row);
        }
        const auto count = [&](int row) { return row < 0 ? 1 : fields[static_cast<std::size_t>(row)].OptionCount; };
        for (int a = 1; a <= count(rows[0]); ++a)
            for (int b = 1; b <= count(rows[1]); ++b)
                for (int c = 1; c <= count(rows[2]); ++c) {
                    std::vector<int> chosen(fields.size(), 0);
                    const int ks[] = {a, b, c};
                    for (int d = 0; d < 3; ++d)
                        if (rows[static_cast<std::size_t>(d)] >= 0)
                            chosen[static_cast<std::size_t>(rows[static_cast<std::size_t>(d)])] = ks[d];
                    const std::string name = drawingName(m, fields, chosen);
                    (name.substr(std::string(m).size()).find("XX") == std::string::npos ? expected : withoutDrawing)
                        .insert(name);
                }
    }
    EXPECT_TRUE(boxes.shown.empty());
    EXPECT_GT(expected.size(), 100u);
    EXPECT_LT(expected.size(), 400u) << "low hundreds";
    EXPECT_FALSE(withoutDrawing.empty()) << "the data also shows a selection without a drawing";
    EXPECT_EQ(stems(Program / "Drawings" / "PDF", ".pdf"), expected);
    EXPECT_EQ(stems(Program / "Drawings" / "JPG", ".jpg"), expected);
    EXPECT_EQ(expected.count("RQ8D_HO"), 1u) << "a model without a CON field";
}

TEST(ShippedDrawings, APdfIsOneVectorPageShowingItsName)
{
    const std::string pdf = (Program / "Drawings" / "PDF" / "RQ25D5_HO.pdf").string();
    const std::string info = commandOutput("pdfinfo '" + pdf + "'");
    EXPECT_NE(info.find("Pages:           1\n"), std::string::npos) << info;
    const std::string text = commandOutput("pdftotext '" + pdf + "' -");
    EXPECT_NE(text.find("RQ25D5_HO"), std::string::npos) << text;
    EXPECT_NE(text.find("Demonstration drawing - not for manufacture"), std::string::npos) << text;
    const std::string images = commandOutput("pdfimages -list '" + pdf + "'");
    EXPECT_EQ(std::count(images.begin(), images.end(), '\n'), 2) << "a vector drawing: no picture below the header\n"
                                                                   << images;
}

}  // namespace
}  // namespace morvane
