#include <gtest/gtest.h>

#include <vector>

#include "device/ConnectionHandling.h"
#include "device/ConnectionWorker.h"
#include "device/ControllerDiscovery.h"
#include "device/ManualClock.h"
#include "sim/FactoryImages.h"
#include "sim/SimulatedBackend.h"

namespace orv {
namespace {

using namespace std::chrono_literals;
using sim::ControllerOptions;
using sim::factoryImage;

struct Posted {
    std::uint32_t message;
    std::uintptr_t wParam;
    std::uint32_t connectedWhenPosted;
    bool operator==(const Posted&) const = default;
};

class RecordingWindow final : public MessageTarget {
public:
    explicit RecordingWindow(DeviceLink& link) : link_(link) {}
    void post(std::uint32_t message, std::uintptr_t wParam, std::intptr_t) override {
        posted.push_back({message, wParam, link_.connected.load()});
    }
    std::vector<Posted> posted;

private:
    DeviceLink& link_;
};

constexpr Posted kLoading{MainWindowMessage, kShowLoadingWindowCode, 0};

class ConnectionWorkerTest : public ::testing::Test {
protected:
    ConnectionWorkerTest() {
        link.backend = &backend;
        link.clock = &clock;
        sim::SimFaults fast;
        fast.reportDelay = 0us;
        faults = fast;
    }
    std::shared_ptr<sim::SimulatedController> plug(std::uint16_t product) {
        auto controller = backend.addController(ControllerOptions::poweringOnAs(product));
        controller->setFaults(faults);
        return controller;
    }
    std::vector<Posted> run() {
        window.posted.clear();
        ConnectionWorker(link, images, window).run();
        return window.posted;
    }
    void expectAllImagesRead(sim::SimulatedController& controller) {
        ASSERT_EQ(images.nsProfiles.size(), 6u);
        ASSERT_EQ(images.pcProfiles.size(), 6u);
        for (HostMode mode : {HostMode::NS, HostMode::PC}) {
            ASSERT_EQ(images.switchModes(mode).size(), 6u);
            ASSERT_EQ(images.savedSwitchModes(mode).size(), 6u);
            for (std::size_t p = 0; p < 6; ++p) {
                EXPECT_EQ(images.profiles(mode)[p], controller.liveImage(mode, p));
                EXPECT_EQ(images.switchModes(mode)[p], images.profiles(mode)[p].switchModePairs());
            }
        }
        EXPECT_EQ(images.workingBlock, images.pcProfiles.back());
        EXPECT_EQ(controller.selectedMode(), 0) << "left in host mode NS";
    }

    ManualClock clock;
    sim::SimulatedBackend backend{clock};
    sim::SimFaults faults;
    DeviceLink link;
    ProfileImages images;
    RecordingWindow window{link};
};

TEST_F(ConnectionWorkerTest, NoControllerSearchesFiveSecondsThenAsksForTheConnectionPrompt) {
    backend.addForeignDevice(0x046D, 0xC52B);
    const Clock::TimePoint start = clock.now();
    EXPECT_EQ(run(), (std::vector<Posted>{kLoading, {ConnectResultMessage, 0, 0}}));
    EXPECT_EQ(clock.now() - start, 5s);
    EXPECT_EQ(link.probeResult, 0u);
    EXPECT_EQ(link.hidDevice, nullptr);

    const ConnectResultReaction reaction = handleConnectResult(link, images, 0);
    EXPECT_TRUE(reaction.closeLoadingWindow);
    EXPECT_TRUE(reaction.postConnectionPrompt);
    EXPECT_FALSE(reaction.showOverview || reaction.showRejectedAndQuit ||
                 reaction.openInitFailurePrompt);
}

TEST_F(ConnectionWorkerTest, OrdinaryIdentityIsSwitchedOnceThenAllImagesAreRead) {
    auto controller = plug(kOrdinaryProductId);
    DeviceSettingsBlock stored = factoryImage(HostMode::PC, 2);
    stored[block::switchFlagOffset(4)] = 1;
    stored[block::kReservedAreaTwoOffset] = 0x99;
    controller->setImage(HostMode::PC, 2, stored);

    // Connected is already 1 when the success message goes out.
    EXPECT_EQ(run(), (std::vector<Posted>{kLoading, {ConnectResultMessage, 1, 1}}));
    EXPECT_EQ(controller->switchRequests(), 1u);
    EXPECT_EQ(link.connected, 1u);
    expectAllImagesRead(*controller);
    EXPECT_EQ(images.pcProfiles[2], stored);
    EXPECT_EQ(images.switchModes(HostMode::PC)[2][4], (SwitchModePair{1, 4}));

    images.hostMode = HostMode::PC;
    const ConnectResultReaction reaction = handleConnectResult(link, images, 1);
    EXPECT_TRUE(reaction.closeLoadingWindow && reaction.showOverview);
    EXPECT_FALSE(reaction.postConnectionPrompt);
    EXPECT_EQ(images.hostMode, HostMode::NS);
    EXPECT_EQ(link.probeResult, 2u);
}

TEST_F(ConnectionWorkerTest, ConfigurationIdentityIsReadWithoutASwitch) {
    auto controller = plug(kConfigurationProductId);
    EXPECT_EQ(run(), (std::vector<Posted>{kLoading, {ConnectResultMessage, 1, 1}}));
    EXPECT_EQ(controller->switchRequests(), 0u);
    expectAllImagesRead(*controller);
}

TEST_F(ConnectionWorkerTest, RejectedIdentityEndsTheToolWithoutAPrompt) {
    plug(kRejectedProductId);
    EXPECT_EQ(run(), (std::vector<Posted>{kLoading, {ConnectResultMessage, 3, 0}}));
    const ConnectResultReaction reaction = handleConnectResult(link, images, 3);
    EXPECT_TRUE(reaction.closeLoadingWindow && reaction.showRejectedAndQuit);
    EXPECT_FALSE(reaction.postConnectionPrompt || reaction.openInitFailurePrompt);
}

TEST_F(ConnectionWorkerTest, ReadFailingPartWayShowsTheInitialisationFailure) {
    auto controller = plug(kConfigurationProductId);
    // Select NS, the six NS images, Select PC, then two PC images and half of the third.
    faults.muteAfterReplies = 1 + 6 * 20 + 1 + 2 * 20 + 10;
    controller->setFaults(faults);
    EXPECT_EQ(run(), (std::vector<Posted>{kLoading, {ConnectResultMessage, 4, 0}}));
    EXPECT_EQ(link.connected, 0u);
    EXPECT_EQ(images.nsProfiles.size(), 6u);
    EXPECT_EQ(images.pcProfiles.size(), 2u);
    EXPECT_EQ(images.switchModes(HostMode::PC).size(), 2u);

    const ConnectResultReaction reaction = handleConnectResult(link, images, 4);
    EXPECT_TRUE(reaction.closeLoadingWindow && reaction.openInitFailurePrompt);
    EXPECT_FALSE(reaction.postConnectionPrompt || reaction.showOverview);
}

TEST_F(ConnectionWorkerTest, RefusedSelectAndUnplugDuringTheReadFailTheRead) {
    for (bool unplug : {false, true}) {
        SCOPED_TRACE(unplug ? "unplugged at report 100" : "Select refused");
        sim::SimulatedBackend bus(clock);
        link.backend = &bus;
        auto controller =
            bus.addController(ControllerOptions::poweringOnAs(kConfigurationProductId));
        sim::SimFaults broken = faults;
        broken.refuseSelect = !unplug;
        broken.unplugAtReport = unplug ? 100 : 0;
        controller->setFaults(broken);
        EXPECT_EQ(run().back(), (Posted{ConnectResultMessage, 4, 0}));
        link.hidDevice.reset();
    }
}

TEST_F(ConnectionWorkerTest, OtherUnknownResultValuesDoNothing) {
    for (std::uintptr_t value : {2u, 5u, 0x8000u}) {
        const ConnectResultReaction reaction = handleConnectResult(link, images, value);
        EXPECT_FALSE(reaction.closeLoadingWindow || reaction.showOverview ||
                     reaction.postConnectionPrompt || reaction.showRejectedAndQuit ||
                     reaction.openInitFailurePrompt);
    }
}

// The whole hot-plug story: another device leaves, the controller leaves (prompt asked for
// once), arrivals without a prompt change nothing, an arrival with the prompt reconnects.
TEST_F(ConnectionWorkerTest, RemovalAndArrivalFollowTheConnectionStates) {
    const std::size_t mouse = backend.addForeignDevice(0x046D, 0xC52B);
    auto controller = plug(kConfigurationProductId);
    std::vector<std::uint32_t> events;
    ASSERT_TRUE(registerDeviceNotifications(link, [&](std::uint32_t e) { events.push_back(e); }));
    ASSERT_EQ(run().back(), (Posted{ConnectResultMessage, 1, 1}));
    handleConnectResult(link, images, 1);

    auto nothing = [](const DeviceChangeReaction& r) {
        return !r.closeConnectionPrompt && !r.startWorker && !r.postConnectionPrompt;
    };

    // An arrival while connected changes nothing.
    EXPECT_TRUE(nothing(handleDeviceChange(link, hid::kDeviceArrival, true)));

    backend.unplugForeign(mouse);
    ASSERT_EQ(events.back(), hid::kDeviceRemoveComplete);
    EXPECT_TRUE(nothing(handleDeviceChange(link, hid::kDeviceRemoveComplete, false)));
    EXPECT_EQ(link.connected, 1u);
    EXPECT_EQ(link.probeResult, 2u);
    EXPECT_TRUE(Select(link, 0xFF, 0)) << "the controller is still usable";

    controller->unplug();
    const DeviceChangeReaction removed =
        handleDeviceChange(link, hid::kDeviceRemoveComplete, false);
    EXPECT_TRUE(removed.postConnectionPrompt);
    EXPECT_EQ(link.connected, 0u);
    EXPECT_EQ(link.reconnectPromptShown, 1u);
    EXPECT_EQ(link.probeResult, 0u);
    EXPECT_EQ(link.hidDevice, nullptr);
    for (int i = 0; i < 3; ++i) {
        EXPECT_TRUE(nothing(handleDeviceChange(link, hid::kDeviceRemoveComplete, true)));
    }

    // Arrival of something while no prompt is open: nothing.
    backend.plugForeign(mouse);
    EXPECT_TRUE(nothing(handleDeviceChange(link, hid::kDeviceArrival, false)));
    EXPECT_EQ(link.reconnectPromptShown, 1u);
    EXPECT_TRUE(nothing(handleDeviceChange(link, 0x0007, true)));

    // The controller comes back (power-on identity: ordinary) while the prompt is open.
    DeviceSettingsBlock saved = factoryImage(HostMode::NS, 0);
    saved[0] = 'N';
    controller->setImage(HostMode::NS, 0, saved);
    controller->plug();
    const Clock::TimePoint before = clock.now();
    const DeviceChangeReaction arrived = handleDeviceChange(link, hid::kDeviceArrival, true);
    EXPECT_TRUE(arrived.closeConnectionPrompt && arrived.startWorker);
    EXPECT_FALSE(arrived.postConnectionPrompt);
    EXPECT_EQ(clock.now() - before, 100ms);
    EXPECT_EQ(link.reconnectPromptShown, 0u);

    ASSERT_EQ(run().back(), (Posted{ConnectResultMessage, 1, 1}));
    expectAllImagesRead(*controller);
    EXPECT_EQ(images.nsProfiles[0], saved) << "freshly read, not what was held before";
}

TEST_F(ConnectionWorkerTest, DetachedWorkerPostsItsResult) {
    plug(kConfigurationProductId);
    link.clock = &SystemClock::instance();
    struct Waiting final : MessageTarget {
        std::mutex mutex;
        std::condition_variable done;
        std::vector<std::uintptr_t> results;
        void post(std::uint32_t message, std::uintptr_t wParam, std::intptr_t) override {
            std::lock_guard<std::mutex> lock(mutex);
            if (message == ConnectResultMessage) {
                results.push_back(wParam);
                done.notify_all();
            }
        }
    };
    auto target = std::make_shared<Waiting>();
    ConnectionWorker::startDetached(link, images, target);
    std::unique_lock<std::mutex> lock(target->mutex);
    ASSERT_TRUE(target->done.wait_for(lock, 20s, [&] { return !target->results.empty(); }));
    EXPECT_EQ(target->results, (std::vector<std::uintptr_t>{1}));
}

}  // namespace
}  // namespace orv
