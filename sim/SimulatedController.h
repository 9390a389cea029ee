#pragma once
// One simulated controller: the firmware model behind a simulated HID interface.
//
// Identities: it powers on as `powerOnProductId` (ordinary 0x0A10 unless told otherwise). The
// five indexed-string queries of the switch request (string index 255, lengths 14..18 in that
// order) make it drop off the bus and come back `switchDelay` later in the other identity
// (ordinary <-> configuration; the rejected identity ignores the request).
//
// Storage: twelve images. Writes change the live images; Commit copies a mode's live images to
// the permanent ones (and to the state file when one is given); a power cycle (unplug) brings
// the permanent ones back.
//
// Commands (configuration identity only): Select, ReadProfile, WriteProfile, Commit and
// StartTest are answered with frames of the same command; a request outside the ranges gets
// no reply (ReadProfile, WriteProfile) or a refusal (Select, Commit). In test mode (after
// StartTest, until the next frame) every read returns a TestReport computed from the physical
// input (see TestOutputModel).
//
// Time: every report in either direction takes faults().reportDelay on the controller's clock;
// a read with nothing to deliver waits its whole timeout. All methods are thread-safe.

#include <array>
#include <chrono>
#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>
#include <optional>
#include <random>
#include <span>
#include <string>
#include <vector>

#include "device/Clock.h"
#include "device/ControllerState.h"
#include "device/VendorProtocol.h"
#include "device/hid/HidDevice.h"
#include "sim/PhysicalInput.h"
#include "sim/SimFaults.h"
#include "sim/SimStateFile.h"
#include "sim/TestOutputModel.h"

namespace orv::sim {

struct ControllerOptions {
    std::uint16_t powerOnProductId = kOrdinaryProductId;
    Clock::Duration switchDelay = std::chrono::milliseconds(200);
    std::string stateFile;  // empty: the permanent images live only as long as the object

    static ControllerOptions poweringOnAs(std::uint16_t productId) {
        ControllerOptions options;
        options.powerOnProductId = productId;
        return options;
    }
};

struct InputStep {
    Clock::Duration at;  // after the moment the script is set
    PhysicalInput input;
};

class SimulatedController {
public:
    using Listener = std::function<void(std::uint32_t)>;

    SimulatedController(Clock& clock, ControllerOptions options = {});

    // --- Bus presence --------------------------------------------------------------------
    bool plugged() const;
    // The product ID it enumerates with now; nullopt while unplugged or re-enumerating.
    std::optional<std::uint16_t> productId();
    // Connection number: changes whenever the controller leaves or joins the bus. Handles of
    // an earlier connection fail.
    std::uint64_t connection() const;
    void unplug();
    void plug();
    // Receives kDeviceArrival / kDeviceRemoveComplete, called without any lock held.
    void setListener(Listener listener);

    // --- Storage --------------------------------------------------------------------------
    DeviceSettingsBlock permanentImage(HostMode mode, std::size_t profile) const;
    DeviceSettingsBlock liveImage(HostMode mode, std::size_t profile) const;
    void setImage(HostMode mode, std::size_t profile, const DeviceSettingsBlock& image);
    const std::string& stateError() const { return stateError_; }

    // --- Faults and input -----------------------------------------------------------------
    void setFaults(const SimFaults& faults);
    SimFaults faults() const;
    void setInput(const PhysicalInput& input);
    void scriptInput(std::vector<InputStep> steps);  // replaces the input from now on
    PhysicalInput input() const;  // what the hands do now

    // --- Observation ------------------------------------------------------------------------
    std::vector<hid::Report> writtenReports() const;  // every output report, in order
    std::size_t framesReceived(vendor::Command command) const;
    std::size_t switchRequests() const;
    std::optional<TestSession> testSession() const;
    std::uint8_t selectedMode() const;
    std::uint8_t selectedProfile() const;

    // --- The host side, used by the simulated HID handles ------------------------------------
    bool hostWrite(std::uint64_t connection, const hid::Report& report, std::string& error);
    hid::ReadStatus hostRead(std::uint64_t connection, hid::Report& report,
                             std::chrono::milliseconds timeout, std::string& error);
    bool hostIndexedString(std::uint64_t connection, std::uint8_t index,
                           std::span<std::uint8_t> buffer, std::string& error);

private:
    using Events = std::vector<std::uint32_t>;
    bool usableLocked(std::uint64_t connection, std::string& error) const;
    void refreshLocked(Events& events);
    bool countReportLocked(Events& events);  // false when the fault unplugged it
    void unplugLocked(Events& events);
    void handleFrameLocked(const hid::Report& frame);
    void replyLocked(const hid::Report& reply);
    PhysicalInput inputLocked(Clock::TimePoint now) const;
    void persistLocked();
    void fire(const Events& events);

    Clock& clock_;
    ControllerOptions options_;
    mutable std::mutex mutex_;
    Listener listener_;

    bool plugged_ = true;
    std::uint16_t productId_;
    std::optional<Clock::TimePoint> switchAt_;
    std::uint16_t switchTarget_ = 0;
    std::uint64_t connection_ = 1;
    std::size_t knockProgress_ = 0;

    StoredImages live_{};
    StoredImages permanent_{};
    std::string stateError_;
    std::uint8_t selectedMode_ = 0;
    std::uint8_t selectedProfile_ = vendor::kNoSelection;

    struct PendingWrite {
        std::uint8_t mode = 0;
        std::uint8_t profile = 0;
        std::size_t chunks = 0;
        DeviceSettingsBlock image{};
    };
    std::optional<PendingWrite> pendingWrite_;
    std::deque<hid::Report> replies_;
    std::optional<TestOutputModel> test_;

    SimFaults faults_;
    std::size_t reportCount_ = 0;
    std::size_t repliesSent_ = 0;
    std::mt19937 garbage_{7};

    PhysicalInput baseInput_;
    std::vector<std::pair<Clock::TimePoint, PhysicalInput>> script_;

    std::vector<hid::Report> written_;
    std::array<std::size_t, 256> frameCounts_{};
    std::size_t switchRequests_ = 0;
};

}  // namespace orv::sim
