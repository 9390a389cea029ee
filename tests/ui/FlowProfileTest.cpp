// The profile life cycle in the main window against the simulated controller: choosing a tab,
// editing, saving, resetting, restoring, new profiles, renaming, the hover preview and the
// host-mode switch.

#include <gtest/gtest.h>

#include <chrono>

#include "FlowHarness.h"
#include "device/DeviceSettingsBlock.h"
#include "profile/ProfileModel.h"
#include "ui/kit/WindowSystem.h"

namespace orv::testing {
namespace {

using namespace std::chrono_literals;
using kit::testing::Driver;
constexpr auto kA = static_cast<std::size_t>(ButtonSlot::A);
constexpr auto kHome = static_cast<std::size_t>(ButtonSlot::Home);
constexpr auto kCapture = static_cast<std::size_t>(ButtonSlot::Capture);

class FlowProfileTest : public FlowHarness {
protected:
    // What an editor does to the working image: A's short press becomes B.
    void editButtonA(Driver& d) {
        d.OnUi([&] {
            ButtonSetting a = context->images.workingBlock.button(kA);
            a.SDownPos = 5;
            context->images.workingBlock.setButton(kA, a);
        });
    }
    bool switchMode(Driver& d, kit::WindowHandle main, const char* option, HostMode mode) {
        d.Click(main, option);
        return d.WaitUntil([&] { return context->images.hostMode == mode; });
    }
    bool timerRunning(Driver& d) {
        bool running = false;
        onWindow(d, [&](MainWindow& w) { running = w.HasTimer(MainWindow::kHoverTimer); });
        return running;
    }
};

TEST_F(FlowProfileTest, ChoosingATabAndEditingPaintsTheProfileAndLocksTheSelector) {
    runTool([&](Driver& d, kit::WindowHandle main) {
        ASSERT_TRUE(reachOverview(d));
        d.Click(main, "ProFileIndex3");
        const kit::WindowHandle dialog = d.WaitForWindow(title::ProfileForm);
        ASSERT_NE(dialog, kit::kNoWindow);
        EXPECT_FALSE(timerRunning(d));
        EXPECT_EQ(d.GetAttribute(main, "ProFileIndex3", "normalimage"), "ProFile3_sel.png");
        EXPECT_EQ(d.GetAttribute(main, "NSOption", "normalimage"), "FunSetBtnBK_DeepRed.png");
        EXPECT_EQ(d.GetAttribute(main, "ProFileBtn3", "bordersize"), "1,1,1,1");
        EXPECT_EQ(d.GetAttribute(main, "ProFileBtn2", "bordersize"), "0,0,0,0");
        EXPECT_FALSE(d.IsEnabled(main, "ProFileIndex2"));
        EXPECT_FALSE(d.IsVisible(main, "ProFilePromptLabel"));

        d.Click(dialog, "EditProfileBtn");
        ASSERT_TRUE(d.WaitForWindowGone(dialog));
        ASSERT_TRUE(d.WaitUntil([&] { return d.IsVisible(main, "SaveBtn"); }));
        EXPECT_EQ(controller->selectedProfile(), 2u);
        EXPECT_FALSE(d.IsEnabled(main, "NSOption"));
        EXPECT_FALSE(d.IsEnabled(main, "PCOption"));
        EXPECT_EQ(d.GetAttribute(main, "J_A_P", "normalimage"), "default_a.png");
        EXPECT_EQ(d.GetAttribute(main, "J_A_P", "hotimage"), "profile3_sel_A.png");
        EXPECT_EQ(d.GetAttribute(main, "J_A_P", "mouse"), "true");
        EXPECT_EQ(d.GetAttribute(main, "J_PLUS_P", "normalimage"), "default_plus.png");
        EXPECT_EQ(context->images.workingBlock, context->images.nsProfiles[2]);
        EXPECT_EQ(context->profile.selectedSlot, kSelectionNone);

        // While editing the other tabs are off.
        d.Click(main, "ProFileIndex1");
        d.Pump(50ms);
        EXPECT_EQ(requestsOf(d, title::ProfileForm), 1u);
        EXPECT_EQ(kit::FindWindow(title::ProfileForm), kit::kNoWindow);
    });
}

TEST_F(FlowProfileTest, CancellingTheProfileDialogReturnsToTheOverview) {
    runTool([&](Driver& d, kit::WindowHandle main) {
        ASSERT_TRUE(reachOverview(d));
        d.Click(main, "ProFileIndex2");
        const kit::WindowHandle dialog = d.WaitForWindow(title::ProfileForm);
        ASSERT_NE(dialog, kit::kNoWindow);
        d.Click(dialog, "CancelBtn");
        ASSERT_TRUE(d.WaitForWindowGone(dialog));
        ASSERT_TRUE(d.WaitUntil([&] { return timerRunning(d); }));
        EXPECT_TRUE(d.IsEnabled(main, "ProFileIndex1"));
        EXPECT_TRUE(d.IsVisible(main, "ProFilePromptLabel"));
        EXPECT_EQ(d.GetAttribute(main, "ProFileBtn2", "bordersize"), "0,0,0,0");
        EXPECT_EQ(d.GetText(main, "ProFileBtn2"), readProfileName(context->images.nsProfiles[1]));
        EXPECT_EQ(controller->selectedProfile(), vendor::kNoSelection);
        bool chosen = true;
        onWindow(d, [&](MainWindow& w) { chosen = w.profileChosen() || w.chosenProfile() != 0; });
        EXPECT_FALSE(chosen);
    });
}

TEST_F(FlowProfileTest, SaveReachesTheControllerInBothModesAndLeavingShowsTheSavedProfile) {
    runTool([&](Driver& d, kit::WindowHandle main) {
        ASSERT_TRUE(reachOverview(d));
        for (const auto& [option, mode, profile] :
             {std::tuple{"NSOption", HostMode::NS, 2u}, std::tuple{"PCOption", HostMode::PC, 5u}}) {
            SCOPED_TRACE(option);
            ASSERT_TRUE(switchMode(d, main, option, mode));
            ASSERT_TRUE(editProfile(d, main, profile));
            editButtonA(d);
            ASSERT_TRUE(answer(d, main, "SaveBtn", title::SaveTipsFrom, "OKBtn"));
            const kit::WindowHandle success = d.WaitForWindow(title::SaveSuccessFrom);
            ASSERT_NE(success, kit::kNoWindow);
            const DeviceSettingsBlock saved = controller->permanentImage(mode, profile - 1);
            EXPECT_EQ(saved.button(kA).SDownPos, 5);
            EXPECT_EQ(context->images.profiles(mode)[profile - 1], saved);
            // The success dialog's button leaves the profile.
            d.Click(success, "CancelBtn");
            ASSERT_TRUE(d.WaitForWindowGone(success));
            ASSERT_TRUE(d.WaitUntil([&] { return timerRunning(d); }));
            EXPECT_FALSE(d.IsVisible(main, "SaveBtn"));
            EXPECT_EQ(d.GetText(main, "ProFileBtn" + std::to_string(profile)),
                      readProfileName(saved));
            EXPECT_EQ(context->images.profiles(mode)[profile - 1], saved);
            // A differing profile shows its light colour in the overview.
            EXPECT_EQ(d.GetAttribute(main, "ProFileIndex" + std::to_string(profile), "normalimage"),
                      "ProfileIndex" + std::to_string(profile) + "_LightColor.png");
        }
    });
}

TEST_F(FlowProfileTest, RefusedSaveShowsItsMessageAndKeepsTheStoredImage) {
    runTool([&](Driver& d, kit::WindowHandle main) {
        ASSERT_TRUE(reachOverview(d));
        ASSERT_TRUE(editProfile(d, main, 2));
        const DeviceSettingsBlock stored = context->images.nsProfiles[1];
        const DeviceSettingsBlock permanent = controller->permanentImage(HostMode::NS, 1);
        editButtonA(d);
        sim::SimFaults faults;
        faults.refuseCommit = true;
        controller->setFaults(faults);
        ASSERT_TRUE(answer(d, main, "SaveBtn", title::SaveTipsFrom, "OKBtn"));
        ASSERT_TRUE(d.WaitForMessageBox(1));
        const auto boxes = d.MessageBoxes();
        EXPECT_EQ(boxes[0].text, context->text.text(111));
        EXPECT_EQ(boxes[0].caption, context->text.text(77));
        EXPECT_EQ(boxes[0].owner, main);
        EXPECT_EQ(requestsOf(d, title::SaveSuccessFrom), 0u);
        EXPECT_EQ(kit::FindWindow(title::SaveSuccessFrom), kit::kNoWindow);
        EXPECT_EQ(context->images.nsProfiles[1], stored);
        EXPECT_EQ(controller->permanentImage(HostMode::NS, 1), permanent);
        EXPECT_FALSE(context->images.workingBlock == stored);  // the edit stays on screen
        EXPECT_TRUE(d.IsVisible(main, "SaveBtn"));
    });
}

TEST_F(FlowProfileTest, FactoryResetInPcModeThenRestorePutsTheStoredImageBack) {
    runTool([&](Driver& d, kit::WindowHandle main) {
        ASSERT_TRUE(reachOverview(d));
        ASSERT_TRUE(switchMode(d, main, "PCOption", HostMode::PC));
        // Profile 3 differs from the factory settings, and has its own name.
        DeviceSettingsBlock changed = context->images.pcProfiles[2];
        d.OnUi([&] {
            ButtonSetting a = changed.button(kA);
            a.SDownPos = 4;
            changed.setButton(kA, a);
            writeProfileName(changed, "Racing");
            context->images.pcProfiles[2] = changed;
        });
        ASSERT_TRUE(editProfile(d, main, 3));
        ASSERT_TRUE(answer(d, main, "ResetBtn", title::ResetDataFrom, "OKBtn"));
        ASSERT_TRUE(d.WaitUntil([&] { return d.GetText(main, "ProFileBtn3") == "PROFILE3"; }));
        EXPECT_EQ(d.GetAttribute(main, "J_HOME_P", "normalimage"), "default_empty.png");
        EXPECT_EQ(d.GetAttribute(main, "J_HOME_P", "hotimage"), "profile3_empty_hot.png");
        EXPECT_EQ(d.GetText(main, "J_HOME_P"), context->text.text(35));
        EXPECT_EQ(context->images.workingBlock.button(kHome).SDownPos, 31);
        EXPECT_EQ(context->images.workingBlock.button(kCapture).SDownPos, 31);
        EXPECT_EQ(d.GetAttribute(main, "J_A_P", "normalimage"), "default_a.png");
        bool replaced = false;
        onWindow(d, [&](MainWindow& w) {
            replaced = w.editingFlags().slotReplaced && !w.editingFlags().savedToDevice;
        });
        EXPECT_TRUE(replaced);
        // Nothing went to the controller; the discard confirmation restores the profile.
        EXPECT_EQ(controller->permanentImage(HostMode::PC, 2).button(kA).SDownPos, 6);
        ASSERT_TRUE(answer(d, main, "RestoreLastTimeBtn", title::QuitEditPromptFrom, "OKBtn"));
        ASSERT_TRUE(d.WaitUntil([&] { return !d.IsVisible(main, "SaveBtn"); }));
        EXPECT_EQ(context->images.pcProfiles[2], changed);
        EXPECT_EQ(d.GetText(main, "ProFileBtn3"), "Racing");
        EXPECT_EQ(context->images.hostMode, HostMode::PC);
        // The overview's next hover tick puts the option images back.
        EXPECT_TRUE(d.WaitUntil([&] {
            return d.GetAttribute(main, "PCOption", "normalimage") == "FunSetBtnBK_LightBlue.png";
        }));
    });
}

TEST_F(FlowProfileTest, NewProfileTakesTheEnteredNameAndCancelAsksForTheProfileDialogAgain) {
    runTool([&](Driver& d, kit::WindowHandle main) {
        ASSERT_TRUE(reachOverview(d));
        d.Click(main, "ProFileIndex4");
        kit::WindowHandle dialog = d.WaitForWindow(title::ProfileForm);
        ASSERT_NE(dialog, kit::kNoWindow);
        d.Click(dialog, "NewProfileBtn");
        kit::WindowHandle naming = d.WaitForWindow(title::NewProfileNameForm);
        ASSERT_NE(naming, kit::kNoWindow);
        ASSERT_TRUE(d.WaitForWindowGone(dialog));
        // Cancel goes back to the profile dialog.
        d.Click(naming, "CancelBtn");
        ASSERT_TRUE(d.WaitForWindowGone(naming));
        dialog = d.WaitForWindow(title::ProfileForm);
        ASSERT_NE(dialog, kit::kNoWindow);
        d.Click(dialog, "NewProfileBtn");
        naming = d.WaitForWindow(title::NewProfileNameForm);
        ASSERT_NE(naming, kit::kNoWindow);
        ASSERT_TRUE(d.WaitForWindowGone(dialog));
        d.TypeText(naming, "RenameEdit", "マイ設定");
        d.Click(naming, "OKBtn");
        ASSERT_TRUE(d.WaitForWindowGone(naming));
        // The dialog proposes "PROFILE4"; the typed text follows it.
        ASSERT_TRUE(
            d.WaitUntil([&] { return d.GetText(main, "ProFileBtn4") == "PROFILE4マイ設定"; }));
        EXPECT_TRUE(d.IsVisible(main, "SaveBtn"));
        EXPECT_FALSE(timerRunning(d));
        EXPECT_EQ(readProfileName(context->images.nsProfiles[3]), "PROFILE4マイ設定");
        bool made = false;
        onWindow(d, [&](MainWindow& w) { made = w.editingFlags().newProfileMade; });
        EXPECT_TRUE(made);
        EXPECT_TRUE(d.MessageBoxes().empty());
        // Being edited, the new profile holds the host mode like any other until Save or
        // Revert.
        EXPECT_FALSE(d.IsEnabled(main, "NSOption"));
        EXPECT_FALSE(d.IsEnabled(main, "PCOption"));
    });
}

TEST_F(FlowProfileTest, RenameOpensOnClicksBetween101And299Milliseconds) {
    runTool([&](Driver& d, kit::WindowHandle main) {
        ASSERT_TRUE(reachOverview(d));
        ASSERT_TRUE(editProfile(d, main, 2));
        struct Case {
            int intervalMs;
            bool opens;
        };
        for (const Case c :
             {Case{100, false}, Case{101, true}, Case{299, true}, Case{300, false}}) {
            SCOPED_TRACE(c.intervalMs);
            uiClock.AdvanceMilliseconds(1000);
            d.Click(main, "ProFileBtn2");
            const std::size_t before = requestsOf(d, title::RenameForm);
            uiClock.AdvanceMilliseconds(c.intervalMs);
            d.Click(main, "ProFileBtn2");
            d.Pump(20ms);
            EXPECT_EQ(requestsOf(d, title::RenameForm), before + (c.opens ? 1 : 0));
            if (c.opens) {
                const kit::WindowHandle rename = d.WaitForWindow(title::RenameForm);
                ASSERT_NE(rename, kit::kNoWindow);
                d.Click(rename, "CancelBtn");
                ASSERT_TRUE(d.WaitForWindowGone(rename));
            }
        }
        // The rename dialog's confirmation puts the entered name on the profile.
        uiClock.AdvanceMilliseconds(1000);
        d.Click(main, "ProFileBtn2");
        d.OnUi([] {});  // the click is handled before the clock moves on
        uiClock.AdvanceMilliseconds(150);
        d.Click(main, "ProFileBtn2");
        const kit::WindowHandle rename = d.WaitForWindow(title::RenameForm);
        ASSERT_NE(rename, kit::kNoWindow);
        d.TypeText(rename, "RenameEdit", "Renamed");
        d.Click(rename, "OKBtn");
        ASSERT_TRUE(d.WaitForWindowGone(rename));
        ASSERT_TRUE(d.WaitUntil([&] { return d.GetText(main, "ProFileBtn2") == "Renamed"; }));
        EXPECT_EQ(readProfileName(context->images.workingBlock), "Renamed");
    });
}

TEST_F(FlowProfileTest, HoveringOverNameButtonFourPreviewsProfileFour) {
    runTool([&](Driver& d, kit::WindowHandle main) {
        ASSERT_TRUE(reachOverview(d));
        d.Hover(main, "ProFileBtn4");
        EXPECT_TRUE(d.WaitUntil(
            [&] { return d.GetAttribute(main, "J_A_P", "hotimage") == "profile4_sel_A.png"; }));
        EXPECT_EQ(context->images.currentProfile, 4u);
        EXPECT_EQ(context->images.workingBlock, context->images.nsProfiles[3]);
        // Away from the tabs the controller layout comes back.
        d.MoveMouse(main, kit::Point{2, 200});
        EXPECT_TRUE(d.WaitUntil([&] {
            return d.GetAttribute(main, "J_A_P", "normalimage") == "file='Resources/default_a.png'";
        }));
        EXPECT_TRUE(d.WaitUntil([&] { return context->images.currentProfile == 6; }));
    });
}

TEST_F(FlowProfileTest, RefusedModeSwitchKeepsOptionsAndPanel) {
    runTool([&](Driver& d, kit::WindowHandle main) {
        ASSERT_TRUE(reachOverview(d));
        const std::string pcImage = d.GetAttribute(main, "PCOption", "normalimage");
        const std::string minusImage = d.GetAttribute(main, "J_MINUS_P", "normalimage");
        sim::SimFaults faults;
        faults.refuseSelect = true;
        controller->setFaults(faults);
        d.Click(main, "PCOption");
        d.Pump(100ms);
        EXPECT_EQ(context->images.hostMode, HostMode::NS);
        EXPECT_EQ(d.GetAttribute(main, "NSOption", "normalimage"), "FunSetBtnBK_LightBlue.png");
        EXPECT_EQ(d.GetAttribute(main, "PCOption", "normalimage"), pcImage);
        EXPECT_EQ(d.GetAttribute(main, "J_MINUS_P", "normalimage"), minusImage);

        controller->setFaults(sim::SimFaults{});
        ASSERT_TRUE(switchMode(d, main, "PCOption", HostMode::PC));
        EXPECT_EQ(d.GetAttribute(main, "PCOption", "normalimage"), "FunSetBtnBK_LightBlue.png");
        EXPECT_EQ(d.GetAttribute(main, "NSOption", "normalimage"), "FunSetBtnBK_LightGray.png");
        EXPECT_EQ(d.GetAttribute(main, "J_MINUS_P", "normalimage"),
                  "file='Resources/default_BACK.png'");
        for (std::size_t n = 1; n <= 6; ++n) {
            const std::string button = n == 1 ? "ProFileBtnl" : "ProFileBtn" + std::to_string(n);
            EXPECT_EQ(d.GetText(main, button), readProfileName(context->images.pcProfiles[n - 1]));
        }
    });
}

TEST_F(FlowProfileTest, AReconnectionWhileEditingEndsTheEditingAndKeepsTheControllersImages) {
    runTool([&](Driver& d, kit::WindowHandle main) {
        ASSERT_TRUE(reachOverview(d));
        const DeviceSettingsBlock before = controller->permanentImage(HostMode::NS, 1);
        ASSERT_TRUE(editProfile(d, main, 2));
        editButtonA(d);
        // The controller goes away while the button editor is open over the session.
        d.Click(main, "J_A_P");
        const kit::WindowHandle editor = d.WaitForWindow(title::FunButtonForm);
        ASSERT_NE(editor, kit::kNoWindow);
        controller->unplug();
        const kit::WindowHandle prompt = d.WaitForWindow(title::ConnectionForm);
        ASSERT_NE(prompt, kit::kNoWindow);
        controller->plug();
        ASSERT_TRUE(d.WaitUntil([&] { return overviewCount(d) == 2; }));
        ASSERT_TRUE(d.WaitForWindowGone(prompt));
        // The editor goes with the session it was editing.
        ASSERT_TRUE(d.WaitForWindowGone(editor));
        d.Pump(std::chrono::milliseconds(50));
        std::size_t windows = 0;
        d.OnUi([&] { windows = kit::LiveWindows().size(); });
        EXPECT_EQ(windows, 1u);

        // Back in the overview for real: nothing left of the session to save.
        EXPECT_FALSE(d.IsVisible(main, "SaveBtn"));
        EXPECT_TRUE(d.IsEnabled(main, "ProFileIndex1"));
        EXPECT_TRUE(timerRunning(d));
        std::uint32_t chosen = 1;
        onWindow(d, [&](MainWindow& w) { chosen = w.chosenProfile(); });
        EXPECT_EQ(chosen, 0u);
        EXPECT_EQ(controller->permanentImage(HostMode::NS, 1), before);
        EXPECT_EQ(context->images.nsProfiles[1], before);

        // Editing again starts from what the controller holds.
        ASSERT_TRUE(editProfile(d, main, 2));
        EXPECT_EQ(context->images.workingBlock, before);
    });
}

}  // namespace
}  // namespace orv::testing
