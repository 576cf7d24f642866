// The configuration database: the row walk, the help lookup, the fill of the
// field table and the model load with its failure messages.
#include "configurator/ConfigData.h"

#include "engine/CalculationState.h"
#include "engine/GasTableFixture.h"
#include "platform/RuntimeError.h"
#include "support/Fakes.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace morvane {
namespace {

using testing::execSql;
using testing::RecordingMessageBox;
using testing::TempFolder;
using testing::TestTracer;

constexpr const char* HelpTable =
    "CREATE TABLE ConfigHelp (ConfigFieldName TEXT, EditField INTEGER, Mandatory INTEGER, DrawingField INTEGER,"
    " TextinCombo TEXT, Type TEXT, ValueMin REAL, ValueMax REAL, ValueDecs INTEGER, ValueNeg INTEGER,"
    " EditFactor REAL, Prefix TEXT, Suffix TEXT, LabelStringID INTEGER);";

// ---- the row walk ------------------------------------------------------------

struct WalkCase {
    const char* name;
    const char* rows;  // (ID, tag) values in stored order
    std::vector<std::string> tags;  // tags in the order the walk visits them
    std::int16_t idAfterWalk;
};

TEST(ConfigRowWalk, VisitsRowsInAscendingIdBelow10000)
{
    const WalkCase cases[] = {
        {"stored out of order", "(5,'e'),(2,'b'),(1,'a'),(4,'d'),(3,'c')", {"a", "b", "c", "d", "e"}, 5},
        {"gaps, and 12000 never visited", "(20,'t'),(12000,'x'),(1,'a'),(7,'s'),(2,'b'),(3,'c')",
         {"a", "b", "c", "s", "t"}, 20},
        {"duplicate ID: the first stored wins", "(1,'a'),(3,'c1'),(2,'b'),(3,'c2'),(4,'d')", {"a", "b", "c1", "d"}, 4},
        {"no row 1", "(2,'b'),(3,'c')", {}, 42},
        {"ID 9999 is the last one visited", "(1,'a'),(10000,'x'),(9999,'z')", {"a", "z"}, 9999},
    };
    for (const WalkCase& c : cases) {
        SCOPED_TRACE(c.name);
        TestTracer t;
        TempFolder dir;
        execSql(dir / "w.sqlite", std::string("CREATE TABLE w (ID INTEGER, tag TEXT); INSERT INTO w VALUES ") + c.rows);
        ProductDatabase db(dir / "w.sqlite");
        ConfigZustand z;
        z.gConfZeilenID = 42;
        z.gRsConfig = db.OpenRecordset("w");
        std::vector<std::string> seen;
        subgMoveFirst(z);
        while (!z.gRsConfig->atEnd()) {
            seen.push_back(z.gRsConfig->stringValue("tag"));
            subgMoveNext(z);
        }
        EXPECT_EQ(seen, c.tags);
        EXPECT_TRUE(z.gRsConfig->atEnd());
        EXPECT_EQ(z.gConfZeilenID, c.idAfterWalk);
        EXPECT_TRUE(t.responder.reports.empty());
    }
}

// The model tables are read by column position.
TEST(ConfigTableColumns, ReadByPosition)
{
    TempFolder dir;
    execSql(dir / "c.sqlite", "CREATE TABLE t (ID INTEGER, a TEXT, b REAL, c TEXT); INSERT INTO t VALUES (1, '020', 2.5, NULL);");
    ProductDatabase db(dir / "c.sqlite");
    Recordset rs = db.OpenRecordset("t");
    EXPECT_EQ(rs.columnCount(), 4u);
    EXPECT_EQ(rs.columnName(3), "c");
    EXPECT_EQ(rs.stringAt(0), "1");
    EXPECT_EQ(rs.stringAt(1), "020") << "a text stays as stored";
    EXPECT_EQ(rs.stringAt(2), "2.5");
    EXPECT_TRUE(rs.isNullAt(3));
    EXPECT_FALSE(rs.isNullAt(1));
    const auto errorOf = [](const auto& f) {
        try {
            f();
        } catch (const RuntimeError& e) {
            return e.number();
        }
        return 0;
    };
    EXPECT_EQ(errorOf([&] { (void)rs.stringAt(3); }), 94) << "Null read as text";
    EXPECT_EQ(errorOf([&] { (void)rs.isNullAt(4); }), 3265) << "no column 4";
    EXPECT_EQ(errorOf([&] { (void)rs.columnName(4); }), 3265);
    rs.MoveNext();
    EXPECT_EQ(errorOf([&] { (void)rs.isNullAt(0); }), 3021) << "no current record";
}

// ---- the model load ------------------------------------------------------------

// Two models in the main database. M1 has 9 columns (5 fields A..E) and is
// stored out of order; M2 has one field whose help row sets everything.
class ConfigLoadTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        execSql(dir / "morvdata5.sqlite",
                std::string(HelpTable) +
                    "INSERT INTO ConfigHelp VALUES"
                    " (NULL, 0, 0, 0, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL),"
                    " ('', 0, 0, 0, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL),"
                    " ('KA', 0, -1, 0, NULL, NULL, 1, 2, 0, 0, 0, NULL, NULL, NULL),"
                    " ('KB', NULL, 0, -1, 'B2', 'Value', NULL, 100, 2, 1, 0, 'L', 'mm', 1810),"
                    " ('KD', -1, -1, 0, 'X', 'CombiAdd', -5, 5, 1, 1, 0.25, NULL, NULL, NULL),"
                    " ('KD', 0, 0, 0, 'Y', 'Value', 0, 0, 0, 0, 0, NULL, NULL, 1),"
                    " ('kd', 0, 0, 0, 'Z', 'Value', 0, 0, 0, 0, 0, NULL, NULL, 1),"
                    " ('KM2', -1, -1, -1, 'Q', 'Constant', 5, 50, 3, 1, 2.5, 'P', 'S', 1811);"
                    "CREATE TABLE \"M1-CONFIG-DE\" (ID INTEGER, Info TEXT, A TEXT, B TEXT, C TEXT, D TEXT, E TEXT,"
                    " Txt TEXT, Note TEXT);"
                    "INSERT INTO \"M1-CONFIG-DE\" VALUES"
                    " (4, NULL, 'A1', NULL, NULL, NULL, NULL, 'opt A1', 'n'),"
                    " (1, 'ignored', 'x', 'x', 'x', 'x', 'x', 'ignored', NULL),"
                    " (12000, NULL, 'AZ', 'BZ', 'CZ', 'DZ', 'EZ', 'never', NULL),"
                    " (2, NULL, 'Cap A', '', 'Cap C', 'Cap D', 'Cap E', NULL, NULL),"
                    " (3, 'M1 ', 'KA', 'KB', NULL, 'KD', 'KX', 'Description M1', NULL),"
                    " (6, NULL, NULL, 'B2', NULL, NULL, NULL, NULL, NULL),"
                    " (5, NULL, 'A2', 'B1', NULL, NULL, NULL, 'shared', NULL),"
                    " (7, NULL, NULL, NULL, 'C1', '020', 'E1', 'seven', NULL);"
                    "CREATE TABLE \"M2-CONFIG-DE\" (ID INTEGER, Info TEXT, A TEXT, B TEXT, Txt TEXT, Note TEXT);"
                    "INSERT INTO \"M2-CONFIG-DE\" VALUES (1, NULL, NULL, NULL, NULL, NULL),"
                    " (2, NULL, 'M2 A', 'M2 B', NULL, NULL), (3, '', 'KM2', 'KM2', '', NULL),"
                    " (4, NULL, 'Q', 'Q', 'q', NULL), (5, NULL, 'R', 'R', 'r', NULL);");
    }

    ConfigModel load(const std::string& model, const std::string& language = "DE", std::int16_t msCode = 0)
    {
        ConfigEnvironment env{databases, boxes, msCode};
        return fncgChangeConfigSensor(z, env, model, language);
    }

    TestTracer t;
    TempFolder dir;
    ProductDatabases databases{dir.path()};
    RecordingMessageBox boxes;
    ConfigZustand z;
};

TEST_F(ConfigLoadTest, FillsRowsCaptionsAndOptionsInIdOrder)
{
    const ConfigModel m = load("M1");
    EXPECT_TRUE(t.responder.reports.empty());
    EXPECT_TRUE(boxes.shown.empty());
    ASSERT_TRUE(m.loaded);
    EXPECT_EQ(z.gConfFeldAnzahl, 5) << "9 columns give 5 fields";
    EXPECT_EQ(m.scrollMax, -1200);
    EXPECT_EQ(m.typeInfo, "M1 ");
    EXPECT_EQ(m.typeDescription, "Description M1");
    EXPECT_EQ(z.gDatenbankPfad, (dir / "morvdata5.sqlite").string());
    ASSERT_EQ(m.rows.size(), 5u);

    struct Expect {
        std::string caption;
        std::vector<std::pair<std::string, std::string>> options;
    };
    const Expect expected[] = {
        {"Cap A", {{"A1", "opt A1"}, {"A2", "shared"}}},
        {"", {{"B1", "shared"}, {"B2", ""}}},  // empty caption; a Null text keeps its place
        {"Cap C", {{"C1", "seven"}}},
        {"Cap D", {{"020", "seven"}}},  // a code stays the text it is
        {"Cap E", {{"E1", "seven"}}},
    };
    for (std::size_t f = 0; f < 5; ++f) {
        SCOPED_TRACE("field " + std::to_string(f));
        const ConfigField& fld = z.gConfFelder[f];
        EXPECT_EQ(m.rows[f].caption, expected[f].caption);
        EXPECT_EQ(m.rows[f].tooltip, expected[f].caption);
        EXPECT_EQ(fld.Caption, expected[f].caption);
        ASSERT_EQ(m.rows[f].options.size(), expected[f].options.size());
        EXPECT_EQ(fld.OptionCount, static_cast<std::int16_t>(expected[f].options.size()));
        EXPECT_EQ(fld.Code[0], "");
        for (std::size_t k = 1; k <= expected[f].options.size(); ++k) {
            EXPECT_EQ(fld.Code[k], expected[f].options[k - 1].first) << "Code(k) is list position k";
            EXPECT_EQ(fld.Text[k], expected[f].options[k - 1].second);
            EXPECT_EQ(m.rows[f].options[k - 1].code, fld.Code[k]);
            EXPECT_EQ(m.rows[f].options[k - 1].text, fld.Text[k]);
        }
    }
}

TEST_F(ConfigLoadTest, HelpRowsAndTheirNullRules)
{
    load("M1");
    const auto& f = z.gConfFelder;
    // KA: every column given.
    EXPECT_EQ(f[0].FieldName, "KA");
    EXPECT_EQ(f[0].EditField, False);
    EXPECT_EQ(f[0].Mandatory, True);
    EXPECT_EQ(f[0].ValueMin, 1);
    EXPECT_EQ(f[0].ValueMax, 2);
    EXPECT_EQ(f[0].LabelStringID, 0) << "a Null label id gives 0";
    // KB: Null EditField leaves it True, Null ValueMin the fresh 0.
    EXPECT_EQ(f[1].EditField, True);
    EXPECT_EQ(f[1].DrawingField, True);
    EXPECT_EQ(f[1].ValueMin, 0);
    EXPECT_EQ(f[1].ValueMax, 100);
    EXPECT_EQ(f[1].ValueDecs, 2);
    EXPECT_EQ(f[1].ValueNeg, 1);
    EXPECT_EQ(f[1].TextinCombo, "B2");
    EXPECT_EQ(f[1].Type, "Value");
    EXPECT_EQ(f[1].Prefix, "L");
    EXPECT_EQ(f[1].Suffix, "mm");
    EXPECT_EQ(f[1].LabelStringID, 1810);
    // No help key: a fresh record but its rows.
    EXPECT_EQ(f[2].EditField, False);
    EXPECT_EQ(f[2].FieldName, "");
    // KD twice (and "kd"): the first row, compared case-sensitively.
    EXPECT_EQ(f[3].TextinCombo, "X");
    EXPECT_EQ(f[3].Type, "CombiAdd");
    EXPECT_EQ(f[3].EditFactor, 0.25);
    EXPECT_EQ(f[3].ValueMin, -5);
    // KX has no help row: EditField True, nothing else.
    EXPECT_EQ(f[4].EditField, True);
    EXPECT_EQ(f[4].FieldName, "");
}

// A record is reset before it is filled: a Null or a missing help row gives the
// value of a fresh record, not the value of the model loaded before.
TEST_F(ConfigLoadTest, NothingOfThePreviousModelSurvivesInAField)
{
    load("M2");
    ASSERT_EQ(z.gConfFeldAnzahl, 2);
    EXPECT_EQ(z.gConfFelder[1].ValueMin, 5);
    EXPECT_EQ(z.gConfFelder[1].Type, "Constant");
    const ConfigModel m = load("M1");
    EXPECT_FALSE(m.typeInfo.has_value() && m.typeInfo->empty());
    EXPECT_EQ(z.gConfFelder[1].ValueMin, 0) << "Null ValueMin of KB, not M2's 5";
    EXPECT_EQ(z.gConfFelder[1].EditFactor, 0);
    EXPECT_EQ(z.gConfFelder[0].Prefix, "");
    EXPECT_EQ(z.gConfFelder[0].DrawingField, False);
    EXPECT_EQ(z.gConfFelder[4].Type, "");
    EXPECT_EQ(z.gConfFelder[4].Mandatory, False);
    // M2's row 3 has empty type texts: the boxes keep theirs.
    const ConfigModel m2 = load("M2");
    EXPECT_FALSE(m2.typeInfo.has_value());
    EXPECT_FALSE(m2.typeDescription.has_value());
    EXPECT_EQ(z.gConfFelder[2].Caption, "") << "a field beyond the model's is fresh";
    EXPECT_EQ(z.gConfFelder[2].OptionCount, 0);
}

// The two messages of a failed load, with the database file's name and the
// database's own description between the fixed texts; afterwards nothing of
// the previous model remains.
TEST_F(ConfigLoadTest, FailedLoadsReportTwiceAndLeaveAnEmptyConfiguration)
{
    struct Case {
        const char* name;
        std::string model;
        std::string language;
        std::int16_t msCode;
        std::string file;
        std::string descriptionPart;
    };
    const Case cases[] = {
        {"no model table", "M9", "DE", 0, "morvdata5.sqlite", "M9-CONFIG-DE"},
        {"no table of the language", "M1", "EN", 0, "morvdata5.sqlite", "M1-CONFIG-EN"},
        {"no alternative database", "M1", "DE", 1, "morvdata5_alt.sqlite", "morvdata5_alt.sqlite"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        boxes.shown.clear();
        ASSERT_TRUE(load("M1").loaded);
        const ConfigModel m = load(c.model, c.language, c.msCode);
        EXPECT_FALSE(m.loaded);
        ASSERT_EQ(boxes.shown.size(), 2u);
        const std::string& first = boxes.shown[0].text;
        const std::string head = "Problems connecting to DB " + c.file + "\rText:";
        EXPECT_EQ(first.substr(0, head.size()), head);
        EXPECT_NE(first.find(c.descriptionPart, head.size()), std::string::npos) << first;
        EXPECT_EQ(first.back(), '!');
        EXPECT_EQ(boxes.shown[0].icon, MessageIcon::Critical);
        EXPECT_EQ(boxes.shown[0].caption, "") << "the program's title";
        EXPECT_EQ(boxes.shown[1].text, "Could not connect to DB " + c.file + "!");
        EXPECT_EQ(boxes.shown[1].icon, MessageIcon::Critical);
        EXPECT_TRUE(m.rows.empty());
        EXPECT_EQ(z.gConfFeldAnzahl, 0);
        EXPECT_EQ(m.typeInfo, "") << "no type information, so no type key";
        EXPECT_TRUE(m.descriptionToInitial);
        EXPECT_EQ(z.gConfFelder[0].Caption, "");
    }
    EXPECT_TRUE(t.responder.reports.empty()) << "opening faults are messages, not error dialogs";
}

TEST_F(ConfigLoadTest, ConfigHelpMissingIsAConnectionFailure)
{
    TempFolder other;
    execSql(other / "morvdata5.sqlite",
            "CREATE TABLE \"M-CONFIG-DE\" (ID INTEGER, Info TEXT, A TEXT, Txt TEXT, Note TEXT);"
            "INSERT INTO \"M-CONFIG-DE\" VALUES (1,NULL,NULL,NULL,NULL),(2,NULL,'a',NULL,NULL),"
            "(3,NULL,NULL,NULL,NULL),(4,NULL,'x','x',NULL);");
    ProductDatabases dbs(other.path());
    ConfigEnvironment env{dbs, boxes, 0};
    const ConfigModel m = fncgChangeConfigSensor(z, env, "M", "DE");
    EXPECT_FALSE(m.loaded);
    ASSERT_EQ(boxes.shown.size(), 2u);
    EXPECT_NE(boxes.shown[0].text.find("ConfigHelp"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(other / "morvdata5_alt.sqlite")) << "never created";
}

// Data beyond the field table (52 field columns, 31 options) and tables
// without their first rows: one error dialog naming table and limit, then the
// fill message and no rows, also when the user goes on with the next statement.
TEST(ConfigLoadLimits, DataBeyondTheTableIsReportedOnceAndLeavesNoRows)
{
    const auto columns = [](int fields) {
        std::string cols = "ID INTEGER, Info TEXT";
        for (int i = 0; i < fields; ++i)
            cols.append(", F").append(std::to_string(i)).append(" TEXT");
        cols += ", Txt TEXT, Note TEXT";
        return cols;
    };
    const auto row = [](int id, int fields, const std::string& cell) {
        std::string r = "(";
        r.append(std::to_string(id)).append(", NULL");
        for (int i = 0; i < fields; ++i)
            r.append(", ").append(cell);
        r += ", 'text', NULL)";
        return r;
    };
    const auto table = [&](int fields, int options, bool withRow1) {
        std::string sql = "CREATE TABLE \"L-CONFIG-DE\" (" + columns(fields) + ");";
        if (options < 0)
            return sql;  // an empty table
        sql += " INSERT INTO \"L-CONFIG-DE\" VALUES ";
        if (withRow1)
            sql += row(1, fields, "NULL") + ",";
        sql += row(2, fields, "'cap'") + "," + row(3, fields, "NULL");
        for (int k = 0; k < options; ++k)
            sql.append(",").append(row(4 + k, fields, std::string("'o").append(std::to_string(k)).append("'")));
        return sql;
    };
    struct Case {
        const char* name;
        int fields, options;
        bool withRow1;
        bool loads;
        int error;
        std::string descriptionPart;
    };
    const Case cases[] = {
        {"11 fields (15 columns)", 11, 3, true, true, 0, ""},
        {"51 fields, 30 options", 51, 30, true, true, 0, ""},
        {"52 fields", 52, 1, true, false, 9, "52 field columns, at most 51"},
        {"31 options", 2, 31, true, false, 9, "31 options, at most 30"},
        {"no option rows", 2, 0, true, false, 3021, "at least 4"},
        {"no row 1", 2, 3, false, false, 3021, "0 rows"},
        {"an empty table", 2, -1, true, false, 3021, "the table is empty"},
    };
    // Whatever the user answers in the error dialog: leaving the procedure, or
    // going on with the next statement.
    for (const std::int16_t answer : {ContExit, ContNext})
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.name) + (answer == ContNext ? ", Next" : ", Exit"));
        TestTracer t;
        t.responder.answers = {answer};
        TempFolder dir;
        execSql(dir / "morvdata5.sqlite", std::string(HelpTable) + table(c.fields, c.options, c.withRow1));
        ProductDatabases dbs(dir.path());
        RecordingMessageBox boxes;
        ConfigEnvironment env{dbs, boxes, 0};
        ConfigZustand z;
        const ConfigModel m = fncgChangeConfigSensor(z, env, "L", "DE");
        EXPECT_EQ(m.loaded, c.loads);
        if (c.loads) {
            EXPECT_EQ(z.gConfFeldAnzahl, c.fields);
            EXPECT_EQ(m.scrollMax, (c.fields - 8) * 400) << "eight rows in view";
            const ConfigField& last = z.gConfFelder[static_cast<std::size_t>(c.fields - 1)];
            EXPECT_EQ(last.OptionCount, c.options);
            EXPECT_EQ(last.Code[static_cast<std::size_t>(c.options)], std::string("o").append(std::to_string(c.options - 1)));
            EXPECT_TRUE(t.responder.reports.empty());
            continue;
        }
        ASSERT_EQ(t.responder.reports.size(), 1u) << "reported once";
        EXPECT_EQ(t.responder.reports[0].number, c.error);
        EXPECT_NE(t.responder.reports[0].description.find("L-CONFIG-DE"), std::string::npos);
        EXPECT_NE(t.responder.reports[0].description.find(c.descriptionPart), std::string::npos)
            << t.responder.reports[0].description;
        ASSERT_EQ(boxes.shown.size(), 1u);
        EXPECT_EQ(boxes.shown[0].text, "Error while filling Combo Boxes morvdata5.sqlite!");
        EXPECT_TRUE(m.rows.empty());
        EXPECT_EQ(z.gConfFeldAnzahl, 0);
        EXPECT_EQ(m.typeInfo, "");
    }
}

TEST(ConfigNames, TableAndDatabaseFile)
{
    EXPECT_EQ(configTableName("RQ25", "DE"), "RQ25-CONFIG-DE");
    EXPECT_EQ(configDatabaseFileName(0), "morvdata5.sqlite");
    EXPECT_EQ(configDatabaseFileName(1), "morvdata5_alt.sqlite");
    EXPECT_EQ(configDatabaseFileName(-1), "morvdata5_alt.sqlite");
}

}  // namespace
}  // namespace morvane
