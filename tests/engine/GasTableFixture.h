// Small product databases for tests, written with the SQLite C API into a
// temporary folder: the gas tables of one medium laid out as the program reads
// them, or any SQL a test needs to show a fault of the store.
#pragma once

#include "support/TempFolder.h"

#include <sqlite3.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace morvane::testing {

// Runs SQL on a database file, creating the file when it is missing.
inline void execSql(const std::filesystem::path& file, const std::string& sql)
{
    sqlite3* db = nullptr;
    if (sqlite3_open(file.c_str(), &db) != SQLITE_OK) {
        sqlite3_close(db);
        throw std::runtime_error("cannot open " + file.string());
    }
    char* msg = nullptr;
    // One transaction without waiting for the disk: test databases are
    // written in numbers.
    const std::string script = "PRAGMA synchronous = OFF; BEGIN;\n" + sql + ";\nCOMMIT;";
    const int rc = sqlite3_exec(db, script.c_str(), nullptr, nullptr, &msg);
    const std::string text = msg != nullptr ? msg : "";
    sqlite3_free(msg);
    sqlite3_close(db);
    if (rc != SQLITE_OK)
        throw std::runtime_error("SQL failed on " + file.string() + ": " + text + "\n" + sql);
}

inline std::string sqlNumber(std::optional<double> v)
{
    if (!v)
        return "NULL";
    char buf[40];
    std::snprintf(buf, sizeof buf, "%.17g", *v);
    return buf;
}

// One gas as the tables "<m>GasData" and "<m>GasTab" hold it. The default is the
// 3 x 3 grid 0/50/100 °C x 100/1000/5000 kPa.
struct GasTableFixture {
    int medium = 1;
    // Gasdaten rows 1..7: norm density kg/Nm³, Tmin, Tmax °C, pmin, pmax kPa,
    // critical temperature °C, critical pressure kPa. An empty optional is an
    // empty cell.
    std::vector<std::optional<double>> gasdaten{1.293, 0.0, 100.0, 100.0, 5000.0, -140.5, 3770.0};
    std::vector<double> TS{0.0, 50.0, 100.0};
    std::vector<double> DS{100.0, 1000.0, 5000.0};
    // Z by temperature row, then pressure column.
    std::vector<std::vector<std::optional<double>>> Z{
        {1.0, 0.99, 0.95},
        {1.0, 0.995, 0.97},
        {1.0, 0.998, 0.98},
    };
    // Counts written to row 1; by default the lengths of TS and DS.
    std::optional<int> nT, nD;
    // Columns Feld1..Feld<columns> of the GasTab table.
    int columns = 30;
};

// Adds the two tables of tables.medium to the database file (created if needed).
inline void writeGasTables(const std::filesystem::path& file, const GasTableFixture& tables)
{
    const std::string m = std::to_string(tables.medium);
    std::string sql = "CREATE TABLE \"" + m +
                      "GasData\" (Gasdaten REAL, nTStuetz INTEGER, nDStuetz INTEGER, TStuetz REAL, DStuetz REAL);\n";
    const std::size_t rows = std::max({tables.gasdaten.size(), tables.TS.size(), tables.DS.size()});
    for (std::size_t r = 0; r < rows; ++r) {
        std::string g = "NULL", nT = "NULL", nD = "NULL", ts = "NULL", ds = "NULL";
        if (r < tables.gasdaten.size())
            g = sqlNumber(tables.gasdaten[r]);
        if (r == 0) {
            nT = std::to_string(tables.nT.value_or(static_cast<int>(tables.TS.size())));
            nD = std::to_string(tables.nD.value_or(static_cast<int>(tables.DS.size())));
        }
        if (r < tables.TS.size())
            ts = sqlNumber(tables.TS[r]);
        if (r < tables.DS.size())
            ds = sqlNumber(tables.DS[r]);
        sql += "INSERT INTO \"" + m + "GasData\" VALUES (" + g + ", " + nT + ", " + nD + ", " + ts + ", " + ds +
               ");\n";
    }
    sql += "CREATE TABLE \"" + m + "GasTab\" (";
    for (int j = 1; j <= tables.columns; ++j)
        sql += (j > 1 ? ", Feld" : "Feld") + std::to_string(j) + " REAL";
    sql += ");\n";
    for (const auto& row : tables.Z) {
        sql += "INSERT INTO \"" + m + "GasTab\" VALUES (";
        for (int j = 0; j < tables.columns; ++j) {
            const std::optional<double> v =
                static_cast<std::size_t>(j) < row.size() ? row[static_cast<std::size_t>(j)] : std::nullopt;
            sql += (j > 0 ? ", " : "") + sqlNumber(v);
        }
        sql += ");\n";
    }
    execSql(file, sql);
}

}  // namespace morvane::testing
