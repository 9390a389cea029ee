#pragma once
// The images a new simulated controller stores: six profiles per host mode named "PROFILE1" ..
// "PROFILE6", each button producing its own function, sticks in their own mode at 100 %.

#include <cstddef>

#include "device/DeviceSettingsBlock.h"
#include "device/SettingRecords.h"

namespace orv::sim {

inline constexpr std::size_t kProfilesPerMode = 6;

// FunctionCode a button produces by default (slot order; Capture and Home produce none in PC).
FunctionCode ownFunction(ButtonSlot slot, HostMode mode);

// Factory image of profile index 0..5 of `mode`.
DeviceSettingsBlock factoryImage(HostMode mode, std::size_t profileIndex);

}  // namespace orv::sim
