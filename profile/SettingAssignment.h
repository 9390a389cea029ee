#pragma once
// Settings of a profile image by name, for front ends that take them as text
// ("A.short=B", "A.long=X@0.7", "LStick.sensitivity=150%"). Every value the editors can choose
// is accepted, with the editors' bounds; nothing else is.
//
// Names: <BUTTON>.<field> where BUTTON is a button's item name (Up, Down, Left, Right, Y, B, A,
// X, L, R, ZL, ZR, Minus, Plus, LStickBut, RStickBut, Home, Cap; in PC mode also LB, RB, LT,
// RT, BACK, START) and field one of
//   short=ITEM                      short press
//   long=ITEM[@SECONDS] | off       long press (off: none) and its time, 0.5..2.0 s
//   turbo=ITEM[@SECONDS] | off      turbo and its setting, 0.1..0.5 (the function stays as
//                                   it is while continuous-disable is on, as in the editor)
//   condisable=on[@SECONDS] | off   continuous-disable and its time, 0.1..3.0 s
//   switch=ITEM[,ITEM...][@SECONDS] | off   long-press switch: up to five positions (missing
//                                   ones empty) and its time, 0.5..3.0 s; off: function button
// ITEM is a function's item name ("A", "LB", "LStickBut", "Cap", ...), "none" or "nothing".
// Sticks: LStick.<field> / RStick.<field> with mode=none|left|right,
// rotation=none|left90|right90|180, sensitivity=25%..200% (steps of 25), deadzone=none|5%|10%|
// 25%|50%; the stick editor's item names ("modeL", "Rrotate90", "sen125", ...) are taken too.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "device/DeviceSettingsBlock.h"
#include "profile/Status.h"

namespace orv {

// Slot of a button name in `mode` (PC names only in PC mode); nullopt for any other name.
std::optional<std::size_t> buttonSlotFromName(std::string_view name, HostMode mode);
// The name of slot 0..17 in `mode` ("L" in NS mode, "LB" in PC mode).
std::string buttonNameOfSlot(std::size_t slot, HostMode mode);
// The buttons in the order the tool lists them (d-pad, face buttons, shoulders, the rest).
const std::vector<std::size_t>& buttonListingOrder();

// Value words of the stick fields ("none", "left", "right90", "150%", ...); "" for a value the
// stick editor does not offer.
std::string stickModeWord(std::uint8_t mode);
std::string rotationWord(std::uint8_t rotate);
// Seconds as the editors write them ("0.5", "1.5"), for a time in tenths.
std::string secondsText(std::uint8_t tenths);

// Applies one "NAME=VALUE" to `block` for host mode `mode`. On failure `block` is unchanged
// and the result names the setting, what is wrong and the accepted values or bounds.
Status applySetting(DeviceSettingsBlock& block, HostMode mode, std::string_view assignment);

// Applies all of `assignments` in order to a copy and stores the copy only when every one
// succeeded: a single bad value leaves `block` as it was.
Status applySettings(DeviceSettingsBlock& block, HostMode mode,
                     const std::vector<std::string>& assignments);

}  // namespace orv
