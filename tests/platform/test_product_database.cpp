// The read-only product database reader over SQLite.
#include "engine/GasTableFixture.h"
#include "platform/ProductDatabase.h"
#include "platform/RuntimeError.h"

#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <optional>
#include <string>

namespace morvane {
namespace {

using testing::execSql;
using testing::TempFolder;

// The run-time error a call raises, or number 0 when it raises none.
RuntimeError errorOf(const std::function<void()>& f)
{
    try {
        f();
    } catch (const RuntimeError& e) {
        return e;
    }
    return RuntimeError(0, "");
}

bool contains(const std::string& text, const std::string& part)
{
    return text.find(part) != std::string::npos;
}

class ProductDatabaseTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        // Rows inserted with their rowids out of step with the values, and
        // mixed cell types.
        execSql(file, "CREATE TABLE probe (Durchmesser REAL, Zeta REAL, NumStuetz INTEGER, Name TEXT);"
                      "INSERT INTO probe (rowid, Durchmesser, Zeta, NumStuetz, Name) VALUES (2, 50, 0.8, NULL, 'b');"
                      "INSERT INTO probe (rowid, Durchmesser, Zeta, NumStuetz, Name) VALUES (1, 80, 0.9, 3, 'a');"
                      "INSERT INTO probe (rowid, Durchmesser, Zeta, NumStuetz, Name) VALUES (3, 20, '1.5', 2.5, 'x1');"
                      "CREATE TABLE empty (a REAL);"
                      "CREATE TABLE counts (n REAL);"
                      "INSERT INTO counts VALUES (3.5), (4.5), (-2.5), (32767.4), (32767.5), (-32768.5), (1e999);");
    }
    TempFolder dir;
    std::filesystem::path file = dir / "data.sqlite";
};

TEST_F(ProductDatabaseTest, ReadsRowsInStoredOrder)
{
    ProductDatabase db(file);
    Recordset rs = db.OpenRecordset("probe");
    EXPECT_EQ(rs.rowNumber(), 1u) << "a fresh recordset stands on its first row";
    EXPECT_EQ(rs.doubleValue("Durchmesser"), 80.0) << "rowid 1 first";
    EXPECT_EQ(rs.integerValue("NumStuetz"), 3);
    EXPECT_EQ(rs.stringValue("Name"), "a");
    rs.MoveNext();
    EXPECT_EQ(rs.doubleValue("Durchmesser"), 50.0);
    EXPECT_TRUE(rs.isNull("NumStuetz"));
    rs.MoveNext();
    EXPECT_EQ(rs.doubleValue("zeta"), 1.5) << "column names ignore case; a numeric text reads as its number";
    EXPECT_EQ(rs.integerValue("NumStuetz"), 2) << "2.5 rounds to the even 2";
    rs.MoveNext();
    EXPECT_TRUE(rs.atEnd());
    rs.MoveFirst();
    EXPECT_EQ(rs.doubleValue("Durchmesser"), 80.0);
}

TEST_F(ProductDatabaseTest, IntegerReadsRoundHalfToEvenAndRefuseOverflow)
{
    ProductDatabase db(file);
    Recordset rs = db.OpenRecordset("counts");
    struct Row {
        std::optional<int> value;  // none: overflow expected
        const char* shows;
    };
    const Row rows[] = {
        {4, "3.5 rounds up to the even 4"},
        {4, "4.5 rounds down to the even 4"},
        {-2, "-2.5 rounds to the even -2"},
        {32767, "32767.4 is still an Integer"},
        {std::nullopt, "32767.5 rounds to 32768, out of range"},
        {-32768, "-32768.5 rounds to the even -32768, in range"},
        {std::nullopt, "an infinite cell is refused"},
    };
    for (const Row& r : rows) {
        if (r.value) {
            EXPECT_EQ(rs.integerValue("n"), *r.value) << r.shows;
        } else {
            const auto e = errorOf([&] { rs.integerValue("n"); });
            EXPECT_EQ(e.number(), dberr::Overflow) << r.shows;
            EXPECT_TRUE(contains(e.description(), "table 'counts'")) << e.description();
        }
        rs.MoveNext();
    }
}

TEST_F(ProductDatabaseTest, FaultsOfTheStoreAreRunTimeErrorsNamingTheirPlace)
{
    ProductDatabase db(file);
    const std::string path = file.string();
    struct Case {
        std::function<void()> call;
        int number;
        std::vector<std::string> named;
        const char* shows;
    };
    const Case cases[] = {
        {[&] { db.OpenRecordset("1GasData"); }, dberr::TableNotFound, {"1GasData", path}, "missing table"},
        {[&] { db.OpenRecordset("probe").doubleValue("Feld7"); }, dberr::ItemNotFound, {"Feld7", "probe", path},
         "missing column"},
        {[&] { db.OpenRecordset("empty").MoveFirst(); }, dberr::NoCurrentRecord, {"empty", path},
         "MoveFirst on an empty table"},
        {[&] { db.OpenRecordset("empty").doubleValue("a"); }, dberr::NoCurrentRecord, {"empty"},
         "reading an empty table"},
        {[&] {
             Recordset rs = db.OpenRecordset("probe");
             rs.MoveNext();
             rs.MoveNext();
             rs.MoveNext();
             rs.doubleValue("Zeta");
         },
         dberr::NoCurrentRecord, {"Zeta", "probe"}, "reading past the last row"},
        {[&] {
             Recordset rs = db.OpenRecordset("probe");
             for (int i = 0; i < 4; ++i)
                 rs.MoveNext();
         },
         dberr::NoCurrentRecord, {"probe"}, "moving beyond the end"},
        {[&] {
             Recordset rs = db.OpenRecordset("probe");
             rs.MoveNext();
             rs.doubleValue("NumStuetz");
         },
         dberr::InvalidUseOfNull, {"NumStuetz", "row 2", "probe", path}, "an empty cell read as a number"},
        {[&] { db.OpenRecordset("probe").doubleValue("Name"); }, dberr::TypeMismatch, {"Name", "probe"},
         "a text that is no number"},
    };
    for (const auto& c : cases) {
        const auto e = errorOf(c.call);
        EXPECT_EQ(e.number(), c.number) << c.shows;
        for (const auto& part : c.named)
            EXPECT_TRUE(contains(e.description(), part)) << c.shows << ": " << e.description();
    }
}

// What one read gives: the value's text, or the error's number and description.
std::string outcome(const std::function<std::string()>& read)
{
    try {
        return "value " + read();
    } catch (const RuntimeError& e) {
        return "error " + std::to_string(e.number()) + ": " + e.description();
    }
}

TEST_F(ProductDatabaseTest, ANamedColumnReadsAsItsNameOnEveryRowAndInEveryFault)
{
    execSql(file, "CREATE TABLE reordered (Name TEXT, NumStuetz INTEGER, Zeta REAL);"
                  "INSERT INTO reordered VALUES ('r', 7, 0.25);");
    ProductDatabase db(file);
    // The name as given (any case) names the column in the faults too; Feld7 is
    // missing.
    for (const char* name : {"Durchmesser", "zeta", "NumStuetz", "Name", "Feld7"}) {
        const Recordset::Column column(name);
        // The same column object over two tables with their columns in other
        // places, each from its first row to past its last.
        for (const char* table : {"probe", "reordered", "probe"}) {
            Recordset byName = db.OpenRecordset(table);
            Recordset byColumn = db.OpenRecordset(table);
            for (int row = 1; row <= 4; ++row) {
                const std::string where = std::string(table) + " row " + std::to_string(row) + " " + name;
                EXPECT_EQ(outcome([&] { return std::to_string(byColumn.doubleValue(column)); }),
                          outcome([&] { return std::to_string(byName.doubleValue(name)); }))
                    << where;
                EXPECT_EQ(outcome([&] { return std::to_string(byColumn.integerValue(column)); }),
                          outcome([&] { return std::to_string(byName.integerValue(name)); }))
                    << where;
                EXPECT_EQ(outcome([&] { return byColumn.stringValue(column); }),
                          outcome([&] { return byName.stringValue(name); }))
                    << where;
                EXPECT_EQ(outcome([&] { return std::string(byColumn.isNull(column) ? "Null" : "set"); }),
                          outcome([&] { return std::string(byName.isNull(name) ? "Null" : "set"); }))
                    << where;
                if (byName.atEnd())
                    break;
                byName.MoveNext();
                byColumn.MoveNext();
            }
        }
    }
}

TEST(ProductDatabase, AMissingFileIsFileNotFoundAndIsNotCreated)
{
    TempFolder dir;
    const auto missing = dir / "morvdata5.sqlite";
    const auto e = errorOf([&] { ProductDatabase db(missing); });
    EXPECT_EQ(e.number(), err::FileNotFound);
    EXPECT_TRUE(contains(e.description(), missing.string())) << e.description();
    EXPECT_FALSE(std::filesystem::exists(missing));
}

TEST(ProductDatabase, AFileThatIsNoDatabase)
{
    TempFolder dir;
    const auto file = dir / "morvdata5.sqlite";
    {
        std::ofstream out(file);
        out << "a text file, not a database\n";
    }
    const auto e = errorOf([&] { ProductDatabase(file).OpenRecordset("1GasData"); });
    EXPECT_EQ(e.number(), dberr::UnrecognizedFormat);
    EXPECT_TRUE(contains(e.description(), file.string())) << e.description();
}

TEST(ProductDatabases, TheUserCodeChoosesTheFile)
{
    TempFolder dir;
    execSql(dir / "morvdata5.sqlite", "CREATE TABLE which (name TEXT); INSERT INTO which VALUES ('main');");
    execSql(dir / "morvdata5_alt.sqlite", "CREATE TABLE which (name TEXT); INSERT INTO which VALUES ('alt');");
    ProductDatabases dbs(dir.path());
    struct Case {
        std::int16_t code;
        const char* expected;
    };
    for (const Case c : {Case{0, "main"}, Case{1, "alt"}, Case{-1, "alt"}, Case{0, "main"}}) {
        EXPECT_EQ(dbs.OpenDatabase(c.code)->OpenRecordset("which").stringValue("name"), c.expected)
            << "gUserMSCode " << c.code;
    }
    EXPECT_EQ(dbs.file(0), dir / "morvdata5.sqlite");
    EXPECT_EQ(dbs.file(7), dir / "morvdata5_alt.sqlite");
}

TEST(ProductDatabases, AKeptConnectionFollowsTheFileOnDisk)
{
    TempFolder dir;
    const auto file = dir / "morvdata5.sqlite";
    execSql(file, "CREATE TABLE which (name TEXT); INSERT INTO which VALUES ('first');");
    ProductDatabases dbs(dir.path());
    EXPECT_EQ(dbs.OpenDatabase(0)->OpenRecordset("which").stringValue("name"), "first");

    // Replaced by another file: the new content is read.
    const auto other = dir / "other.sqlite";
    execSql(other, "CREATE TABLE which (name TEXT); INSERT INTO which VALUES ('second'), ('more');");
    std::filesystem::rename(other, file);
    EXPECT_EQ(dbs.OpenDatabase(0)->OpenRecordset("which").stringValue("name"), "second");

    // Removed: file not found again, even though a connection was open.
    std::filesystem::remove(file);
    const auto e = errorOf([&] { dbs.OpenDatabase(0); });
    EXPECT_EQ(e.number(), err::FileNotFound);
    EXPECT_TRUE(contains(e.description(), file.string())) << e.description();
    EXPECT_FALSE(std::filesystem::exists(file));
}

// One calculation run checks the file at its first open and then keeps to what
// it found; the next run looks again.
TEST(ProductDatabases, WithinOneRunTheFileIsCheckedOnce)
{
    TempFolder dir;
    const auto file = dir / "morvdata5.sqlite";
    const auto other = dir / "other.sqlite";
    execSql(file, "CREATE TABLE which (name TEXT); INSERT INTO which VALUES ('first');");
    ProductDatabases dbs(dir.path());
    const auto read = [&] {
        return outcome([&] { return dbs.OpenDatabase(0)->OpenRecordset("which").stringValue("name"); });
    };
    const std::string missing = "error 53: File not found: '" + file.string() + "'";
    {
        const ProductDatabases::Run run(dbs);
        EXPECT_EQ(read(), "value first");
        execSql(other, "CREATE TABLE which (name TEXT); INSERT INTO which VALUES ('second');");
        std::filesystem::rename(other, file);
        EXPECT_EQ(read(), "value first") << "a file replaced within the run";
        {
            const ProductDatabases::Run inner(dbs);
            EXPECT_EQ(read(), "value first") << "a nested run is part of the outer one";
        }
        std::filesystem::remove(file);
        EXPECT_EQ(read(), "value first") << "a file removed within the run";
    }
    {
        const ProductDatabases::Run run(dbs);
        EXPECT_EQ(read(), missing) << "the next run notices the removal";
        execSql(file, "CREATE TABLE which (name TEXT); INSERT INTO which VALUES ('third');");
        EXPECT_EQ(read(), missing) << "a file that appears within the run";
    }
    {
        const ProductDatabases::Run run(dbs);
        EXPECT_EQ(read(), "value third");
    }
    // Outside a run every open looks at the file.
    std::filesystem::remove(file);
    EXPECT_EQ(read(), missing);
    execSql(file, "CREATE TABLE which (name TEXT); INSERT INTO which VALUES ('fourth');");
    EXPECT_EQ(read(), "value fourth");
}

}  // namespace
}  // namespace morvane
