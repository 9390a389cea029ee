#include <gtest/gtest.h>

#include <filesystem>

#include "device/ControllerDiscovery.h"
#include "device/ManualClock.h"
#include "device/VendorProtocol.h"
#include "sim/FactoryImages.h"
#include "sim/SimulatedBackend.h"
#include "sim/SimulatedController.h"

namespace orv::sim {
namespace {

using namespace std::chrono_literals;

class SimulatedControllerTest : public ::testing::Test {
protected:
    SimulatedControllerTest() {
        link.backend = &backend;
        link.clock = &clock;
    }
    std::shared_ptr<SimulatedController> plugConfiguration(ControllerOptions options = {}) {
        options.powerOnProductId = kConfigurationProductId;
        auto controller = backend.addController(std::move(options));
        EXPECT_TRUE(openController(link, kConfigurationProductId)) << link.lastError;
        return controller;
    }

    ManualClock clock;
    SimulatedBackend backend{clock};
    DeviceLink link;
};

TEST_F(SimulatedControllerTest, FactoryImagesNameTheProfilesAndMapEveryButtonToItself) {
    const DeviceSettingsBlock ns = factoryImage(HostMode::NS, 2);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(ns.namePartOne().data())), "PROFILE3");
    EXPECT_EQ(ns.button(static_cast<std::size_t>(ButtonSlot::A)).SDownPos, 6);
    EXPECT_EQ(ns.button(static_cast<std::size_t>(ButtonSlot::DpadUp)).SDownPos, 0);
    EXPECT_EQ(ns.button(static_cast<std::size_t>(ButtonSlot::Capture)).SDownPos, 17);
    EXPECT_EQ(ns.stick(StickSide::Left).mode, 1);
    EXPECT_EQ(ns.stick(StickSide::Right).mode, 2);
    EXPECT_EQ(ns.stick(StickSide::Right).sen, 100);
    const DeviceSettingsBlock pc = factoryImage(HostMode::PC, 0);
    EXPECT_EQ(pc[block::kCaptureShortPressOffset], kFunctionNone);
    EXPECT_EQ(pc[block::kHomeShortPressOffset], kFunctionNone);
    for (std::size_t i = 0; i < block::kReservedAreaOneSize; ++i) {
        ASSERT_EQ(pc[block::kReservedAreaOneOffset + i], 0);
    }
}

TEST_F(SimulatedControllerTest, ReadsFactoryImagesAndKeepsWritesUntilPowerLossUnlessCommitted) {
    auto controller = plugConfiguration();
    ASSERT_TRUE(ReadProfile(link, 1, 3)) << link.lastError;
    EXPECT_EQ(link.receivedBlock, factoryImage(HostMode::PC, 3));

    DeviceSettingsBlock edited = factoryImage(HostMode::PC, 3);
    edited[block::kReservedAreaTwoOffset] = 0xC3;  // carried, never interpreted
    edited[block::buttonRecordOffset(12)] = 4;
    ASSERT_TRUE(WriteProfile(link, edited, 1, 3));
    ASSERT_TRUE(ReadProfile(link, 1, 3));
    EXPECT_EQ(link.receivedBlock, edited);
    EXPECT_EQ(controller->permanentImage(HostMode::PC, 3), factoryImage(HostMode::PC, 3));

    controller->unplug();
    controller->plug();
    ASSERT_TRUE(openController(link, kConfigurationProductId));
    ASSERT_TRUE(ReadProfile(link, 1, 3));
    EXPECT_EQ(link.receivedBlock, factoryImage(HostMode::PC, 3)) << "uncommitted write lost";

    ASSERT_TRUE(WriteProfile(link, edited, 1, 3));
    ASSERT_TRUE(Commit(link, 1));
    controller->unplug();
    controller->plug();
    ASSERT_TRUE(openController(link, kConfigurationProductId));
    ASSERT_TRUE(ReadProfile(link, 1, 3));
    EXPECT_EQ(link.receivedBlock, edited);
}

TEST_F(SimulatedControllerTest, CommitOnlyAffectsItsMode) {
    auto controller = plugConfiguration();
    DeviceSettingsBlock edited{};
    edited[0] = 'X';
    ASSERT_TRUE(WriteProfile(link, edited, 0, 0));
    ASSERT_TRUE(WriteProfile(link, edited, 1, 0));
    ASSERT_TRUE(Commit(link, 1));
    EXPECT_EQ(controller->permanentImage(HostMode::PC, 0), edited);
    EXPECT_EQ(controller->permanentImage(HostMode::NS, 0), factoryImage(HostMode::NS, 0));
}

TEST_F(SimulatedControllerTest, StateFileKeepsCommittedImagesAcrossRuns) {
    const std::filesystem::path path =
        std::filesystem::temp_directory_path() / ("orv-sim-state-" + std::to_string(::getpid()));
    std::filesystem::remove(path);
    DeviceSettingsBlock edited = factoryImage(HostMode::NS, 5);
    edited[0] = 'Z';
    {
        ControllerOptions options;
        options.stateFile = path.string();
        auto controller = plugConfiguration(options);
        ASSERT_TRUE(WriteProfile(link, edited, 0, 5));
        ASSERT_TRUE(Commit(link, 0));
        EXPECT_EQ(controller->stateError(), "");
    }
    EXPECT_FALSE(std::filesystem::exists(path.string() + ".tmp"));
    ControllerOptions options = ControllerOptions::poweringOnAs(kConfigurationProductId);
    options.stateFile = path.string();
    SimulatedController again(clock, options);
    EXPECT_EQ(again.permanentImage(HostMode::NS, 5), edited);
    EXPECT_EQ(again.liveImage(HostMode::NS, 5), edited);
    EXPECT_EQ(again.permanentImage(HostMode::NS, 4), factoryImage(HostMode::NS, 4));
    std::filesystem::remove(path);
}

TEST_F(SimulatedControllerTest, SwitchRequestReEnumeratesInTheConfigurationIdentityAfterADelay) {
    ControllerOptions options;
    options.switchDelay = 200ms;
    auto controller = backend.addController(options);
    ASSERT_EQ(probeController(link), ProductIdentity::Ordinary);
    std::vector<std::uint32_t> events;
    backend.watchDeviceChanges([&](std::uint32_t event) { events.push_back(event); });
    sendSwitchRequest(link);
    EXPECT_EQ(controller->switchRequests(), 1u);
    EXPECT_EQ(probeController(link), ProductIdentity::None) << "gone while re-enumerating";
    clock.advance(200ms);
    EXPECT_EQ(probeController(link), ProductIdentity::Configuration);
    EXPECT_EQ(events,
              (std::vector<std::uint32_t>{hid::kDeviceRemoveComplete, hid::kDeviceArrival}));
    EXPECT_TRUE(Select(link, 0, 0xFF));
}

TEST_F(SimulatedControllerTest, AnIncompleteOrDisorderedKnockDoesNotSwitch) {
    auto controller = backend.addController();
    ASSERT_EQ(probeController(link), ProductIdentity::Ordinary);
    std::array<std::uint8_t, 18> buffer{};
    for (std::size_t length : {14u, 15u, 16u, 18u, 17u}) {
        link.hidDevice->indexedString(255, std::span<std::uint8_t>(buffer.data(), length));
    }
    for (std::size_t length : {14u, 15u, 16u, 17u}) {
        link.hidDevice->indexedString(255, std::span<std::uint8_t>(buffer.data(), length));
    }
    link.hidDevice->indexedString(254, std::span<std::uint8_t>(buffer.data(), 18));
    clock.advance(1s);
    EXPECT_EQ(controller->switchRequests(), 0u);
    EXPECT_EQ(probeController(link), ProductIdentity::Ordinary);
}

TEST_F(SimulatedControllerTest, OrdinaryAndRejectedIdentitiesAnswerNoFrames) {
    for (std::uint16_t product : {kOrdinaryProductId, kRejectedProductId}) {
        SimulatedBackend bus(clock);
        bus.addController(ControllerOptions::poweringOnAs(product));
        link.backend = &bus;
        ASSERT_TRUE(openController(link, product));
        EXPECT_FALSE(Select(link, 0, 0xFF));
        link.hidDevice.reset();
    }
}

}  // namespace
}  // namespace orv::sim
