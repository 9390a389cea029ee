#include "sim/usbip/UsbDeviceSession.h"

#include <algorithm>
#include <cerrno>

#include "sim/usbip/UsbDescriptors.h"

namespace orv::sim::usbip {

namespace {

using Lock = std::unique_lock<std::mutex>;

// How long the IN pump waits on the controller at a time; also how quickly it notices stop().
constexpr std::chrono::milliseconds kInPoll{5};

constexpr std::uint8_t kGetStatus = 0;
constexpr std::uint8_t kClearFeature = 1;
constexpr std::uint8_t kSetAddress = 5;
constexpr std::uint8_t kGetDescriptor = 6;
constexpr std::uint8_t kGetConfiguration = 8;
constexpr std::uint8_t kSetConfiguration = 9;
constexpr std::uint8_t kSetInterface = 11;
constexpr std::uint8_t kHidSetIdle = 0x0A;
constexpr std::uint8_t kHidSetProtocol = 0x0B;

constexpr std::uint8_t kTypeMask = 0x60;
constexpr std::uint8_t kTypeStandard = 0x00;
constexpr std::uint8_t kTypeClass = 0x20;

}  // namespace

UsbDeviceSession::UsbDeviceSession(SimulatedController& controller, std::uint16_t productId,
                                   std::uint64_t connection, int socketFd)
    : controller_(controller), productId_(productId), connection_(connection), link_(socketFd) {
    reader_ = std::thread([this] { readLoop(); });
    inPump_ = std::thread([this] { inLoop(); });
}

UsbDeviceSession::~UsbDeviceSession() {
    stop();
    reader_.join();
    inPump_.join();
}

void UsbDeviceSession::stop() {
    {
        Lock lock(mutex_);
        stopping_ = true;
    }
    changed_.notify_all();
    link_.shutdown();
}

bool UsbDeviceSession::running() const {
    Lock lock(mutex_);
    return !ended_;
}

std::string UsbDeviceSession::endReason() const {
    return link_.error();
}

void UsbDeviceSession::readLoop() {
    Command command;
    while (link_.receive(command)) {
        if (command.command == kCmdUnlink) {
            Lock lock(mutex_);
            const auto it = std::find_if(pendingIn_.begin(), pendingIn_.end(),
                                         [&](const PendingIn& p) {
                                             return p.seqnum == command.unlinkSeqnum;
                                         });
            // -ECONNRESET: the URB was still waiting and is given back unfinished; 0: it had
            // already completed, its result is on its way.
            const bool found = it != pendingIn_.end();
            if (found) {
                pendingIn_.erase(it);
            }
            link_.sendUnlinkResult(command.seqnum, found ? -ECONNRESET : 0);
        } else if ((command.endpoint & 0x0F) == 0) {
            handleControl(command);
        } else if (command.direction == kDirectionIn) {
            {
                Lock lock(mutex_);
                pendingIn_.push_back({command.seqnum, command.transferLength});
            }
            changed_.notify_all();
        } else {
            handleOut(command);
        }
    }
    {
        Lock lock(mutex_);
        ended_ = true;
        stopping_ = true;
    }
    changed_.notify_all();
}

void UsbDeviceSession::handleOut(const Command& command) {
    hid::Report report{};
    const std::size_t length = std::min(command.outData.size(), report.size() - 1);
    std::copy_n(command.outData.begin(), length, report.begin() + 1);
    std::string error;
    const bool ok = controller_.hostWrite(connection_, report, error);
    link_.sendSubmitResult(command.seqnum, ok ? 0 : -ESHUTDOWN, {},
                           ok ? command.transferLength : 0);
}

void UsbDeviceSession::handleControl(const Command& command) {
    if (!controller_.plugged() || controller_.connection() != connection_) {
        // Off the bus (unplugged or re-enumerating): nothing answers on this connection.
        link_.sendSubmitResult(command.seqnum, -ESHUTDOWN, {});
        return;
    }
    const SetupPacket setup = command.setup();
    std::vector<std::uint8_t> answer;
    bool ok = true;
    const std::uint8_t type = setup.requestType & kTypeMask;
    const auto descriptorType = static_cast<std::uint8_t>(setup.value >> 8);
    const auto descriptorIndex = static_cast<std::uint8_t>(setup.value & 0xFF);

    if (type == kTypeStandard && setup.request == kGetDescriptor) {
        if (descriptorType == kDescriptorString && descriptorIndex == 255) {
            // The controller sees the request with the host's exact length.
            answer.resize(setup.length);
            std::string error;
            ok = controller_.hostIndexedString(connection_, 255, answer, error);
            if (ok) {
                // A string descriptor says its own length in byte 0; never send more.
                answer.resize(std::min<std::size_t>(answer.size(), answer.empty() ? 0 : answer[0]));
            }
        } else if (descriptorType == kDescriptorDevice) {
            answer = deviceDescriptor(productId_);
        } else if (descriptorType == kDescriptorConfiguration) {
            answer = configurationDescriptor();
        } else if (descriptorType == kDescriptorString) {
            const auto string = stringDescriptor(descriptorIndex, productId_);
            ok = string.has_value();
            if (ok) {
                answer = *string;
            }
        } else if (descriptorType == kDescriptorReport) {
            answer = reportDescriptor();
        } else if (descriptorType == kDescriptorHid) {
            answer = hidDescriptor();
        } else {
            ok = false;
        }
    } else if (type == kTypeStandard && setup.request == kGetStatus) {
        answer = {0, 0};
    } else if (type == kTypeStandard && setup.request == kGetConfiguration) {
        answer = {1};
    } else if (type == kTypeStandard &&
               (setup.request == kSetAddress || setup.request == kSetConfiguration ||
                setup.request == kSetInterface || setup.request == kClearFeature)) {
        // Accepted; nothing in the model depends on them.
    } else if (type == kTypeClass &&
               (setup.request == kHidSetIdle || setup.request == kHidSetProtocol)) {
        // Reports go out when they exist; idle rate and protocol change nothing.
    } else {
        ok = false;
    }
    if (!ok) {
        // A stall, as a device answers a request it does not know (or, when the request itself
        // took it off this connection, a shutdown).
        const bool gone = !controller_.plugged() || controller_.connection() != connection_;
        link_.sendSubmitResult(command.seqnum, gone ? -ESHUTDOWN : -EPIPE, {});
        return;
    }
    if ((setup.requestType & 0x80) != 0) {
        answer.resize(std::min<std::size_t>(answer.size(), setup.length));
        if (answer.empty()) {
            link_.sendSubmitResult(command.seqnum, 0, {}, 0);
        } else {
            link_.sendSubmitResult(command.seqnum, 0, answer);
        }
    } else {
        link_.sendSubmitResult(command.seqnum, 0, {}, command.transferLength);
    }
}

void UsbDeviceSession::inLoop() {
    Lock lock(mutex_);
    while (!stopping_) {
        if (pendingIn_.empty()) {
            // Nobody polls: the controller keeps its reports, as a device NAKs the bus.
            changed_.wait(lock, [this] { return stopping_ || !pendingIn_.empty(); });
            continue;
        }
        if (!carry_) {
            lock.unlock();
            hid::Report report{};
            std::string error;
            const hid::ReadStatus status = controller_.hostRead(connection_, report, kInPoll, error);
            lock.lock();
            if (status == hid::ReadStatus::Ok) {
                carry_ = report;
            } else if (status == hid::ReadStatus::Error) {
                // The controller left this connection; the owner detaches. Do not spin.
                changed_.wait_for(lock, kInPoll, [this] { return stopping_; });
                continue;
            }
        }
        if (carry_ && !pendingIn_.empty()) {
            const PendingIn urb = pendingIn_.front();
            pendingIn_.pop_front();
            const std::size_t length =
                std::min<std::size_t>(static_cast<std::size_t>(std::max(urb.length, 0)),
                                      carry_->size() - 1);
            const std::span<const std::uint8_t> payload(carry_->data() + 1, length);
            carry_.reset();
            // Sent under the lock, so an unlink never overtakes the result it concerns.
            link_.sendSubmitResult(urb.seqnum, 0, payload);
        }
    }
}

}  // namespace orv::sim::usbip
