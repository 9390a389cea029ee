#include "profile/SettingsDatabase.h"

#include <sqlite3.h>

#include <array>
#include <cstring>
#include <system_error>

#include "profile/ProfileModel.h"
#include "profile/SettingsRowReader.h"

namespace orv {

namespace {

constexpr std::string_view kButtonTable = "tBUTSET";
constexpr std::string_view kButtonKey = "BtnName";
constexpr std::string_view kStickKey = "KeyName";

struct StickTable {
    StickSide side;
    std::string_view table;
    std::string_view key;
};
constexpr std::array<StickTable, 2> kStickTables = {{
    {StickSide::Left, "tSTICKSET_Left", "Left"},
    {StickSide::Right, "tSTICKSET_Right", "Right"},
}};

void readRows(const SqliteConnection& db, DeviceSettingsBlock& block);

}  // namespace

Status openFactorySettings(SqliteConnection& db, const std::filesystem::path& file) {
    std::string error;
    if (!db.open(file.string(), SQLITE_OPEN_READONLY, error)) {
        return Status::failure(file.string() + ": " + error);
    }
    return Status::success();
}

void loadProfileFromDatabase(const SqliteConnection& db, DeviceSettingsBlock& block) {
    if (!db.isOpen()) {
        return;
    }
    // One read transaction for all twenty rows: the file is locked and checked once, not once
    // per row, and every row comes from the same state of the file.
    const bool ownTransaction =
        sqlite3_get_autocommit(db.handle()) != 0 &&
        sqlite3_exec(db.handle(), "BEGIN;", nullptr, nullptr, nullptr) == SQLITE_OK;
    readRows(db, block);
    if (ownTransaction) {
        sqlite3_exec(db.handle(), "COMMIT;", nullptr, nullptr, nullptr);
    }
}

namespace {

void readRows(const SqliteConnection& db, DeviceSettingsBlock& block) {
    SettingsRowReader buttons(db, kButtonTable, kButtonKey, kButtonColumnNames);
    for (std::size_t slot = 0; slot < kButtonSlotCount; ++slot) {
        std::array<std::uint8_t, sizeof(ButtonSetting)> record{};  // bytes 14..15 stay 0
        buttons.read(kSlotIdentifiers[slot],
                     std::span<std::uint8_t>(record.data(), kButtonValueColumnCount));
        ButtonSetting setting;
        std::memcpy(&setting, record.data(), sizeof setting);
        block.setButton(slot, setting);
    }
    for (const auto& stick : kStickTables) {
        SettingsRowReader reader(db, stick.table, kStickKey, kStickColumnNames);
        std::array<std::uint8_t, kStickValueColumnCount> values{};
        reader.read(stick.key, values);
        StickSetting setting = block.stick(stick.side);  // bytes 4..7 are carried
        setting.mode = values[0];
        setting.rotate = values[1];
        setting.sen = values[2];
        setting.deadzone = values[3];
        block.setStick(stick.side, setting);
    }
}

}  // namespace

Status loadFactoryImage(ProfileState& state, ProfileImages& images, const SettingsFiles& files,
                        HostMode mode) {
    state.defaultRecords.clear();
    state.settingsDb.close();
    if (Status opened = openFactorySettings(state.settingsDb, files.defaultData); !opened) {
        return opened;
    }
    images.workingBlock.clear();
    loadProfileFromDatabase(state.settingsDb, images.workingBlock);
    state.defaultsBlock = images.workingBlock;
    buildDefaultRecords(state, mode);
    return Status::success();
}

std::string profileWriteStatements(const DeviceSettingsBlock& block) {
    std::string text;
    text.reserve(16 * 1024);
    for (std::size_t slot = 0; slot < kButtonSlotCount; ++slot) {
        const std::size_t record = block::buttonRecordOffset(slot);
        for (std::size_t column = 0; column < kButtonValueColumnCount; ++column) {
            text += "UPDATE tBUTSET SET ";
            text += kButtonColumnNames[column];
            text += '=';
            text += std::to_string(block[record + column]);
            text += " WHERE BtnName='";
            text += kSlotIdentifiers[slot];
            text += "';";
        }
    }
    for (const auto& stick : kStickTables) {
        const std::size_t offset = block::stickOffset(stick.side);
        for (std::size_t column = 0; column < kStickValueColumnCount; ++column) {
            text += "UPDATE ";
            text += stick.table;
            text += " SET ";
            text += kStickColumnNames[column];
            text += '=';
            text += std::to_string(block[offset + column]);
            text += ';';
        }
    }
    return text;
}

Status writeProfileToDatabase(SqliteConnection& db, const DeviceSettingsBlock& block) {
    if (!db.isOpen()) {
        return Status::failure("no settings database is open");
    }
    const auto exec = [&db](const std::string& sql, std::string& error) {
        char* message = nullptr;
        const int rc = sqlite3_exec(db.handle(), sql.c_str(), nullptr, nullptr, &message);
        if (rc != SQLITE_OK) {
            error = message != nullptr ? message : sqlite3_errstr(rc);
        }
        sqlite3_free(message);
        return rc == SQLITE_OK;
    };
    std::string error;
    if (!exec("BEGIN;", error)) {
        return Status::failure("begin: " + error);
    }
    // All or nothing: a failing statement rolls back the ones before it, so a file is never
    // left holding half of a profile.
    if (!exec(profileWriteStatements(block), error)) {
        std::string ignored;
        exec("ROLLBACK;", ignored);
        return Status::failure(error);
    }
    if (!exec("COMMIT;", error)) {
        std::string ignored;
        exec("ROLLBACK;", ignored);
        return Status::failure("commit: " + error);
    }
    return Status::success();
}

Status makeFolders(const std::filesystem::path& folder) {
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (std::filesystem::is_directory(folder)) {
        return Status::success();
    }
    return Status::failure(folder.string() + ": " +
                           (error ? error.message() : std::string("not a folder")));
}

}  // namespace orv
