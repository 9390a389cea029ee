#include "device/hid/linux/LinuxHidDevice.h"

#include <hidapi.h>
#include <libudev.h>
#include <libusb.h>

#include <algorithm>
#include <cstdlib>

#include "device/hid/linux/LinuxHidBackend.h"

namespace orv::hid {

namespace {

constexpr std::uint16_t kEnglishUs = 0x0409;
constexpr unsigned kControlTimeoutMs = 1000;
// bmRequestType: device to host, standard request, to the device.
constexpr std::uint8_t kStandardDeviceIn = static_cast<std::uint8_t>(LIBUSB_ENDPOINT_IN) |
                                           static_cast<std::uint8_t>(LIBUSB_REQUEST_TYPE_STANDARD) |
                                           static_cast<std::uint8_t>(LIBUSB_RECIPIENT_DEVICE);

}  // namespace

std::string narrow(const wchar_t* text) {
    if (text == nullptr) {
        return "unknown error";
    }
    std::string result;
    for (; *text != L'\0'; ++text) {
        const auto c = static_cast<std::uint32_t>(*text);
        if (c < 0x80) {
            result += static_cast<char>(c);
        } else if (c < 0x800) {
            result += static_cast<char>(0xC0 | (c >> 6));
            result += static_cast<char>(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            result += static_cast<char>(0xE0 | (c >> 12));
            result += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            result += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            result += static_cast<char>(0xF0 | (c >> 18));
            result += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
            result += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            result += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return result;
}

LinuxHidDevice::LinuxHidDevice(hid_device_* device, std::string path)
    : device_(device), path_(std::move(path)) {}

LinuxHidDevice::~LinuxHidDevice() {
    if (usbHandle_ != nullptr) {
        libusb_close(usbHandle_);
    }
    if (usb_ != nullptr) {
        libusb_exit(usb_);
    }
    hid_close(device_);
}

bool LinuxHidDevice::writeReport(const Report& report) {
    // Byte 0 is the report ID; hidraw drops a 0 for a device without numbered reports.
    if (hid_write(device_, report.data(), report.size()) < 0) {
        error_ = "write to " + path_ + " failed: " + narrow(hid_error(device_));
        return false;
    }
    return true;
}

ReadStatus LinuxHidDevice::readReport(Report& report, std::chrono::milliseconds timeout) {
    // Reports of a device without numbered reports come without the ID byte: read the payload
    // into bytes 1..64 and give byte 0 the ID 0.
    Report buffer{};
    const int got = hid_read_timeout(device_, buffer.data() + 1, buffer.size() - 1,
                                     static_cast<int>(std::max<std::int64_t>(timeout.count(), 0)));
    if (got < 0) {
        error_ = "read from " + path_ + " failed: " + narrow(hid_error(device_));
        return ReadStatus::Error;
    }
    if (got == 0) {
        return ReadStatus::Timeout;
    }
    report = buffer;
    return ReadStatus::Ok;
}

// The USB device behind the hidraw node, found by bus and device number through udev.
bool LinuxHidDevice::openUsb() {
    if (usbHandle_ != nullptr) {
        return true;
    }
    const std::string sysname = path_.substr(path_.find_last_of('/') + 1);
    int bus = -1;
    int address = -1;
    if (udev* context = udev_new()) {
        if (udev_device* node =
                udev_device_new_from_subsystem_sysname(context, "hidraw", sysname.c_str())) {
            udev_device* usbDevice =
                udev_device_get_parent_with_subsystem_devtype(node, "usb", "usb_device");
            const char* busText =
                usbDevice ? udev_device_get_sysattr_value(usbDevice, "busnum") : nullptr;
            const char* devText =
                usbDevice ? udev_device_get_sysattr_value(usbDevice, "devnum") : nullptr;
            if (busText != nullptr && devText != nullptr) {
                bus = std::atoi(busText);
                address = std::atoi(devText);
            }
            udev_device_unref(node);
        }
        udev_unref(context);
    }
    if (bus < 0) {
        error_ = "no USB device found behind " + path_;
        return false;
    }
    if (usb_ == nullptr && libusb_init(&usb_) != 0) {
        usb_ = nullptr;
        error_ = "libusb could not start";
        return false;
    }
    libusb_device** list = nullptr;
    const ssize_t count = libusb_get_device_list(usb_, &list);
    int status = LIBUSB_ERROR_NO_DEVICE;
    for (ssize_t i = 0; i < count; ++i) {
        if (libusb_get_bus_number(list[i]) == bus &&
            libusb_get_device_address(list[i]) == address) {
            status = libusb_open(list[i], &usbHandle_);
            break;
        }
    }
    if (list != nullptr) {
        libusb_free_device_list(list, 1);
    }
    if (status != 0) {
        usbHandle_ = nullptr;
        const std::string node =
            "/dev/bus/usb/" + std::to_string(bus) + "/" + std::to_string(address);
        error_ = status == LIBUSB_ERROR_ACCESS
                     ? "No permission to open the USB device " + node + ". Install the udev rule " +
                           kUdevRuleFile + " into /etc/udev/rules.d/."
                     : "cannot open USB device " + node + ": " + libusb_strerror(status);
        return false;
    }
    return true;
}

bool LinuxHidDevice::indexedString(std::uint8_t index, std::span<std::uint8_t> buffer) {
    if (!openUsb()) {
        return false;
    }
    // GET_DESCRIPTOR (string, `index`, US English) with wLength exactly the buffer length: the
    // controller reacts to this exact request.
    const int got = libusb_control_transfer(
        usbHandle_, kStandardDeviceIn, LIBUSB_REQUEST_GET_DESCRIPTOR,
        static_cast<std::uint16_t>((LIBUSB_DT_STRING << 8) | index), kEnglishUs, buffer.data(),
        static_cast<std::uint16_t>(buffer.size()), kControlTimeoutMs);
    if (got < 0) {
        error_ = std::string("string request failed: ") + libusb_strerror(got);
        return false;
    }
    return true;
}

}  // namespace orv::hid
