#include <gtest/gtest.h>

#include "FakeHidDevice.h"
#include "device/ControllerDiscovery.h"
#include "device/ManualClock.h"
#include "device/VendorProtocol.h"
#include "sim/SimulatedBackend.h"

namespace orv {
namespace {

using namespace std::chrono_literals;
using sim::ControllerOptions;

// Counts live handles, so a test sees whether a probe closed the one it replaced.
class CountingBackend final : public hid::Backend {
public:
    explicit CountingBackend(hid::Backend& inner) : inner_(inner) {}
    std::vector<hid::DeviceInfo> enumerate() override { return inner_.enumerate(); }
    std::unique_ptr<hid::Device> open(const hid::DeviceInfo& info, std::string& error) override {
        opened.push_back(info.path);
        if (refusedPath == info.path) {
            error = "No permission to open the controller at " + info.path;
            return nullptr;
        }
        auto device = inner_.open(info, error);
        if (!device) {
            return nullptr;
        }
        return std::make_unique<Counted>(std::move(device), live);
    }
    bool watchDeviceChanges(std::function<void(std::uint32_t)> l) override {
        return inner_.watchDeviceChanges(std::move(l));
    }
    bool lastOpenDenied() const override { return inner_.lastOpenDenied(); }
    int live = 0;
    std::vector<std::string> opened;
    std::string refusedPath;  // an interface that is present but cannot be opened

private:
    struct Counted final : hid::Device {
        Counted(std::unique_ptr<hid::Device> d, int& c) : device(std::move(d)), count(c) {
            ++count;
        }
        ~Counted() override { --count; }
        bool writeReport(const hid::Report& r) override { return device->writeReport(r); }
        hid::ReadStatus readReport(hid::Report& r, std::chrono::milliseconds t) override {
            return device->readReport(r, t);
        }
        bool indexedString(std::uint8_t i, std::span<std::uint8_t> b) override {
            return device->indexedString(i, b);
        }
        const std::string& lastError() const override { return device->lastError(); }
        std::unique_ptr<hid::Device> device;
        int& count;
    };
    hid::Backend& inner_;
};

class ControllerDiscoveryTest : public ::testing::Test {
protected:
    ControllerDiscoveryTest() {
        link.backend = &counting;
        link.clock = &clock;
    }
    ManualClock clock;
    sim::SimulatedBackend backend{clock};
    CountingBackend counting{backend};
    DeviceLink link;
};

TEST_F(ControllerDiscoveryTest, ProbeTakesIdentitiesInOrderAndTheFirstInterfaceOfAProduct) {
    backend.addForeignDevice(0x046D, 0x0B20);  // another vendor with the same product number
    auto rejected = backend.addController(ControllerOptions::poweringOnAs(kRejectedProductId));
    auto first = backend.addController(ControllerOptions::poweringOnAs(kConfigurationProductId));
    auto second = backend.addController(ControllerOptions::poweringOnAs(kConfigurationProductId));

    EXPECT_EQ(probeController(link), ProductIdentity::Configuration);
    EXPECT_EQ(counting.opened, (std::vector<std::string>{"sim:2:1"})) << "first match only";
    ASSERT_TRUE(Select(link, 1, 0xFF));
    EXPECT_EQ(first->selectedMode(), 1);
    EXPECT_EQ(second->selectedMode(), 0);

    first->unplug();
    second->unplug();
    EXPECT_EQ(probeController(link), ProductIdentity::Rejected);
    rejected->unplug();
    auto ordinary = backend.addController();
    EXPECT_EQ(probeController(link), ProductIdentity::Ordinary);
}

TEST_F(ControllerDiscoveryTest, AProbeClosesTheHandleItReplacesAndNullsItWhenNothingIsFound) {
    auto controller =
        backend.addController(ControllerOptions::poweringOnAs(kConfigurationProductId));
    for (int i = 0; i < 3; ++i) {
        ASSERT_EQ(probeController(link), ProductIdentity::Configuration);
        EXPECT_EQ(counting.live, 1);
    }
    controller->unplug();
    EXPECT_EQ(probeController(link), ProductIdentity::None);
    EXPECT_EQ(link.hidDevice, nullptr);
    EXPECT_EQ(counting.live, 0);
}

TEST_F(ControllerDiscoveryTest, AFailedProbeReportsWhyAPresentControllerCouldNotBeOpened) {
    EXPECT_EQ(probeController(link), ProductIdentity::None);
    EXPECT_NE(link.lastError.find("no controller found"), std::string::npos) << link.lastError;

    // The ordinary identity is present but refuses: its reason must survive the probes of the
    // identities after it, which are simply absent.
    auto controller = backend.addController();
    counting.refusedPath = backend.enumerate().front().path;
    EXPECT_EQ(probeController(link), ProductIdentity::None);
    EXPECT_NE(link.lastError.find("No permission"), std::string::npos) << link.lastError;
    EXPECT_FALSE(openController(link, kOrdinaryProductId));
    EXPECT_NE(link.lastError.find("No permission"), std::string::npos) << link.lastError;
}

TEST_F(ControllerDiscoveryTest, AProbeSaysWhenTheControllerIsThereButDeniedToThisUser) {
    backend.denyControllerAccess(true);
    backend.addForeignDevice(0x046D, 0x0B20);
    EXPECT_EQ(probeController(link), ProductIdentity::None);
    EXPECT_FALSE(link.accessDenied) << "no controller at all";

    auto controller =
        backend.addController(ControllerOptions::poweringOnAs(kConfigurationProductId));
    EXPECT_EQ(probeController(link), ProductIdentity::None);
    EXPECT_TRUE(link.accessDenied);

    backend.denyControllerAccess(false);
    EXPECT_EQ(probeController(link), ProductIdentity::Configuration);
    EXPECT_FALSE(link.accessDenied);
    controller->unplug();
    EXPECT_EQ(probeController(link), ProductIdentity::None);
    EXPECT_FALSE(link.accessDenied) << "every probe says it afresh";
}

TEST_F(ControllerDiscoveryTest, FindControllerWaitsBeforeEveryAttempt) {
    Clock::TimePoint start = clock.now();
    EXPECT_EQ(findController(link), ProductIdentity::None);
    EXPECT_EQ(clock.now() - start, 50 * 100ms);

    backend.addController(ControllerOptions::poweringOnAs(kConfigurationProductId));
    start = clock.now();
    EXPECT_EQ(findController(link), ProductIdentity::Configuration);
    EXPECT_EQ(clock.now() - start, 100ms);
}

TEST_F(ControllerDiscoveryTest, SwitchRequestIsFiveStringQueriesOfGrowingLength) {
    auto device = std::make_unique<test::FakeHidDevice>(clock);
    test::FakeHidDevice* fake = device.get();
    link.hidDevice = std::move(device);
    EXPECT_TRUE(sendSwitchRequest(link));  // true although every query failed
    ASSERT_EQ(fake->stringRequests.size(), 5u);
    for (std::size_t i = 0; i < 5; ++i) {
        EXPECT_EQ(fake->stringRequests[i].first, 255);
        EXPECT_EQ(fake->stringRequests[i].second.size(), 14 + i);
        EXPECT_EQ(fake->stringRequests[i].second[0], 0xFF);
    }
    link.hidDevice.reset();
    EXPECT_TRUE(sendSwitchRequest(link));
}

TEST_F(ControllerDiscoveryTest, TransportFailsWithoutAHandleOrAfterTheDeviceLeft) {
    hid::Report report{};
    EXPECT_FALSE(writeReport(link, report));
    EXPECT_FALSE(readReport(link, report, 10ms));
    auto controller =
        backend.addController(ControllerOptions::poweringOnAs(kConfigurationProductId));
    ASSERT_TRUE(openController(link, kConfigurationProductId));
    EXPECT_TRUE(writeReport(link, report));
    EXPECT_FALSE(readReport(link, report, 10ms)) << "nothing was asked, nothing comes";
    controller->unplug();
    EXPECT_FALSE(writeReport(link, report));
    EXPECT_EQ(link.lastError, "device disconnected");
    EXPECT_FALSE(readReport(link, report, 10ms));
}

}  // namespace
}  // namespace orv
