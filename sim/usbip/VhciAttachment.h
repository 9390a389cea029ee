#pragma once
// Plugging a USB/IP device into the kernel's virtual host controller (vhci-hcd) without any
// usbip tools: a socket pair, one end handed to the kernel through the controller's sysfs
// "attach" file ("PORT SOCKFD DEVID SPEED"), the other end returned to the caller to speak
// USB/IP on. "detach" with the port pulls it again.

#include <cstdint>
#include <string>

namespace orv::sim::usbip {

inline constexpr const char* kVhciFolder = "/sys/devices/platform/vhci_hcd.0";
inline constexpr int kFullSpeed = 2;  // enum usb_device_speed

class VhciAttachment {
public:
    explicit VhciAttachment(std::string folder = kVhciFolder, int port = 0)
        : folder_(std::move(folder)), port_(port) {}

    // The device side's socket (owned by the caller), or -1 with error set. Retries for a
    // while when the port is still being released from a previous detach.
    int attach(std::uint32_t devid, std::string& error);
    bool detach(std::string& error);

private:
    std::string folder_;
    int port_;
};

}  // namespace orv::sim::usbip
