#pragma once
// Reads keyed rows of one settings table: "SELECT * FROM <table> where <key>=<value>;".
//
// Value rules: only the first row the statement returns counts; a wanted column that the result
// does not have, a row that does not exist, a statement that cannot run (no such table, no
// connection) and text that is not a number all read as 0. Numbers are read as decimal text
// (leading blanks and a sign allowed, reading stops at the first non-digit) keeping the low 8
// bits. Result column names are converted from "gbk" and compared exactly.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

struct sqlite3_stmt;

namespace orv {

class SqliteConnection;

class SettingsRowReader {
public:
    // Prepares the statement once and matches `wantedColumns` against its result columns.
    SettingsRowReader(const SqliteConnection& db, std::string_view table,
                      std::string_view keyColumn, std::span<const std::string_view> wantedColumns);
    ~SettingsRowReader();
    SettingsRowReader(const SettingsRowReader&) = delete;
    SettingsRowReader& operator=(const SettingsRowReader&) = delete;

    // values[i] := wanted column i of the first row whose key equals `keyValue`, or 0. `values`
    // has one entry per wanted column. Returns false when no row was read (all values 0).
    bool read(std::string_view keyValue, std::span<std::uint8_t> values);

    // Why the statement could not be prepared; empty when it was.
    const std::string& error() const { return error_; }

private:
    sqlite3_stmt* statement_ = nullptr;
    std::vector<int> resultColumn_;  // per wanted column: index in the result, -1 when absent
    std::string error_;
};

// A result column name as UTF-8, converted from "gbk"; empty when it cannot be converted.
std::string decodeColumnName(std::string_view rawName);

}  // namespace orv
