#pragma once
// The USB descriptors the controller presents in each identity: a full-speed HID device of
// vendor 0x7A31 with one interface, an interrupt IN and an interrupt OUT endpoint of 64 bytes,
// and a report descriptor of one 64-byte input and one 64-byte output report without report ID
// (so a host report is the ID byte 0 followed by the 64 payload bytes).

#include <cstdint>
#include <optional>
#include <vector>

namespace orv::sim::usbip {

inline constexpr std::uint8_t kInterruptInEndpoint = 0x81;
inline constexpr std::uint8_t kInterruptOutEndpoint = 0x01;
inline constexpr std::uint16_t kReportLength = 64;

inline constexpr std::uint8_t kDescriptorDevice = 1;
inline constexpr std::uint8_t kDescriptorConfiguration = 2;
inline constexpr std::uint8_t kDescriptorString = 3;
inline constexpr std::uint8_t kDescriptorHid = 0x21;
inline constexpr std::uint8_t kDescriptorReport = 0x22;

std::vector<std::uint8_t> deviceDescriptor(std::uint16_t productId);
std::vector<std::uint8_t> configurationDescriptor();
std::vector<std::uint8_t> hidDescriptor();  // the 9 bytes inside the configuration
std::vector<std::uint8_t> reportDescriptor();
// Strings 0 (languages), 1 (manufacturer), 2 (product); nullopt for any other index. Index
// 255 is the controller's own business and never asked here.
std::optional<std::vector<std::uint8_t>> stringDescriptor(std::uint8_t index,
                                                          std::uint16_t productId);

}  // namespace orv::sim::usbip
