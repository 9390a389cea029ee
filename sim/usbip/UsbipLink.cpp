#include "sim/usbip/UsbipLink.h"

#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace orv::sim::usbip {

namespace {

void put32(std::span<std::uint8_t> bytes, std::size_t at, std::uint32_t value) {
    for (std::size_t i = 0; i < 4; ++i) {
        bytes[at + i] = static_cast<std::uint8_t>(value >> (24 - 8 * i));
    }
}

std::uint32_t get32(const std::uint8_t* at) {
    return (std::uint32_t{at[0]} << 24) | (std::uint32_t{at[1]} << 16) |
           (std::uint32_t{at[2]} << 8) | std::uint32_t{at[3]};
}

}  // namespace

SetupPacket Command::setup() const {
    const auto le16 = [this](std::size_t at) {
        return static_cast<std::uint16_t>(setupBytes[at] | (setupBytes[at + 1] << 8));
    };
    return {setupBytes[0], setupBytes[1], le16(2), le16(4), le16(6)};
}

std::array<std::uint8_t, kHeaderSize> encodeCommand(const Command& command) {
    std::array<std::uint8_t, kHeaderSize> header{};
    put32(header, 0, command.command);
    put32(header, 4, command.seqnum);
    put32(header, 8, command.devid);
    put32(header, 12, command.direction);
    put32(header, 16, command.endpoint);
    if (command.command == kCmdUnlink) {
        put32(header, 20, command.unlinkSeqnum);
        return header;
    }
    put32(header, 20, command.transferFlags);
    put32(header, 24, static_cast<std::uint32_t>(command.transferLength));
    put32(header, 28, 0);  // start_frame
    put32(header, 32, 0);  // number_of_packets
    put32(header, 36, static_cast<std::uint32_t>(command.interval));
    std::memcpy(&header[40], command.setupBytes.data(), 8);
    return header;
}

UsbipLink::~UsbipLink() {
    if (fd_ >= 0) {
        ::close(fd_);
    }
}

void UsbipLink::fail(const std::string& reason) {
    std::lock_guard lock(errorMutex_);
    if (error_.empty()) {
        error_ = reason;
    }
}

std::string UsbipLink::error() const {
    std::lock_guard lock(errorMutex_);
    return error_;
}

bool UsbipLink::readExactly(std::uint8_t* data, std::size_t size) {
    std::size_t done = 0;
    while (done < size) {
        const ssize_t got = ::read(fd_, data + done, size - done);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got <= 0) {
            fail(got == 0 ? "the host closed the connection"
                          : std::string("read failed: ") + std::strerror(errno));
            return false;
        }
        done += static_cast<std::size_t>(got);
    }
    return true;
}

bool UsbipLink::writeAll(std::span<const std::uint8_t> bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        // MSG_NOSIGNAL: a host that went away is an error to report, not a SIGPIPE.
        const ssize_t sent = ::send(fd_, bytes.data() + done, bytes.size() - done, MSG_NOSIGNAL);
        if (sent < 0 && errno == EINTR) {
            continue;
        }
        if (sent <= 0) {
            fail(std::string("write failed: ") + std::strerror(errno));
            return false;
        }
        done += static_cast<std::size_t>(sent);
    }
    return true;
}

bool UsbipLink::receive(Command& command) {
    std::array<std::uint8_t, kHeaderSize> header{};
    if (!readExactly(header.data(), header.size())) {
        return false;
    }
    command = Command{};
    command.command = get32(&header[0]);
    command.seqnum = get32(&header[4]);
    command.devid = get32(&header[8]);
    command.direction = get32(&header[12]);
    command.endpoint = get32(&header[16]);
    if (command.command == kCmdUnlink) {
        command.unlinkSeqnum = get32(&header[20]);
        return true;
    }
    if (command.command != kCmdSubmit) {
        fail("unknown USB/IP command " + std::to_string(command.command));
        return false;
    }
    command.transferFlags = get32(&header[20]);
    command.transferLength = static_cast<std::int32_t>(get32(&header[24]));
    command.interval = static_cast<std::int32_t>(get32(&header[36]));
    std::memcpy(command.setupBytes.data(), &header[40], 8);
    const std::int32_t packets = static_cast<std::int32_t>(get32(&header[32]));
    if (command.transferLength < 0 || command.transferLength > kMaxTransferLength) {
        fail("transfer length " + std::to_string(command.transferLength) + " out of range");
        return false;
    }
    if (packets > 0) {
        // Isochronous transfers carry a packet table this device never needs.
        fail("isochronous transfers are not supported");
        return false;
    }
    if (command.direction == kDirectionOut && command.transferLength > 0) {
        command.outData.resize(static_cast<std::size_t>(command.transferLength));
        return readExactly(command.outData.data(), command.outData.size());
    }
    return true;
}

bool UsbipLink::sendSubmitResult(std::uint32_t seqnum, std::int32_t status,
                                 std::span<const std::uint8_t> inData, std::int32_t outLength) {
    std::array<std::uint8_t, kHeaderSize> header{};
    put32(header, 0, kRetSubmit);
    put32(header, 4, seqnum);
    // devid, direction and ep stay 0 in results.
    put32(header, 20, static_cast<std::uint32_t>(status));
    const auto actual = inData.empty() ? outLength : static_cast<std::int32_t>(inData.size());
    put32(header, 24, static_cast<std::uint32_t>(actual));
    std::lock_guard lock(sendMutex_);
    return writeAll(header) && writeAll(inData);
}

bool UsbipLink::sendUnlinkResult(std::uint32_t seqnum, std::int32_t status) {
    std::array<std::uint8_t, kHeaderSize> message{};
    put32(message, 0, kRetUnlink);
    put32(message, 4, seqnum);
    put32(message, 20, static_cast<std::uint32_t>(status));
    std::lock_guard lock(sendMutex_);
    return writeAll(message);
}

void UsbipLink::shutdown() {
    ::shutdown(fd_, SHUT_RDWR);
}

}  // namespace orv::sim::usbip
