// dbbuild OUT.sqlite [FILE.sql ...]
// Creates OUT.sqlite anew from the SQL files, run in the order given, inside one
// transaction. The file is written beside OUT and renamed at the end, so a failed
// build never leaves a half-filled database behind.
#include <sqlite3.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>

namespace fs = std::filesystem;

static bool exec(sqlite3* db, const std::string& sql, const std::string& what)
{
    char* msg = nullptr;
    if (sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &msg) != SQLITE_OK) {
        std::cerr << "dbbuild: " << what << ": " << (msg ? msg : "error") << "\n";
        sqlite3_free(msg);
        return false;
    }
    return true;
}

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::cerr << "usage: dbbuild OUT.sqlite [FILE.sql ...]\n";
        return 2;
    }
    const fs::path out = argv[1];
    const fs::path tmp = out.string() + ".part";
    std::error_code ec;
    fs::remove(tmp, ec);
    sqlite3* db = nullptr;
    if (sqlite3_open(tmp.c_str(), &db) != SQLITE_OK) {
        std::cerr << "dbbuild: cannot create " << tmp << "\n";
        return 1;
    }
    bool ok = exec(db, "BEGIN", "begin");
    for (int i = 2; ok && i < argc; ++i) {
        std::ifstream in(argv[i], std::ios::binary);
        if (!in) {
            std::cerr << "dbbuild: cannot read " << argv[i] << "\n";
            ok = false;
            break;
        }
        std::stringstream ss;
        ss << in.rdbuf();
        ok = exec(db, ss.str(), argv[i]);
    }
    ok = ok && exec(db, "COMMIT", "commit");
    sqlite3_close(db);
    if (!ok) {
        fs::remove(tmp, ec);
        return 1;
    }
    fs::rename(tmp, out, ec);
    if (ec) {
        std::cerr << "dbbuild: cannot write " << out << ": " << ec.message() << "\n";
        return 1;
    }
    return 0;
}
