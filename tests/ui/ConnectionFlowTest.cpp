// The main window against the simulated controller: from start-up through the connection
// worker's results and device changes to the ways the tool ends.

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>

#include "ShellHarness.h"
#include "device/ControllerState.h"
#include "profile/ProfileModel.h"
#include "profile/SettingsDatabase.h"
#include "ui/kit/Application.h"
#include "ui/kit/PaintManager.h"
#include "ui/kit/SingleInstanceLock.h"
#include "ui/kit/WindowSystem.h"
#include "ui/main/LanguageChoice.h"
#include "ui/main/ProcessStartup.h"
#include "ui/main/WindowMessages.h"

namespace orv::testing {
namespace {

using namespace std::chrono_literals;
using kit::testing::Driver;

sim::ControllerOptions poweringOnAs(std::uint16_t productId) {
    return sim::ControllerOptions::poweringOnAs(productId);
}

class ConnectionFlowTest : public ShellHarness {
protected:
    // The overview as the user sees it right after connecting, in NS mode.
    void expectOverview(Driver& d, kit::WindowHandle main) {
        EXPECT_TRUE(d.WaitUntil([&] { return overviewCount(d) == 1; }));
        EXPECT_TRUE(d.WaitForWindowGone(title::LoadingForm));
        EXPECT_EQ(d.GetAttribute(main, "NSOption", "normalimage"), "FunSetBtnBK_LightBlue.png");
        EXPECT_EQ(context->device.connected.load(), 1u);
        EXPECT_EQ(context->device.probeResult.load(),
                  static_cast<std::uint32_t>(ProductIdentity::Configuration));
        ASSERT_EQ(context->images.nsProfiles.size(), 6u);
        EXPECT_EQ(d.GetText(main, "ProFileBtnl"), readProfileName(context->images.nsProfiles[0]));
        EXPECT_EQ(d.GetText(main, "ProFileBtn6"), readProfileName(context->images.nsProfiles[5]));
        EXPECT_EQ(d.GetAttribute(main, "J_A_P", "normalimage"), "file='Resources/default_a.png'");
        EXPECT_EQ(d.GetAttribute(main, "J_A_P", "mouse"), "false");
        for (const char* hidden : {"ResetBtn", "SaveBtn", "RestoreLastTimeBtn", "TestPlayBtn"}) {
            EXPECT_FALSE(d.IsVisible(main, hidden)) << hidden;
        }
        bool timerRunning = false;
        d.OnUi([&] { timerRunning = mainWindow()->HasTimer(MainWindow::kHoverTimer); });
        EXPECT_TRUE(timerRunning);
    }
};

TEST_F(ConnectionFlowTest, NoControllerShowsLoadingForFiveSecondsThenPromptAndPluggingInConnects) {
    SteppedClock& stepped = steppedClock;
    clock = &stepped;
    runTool([&](Driver& d, kit::WindowHandle main) {
        const kit::WindowHandle loading = d.WaitForWindow(title::LoadingForm);
        ASSERT_NE(loading, kit::kNoWindow);
        // The cover lies over the main window below its 35-pixel band.
        const kit::Rect mainRect = d.GetWindowRect(main);
        const kit::Rect cover = d.GetWindowRect(loading);
        EXPECT_EQ(cover.left, mainRect.left);
        EXPECT_EQ(cover.top, mainRect.top + 35);
        EXPECT_EQ(cover.Width(), mainRect.Width());
        EXPECT_EQ(cover.Height(), mainRect.Height() - 35);

        stepped.allowUntil(4800ms);
        d.Pump(100ms);
        EXPECT_NE(kit::FindWindow(title::LoadingForm), kit::kNoWindow);
        EXPECT_EQ(kit::FindWindow(title::ConnectionForm), kit::kNoWindow);

        stepped.allowUntil(5000ms);
        const kit::WindowHandle prompt = d.WaitForWindow(title::ConnectionForm);
        ASSERT_NE(prompt, kit::kNoWindow);
        EXPECT_TRUE(d.WaitForWindowGone(loading));
        EXPECT_EQ(stepped.now().time_since_epoch(), std::chrono::nanoseconds(5000ms));
        EXPECT_EQ(d.GetText(prompt, "PromptInfoLabel"), context->text.text(66));
        EXPECT_EQ(d.GetText(prompt, "OKBtn"), context->text.text(67));

        stepped.allowAll();
        auto controller = bus().addController(poweringOnAs(kConfigurationProductId));
        EXPECT_TRUE(d.WaitForWindowGone(prompt));
        expectOverview(d, main);
        EXPECT_EQ(controller->switchRequests(), 0u);
        EXPECT_FALSE(quitRequested(d));
    });
}

TEST_F(ConnectionFlowTest, OrdinaryIdentityGetsOneKnockThenTheOverview) {
    auto controller = bus().addController(poweringOnAs(kOrdinaryProductId));
    // Profile 1 holds exactly the factory settings; profile 2 differs in one button byte.
    {
        DeviceContext scratch;
        ASSERT_TRUE(loadFactoryImage(scratch.profile, scratch.images,
                                     SettingsFiles::beside(ORV_TEST_DATA_DIR), HostMode::NS));
        DeviceSettingsBlock factory = scratch.profile.defaultsBlock;
        writeProfileName(factory, "PROFILE1");
        controller->setImage(HostMode::NS, 0, factory);
        DeviceSettingsBlock changed = factory;
        writeProfileName(changed, "PROFILE2");
        ButtonSetting a = changed.button(static_cast<std::size_t>(ButtonSlot::A));
        a.TurboPos = 6;
        changed.setButton(static_cast<std::size_t>(ButtonSlot::A), a);
        controller->setImage(HostMode::NS, 1, changed);
    }
    runTool([&](Driver& d, kit::WindowHandle main) {
        expectOverview(d, main);
        EXPECT_EQ(d.GetAttribute(main, "ProFileIndex1", "normalimage"), "ProFile1_nor.png");
        EXPECT_EQ(d.GetAttribute(main, "ProFileIndex2", "normalimage"),
                  "ProfileIndex2_LightColor.png");
        // The simulator's own factory content equals the shipped factory settings.
        EXPECT_EQ(d.GetAttribute(main, "ProFileIndex3", "normalimage"), "ProFile3_nor.png");
        EXPECT_EQ(controller->switchRequests(), 1u);
        EXPECT_EQ(kit::FindWindow(title::ConnectionForm), kit::kNoWindow);
    });
}

TEST_F(ConnectionFlowTest, UnpluggingPromptsOnceAndPluggingBackReadsFreshImages) {
    auto controller = bus().addController(poweringOnAs(kConfigurationProductId));
    const std::size_t other = bus().addForeignDevice(0x1234, 0x0001);
    auto promptsOpen = [] {
        int count = 0;
        for (kit::WindowHandle window : kit::LiveWindows()) {
            const kit::WindowImplBase* w = kit::WindowFromHandle(window);
            count += w != nullptr && w->GetTitle() == title::ConnectionForm ? 1 : 0;
        }
        return count;
    };
    runTool([&](Driver& d, kit::WindowHandle main) {
        expectOverview(d, main);
        // Another device leaving changes nothing.
        bus().unplugForeign(other);
        d.Pump(100ms);
        EXPECT_EQ(kit::FindWindow(title::ConnectionForm), kit::kNoWindow);
        EXPECT_EQ(context->device.connected.load(), 1u);

        // The controller returns later with a renamed profile 2.
        DeviceSettingsBlock renamed = controller->permanentImage(HostMode::NS, 1);
        writeProfileName(renamed, "Racing");
        controller->setImage(HostMode::NS, 1, renamed);
        controller->unplug();
        const kit::WindowHandle prompt = d.WaitForWindow(title::ConnectionForm);
        ASSERT_NE(prompt, kit::kNoWindow);
        // Further removals do not ask again.
        controller->unplug();
        kit::PostMessage(main, kit::msg::DeviceChange, kit::dbt::DeviceRemoveComplete);
        d.Pump(100ms);
        int open = 0;
        d.OnUi([&] { open = promptsOpen(); });
        EXPECT_EQ(open, 1);
        EXPECT_EQ(overviewCount(d), 1);

        controller->plug();
        EXPECT_TRUE(d.WaitForWindowGone(prompt));
        EXPECT_TRUE(d.WaitUntil([&] { return overviewCount(d) == 2; }));
        EXPECT_EQ(d.GetText(main, "ProFileBtn2"), "Racing");
        // A name other than the factory name marks the tab.
        EXPECT_EQ(d.GetAttribute(main, "ProFileIndex2", "normalimage"),
                  "ProfileIndex2_LightColor.png");
        for (HostMode mode : {HostMode::NS, HostMode::PC}) {
            EXPECT_EQ(context->images.switchModes(mode).size(), 6u);
            EXPECT_EQ(context->images.savedSwitchModes(mode).size(), 6u);
        }
        EXPECT_FALSE(quitRequested(d));
    });
}

TEST_F(ConnectionFlowTest, RejectedIdentityShowsTheBoxAndEndsTheTool) {
    bus().addController(poweringOnAs(kRejectedProductId));
    runTool([&](Driver& d, kit::WindowHandle main) {
        ASSERT_TRUE(d.WaitForMessageBox(1));
        const kit::MessageBoxRequest box = d.MessageBoxes().front();
        EXPECT_EQ(box.text, context->text.text(82));
        EXPECT_EQ(box.caption, context->text.text(77));
        EXPECT_FALSE(box.text.empty());
        EXPECT_EQ(box.owner, main);
        EXPECT_TRUE(d.WaitUntil([&] { return quitRequested(d); }));
        EXPECT_EQ(kit::FindWindow(title::ConnectionForm), kit::kNoWindow);
        EXPECT_EQ(kit::FindWindow(title::InitFaileForm), kit::kNoWindow);
    });
}

TEST_F(ConnectionFlowTest, FailingReadShowsInitFailurePromptWhoseOkEndsTheToolWithoutKnock) {
    auto controller = bus().addController(poweringOnAs(kConfigurationProductId));
    sim::SimFaults faults;
    faults.muteAfterReplies = 3;  // the read stops part way
    controller->setFaults(faults);
    runTool([&](Driver& d, kit::WindowHandle) {
        const kit::WindowHandle prompt = d.WaitForWindow(title::InitFaileForm);
        ASSERT_NE(prompt, kit::kNoWindow);
        EXPECT_EQ(d.GetText(prompt, "PromptInfoLabel"), context->text.text(76));
        EXPECT_EQ(d.GetText(prompt, "OKBtn"), context->text.text(67));
        EXPECT_FALSE(quitRequested(d));
        EXPECT_TRUE(d.Click(prompt, "OKBtn"));
        EXPECT_TRUE(d.WaitUntil([&] { return quitRequested(d); }));
        EXPECT_TRUE(d.WaitForWindowGone(prompt));
        EXPECT_EQ(controller->switchRequests(), 0u);
    });
    EXPECT_EQ(controller->switchRequests(), 0u);
}

TEST_F(ConnectionFlowTest, ADeniedControllerGetsThePermissionPromptAndPluggingInAgainConnects) {
    bus().denyControllerAccess(true);
    auto controller = bus().addController(poweringOnAs(kConfigurationProductId));
    setup.systemLanguageId = kLangIdJapanese;
    runTool([&](Driver& d, kit::WindowHandle main) {
        const kit::WindowHandle prompt = d.WaitForWindow(title::ConnectionForm);
        ASSERT_NE(prompt, kit::kNoWindow);
        const std::string shown = d.GetText(prompt, "PromptInfoLabel");
        EXPECT_EQ(shown, context->text.text(320));
        EXPECT_EQ(shown.rfind("コントローラーは接続されていますが", 0), 0u) << shown;
        EXPECT_TRUE(context->device.accessDenied);
        // The rule is in place now; plugging the controller in again connects.
        bus().denyControllerAccess(false);
        controller->unplug();
        controller->plug();
        EXPECT_TRUE(d.WaitForWindowGone(prompt));
        expectOverview(d, main);
        EXPECT_FALSE(context->device.accessDenied);
    });
}

TEST_F(ConnectionFlowTest, ConnectionPromptCloseButtonAlsoEndsTheTool) {
    runTool([&](Driver& d, kit::WindowHandle) {
        const kit::WindowHandle prompt = d.WaitForWindow(title::ConnectionForm);
        ASSERT_NE(prompt, kit::kNoWindow);
        EXPECT_TRUE(d.Click(prompt, "closebtn"));
        EXPECT_TRUE(d.WaitUntil([&] { return quitRequested(d); }));
        EXPECT_TRUE(d.WaitForWindowGone(prompt));
    });
}

TEST_F(ConnectionFlowTest, ClosingTheMainWindowSendsTheSwitchRequestOnce) {
    auto controller = bus().addController(poweringOnAs(kConfigurationProductId));
    runTool([&](Driver& d, kit::WindowHandle main) {
        expectOverview(d, main);
        ASSERT_EQ(controller->switchRequests(), 0u);
        kit::PostMessage(main, kit::msg::Close, 0);
        EXPECT_TRUE(d.WaitForWindowGone(main));
        EXPECT_TRUE(d.WaitUntil([&] { return quitRequested(d); }));
        d.Pump(50ms);
        EXPECT_EQ(controller->switchRequests(), 1u);
    });
    EXPECT_EQ(controller->switchRequests(), 1u);
}

TEST_F(ConnectionFlowTest, SecondInstanceShowsTheMessageAndLeavesTheFirstUndisturbed) {
    const std::string lockFolder = ::testing::TempDir() + "orv-lock";
    setenv("ORV_LOCK_DIR", lockFolder.c_str(), 1);
    kit::SingleInstanceLock first(kSingleInstanceName);
    ASSERT_TRUE(first.TryAcquire());
    bus().addController(poweringOnAs(kConfigurationProductId));
    runTool([&](Driver& d, kit::WindowHandle main) {
        expectOverview(d, main);
        struct Case {
            std::uint16_t language;
            SecondInstanceNotice expected;
        };
        const Case cases[] = {
            {1041,
             {"注意", "既にプログラムが起動している為、同じプログラムを開くことができません"}},
            {1033, {"prompt", "This program can not be opened because it is already running."}},
            {2057, {"prompt", "This program can not be opened because it is already running."}},
        };
        for (const Case& c : cases) {
            d.ClearMessageBoxes();
            bool claimed = true;
            d.OnUi([&] {
                kit::SingleInstanceLock second(kSingleInstanceName);
                claimed = claimSingleInstance(second, c.language);
            });
            EXPECT_FALSE(claimed);
            ASSERT_EQ(d.MessageBoxes().size(), 1u);
            EXPECT_EQ(d.MessageBoxes()[0].caption, c.expected.caption);
            EXPECT_EQ(d.MessageBoxes()[0].text, c.expected.text);
            EXPECT_EQ(d.MessageBoxes()[0].owner, kit::kNoWindow);
        }
        EXPECT_TRUE(first.IsHeld());
        EXPECT_EQ(overviewCount(d), 1);
        EXPECT_FALSE(quitRequested(d));
        EXPECT_TRUE(kit::IsWindow(main));
        EXPECT_EQ(d.GetAttribute(main, "NSOption", "normalimage"), "FunSetBtnBK_LightBlue.png");
    });
    first.Release();
    kit::SingleInstanceLock afterwards(kSingleInstanceName);
    EXPECT_TRUE(afterwards.TryAcquire());
    unsetenv("ORV_LOCK_DIR");
}

TEST_F(ConnectionFlowTest, UnreadableTextDatabaseShowsTheStartupMessageAndStartsNothing) {
    struct Case {
        std::uint16_t language;
        const char* text;
        const char* caption;
        bool ownedByMainWindow;
    };
    const Case cases[] = {
        {1033, "Failed to read the data.", "prompt", true},
        {1041, "ファイルの読み込みエラーが発生しました", "注意", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.language);
        context = std::make_unique<DeviceContext>();
        backend.reset();
        auto controller = bus().addController(poweringOnAs(kConfigurationProductId));
        setup.context = context.get();
        setup.dataFolder = ::testing::TempDir() + "no-such-folder/";
        setup.systemLanguageId = c.language;
        runTool([&](Driver& d, kit::WindowHandle main) {
            ASSERT_TRUE(d.WaitForMessageBox(1));
            const kit::MessageBoxRequest box = d.MessageBoxes().front();
            EXPECT_EQ(box.text, c.text);
            EXPECT_EQ(box.caption, c.caption);
            EXPECT_EQ(box.owner, c.ownedByMainWindow ? main : kit::kNoWindow);
            EXPECT_TRUE(quitRequested(d));
            d.Pump(100ms);
            EXPECT_EQ(kit::FindWindow(title::LoadingForm), kit::kNoWindow);
            EXPECT_EQ(controller->framesReceived(vendor::Command::Select), 0u);
        });
        kit::WindowFromHandle(mainHandle)->DestroyWindow();
        kit::Application::ProcessPendingEvents();
        kit::Application::ResetQuit();
    }
}

TEST_F(ConnectionFlowTest, WorkerResultForAGoneMainWindowIsDropped) {
    SteppedClock& stepped = steppedClock;
    clock = &stepped;
    runTool([&](Driver& d, kit::WindowHandle main) {
        ASSERT_NE(d.WaitForWindow(title::LoadingForm), kit::kNoWindow);
        d.OnUi([&] { mainWindow()->DestroyWindow(); });
        EXPECT_TRUE(d.WaitForWindowGone(main));
        // The worker is still searching; let it finish and post to the dead handle.
        stepped.allowAll();
        d.Pump(300ms);
        EXPECT_EQ(kit::FindWindow(title::ConnectionForm), kit::kNoWindow);
        EXPECT_EQ(kit::FindWindow(title::InitFaileForm), kit::kNoWindow);
    });
}

TEST_F(ConnectionFlowTest, SkinWithoutMostControlsIsReportedOnceAndStillConnects) {
    kit::PaintManager::SetResourcePath(fixtureFolder("Sparse"));
    bus().addController(poweringOnAs(kConfigurationProductId));
    runTool([&](Driver& d, kit::WindowHandle) {
        EXPECT_TRUE(d.WaitUntil([&] { return overviewCount(d) == 1; }));
        std::vector<std::string> missing;
        d.OnUi([&] { missing = mainWindow()->missingControls(); });
        // 48 controls are looked up (with the status line, the legend of the cell marks and
        // the marks of the one cell present); the sparse skin has three of them.
        EXPECT_EQ(missing.size(), 45u);
        for (const char* name : {"SaveBtn", "ProFileBtnl", "LStickSetBtn", "J_RSB_P"}) {
            EXPECT_NE(std::find(missing.begin(), missing.end(), name), missing.end()) << name;
        }
        EXPECT_EQ(std::find(missing.begin(), missing.end(), "J_A_P"), missing.end());
    });
}

TEST_F(ConnectionFlowTest, CloseButtonAsksFirstAndOnlyTheConfirmationEndsTheTool) {
    auto controller = bus().addController(poweringOnAs(kConfigurationProductId));
    runTool([&](Driver& d, kit::WindowHandle main) {
        expectOverview(d, main);
        ASSERT_TRUE(d.Click(main, "closebtn"));
        kit::WindowHandle inquiry = d.WaitForWindow(title::ExitInquiryFrom);
        ASSERT_NE(inquiry, kit::kNoWindow);
        EXPECT_EQ(d.GetText(inquiry, "PromptInfoLabel"), context->text.text(110));
        EXPECT_TRUE(d.Click(inquiry, "CancelBtn"));
        EXPECT_TRUE(d.WaitForWindowGone(inquiry));
        EXPECT_TRUE(kit::IsWindow(main));
        EXPECT_FALSE(quitRequested(d));

        ASSERT_TRUE(d.Click(main, "closebtn"));
        inquiry = d.WaitForWindow(title::ExitInquiryFrom);
        ASSERT_NE(inquiry, kit::kNoWindow);
        EXPECT_TRUE(d.Click(inquiry, "OKBtn"));
        EXPECT_TRUE(d.WaitUntil([&] { return quitRequested(d); }));
        // Quitting this way leaves the controller as it is.
        EXPECT_EQ(controller->switchRequests(), 0u);
    });
}

TEST_F(ConnectionFlowTest, ShippedMainSkinHasEveryControlAndReachesTheOverview) {
    kit::PaintManager::SetResourcePath(std::string(ORV_TEST_DATA_DIR) + "/Resources/");
    bus().addController(poweringOnAs(kOrdinaryProductId));
    runTool([&](Driver& d, kit::WindowHandle main) {
        expectOverview(d, main);
        std::vector<std::string> missing;
        d.OnUi([&] { missing = mainWindow()->missingControls(); });
        EXPECT_TRUE(missing.empty()) << missing.front();
        EXPECT_EQ(d.GetText(main, "SaveBtn"), context->text.text(23));
        EXPECT_EQ(d.GetText(main, "LanguageBtn"), "English");
    });
}

}  // namespace
}  // namespace orv::testing
