#pragma once
// The HID backend of Linux: hidapi over hidraw for enumeration and reports, a libusb control
// transfer on the same USB device for the indexed-string request (hidraw has none), and a
// libudev monitor of the hidraw subsystem for hot-plug. Only this folder sees those libraries.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "device/hid/HidDevice.h"

namespace orv::hid {

// The udev rule shipped with the tool, named in every permission failure.
inline constexpr const char* kUdevRuleFile = "packaging/70-orv-controller.rules";

// The reason an open of `path` failed with `errorNumber` (an errno value), for the user. A
// permission failure says so and names the udev rule to install.
std::string openFailureMessage(const std::string& path, int errorNumber);

class UdevMonitor;

class LinuxHidBackend final : public Backend {
public:
    LinuxHidBackend();
    ~LinuxHidBackend() override;
    LinuxHidBackend(const LinuxHidBackend&) = delete;
    LinuxHidBackend& operator=(const LinuxHidBackend&) = delete;

    // False (with lastError) when hidapi could not start; enumerate then lists nothing.
    bool ready() const { return ready_; }
    const std::string& lastError() const { return error_; }

    std::vector<DeviceInfo> enumerate() override;
    std::unique_ptr<Device> open(const DeviceInfo& info, std::string& error) override;
    bool watchDeviceChanges(std::function<void(std::uint32_t)> listener) override;
    bool lastOpenDenied() const override { return lastOpenDenied_; }

private:
    bool ready_ = false;
    bool lastOpenDenied_ = false;
    std::string error_;
    std::unique_ptr<UdevMonitor> monitor_;
};

}  // namespace orv::hid
