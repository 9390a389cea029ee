// Builds an SQLite database file from SQL text: orv_sqlbuild OUTPUT.db INPUT.sql
// The database is written to a temporary file first and renamed into place, so an interrupted
// build never leaves a half-filled database behind.

#include <sqlite3.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: orv_sqlbuild OUTPUT.db INPUT.sql\n";
        return 2;
    }
    const std::filesystem::path output = argv[1];
    const std::filesystem::path input = argv[2];

    std::ifstream in(input, std::ios::binary);
    if (!in) {
        std::cerr << "orv_sqlbuild: cannot read " << input << "\n";
        return 1;
    }
    std::ostringstream text;
    text << in.rdbuf();

    std::filesystem::path temporary = output;
    temporary += ".tmp";
    std::error_code ignored;
    std::filesystem::remove(temporary, ignored);

    sqlite3* db = nullptr;
    if (sqlite3_open_v2(temporary.c_str(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE,
                        nullptr) != SQLITE_OK) {
        std::cerr << "orv_sqlbuild: cannot create " << temporary << ": " << sqlite3_errmsg(db)
                  << "\n";
        sqlite3_close(db);
        return 1;
    }
    char* error = nullptr;
    const std::string script = "BEGIN;\n" + text.str() + "\nCOMMIT;";
    if (sqlite3_exec(db, script.c_str(), nullptr, nullptr, &error) != SQLITE_OK) {
        std::cerr << "orv_sqlbuild: " << input.string() << ": " << (error ? error : "error")
                  << "\n";
        sqlite3_free(error);
        sqlite3_close(db);
        std::filesystem::remove(temporary, ignored);
        return 1;
    }
    sqlite3_close(db);
    std::filesystem::rename(temporary, output);
    return 0;
}
