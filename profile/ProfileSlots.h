#pragma once
// Profile slots 1..6 of the current host mode: the stored entry, the customised mark, and the
// operations that begin editing a slot (activate, new profile from the factory settings),
// rename it, or answer the profile dialog's cancel. Each needs both profile lists filled; with
// currentProfile outside 1..6 or a list too short they change nothing and fail.

#include <cstdint>
#include <string_view>

#include "device/ControllerState.h"
#include "device/DeviceSettingsBlock.h"
#include "profile/ProfileOutcome.h"

namespace orv {

inline constexpr std::uint32_t kProfilesPerMode = 6;

// Entry currentProfile - 1 of the current mode's list; null when there is none.
DeviceSettingsBlock* storedEntry(ProfileImages& images);

// A slot (index 0..5) is customised when its name is not exactly its factory name.
bool isCustomisedName(std::uint32_t profileIndex, std::string_view name);

// Makes currentProfile the profile being edited: the mode's last profile := currentProfile,
// Select (255, index) on the controller, then workingBlock and restorePoint := the stored
// entry, the panel copies refreshed and nothing selected. The editing buttons are shown in
// any case; when the controller refuses the select nothing else happens (no message).
ProfileOutcome activateProfileForEditing(ProfileContext& context);

// Replaces the current profile by the factory settings under `enteredName` and starts editing
// it: the stored entry becomes the factory image (PC: Capture and Home short press 31) with
// the name, entryBlock keeps the image it replaced, the mode's switch-mode flags are cleared,
// flags.slotReplaced is set, and the controller is told to select the profile. Success sets
// flags.newProfileMade. When the factory file does not open nothing at all changes; that and a
// refused select ask for message 78 (caption 77). The controller receives the profile only
// with Save.
ProfileOutcome newProfileFromFactory(ProfileContext& context, EditingFlags& flags);

// Shows `enteredName` on the name button and writes it into workingBlock; the stored entry
// gets it only with Save.
ProfileOutcome renameCurrentProfile(ProfileContext& context);

// The profile dialog was cancelled: restorePoint := the stored entry, the edited sticks := its
// sticks. The window then leaves the profile (restoreLastTime).
ProfileOutcome cancelProfileDialog(ProfileContext& context);

}  // namespace orv
