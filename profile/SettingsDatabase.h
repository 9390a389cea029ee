#pragma once
// The settings databases: reading a profile from one, the factory image, and writing a profile
// into one. All use the one schema: table tBUTSET (key BtnName, the fourteen button value
// columns) and tables tSTICKSET_Left / tSTICKSET_Right (key KeyName "Left" / "Right", columns
// mode, rotate, sen, deadzone).
//
// Connection rule: `ProfileState::settingsDb` holds at most one open settings file; every
// operation that needs a file closes what it holds and opens its own.

#include <filesystem>
#include <string>

#include "device/ControllerState.h"
#include "device/DeviceSettingsBlock.h"
#include "profile/ProfileState.h"
#include "profile/SettingsFiles.h"
#include "profile/Status.h"
#include "text/SqliteConnection.h"

namespace orv {

// Text numbers of the failed-write message box: message 52, caption 79.
inline constexpr int kWriteFailedText = 52;
inline constexpr int kWriteFailedCaption = 79;

// Opens the factory file read-only into `db` (closing what it held). A missing file is a
// failure; it is never created.
Status openFactorySettings(SqliteConnection& db, const std::filesystem::path& file);

// Fills the button records (bytes 0..13 from the file, 14..15 set to 0) and stick bytes 0..3
// of `block` from `db`, one row per slot and stick (value rules: SettingsRowReader). Stick bytes
// 4..7 and the name parts are left as they are. Does nothing when `db` is not open.
void loadProfileFromDatabase(const SqliteConnection& db, DeviceSettingsBlock& block);

// Opens the factory file into settingsDb and leaves it open; workingBlock and defaultsBlock
// become the factory image; defaultRecords and the default sticks are rebuilt for `mode` (PC:
// Capture and Home get the fixed record). defaultRecords is emptied first, so it stays empty
// when the file does not open; workingBlock and defaultsBlock are then left as they were.
Status loadFactoryImage(ProfileState& state, ProfileImages& images, const SettingsFiles& files,
                        HostMode mode);

// The 260 UPDATE statements that write `block` into an open settings file: for each slot and
// value column "UPDATE tBUTSET SET <column>=<value> WHERE BtnName='<slot>';", then
// "UPDATE tSTICKSET_Left SET <column>=<value>;" for mode, rotate, sen, deadzone, then the same
// for tSTICKSET_Right. No separators other than the statements' own semicolons.
std::string profileWriteStatements(const DeviceSettingsBlock& block);

// Runs profileWriteStatements(block) on `db` inside one transaction. On failure the transaction
// is rolled back, so the file keeps its old values, and the result says why; the caller shows
// message kWriteFailedText with caption kWriteFailedCaption.
Status writeProfileToDatabase(SqliteConnection& db, const DeviceSettingsBlock& block);

// Creates `folder` and every missing parent; success when it exists as a folder afterwards.
Status makeFolders(const std::filesystem::path& folder);

}  // namespace orv
