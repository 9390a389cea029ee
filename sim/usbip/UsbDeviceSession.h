#pragma once
// One attachment of a simulated controller to a USB/IP host: answers the URBs of one
// connection until the host goes away or stop() is called.
//
// Endpoint 0 gets the descriptors of the identity the session was started in; GET_DESCRIPTOR
// of string 255 goes to the controller with the host's exact wLength (the identity switch
// knock). Interrupt OUT transfers are the controller's output reports; interrupt IN transfers
// wait until the controller has a report to send. A report taken from the controller is never
// dropped: when its URB was unlinked meanwhile it goes to the next one. Once the controller
// leaves this connection (unplug, identity switch), every transfer fails with -ESHUTDOWN and
// the owner is expected to detach.

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <mutex>
#include <optional>
#include <thread>

#include "device/hid/HidDevice.h"
#include "sim/SimulatedController.h"
#include "sim/usbip/UsbipLink.h"

namespace orv::sim::usbip {

class UsbDeviceSession {
public:
    // `connection` is the controller's connection number of this attachment.
    UsbDeviceSession(SimulatedController& controller, std::uint16_t productId,
                     std::uint64_t connection, int socketFd);
    ~UsbDeviceSession();  // stops and joins
    UsbDeviceSession(const UsbDeviceSession&) = delete;
    UsbDeviceSession& operator=(const UsbDeviceSession&) = delete;

    std::uint16_t productId() const { return productId_; }
    std::uint64_t connection() const { return connection_; }
    // False once the host closed the stream (or it broke); the reason is in endReason().
    bool running() const;
    std::string endReason() const;
    void stop();

private:
    void readLoop();
    void inLoop();
    void handleControl(const Command& command);
    void handleOut(const Command& command);

    SimulatedController& controller_;
    const std::uint16_t productId_;
    const std::uint64_t connection_;
    UsbipLink link_;

    struct PendingIn {
        std::uint32_t seqnum = 0;
        std::int32_t length = 0;
    };
    mutable std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<PendingIn> pendingIn_;
    std::optional<hid::Report> carry_;  // taken from the controller, not yet delivered
    bool stopping_ = false;
    bool ended_ = false;

    std::thread reader_;
    std::thread inPump_;
};

}  // namespace orv::sim::usbip
