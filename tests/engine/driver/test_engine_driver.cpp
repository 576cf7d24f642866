// The engine test driver, run as a program: the table-driven cases in
// tests/engine/cases/*.json and the rules for its input.
//
// A case file holds:
//   "shows"      what the case shows
//   "source"     where the expected numbers come from
//   "args"       driver options before the input (e.g. ["--step", "BerechneDichte"]);
//                none runs the Calculate run
//   "database"   "fixture": the data root holds the 3 x 3 gas tables of air in both
//                product databases (norm density 1.293 in the main one, 1.2505 in
//                the alternative one); "shipped": the program folder of this build,
//                with the product databases built from data/sql; "none": an empty
//                data root
//   "input"      the state given to the driver (on standard input)
//   "expect"     output keys and their values; numbers within "tolerance"
//                (relative, default 1e-9)
//   "expectContains"  output keys whose text, or one of whose texts, contains
//                each of the given strings
//   "exit"       the expected exit status
// A number of "input" or "expect" that an oracle table of tests/engine/data
// holds is read from there, written as
//   {"table": FILE, "where": {COLUMN: TEXT, ...}, "column": COLUMN, "scale": F}
// the column of the rows whose named columns read as given (text as in the
// file), in the table's order: one row gives a number, several a list; each
// times F (default 1, e.g. 0.001 for Pa in kPa). A table names its columns in
// its last comment line before the data, separated by tabs.
#include "GasTableFixture.h"
#include "engine/StateFields.h"
#include "support/ReferenceCases.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <sys/wait.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <map>
#include <sstream>
#include <stdexcept>

namespace morvane {
namespace {

using nlohmann::json;
using testing::GasTableFixture;
using testing::TempFolder;
using testing::writeGasTables;

std::string shellQuoted(const std::string& s)
{
    std::string out = "'";
    for (const char c : s) {
        if (c == '\'')
            out += "'\\''";
        else
            out += c;
    }
    return out + "'";
}

std::string readFile(const std::filesystem::path& p)
{
    std::ifstream in(p);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

// The rows of an oracle table, each column by its name.
std::vector<std::map<std::string, std::string>> readTable(const std::string& name)
{
    std::ifstream in(std::filesystem::path(MORVANE_SOURCE_DIR) / "tests/engine/data" / name);
    if (!in.good())
        throw std::runtime_error("no oracle table " + name);
    const auto split = [](const std::string& line) {
        std::vector<std::string> fields;
        std::istringstream s(line);
        for (std::string f; std::getline(s, f, '\t');)
            fields.push_back(f);
        return fields;
    };
    std::vector<std::string> columns;
    std::vector<std::map<std::string, std::string>> rows;
    for (std::string line; std::getline(in, line);) {
        if (line.empty())
            continue;
        if (line[0] == '#') {
            if (rows.empty())
                columns = split(line.substr(line.find_first_not_of("# ")));
            continue;
        }
        const auto fields = split(line);
        if (fields.size() != columns.size())
            throw std::runtime_error(name + ": a row of " + std::to_string(fields.size()) + " fields under " +
                                     std::to_string(columns.size()) + " columns");
        std::map<std::string, std::string>& row = rows.emplace_back();
        for (std::size_t i = 0; i < fields.size(); ++i)
            row[columns[i]] = fields[i];
    }
    return rows;
}

// The case with every table reference replaced by the table's numbers.
json withTableValues(const json& value)
{
    if (value.is_array()) {
        json out = json::array();
        for (const auto& v : value)
            out.push_back(withTableValues(v));
        return out;
    }
    if (!value.is_object())
        return value;
    if (!value.contains("table")) {
        json out = json::object();
        for (const auto& [key, v] : value.items())
            out[key] = withTableValues(v);
        return out;
    }
    const std::string name = value.at("table").get<std::string>();
    const std::string column = value.at("column").get<std::string>();
    const double scale = value.value("scale", 1.0);
    const json where = value.value("where", json::object());
    json found = json::array();
    for (const auto& row : readTable(name)) {
        bool match = true;
        for (const auto& [key, text] : where.items())
            match = match && row.count(key) != 0 && row.at(key) == text.get<std::string>();
        if (match) {
            if (row.count(column) == 0)
                throw std::runtime_error(name + " has no column " + column);
            found.push_back(std::stod(row.at(column)) * scale);
        }
    }
    if (found.empty())
        throw std::runtime_error(name + ": no row matches " + value.dump());
    return found.size() == 1 ? found[0] : found;
}

struct DriverRun {
    int exit = -1;
    std::string out;
    std::string err;
    json output() const { return json::parse(out); }
};

// Runs the driver with the arguments; with `stdinText` the input file is "-".
// Without --data-root its data root is the program folder of this build, its
// own default, whatever $MORVANE_HOME of the caller holds.
DriverRun runDriver(const TempFolder& dir, std::vector<std::string> args, const std::optional<std::string>& stdinText)
{
    std::string cmd = "env -u MORVANE_HOME " + shellQuoted(ENGINE_DRIVER);
    const auto add = [&cmd](std::string_view sep, const std::string& word) {
        cmd.append(sep);
        cmd.append(shellQuoted(word));
    };
    for (const auto& a : args)
        add(" ", a);
    if (stdinText) {
        std::ofstream(dir / "stdin.json") << *stdinText;
        add(" - < ", (dir / "stdin.json").string());
    }
    add(" > ", (dir / "stdout.json").string());
    add(" 2> ", (dir / "stderr.txt").string());
    const int status = std::system(cmd.c_str());
    DriverRun r;
    r.exit = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    r.out = readFile(dir / "stdout.json");
    r.err = readFile(dir / "stderr.txt");
    return r;
}

void layOutDataRoot(const std::filesystem::path& root, const std::string& kind)
{
    if (kind == "fixture") {
        writeGasTables(root / "morvdata5.sqlite", GasTableFixture{});
        GasTableFixture alt;
        alt.gasdaten = {1.2505, 0.0, 100.0, 100.0, 5000.0, -146.95, 3395.8};
        writeGasTables(root / "morvdata5_alt.sqlite", alt);
    } else if (kind != "none") {
        FAIL() << "unknown database layout " << kind;
    }
}

bool close(double actual, double expected, double tolerance)
{
    return std::abs(actual - expected) <= tolerance * std::max(std::abs(expected), 1.0);
}

void expectMatches(const json& actual, const json& expected, double tolerance, const std::string& key)
{
    if (expected.is_number() && actual.is_number()) {
        EXPECT_TRUE(close(actual.get<double>(), expected.get<double>(), tolerance))
            << key << ": " << actual.dump() << ", expected " << expected.dump();
    } else if (expected.is_array() && actual.is_array() && expected.size() == actual.size()) {
        for (std::size_t i = 0; i < expected.size(); ++i)
            expectMatches(actual[i], expected[i], tolerance, key + "[" + std::to_string(i) + "]");
    } else {
        EXPECT_EQ(actual, expected) << key;
    }
}

std::vector<std::filesystem::path> caseFiles()
{
    std::vector<std::filesystem::path> files;
    for (const auto& f : std::filesystem::directory_iterator(std::string(MORVANE_SOURCE_DIR) + "/tests/engine/cases"))
        if (f.path().extension() == ".json")
            files.push_back(f.path());
    std::sort(files.begin(), files.end());
    return files;
}

class DriverCase : public ::testing::TestWithParam<std::filesystem::path> {};

TEST_P(DriverCase, GivesTheExpectedOutput)
{
    const json c = withTableValues(json::parse(readFile(GetParam())));
    SCOPED_TRACE(c.value("shows", GetParam().filename().string()));
    TempFolder dir;
    const auto root = dir / "root";
    std::filesystem::create_directory(root);
    const std::string database = c.value("database", "none");
    if (database != "shipped")
        layOutDataRoot(root, database);

    std::vector<std::string> args = c.value("args", std::vector<std::string>{});
    args.insert(args.end(), {"--data-root", database == "shipped" ? std::string(MORVANE_PROGRAM_DIR) : root.string()});
    const DriverRun r = runDriver(dir, args, c.at("input").dump());
    EXPECT_EQ(r.exit, c.value("exit", 0)) << r.err;
    const json out = r.output();
    const double tolerance = c.value("tolerance", 1e-9);
    for (const auto& [key, value] : c.at("expect").items()) {
        ASSERT_TRUE(out.contains(key)) << key;
        expectMatches(out[key], value, tolerance, key);
    }
    const json contains = c.value("expectContains", json::object());
    for (const auto& [key, parts] : contains.items()) {
        ASSERT_TRUE(out.contains(key)) << key;
        const std::string all = out[key].is_string() ? out[key].get<std::string>() : out[key].dump();
        for (const auto& part : parts)
            EXPECT_NE(all.find(part.get<std::string>()), std::string::npos) << key << " lacks " << part << ": " << all;
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, DriverCase, ::testing::ValuesIn(caseFiles()),
                         [](const ::testing::TestParamInfo<std::filesystem::path>& info) {
                             std::string name = info.param.stem().string();
                             std::replace_if(name.begin(), name.end(), [](char ch) { return !std::isalnum(ch); }, '_');
                             return name;
                         });

// The output names every field of the six records, and the state read from a
// file comes back unchanged when the step leaves it alone.
TEST(EngineDriver, OutputHoldsEveryFieldAndRoundTrips)
{
    TempFolder dir;
    const json input = {
        {"gModellFluessigkeit", true},  {"gDichteEingabe", 998.2},       {"gMehrereBetriebspunkte", true},
        {"gMediumNr", -32768},          {"gDurchflussEinheit", 32767},   {"gGegenlagerNotwendig", -1},
        {"gMediumsbezeichnung", "Öl"},  {"gDifferenzdruck", {1.5, 2.5, 3.5, 0.1}}, {"gQmaxErlaubt", 0.1},
        {"gSprachOffset", 10000},       {"gUserMSCode", 3},
    };
    std::ofstream(dir / "in.json") << input.dump();
    const DriverRun r = runDriver(dir, {"--step", "BerechneDichteFluessigkeit", (dir / "in.json").string()}, {});
    ASSERT_EQ(r.exit, 0) << r.err;
    const json out = r.output();
    for (const StateField& f : stateFields())
        EXPECT_TRUE(out.contains(std::string(f.name))) << f.name;
    EXPECT_EQ(out["gModellFluessigkeit"], -1) << "true is -1";
    EXPECT_EQ(out["gMehrereBetriebspunkte"], 1) << "a check box's true is 1";
    EXPECT_EQ(out["gMediumNr"], -32768);
    EXPECT_EQ(out["gDurchflussEinheit"], 32767);
    EXPECT_EQ(out["gGegenlagerNotwendig"], -1);
    EXPECT_EQ(out["gMediumsbezeichnung"], "Öl");
    EXPECT_EQ(out["gDifferenzdruck"], json({1.5, 2.5, 3.5, 0.1}));
    EXPECT_EQ(out["gQmaxErlaubt"], 0.1) << "doubles are written exactly";
    EXPECT_EQ(out["gSprachOffset"], 10000);
    EXPECT_EQ(out["gUserMSCode"], 3);
    EXPECT_EQ(out["gBetriebsdichte"], 998.2);
    EXPECT_EQ(out["gKompressibilitaetEingabe"], 1.0);
    ASSERT_FALSE(out["trace"].empty());
    EXPECT_NE(out["trace"][0].get<std::string>().find("[Module1] Sub BerechneDichteFluessigkeit()"),
              std::string::npos);
}

// The named cases of tests/support hold what the Calculate run leaves: their
// inputs given to the driver on the shipped databases give back every result
// field the case sets, to 1e-12.
TEST(ReferenceCases, HoldWhatTheCalculateRunLeaves)
{
    struct Case {
        const char* name;
        void (*fill)(ProgramState&);
        std::vector<std::string> inputs;
    };
    const std::vector<std::string> waterInputs = {
        "gModellGespeicherteDaten", "gMediumNr",        "gTemperatur",          "gDruck",
        "gPrimaerelementtyp",       "gInnendurchmesser", "gOeffnungsdurchmesser", "gWandstaerke",
        "gDurchflussEinheit",       "gDurchflussAuslegung", "gKorrekturFaktor"};
    std::vector<std::string> rangeInputs = waterInputs;
    rangeInputs.insert(rangeInputs.end(),
                       {"gMehrereBetriebspunkte", "gDurchflussMax", "gDurchflussNorm", "gDurchflussMin"});
    const Case cases[] = {
        {"water orifice", testing::fillWaterOrifice, waterInputs},
        {"water orifice with its flow range",
         [](ProgramState& p) {
             testing::fillWaterOrifice(p);
             testing::fillWaterOrificeRange(p);
         },
         rangeInputs},
        {"RQ25 gas probe", testing::fillRq25GasProbe,
         {"gModellIdealesGas", "gDichteEingabe", "gKompressibilitaetEingabe", "gViskositaetEingabe",
          "gIsentropenkoeffizientEingabe", "gTemperatur", "gDruck", "gPrimaerelementtyp", "gInnendurchmesser",
          "gWandstaerke", "gDurchflussEinheit", "gDurchflussAuslegung", "gKorrekturFaktor", "gEpsilonFaktor"}},
    };
    const CalculationState fresh;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ProgramState p;
        c.fill(p);
        json input = {{"gEpsilonFaktor", 1.0}};
        const auto value = [&](const StateField& f, const CalculationState& s) -> json {
            switch (f.kind) {
            case FieldKind::Double:
                return f.in<double>(s);
            case FieldKind::String:
                return f.in<std::string>(s);
            case FieldKind::PointArray:
                return f.in<PointArray>(s);
            default:
                return f.in<std::int16_t>(s);
            }
        };
        for (const auto& name : c.inputs)
            input[name] = value(*findStateField(name), p.calc);
        TempFolder dir;
        const DriverRun r = runDriver(dir, {"--data-root", MORVANE_PROGRAM_DIR}, input.dump());
        ASSERT_EQ(r.exit, 0) << r.err;
        const json out = r.output();
        EXPECT_EQ(out["runComplete"], true);
        for (const StateField& f : stateFields()) {
            const json held = value(f, p.calc);
            if (held == value(f, fresh) || input.contains(std::string(f.name)))
                continue;
            expectMatches(out[std::string(f.name)], held, 1e-12, std::string(f.name));
        }
    }
}

// A damaged product table never becomes a silent number. In each shipped
// database file, one table at a time is damaged as a faulty edit or export
// would: a gas table's limits row reaching beyond the support points its counts
// select (a count lowered, a limit moved out) or giving an empty range, and a
// probe table whose count leaves diameters out or whose neighbouring diameters
// are alike. The Calculate run stops with the damaged-table error naming the
// table and the file, does not complete, and leaves every number as a run that
// never reached the table does (only the norm density and the critical data,
// which the gas step writes before any check, come from the table).
TEST(EngineDriver, DamagedProductTablesStopTheRun)
{
    const json gasRun = {{"gModellGespeicherteDaten", -1}, {"gPrimaerelementtyp", 9}, {"gInnendurchmesser", 100.0},
                         {"gOeffnungsdurchmesser", 50.0}, {"gDurchflussEinheit", 3}, {"gDurchflussAuslegung", 2890.0},
                         {"gKorrekturFaktor", 1.0}, {"gEpsilonFaktor", 1.0}, {"gBetriebsdichte", 11.0},
                         {"gKompressibilitaet", 0.5}};
    const json probeRun = {{"gModellIdealesGas", -1}, {"gDichteEingabe", 1.293}, {"gKompressibilitaetEingabe", 1.0},
                           {"gViskositaetEingabe", 0.0181}, {"gIsentropenkoeffizientEingabe", 1.4},
                           {"gTemperatur", 20.0}, {"gDruck", 500.0}, {"gPrimaerelementtyp", 3},
                           {"gWandstaerke", 5.0}, {"gDurchflussEinheit", 4}, {"gDurchflussAuslegung", 5.0},
                           {"gKorrekturFaktor", 1.0}, {"gEpsilonFaktor", 1.0}, {"gZeta", 9.0}, {"gKZahl", 9.0}};
    // A gas table's value of Gasdaten row `row`.
    const auto gasdaten = [](const std::string& table, int row) {
        return "(SELECT Gasdaten FROM \"" + table + "\" WHERE rowid = " + std::to_string(row) + ")";
    };
    struct Case {
        const char* table;
        std::string damage;  // SQL
        json state;          // over gasRun or probeRun
        const char* shows;
    };
    const Case cases[] = {
        {"5GasData", "UPDATE \"5GasData\" SET nTStuetz = 30 WHERE rowid = 1",
         {{"gMediumNr", 5}, {"gTemperatur", 390.0}, {"gDruck", 5000.0}},
         "nitrogen's temperature count lowered from 50 to 30: the last point -13 degC, the range up to 400"},
        {"1GasData", "UPDATE \"1GasData\" SET Gasdaten = 1000 WHERE rowid = 3",
         {{"gMediumNr", 1}, {"gTemperatur", 600.0}, {"gDruck", 1000.0}},
         "air's highest temperature raised from 400 to 1000 degC"},
        {"6GasData", "UPDATE \"6GasData\" SET nDStuetz = 20 WHERE rowid = 1",
         {{"gMediumNr", 6}, {"gTemperatur", 100.0}, {"gDruck", 15000.0}},
         "oxygen's pressure count lowered from 30 to 20"},
        {"7GasData",
         "UPDATE \"7GasData\" SET Gasdaten = (SELECT DStuetz FROM \"7GasData\" WHERE rowid = 1) - 5 WHERE rowid = 4",
         {{"gMediumNr", 7}, {"gTemperatur", 100.0}, {"gDruck", 1000.0}},
         "carbon dioxide's lowest pressure below its first support point"},
        {"8GasData",
         "UPDATE \"8GasData\" SET Gasdaten = (SELECT TStuetz FROM \"8GasData\" WHERE rowid = 1) - 10 WHERE rowid = 2",
         {{"gMediumNr", 8}, {"gTemperatur", 100.0}, {"gDruck", 1000.0}},
         "methane's lowest temperature below its first support point"},
        {"9GasData", "UPDATE \"9GasData\" SET Gasdaten = " + gasdaten("9GasData", 3) + " WHERE rowid = 2",
         {{"gMediumNr", 9}, {"gTemperatur", 100.0}, {"gDruck", 1000.0}},
         "hydrogen's range of temperatures empty (Tmin = Tmax), the state outside it"},
        {"5GasData", "UPDATE \"5GasData\" SET Gasdaten = " + gasdaten("5GasData", 5) + " + 1 WHERE rowid = 4",
         {{"gMediumNr", 5}, {"gTemperatur", 100.0}, {"gDruck", 1000.0}},
         "nitrogen's range of pressures reversed (pmin > pmax)"},
        {"RQ25", "UPDATE RQ25 SET NumStuetz = 10 WHERE rowid = 1", {{"gInnendurchmesser", 1000.0}},
         "a probe count that leaves diameters out: 1000 mm lies inside the table, not above it"},
        {"RQ25",
         "UPDATE RQ25 SET Durchmesser = (SELECT Durchmesser FROM RQ25 WHERE rowid = 2) WHERE rowid = 3",
         {{"gInnendurchmesser", 90.0}}, "two neighbouring probe diameters alike"},
    };
    const std::filesystem::path shipped = MORVANE_PROGRAM_DIR;
    for (const Case& c : cases) {
        for (const int code : {0, 1}) {
            const std::string file = code == 0 ? "morvdata5.sqlite" : "morvdata5_alt.sqlite";
            const std::string shows = std::string(c.shows) + ", " + file;
            json input = std::string(c.table).rfind("RQ", 0) == 0 ? probeRun : gasRun;
            input.update(c.state);
            input["gUserMSCode"] = code;
            TempFolder dir;
            const auto root = dir / "root";
            const auto empty = dir / "empty";
            std::filesystem::create_directory(root);
            std::filesystem::create_directory(empty);
            for (const char* db : {"morvdata5.sqlite", "morvdata5_alt.sqlite"})
                std::filesystem::copy_file(shipped / db, root / db);
            testing::execSql(root / file, c.damage);

            const DriverRun r = runDriver(dir, {"--data-root", root.string()}, input.dump());
            EXPECT_EQ(r.exit, 1) << shows << "\n" << r.err;
            const json out = r.output();
            ASSERT_EQ(out["runtimeErrors"].size(), 1u) << shows << ": " << out["runtimeErrors"].dump();
            const std::string error = out["runtimeErrors"][0].get<std::string>();
            for (const std::string& part : {std::string("380 "), "table '" + std::string(c.table) + "'", "/" + file + "'"})
                EXPECT_NE(error.find(part), std::string::npos) << shows << ": " << error;
            EXPECT_EQ(out["runComplete"], false) << shows;

            // The same run over a data root without databases stops at the
            // first reading of a table, before any number came from one.
            const DriverRun before = runDriver(dir, {"--data-root", empty.string()}, input.dump());
            const json base = before.output();
            for (const StateField& f : stateFields()) {
                const std::string name(f.name);
                if (name == "gNormdichte" || name == "gKritischeTemperatur" || name == "gKritischerDruck")
                    continue;
                EXPECT_EQ(out[name], base[name]) << name << ", " << shows;
            }
        }
    }
}

TEST(EngineDriver, RefusesBadInput)
{
    struct Case {
        std::vector<std::string> args;
        std::optional<std::string> input;
        const char* named;
        const char* shows;
    };
    const Case cases[] = {
        {{}, R"({"gNoSuchField": 1})", "gNoSuchField", "unknown key"},
        {{}, R"({"gMediumNr": 40000})", "gMediumNr", "an Integer beyond 32767 is refused, not wrapped"},
        {{}, R"({"gMediumNr": -32769})", "gMediumNr", "an Integer below -32768"},
        {{}, R"({"gMediumNr": 1.5})", "gMediumNr", "a fraction for an Integer"},
        {{}, R"({"gModellIdealesGas": 65535})", "gModellIdealesGas", "a Boolean beyond 16 bits"},
        {{}, R"({"gUserMSCode": 70000})", "gUserMSCode", "the database code is 16 bits"},
        {{}, R"({"gDruck": "500"})", "gDruck", "a text for a number"},
        {{}, R"({"gMediumsbezeichnung": 5})", "gMediumsbezeichnung", "a number for a text"},
        {{}, R"({"gDifferenzdruck": [1, 2, 3]})", "gDifferenzdruck", "an array of three"},
        {{}, R"({"gDruck": 1e400})", "", "a number beyond the double range"},
        {{}, R"([1, 2])", "not a JSON object", "not an object"},
        {{}, R"({"gDruck": )", "bad JSON", "broken JSON"},
        {{"--step", "BerechneNichts"}, "{}", "no step named BerechneNichts", "unknown step"},
        {{"--frobnicate"}, "{}", "unknown option", "unknown option"},
        {{"--solve", "--step", "BerechneDichte"}, "{}", "--step and --solve together", "a step and the solver"},
        {{"/nonexistent/case.json"}, std::nullopt, "cannot read", "missing input file"},
    };
    for (const auto& c : cases) {
        TempFolder dir;
        const DriverRun r = runDriver(dir, c.args, c.input);
        EXPECT_EQ(r.exit, 2) << c.shows << "\n" << r.err;
        EXPECT_NE(r.err.find(c.named), std::string::npos) << c.shows << ": " << r.err;
        EXPECT_TRUE(r.out.empty()) << c.shows;
    }
}

}  // namespace
}  // namespace morvane
