#include "profile/ProfileTransfer.h"

#include <sqlite3.h>

#include "profile/FileCopy.h"
#include "profile/ImportedSettingsFile.h"
#include "profile/PrivateTempFolder.h"
#include "profile/ProfileModel.h"
#include "profile/ProfileSlots.h"
#include "profile/SettingsDatabase.h"

namespace orv {

namespace {

ProfileOutcome failure(std::string why) {
    ProfileOutcome outcome;
    outcome.detail = std::move(why);
    return outcome;
}

}  // namespace

std::optional<ProfileFolders> importFolders() {
    const std::optional<std::filesystem::path> desktop = desktopFolder();
    if (!desktop) {
        return std::nullopt;
    }
    return ProfileFolders::under(*desktop);
}

std::optional<ProfileFolders> exportFolders() {
    std::optional<ProfileFolders> folders = importFolders();
    if (folders) {
        // A folder that cannot be made is not fatal: the dialog can still go anywhere.
        makeFolders(folders->ns);
        makeFolders(folders->pc);
    }
    return folders;
}

std::string importedProfileName(const std::filesystem::path& chosenFile) {
    return chosenFile.filename().stem().string();
}

ProfileOutcome importProfile(ProfileContext& context, EditingFlags& flags,
                             const std::filesystem::path& chosenFile) {
    ProfileImages& images = context.images;
    ProfileState& profile = context.profile;
    if (chosenFile.empty()) {
        return failure("no file was chosen");
    }
    DeviceSettingsBlock* stored = storedEntry(images);
    if (stored == nullptr) {
        return failure("no profile slot is current");
    }
    PrivateTempFolder copyFolder;
    if (Status opened = openImportedSettings(chosenFile, copyFolder, profile.settingsDb); !opened) {
        ProfileOutcome outcome = failure(opened.error);
        outcome.message = MessageNotice{kImportRefusedText, kCaptionText, MessageIcon::Warning};
        return outcome;
    }
    DeviceSettingsBlock& working = images.workingBlock;
    working.clear();
    loadProfileFromDatabase(profile.settingsDb, working);
    // The checked copy is private and goes away with its folder; nothing later reads it.
    profile.settingsDb.close();
    if (context.device.hidDevice == nullptr) {
        return failure("no controller is open");
    }

    const std::string name = importedProfileName(chosenFile);
    writeProfileName(working, name);
    if (images.hostMode == HostMode::PC) {
        applyPcCaptureHomeRule(working);
    }
    const bool slotHoldsControllerImage =
        flags.savedToDevice || !(flags.slotReplaced || flags.importBackupTaken);
    if (slotHoldsControllerImage) {
        profile.backupBlock = *stored;
    }
    *stored = working;
    flags.importBackupTaken = true;
    flags.slotReplaced = true;
    flags.savedToDevice = false;

    // Activating again selects the profile on the controller and takes the stored entry (now
    // the imported image) as workingBlock and restorePoint; a refused select leaves the import
    // in place, as the controller gets it only with Save anyway.
    ProfileOutcome outcome = activateProfileForEditing(context);
    outcome.nameButtonText = name;
    outcome.refreshPanel = true;
    outcome.showEditingButtons = true;
    outcome.succeeded = true;
    return outcome;
}

ProfileOutcome exportProfile(ProfileContext& context, const std::filesystem::path& chosenFile) {
    ProfileState& profile = context.profile;
    if (chosenFile.empty()) {
        return failure("no file was chosen");
    }
    const DeviceSettingsBlock* stored = storedEntry(context.images);
    if (stored == nullptr) {
        return failure("no profile slot is current");
    }
    PrivateTempFolder copyFolder;
    if (Status created = copyFolder.create(); !created) {
        return failure(created.error);
    }
    const std::filesystem::path copy = copyFolder.path() / "export.db";
    if (Status copied = copyRegularFile(context.files.exportTemplate, copy, kImportSizeCap);
        !copied) {
        return failure(copied.error);
    }
    profile.settingsDb.close();
    std::string error;
    if (!profile.settingsDb.open(copy.string(), SQLITE_OPEN_READWRITE, error)) {
        return failure(copy.string() + ": " + error);
    }
    profile.exportBlock = *stored;
    const Status written = writeProfileToDatabase(profile.settingsDb, profile.exportBlock);
    profile.settingsDb.close();
    if (!written) {
        ProfileOutcome outcome = failure(written.error);
        outcome.message =
            MessageNotice{kWriteFailedText, kWriteFailedCaption, MessageIcon::Exclamation};
        return outcome;
    }
    if (Status placed = replaceFileAtomically(copy, chosenFile); !placed) {
        return failure(placed.error);
    }
    ProfileOutcome outcome;
    outcome.succeeded = true;
    return outcome;
}

}  // namespace orv
