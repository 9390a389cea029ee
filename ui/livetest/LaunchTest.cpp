#include "ui/livetest/LaunchTest.h"

#include "context/DeviceContext.h"
#include "device/ControllerDiscovery.h"
#include "device/VendorProtocol.h"
#include "profile/ProfileSlots.h"
#include "ui/dialogs/DialogWindow.h"
#include "ui/kit/WindowSystem.h"
#include "ui/livetest/StickTestWindow.h"
#include "ui/livetest/TestForm.h"

namespace orv {

namespace {

enum class Screen { Buttons, SticksOfEditor, AllInputs };

// The screen of a code, or nullopt for an unknown code.
std::optional<Screen> screenOf(std::uint32_t code) {
    switch (static_cast<TestCode>(code)) {
        case TestCode::ShortPress:
        case TestCode::LongPress:
        case TestCode::Turbo:
        case TestCode::ContinuousDisable:
        case TestCode::LongPressSwitch:
            return Screen::Buttons;
        case TestCode::StickDirection:
        case TestCode::StickRotation:
        case TestCode::StickDeadZone:
        case TestCode::StickSensitivity:
            return Screen::SticksOfEditor;
        case TestCode::AllInputs:
            return Screen::AllInputs;
    }
    return std::nullopt;
}

kit::WindowHandle parentOf(Screen screen, kit::WindowHandle mainWindow) {
    switch (screen) {
        case Screen::Buttons: {
            const kit::WindowHandle editor = kit::FindWindow("FunButtonForm");
            return editor != kit::kNoWindow ? editor : kit::FindWindow("LPressSwitchForm");
        }
        case Screen::SticksOfEditor:
            return kit::FindWindow("StickSetForm");
        case Screen::AllInputs:
            return kit::IsWindow(mainWindow) ? mainWindow : kit::kNoWindow;
    }
    return kit::kNoWindow;
}

struct TestStart {
    std::uint8_t target = 0;
    std::uint8_t kind = 0;
};

}  // namespace

LiveTestParts LiveTestParts::of(DeviceContext& context) {
    return LiveTestParts{context.images, context.device, context.profile, context.text};
}

void drainReports(DeviceLink& device, ProfileState& profile) {
    profile.testStreamArmed = 1;
    hid::Report report{};
    for (int i = 0; i < kDrainReads; ++i) {
        if (!readReport(device, report, kTestReportReadTimeout)) {
            return;
        }
        device.clock->sleepFor(kDrainPause);
    }
}

LaunchOutcome launchTest(std::uint32_t testCode, const LiveTestParts& parts,
                         kit::WindowHandle mainWindow) {
    DeviceLink& device = parts.device;
    ProfileState& profile = parts.profile;
    DeviceSettingsBlock& working = parts.images.workingBlock;
    if (!device.hidDevice) {
        return LaunchOutcome::NoController;
    }
    if (parts.images.currentProfile < 1 || parts.images.currentProfile > kProfilesPerMode) {
        return LaunchOutcome::NoProfile;
    }
    const std::optional<Screen> screen = screenOf(testCode);
    if (!screen) {
        return LaunchOutcome::UnknownCode;
    }
    // A screen that cannot open would leave the controller in test mode with nothing reading
    // it, so the parent is looked for before anything is sent.
    const kit::WindowHandle parent = parentOf(*screen, mainWindow);
    if (parent == kit::kNoWindow) {
        return LaunchOutcome::NoParent;
    }

    const HostMode hostMode = parts.images.hostMode;
    const auto mode = static_cast<std::uint8_t>(hostMode);
    const auto p = static_cast<std::uint8_t>(parts.images.currentProfile - 1);
    const std::uint32_t s = profile.selectedSlot;
    if (!WriteProfile(device, working, mode, p)) {
        return LaunchOutcome::WriteFailed;
    }
    profile.testedOnDevice = 1;

    const auto slot = static_cast<std::uint8_t>(s);
    const bool buttonSlot = isButtonSelection(s);
    const auto conDisable = [&] { return buttonSlot ? working[block::conDisableOffset(s)] : 0; };
    TestStart start;
    switch (static_cast<TestCode>(testCode)) {
        case TestCode::ShortPress:
            profile.buttonTestKind = 1;
            start = {slot, vendor::kTestShortPress};
            break;
        case TestCode::LongPress:
            profile.buttonTestKind = 2;
            start = {slot, vendor::kTestLongPress};
            break;
        case TestCode::Turbo:
            if (conDisable() != 0) {
                return LaunchOutcome::Refused;
            }
            profile.buttonTestKind = 3;
            start = {slot, vendor::kTestTurbo};
            break;
        case TestCode::ContinuousDisable:
            if (conDisable() != 1) {
                return LaunchOutcome::Refused;
            }
            profile.buttonTestKind = 4;
            start = {slot, vendor::kTestContinuousDisable};
            break;
        case TestCode::LongPressSwitch:
            if (buttonSlot) {
                working[block::switchFlagOffset(s)] = 1;
            }
            if (!WriteProfile(device, working, mode, p)) {
                return LaunchOutcome::WriteFailed;
            }
            profile.buttonTestKind = 5;
            start = {slot, vendor::kTestLongPressSwitch};
            break;
        case TestCode::StickDirection: {
            const StickSide side = s == kSelectionLeftStick ? StickSide::Left : StickSide::Right;
            start = {vendor::kTestTargetStick, working.stick(side).mode == 1
                                                   ? vendor::kTestStickAsLeft
                                                   : vendor::kTestStickAsRight};
            break;
        }
        case TestCode::StickRotation:
        case TestCode::StickDeadZone:
        case TestCode::StickSensitivity:
            profile.stickTestKind = testCode - static_cast<std::uint32_t>(TestCode::StickDirection);
            start = {vendor::kTestTargetAll, 0};
            break;
        case TestCode::AllInputs:
            start = {vendor::kTestTargetAll, 0};
            break;
    }
    if (!StartTest(device, mode, p, start.target, start.kind)) {
        return LaunchOutcome::StartFailed;
    }

    int result = -1;
    switch (*screen) {
        case Screen::Buttons:
            drainReports(device, profile);
            result = DialogWindow::Open(
                new TestForm(parts.texts, device, profile, hostMode, profile.buttonTestKind),
                parent, TestForm::kTitle);
            break;
        case Screen::SticksOfEditor:
            if (static_cast<TestCode>(testCode) == TestCode::StickDirection) {
                result = DialogWindow::Open(
                    new StickTestWindow(StickTestWindow::Kind::LeftRight, parts.texts, device,
                                        hostMode),
                    parent, StickTestWindow::titleOf(StickTestWindow::Kind::LeftRight));
            } else {
                result = DialogWindow::Open(
                    new StickTestWindow(StickTestWindow::Kind::Other, parts.texts, device, hostMode,
                                        profile.stickTestKind),
                    parent, StickTestWindow::titleOf(StickTestWindow::Kind::Other));
            }
            break;
        case Screen::AllInputs:
            result = DialogWindow::Open(
                new StickTestWindow(StickTestWindow::Kind::All, parts.texts, device, hostMode),
                parent, StickTestWindow::titleOf(StickTestWindow::Kind::All));
            break;
    }
    return result < 0 ? LaunchOutcome::ScreenFailed : LaunchOutcome::ScreenClosed;
}

}  // namespace orv
