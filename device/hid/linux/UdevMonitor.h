#pragma once
// Watches the hidraw subsystem through libudev on its own thread and turns "add" into
// kDeviceArrival and "remove" into kDeviceRemoveComplete for the listener. Stops and joins on
// destruction.

#include <atomic>
#include <cstdint>
#include <functional>
#include <string>
#include <thread>

struct udev;
struct udev_monitor;

namespace orv::hid {

class UdevMonitor {
public:
    explicit UdevMonitor(std::function<void(std::uint32_t)> listener);
    ~UdevMonitor();
    UdevMonitor(const UdevMonitor&) = delete;
    UdevMonitor& operator=(const UdevMonitor&) = delete;

    bool running() const { return thread_.joinable(); }
    const std::string& error() const { return error_; }

private:
    void loop();

    std::function<void(std::uint32_t)> listener_;
    std::string error_;
    ::udev* udev_ = nullptr;
    ::udev_monitor* monitor_ = nullptr;
    int stopFd_ = -1;
    std::thread thread_;
};

}  // namespace orv::hid
