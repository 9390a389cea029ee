#include "device/hid/linux/UdevMonitor.h"

#include <libudev.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string_view>

#include "device/hid/HidDevice.h"

namespace orv::hid {

UdevMonitor::UdevMonitor(std::function<void(std::uint32_t)> listener)
    : listener_(std::move(listener)) {
    udev_ = udev_new();
    if (udev_ != nullptr) {
        monitor_ = udev_monitor_new_from_netlink(udev_, "udev");
    }
    if (monitor_ == nullptr ||
        udev_monitor_filter_add_match_subsystem_devtype(monitor_, "hidraw", nullptr) < 0 ||
        udev_monitor_enable_receiving(monitor_) < 0) {
        error_ = std::string("cannot watch hidraw devices: ") + std::strerror(errno);
        return;
    }
    stopFd_ = eventfd(0, EFD_CLOEXEC);
    if (stopFd_ < 0) {
        error_ = std::string("cannot watch hidraw devices: ") + std::strerror(errno);
        return;
    }
    thread_ = std::thread([this] { loop(); });
}

UdevMonitor::~UdevMonitor() {
    if (thread_.joinable()) {
        const std::uint64_t one = 1;
        static_cast<void>(::write(stopFd_, &one, sizeof one));
        thread_.join();
    }
    if (stopFd_ >= 0) {
        ::close(stopFd_);
    }
    if (monitor_ != nullptr) {
        udev_monitor_unref(monitor_);
    }
    if (udev_ != nullptr) {
        udev_unref(udev_);
    }
}

void UdevMonitor::loop() {
    pollfd fds[2] = {{udev_monitor_get_fd(monitor_), POLLIN, 0}, {stopFd_, POLLIN, 0}};
    for (;;) {
        if (::poll(fds, 2, -1) < 0) {
            if (errno == EINTR) {
                continue;
            }
            return;
        }
        if ((fds[1].revents & POLLIN) != 0) {
            return;
        }
        if ((fds[0].revents & POLLIN) == 0) {
            continue;
        }
        udev_device* device = udev_monitor_receive_device(monitor_);
        if (device == nullptr) {
            continue;
        }
        const char* action = udev_device_get_action(device);
        const std::string_view what = action != nullptr ? action : "";
        udev_device_unref(device);
        if (what == "add") {
            listener_(kDeviceArrival);
        } else if (what == "remove") {
            listener_(kDeviceRemoveComplete);
        }
    }
}

}  // namespace orv::hid
