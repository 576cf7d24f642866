// Reads whole tables of the built product databases for the tests, in stored
// (rowid) order, as the program's data access does.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace gastest {

struct DbTable {
    std::vector<std::string> columns;
    std::vector<std::string> declaredTypes;
    // rows[r][c]: the value, or nothing for NULL; integerCells[r][c] tells whether
    // the stored value is an integer.
    std::vector<std::vector<std::optional<double>>> rows;
    std::vector<std::vector<bool>> integerCells;

    int column(const std::string& name) const;   // -1 when absent
    std::optional<double> at(std::size_t row, const std::string& name) const;
};

// Throws std::runtime_error when the file or the table is missing.
DbTable readTable(const std::string& databasePath, const std::string& table);

std::vector<std::string> tableNames(const std::string& databasePath);

std::string mainDatabase();        // morvdata5.sqlite in the program folder
std::string alternativeDatabase(); // morvdata5_alt.sqlite

}  // namespace gastest
