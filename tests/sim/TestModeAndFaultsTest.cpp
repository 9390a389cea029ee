#include <gtest/gtest.h>

#include "device/ControllerDiscovery.h"
#include "device/ManualClock.h"
#include "device/VendorProtocol.h"
#include "sim/FactoryImages.h"
#include "sim/SimulatedBackend.h"

namespace orv::sim {
namespace {

using namespace std::chrono_literals;

class SimulatedSessionTest : public ::testing::Test {
protected:
    SimulatedSessionTest() {
        link.backend = &backend;
        link.clock = &clock;
        controller =
            backend.addController(ControllerOptions::poweringOnAs(kConfigurationProductId));
        EXPECT_TRUE(openController(link, kConfigurationProductId));
    }
    // Writes `image` to NS/PC profile 0 and starts a test on it.
    void startTest(HostMode mode, const DeviceSettingsBlock& image, std::uint8_t target,
                   std::uint8_t kind) {
        const auto m = static_cast<std::uint8_t>(mode);
        ASSERT_TRUE(WriteProfile(link, image, m, 0));
        ASSERT_TRUE(StartTest(link, m, 0, target, kind));
    }
    hid::Report nextReport() {
        hid::Report report{};
        EXPECT_TRUE(readReport(link, report, 100ms));
        return report;
    }
    static std::size_t slot(ButtonSlot s) { return static_cast<std::size_t>(s); }

    ManualClock clock;
    SimulatedBackend backend{clock};
    DeviceLink link;
    std::shared_ptr<SimulatedController> controller;
};

TEST_F(SimulatedSessionTest, NsTestReportsCarryTheRemappedShortPress) {
    DeviceSettingsBlock image = factoryImage(HostMode::NS, 0);
    ButtonSetting a = image.button(slot(ButtonSlot::A));
    a.SDownPos = 4;  // Y
    image.setButton(slot(ButtonSlot::A), a);
    startTest(HostMode::NS, image, 12, vendor::kTestShortPress);

    controller->setInput(PhysicalInput::pressing({ButtonSlot::A, ButtonSlot::DpadRight}));
    hid::Report report = nextReport();
    EXPECT_EQ(report[1], 0xAA);
    EXPECT_EQ(report[2], 0x07);
    EXPECT_EQ(report[3], 0x55);
    EXPECT_EQ(report[9], 0x01) << "Y, not A";
    EXPECT_EQ(report[11] & 0x0F, 2) << "right";
    EXPECT_EQ(report[12], 128) << "left stick centred";

    PhysicalInput sticks;
    sticks.leftX = 255;
    sticks.rightY = 0;
    controller->setInput(sticks);
    report = nextReport();
    EXPECT_EQ(report[9], 0);
    EXPECT_EQ(report[11] & 0x0F, 8) << "no direction";
    EXPECT_EQ(report[12], 255);
    EXPECT_EQ(report[15], 0);
}

TEST_F(SimulatedSessionTest, PcTestReportsUseThePcLayout) {
    startTest(HostMode::PC, factoryImage(HostMode::PC, 0), 0xFF, 0);
    PhysicalInput input = PhysicalInput::pressing(
        {ButtonSlot::L, ButtonSlot::ZL, ButtonSlot::DpadUp, ButtonSlot::Minus, ButtonSlot::B});
    input.leftX = 0;
    input.leftY = 0;
    controller->setInput(input);
    const hid::Report report = nextReport();
    EXPECT_EQ(report[11], 0x01 | 0x20) << "up, BACK";
    EXPECT_EQ(report[12], 0x01 | 0x20) << "LB, B";
    EXPECT_EQ(report[13], 0xFF) << "left trigger";
    EXPECT_EQ(report[14], 0x00);
    EXPECT_EQ(static_cast<std::int16_t>(report[15] | report[16] << 8), -32768) << "left";
    EXPECT_EQ(static_cast<std::int16_t>(report[17] | report[18] << 8), 32767) << "up positive";
}

TEST_F(SimulatedSessionTest, StickSettingsRouteRotateAndScale) {
    DeviceSettingsBlock image = factoryImage(HostMode::NS, 0);
    StickSetting left = image.stick(StickSide::Left);
    left.mode = 2;    // shows as the right stick
    left.rotate = 2;  // right 90: up becomes right
    left.sen = 50;
    image.setStick(StickSide::Left, left);
    startTest(HostMode::NS, image, vendor::kTestTargetStick, vendor::kTestStickAsRight);
    PhysicalInput input;
    input.leftY = 0;  // full up
    controller->setInput(input);
    const hid::Report report = nextReport();
    EXPECT_EQ(report[12], 128);
    EXPECT_EQ(report[14], 128 + 64);
    EXPECT_EQ(report[15], 128);
}

TEST_F(SimulatedSessionTest, TimedBehavioursFollowTheRecordOfTheButtonUnderTest) {
    struct Case {
        const char* name;
        std::uint8_t kind;
        ButtonSetting record;
        // (time after the press, expected byte 9)
        std::vector<std::pair<Clock::Duration, std::uint8_t>> expected;
    };
    ButtonSetting base = factoryImage(HostMode::NS, 0).button(slot(ButtonSlot::A));
    ButtonSetting longPress = base;
    longPress.LDownPos = 7;  // X
    longPress.LDownTime = 10;
    ButtonSetting turbo = base;
    turbo.TurboPos = 5;  // B
    turbo.TurboTime = 2;
    ButtonSetting disable = base;
    disable.ConDisable = 1;
    disable.ConDisableTime = 3;
    ButtonSetting toggle = base;
    toggle.LSwitchFlag = 1;
    toggle.LSwitchPos1 = 6;  // A
    toggle.LSwitchPos2 = 31;
    toggle.LSwitchPos3 = 4;  // Y
    toggle.LSwitchTime = 5;
    const std::vector<Case> cases = {
        {"long press",
         vendor::kTestLongPress,
         longPress,
         {{10ms, 0x04}, {990ms, 0x04}, {1010ms, 0x08}}},
        {"turbo", vendor::kTestTurbo, turbo, {{10ms, 0x02}, {110ms, 0x00}, {210ms, 0x02}}},
        {"continuous disable",
         vendor::kTestContinuousDisable,
         disable,
         {{10ms, 0x04}, {310ms, 0x00}}},
        {"long-press switch",
         vendor::kTestLongPressSwitch,
         toggle,
         {{10ms, 0x04}, {510ms, 0x01}, {900ms, 0x01}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        DeviceSettingsBlock image = factoryImage(HostMode::NS, 0);
        image.setButton(slot(ButtonSlot::A), c.record);
        startTest(HostMode::NS, image, 12, c.kind);
        const Clock::TimePoint pressed = clock.now();
        controller->scriptInput({{0ms, PhysicalInput::pressing({ButtonSlot::A})}});
        for (const auto& [at, byte9] : c.expected) {
            clock.advance(pressed + at - clock.now());
            EXPECT_EQ(nextReport()[9], byte9) << "at " << at.count() / 1000000 << " ms";
        }
        controller->setInput({});
    }
}

TEST_F(SimulatedSessionTest, AnyFrameEndsTestMode) {
    startTest(HostMode::NS, factoryImage(HostMode::NS, 0), 0, 0);
    ASSERT_TRUE(controller->testSession());
    EXPECT_TRUE(Select(link, 0xFF, 0xFF));
    EXPECT_FALSE(controller->testSession());
    hid::Report report{};
    EXPECT_FALSE(readReport(link, report, 10ms));
}

TEST_F(SimulatedSessionTest, CommandsSurviveNoiseAndFailOnRefusalsSilenceAndUnplug) {
    SimFaults noisy;
    noisy.otherRepliesFirst = 3;
    noisy.garbageFirst = 2;
    controller->setFaults(noisy);
    EXPECT_TRUE(Select(link, 1, 0xFF));
    ASSERT_TRUE(ReadProfile(link, 1, 4));
    EXPECT_EQ(link.receivedBlock, factoryImage(HostMode::PC, 4));
    EXPECT_TRUE(Commit(link, 1));
    EXPECT_TRUE(StartTest(link, 1, 4, 0, 0));

    SimFaults refusing;
    refusing.refuseSelect = true;
    refusing.refuseCommit = true;
    controller->setFaults(refusing);
    DeviceSettingsBlock edited{};
    ASSERT_TRUE(WriteProfile(link, edited, 0, 0));
    EXPECT_FALSE(Select(link, 0, 0xFF));
    EXPECT_FALSE(Commit(link, 0));
    EXPECT_EQ(controller->permanentImage(HostMode::NS, 0), factoryImage(HostMode::NS, 0));

    SimFaults mute;
    mute.mute = true;
    controller->setFaults(mute);
    const Clock::TimePoint start = clock.now();
    EXPECT_FALSE(StartTest(link, 0, 0, 0, 0));
    EXPECT_LE(clock.now() - start, vendor::kReplyTimeout + 5ms);

    SimFaults unplugging;
    unplugging.unplugAtReport = 5;
    controller->setFaults(unplugging);
    std::vector<std::uint32_t> events;
    backend.watchDeviceChanges([&](std::uint32_t e) { events.push_back(e); });
    EXPECT_FALSE(ReadProfile(link, 0, 0));
    EXPECT_EQ(events, std::vector<std::uint32_t>{hid::kDeviceRemoveComplete});
    EXPECT_FALSE(controller->plugged());
}

TEST_F(SimulatedSessionTest, EveryReportTakesTheConfiguredBusTime) {
    SimFaults slow;
    slow.reportDelay = 3ms;
    controller->setFaults(slow);
    const Clock::TimePoint start = clock.now();
    ASSERT_TRUE(ReadProfile(link, 0, 0));
    EXPECT_EQ(clock.now() - start, 20 * (5ms + 2 * 3ms));
}

}  // namespace
}  // namespace orv::sim
