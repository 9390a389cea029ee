#include "text/SqliteConnection.h"

#include <sqlite3.h>

namespace orv {

SqliteConnection& SqliteConnection::operator=(SqliteConnection&& other) noexcept {
    if (this != &other) {
        close();
        db_ = other.db_;
        other.db_ = nullptr;
    }
    return *this;
}

bool SqliteConnection::open(const std::string& utf8Path, int flags, std::string& error,
                            const char* vfs) {
    close();
    sqlite3* db = nullptr;
    const int rc = sqlite3_open_v2(utf8Path.c_str(), &db, flags, vfs);
    if (rc != SQLITE_OK) {
        error = db != nullptr ? sqlite3_errmsg(db) : sqlite3_errstr(rc);
        sqlite3_close(db);
        return false;
    }
    db_ = db;
    return true;
}

void SqliteConnection::close() {
    if (db_ != nullptr) {
        sqlite3_close_v2(db_);
        db_ = nullptr;
    }
}

}  // namespace orv
