#include "text/TextStore.h"

#include <sqlite3.h>

#include <algorithm>

namespace orv {

bool TextStore::open(const std::filesystem::path& databaseFile) {
    lastError_.clear();
    const std::u8string u8Path = databaseFile.u8string();
    const std::string path(u8Path.begin(), u8Path.end());
    // Read-only: a missing file is refused instead of being created empty, which would leave
    // every control blank without a word.
    if (!textDb.open(path, SQLITE_OPEN_READONLY, lastError_)) {
        lastError_ = path + ": " + lastError_;
        return false;
    }
    // sqlite3_open_v2 reads nothing yet; preparing against the table makes a file that is not a
    // database, or not this database, fail here rather than at every lookup.
    sqlite3_stmt* statement = nullptr;
    const int rc = sqlite3_prepare_v2(textDb.handle(), "SELECT id FROM MultiLingualData LIMIT 0",
                                      -1, &statement, nullptr);
    sqlite3_finalize(statement);
    if (rc != SQLITE_OK) {
        lastError_ = path + ": " + sqlite3_errmsg(textDb.handle());
        textDb.close();
        return false;
    }
    return true;
}

std::string TextStore::text(int id) const {
    std::string result;
    // The column name is spliced into the statement, so only the known column names are ever
    // accepted.
    if (!textDb.isOpen() || !isKnownLanguage(language)) {
        return result;
    }
    const std::string sql =
        "SELECT " + language + " from MultiLingualData where id=" + std::to_string(id);
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare_v2(textDb.handle(), sql.c_str(), -1, &statement, nullptr) != SQLITE_OK) {
        sqlite3_finalize(statement);
        return result;
    }
    while (sqlite3_step(statement) == SQLITE_ROW) {
        const unsigned char* cell = sqlite3_column_text(statement, 0);
        const int size = sqlite3_column_bytes(statement, 0);
        result.assign(cell != nullptr ? reinterpret_cast<const char*>(cell) : "",
                      cell != nullptr ? static_cast<std::size_t>(size) : 0);
    }
    sqlite3_finalize(statement);
    return result;
}

std::string TextStore::languageFileName(std::string_view baseName) const {
    std::string name(baseName);
    name += languageSuffix(language);
    return name;
}

std::string_view TextStore::languageSuffix(std::string_view language) {
    if (language == "japanese") {
        return "_japanese.xml";
    }
    if (language == "french") {
        return "_french.xml";
    }
    if (language == "german") {
        return "_german.xml";
    }
    if (language == "italian") {
        return "_italian.xml";
    }
    if (language == "spanish") {
        return "_spanish.xml";
    }
    if (language == "dutch") {
        return "_dutch.xml";
    }
    return "_english.xml";
}

bool TextStore::isKnownLanguage(std::string_view language) {
    return std::find(kLanguages.begin(), kLanguages.end(), language) != kLanguages.end();
}

}  // namespace orv
