// The button tests: how each code starts the controller's test mode and opens the button test
// screen, and what the screen records, against the simulated controller and a scripted stream.

#include <gtest/gtest.h>

#include "LiveTestSupport.h"
#include "device/ControllerDiscovery.h"
#include "device/VendorProtocol.h"
#include "sim/PhysicalInput.h"
#include "ui/kit/WindowSystem.h"
#include "ui/livetest/TestForm.h"

namespace orv::testing {
namespace {

using namespace std::chrono_literals;
using kit::testing::Driver;
using sim::PhysicalInput;
constexpr std::uint32_t kSlotA = static_cast<std::uint32_t>(ButtonSlot::A);
constexpr const char* kLabel = "ShowSetBtnLabel";

class LiveTestButtons : public LiveTestHarness {
protected:
    bool latched(Driver& d, kit::WindowHandle screen) {
        bool value = false;
        d.OnUi([&] {
            if (auto* form = dynamic_cast<TestForm*>(kit::WindowFromHandle(screen))) {
                value = form->history().latched();
            }
        });
        return value;
    }
    // Presses on the simulated controller until the screen shows `label`, then lets go until
    // the screen saw the release.
    void pressAndRelease(Driver& d, kit::WindowHandle screen, PhysicalInput input,
                         const std::string& label) {
        controller->setInput(input);
        waitText(d, screen, kLabel, label);
        controller->setInput(PhysicalInput{});
        EXPECT_TRUE(d.WaitUntil([&] { return !latched(d, screen); }));
    }
    // Images of every WriteProfile the controller received, in order.
    std::vector<DeviceSettingsBlock> writtenImages() const {
        std::vector<DeviceSettingsBlock> images;
        const std::vector<hid::Report> reports = controller->writtenReports();
        for (std::size_t i = 0; i < reports.size(); ++i) {
            if (reports[i][2] != static_cast<std::uint8_t>(vendor::Command::WriteProfile) ||
                i + block::kWriteChunkCount >= reports.size()) {
                continue;
            }
            DeviceSettingsBlock image;
            for (std::size_t c = 0; c < block::kWriteChunkCount; ++c) {
                std::copy(reports[i + 1 + c].begin() + 1, reports[i + 1 + c].end(),
                          image.bytes.begin() + static_cast<std::ptrdiff_t>(64 * c));
            }
            images.push_back(image);
            i += block::kWriteChunkCount;
        }
        return images;
    }
};

TEST_F(LiveTestButtons, HoldingARecordsItOnceAndAnotherPressAddsASecond) {
    connectSimulated(HostMode::NS, kSlotA);
    const LaunchOutcome outcome = launch(2001, "FunButtonForm", [&](Driver& d) {
        const kit::WindowHandle screen = d.WaitForWindow(TestForm::kTitle);
        ASSERT_NE(screen, kit::kNoWindow);
        EXPECT_EQ(d.GetText(screen, "TitleLabel"), context->text.text(96));
        EXPECT_EQ(d.GetText(screen, "DirTextLabel1"), context->text.text(97));

        controller->setInput(PhysicalInput::pressing({ButtonSlot::A}));
        waitText(d, screen, kLabel, "    A ");
        d.Pump(60ms);  // held for many more ticks
        EXPECT_EQ(d.GetText(screen, kLabel), "    A ");

        controller->setInput(PhysicalInput{});
        EXPECT_TRUE(d.WaitUntil([&] { return !latched(d, screen); }));
        EXPECT_EQ(d.GetText(screen, kLabel), "    A ");
        controller->setInput(PhysicalInput::pressing({ButtonSlot::A}));
        waitText(d, screen, kLabel, "   A A ");
        d.Click(screen, "closebtn");
        EXPECT_TRUE(d.WaitForWindowGone(screen));
    });
    EXPECT_EQ(outcome, LaunchOutcome::ScreenClosed);
    EXPECT_EQ(context->profile.buttonTestKind, 1u);
    EXPECT_EQ(context->profile.testStreamArmed, 1u);
    const auto session = controller->testSession();
    ASSERT_TRUE(session.has_value());
    EXPECT_EQ(session->target, kSlotA);
    EXPECT_EQ(session->kind, vendor::kTestShortPress);
    EXPECT_EQ(controller->liveImage(HostMode::NS, 0), context->images.workingBlock);
}

TEST_F(LiveTestButtons, ButtonsHeldTogetherRecordTheHigherRankedOne) {
    connectSimulated(HostMode::NS, kSlotA);
    launch(2001, "FunButtonForm", [&](Driver& d) {
        const kit::WindowHandle screen = d.WaitForWindow(TestForm::kTitle);
        ASSERT_NE(screen, kit::kNoWindow);
        pressAndRelease(d, screen, PhysicalInput::pressing({ButtonSlot::L, ButtonSlot::A}),
                        "    L ");
        d.Click(screen, "closebtn");
    });
}

TEST_F(LiveTestButtons, PcNamesAndOnlyTheLastFiveShow) {
    connectSimulated(HostMode::PC, kSlotA);
    launch(2002, "LPressSwitchForm", [&](Driver& d) {
        const kit::WindowHandle screen = d.WaitForWindow(TestForm::kTitle);
        ASSERT_NE(screen, kit::kNoWindow);
        EXPECT_EQ(d.GetText(screen, "TitleLabel"), context->text.text(98));
        EXPECT_EQ(d.GetText(screen, "DirTextLabel2"), context->text.text(106));
        pressAndRelease(d, screen, PhysicalInput::pressing({ButtonSlot::L, ButtonSlot::A}),
                        "    LB ");
        pressAndRelease(d, screen, PhysicalInput::pressing({ButtonSlot::ZR}), "   LB RT ");
        pressAndRelease(d, screen, PhysicalInput::pressing({ButtonSlot::Minus}), "  LB RT BACK ");
        pressAndRelease(d, screen, PhysicalInput::pressing({ButtonSlot::Plus}),
                        " LB RT BACK START ");
        pressAndRelease(d, screen, PhysicalInput::pressing({ButtonSlot::DpadLeft}),
                        "LB RT BACK START \u25C1 ");
        pressAndRelease(d, screen, PhysicalInput::pressing({ButtonSlot::Y}),
                        "RT BACK START \u25C1 Y ");
        d.Click(screen, "closebtn");
    });
    EXPECT_EQ(context->profile.buttonTestKind, 2u);
}

TEST_F(LiveTestButtons, TriggersCountByTheirThresholds) {
    ScriptedDevice& device = connectScripted(HostMode::PC, kSlotA);
    launch(2001, "FunButtonForm", [&](Driver& d) {
        const kit::WindowHandle screen = d.WaitForWindow(TestForm::kTitle);
        ASSERT_NE(screen, kit::kNoWindow);
        device.setSteady(pcReport({{13, 0x3F}}));
        ASSERT_TRUE(waitReads(d, 10));
        EXPECT_EQ(d.GetText(screen, kLabel), "     ") << "0x3F is not a left trigger press";
        device.setSteady(pcReport({{13, 0x40}}));
        waitText(d, screen, kLabel, "    LT ");
        device.setSteady(pcReport());
        ASSERT_TRUE(waitReads(d, 10));
        device.setSteady(pcReport({{14, 0x01}}));
        waitText(d, screen, kLabel, "   LT RT ");
        d.Click(screen, "closebtn");
    });
}

TEST_F(LiveTestButtons, ShortChangesAndOtherReportsAreIgnored) {
    ScriptedDevice& device = connectScripted(HostMode::NS, kSlotA);
    launch(2001, "FunButtonForm", [&](Driver& d) {
        const kit::WindowHandle screen = d.WaitForWindow(TestForm::kTitle);
        ASSERT_NE(screen, kit::kNoWindow);
        const hid::Report a = nsReport({{9, 0x04}});
        hid::Report notATest = a;
        notATest[2] = 0x02;  // a Select reply carrying the same bytes
        device.setSteady(nsReport());
        ASSERT_TRUE(waitReads(d, 5));
        // Three reads of A between releases: shorter than four identical reads.
        device.queue({a, a, a});
        ASSERT_TRUE(waitReads(d, 10));
        EXPECT_EQ(d.GetText(screen, kLabel), "     ");
        device.setSteady(notATest);
        ASSERT_TRUE(waitReads(d, 10));
        EXPECT_EQ(d.GetText(screen, kLabel), "     ");
        device.setSteady(a);
        waitText(d, screen, kLabel, "    A ");
        d.Click(screen, "closebtn");
    });
}

TEST_F(LiveTestButtons, TheScreenStaysResponsiveWhenTheControllerFallsSilent) {
    ScriptedDevice& device = connectScripted(HostMode::NS, kSlotA);
    const LaunchOutcome outcome = launch(2001, "FunButtonForm", [&](Driver& d) {
        const kit::WindowHandle screen = d.WaitForWindow(TestForm::kTitle);
        ASSERT_NE(screen, kit::kNoWindow);
        device.forgetTimeouts();        // the StartTest reply wait before the screen is not a tick
        ASSERT_TRUE(waitReads(d, 20));  // nothing is streaming
        d.Click(screen, "closebtn");
        EXPECT_TRUE(d.WaitForWindowGone(screen));
    });
    EXPECT_EQ(outcome, LaunchOutcome::ScreenClosed);
    EXPECT_LE(device.longestTimeout(), kTestReportReadTimeout);
}

TEST_F(LiveTestButtons, RefusedConditionsWriteTheImageButStartNothing) {
    connectSimulated(HostMode::NS, kSlotA);
    struct Case {
        std::uint32_t code;
        std::uint8_t conDisable;
    };
    std::size_t writes = 0;
    for (const Case c : {Case{2003, 1}, Case{2004, 0}}) {
        context->images.workingBlock[block::conDisableOffset(kSlotA)] = c.conDisable;
        const LaunchOutcome outcome = launch(c.code, "FunButtonForm", [](Driver& d) {
            d.Pump(30ms);
            EXPECT_EQ(kit::FindWindow(TestForm::kTitle), kit::kNoWindow);
        });
        EXPECT_EQ(outcome, LaunchOutcome::Refused) << c.code;
        EXPECT_EQ(controller->framesReceived(vendor::Command::WriteProfile), ++writes) << c.code;
        EXPECT_EQ(controller->framesReceived(vendor::Command::StartTest), 0u) << c.code;
        EXPECT_EQ(context->profile.buttonTestKind, 0u);
        EXPECT_EQ(context->profile.testStreamArmed, 0u);
    }
}

TEST_F(LiveTestButtons, TurboAndContinuousDisableStartWhenTheirConditionHolds) {
    connectSimulated(HostMode::NS, kSlotA);
    struct Case {
        std::uint32_t code;
        std::uint8_t conDisable;
        std::uint8_t kind;
        std::uint32_t buttonTestKind;
        int title;
    };
    for (const Case c : {Case{2003, 0, vendor::kTestTurbo, 3, 100},
                         Case{2004, 1, vendor::kTestContinuousDisable, 4, 102}}) {
        context->images.workingBlock[block::conDisableOffset(kSlotA)] = c.conDisable;
        const LaunchOutcome outcome = launch(c.code, "FunButtonForm", [&](Driver& d) {
            const kit::WindowHandle screen = d.WaitForWindow(TestForm::kTitle);
            ASSERT_NE(screen, kit::kNoWindow);
            EXPECT_EQ(d.GetText(screen, "TitleLabel"), context->text.text(c.title));
            d.Click(screen, "closebtn");
        });
        EXPECT_EQ(outcome, LaunchOutcome::ScreenClosed) << c.code;
        ASSERT_TRUE(controller->testSession().has_value());
        EXPECT_EQ(controller->testSession()->kind, c.kind);
        EXPECT_EQ(controller->testSession()->target, kSlotA);
        EXPECT_EQ(context->profile.buttonTestKind, c.buttonTestKind);
    }
}

TEST_F(LiveTestButtons, LongPressSwitchWritesTwiceTheSecondTimeWithTheFlagSet) {
    connectSimulated(HostMode::NS, kSlotA);
    ASSERT_EQ(context->images.workingBlock[block::switchFlagOffset(kSlotA)], 0);
    const LaunchOutcome outcome = launch(2010, "LPressSwitchForm", [&](Driver& d) {
        const kit::WindowHandle screen = d.WaitForWindow(TestForm::kTitle);
        ASSERT_NE(screen, kit::kNoWindow);
        EXPECT_EQ(d.GetText(screen, "TitleLabel"), context->text.text(104));
        EXPECT_EQ(d.GetText(screen, "DirTextLabel2"), context->text.text(109));
        d.Click(screen, "closebtn");
    });
    EXPECT_EQ(outcome, LaunchOutcome::ScreenClosed);
    const std::vector<DeviceSettingsBlock> images = writtenImages();
    ASSERT_EQ(images.size(), 2u);
    EXPECT_EQ(images[0][block::switchFlagOffset(kSlotA)], 0);
    EXPECT_EQ(images[1][block::switchFlagOffset(kSlotA)], 1);
    EXPECT_EQ(images[1], context->images.workingBlock);
    EXPECT_EQ(context->images.workingBlock[block::switchFlagOffset(kSlotA)], 1);
    ASSERT_TRUE(controller->testSession().has_value());
    EXPECT_EQ(controller->testSession()->kind, vendor::kTestLongPressSwitch);
    EXPECT_EQ(context->profile.buttonTestKind, 5u);
}

TEST_F(LiveTestButtons, NothingOpensWithoutControllerOrParentOrForAnUnknownCode) {
    // No controller.
    EXPECT_EQ(launch(2001, "FunButtonForm", [](Driver& d) { d.Pump(20ms); }),
              LaunchOutcome::NoController);
    // No editor open: nothing is sent.
    connectSimulated(HostMode::NS, kSlotA);
    EXPECT_EQ(launch(2001, "StickSetForm", [](Driver& d) { d.Pump(20ms); }),
              LaunchOutcome::NoParent);
    EXPECT_EQ(launch(2005, "FunButtonForm", [](Driver& d) { d.Pump(20ms); }),
              LaunchOutcome::NoParent);
    EXPECT_EQ(launch(2009, "", [](Driver& d) { d.Pump(20ms); }), LaunchOutcome::NoParent);
    EXPECT_EQ(launch(2011, "FunButtonForm", [](Driver& d) { d.Pump(20ms); }),
              LaunchOutcome::UnknownCode);
    context->images.currentProfile = 0;  // not editing any profile
    EXPECT_EQ(launch(2001, "FunButtonForm", [](Driver& d) { d.Pump(20ms); }),
              LaunchOutcome::NoProfile);
    EXPECT_TRUE(controller->writtenReports().empty());
    EXPECT_EQ(context->profile.testStreamArmed, 0u);
}

TEST_F(LiveTestButtons, AFailedWriteOrStartOpensNothing) {
    connectSimulated(HostMode::NS, kSlotA);
    controller->unplug();  // every write fails
    EXPECT_EQ(launch(2001, "FunButtonForm", [](Driver& d) { d.Pump(20ms); }),
              LaunchOutcome::WriteFailed);
    controller->plug();
    ASSERT_TRUE(openController(context->device, kConfigurationProductId));
    sim::SimFaults mute;
    mute.mute = true;  // StartTest is never answered
    controller->setFaults(mute);
    EXPECT_EQ(launch(2001, "FunButtonForm", [](Driver& d) { d.Pump(20ms); }),
              LaunchOutcome::StartFailed);
    EXPECT_EQ(context->profile.testStreamArmed, 0u);
}

}  // namespace
}  // namespace orv::testing
