#include "device/hid/linux/LinuxHidBackend.h"

#include <fcntl.h>
#include <hidapi.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "device/hid/linux/LinuxHidDevice.h"
#include "device/hid/linux/UdevMonitor.h"

namespace orv::hid {

std::string openFailureMessage(const std::string& path, int errorNumber) {
    const std::string reason = std::strerror(errorNumber);
    if (errorNumber == EACCES || errorNumber == EPERM) {
        return std::string(kPermissionFailurePrefix) + " to open the controller at " + path + " (" +
               reason + "). Install the udev rule " + kUdevRuleFile +
               " into /etc/udev/rules.d/, run `udevadm control --reload-rules && udevadm "
               "trigger`, then plug the controller in again (outside a desktop session, as over ssh, "
               "the user must also be in the plugdev group).";
    }
    return "Cannot open " + path + ": " + reason;
}

LinuxHidBackend::LinuxHidBackend() {
    ready_ = hid_init() == 0;
    if (!ready_) {
        error_ = "hidapi could not start: " + narrow(hid_error(nullptr));
    }
}

LinuxHidBackend::~LinuxHidBackend() {
    monitor_.reset();
    if (ready_) {
        hid_exit();
    }
}

std::vector<DeviceInfo> LinuxHidBackend::enumerate() {
    std::vector<DeviceInfo> result;
    if (!ready_) {
        return result;
    }
    hid_device_info* list = hid_enumerate(0, 0);
    for (const hid_device_info* info = list; info != nullptr; info = info->next) {
        result.push_back(
            {info->path != nullptr ? info->path : "", info->vendor_id, info->product_id});
    }
    hid_free_enumeration(list);
    return result;
}

std::unique_ptr<Device> LinuxHidBackend::open(const DeviceInfo& info, std::string& error) {
    hid_device* device = ready_ ? hid_open_path(info.path.c_str()) : nullptr;
    if (device == nullptr) {
        // hidapi keeps no errno; repeat its open to learn why (permission, gone, busy).
        const int fd = ::open(info.path.c_str(), O_RDWR | O_CLOEXEC);
        const int reason = fd < 0 ? errno : EIO;
        if (fd >= 0) {
            ::close(fd);
        }
        error = openFailureMessage(info.path, reason);
        lastOpenDenied_ = reason == EACCES || reason == EPERM;
        return nullptr;
    }
    lastOpenDenied_ = false;
    return std::make_unique<LinuxHidDevice>(device, info.path);
}

bool LinuxHidBackend::watchDeviceChanges(std::function<void(std::uint32_t)> listener) {
    monitor_.reset();
    if (!listener) {
        return true;
    }
    auto monitor = std::make_unique<UdevMonitor>(std::move(listener));
    if (!monitor->running()) {
        error_ = monitor->error();
        return false;
    }
    monitor_ = std::move(monitor);
    return true;
}

}  // namespace orv::hid
