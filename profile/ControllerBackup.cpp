#include "profile/ControllerBackup.h"

#include <sqlite3.h>

#include <array>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <set>

#include "device/VendorProtocol.h"
#include "profile/FileCopy.h"
#include "profile/ImportedSettingsFile.h"
#include "profile/PrivateTempFolder.h"
#include "profile/ProfileModel.h"
#include "profile/ProfileSlots.h"
#include "profile/SettingsDatabase.h"

namespace orv {

namespace {

constexpr std::array<std::uint32_t, 256> makeCrcTable() {
    std::array<std::uint32_t, 256> table{};
    for (std::uint32_t n = 0; n < 256; ++n) {
        std::uint32_t c = n;
        for (int k = 0; k < 8; ++k) {
            c = (c & 1u) != 0 ? 0xEDB88320u ^ (c >> 1) : c >> 1;
        }
        table[n] = c;
    }
    return table;
}
constexpr std::array<std::uint32_t, 256> kCrcTable = makeCrcTable();

std::string hex8(std::uint32_t value) {
    char text[12];
    std::snprintf(text, sizeof text, "%08x", value);
    return text;
}

// A prepared statement that is finalized on every path.
class Statement {
public:
    Statement(sqlite3* db, const char* sql) {
        if (sqlite3_prepare_v2(db, sql, -1, &statement_, nullptr) != SQLITE_OK) {
            error_ = sqlite3_errmsg(db);
            sqlite3_finalize(statement_);
            statement_ = nullptr;
        }
    }
    ~Statement() { sqlite3_finalize(statement_); }
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;
    sqlite3_stmt* get() const { return statement_; }
    const std::string& error() const { return error_; }

private:
    sqlite3_stmt* statement_ = nullptr;
    std::string error_;
};

Status exec(sqlite3* db, const char* sql) {
    char* message = nullptr;
    if (sqlite3_exec(db, sql, nullptr, nullptr, &message) != SQLITE_OK) {
        std::string why = message != nullptr ? message : "statement failed";
        sqlite3_free(message);
        return Status::failure(why);
    }
    return Status::success();
}

std::string columnText(sqlite3_stmt* statement, int column) {
    if (sqlite3_column_type(statement, column) != SQLITE_TEXT) {
        return {};
    }
    const unsigned char* text = sqlite3_column_text(statement, column);
    return text != nullptr ? reinterpret_cast<const char*>(text) : std::string();
}

std::string utcNow() {
    const std::time_t now = std::time(nullptr);
    std::tm parts{};
    gmtime_r(&now, &parts);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%SZ", &parts);
    return text;
}

Status refuse(const std::string& why) {
    return Status::failure("not a usable controller backup: " + why);
}

Status readHeader(sqlite3* db, ControllerBackup& backup) {
    Statement statement(db, "SELECT key, value FROM backup;");
    if (statement.get() == nullptr) {
        return refuse(statement.error());
    }
    std::string format;
    std::string version;
    while (sqlite3_step(statement.get()) == SQLITE_ROW) {
        const std::string key = columnText(statement.get(), 0);
        const std::string value = columnText(statement.get(), 1);
        if (key == "format") {
            format = value;
        } else if (key == "version") {
            version = value;
        } else if (key == "tool_version") {
            backup.toolVersion = value;
        } else if (key == "created") {
            backup.created = value;
        }
    }
    if (format != kBackupFormat) {
        return refuse("format is \"" + format + "\", not " + kBackupFormat);
    }
    if (version != kBackupVersion) {
        return refuse("format version \"" + version + "\" is not supported (this tool reads " +
                      kBackupVersion + ")");
    }
    return Status::success();
}

Status readImages(sqlite3* db, ControllerBackup& backup) {
    Statement statement(db, "SELECT mode, slot, image, checksum FROM images ORDER BY mode, slot;");
    if (statement.get() == nullptr) {
        return refuse(statement.error());
    }
    std::set<std::pair<std::int64_t, std::int64_t>> seen;
    int rc = SQLITE_OK;
    while ((rc = sqlite3_step(statement.get())) == SQLITE_ROW) {
        sqlite3_stmt* row = statement.get();
        if (sqlite3_column_type(row, 0) != SQLITE_INTEGER ||
            sqlite3_column_type(row, 1) != SQLITE_INTEGER) {
            return refuse("an image row without a numeric mode and slot");
        }
        const std::int64_t mode = sqlite3_column_int64(row, 0);
        const std::int64_t slot = sqlite3_column_int64(row, 1);
        const std::string where =
            "image of mode " + std::to_string(mode) + " slot " + std::to_string(slot);
        if (mode < 0 || mode > 1 || slot < 0 || slot > 5) {
            return refuse(where + " is outside modes 0..1 and slots 0..5");
        }
        if (!seen.insert({mode, slot}).second) {
            return refuse(where + " appears twice");
        }
        if (sqlite3_column_type(row, 2) != SQLITE_BLOB ||
            sqlite3_column_bytes(row, 2) != static_cast<int>(block::kSize)) {
            return refuse(where + " is not " + std::to_string(block::kSize) + " bytes");
        }
        BackupImage entry;
        entry.mode = mode == 1 ? HostMode::PC : HostMode::NS;
        entry.slot = static_cast<std::uint32_t>(slot);
        std::memcpy(entry.image.bytes.data(), sqlite3_column_blob(row, 2), block::kSize);
        if (columnText(row, 3) != hex8(imageChecksum(entry.image))) {
            return refuse(where + " does not match its checksum (the file is damaged)");
        }
        backup.images.push_back(entry);
    }
    if (rc != SQLITE_DONE) {
        return refuse(sqlite3_errmsg(db));
    }
    if (backup.images.size() != 2 * kProfilesPerMode) {
        return refuse("holds " + std::to_string(backup.images.size()) +
                      " images instead of twelve");
    }
    return Status::success();
}

}  // namespace

std::uint32_t imageChecksum(const DeviceSettingsBlock& image) {
    std::uint32_t crc = 0xFFFFFFFFu;
    for (const std::uint8_t byte : image.bytes) {
        crc = kCrcTable[(crc ^ byte) & 0xFFu] ^ (crc >> 8);
    }
    return crc ^ 0xFFFFFFFFu;
}

const char* toolVersion() {
    return ORV_TOOL_VERSION;
}

Status writeControllerBackup(const std::filesystem::path& file, const ProfileImages& images) {
    const std::string created = utcNow();
    auto listOf = [&images](HostMode mode) -> const std::vector<DeviceSettingsBlock>& {
        return mode == HostMode::PC ? images.pcProfiles : images.nsProfiles;
    };
    for (const HostMode mode : {HostMode::NS, HostMode::PC}) {
        if (listOf(mode).size() != kProfilesPerMode) {
            return Status::failure("the controller's profiles were not all read");
        }
    }
    PrivateTempFolder folder;
    if (Status folderMade = folder.create(); !folderMade) {
        return folderMade;
    }
    const std::filesystem::path draft = folder.path() / "backup.db";
    {
        SqliteConnection db;
        std::string error;
        if (!db.open(draft.string(), SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, error)) {
            return Status::failure("cannot create the backup: " + error);
        }
        if (Status made = exec(db.handle(),
                               "BEGIN; CREATE TABLE backup (key TEXT PRIMARY KEY, value TEXT);"
                               "CREATE TABLE images (mode INTEGER, slot INTEGER, name TEXT, "
                               "image BLOB, checksum TEXT, PRIMARY KEY (mode, slot));");
            !made) {
            return made;
        }
        Statement header(db.handle(), "INSERT INTO backup VALUES (?, ?);");
        const std::array<std::pair<const char*, std::string>, 4> rows = {{
            {"format", kBackupFormat},
            {"version", kBackupVersion},
            {"tool_version", toolVersion()},
            {"created", created},
        }};
        for (const auto& [key, value] : rows) {
            sqlite3_reset(header.get());
            sqlite3_bind_text(header.get(), 1, key, -1, SQLITE_TRANSIENT);
            sqlite3_bind_text(header.get(), 2, value.c_str(), -1, SQLITE_TRANSIENT);
            if (sqlite3_step(header.get()) != SQLITE_DONE) {
                return Status::failure(sqlite3_errmsg(db.handle()));
            }
        }
        Statement insert(db.handle(), "INSERT INTO images VALUES (?, ?, ?, ?, ?);");
        if (insert.get() == nullptr) {
            return Status::failure(insert.error());
        }
        for (const HostMode mode : {HostMode::NS, HostMode::PC}) {
            for (std::uint32_t slot = 0; slot < kProfilesPerMode; ++slot) {
                const DeviceSettingsBlock& image = listOf(mode)[slot];
                const std::string name = readProfileName(image);
                const std::string checksum = hex8(imageChecksum(image));
                sqlite3_reset(insert.get());
                sqlite3_bind_int(insert.get(), 1, static_cast<int>(mode));
                sqlite3_bind_int(insert.get(), 2, static_cast<int>(slot));
                sqlite3_bind_text(insert.get(), 3, name.c_str(), -1, SQLITE_TRANSIENT);
                sqlite3_bind_blob(insert.get(), 4, image.bytes.data(),
                                  static_cast<int>(block::kSize), SQLITE_TRANSIENT);
                sqlite3_bind_text(insert.get(), 5, checksum.c_str(), -1, SQLITE_TRANSIENT);
                if (sqlite3_step(insert.get()) != SQLITE_DONE) {
                    return Status::failure(sqlite3_errmsg(db.handle()));
                }
            }
        }
        if (Status committed = exec(db.handle(), "COMMIT;"); !committed) {
            return committed;
        }
    }
    return replaceFileAtomically(draft, file);
}

Status readControllerBackup(const std::filesystem::path& file, ControllerBackup& backup) {
    backup = ControllerBackup{};
    PrivateTempFolder folder;
    SqliteConnection db;
    if (Status opened = openUntrustedDatabase(file, folder, db, kBackupSizeCap); !opened) {
        return refuse(opened.error);
    }
    ControllerBackup read;
    Status status = readHeader(db.handle(), read);
    if (status) {
        status = readImages(db.handle(), read);
    }
    if (status) {
        backup = std::move(read);
    }
    return status;
}

std::vector<SlotResult> restoreImages(DeviceLink& link, ProfileImages& images,
                                      const std::vector<BackupImage>& selected,
                                      const std::function<bool()>& stop,
                                      const std::function<void(const SlotResult&)>& onSlot) {
    std::vector<SlotResult> results;
    bool halted = false;
    for (const BackupImage& entry : selected) {
        SlotResult result{entry.mode, entry.slot, SlotRestore::NotAttempted, {}};
        if (!halted && stop && stop()) {
            halted = true;
        }
        if (!halted) {
            const auto mode = static_cast<std::uint8_t>(entry.mode);
            const auto slot = static_cast<std::uint8_t>(entry.slot);
            if (!WriteProfile(link, entry.image, mode, slot)) {
                result.outcome = SlotRestore::WriteFailed;
            } else if (!Commit(link, mode)) {
                result.outcome = SlotRestore::CommitFailed;
            } else if (!ReadProfile(link, mode, slot)) {
                result.outcome = SlotRestore::ReadBackFailed;
            } else if (!(link.receivedBlock == entry.image)) {
                result.outcome = SlotRestore::ReadBackDiffers;
                result.detail = "the controller holds different bytes after the write";
            } else {
                result.outcome = SlotRestore::Restored;
                auto& list = images.profiles(entry.mode);
                if (entry.slot < list.size()) {
                    list[entry.slot] = entry.image;
                }
            }
            if (result.outcome != SlotRestore::Restored) {
                if (result.detail.empty()) {
                    result.detail = link.lastError;
                }
                halted = true;
            }
        }
        if (onSlot) {
            onSlot(result);
        }
        results.push_back(result);
    }
    rebuildSwitchModeLists(images);
    return results;
}

}  // namespace orv
