#include "profile/ProfileSlots.h"

#include <utility>
#include <vector>

#include "device/VendorProtocol.h"
#include "profile/ProfileModel.h"
#include "profile/SettingsDatabase.h"

namespace orv {

namespace {

constexpr std::uint8_t kKeepSetting = 0xFF;  // Select: leave this item unchanged

ProfileOutcome failure(std::string why) {
    ProfileOutcome outcome;
    outcome.detail = std::move(why);
    return outcome;
}

std::uint8_t profileIndex(const ProfileImages& images) {
    return static_cast<std::uint8_t>(images.currentProfile - 1);
}

}  // namespace

DeviceSettingsBlock* storedEntry(ProfileImages& images) {
    auto& list = images.currentProfiles();
    if (images.currentProfile < 1 || images.currentProfile > kProfilesPerMode ||
        list.size() < images.currentProfile) {
        return nullptr;
    }
    return &list[images.currentProfile - 1];
}

bool isCustomisedName(std::uint32_t profileIndex, std::string_view name) {
    return name != factoryProfileName(profileIndex + 1);
}

ProfileOutcome activateProfileForEditing(ProfileContext& context) {
    ProfileImages& images = context.images;
    ProfileOutcome outcome;
    outcome.showEditingButtons = true;
    DeviceSettingsBlock* stored = storedEntry(images);
    if (stored == nullptr) {
        outcome.detail = "no profile slot is current";
        return outcome;
    }
    context.profile.lastProfile(images.hostMode) = images.currentProfile;
    if (!Select(context.device, kKeepSetting, profileIndex(images))) {
        outcome.detail = "the controller did not select the profile";
        return outcome;
    }
    images.workingBlock = *stored;
    context.profile.restorePoint = *stored;
    refreshPanelCopy(context.profile, images);
    context.profile.selectedSlot = kSelectionNone;
    outcome.refreshPanel = true;
    outcome.succeeded = true;
    return outcome;
}

ProfileOutcome newProfileFromFactory(ProfileContext& context, EditingFlags& flags) {
    ProfileImages& images = context.images;
    ProfileState& profile = context.profile;
    DeviceSettingsBlock* stored = storedEntry(images);
    ProfileOutcome outcome;
    outcome.message = MessageNotice{kNewProfileFailedText, kCaptionText, MessageIcon::Warning};
    if (stored == nullptr) {
        outcome.detail = "no profile slot is current";
        return outcome;
    }
    if (profile.enteredName.empty()) {
        outcome.detail = "no name was entered";
        return outcome;
    }
    // Everything below needs the factory file; opening it first means a missing file leaves
    // the slot, its name and its switch modes exactly as they were.
    std::vector<ButtonSetting> recordsBefore = profile.defaultRecords;
    if (Status loaded = loadFactoryImage(profile, images, context.files, images.hostMode);
        !loaded) {
        profile.defaultRecords = std::move(recordsBefore);
        outcome.detail = loaded.error;
        return outcome;
    }
    const std::string name = profile.enteredName;
    clearSwitchModeFlags(images, images.hostMode);
    profile.entryBlock = *stored;
    profile.lastProfile(images.hostMode) = images.currentProfile;
    outcome.nameButtonText = name;

    // loadFactoryImage left workingBlock holding the factory image just read.
    DeviceSettingsBlock& working = images.workingBlock;
    writeProfileName(working, name);
    profile.editLeftStick = working.stick(StickSide::Left);
    profile.editRightStick = working.stick(StickSide::Right);
    if (images.hostMode == HostMode::PC) {
        applyPcCaptureHomeRule(working);
    }
    *stored = working;
    profile.settingsDb.close();

    outcome.refreshPanel = true;
    outcome.showEditingButtons = true;
    flags.slotReplaced = true;
    if (!Select(context.device, kKeepSetting, profileIndex(images))) {
        outcome.detail = "the controller did not select the profile";
        return outcome;
    }
    flags.newProfileMade = true;
    outcome.message.reset();
    outcome.succeeded = true;
    return outcome;
}

ProfileOutcome renameCurrentProfile(ProfileContext& context) {
    ProfileOutcome outcome;
    if (storedEntry(context.images) == nullptr) {
        return failure("no profile slot is current");
    }
    writeProfileName(context.images.workingBlock, context.profile.enteredName);
    outcome.nameButtonText = context.profile.enteredName;
    outcome.succeeded = true;
    return outcome;
}

ProfileOutcome cancelProfileDialog(ProfileContext& context) {
    const DeviceSettingsBlock* stored = storedEntry(context.images);
    if (stored == nullptr) {
        return failure("no profile slot is current");
    }
    context.profile.restorePoint = *stored;
    context.profile.editLeftStick = stored->stick(StickSide::Left);
    context.profile.editRightStick = stored->stick(StickSide::Right);
    ProfileOutcome outcome;
    outcome.succeeded = true;
    return outcome;
}

}  // namespace orv
