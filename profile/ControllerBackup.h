#pragma once
// A backup of everything the controller stores: all twelve profile images in one small SQLite
// file, and putting them back.
//
// File: table "backup" (key, value) with format "orv-controller-backup", version "1", the tool
// version and the time it was made (UTC, ISO 8601); table "images" with one row per image:
// mode (0 NS, 1 PC), slot (0..5), name (the profile name, for people reading the file), image
// (the 640 bytes exactly as written to the controller) and checksum (CRC-32 of the image, eight
// lower-case hex digits). A backup file is untrusted input when read: it is opened like an
// imported settings file (private copy, read-only, hardened) and every row is checked before
// anything is used.

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "device/ControllerState.h"
#include "profile/Status.h"

namespace orv {

inline constexpr const char* kBackupFormat = "orv-controller-backup";
inline constexpr const char* kBackupVersion = "1";
// Twelve images and a few rows need far less; anything larger is refused unread.
inline constexpr std::uint64_t kBackupSizeCap = 1024u * 1024u;

// Texts of the window's "Back up controller…" and "Restore controller…" items.
inline constexpr int kBackupCaptionText = 202;
inline constexpr int kRestoreCaptionText = 203;
inline constexpr int kBackupDoneText = 204;
inline constexpr int kBackupFailedText = 205;
inline constexpr int kRestoreRefusedText = 206;
inline constexpr int kRestoreDoneText = 207;
inline constexpr int kRestoreStoppedText = 208;
inline constexpr int kLeaveEditingFirstText = 209;
inline constexpr int kNoControllerForBackupText = 210;

struct BackupImage {
    HostMode mode = HostMode::NS;
    std::uint32_t slot = 0;  // profile index 0..5
    DeviceSettingsBlock image{};
};

struct ControllerBackup {
    std::string toolVersion;
    std::string created;
    std::vector<BackupImage> images;  // NS slots 0..5, then PC slots 0..5
};

// CRC-32 (IEEE 802.3) of the 640 bytes.
std::uint32_t imageChecksum(const DeviceSettingsBlock& image);

// Writes both profile lists (six images each) to `file`, replacing it atomically, with this
// tool's version and the current time; a list that is not complete is refused.
Status writeControllerBackup(const std::filesystem::path& file, const ProfileImages& images);

// The version of the tool as written into backups ("0.1.0").
const char* toolVersion();

// Reads and checks `file`: the format and version, exactly one row per mode and slot, every
// image 640 bytes with a matching checksum. On failure `backup` is left empty and the result
// says what is wrong.
Status readControllerBackup(const std::filesystem::path& file, ControllerBackup& backup);

// What happened to one image of a restore.
enum class SlotRestore : std::uint8_t {
    Restored,
    WriteFailed,
    CommitFailed,
    ReadBackFailed,
    ReadBackDiffers,
    NotAttempted
};
struct SlotResult {
    HostMode mode = HostMode::NS;
    std::uint32_t slot = 0;
    SlotRestore outcome = SlotRestore::NotAttempted;
    std::string detail;
};

// Writes each image in order: WriteProfile, Commit of its mode, ReadProfile and a byte
// comparison. Stops at the first failure (the remaining images are NotAttempted, so the
// controller's other slots stay as they were) or when `stop` returns true. A restored image
// becomes the stored entry in `images`. One result per image, in order; `onSlot` (optional)
// sees each as it happens.
std::vector<SlotResult> restoreImages(DeviceLink& link, ProfileImages& images,
                                      const std::vector<BackupImage>& selected,
                                      const std::function<bool()>& stop,
                                      const std::function<void(const SlotResult&)>& onSlot);

}  // namespace orv
