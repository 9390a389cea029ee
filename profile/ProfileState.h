#pragma once
// The settings side of the process-wide context: the editors' buffers, the factory settings,
// the copies taken around editing, and the open settings database.

#include <cstdint>
#include <string>
#include <vector>

#include "device/DeviceSettingsBlock.h"
#include "text/SqliteConnection.h"

namespace orv {

struct ProfileState {
    std::string enteredName;                       // last name accepted by a naming dialog
    std::uint32_t selectedSlot = kSelectionNone;   // 0..17 button, 18/19 stick, 31 none
    std::uint32_t lastNsProfile = 0;               // profile active for editing per mode, 0 none
    std::uint32_t lastPcProfile = 0;
    std::uint32_t stickTestKind = 0;               // single-stick test running: 1, 2 or 3
    std::uint32_t buttonTestKind = 0;              // button test running: 1..5
    std::string selectedItemName;                  // item name of the editors' last assignment
    DeviceSettingsBlock restorePoint{};            // what restore-last-time puts back
    DeviceSettingsBlock entryBlock{};              // copy taken on profile entry
    DeviceSettingsBlock backupBlock{};             // copy taken before a replacement
    DeviceSettingsBlock defaultsBlock{};           // the factory image
    StickSetting editLeftStick{};
    StickSetting editRightStick{};
    ButtonSetting editRecord{};                    // record of the selected button being edited
    StickSetting defaultLeftStick{};
    StickSetting defaultRightStick{};
    ButtonSetting selectedDefaultRecord{};         // factory record of the selected button
    std::vector<ButtonSetting> defaultRecords;     // factory records in slot order
    std::vector<ButtonSetting> currentRecords;     // working records at the last panel refresh
    DeviceSettingsBlock exportBlock{};             // scratch image for export statements
    SqliteConnection settingsDb;                   // at most one open settings database
    std::uint32_t testStreamArmed = 0;             // 1 once a button test has started
    // 1 once a live test wrote workingBlock into the controller's image of the profile being
    // edited; leaving without saving then writes the stored image back.
    std::uint32_t testedOnDevice = 0;

    std::uint32_t& lastProfile(HostMode mode) {
        return mode == HostMode::PC ? lastPcProfile : lastNsProfile;
    }
};

}  // namespace orv
