#include "LiveTestSupport.h"

#include <algorithm>
#include <thread>

#include "device/ControllerDiscovery.h"
#include "device/VendorProtocol.h"
#include "sim/FactoryImages.h"
#include "ui/kit/Application.h"
#include "ui/kit/PaintManager.h"
#include "ui/kit/WindowImplBase.h"
#include "ui/kit/WindowSystem.h"

namespace orv::testing {

namespace {

// Any window of the tool's kind, with the title of the window a test screen belongs over.
class StandInWindow final : public kit::WindowImplBase {
protected:
    std::string GetWindowClassName() const override { return "LiveTestStandIn"; }
    std::string GetSkinFile() override { return "ExitInquiryFrom.xml"; }
};

hid::Report headerOnly() {
    return vendor::makeFrame(vendor::Command::StartTest, 0, 0, 0, 0);
}

}  // namespace

hid::Report nsReport(ReportBytes bytes) {
    hid::Report report = headerOnly();
    report[11] = 0x08;
    for (std::size_t i = 12; i <= 15; ++i) {
        report[i] = 128;
    }
    for (const auto& [index, value] : bytes) {
        report[index] = value;
    }
    return report;
}

hid::Report pcReport(ReportBytes bytes) {
    hid::Report report = headerOnly();
    for (const auto& [index, value] : bytes) {
        report[index] = value;
    }
    return report;
}

void putSigned16(hid::Report& report, std::size_t offset, std::int16_t value) {
    const auto bits = static_cast<std::uint16_t>(value);
    report[offset] = static_cast<std::uint8_t>(bits & 0xFF);
    report[offset + 1] = static_cast<std::uint8_t>(bits >> 8);
}

bool ScriptedDevice::writeReport(const hid::Report& report) {
    std::lock_guard lock(mutex_);
    if (report[vendor::kLeadOffset] == vendor::kLeadByte &&
        report[vendor::kCommandOffset] == static_cast<std::uint8_t>(vendor::Command::StartTest)) {
        queue_.push_back(report);  // the controller's answer to StartTest
    }
    return true;
}

hid::ReadStatus ScriptedDevice::readReport(hid::Report& report, std::chrono::milliseconds timeout) {
    {
        std::lock_guard lock(mutex_);
        ++reads_;
        longestTimeout_ = std::max(longestTimeout_, timeout);
        if (!queue_.empty()) {
            report = queue_.front();
            queue_.pop_front();
            return hid::ReadStatus::Ok;
        }
        if (steady_) {
            report = *steady_;
            return hid::ReadStatus::Ok;
        }
    }
    std::this_thread::sleep_for(timeout);
    return hid::ReadStatus::Timeout;
}

void ScriptedDevice::setSteady(std::optional<hid::Report> report) {
    std::lock_guard lock(mutex_);
    steady_ = report;
}

void ScriptedDevice::queue(std::vector<hid::Report> reports) {
    std::lock_guard lock(mutex_);
    queue_.insert(queue_.end(), reports.begin(), reports.end());
}

std::size_t ScriptedDevice::reads() const {
    std::lock_guard lock(mutex_);
    return reads_;
}

std::size_t ScriptedDevice::queued() const {
    std::lock_guard lock(mutex_);
    return queue_.size();
}

std::chrono::milliseconds ScriptedDevice::longestTimeout() const {
    std::lock_guard lock(mutex_);
    return longestTimeout_;
}

void ScriptedDevice::forgetTimeouts() {
    std::lock_guard lock(mutex_);
    longestTimeout_ = std::chrono::milliseconds(0);
}

LiveTestHarness::LiveTestHarness() {
    kit::PaintManager::SetInstancePath(std::string(ORV_TEST_DATA_DIR) + "/");
    kit::PaintManager::SetResourcePath(std::string(ORV_TEST_DATA_DIR) + "/Resources/");
    EXPECT_TRUE(context->text.open(std::string(ORV_TEST_DATA_DIR) + "/MultiLingual.db"))
        << context->text.lastError();
    context->device.clock = &clock;
    context->device.backend = &bus;
}

LiveTestHarness::~LiveTestHarness() {
    for (kit::WindowHandle window : kit::LiveWindows()) {
        if (kit::WindowImplBase* w = kit::WindowFromHandle(window)) {
            w->DestroyWindow();
        }
    }
    kit::Application::ProcessPendingEvents();
    kit::Application::ResetQuit();
}

void LiveTestHarness::connectSimulated(HostMode mode, std::uint32_t slot) {
    controller = bus.addController(sim::ControllerOptions::poweringOnAs(kConfigurationProductId));
    ASSERT_TRUE(openController(context->device, kConfigurationProductId))
        << context->device.lastError;
    context->images.hostMode = mode;
    context->images.currentProfile = 1;
    context->images.workingBlock = sim::factoryImage(mode, 0);
    context->profile.selectedSlot = slot;
}

ScriptedDevice& LiveTestHarness::connectScripted(HostMode mode, std::uint32_t slot) {
    auto device = std::make_unique<ScriptedDevice>();
    scripted = device.get();
    context->device.hidDevice = std::move(device);
    context->images.hostMode = mode;
    context->images.currentProfile = 1;
    context->images.workingBlock = sim::factoryImage(mode, 0);
    context->profile.selectedSlot = slot;
    return *scripted;
}

LaunchOutcome LiveTestHarness::launch(std::uint32_t code, const std::string& parentTitle,
                                      const std::function<void(kit::testing::Driver&)>& script) {
    kit::testing::Driver driver;
    LaunchOutcome outcome = LaunchOutcome::ScreenFailed;
    const bool ran = driver.Run(script, [&] {
        kit::WindowHandle parent = kit::kNoWindow;
        if (!parentTitle.empty()) {
            auto* window = new StandInWindow();
            parent = window->Create(kit::kNoWindow, parentTitle, kit::style::Visible, 0);
            EXPECT_NE(parent, kit::kNoWindow) << window->GetCreateError();
        }
        outcome = launchTest(code, LiveTestParts::of(*context), parent);
        if (kit::WindowImplBase* window = kit::WindowFromHandle(parent)) {
            window->DestroyWindow();
        }
    });
    EXPECT_TRUE(ran);
    return outcome;
}

bool LiveTestHarness::waitText(kit::testing::Driver& d, kit::WindowHandle window,
                               const std::string& control, const std::string& expected) {
    const bool ok = d.WaitUntil([&] { return d.GetText(window, control) == expected; });
    EXPECT_TRUE(ok) << control << " shows \"" << d.GetText(window, control) << "\", expected \""
                    << expected << "\"";
    return ok;
}

bool LiveTestHarness::waitAttribute(kit::testing::Driver& d, kit::WindowHandle window,
                                    const std::string& control, const std::string& attribute,
                                    const std::string& expected) {
    const bool ok =
        d.WaitUntil([&] { return d.GetAttribute(window, control, attribute) == expected; });
    EXPECT_TRUE(ok) << control << " " << attribute << " is \""
                    << d.GetAttribute(window, control, attribute) << "\", expected \"" << expected
                    << "\"";
    return ok;
}

bool LiveTestHarness::waitReads(kit::testing::Driver& d, std::size_t count) {
    const std::size_t target = scripted->reads() + count;
    return d.WaitUntil([&] { return scripted->reads() >= target; });
}

}  // namespace orv::testing
