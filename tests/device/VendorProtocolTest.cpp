#include <gtest/gtest.h>

#include <functional>
#include <initializer_list>
#include <string>
#include <thread>

#include "FakeHidDevice.h"
#include "device/ControllerDiscovery.h"
#include "device/ManualClock.h"
#include "device/VendorProtocol.h"

namespace orv {
namespace {

using namespace std::chrono_literals;
using test::FakeHidDevice;
using test::reportWith;

class VendorProtocolTest : public ::testing::Test {
protected:
    VendorProtocolTest() {
        auto device = std::make_unique<FakeHidDevice>(clock);
        fake = device.get();
        link.clock = &clock;
        link.hidDevice = std::move(device);
    }
    // Replies the way a controller would: to each request frame, the given reply.
    void replyWith(std::function<hid::Report(const hid::Report&)> reply) {
        fake->onWrite = [reply](const hid::Report& request, FakeHidDevice& device) {
            if (request[1] == 0xAA) {
                device.input.push_back(reply(request));
            }
        };
    }
    std::vector<std::uint8_t> header(std::size_t write) const {
        const hid::Report& report = fake->writes.at(write).second;
        return {report.begin(), report.begin() + 9};
    }

    ManualClock clock;
    DeviceLink link;
    FakeHidDevice* fake = nullptr;
};

// Bytes 0..8 of the first request of every command: report ID, AA, code, 55, ~code, params.
TEST_F(VendorProtocolTest, RequestFramesAreByteExact) {
    struct Case {
        std::string name;
        std::function<bool(DeviceLink&)> send;
        std::vector<std::uint8_t> expected;
    };
    const std::vector<Case> cases = {
        {"Select mode PC",
         [](DeviceLink& l) { return Select(l, 1, 0xFF); },
         {0x00, 0xAA, 0x02, 0x55, 0xFD, 0x01, 0xFF, 0x00, 0x00}},
        {"Select profile 4",
         [](DeviceLink& l) { return Select(l, 0xFF, 3); },
         {0x00, 0xAA, 0x02, 0x55, 0xFD, 0xFF, 0x03, 0x00, 0x00}},
        {"ReadProfile chunk 0",
         [](DeviceLink& l) { return ReadProfile(l, 1, 5); },
         {0x00, 0xAA, 0x03, 0x55, 0xFC, 0x01, 0x05, 0x00, 0x20}},
        {"WriteProfile header",
         [](DeviceLink& l) { return WriteProfile(l, {}, 0, 2); },
         {0x00, 0xAA, 0x04, 0x55, 0xFB, 0x00, 0x02, 0x80, 0x02}},
        {"Commit PC",
         [](DeviceLink& l) { return Commit(l, 1); },
         {0x00, 0xAA, 0x06, 0x55, 0xF9, 0x01, 0x00, 0x01, 0x00}},
        {"StartTest slot 12 turbo",
         [](DeviceLink& l) { return StartTest(l, 0, 1, 12, 2); },
         {0x00, 0xAA, 0x07, 0x55, 0xF8, 0x00, 0x01, 0x0C, 0x02}},
        {"StartTest sticks",
         [](DeviceLink& l) { return StartTest(l, 1, 0, 0xFF, 0); },
         {0x00, 0xAA, 0x07, 0x55, 0xF8, 0x01, 0x00, 0xFF, 0x00}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        fake->writes.clear();
        fake->input.clear();
        replyWith([](const hid::Report& r) {
            hid::Report reply = r;
            reply[6] = 1;                        // Select status
            reply[7] = r[2] == 0x06 ? 1 : r[7];  // Commit status; ReadProfile echoes the chunk
            return reply;
        });
        EXPECT_TRUE(c.send(link)) << link.lastError;
        ASSERT_FALSE(fake->writes.empty());
        EXPECT_EQ(header(0), c.expected);
        const hid::Report& first = fake->writes[0].second;
        for (std::size_t i = 9; i < hid::kReportSize; ++i) {
            ASSERT_EQ(first[i], 0) << "byte " << i;
        }
    }
}

TEST_F(VendorProtocolTest, ReadProfileAssemblesChunksAndAsksForEachIndex) {
    replyWith([](const hid::Report& request) {
        hid::Report reply = request;
        for (std::size_t i = 0; i < 32; ++i) {
            reply[9 + i] = static_cast<std::uint8_t>(request[7] * 32 + i);  // image byte index
        }
        return reply;
    });
    ASSERT_TRUE(ReadProfile(link, 0, 4)) << link.lastError;
    ASSERT_EQ(fake->writes.size(), 20u);
    for (std::size_t i = 0; i < 20; ++i) {
        EXPECT_EQ(fake->writes[i].second[7], i);
    }
    for (std::size_t b = 0; b < block::kSize; ++b) {
        ASSERT_EQ(link.receivedBlock[b], static_cast<std::uint8_t>(b)) << "byte " << b;
    }
}

TEST_F(VendorProtocolTest, WriteProfileSendsHeaderThenTenRawChunksFiveMillisecondsApart) {
    DeviceSettingsBlock image;
    for (std::size_t b = 0; b < block::kSize; ++b) {
        image[b] = static_cast<std::uint8_t>(b * 7);
    }
    fake->input.push_back(reportWith({{2, 0x02}}));  // stays queued: WriteProfile reads nothing
    const Clock::TimePoint start = clock.now();
    ASSERT_TRUE(WriteProfile(link, image, 1, 5));
    ASSERT_EQ(fake->writes.size(), 11u);
    EXPECT_EQ(fake->writes[0].first, start);
    for (std::size_t i = 0; i < 10; ++i) {
        const auto& [at, data] = fake->writes[i + 1];
        EXPECT_EQ(at - start, (i + 1) * 5ms) << "chunk " << i;
        EXPECT_EQ(data[0], 0);
        for (std::size_t b = 0; b < 64; ++b) {
            ASSERT_EQ(data[1 + b], image[64 * i + b]) << "chunk " << i << " byte " << b;
        }
    }
    EXPECT_EQ(fake->reads, 0u);
    EXPECT_EQ(fake->input.size(), 1u);
}

TEST_F(VendorProtocolTest, ReadProfilePausesFiveMillisecondsAfterEachChunk) {
    replyWith([](const hid::Report& r) { return r; });
    const Clock::TimePoint start = clock.now();
    ASSERT_TRUE(ReadProfile(link, 0, 0));
    for (std::size_t i = 0; i < 20; ++i) {
        EXPECT_EQ(fake->writes[i].first - start, i * 5ms);
    }
    EXPECT_EQ(clock.now() - start, 100ms);
}

TEST_F(VendorProtocolTest, ReplyMatchingSkipsOtherCommandsAndOtherChunks) {
    // Before each real reply: a Select success, a Commit success, a ReadProfile reply of the
    // next chunk, and a garbage report.
    fake->onWrite = [](const hid::Report& request, FakeHidDevice& device) {
        if (request[1] != 0xAA) {
            return;
        }
        const std::uint8_t code = request[2];
        if (code != 0x02) {
            device.input.push_back(reportWith({{2, 0x02}, {6, 1}}));
        }
        if (code != 0x06) {
            device.input.push_back(reportWith({{2, 0x06}, {7, 1}}));
        }
        device.input.push_back(
            reportWith({{2, 0x03}, {7, static_cast<std::uint8_t>(request[7] + 1)}}));
        device.input.push_back(reportWith({{1, 0x13}, {2, 0xEE}, {9, 0x55}}));
        hid::Report reply = request;
        reply[6] = code == 0x02 ? 1 : reply[6];
        reply[7] = code == 0x06 ? 1 : reply[7];
        reply[9] = 0x5A;
        device.input.push_back(reply);
    };
    EXPECT_TRUE(Select(link, 0, 0xFF));
    EXPECT_TRUE(Commit(link, 0));
    EXPECT_TRUE(StartTest(link, 0, 0, 3, 0));
    ASSERT_TRUE(ReadProfile(link, 1, 1));
    for (std::size_t i = 0; i < 20; ++i) {
        EXPECT_EQ(link.receivedBlock[32 * i], 0x5A) << "chunk " << i;
    }
}

TEST_F(VendorProtocolTest, RefusalsFailAndConsumeTheReply) {
    struct Case {
        const char* name;
        std::function<bool(DeviceLink&)> send;
        std::size_t statusByte;
        std::uint8_t status;
        bool expected;
    };
    const std::vector<Case> cases = {
        {"Select status 0", [](DeviceLink& l) { return Select(l, 0, 0xFF); }, 6, 0, false},
        {"Select status 2", [](DeviceLink& l) { return Select(l, 0, 0xFF); }, 6, 2, false},
        {"Select status 1", [](DeviceLink& l) { return Select(l, 0, 0xFF); }, 6, 1, true},
        {"Commit status 0", [](DeviceLink& l) { return Commit(l, 1); }, 7, 0, false},
        {"Commit status 1", [](DeviceLink& l) { return Commit(l, 1); }, 7, 1, true},
        {"StartTest any reply", [](DeviceLink& l) { return StartTest(l, 0, 0, 0, 0); }, 6, 0, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        fake->input.clear();
        replyWith([&](const hid::Report& r) {
            hid::Report reply = r;
            reply[c.statusByte] = c.status;
            return reply;
        });
        EXPECT_EQ(c.send(link), c.expected);
        EXPECT_TRUE(fake->input.empty());
    }
}

TEST_F(VendorProtocolTest, EveryFailurePathReturnsFalseAndLeavesReceivedBlock) {
    link.receivedBlock[0] = 0x77;
    struct Case {
        const char* name;
        std::size_t failWriteAt;
        std::size_t failReadAt;
        bool mute;
    };
    const std::vector<Case> cases = {
        {"first write fails", 0, 0, false},
        {"a later chunk request fails", 7, 0, false},
        {"a read fails part way", static_cast<std::size_t>(-1), 12, false},
        {"the controller stops answering", static_cast<std::size_t>(-1), 0, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        fake->writes.clear();
        fake->input.clear();
        fake->reads = 0;
        fake->failWriteAt = c.failWriteAt;
        fake->failReadAt = c.failReadAt;
        if (c.mute) {
            fake->onWrite = nullptr;
        } else {
            replyWith([](const hid::Report& r) {
                hid::Report reply = r;
                reply[6] = 1;
                return reply;
            });
        }
        EXPECT_FALSE(ReadProfile(link, 0, 0));
        EXPECT_FALSE(link.lastError.empty());
        EXPECT_EQ(link.receivedBlock[0], 0x77);
        if (c.failWriteAt != static_cast<std::size_t>(-1)) {
            EXPECT_EQ(fake->writes.size(), c.failWriteAt);  // nothing after the failed write
            fake->writes.clear();
            fake->failWriteAt = 0;
            EXPECT_FALSE(Select(link, 0, 0xFF));
            fake->failWriteAt = 3;
            fake->writes.clear();
            EXPECT_FALSE(WriteProfile(link, {}, 0, 0));
            EXPECT_EQ(fake->writes.size(), 3u);
        }
    }
    link.hidDevice.reset();
    EXPECT_FALSE(Select(link, 0, 0xFF));
    EXPECT_FALSE(ReadProfile(link, 0, 0));
    EXPECT_FALSE(WriteProfile(link, {}, 0, 0));
    EXPECT_FALSE(Commit(link, 0));
    EXPECT_FALSE(StartTest(link, 0, 0, 0, 0));
}

// A mute controller, and one that floods the line with reports that never match, make every
// reply wait end within the bound.
TEST_F(VendorProtocolTest, AMuteOrBabblingControllerCannotHangACommand) {
    const std::vector<std::function<bool(DeviceLink&)>> commands = {
        [](DeviceLink& l) { return Select(l, 0, 0xFF); },
        [](DeviceLink& l) { return ReadProfile(l, 0, 0); },
        [](DeviceLink& l) { return Commit(l, 0); },
        [](DeviceLink& l) { return StartTest(l, 0, 0, 0, 0); },
    };
    for (bool babbling : {false, true}) {
        SCOPED_TRACE(babbling ? "babbling" : "mute");
        for (const auto& command : commands) {
            fake->input.clear();
            fake->onWrite = nullptr;
            if (babbling) {
                // An endless stream: every read returns a report of no command, at no cost in
                // time, so only the count bound can end the wait.
                fake->onWrite = [](const hid::Report&, FakeHidDevice& device) {
                    device.input.assign(vendor::kMaxDiscardedReports + 10, reportWith({{2, 0x01}}));
                };
            }
            const Clock::TimePoint start = clock.now();
            EXPECT_FALSE(command(link));
            EXPECT_LE(clock.now() - start, vendor::kReplyTimeout + 10ms);
        }
    }
}

// With the real clock: a mute controller makes Select fail after about one second.
TEST_F(VendorProtocolTest, MuteControllerOnTheSystemClockFailsWithinTheBound) {
    auto device = std::make_unique<FakeHidDevice>(SystemClock::instance());
    link.hidDevice = std::move(device);
    link.clock = &SystemClock::instance();
    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(Select(link, 0, 0xFF));
    const auto elapsed = std::chrono::steady_clock::now() - start;
    EXPECT_GE(elapsed, vendor::kReplyTimeout - 5ms);
    EXPECT_LT(elapsed, vendor::kReplyTimeout + 500ms);
}

// Two threads sending at once never interleave their reports.
TEST_F(VendorProtocolTest, CommandsFromTwoThreadsDoNotInterleave) {
    auto device = std::make_unique<FakeHidDevice>(SystemClock::instance());
    FakeHidDevice* realTime = device.get();
    link.hidDevice = std::move(device);
    link.clock = &SystemClock::instance();
    std::thread other([&] { WriteProfile(link, {}, 0, 0); });
    WriteProfile(link, {}, 1, 1);
    other.join();
    ASSERT_EQ(realTime->writes.size(), 22u);
    for (std::size_t start : {0u, 11u}) {
        EXPECT_EQ(realTime->writes[start].second[1], 0xAA) << "a header starts each run";
        for (std::size_t i = 1; i <= 10; ++i) {
            EXPECT_NE(realTime->writes[start + i].second[1], 0xAA);
        }
    }
}

}  // namespace
}  // namespace orv
