#pragma once
// The one small HID contract the tool needs. Backends (hidapi + libusb on Linux, the simulated
// controller) implement it in their own files; nothing else talks to the operating system's
// HID services. Every call is bounded in time and leaves a human-readable reason (with the OS
// error text) in lastError() when it fails.

#include <array>
#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace orv::hid {

// 65 bytes: byte 0 is the report ID (always 0 on output), bytes 1..64 the payload.
inline constexpr std::size_t kReportSize = 65;
using Report = std::array<std::uint8_t, kReportSize>;

struct DeviceInfo {
    std::string path;  // backend-specific, stable while the device stays plugged in
    std::uint16_t vendorId = 0;
    std::uint16_t productId = 0;
};

enum class ReadStatus { Ok, Timeout, Error };

class Device {
public:
    virtual ~Device() = default;
    virtual bool writeReport(const Report& report) = 0;
    virtual ReadStatus readReport(Report& report, std::chrono::milliseconds timeout) = 0;
    // USB string descriptor `index`, requested with exactly buffer.size() bytes.
    virtual bool indexedString(std::uint8_t index, std::span<std::uint8_t> buffer) = 0;
    virtual const std::string& lastError() const = 0;
};

// How every backend's open failure for lack of access permission begins, so front ends can tell
// it apart (and point at the udev rule) without parsing the rest.
inline constexpr std::string_view kPermissionFailurePrefix = "No permission";

// Device-change notification codes, as the window messages carry them.
inline constexpr std::uint32_t kDeviceArrival = 0x8000;
inline constexpr std::uint32_t kDeviceRemoveComplete = 0x8004;

class Backend {
public:
    virtual ~Backend() = default;
    // Every HID interface present, in enumeration order.
    virtual std::vector<DeviceInfo> enumerate() = 0;
    // Opens one interface for reading and writing; null with `error` set on failure.
    virtual std::unique_ptr<Device> open(const DeviceInfo& info, std::string& error) = 0;
    // Whether the last open() that returned null failed because access was denied: the
    // interface is there, but this user may not open it. Backends that cannot tell say false.
    virtual bool lastOpenDenied() const { return false; }
    // Hot-plug: `listener` receives kDeviceArrival / kDeviceRemoveComplete, from any thread,
    // until it is replaced or cleared. Returns false when the backend cannot watch.
    virtual bool watchDeviceChanges(std::function<void(std::uint32_t)> listener) = 0;
};

}  // namespace orv::hid
