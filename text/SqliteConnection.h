#pragma once
// An owned SQLite connection: closed exactly once, by close() or the destructor, and empty
// afterwards, so that no later operation can close it twice.

#include <string>

struct sqlite3;

namespace orv {

class SqliteConnection {
public:
    SqliteConnection() = default;
    ~SqliteConnection() { close(); }
    SqliteConnection(const SqliteConnection&) = delete;
    SqliteConnection& operator=(const SqliteConnection&) = delete;
    SqliteConnection(SqliteConnection&& other) noexcept : db_(other.db_) { other.db_ = nullptr; }
    SqliteConnection& operator=(SqliteConnection&& other) noexcept;

    // Opens `utf8Path` with the given sqlite3_open_v2 flags (and VFS name, or none). On failure
    // the connection stays closed and `error` holds the library's message.
    bool open(const std::string& utf8Path, int flags, std::string& error,
              const char* vfs = nullptr);
    void close();

    bool isOpen() const { return db_ != nullptr; }
    sqlite3* handle() const { return db_; }

private:
    sqlite3* db_ = nullptr;
};

}  // namespace orv
