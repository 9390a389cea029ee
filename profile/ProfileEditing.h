#pragma once
// Ending or resetting the editing of the current profile: Save, Factory reset, Restore last
// time. Editing changes only workingBlock; these decide what reaches the stored list (the
// images as the controller holds them) and the controller.

#include "profile/ProfileOutcome.h"

namespace orv {

// Writes workingBlock to the controller as profile currentProfile - 1 of hostMode and makes it
// permanent (WriteProfile, then Commit). Only when both succeed does the stored entry become
// workingBlock, the switch-mode lists get rebuilt from both lists, flags.savedToDevice get set
// and the tab marks want repainting. Otherwise (no controller, no current slot, a refused write
// or commit) the stored entry and the lists are unchanged and message 111 (caption 77) is asked
// for.
ProfileOutcome saveProfile(ProfileContext& context, EditingFlags& flags);

// Replaces the current profile by the factory settings under its factory name
// ("PROFILE1".."PROFILE6"): workingBlock and the stored entry get the image (PC: Capture and
// Home short press 31), the edited sticks its sticks, the mode's switch-mode flags are
// cleared. backupBlock keeps what the controller holds: it is taken from the stored entry
// unless the slot was already replaced since the last save (an earlier reset or import holds
// the right backup). Sets flags.slotReplaced, clears flags.savedToDevice. Nothing is sent to
// the controller. When the factory file does not open nothing changes and no message is asked
// for.
ProfileOutcome factoryResetProfile(ProfileContext& context, EditingFlags& flags);

// Leaves editing and puts back what the controller holds: the saved switch-mode lists come
// back; unless saved, restorePoint := entryBlock (new profile) or backupBlock, and a replaced
// stored entry gets restorePoint back; after a save the stored entry keeps the saved image and
// the customised mark is reported. Then nothing is selected, the mode's last profile is 0,
// every flag is clear, and the controller is sent Select (255, 255) without looking at the
// answer. The name button shows the name of the image that stays.
ProfileOutcome restoreLastTime(ProfileContext& context, EditingFlags& flags);

}  // namespace orv
