#pragma once
// The shared state of the device link and of the profile images, as parts of the process-wide
// context. The connection worker writes them while the UI thread shows the modal loading
// window; the UI thread reads them only after the worker's result message.

#include <array>
#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "device/Clock.h"
#include "device/DeviceSettingsBlock.h"
#include "device/hid/HidDevice.h"

namespace orv {

// Result of a probe: which identity of the controller was found.
enum class ProductIdentity : std::uint32_t {
    None = 0,
    Ordinary = 1,       // product 0x0A10
    Configuration = 2,  // product 0x0B20: the only identity that takes vendor frames
    Rejected = 3,       // product 0x0B21
};
inline constexpr std::uint32_t kProbeSwitching = 4;  // probeResult while the identity switch runs

inline constexpr std::uint16_t kVendorId = 0x7A31;
inline constexpr std::uint16_t kOrdinaryProductId = 0x0A10;
inline constexpr std::uint16_t kConfigurationProductId = 0x0B20;
inline constexpr std::uint16_t kRejectedProductId = 0x0B21;

struct DeviceLink {
    hid::Backend* backend = nullptr;  // not owned
    Clock* clock = &SystemClock::instance();
    std::unique_ptr<hid::Device> hidDevice;     // the opened controller interface, null when none
    std::atomic<std::uint32_t> probeResult{0};  // ProductIdentity, or kProbeSwitching
    std::atomic<std::uint32_t> connected{0};    // 1 once all profiles were read
    std::uint32_t reconnectPromptShown = 0;     // 1 after a removal asked for the prompt
    DeviceSettingsBlock receivedBlock{};        // assembled by the last successful ReadProfile
    // Serialises device commands: two threads never interleave reports. Every function of
    // ControllerDiscovery.h and VendorProtocol.h takes it for its whole exchange.
    std::recursive_mutex commandLock;
    // Why the last failed probe, transfer or command failed (human-readable, with the OS or
    // protocol reason); written under commandLock.
    std::string lastError;
    // Set by every probe: true when an interface of the controller's vendor was present but
    // could not be opened because access was denied (a missing udev rule), so "not found" is
    // the wrong thing to tell the user.
    std::atomic<bool> accessDenied{false};
};

using SwitchModeLists = std::vector<SwitchModeList>;  // entry n-1 is profile n

struct ProfileImages {
    HostMode hostMode = HostMode::NS;             // host mode of the profile lists in use
    std::uint32_t currentProfile = 0;             // profile number 1..6 shown and edited, 0 none
    std::vector<DeviceSettingsBlock> nsProfiles;  // entry n-1 is profile n
    std::vector<DeviceSettingsBlock> pcProfiles;
    DeviceSettingsBlock workingBlock{};                   // the image shown, edited and written
    std::array<SwitchModeLists, 2> switchModeLists;       // indexed by HostMode
    std::array<SwitchModeLists, 2> savedSwitchModeLists;  // as of the last write

    std::vector<DeviceSettingsBlock>& profiles(HostMode mode) {
        return mode == HostMode::PC ? pcProfiles : nsProfiles;
    }
    std::vector<DeviceSettingsBlock>& currentProfiles() { return profiles(hostMode); }
    SwitchModeLists& switchModes(HostMode mode) {
        return switchModeLists[static_cast<std::size_t>(mode)];
    }
    SwitchModeLists& savedSwitchModes(HostMode mode) {
        return savedSwitchModeLists[static_cast<std::size_t>(mode)];
    }
};

}  // namespace orv
