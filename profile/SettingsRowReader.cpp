#include "profile/SettingsRowReader.h"

#include <sqlite3.h>

#include <algorithm>
#include <boost/locale/encoding.hpp>

#include "profile/ProfileModel.h"
#include "text/SqliteConnection.h"

namespace orv {

std::string decodeColumnName(std::string_view rawName) {
    // "gbk" keeps every byte below 0x80 as the ASCII character, so an ASCII name (every name
    // the settings files use) is already its own UTF-8 form.
    if (std::all_of(rawName.begin(), rawName.end(),
                    [](char c) { return static_cast<unsigned char>(c) < 0x80; })) {
        return std::string(rawName);
    }
    try {
        // `stop` rather than skipping: a name with bytes that are not "gbk" must not turn into
        // a different, valid name by losing them.
        return boost::locale::conv::to_utf<char>(std::string(rawName), "gbk",
                                                 boost::locale::conv::stop);
    } catch (...) {
        return {};
    }
}

SettingsRowReader::SettingsRowReader(const SqliteConnection& db, std::string_view table,
                                     std::string_view keyColumn,
                                     std::span<const std::string_view> wantedColumns)
    : resultColumn_(wantedColumns.size(), -1) {
    if (!db.isOpen()) {
        error_ = "no settings database is open";
        return;
    }
    // The key value is bound rather than spliced in; a bound text compares exactly like the
    // quoted literal would.
    const std::string sql =
        "SELECT * FROM " + std::string(table) + " where " + std::string(keyColumn) + "=?1;";
    if (sqlite3_prepare_v2(db.handle(), sql.c_str(), -1, &statement_, nullptr) != SQLITE_OK) {
        error_ = sqlite3_errmsg(db.handle());
        sqlite3_finalize(statement_);
        statement_ = nullptr;
        return;
    }
    const int columns = sqlite3_column_count(statement_);
    for (int column = 0; column < columns; ++column) {
        const char* raw = sqlite3_column_name(statement_, column);
        if (raw == nullptr) {
            continue;
        }
        const std::string name = decodeColumnName(raw);
        for (std::size_t wanted = 0; wanted < wantedColumns.size(); ++wanted) {
            if (resultColumn_[wanted] < 0 && name == wantedColumns[wanted]) {
                resultColumn_[wanted] = column;
            }
        }
    }
}

SettingsRowReader::~SettingsRowReader() {
    sqlite3_finalize(statement_);
}

bool SettingsRowReader::read(std::string_view keyValue, std::span<std::uint8_t> values) {
    for (auto& value : values) {
        value = 0;
    }
    if (statement_ == nullptr) {
        return false;
    }
    sqlite3_reset(statement_);
    sqlite3_clear_bindings(statement_);
    if (sqlite3_bind_text(statement_, 1, keyValue.data(), static_cast<int>(keyValue.size()),
                          SQLITE_TRANSIENT) != SQLITE_OK) {
        return false;
    }
    const bool gotRow = sqlite3_step(statement_) == SQLITE_ROW;
    if (gotRow) {
        const std::size_t count = std::min(values.size(), resultColumn_.size());
        for (std::size_t wanted = 0; wanted < count; ++wanted) {
            const int column = resultColumn_[wanted];
            if (column < 0) {
                continue;
            }
            const unsigned char* text = sqlite3_column_text(statement_, column);
            if (text != nullptr) {
                const auto length =
                    static_cast<std::size_t>(sqlite3_column_bytes(statement_, column));
                values[wanted] =
                    parseDecimalLow8(std::string_view(reinterpret_cast<const char*>(text), length));
            }
        }
    }
    // Release the read lock now: only the first row ever counts.
    sqlite3_reset(statement_);
    return gotRow;
}

}  // namespace orv
