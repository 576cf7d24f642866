#include "platform/ProductDatabase.h"

#include "platform/RuntimeError.h"
#include "platform/RuntimeNumbers.h"

#include <sqlite3.h>
#include <sys/stat.h>

#include <charconv>
#include <cmath>
#include <system_error>

namespace morvane {

namespace {

std::string quoted(const std::filesystem::path& p)
{
    std::string out;
    out += '\'';
    out += p.string();
    out += '\'';
    return out;
}

bool sameNameIgnoringCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
        if (lower(a[i]) != lower(b[i]))
            return false;
    }
    return true;
}

// An SQL identifier in double quotes, so that names such as "1GasData" that
// start with a digit can be used.
std::string sqlIdentifier(std::string_view name)
{
    std::string out = "\"";
    for (const char c : name) {
        if (c == '"')
            out += '"';
        out += c;
    }
    out += '"';
    return out;
}

std::string numberText(double v)
{
    char buf[32];
    const auto r = std::to_chars(buf, buf + sizeof buf, v);
    return std::string(buf, r.ptr);
}

// Identity of a file on disk, to notice that a kept connection would read a file
// that has since been replaced.
struct FileIdentity {
    dev_t device = 0;
    ino_t inode = 0;
    off_t size = 0;
    std::int64_t modifiedNs = 0;
    bool operator==(const FileIdentity&) const = default;
};

bool identify(const std::filesystem::path& p, FileIdentity& id)
{
    struct stat st {};
    if (::stat(p.c_str(), &st) != 0 || !S_ISREG(st.st_mode))
        return false;
    id.device = st.st_dev;
    id.inode = st.st_ino;
    id.size = st.st_size;
    id.modifiedNs = static_cast<std::int64_t>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
    return true;
}

[[noreturn]] void fileNotFound(const std::filesystem::path& p)
{
    raiseError(dberr::FileNotFound, "File not found: " + quoted(p));
}

}  // namespace

// ---------------------------------------------------------------- Recordset

void Recordset::fail(int number, const std::string& what, std::string_view column) const
{
    std::string where;
    if (!column.empty())
        where += "column '" + std::string(column) + "', ";
    if (!atEnd())
        where += "row " + std::to_string(rowNumber()) + " of ";
    where += "table '" + data_->table + "' in " + quoted(data_->file);
    raiseError(number, what + ": " + where);
}

void Recordset::MoveFirst()
{
    if (data_->rows.empty())
        fail(dberr::NoCurrentRecord, "No current record (the table is empty)", {});
    row_ = 0;
}

void Recordset::movedPastTheEnd() const
{
    fail(dberr::NoCurrentRecord,
         "No current record (moved past the last of " + std::to_string(data_->rows.size()) + " rows)", {});
}

std::size_t Recordset::position(std::string_view column) const
{
    std::size_t c = 0;
    while (c < data_->columns.size() && !sameNameIgnoringCase(data_->columns[c], column))
        ++c;
    if (c == data_->columns.size())
        fail(dberr::ItemNotFound, "Item not found in this collection: no such column", column);
    return c;
}

const Recordset::Cell& Recordset::cellAt(std::size_t position, std::string_view column) const
{
    if (atEnd())
        fail(dberr::NoCurrentRecord,
             "No current record (read after the last of " + std::to_string(data_->rows.size()) + " rows)", column);
    return data_->rows[row_][position];
}

const Recordset::Cell& Recordset::cell(const Column& column) const
{
    if (column.table_ != data_.get()) {
        column.position_ = position(column.name_);
        column.table_ = data_.get();
    }
    return cellAt(column.position_, column.name_);
}

bool Recordset::isNull(std::string_view column) const
{
    return std::holds_alternative<std::monostate>(cell(column));
}

bool Recordset::isNull(const Column& column) const
{
    return std::holds_alternative<std::monostate>(cell(column));
}

double Recordset::doubleValue(std::string_view column) const
{
    return number(cell(column), column);
}

double Recordset::doubleValueSlow(const Column& column) const
{
    return number(cell(column), column.name());
}

std::int16_t Recordset::integerValue(std::string_view column) const
{
    return integer(cell(column), column);
}

std::int16_t Recordset::integerValue(const Column& column) const
{
    return integer(cell(column), column.name());
}

std::string Recordset::stringValue(std::string_view column) const
{
    return text(cell(column), column);
}

std::string Recordset::stringValue(const Column& column) const
{
    return text(cell(column), column.name());
}

double Recordset::number(const Cell& v, std::string_view column) const
{
    double d = 0;
    if (std::holds_alternative<std::monostate>(v)) {
        fail(dberr::InvalidUseOfNull, "Invalid use of Null (the cell is empty)", column);
    } else if (const auto* i = std::get_if<std::int64_t>(&v)) {
        d = static_cast<double>(*i);
    } else if (const auto* x = std::get_if<double>(&v)) {
        d = *x;
    } else {
        const std::string& s = std::get<std::string>(v);
        std::size_t b = s.find_first_not_of(' ');
        std::size_t e = s.find_last_not_of(' ');
        const char* first = b == std::string::npos ? s.data() + s.size() : s.data() + b;
        const char* last = e == std::string::npos ? first : s.data() + e + 1;
        const auto r = std::from_chars(first, last, d);
        if (first == last || r.ec != std::errc() || r.ptr != last)
            fail(dberr::TypeMismatch, "Type mismatch (the cell holds the text \"" + s + "\", not a number)", column);
    }
    if (!std::isfinite(d))
        fail(dberr::Overflow, "Overflow (the cell holds an infinite number)", column);
    return d;
}

std::int16_t Recordset::integer(const Cell& v, std::string_view column) const
{
    // Rounded half to even, as a Double assigned to an Integer rounds.
    const double d = number(v, column);
    const std::optional<std::int16_t> r = roundedInteger(d);
    if (!r)
        fail(dberr::Overflow, "Overflow (the cell holds " + numberText(d) + ", outside the Integer range)", column);
    return *r;
}

std::string Recordset::text(const Cell& v, std::string_view column) const
{
    if (std::holds_alternative<std::monostate>(v))
        fail(dberr::InvalidUseOfNull, "Invalid use of Null (the cell is empty)", column);
    if (const auto* i = std::get_if<std::int64_t>(&v))
        return std::to_string(*i);
    if (const auto* x = std::get_if<double>(&v))
        return numberText(*x);
    return std::get<std::string>(v);
}

const std::string& Recordset::columnName(std::size_t position) const
{
    if (position >= data_->columns.size())
        fail(dberr::ItemNotFound, "Item not found in this collection: no column " + std::to_string(position) +
                                      " of " + std::to_string(data_->columns.size()),
             {});
    return data_->columns[position];
}

bool Recordset::isNullAt(std::size_t position) const
{
    const std::string& column = columnName(position);
    return std::holds_alternative<std::monostate>(cellAt(position, column));
}

std::string Recordset::stringAt(std::size_t position) const
{
    const std::string& column = columnName(position);
    return text(cellAt(position, column), column);
}

// ---------------------------------------------------------- ProductDatabase

ProductDatabase::ProductDatabase(const std::filesystem::path& file) : file_(file)
{
    // SQLite would create a missing file on a read-write open and happily open a
    // missing one read-only until the first read; test first, open read-only.
    FileIdentity id;
    if (!identify(file, id))
        fileNotFound(file);
    open();
}

ProductDatabase::ProductDatabase(const std::filesystem::path& file, Checked) : file_(file)
{
    open();
}

void ProductDatabase::open()
{
    const std::filesystem::path& file = file_;
    const int rc = sqlite3_open_v2(file.c_str(), &db_, SQLITE_OPEN_READONLY | SQLITE_OPEN_NOMUTEX, nullptr);
    if (rc != SQLITE_OK) {
        const std::string msg = db_ != nullptr ? sqlite3_errmsg(db_) : sqlite3_errstr(rc);
        sqlite3_close(db_);
        db_ = nullptr;
        raiseError(75, "Path/File access error: " + quoted(file) + " (" + msg + ")");
    }
}

ProductDatabase::~ProductDatabase()
{
    sqlite3_close(db_);
}

Recordset ProductDatabase::OpenRecordset(std::string_view table) const
{
    // The file is opened read-only and replaced only from outside (the caller
    // then gets a new ProductDatabase), so a table once read stays as read.
    const auto cached = tables_.find(table);
    if (cached != tables_.end())
        return Recordset(cached->second);
    auto data = readTable(table);
    tables_.emplace(std::string(table), data);
    return Recordset(std::move(data));
}

std::shared_ptr<const Recordset::Data> ProductDatabase::readTable(std::string_view table) const
{
    auto data = std::make_shared<Recordset::Data>();
    data->file = file_;
    data->table = std::string(table);

    const std::string sql = "SELECT * FROM " + sqlIdentifier(table) + " ORDER BY rowid";
    sqlite3_stmt* stmt = nullptr;
    const auto storeFault = [&](int rc) {
        const std::string msg = sqlite3_errmsg(db_);
        sqlite3_finalize(stmt);
        if (rc == SQLITE_NOTADB || rc == SQLITE_CORRUPT)
            raiseError(dberr::UnrecognizedFormat,
                       "Unrecognized database format: " + quoted(file_) + " (" + msg + ")");
        if (msg.rfind("no such table", 0) == 0)
            raiseError(dberr::TableNotFound, "No table '" + data->table + "' in " + quoted(file_));
        raiseError(dberr::TableNotFound,
                   "Table '" + data->table + "' in " + quoted(file_) + " cannot be read (" + msg + ")");
    };

    int rc = sqlite3_prepare_v2(db_, sql.c_str(), -1, &stmt, nullptr);
    if (rc != SQLITE_OK)
        storeFault(rc);
    const int n = sqlite3_column_count(stmt);
    for (int c = 0; c < n; ++c)
        data->columns.emplace_back(sqlite3_column_name(stmt, c));
    while ((rc = sqlite3_step(stmt)) == SQLITE_ROW) {
        std::vector<Recordset::Cell> row;
        row.reserve(static_cast<std::size_t>(n));
        for (int c = 0; c < n; ++c) {
            switch (sqlite3_column_type(stmt, c)) {
            case SQLITE_NULL: row.emplace_back(std::monostate{}); break;
            case SQLITE_INTEGER: row.emplace_back(static_cast<std::int64_t>(sqlite3_column_int64(stmt, c))); break;
            case SQLITE_FLOAT: row.emplace_back(sqlite3_column_double(stmt, c)); break;
            default: {
                const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(stmt, c));
                const int bytes = sqlite3_column_bytes(stmt, c);
                row.emplace_back(std::string(text != nullptr ? text : "", static_cast<std::size_t>(bytes)));
            }
            }
        }
        data->rows.push_back(std::move(row));
    }
    if (rc != SQLITE_DONE)
        storeFault(rc);
    sqlite3_finalize(stmt);
    return data;
}

// --------------------------------------------------------- ProductDatabases

struct ProductDatabases::Opened {
    FileIdentity identity;
    std::shared_ptr<const ProductDatabase> db;
    std::uint64_t checkedInRun = 0;  // the run in which the file was last checked
};

ProductDatabases::ProductDatabases(std::filesystem::path dataRoot)
    : root_(std::move(dataRoot)), files_{root_ / MainFile, root_ / AlternativeFile}
{
}

ProductDatabases::~ProductDatabases() = default;

ProductDatabases::Run::Run(ProductDatabases& databases) : databases_(databases)
{
    if (databases_.runDepth_++ == 0)
        ++databases_.run_;
}

ProductDatabases::Run::~Run()
{
    --databases_.runDepth_;
}

std::filesystem::path ProductDatabases::file(std::int16_t userMSCode) const
{
    return files_[userMSCode != 0 ? 1 : 0];
}

std::shared_ptr<const ProductDatabase> ProductDatabases::OpenDatabase(std::int16_t userMSCode)
{
    const std::filesystem::path& p = files_[userMSCode != 0 ? 1 : 0];
    const auto known = opened_.find(p);
    // Checked already in this run: the same connection, or the same missing file.
    if (runDepth_ > 0 && known != opened_.end() && known->second->checkedInRun == run_) {
        if (!known->second->db)
            fileNotFound(p);
        return known->second->db;
    }
    auto& slot = known != opened_.end() ? known->second : opened_[p];
    if (!slot)
        slot = std::make_unique<Opened>();
    slot->checkedInRun = runDepth_ > 0 ? run_ : 0;
    FileIdentity id;
    if (!identify(p, id)) {
        slot->db.reset();
        fileNotFound(p);
    }
    if (!slot->db || !(slot->identity == id)) {
        slot->db.reset();
        try {
            slot->db = std::shared_ptr<const ProductDatabase>(new ProductDatabase(p, ProductDatabase::Checked{}));
        } catch (...) {
            slot->checkedInRun = 0;  // the next open tries again
            throw;
        }
        slot->identity = id;
    }
    return slot->db;
}

}  // namespace morvane
