// The stick test screens: how the stick codes start the test, where the indicators go for the
// reported raw values, when they are rewritten, and the button list of the all-inputs screen.

#include <gtest/gtest.h>

#include "LiveTestSupport.h"
#include "device/VendorProtocol.h"
#include "sim/PhysicalInput.h"
#include "ui/kit/Control.h"
#include "ui/kit/PaintManager.h"
#include "ui/kit/WindowImplBase.h"
#include "ui/kit/WindowSystem.h"
#include "ui/livetest/StickTestWindow.h"

namespace orv::testing {
namespace {

using namespace std::chrono_literals;
using kit::testing::Driver;
using sim::PhysicalInput;
constexpr const char* kAll = "TestSickAllForm";
constexpr const char* kLeftRight = "TestSickLeftRightForm";
constexpr const char* kOther = "TestSickOtherForm";

hid::Report nsSticks(std::uint8_t lx, std::uint8_t ly, std::uint8_t rx = 128,
                     std::uint8_t ry = 128) {
    return nsReport({{12, lx}, {13, ly}, {14, rx}, {15, ry}});
}

hid::Report pcSticks(std::int16_t lx, std::int16_t ly, std::int16_t rx = 0, std::int16_t ry = 0) {
    hid::Report report = pcReport();
    putSigned16(report, 15, lx);
    putSigned16(report, 17, ly);
    putSigned16(report, 19, rx);
    putSigned16(report, 21, ry);
    return report;
}

class LiveTestSticks : public LiveTestHarness {
protected:
    // Moves the control the way nothing in the tool would, to see whether a tick rewrites it.
    static void displace(Driver& d, kit::WindowHandle screen, const std::string& control) {
        d.OnUi([&] {
            if (kit::WindowImplBase* w = kit::WindowFromHandle(screen)) {
                if (kit::Control* c = w->GetPaintManager().FindControl(control)) {
                    c->SetAttribute("pos", "1,1,0,0");
                }
            }
        });
    }
    bool latched(Driver& d, kit::WindowHandle screen) {
        bool value = false;
        d.OnUi([&] {
            if (auto* w = dynamic_cast<StickTestWindow*>(kit::WindowFromHandle(screen))) {
                value = w->history().latched();
            }
        });
        return value;
    }
};

TEST_F(LiveTestSticks, IndicatorsGoToTheWorkedPositionsInNs) {
    ScriptedDevice& device = connectScripted(HostMode::NS, kSelectionNone);
    const LaunchOutcome outcome = launch(2009, "ORVMainWindow", [&](Driver& d) {
        const kit::WindowHandle screen = d.WaitForWindow(kAll);
        ASSERT_NE(screen, kit::kNoWindow);
        EXPECT_EQ(d.GetText(screen, "TitleLabel"), context->text.text(94));
        EXPECT_EQ(d.GetText(screen, "DirectionsLabel"), context->text.text(95));
        EXPECT_EQ(d.GetText(screen, "StickLeftLabel"), context->text.text(86));
        EXPECT_EQ(d.GetText(screen, "StickRightLabel"), context->text.text(87));
        struct Case {
            std::uint8_t x, y;
            const char* pos;
        };
        for (const Case c :
             {Case{255, 128, "112,56,0,0"}, Case{0, 128, "1,56,0,0"}, Case{255, 0, "95,17,0,0"},
              Case{200, 100, "87,44,0,0"}, Case{128, 128, "56,56,0,0"}}) {
            device.setSteady(nsSticks(c.x, c.y));
            waitAttribute(d, screen, "StickLeftBtn", "pos", c.pos);
            device.setSteady(nsSticks(128, 128, c.x, c.y));
            waitAttribute(d, screen, "StickRightBtn", "pos", c.pos);
        }
        d.Click(screen, "closebtn");
        EXPECT_TRUE(d.WaitForWindowGone(screen));
    });
    EXPECT_EQ(outcome, LaunchOutcome::ScreenClosed);
}

TEST_F(LiveTestSticks, IndicatorsGoToTheWorkedPositionsInPc) {
    ScriptedDevice& device = connectScripted(HostMode::PC, kSelectionNone);
    launch(2009, "ORVMainWindow", [&](Driver& d) {
        const kit::WindowHandle screen = d.WaitForWindow(kAll);
        ASSERT_NE(screen, kit::kNoWindow);
        struct Case {
            std::int16_t x, y;
            const char* pos;
        };
        for (const Case c : {Case{32767, 0, "112,56,0,0"}, Case{0, 32767, "56,1,0,0"},
                             Case{32767, 32767, "95,17,0,0"}, Case{-32768, -32768, "17,95,0,0"},
                             Case{1, 0, "56,56,0,0"}}) {
            device.setSteady(pcSticks(c.x, c.y));
            waitAttribute(d, screen, "StickLeftBtn", "pos", c.pos);
            device.setSteady(pcSticks(0, 0, c.x, c.y));
            waitAttribute(d, screen, "StickRightBtn", "pos", c.pos);
        }
        d.Click(screen, "closebtn");
    });
}

TEST_F(LiveTestSticks, AStillStickIsNotRewrittenAndAnyChangeIs) {
    ScriptedDevice& device = connectScripted(HostMode::PC, kSelectionNone);
    device.setSteady(pcSticks(0, 0));
    launch(2009, "ORVMainWindow", [&](Driver& d) {
        const kit::WindowHandle screen = d.WaitForWindow(kAll);
        ASSERT_NE(screen, kit::kNoWindow);
        // The first values (0, 0) equal the state at opening: nothing is drawn.
        displace(d, screen, "StickLeftBtn");
        ASSERT_TRUE(waitReads(d, 10));
        EXPECT_EQ(d.GetAttribute(screen, "StickLeftBtn", "pos"), "1,1,0,0");

        device.setSteady(pcSticks(32767, 0));
        waitAttribute(d, screen, "StickLeftBtn", "pos", "112,56,0,0");
        displace(d, screen, "StickLeftBtn");
        ASSERT_TRUE(waitReads(d, 10));
        EXPECT_EQ(d.GetAttribute(screen, "StickLeftBtn", "pos"), "1,1,0,0") << "held still";
        // A change of Y alone that lands on the same point still redraws.
        device.setSteady(pcSticks(32767, 1));
        waitAttribute(d, screen, "StickLeftBtn", "pos", "112,56,0,0");
        d.Click(screen, "closebtn");
    });
}

TEST_F(LiveTestSticks, TheSingleStickScreenShowsBothSticksOnOneIndicator) {
    ScriptedDevice& device = connectScripted(HostMode::NS, kSelectionLeftStick);
    device.setSteady(nsSticks(128, 128));
    struct Case {
        std::uint32_t code;
        int title;
    };
    for (const Case c : {Case{2006, 88}, Case{2007, 90}, Case{2008, 92}}) {
        const LaunchOutcome outcome = launch(c.code, "StickSetForm", [&](Driver& d) {
            const kit::WindowHandle screen = d.WaitForWindow(kOther);
            ASSERT_NE(screen, kit::kNoWindow);
            EXPECT_EQ(d.GetText(screen, "TitleLabel"), context->text.text(c.title));
            EXPECT_EQ(d.GetText(screen, "DirectionsLabel"), context->text.text(c.title + 1));
            if (c.code == 2006) {
                // Both sticks centred first, so both have had their first update.
                ASSERT_TRUE(waitReads(d, 3));
                device.setSteady(nsSticks(255, 128));  // only the left stick moves
                waitAttribute(d, screen, "StickDirectionBtn", "pos", "112,56,0,0");
                device.setSteady(nsSticks(0, 128, 128, 255));  // both move: right stays
                waitAttribute(d, screen, "StickDirectionBtn", "pos", "56,112,0,0");
                ASSERT_TRUE(waitReads(d, 5));
                EXPECT_EQ(d.GetAttribute(screen, "StickDirectionBtn", "pos"), "56,112,0,0");
            }
            d.Click(screen, "closebtn");
        });
        EXPECT_EQ(outcome, LaunchOutcome::ScreenClosed);
        EXPECT_EQ(context->profile.stickTestKind, static_cast<std::uint32_t>(c.code - 2005));
    }
}

TEST_F(LiveTestSticks, DirectionTestFollowsTheSelectedSticksModeOnTheController) {
    connectSimulated(HostMode::NS, kSelectionLeftStick);
    struct Case {
        std::uint32_t slot;
        std::uint8_t leftMode, rightMode;
        std::uint8_t kind;
    };
    for (const Case c : {Case{kSelectionLeftStick, 1, 2, vendor::kTestStickAsLeft},
                         Case{kSelectionLeftStick, 2, 2, vendor::kTestStickAsRight},
                         Case{kSelectionRightStick, 1, 1, vendor::kTestStickAsLeft},
                         Case{kSelectionRightStick, 1, 2, vendor::kTestStickAsRight}}) {
        context->profile.selectedSlot = c.slot;
        context->images.workingBlock[block::kLeftStickOffset] = c.leftMode;
        context->images.workingBlock[block::kRightStickOffset] = c.rightMode;
        controller->setInput(PhysicalInput{});
        const LaunchOutcome outcome = launch(2005, "StickSetForm", [&](Driver& d) {
            const kit::WindowHandle screen = d.WaitForWindow(kLeftRight);
            ASSERT_NE(screen, kit::kNoWindow);
            EXPECT_EQ(d.GetText(screen, "TitleLabel"), context->text.text(84));
            // The physical left stick pushed right shows where its mode puts it.
            PhysicalInput input;
            input.leftX = 255;
            controller->setInput(input);
            waitAttribute(d, screen, c.leftMode == 1 ? "StickLeftBtn" : "StickRightBtn", "pos",
                          "112,56,0,0");
            d.Click(screen, "closebtn");
        });
        EXPECT_EQ(outcome, LaunchOutcome::ScreenClosed);
        const auto session = controller->testSession();
        ASSERT_TRUE(session.has_value());
        EXPECT_EQ(session->target, vendor::kTestTargetStick);
        EXPECT_EQ(session->kind, c.kind) << c.slot << " " << int{c.leftMode};
    }
}

TEST_F(LiveTestSticks, AllInputsScreenListsPcButtonsByThePcNames) {
    connectSimulated(HostMode::PC, kSelectionNone);
    launch(2009, "ORVMainWindow", [&](Driver& d) {
        const kit::WindowHandle screen = d.WaitForWindow(kAll);
        ASSERT_NE(screen, kit::kNoWindow);
        const std::pair<ButtonSlot, const char*> presses[] = {
            {ButtonSlot::ZL, "    LT "},
            {ButtonSlot::ZR, "   LT RT "},
            {ButtonSlot::L, "  LT RT LB "},
            {ButtonSlot::R, " LT RT LB RB "},
            {ButtonSlot::Minus, "LT RT LB RB BACK "},
            {ButtonSlot::Plus, "RT LB RB BACK START "},
        };
        for (const auto& [slot, label] : presses) {
            controller->setInput(PhysicalInput::pressing({slot}));
            waitText(d, screen, "ShowSetBtnLabel", label);
            controller->setInput(PhysicalInput{});
            EXPECT_TRUE(d.WaitUntil([&] { return !latched(d, screen); }));
        }
        d.Click(screen, "closebtn");
    });
    const auto session = controller->testSession();
    ASSERT_TRUE(session.has_value());
    EXPECT_EQ(session->target, vendor::kTestTargetAll);
    EXPECT_EQ(session->kind, 0);
    EXPECT_EQ(context->profile.testStreamArmed, 0u) << "only button tests arm";
}

TEST_F(LiveTestSticks, TheScreenStaysResponsiveWhenTheControllerFallsSilent) {
    ScriptedDevice& device = connectScripted(HostMode::NS, kSelectionNone);
    const LaunchOutcome outcome = launch(2009, "ORVMainWindow", [&](Driver& d) {
        const kit::WindowHandle screen = d.WaitForWindow(kAll);
        ASSERT_NE(screen, kit::kNoWindow);
        device.forgetTimeouts();  // the StartTest reply wait before the screen is not a tick
        ASSERT_TRUE(waitReads(d, 10));
        d.Click(screen, "closebtn");
        EXPECT_TRUE(d.WaitForWindowGone(screen));
    });
    EXPECT_EQ(outcome, LaunchOutcome::ScreenClosed);
    EXPECT_LE(device.longestTimeout(), kTestReportReadTimeout);
}

}  // namespace
}  // namespace orv::testing
