#pragma once
// The URB framing of USB/IP as the device side speaks it to the kernel's virtual host
// controller (vhci-hcd): commands in (CMD_SUBMIT with its OUT data, CMD_UNLINK), results out
// (RET_SUBMIT with its IN data, RET_UNLINK). Every header field is big-endian on the wire; the
// 8-byte setup packet travels as the USB bus has it (little-endian fields).
//
// One reader thread calls receive(); any thread may send. Sends are serialised, so a result is
// never interleaved with another on the socket. The link owns the file descriptor.

#include <array>
#include <cstdint>
#include <mutex>
#include <span>
#include <string>
#include <vector>

namespace orv::sim::usbip {

inline constexpr std::uint32_t kCmdSubmit = 0x0001;
inline constexpr std::uint32_t kCmdUnlink = 0x0002;
inline constexpr std::uint32_t kRetSubmit = 0x0003;
inline constexpr std::uint32_t kRetUnlink = 0x0004;
inline constexpr std::size_t kHeaderSize = 48;
// Larger transfers than this are refused (the device's largest is a 64-byte report or a
// configuration descriptor); a header asking for more is a broken stream.
inline constexpr std::int32_t kMaxTransferLength = 4096;

inline constexpr std::uint32_t kDirectionOut = 0;
inline constexpr std::uint32_t kDirectionIn = 1;

struct SetupPacket {
    std::uint8_t requestType = 0;
    std::uint8_t request = 0;
    std::uint16_t value = 0;
    std::uint16_t index = 0;
    std::uint16_t length = 0;
};

struct Command {
    std::uint32_t command = 0;  // kCmdSubmit or kCmdUnlink
    std::uint32_t seqnum = 0;
    std::uint32_t devid = 0;
    std::uint32_t direction = 0;
    std::uint32_t endpoint = 0;
    // CMD_SUBMIT
    std::uint32_t transferFlags = 0;
    std::int32_t transferLength = 0;  // what the host asks for (IN) or sends (OUT)
    std::int32_t interval = 0;
    std::array<std::uint8_t, 8> setupBytes{};
    std::vector<std::uint8_t> outData;  // OUT transfers: exactly transferLength bytes
    // CMD_UNLINK
    std::uint32_t unlinkSeqnum = 0;

    SetupPacket setup() const;
};

// Header bytes of a command, as the host would send them (for tests and tools that play host).
std::array<std::uint8_t, kHeaderSize> encodeCommand(const Command& command);

class UsbipLink {
public:
    explicit UsbipLink(int fd) : fd_(fd) {}
    ~UsbipLink();
    UsbipLink(const UsbipLink&) = delete;
    UsbipLink& operator=(const UsbipLink&) = delete;

    int fd() const { return fd_; }

    // Blocks for the next command. False at end of stream, on a socket error or a malformed
    // header (unknown command, negative or oversized length); error() says which.
    bool receive(Command& command);

    // The result of submitted URB `seqnum`: `status` 0 or a negative errno, IN data (empty for
    // OUT transfers, whose accepted length is `outLength`).
    bool sendSubmitResult(std::uint32_t seqnum, std::int32_t status,
                          std::span<const std::uint8_t> inData, std::int32_t outLength = 0);
    bool sendUnlinkResult(std::uint32_t seqnum, std::int32_t status);

    // Wakes a blocked receive() (it returns false); sends fail from then on.
    void shutdown();

    std::string error() const;

private:
    bool readExactly(std::uint8_t* data, std::size_t size);
    bool writeAll(std::span<const std::uint8_t> bytes);
    void fail(const std::string& reason);

    int fd_;
    mutable std::mutex sendMutex_;
    mutable std::mutex errorMutex_;
    std::string error_;
};

}  // namespace orv::sim::usbip
