#pragma once
// Importing a profile from a settings file and exporting one to a settings file, given the path
// the file dialog returned. Both need a current profile slot (the window asks for one first:
// message 79, caption 77).

#include <filesystem>
#include <optional>
#include <string>

#include "profile/ProfileFolders.h"
#include "profile/ProfileOutcome.h"

namespace orv {

// The folders the open dialog offers (ProfileFolders::importStartFolder); nothing is created.
// Nothing when the desktop folder is unknown (the window then does not open the dialog).
std::optional<ProfileFolders> importFolders();
// The folders the save dialog offers (forMode); both profile folders are created first.
std::optional<ProfileFolders> exportFolders();

// The profile name an imported file gives: its file name without folder and extension.
std::string importedProfileName(const std::filesystem::path& chosenFile);

// Reads `chosenFile` into the current slot. The file is checked first (ImportedSettingsFile);
// a file that is refused or cannot be read changes nothing and asks for message 112 (caption
// 77). A readable settings file is loaded into workingBlock (missing values read 0); with no
// controller open that is all (failure, no message). Otherwise the profile takes the file's
// name (PC: Capture and Home short press 31), the stored entry becomes it, backupBlock keeps
// what the controller holds (taken unless the slot was already replaced since the last save),
// flags.importBackupTaken and flags.slotReplaced are set, flags.savedToDevice cleared, and the
// profile is activated again. An empty path does nothing. settingsDb is closed afterwards.
ProfileOutcome importProfile(ProfileContext& context, EditingFlags& flags,
                             const std::filesystem::path& chosenFile);

// Writes the stored settings of the current slot (never unsaved edits; workingBlock is left as
// it is) into a private copy of the export template and puts that copy at `chosenFile`,
// replacing an existing file atomically. The shipped template is never modified. A failed
// write of the settings asks for message 52 (caption 79, exclamation icon); other failures
// (template missing, target folder not writable, empty path) fail without a message.
// settingsDb is closed afterwards.
ProfileOutcome exportProfile(ProfileContext& context, const std::filesystem::path& chosenFile);

}  // namespace orv
