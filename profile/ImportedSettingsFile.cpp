#include "profile/ImportedSettingsFile.h"

#include <sqlite3.h>

#include <string>
#include <vector>

#include "profile/FileCopy.h"

namespace orv {

namespace {

std::string lastError(const SqliteConnection& db) {
    return sqlite3_errmsg(db.handle());
}

Status harden(SqliteConnection& db) {
    struct Setting {
        int option;
        int value;
        const char* name;
    };
    static constexpr Setting kSettings[] = {
        {SQLITE_DBCONFIG_DEFENSIVE, 1, "defensive"},
        {SQLITE_DBCONFIG_TRUSTED_SCHEMA, 0, "trusted_schema"},
        {SQLITE_DBCONFIG_ENABLE_TRIGGER, 0, "triggers"},
        {SQLITE_DBCONFIG_ENABLE_VIEW, 0, "views"},
    };
    for (const auto& setting : kSettings) {
        int now = -1;
        if (sqlite3_db_config(db.handle(), setting.option, setting.value, &now) != SQLITE_OK ||
            now != setting.value) {
            return Status::failure(std::string("cannot set ") + setting.name);
        }
    }
    char* message = nullptr;
    if (sqlite3_exec(db.handle(), "PRAGMA cell_size_check=ON; PRAGMA mmap_size=0;", nullptr,
                     nullptr, &message) != SQLITE_OK) {
        std::string why = message != nullptr ? message : "pragma failed";
        sqlite3_free(message);
        return Status::failure(why);
    }
    return Status::success();
}

// Runs `sql` and collects the first column of every row as text.
Status collect(const SqliteConnection& db, const char* sql, std::vector<std::string>& rows) {
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare_v2(db.handle(), sql, -1, &statement, nullptr) != SQLITE_OK) {
        std::string why = lastError(db);
        sqlite3_finalize(statement);
        return Status::failure(why);
    }
    int rc = SQLITE_OK;
    while ((rc = sqlite3_step(statement)) == SQLITE_ROW) {
        const unsigned char* text = sqlite3_column_text(statement, 0);
        rows.emplace_back(text != nullptr ? reinterpret_cast<const char*>(text) : "");
    }
    std::string why = rc == SQLITE_DONE ? std::string() : lastError(db);
    sqlite3_finalize(statement);
    return why.empty() ? Status::success() : Status::failure(why);
}

Status checkContents(const SqliteConnection& db) {
    std::vector<std::string> verdict;
    if (Status ran = collect(db, "PRAGMA quick_check;", verdict); !ran) {
        return Status::failure("not a readable database: " + ran.error);
    }
    if (verdict.size() != 1 || verdict.front() != "ok") {
        return Status::failure("damaged database: " +
                               (verdict.empty() ? std::string("no verdict") : verdict.front()));
    }
    std::vector<std::string> foreign;
    if (Status ran = collect(db,
                             "SELECT type || ' ' || name FROM sqlite_master WHERE type NOT IN "
                             "('table', 'index') OR sql LIKE 'CREATE VIRTUAL%';",
                             foreign);
        !ran) {
        return Status::failure("unreadable schema: " + ran.error);
    }
    if (!foreign.empty()) {
        return Status::failure("holds " + foreign.front());
    }
    return Status::success();
}

}  // namespace

Status openUntrustedDatabase(const std::filesystem::path& chosenFile, PrivateTempFolder& folder,
                             SqliteConnection& db, std::uint64_t sizeCap) {
    db.close();
    if (Status created = folder.create(); !created) {
        return created;
    }
    const std::filesystem::path copy = folder.path() / "untrusted.db";
    if (Status copied = copyRegularFile(chosenFile, copy, sizeCap); !copied) {
        return copied;
    }
    std::string error;
    if (!db.open(copy.string(), SQLITE_OPEN_READONLY | SQLITE_OPEN_NOFOLLOW, error)) {
        return Status::failure("cannot open: " + error);
    }
    Status checked = harden(db);
    if (checked) {
        checked = checkContents(db);
    }
    if (!checked) {
        db.close();
    }
    return checked;
}

Status openImportedSettings(const std::filesystem::path& chosenFile, PrivateTempFolder& folder,
                            SqliteConnection& db) {
    Status opened = openUntrustedDatabase(chosenFile, folder, db, kImportSizeCap);
    if (!opened) {
        if (opened.error.rfind("holds ", 0) == 0) {
            opened.error = "not a settings file: " + opened.error;
        }
        return opened;
    }
    std::vector<std::string> key;
    if (Status ran = collect(db, "SELECT BtnName FROM tBUTSET LIMIT 0;", key); !ran) {
        db.close();
        return Status::failure("not a settings file: " + ran.error);
    }
    return Status::success();
}

}  // namespace orv
