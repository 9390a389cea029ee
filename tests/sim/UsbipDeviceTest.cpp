#include <gtest/gtest.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <thread>

#include "device/ControllerState.h"
#include "device/VendorProtocol.h"
#include "sim/SimulatedController.h"
#include "sim/usbip/UsbDescriptors.h"
#include "sim/usbip/UsbDeviceSession.h"
#include "sim/usbip/UsbipLink.h"

namespace orv::sim::usbip {
namespace {

using namespace std::chrono_literals;

// The host's end of a USB/IP connection, played over a socket pair: sends commands, reads
// results in the device's wire format.
class Host {
public:
    explicit Host(int fd) : fd_(fd) {}
    ~Host() { ::close(fd_); }

    void send(const Command& command) {
        const auto header = encodeCommand(command);
        ASSERT_EQ(::write(fd_, header.data(), header.size()), static_cast<ssize_t>(header.size()));
        if (!command.outData.empty()) {
            ASSERT_EQ(::write(fd_, command.outData.data(), command.outData.size()),
                      static_cast<ssize_t>(command.outData.size()));
        }
    }

    struct Result {
        std::uint32_t command = 0;
        std::uint32_t seqnum = 0;
        std::int32_t status = 0;
        std::int32_t actualLength = 0;
        std::vector<std::uint8_t> data;
    };

    // The next result; for an IN transfer (`inData`) its actual_length bytes of data follow.
    Result receive(bool inData) {
        std::array<std::uint8_t, kHeaderSize> header{};
        readAll(header.data(), header.size());
        const auto be = [&](std::size_t at) {
            return (std::uint32_t{header[at]} << 24) | (std::uint32_t{header[at + 1]} << 16) |
                   (std::uint32_t{header[at + 2]} << 8) | std::uint32_t{header[at + 3]};
        };
        Result result{be(0), be(4), static_cast<std::int32_t>(be(20)),
                      static_cast<std::int32_t>(be(24)), {}};
        if (inData && result.command == kRetSubmit && result.actualLength > 0) {
            result.data.resize(static_cast<std::size_t>(result.actualLength));
            readAll(result.data.data(), result.data.size());
        }
        return result;
    }

private:
    void readAll(std::uint8_t* data, std::size_t size) {
        std::size_t done = 0;
        while (done < size) {
            const ssize_t got = ::read(fd_, data + done, size - done);
            ASSERT_GT(got, 0) << "the device closed the connection";
            done += static_cast<std::size_t>(got);
        }
    }
    int fd_;
};

Command control(std::uint32_t seqnum, std::uint8_t requestType, std::uint8_t request,
                std::uint16_t value, std::uint16_t length) {
    Command command;
    command.command = kCmdSubmit;
    command.seqnum = seqnum;
    command.direction = (requestType & 0x80) != 0 ? kDirectionIn : kDirectionOut;
    command.transferLength = length;
    command.setupBytes = {requestType,
                          request,
                          static_cast<std::uint8_t>(value & 0xFF),
                          static_cast<std::uint8_t>(value >> 8),
                          0x09,
                          0x04,
                          static_cast<std::uint8_t>(length & 0xFF),
                          static_cast<std::uint8_t>(length >> 8)};
    return command;
}

Command interrupt(std::uint32_t seqnum, std::uint32_t direction,
                  std::vector<std::uint8_t> data = {}) {
    Command command;
    command.command = kCmdSubmit;
    command.seqnum = seqnum;
    command.direction = direction;
    command.endpoint = 1;
    command.transferLength = direction == kDirectionIn ? 64 : static_cast<std::int32_t>(data.size());
    command.outData = std::move(data);
    return command;
}

Command unlink(std::uint32_t seqnum, std::uint32_t target) {
    Command command;
    command.command = kCmdUnlink;
    command.seqnum = seqnum;
    command.unlinkSeqnum = target;
    return command;
}

struct Pair {
    Pair() { EXPECT_EQ(::socketpair(AF_UNIX, SOCK_STREAM, 0, fds), 0); }
    int fds[2] = {-1, -1};
};

TEST(UsbipLinkTest, CommandsRoundTripAndBrokenHeadersEndTheStream) {
    Pair pair;
    UsbipLink device(pair.fds[0]);
    Host host(pair.fds[1]);

    Command out = interrupt(7, kDirectionOut, std::vector<std::uint8_t>(64, 0xAB));
    out.devid = 0x00010002;
    host.send(out);
    host.send(unlink(8, 7));
    Command got;
    ASSERT_TRUE(device.receive(got)) << device.error();
    EXPECT_EQ(got.command, kCmdSubmit);
    EXPECT_EQ(got.seqnum, 7u);
    EXPECT_EQ(got.devid, 0x00010002u);
    EXPECT_EQ(got.endpoint, 1u);
    EXPECT_EQ(got.outData, out.outData);
    ASSERT_TRUE(device.receive(got));
    EXPECT_EQ(got.command, kCmdUnlink);
    EXPECT_EQ(got.unlinkSeqnum, 7u);

    const std::array<std::uint8_t, 3> data = {1, 2, 3};
    ASSERT_TRUE(device.sendSubmitResult(9, -EPIPE, data));
    const Host::Result result = host.receive(true);
    EXPECT_EQ(result.command, kRetSubmit);
    EXPECT_EQ(result.seqnum, 9u);
    EXPECT_EQ(result.status, -EPIPE);
    EXPECT_EQ(result.data, std::vector<std::uint8_t>(data.begin(), data.end()));

    // Sizes out of range and unknown commands are refused instead of trusted.
    for (const auto& [code, length] : {std::pair<std::uint32_t, std::int32_t>{kCmdSubmit, -1},
                                       {kCmdSubmit, kMaxTransferLength + 1},
                                       {0x99, 0}}) {
        Pair bad;
        UsbipLink badDevice(bad.fds[0]);
        Host badHost(bad.fds[1]);
        Command command = interrupt(1, kDirectionIn);
        command.command = code;
        command.transferLength = length;
        badHost.send(command);
        EXPECT_FALSE(badDevice.receive(got)) << code << " " << length;
        EXPECT_FALSE(badDevice.error().empty());
    }
}

TEST(UsbipLinkTest, EndOfStreamIsReported) {
    Pair pair;
    UsbipLink device(pair.fds[0]);
    ::close(pair.fds[1]);
    Command got;
    EXPECT_FALSE(device.receive(got));
    EXPECT_NE(device.error().find("closed"), std::string::npos);
}

class UsbDeviceSessionTest : public ::testing::Test {
protected:
    void start(std::uint16_t productId) {
        controller = std::make_unique<SimulatedController>(
            SystemClock::instance(), ControllerOptions::poweringOnAs(productId));
        ASSERT_EQ(::socketpair(AF_UNIX, SOCK_STREAM, 0, fds), 0);
        session = std::make_unique<UsbDeviceSession>(*controller, productId,
                                                     controller->connection(), fds[0]);
        host = std::make_unique<Host>(fds[1]);
    }
    int fds[2] = {-1, -1};
    std::unique_ptr<SimulatedController> controller;
    std::unique_ptr<UsbDeviceSession> session;
    std::unique_ptr<Host> host;
};

TEST_F(UsbDeviceSessionTest, DescriptorsOfTheIdentityCutToTheRequestedLength) {
    start(kConfigurationProductId);
    struct Case {
        std::uint8_t requestType;
        std::uint16_t value;
        std::uint16_t length;
        std::vector<std::uint8_t> expected;
    };
    const auto device = deviceDescriptor(kConfigurationProductId);
    const auto configuration = configurationDescriptor();
    const Case cases[] = {
        {0x80, 0x0100, 64, device},
        {0x80, 0x0100, 8, {device.begin(), device.begin() + 8}},
        {0x80, 0x0200, 9, {configuration.begin(), configuration.begin() + 9}},
        {0x80, 0x0200, 255, configuration},
        {0x80, 0x0300, 255, {4, 3, 0x09, 0x04}},
        {0x81, 0x2200, 255, reportDescriptor()},
    };
    std::uint32_t seqnum = 1;
    for (const Case& c : cases) {
        host->send(control(seqnum, c.requestType, 6, c.value, c.length));
        const Host::Result result = host->receive(true);
        EXPECT_EQ(result.seqnum, seqnum);
        EXPECT_EQ(result.status, 0);
        EXPECT_EQ(result.data, c.expected) << "wValue " << c.value << " length " << c.length;
        ++seqnum;
    }
    EXPECT_EQ(device[10] | (device[11] << 8), kConfigurationProductId);
    EXPECT_EQ(configuration[2] | (configuration[3] << 8), configuration.size());

    // A request the device does not know stalls.
    host->send(control(99, 0x80, 6, 0x0307, 255));
    EXPECT_EQ(host->receive(true).status, -EPIPE);
}

TEST_F(UsbDeviceSessionTest, TheKnockOnEndpointZeroSwitchesTheIdentityAndEndsTheConnection) {
    start(kOrdinaryProductId);
    for (std::uint16_t i = 0; i < 5; ++i) {
        host->send(control(i + 1, 0x80, 6, 0x03FF, static_cast<std::uint16_t>(14 + i)));
        const Host::Result result = host->receive(true);
        EXPECT_EQ(result.status, 0) << "query " << i;
    }
    EXPECT_EQ(controller->switchRequests(), 1u);
    EXPECT_EQ(controller->productId(), std::nullopt) << "off the bus while switching";
    // This connection is over: the device answers nothing on it any more.
    host->send(control(10, 0x80, 6, 0x0100, 18));
    EXPECT_EQ(host->receive(true).status, -ESHUTDOWN);
}

TEST_F(UsbDeviceSessionTest, VendorFramesGoOutAndRepliesComeBackThroughInterruptTransfers) {
    start(kConfigurationProductId);
    // An IN transfer waits while the controller has nothing; an unlink gives it back.
    host->send(interrupt(1, kDirectionIn));
    host->send(unlink(2, 1));
    Host::Result result = host->receive(true);
    EXPECT_EQ(result.command, kRetUnlink);
    EXPECT_EQ(result.seqnum, 2u);
    EXPECT_EQ(result.status, -ECONNRESET);

    const hid::Report select = vendor::makeFrame(vendor::Command::Select, 1, 0xFF, 0, 0);
    host->send(interrupt(3, kDirectionOut, {select.begin() + 1, select.end()}));
    result = host->receive(false);  // an OUT result says how much was taken, without data
    EXPECT_EQ(result.seqnum, 3u);
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.actualLength, 64);
    EXPECT_EQ(controller->selectedMode(), 1);

    host->send(interrupt(4, kDirectionIn));
    result = host->receive(true);
    EXPECT_EQ(result.seqnum, 4u);
    ASSERT_EQ(result.data.size(), 64u);
    EXPECT_EQ(result.data[vendor::kCommandOffset - 1],
              static_cast<std::uint8_t>(vendor::Command::Select));
    EXPECT_EQ(result.data[vendor::kSelectStatusOffset - 1], vendor::kStatusSuccess);

    // Unlinking a transfer that already completed is answered with status 0.
    host->send(unlink(5, 4));
    result = host->receive(true);
    EXPECT_EQ(result.command, kRetUnlink);
    EXPECT_EQ(result.status, 0);
}

TEST_F(UsbDeviceSessionTest, AHostThatGoesAwayEndsTheSession) {
    start(kOrdinaryProductId);
    host.reset();
    for (int i = 0; i < 200 && session->running(); ++i) {
        std::this_thread::sleep_for(5ms);
    }
    EXPECT_FALSE(session->running());
}

}  // namespace
}  // namespace orv::sim::usbip
