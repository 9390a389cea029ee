#pragma once
// Real SQLite files for the settings tests: a scratch folder per test, databases made from SQL
// text, and the shipped databases of the build.

#include <gtest/gtest.h>
#include <sqlite3.h>
#include <unistd.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace orv::testing {

inline std::filesystem::path shippedDatabase(const char* name) {
    return std::filesystem::path(ORV_TEST_DATA_DIR) / name;
}

class ScratchFolder {
public:
    ScratchFolder() {
        static std::atomic<int> counter{0};
        path_ = std::filesystem::path(::testing::TempDir()) /
                ("orv_profile_" + std::to_string(::getpid()) + "_" + std::to_string(counter++));
        std::filesystem::remove_all(path_);
        std::filesystem::create_directories(path_);
    }
    ~ScratchFolder() {
        std::error_code ignored;
        std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, ignored);
        std::filesystem::remove_all(path_, ignored);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

private:
    std::filesystem::path path_;
};

// Creates (or extends) the database `file` by running `sql`.
inline void runSql(const std::filesystem::path& file, const std::string& sql) {
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(file.c_str(), &db), SQLITE_OK);
    char* error = nullptr;
    const int rc = sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &error);
    const std::string message = error != nullptr ? error : "";
    sqlite3_free(error);
    sqlite3_close(db);
    ASSERT_EQ(rc, SQLITE_OK) << message;
}

// First column of the first row of `sql`, or "<none>" / "<null>" / "<error: ...>".
inline std::string queryText(const std::filesystem::path& file, const std::string& sql) {
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(file.c_str(), &db, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK) {
        sqlite3_close(db);
        return "<cannot open>";
    }
    sqlite3_stmt* statement = nullptr;
    std::string result;
    if (sqlite3_prepare_v2(db, sql.c_str(), -1, &statement, nullptr) != SQLITE_OK) {
        result = std::string("<error: ") + sqlite3_errmsg(db) + ">";
    } else if (sqlite3_step(statement) != SQLITE_ROW) {
        result = "<none>";
    } else if (const unsigned char* text = sqlite3_column_text(statement, 0)) {
        result = reinterpret_cast<const char*>(text);
    } else {
        result = "<null>";
    }
    sqlite3_finalize(statement);
    sqlite3_close(db);
    return result;
}

inline std::string readFileBytes(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

inline void writeFileBytes(const std::filesystem::path& file, const std::string& bytes) {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out << bytes;
}

// The schema of every settings file, without rows.
inline const char* kSettingsSchema =
    "CREATE TABLE tBUTSET (BtnName TEXT, SDownPos TEXT, LDownPos TEXT, LDownTime TEXT, "
    "TurboPos TEXT, TurboTime TEXT, ConDisable TEXT, ConDisableTime TEXT, LSwitchPos1 TEXT, "
    "LSwitchPos2 TEXT, LSwitchPos3 TEXT, LSwitchPos4 TEXT, LSwitchPos5 TEXT, LSwitchTime TEXT, "
    "LSwitchFlag TEXT);"
    "CREATE TABLE tSTICKSET_Left (KeyName TEXT, mode TEXT, rotate TEXT, sen TEXT, "
    "deadzone TEXT);"
    "CREATE TABLE tSTICKSET_Right (KeyName TEXT, mode TEXT, rotate TEXT, sen TEXT, "
    "deadzone TEXT);";

// A name field up to its first NUL, as raw text.
template <typename Field>
std::string decodeField(const Field& field) {
    std::string text;
    for (const auto byte : field) {
        if (byte == 0) {
            break;
        }
        text += static_cast<char>(byte);
    }
    return text;
}

}  // namespace orv::testing
