#include "sim/usbip/UsbDescriptors.h"

#include <string_view>

#include "device/ControllerState.h"

namespace orv::sim::usbip {

namespace {

std::uint8_t low(std::uint16_t value) {
    return static_cast<std::uint8_t>(value & 0xFF);
}
std::uint8_t high(std::uint16_t value) {
    return static_cast<std::uint8_t>(value >> 8);
}

std::vector<std::uint8_t> text(std::string_view ascii) {
    std::vector<std::uint8_t> result{static_cast<std::uint8_t>(2 + 2 * ascii.size()),
                                     kDescriptorString};
    for (char c : ascii) {
        result.push_back(static_cast<std::uint8_t>(c));
        result.push_back(0);
    }
    return result;
}

}  // namespace

std::vector<std::uint8_t> deviceDescriptor(std::uint16_t productId) {
    return {18,   kDescriptorDevice,
            0x00, 0x02,  // USB 2.0
            0,    0,    0,  // class per interface
            64,              // endpoint 0 packet size
            low(kVendorId), high(kVendorId), low(productId), high(productId),
            0x00, 0x01,  // device release 1.00
            1,    2,    0,  // manufacturer, product, no serial number
            1};
}

std::vector<std::uint8_t> reportDescriptor() {
    return {
        0x06, 0x00, 0xFF,  // usage page: vendor defined
        0x09, 0x01,        // usage 1
        0xA1, 0x01,        // collection: application
        0x15, 0x00,        //   logical minimum 0
        0x26, 0xFF, 0x00,  //   logical maximum 255
        0x75, 0x08,        //   report size 8 bits
        0x95, 0x40,        //   report count 64
        0x09, 0x01,        //   usage 1
        0x81, 0x02,        //   input (data, variable, absolute)
        0x09, 0x01,        //   usage 1
        0x91, 0x02,        //   output (data, variable, absolute)
        0xC0,              // end collection
    };
}

std::vector<std::uint8_t> hidDescriptor() {
    const auto reportLength = static_cast<std::uint16_t>(reportDescriptor().size());
    return {9,    kDescriptorHid,
            0x11, 0x01,  // HID 1.11
            0,           // no country
            1,    kDescriptorReport, low(reportLength), high(reportLength)};
}

std::vector<std::uint8_t> configurationDescriptor() {
    std::vector<std::uint8_t> result = {
        9, kDescriptorConfiguration, 0, 0,  // total length below
        1,                                  // one interface
        1,                                  // configuration value
        0,                                  // no string
        0x80,                               // bus powered
        50,                                 // 100 mA
        // Interface 0: HID, no boot protocol, two endpoints.
        9, 4, 0, 0, 2, 3, 0, 0, 0,
    };
    const auto hid = hidDescriptor();
    result.insert(result.end(), hid.begin(), hid.end());
    const std::vector<std::uint8_t> endpoints = {
        7, 5, kInterruptInEndpoint,  0x03, low(kReportLength), high(kReportLength), 1,
        7, 5, kInterruptOutEndpoint, 0x03, low(kReportLength), high(kReportLength), 1,
    };
    result.insert(result.end(), endpoints.begin(), endpoints.end());
    result[2] = low(static_cast<std::uint16_t>(result.size()));
    result[3] = high(static_cast<std::uint16_t>(result.size()));
    return result;
}

std::optional<std::vector<std::uint8_t>> stringDescriptor(std::uint8_t index,
                                                          std::uint16_t productId) {
    switch (index) {
        case 0:
            return std::vector<std::uint8_t>{4, kDescriptorString, 0x09, 0x04};  // US English
        case 1:
            return text("ORV");
        case 2:
            return text(productId == kConfigurationProductId ? "ORV controller (configuration)"
                                                             : "ORV controller");
        default:
            return std::nullopt;
    }
}

}  // namespace orv::sim::usbip
