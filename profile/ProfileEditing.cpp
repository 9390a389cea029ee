#include "profile/ProfileEditing.h"

#include <string>

#include "device/VendorProtocol.h"
#include "profile/ProfileModel.h"
#include "profile/ProfileSlots.h"
#include "profile/SettingsDatabase.h"

namespace orv {

namespace {

constexpr std::uint8_t kKeepSetting = 0xFF;

std::string deviceReason(const DeviceLink& device, const char* what) {
    std::string reason = what;
    if (!device.lastError.empty()) {
        reason += ": " + device.lastError;
    }
    return reason;
}

}  // namespace

ProfileOutcome saveProfile(ProfileContext& context, EditingFlags& flags) {
    ProfileImages& images = context.images;
    ProfileOutcome outcome;
    outcome.message = MessageNotice{kSaveFailedText, kCaptionText, MessageIcon::Warning};
    if (context.device.hidDevice == nullptr) {
        outcome.detail = "no controller is open";
        return outcome;
    }
    DeviceSettingsBlock* stored = storedEntry(images);
    if (stored == nullptr) {
        outcome.detail = "no profile slot is current";
        return outcome;
    }
    const auto mode = static_cast<std::uint8_t>(images.hostMode);
    const auto index = static_cast<std::uint8_t>(images.currentProfile - 1);
    if (!WriteProfile(context.device, images.workingBlock, mode, index)) {
        outcome.detail = deviceReason(context.device, "the controller did not take the profile");
        return outcome;
    }
    if (!Commit(context.device, mode)) {
        outcome.detail =
            deviceReason(context.device, "the controller did not make the profile permanent");
        return outcome;
    }
    // Only now does the controller hold the working image for certain.
    *stored = images.workingBlock;
    rebuildSwitchModeLists(images);
    flags.savedToDevice = true;
    outcome.repaintProfileMarks = true;
    outcome.message.reset();
    outcome.succeeded = true;
    return outcome;
}

ProfileOutcome factoryResetProfile(ProfileContext& context, EditingFlags& flags) {
    ProfileImages& images = context.images;
    ProfileState& profile = context.profile;
    ProfileOutcome outcome;
    DeviceSettingsBlock* stored = storedEntry(images);
    if (stored == nullptr) {
        outcome.detail = "no profile slot is current";
        return outcome;
    }
    profile.settingsDb.close();
    if (Status opened = openFactorySettings(profile.settingsDb, context.files.defaultData);
        !opened) {
        outcome.detail = opened.error;
        return outcome;
    }
    DeviceSettingsBlock& working = images.workingBlock;
    working.clear();
    loadProfileFromDatabase(profile.settingsDb, working);
    const std::string name = factoryProfileName(images.currentProfile);
    clearSwitchModeFlags(images, images.hostMode);
    profile.editLeftStick = working.stick(StickSide::Left);
    profile.editRightStick = working.stick(StickSide::Right);
    writeProfileName(working, name);
    // A second replacement must not take the first one's image as the backup: the backup is
    // what the controller holds, which is the stored entry only until the slot is replaced.
    const bool slotHoldsControllerImage =
        flags.savedToDevice || !(flags.slotReplaced || flags.importBackupTaken);
    if (slotHoldsControllerImage) {
        profile.backupBlock = *stored;
    }
    const bool pc = images.hostMode == HostMode::PC;
    if (pc) {
        applyPcCaptureHomeRule(working);
    }
    *stored = working;
    profile.settingsDb.close();

    flags.slotReplaced = true;
    flags.savedToDevice = false;
    outcome.nameButtonText = name;
    outcome.refreshPanel = true;
    outcome.drawHomeCellEmpty = pc;
    outcome.succeeded = true;
    return outcome;
}

ProfileOutcome restoreLastTime(ProfileContext& context, EditingFlags& flags) {
    ProfileImages& images = context.images;
    ProfileState& profile = context.profile;
    const HostMode mode = images.hostMode;
    ProfileOutcome outcome;

    images.switchModes(mode) = images.savedSwitchModes(mode);
    std::string name;
    if (!flags.savedToDevice) {
        profile.restorePoint = flags.newProfileMade ? profile.entryBlock : profile.backupBlock;
        name = readProfileName(profile.restorePoint);
    } else {
        name = readProfileName(images.workingBlock);
    }
    DeviceSettingsBlock* stored = storedEntry(images);
    if (stored != nullptr) {
        outcome.nameButtonText = name;
    }
    if (flags.slotReplaced) {
        flags.slotReplaced = false;
        if (flags.savedToDevice) {
            if (stored != nullptr) {
                *stored = images.workingBlock;
                outcome.customisedMark = isCustomisedName(images.currentProfile - 1, name);
            }
        } else {
            if (stored != nullptr) {
                *stored = profile.restorePoint;
            }
            images.switchModes(mode) = images.savedSwitchModes(mode);
        }
    }
    // A live test left the edited image in the controller; the next Commit of this mode (a Save
    // of any other profile) would make it permanent. Put the stored image back there too.
    if (!flags.savedToDevice && profile.testedOnDevice != 0 && stored != nullptr &&
        context.device.hidDevice != nullptr) {
        WriteProfile(context.device, *stored, static_cast<std::uint8_t>(mode),
                     static_cast<std::uint8_t>(images.currentProfile - 1));
    }
    profile.testedOnDevice = 0;
    flags = EditingFlags{};
    profile.selectedSlot = kSelectionNone;
    profile.lastProfile(mode) = 0;
    if (context.device.hidDevice != nullptr) {
        Select(context.device, kKeepSetting, kKeepSetting);
    }
    outcome.succeeded = true;
    return outcome;
}

}  // namespace orv
