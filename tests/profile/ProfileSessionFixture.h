#pragma once
// A profile session against the simulated controller: the context parts of the tool, filled as
// after a successful connection (six images per mode, read from a controller in its
// configuration identity), with the shipped settings databases of the build.

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "device/ControllerDiscovery.h"
#include "device/ManualClock.h"
#include "device/VendorProtocol.h"
#include "profile/ProfileModel.h"
#include "profile/ProfileOutcome.h"
#include "profile/ProfileSlots.h"
#include "sim/FactoryImages.h"
#include "sim/SimulatedBackend.h"
#include "sim/SimulatedController.h"

namespace orv::testing {

inline constexpr std::size_t kSlotA = static_cast<std::size_t>(ButtonSlot::A);
inline constexpr std::size_t kSlotCapture = static_cast<std::size_t>(ButtonSlot::Capture);
inline constexpr std::size_t kSlotHome = static_cast<std::size_t>(ButtonSlot::Home);

// Everything the profile operations touch, for comparing before and after.
struct SessionSnapshot {
    DeviceSettingsBlock workingBlock;
    std::vector<DeviceSettingsBlock> nsProfiles;
    std::vector<DeviceSettingsBlock> pcProfiles;
    std::array<SwitchModeLists, 2> switchModeLists;
    DeviceSettingsBlock restorePoint;
    DeviceSettingsBlock entryBlock;
    DeviceSettingsBlock backupBlock;
    bool slotReplaced;
    bool savedToDevice;
    bool newProfileMade;
    bool importBackupTaken;
    bool operator==(const SessionSnapshot&) const = default;
};

class ProfileSession : public ::testing::Test {
public:
    ProfileSession() {
        link.backend = &backend;
        link.clock = &clock;
        controller =
            backend.addController(sim::ControllerOptions::poweringOnAs(kConfigurationProductId));
        EXPECT_TRUE(openController(link, kConfigurationProductId)) << link.lastError;
        for (std::uint8_t index = 0; index < kProfilesPerMode; ++index) {
            // Give every stored profile a customised setting, so a factory image is visible.
            for (const HostMode mode : {HostMode::NS, HostMode::PC}) {
                DeviceSettingsBlock image = sim::factoryImage(mode, index);
                image[block::buttonRecordOffset(kSlotA)] = 7;  // A produces X
                writeProfileName(image, "Stored " + std::to_string(index + 1));
                controller->setImage(mode, index, image);
            }
        }
        for (std::uint8_t index = 0; index < kProfilesPerMode; ++index) {
            EXPECT_TRUE(ReadProfile(link, 0, index));
            images.nsProfiles.push_back(link.receivedBlock);
            EXPECT_TRUE(ReadProfile(link, 1, index));
            images.pcProfiles.push_back(link.receivedBlock);
        }
        rebuildSwitchModeLists(images);
    }

    // The user points at profile n of `mode` and chooses to edit it.
    void editProfile(HostMode mode, std::uint32_t n) {
        images.hostMode = mode;
        images.currentProfile = n;
        const DeviceSettingsBlock stored = images.currentProfiles()[n - 1];
        images.workingBlock = stored;
        profile.entryBlock = stored;
        profile.backupBlock = stored;
        flags = EditingFlags{};
        ASSERT_TRUE(activateProfileForEditing(context).succeeded);
    }

    DeviceSettingsBlock& stored(HostMode mode, std::uint32_t n) {
        return images.profiles(mode)[n - 1];
    }

    SessionSnapshot snapshot() const {
        return {images.workingBlock,    images.nsProfiles,      images.pcProfiles,
                images.switchModeLists, profile.restorePoint,   profile.entryBlock,
                profile.backupBlock,    flags.slotReplaced,     flags.savedToDevice,
                flags.newProfileMade,   flags.importBackupTaken};
    }

    ManualClock clock;
    sim::SimulatedBackend backend{clock};
    std::shared_ptr<sim::SimulatedController> controller;
    DeviceLink link;
    ProfileImages images;
    ProfileState profile;
    SettingsFiles files = SettingsFiles::beside(ORV_TEST_DATA_DIR);
    ProfileContext context{images, profile, link, files};
    EditingFlags flags;
};

}  // namespace orv::testing
