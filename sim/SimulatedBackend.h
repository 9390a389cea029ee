#pragma once
// The simulated USB bus: a hid::Backend holding simulated controllers and plain HID devices of
// other vendors, in the order they were added (the enumeration order). Paths look like
// "sim:<device>:<connection>", so a handle never survives its device leaving the bus.
// Hot-plug events of every device go to the listener registered with watchDeviceChanges.

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <vector>

#include "device/Clock.h"
#include "device/hid/HidDevice.h"
#include "sim/SimulatedController.h"

namespace orv::sim {

class SimulatedBackend final : public hid::Backend {
public:
    explicit SimulatedBackend(Clock& clock = SystemClock::instance());
    ~SimulatedBackend() override;

    // A new controller, plugged in.
    std::shared_ptr<SimulatedController> addController(ControllerOptions options = {});
    // A plugged-in HID device of another vendor (or product); returns its number for
    // plugForeign/unplugForeign. Its handles accept writes and never send anything.
    std::size_t addForeignDevice(std::uint16_t vendorId, std::uint16_t productId);
    void plugForeign(std::size_t number);
    void unplugForeign(std::size_t number);

    // While set, every controller is listed but cannot be opened, as when no udev rule gives
    // this user access: open fails and lastOpenDenied() is true. Other devices still open.
    void denyControllerAccess(bool denied) { deniedAccess_ = denied; }

    Clock& clock() { return clock_; }

    std::vector<hid::DeviceInfo> enumerate() override;
    std::unique_ptr<hid::Device> open(const hid::DeviceInfo& info, std::string& error) override;
    bool watchDeviceChanges(std::function<void(std::uint32_t)> listener) override;
    bool lastOpenDenied() const override { return lastOpenDenied_; }

private:
    struct Foreign {
        std::uint16_t vendorId = 0;
        std::uint16_t productId = 0;
        bool plugged = true;
        std::uint64_t connection = 1;
    };
    struct Entry {
        std::shared_ptr<SimulatedController> controller;  // null for a foreign device
        std::size_t foreign = 0;
    };
    void notify(std::uint32_t event);

    Clock& clock_;
    std::atomic<bool> deniedAccess_{false};
    std::atomic<bool> lastOpenDenied_{false};
    std::mutex mutex_;
    std::vector<Entry> entries_;
    std::vector<Foreign> foreign_;
    // Shared with the controllers' listeners, so events after destruction go nowhere.
    struct ListenerSlot {
        std::mutex mutex;
        std::function<void(std::uint32_t)> listener;
    };
    std::shared_ptr<ListenerSlot> listener_ = std::make_shared<ListenerSlot>();
};

}  // namespace orv::sim
