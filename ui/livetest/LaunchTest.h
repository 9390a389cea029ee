#pragma once
// Starting a live test: the edited image goes to the controller, the controller is put into
// test mode for what is being tried, and the matching test screen runs modally until the user
// closes it. Nothing is sent to the controller when the screen closes.
//
// The main window calls it for MainWindowMessage code 11 (lParam = the test code) and for a
// click on "TestPlayBtn" (code 2009):
//     launchTest(code, LiveTestParts::of(context), GetHWND());
// It returns once the screen is closed, or at once when no screen opens (no controller, a
// failed write or StartTest, a refused condition, no parent window, an unknown code). UI
// thread only.

#include <chrono>
#include <cstdint>
#include <optional>

#include "device/ControllerState.h"
#include "profile/ProfileState.h"
#include "text/TextStore.h"
#include "ui/kit/Types.h"

namespace orv {

struct DeviceContext;

// The codes the editors and the main window ask for.
enum class TestCode : std::uint32_t {
    ShortPress = 2001,         // "SDownPosTestBtn" of the button function editor
    LongPress = 2002,          // "LongPressTestBtn"
    Turbo = 2003,              // "TurboPosTestBtn": only with continuous disable off
    ContinuousDisable = 2004,  // "ConDisableTestBtn": only with continuous disable on
    StickDirection = 2005,     // "LeftRightTestBtn" of the stick editor
    StickRotation = 2006,      // "InsOriTestBtn": single-stick test kind 1
    StickDeadZone = 2007,      // "UnrAreaTestBtn": kind 2
    StickSensitivity = 2008,   // "SensitiveTestBtn": kind 3
    AllInputs = 2009,          // "TestPlayBtn" of the main window: both sticks, all buttons
    LongPressSwitch = 2010,    // "LPressTestBtn" of the long-press switch editor
};

enum class LaunchOutcome {
    ScreenClosed,  // the screen ran and the user closed it
    NoController,
    NoProfile,  // no profile 1..6 is being edited: there is no image slot to test in
    UnknownCode,
    NoParent,  // the window the screen belongs over is not open: nothing was sent
    WriteFailed,
    Refused,  // turbo with continuous disable on, or continuous disable test with it off
    StartFailed,
    ScreenFailed,  // the screen's skin could not be loaded, or a quit ended its loop
};

// What a test reads and changes of the process-wide context.
struct LiveTestParts {
    ProfileImages& images;  // hostMode, currentProfile, workingBlock (2010 sets LSwitchFlag)
    DeviceLink& device;
    ProfileState& profile;  // selectedSlot, buttonTestKind, stickTestKind, testStreamArmed
    const TextStore& texts;

    static LiveTestParts of(DeviceContext& context);
};

// Every report read of a test (the drain and each screen tick) waits at most this long, so a
// controller that stops streaming costs a few milliseconds per tick instead of freezing the UI.
inline constexpr std::chrono::milliseconds kTestReportReadTimeout{4};
// drainReports: at most this many reads, with this pause after each.
inline constexpr int kDrainReads = 30;
inline constexpr std::chrono::milliseconds kDrainPause{4};

LaunchOutcome launchTest(std::uint32_t testCode, const LiveTestParts& parts,
                         kit::WindowHandle mainWindow);

// Arms the button test screens (testStreamArmed := 1), then reads and discards up to
// kDrainReads reports, pausing kDrainPause on the link's clock after each; stops at the first
// failed read.
void drainReports(DeviceLink& device, ProfileState& profile);

}  // namespace orv
