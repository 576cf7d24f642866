#include "DbTables.h"

#include <sqlite3.h>

#include <filesystem>
#include <memory>
#include <stdexcept>

namespace gastest {
namespace {

using Db = std::unique_ptr<sqlite3, decltype(&sqlite3_close)>;
using Statement = std::unique_ptr<sqlite3_stmt, decltype(&sqlite3_finalize)>;

Db open(const std::string& path)
{
    if (!std::filesystem::exists(path))
        throw std::runtime_error(path + " is missing: build the target program_data first");
    sqlite3* raw = nullptr;
    const int rc = sqlite3_open_v2(path.c_str(), &raw, SQLITE_OPEN_READONLY, nullptr);
    Db db(raw, &sqlite3_close);
    if (rc != SQLITE_OK)
        throw std::runtime_error("cannot open " + path);
    return db;
}

Statement prepare(sqlite3* db, const std::string& sql)
{
    sqlite3_stmt* raw = nullptr;
    if (sqlite3_prepare_v2(db, sql.c_str(), -1, &raw, nullptr) != SQLITE_OK)
        throw std::runtime_error(std::string(sqlite3_errmsg(db)) + ": " + sql);
    return Statement(raw, &sqlite3_finalize);
}

std::string text(sqlite3_stmt* s, int column)
{
    const auto* t = sqlite3_column_text(s, column);
    return t ? reinterpret_cast<const char*>(t) : "";
}

}  // namespace

int DbTable::column(const std::string& name) const
{
    for (std::size_t c = 0; c < columns.size(); ++c)
        if (columns[c] == name)
            return static_cast<int>(c);
    return -1;
}

std::optional<double> DbTable::at(std::size_t row, const std::string& name) const
{
    const int c = column(name);
    if (c < 0 || row >= rows.size())
        throw std::out_of_range("no cell " + name + " in row " + std::to_string(row + 1));
    return rows[row][c];
}

DbTable readTable(const std::string& databasePath, const std::string& table)
{
    const Db db = open(databasePath);
    DbTable t;
    {
        const auto info = prepare(db.get(), "PRAGMA table_info(\"" + table + "\")");
        while (sqlite3_step(info.get()) == SQLITE_ROW) {
            t.columns.push_back(text(info.get(), 1));
            t.declaredTypes.push_back(text(info.get(), 2));
        }
    }
    if (t.columns.empty())
        throw std::runtime_error("no table " + table + " in " + databasePath);
    const auto rows = prepare(db.get(), "SELECT * FROM \"" + table + "\" ORDER BY rowid");
    while (sqlite3_step(rows.get()) == SQLITE_ROW) {
        std::vector<std::optional<double>> row;
        std::vector<bool> integers;
        for (int c = 0; c < sqlite3_column_count(rows.get()); ++c) {
            const int type = sqlite3_column_type(rows.get(), c);
            if (type == SQLITE_NULL)
                row.emplace_back();
            else
                row.emplace_back(sqlite3_column_double(rows.get(), c));
            integers.push_back(type == SQLITE_INTEGER);
        }
        t.rows.push_back(std::move(row));
        t.integerCells.push_back(std::move(integers));
    }
    return t;
}

std::vector<std::string> tableNames(const std::string& databasePath)
{
    const Db db = open(databasePath);
    const auto s = prepare(db.get(), "SELECT name FROM sqlite_master WHERE type = 'table' ORDER BY name");
    std::vector<std::string> names;
    while (sqlite3_step(s.get()) == SQLITE_ROW)
        names.push_back(text(s.get(), 0));
    return names;
}

std::string mainDatabase() { return std::string(MORVANE_PROGRAM_DIR) + "/morvdata5.sqlite"; }
std::string alternativeDatabase() { return std::string(MORVANE_PROGRAM_DIR) + "/morvdata5_alt.sqlite"; }

}  // namespace gastest
