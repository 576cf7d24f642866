// The configurator test driver, run as a program: models of the shipped data
// with their codes, type keys and drawings, and the rules for its input.
#include "common/ResourceTexts.h"
#include "engine/GasTableFixture.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace morvane {
namespace {

using nlohmann::json;
using testing::execSql;
using testing::TempFolder;

std::string shellQuoted(const std::string& s)
{
    std::string out = "'";
    for (const char c : s) {
        if (c == '\'')
            out += "'\\''";
        else
            out += c;
    }
    out += "'";
    return out;
}

struct DriverRun {
    int exit = -1;
    std::string out;
};

// Runs the driver on the input given on standard input ("-"). Its data root
// is the program folder of this build, its own default, whatever $MORVANE_HOME
// of the caller holds, or the folder `home` names as $MORVANE_HOME.
DriverRun runDriver(const std::string& input, const std::vector<std::string>& args = {},
                    const std::string& home = {})
{
    TempFolder dir;
    std::ofstream(dir / "in.json") << input;
    std::string cmd = home.empty() ? "env -u MORVANE_HOME " : "env MORVANE_HOME=" + shellQuoted(home) + " ";
    cmd.append(shellQuoted(CONFIG_DRIVER));
    for (const auto& a : args)
        cmd.append(" ").append(shellQuoted(a));
    cmd.append(" - < ").append(shellQuoted((dir / "in.json").string())).append(" 2>/dev/null");
    DriverRun r;
    FILE* pipe = popen(cmd.c_str(), "r");
    if (pipe == nullptr)
        return r;
    char buf[4096];
    std::size_t n = 0;
    while ((n = fread(buf, 1, sizeof buf, pipe)) > 0)
        r.out.append(buf, n);
    const int status = pclose(pipe);
    r.exit = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return r;
}

const std::filesystem::path Program = MORVANE_PROGRAM_DIR;

struct ModelCase {
    const char* shows;
    json input;
    std::string code;
    bool complete;
    std::string typeKey;
    std::string drawingName;
    bool drawingExists;
    std::vector<std::string> messages{};  // the limit warnings while typing
};

TEST(ConfigDriver, ModelsOfTheShippedData)
{
    const ModelCase cases[] = {
        {"RQ25: every segment kind of the probe, the opposite support at the end",
         {{"model", "RQ25"},
          {"gWandstaerke", 4.5},
          {"selections", {1, 5, 3, 2, 4, 3, 1, 2, 2, 2, 2}},
          {"values", {"", "", "", "", "", "", "", "1.25", "-40", "50", ""}}},
         "14571 150 S4.5 PN40 -FS V5 OHO L1250 T-40C H150 GE1",
         true,
         "RQ25-14571 150 S4.5 PN40 -FS V5 OHO L1250 T-40C H150 GE1",
         "RQ25D5_HO",
         true},
        {"RQ10 in English under a decimal comma: a mandatory field left on its caption",
         {{"model", "RQ10"},
          {"gSprachKuerzel", "EN"},
          {"decimalSeparator", ","},
          {"selections", {2, 1, 0, 1, 1, 4, 2, 1}},
          {"values", {"", "", "", "", "", "", "", "12"}}},
         "14517 020  -FG V0 OVO K0,5 P12",
         false,
         "RQ10-14517 020  -FG V0 OVO K0,5 P12",
         "RQ10G0_VO",
         true},
        {"RQ32: the pipe's inner diameter, a special position without a drawing",
         {{"model", " RQ32 "},
          {"gInnendurchmesser", 206.5},
          {"selections", {1, 10, 1, 3, 2, 5, 2, 1}},
          {"values", {"", "", "", "", "", "", "45.5", ""}}},
         "14571 D206.5 PN40 -FF V3 OSP L455 GE0",
         true,
         "RQ32-14571 D206.5 PN40 -FF V3 OSP L455 GE0",
         "RQ32F3_XX",
         false,
         // The 4 typed first lies below the lowest length, but the box is left
         // with 45.5: no message.
         {}},
        {"RQ8 as loaded: no code, incomplete, no CON part in the name",
         {{"model", "RQ8"}},
         "",
         false,
         "RQ8-",
         "RQ8XX_XX",
         false},
        {"RQ25HDD3 with a former flange code", {{"model", "RQ25HDD3"}, {"selections", {1, 1, 1, 2, 2, 3, 1, 2}}},
         "14571 065 PN64 -FLV V3 OVO TS GE1", true, "RQ25HDD3-14571 065 PN64 -FLV V3 OVO TS GE1", "RQ25HDD3V3_VO",
         true},
    };
    for (const ModelCase& c : cases) {
        SCOPED_TRACE(c.shows);
        const DriverRun r = runDriver(c.input.dump());
        ASSERT_EQ(r.exit, 0) << r.out;
        const json out = json::parse(r.out);
        EXPECT_EQ(out["code"], c.code);
        EXPECT_EQ(out["complete"], c.complete);
        EXPECT_EQ(out["typeKey"], c.typeKey);
        EXPECT_EQ(out["drawingName"], c.drawingName);
        const std::string pdf = (Program / "Drawings" / "PDF" / (c.drawingName + ".pdf")).string();
        const std::string jpg = (Program / "Drawings" / "JPG" / (c.drawingName + ".jpg")).string();
        if (c.drawingExists) {
            EXPECT_EQ(out["drawingPdf"], pdf);
            EXPECT_EQ(out["drawingJpg"], jpg);
        } else {
            EXPECT_TRUE(out["drawingPdf"].is_null());
            EXPECT_TRUE(out["drawingJpg"].is_null());
        }
        EXPECT_EQ(out["messageBoxes"], json(c.messages));
        EXPECT_TRUE(out["runtimeErrors"].empty());
    }
}

// Each value is typed key by key through the field's number filter and entry
// check, then its box is left, as on the page: a message only for a value still
// refused when its box is left.
TEST(ConfigDriver, ValuesAreTypedThroughTheFilterAndTheLimits)
{
    const std::string wholeNip = "Whole numbers only (no decimals)!\rLimits for Parameter: NIP = 0 - 400";
    const struct {
        const char* shows;
        std::vector<std::string> values;  // LENM (m, 3 decimals), TMP (whole degrees, negative), NIP (mm above 100)
        const char* segments;
        bool complete;
        std::vector<std::string> messages;
    } cases[] = {
        {"a decimal comma, a minus, a letter removed", {"2,5", "-12", "7x5"}, "L2500 T-12C H175", true, {}},
        // The comma becomes "0." (too short a length while typing), then 0.5;
        // the separator stays in the whole millimetres of the nozzle.
        {"a leading comma, a minus zero, a separator in whole numbers",
         {",5", "-0", "1.5"},
         "L500 T-0C H101.5",
         false,
         {wholeNip}},
        // The box keeps the refused text, and the code takes it as it stands,
        // incomplete.
        {"decimals cut, a temperature beyond its limits",
         {"1.23456", "700", "0"},
         "L1234 T700C H100",
         false,
         {"Value out of Limits!\rLimits for Parameter: TMP = -200 - 650"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.shows);
        const json input = {{"model", "RQ25"},
                            {"gSprachKuerzel", "EN"},
                            {"gWandstaerke", 4.5},
                            {"selections", {1, 5, 3, 2, 4, 3, 1, 2, 2, 2, 2}},
                            {"values", {"", "", "", "", "", "", "", c.values[0], c.values[1], c.values[2], ""}}};
        const DriverRun r = runDriver(input.dump());
        ASSERT_EQ(r.exit, 0) << r.out;
        const json out = json::parse(r.out);
        EXPECT_EQ(out["code"], std::string("14571 150 S4.5 PN40 -FS V5 OHO ") + c.segments + " GE1");
        EXPECT_EQ(out["complete"], c.complete);
        EXPECT_EQ(out["messageBoxes"], json(c.messages));
    }
}

TEST(ConfigDriver, FieldsAsThePageShowsThem)
{
    const DriverRun r = runDriver(json{{"model", "RQ50"}, {"gSprachKuerzel", "EN"}}.dump());
    ASSERT_EQ(r.exit, 0);
    const json out = json::parse(r.out);
    EXPECT_EQ(out["typeInfo"], "RQ50-");
    EXPECT_EQ(out["typeDescription"], "Demonstration data: averaging probe RQ50 for diameters from 1 m.");
    ASSERT_EQ(out["fields"].size(), 7u);
    const json& dnv = out["fields"][1];
    EXPECT_EQ(dnv["key"], "DNV");
    EXPECT_EQ(dnv["caption"], "Pipe diameter");
    EXPECT_EQ(dnv["tooltip"], "Pipe diameter");
    EXPECT_EQ(dnv["editField"], true);
    EXPECT_EQ(dnv["mandatory"], true);
    EXPECT_EQ(dnv["type"], "Value");
    EXPECT_EQ(dnv["options"], json::parse(R"j([{"code":"DV","text":"enter the pipe diameter (mm)"}])j"));
    const json& ge = out["fields"][6];
    EXPECT_EQ(ge["key"], "GE");
    EXPECT_EQ(ge["options"], json::parse(R"([{"code":"GE0","text":"none"},{"code":"GE1","text":"with opposite support"}])"));
    EXPECT_EQ(out["fields"][4]["options"][0], json::parse(R"({"code":"V0","text":"none"})")) << "one row, two fields";
}

// A model without tables: the two messages, then an empty configuration whose
// type key is empty.
TEST(ConfigDriver, ModelWithoutTablesLeavesAnEmptyConfiguration)
{
    const DriverRun r = runDriver(json{{"model", "RQ99"}, {"gSprachKuerzel", "EN"}}.dump());
    ASSERT_EQ(r.exit, 0);
    const json out = json::parse(r.out);
    ASSERT_EQ(out["messageBoxes"].size(), 2u);
    const std::string first = out["messageBoxes"][0];
    EXPECT_EQ(first.rfind("Problems connecting to DB morvdata5.sqlite\rText:", 0), 0u) << first;
    EXPECT_NE(first.find("RQ99-CONFIG-EN"), std::string::npos);
    EXPECT_EQ(out["messageBoxes"][1], "Could not connect to DB morvdata5.sqlite!");
    EXPECT_TRUE(out["fields"].empty());
    EXPECT_EQ(out["typeInfo"], "");
    EXPECT_EQ(out["typeDescription"], resText(1832, OffsetEnglish));
    EXPECT_EQ(out["code"], "");
    EXPECT_EQ(out["complete"], false);
    EXPECT_EQ(out["typeKey"], "");
    EXPECT_TRUE(out["runtimeErrors"].empty());
}

TEST(ConfigDriver, InputRulesAndExitStatus)
{
    TempFolder broken;
    execSql(broken / "morvdata5.sqlite",
            "CREATE TABLE ConfigHelp (ConfigFieldName TEXT);"
            "CREATE TABLE \"M-CONFIG-DE\" (ID INTEGER, Info TEXT, A TEXT, Txt TEXT, Note TEXT);"
            "INSERT INTO \"M-CONFIG-DE\" VALUES (1,NULL,NULL,NULL,NULL),(NULL,NULL,'a',NULL,NULL);");
    const struct {
        const char* shows;
        std::string input;
        std::vector<std::string> args;
        int exit;
        std::string home{};  // $MORVANE_HOME
    } cases[] = {
        {"a model", R"({"model":"RQ8"})", {}, 0},
        {"no model", "{}", {}, 0},
        {"unknown key", R"({"model":"RQ8","gFoo":1})", {}, 2},
        {"not JSON", "{model", {}, 2},
        {"not an object", "[1]", {}, 2},
        {"language", R"({"gSprachKuerzel":"FR"})", {}, 2},
        {"separator", R"({"decimalSeparator":";"})", {}, 2},
        {"pipe value", R"({"gInnendurchmesser":"206"})", {}, 2},
        {"selection beyond the list", R"({"model":"RQ8","selections":[3]})", {}, 2},
        {"value for a row without a value box", R"({"model":"RQ8","values":["1"]})", {}, 2},
        {"unknown option", R"({})", {"--step"}, 2},
        {"a Null ID is a run-time error", R"({"model":"M"})", {"--data-root", broken.path().string()}, 1},
        {"$MORVANE_HOME names the data root", R"({"model":"M"})", {}, 1, broken.path().string()},
        {"--data-root over $MORVANE_HOME", R"({"model":"M"})", {"--data-root", Program.string()}, 0,
         broken.path().string()},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.shows);
        const DriverRun r = runDriver(c.input, c.args, c.home);
        EXPECT_EQ(r.exit, c.exit) << r.out;
        if (c.exit != 2) {
            EXPECT_TRUE(json::accept(r.out)) << "one JSON object after a run";
        }
    }
}

}  // namespace
}  // namespace morvane
