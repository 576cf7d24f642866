// Stands for the database engine's data-access objects: a product database file
// opened read-only, its tables opened as recordsets in their stored order, and the
// value of a named column of the current row. The store is SQLite 3.
//
// Every fault of the store is a run-time error whose description names the file,
// and where there is one the table, the column and the row:
//   53    the database file does not exist (never an empty new database)
//   3343  the file is not a database
//   3078  no table of that name
//   3265  no column of that name ("item not found in this collection")
//   3021  no current record: MoveFirst on an empty table, MoveNext past the end,
//         or a read after the last row
//   94    the cell is empty (Null) where a number or text is read
//   13    the cell holds no number where a number is read
//   6     an Integer read of a number outside -32768..32767
#pragma once

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

struct sqlite3;

namespace morvane {

namespace dberr {
inline constexpr int FileNotFound = 53;
inline constexpr int NoCurrentRecord = 3021;
inline constexpr int TableNotFound = 3078;
inline constexpr int ItemNotFound = 3265;
inline constexpr int UnrecognizedFormat = 3343;
inline constexpr int InvalidUseOfNull = 94;
inline constexpr int TypeMismatch = 13;
inline constexpr int Overflow = 6;
}  // namespace dberr

// A table read as it is stored, row by row. A fresh recordset stands on its first
// row (or at the end when the table is empty). The rows are read when the table is
// first opened and kept with the database object; later changes to the file are
// seen through a new ProductDatabase (ProductDatabases opens one when the file
// changes).
class Recordset {
public:
    // A column named once: its position is looked up at its first read from a
    // table and reused for every later row of that table.
    class Column {
    public:
        explicit Column(std::string_view name) : name_(name) {}
        const std::string& name() const { return name_; }

    private:
        friend class Recordset;
        std::string name_;
        mutable const void* table_ = nullptr;  // the table the position belongs to
        mutable std::size_t position_ = 0;
    };

    void MoveFirst();
    void MoveNext()
    {
        if (atEnd())
            movedPastTheEnd();
        ++row_;
    }
    // Past the last row. The steps never ask while they read a table row by
    // row; the checks of a table's count against its rows and the tools do.
    bool atEnd() const { return row_ >= data_->rows.size(); }
    // 1 for the first row.
    std::size_t rowNumber() const { return row_ + 1; }
    const std::string& table() const { return data_->table; }
    // Columns by position (0 the first), for tables whose columns have no fixed
    // names. A position past the last column is error 3265.
    std::size_t columnCount() const { return data_->columns.size(); }
    const std::string& columnName(std::size_t position) const;
    bool isNullAt(std::size_t position) const;
    std::string stringAt(std::size_t position) const;

    bool isNull(std::string_view column) const;
    // A number; an integer cell is converted.
    double doubleValue(std::string_view column) const;
    // A number rounded to the nearest Integer, halves to even.
    std::int16_t integerValue(std::string_view column) const;
    // A text; a number cell is given in its shortest exact decimal form.
    std::string stringValue(std::string_view column) const;

    // The same reads through a named column; the same faults in the same order.
    bool isNull(const Column& column) const;
    double doubleValue(const Column& column) const
    {
        // The tables' support points are stored as finite numbers; anything
        // else takes the full conversion with its faults.
        if (column.table_ == data_.get() && row_ < data_->rows.size()) {
            const Cell& v = data_->rows[row_][column.position_];
            if (const double* x = std::get_if<double>(&v); x != nullptr && std::isfinite(*x))
                return *x;
            if (const std::int64_t* i = std::get_if<std::int64_t>(&v))
                return static_cast<double>(*i);
        }
        return doubleValueSlow(column);
    }
    std::int16_t integerValue(const Column& column) const;
    std::string stringValue(const Column& column) const;

private:
    friend class ProductDatabase;
    using Cell = std::variant<std::monostate, std::int64_t, double, std::string>;
    struct Data {
        std::filesystem::path file;
        std::string table;
        std::vector<std::string> columns;
        std::vector<std::vector<Cell>> rows;
    };
    explicit Recordset(std::shared_ptr<const Data> data) : data_(std::move(data)) {}
    // Error 3265 when the table has no such column (names compare ignoring case).
    std::size_t position(std::string_view column) const;
    const Cell& cellAt(std::size_t position, std::string_view column) const;
    const Cell& cell(std::string_view column) const { return cellAt(position(column), column); }
    const Cell& cell(const Column& column) const;
    double doubleValueSlow(const Column& column) const;
    [[noreturn]] void movedPastTheEnd() const;
    double number(const Cell& v, std::string_view column) const;
    std::int16_t integer(const Cell& v, std::string_view column) const;
    std::string text(const Cell& v, std::string_view column) const;
    [[noreturn]] void fail(int number, const std::string& what, std::string_view column) const;

    std::shared_ptr<const Data> data_;
    std::size_t row_ = 0;
};

// One database file, open read-only for as long as the object lives.
class ProductDatabase {
public:
    // Error 53 when the path names no existing file.
    explicit ProductDatabase(const std::filesystem::path& file);
    ~ProductDatabase();
    ProductDatabase(const ProductDatabase&) = delete;
    ProductDatabase& operator=(const ProductDatabase&) = delete;

    const std::filesystem::path& path() const { return file_; }
    // The table in its stored order (by rowid); error 3078 when there is none.
    Recordset OpenRecordset(std::string_view table) const;

private:
    friend class ProductDatabases;
    struct Checked {};
    // For a file whose status has just been checked.
    ProductDatabase(const std::filesystem::path& file, Checked);
    void open();
    std::shared_ptr<const Recordset::Data> readTable(std::string_view table) const;

    std::filesystem::path file_;
    sqlite3* db_ = nullptr;
    mutable std::map<std::string, std::shared_ptr<const Recordset::Data>, std::less<>> tables_;
};

// The engine's handle on the two product databases in the data root:
// "morvdata5.sqlite", or "morvdata5_alt.sqlite" for a user with a non-zero
// gUserMSCode. Each open checks that the file is still there; the connection of
// a file is kept between calls while the file is unchanged. Within a Run the
// file is checked at its first open only: one calculation run reads one file.
class ProductDatabases {
public:
    // One calculation run; runs may nest (the outermost one counts).
    class Run {
    public:
        explicit Run(ProductDatabases& databases);
        ~Run();
        Run(const Run&) = delete;
        Run& operator=(const Run&) = delete;

    private:
        ProductDatabases& databases_;
    };

    static constexpr std::string_view MainFile = "morvdata5.sqlite";
    static constexpr std::string_view AlternativeFile = "morvdata5_alt.sqlite";

    explicit ProductDatabases(std::filesystem::path dataRoot);
    ~ProductDatabases();

    const std::filesystem::path& dataRoot() const { return root_; }
    std::filesystem::path file(std::int16_t userMSCode) const;
    // Error 53 when the chosen file does not exist.
    std::shared_ptr<const ProductDatabase> OpenDatabase(std::int16_t userMSCode);

private:
    struct Opened;
    std::filesystem::path root_;
    std::filesystem::path files_[2];  // MainFile, AlternativeFile
    std::map<std::filesystem::path, std::unique_ptr<Opened>> opened_;
    int runDepth_ = 0;
    std::uint64_t run_ = 0;  // counts the outermost runs begun
};

}  // namespace morvane
