#pragma once
// One opened hidraw interface (through hidapi) plus, on first use, the libusb handle of its USB
// device for the indexed-string request. The libusb handle claims no interface, so the kernel
// keeps driving the controller as a gamepad.

#include <string>

#include "device/hid/HidDevice.h"

struct hid_device_;
struct libusb_context;
struct libusb_device_handle;

namespace orv::hid {

// UTF-8 of a wide string from hidapi (null gives "unknown error").
std::string narrow(const wchar_t* text);

class LinuxHidDevice final : public Device {
public:
    LinuxHidDevice(hid_device_* device, std::string path);
    ~LinuxHidDevice() override;
    LinuxHidDevice(const LinuxHidDevice&) = delete;
    LinuxHidDevice& operator=(const LinuxHidDevice&) = delete;

    bool writeReport(const Report& report) override;
    ReadStatus readReport(Report& report, std::chrono::milliseconds timeout) override;
    bool indexedString(std::uint8_t index, std::span<std::uint8_t> buffer) override;
    const std::string& lastError() const override { return error_; }

private:
    bool openUsb();

    hid_device_* device_;
    std::string path_;
    std::string error_;
    libusb_context* usb_ = nullptr;
    libusb_device_handle* usbHandle_ = nullptr;
};

}  // namespace orv::hid
