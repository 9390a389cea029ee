// Playing the simulated controller from the keyboard while a live test screen is open: the
// screen shows the key map, held keys hold buttons and push sticks, and closing the screen lets
// go of everything. Without installed keys the screens behave as before.

#include <gtest/gtest.h>

#include "LiveTestSupport.h"
#include "sim/KeyboardPlay.h"
#include "ui/livetest/PlayKeys.h"

namespace orv::testing {
namespace {

using kit::testing::Driver;
using sim::PhysicalInput;
constexpr const char* kAll = "TestSickAllForm";
constexpr unsigned kArrowUp = 0x26;

class LiveTestKeyboard : public LiveTestHarness {
protected:
    ~LiveTestKeyboard() override { removePlayKeys(); }

    // What the tool installs with --simulate, bound to this test's controller.
    void installKeys() {
        auto play = std::make_shared<sim::KeyboardPlay>();
        auto target = controller;
        installPlayKeys({[play, target](unsigned key, bool down) {
                             const bool bound = play->key(key, down);
                             if (bound) {
                                 target->setInput(play->input());
                             }
                             return bound;
                         },
                         [play, target] {
                             *play = sim::KeyboardPlay{};
                             target->setInput(play->input());
                         },
                         sim::KeyboardPlay::keyMapText()});
    }
    bool waitInput(Driver& d, const PhysicalInput& expected) {
        return d.WaitUntil([&] { return controller->input() == expected; });
    }
};

TEST_F(LiveTestKeyboard, HeldKeysPlayTheControllerAndClosingLetsGo) {
    connectSimulated(HostMode::NS, kSelectionNone);
    installKeys();
    const LaunchOutcome outcome = launch(2009, "ORVMainWindow", [&](Driver& d) {
        const kit::WindowHandle screen = d.WaitForWindow(kAll);
        ASSERT_NE(screen, kit::kNoWindow);
        EXPECT_TRUE(d.IsVisible(screen, "KeyMapLabel"));
        EXPECT_EQ(d.GetText(screen, "KeyMapLabel"),
                  context->text.text(312) + " " + sim::KeyboardPlay::keyMapText());

        PhysicalInput leftUp;
        leftUp.leftY = 0;
        PhysicalInput rightRight;
        rightRight.rightX = 255;
        struct Case {
            unsigned key;
            PhysicalInput held;
        };
        for (const Case& c : {Case{'A', PhysicalInput::pressing({ButtonSlot::A})},
                              Case{kArrowUp, PhysicalInput::pressing({ButtonSlot::DpadUp})},
                              Case{'1', PhysicalInput::pressing({ButtonSlot::ZL})},
                              Case{'E', leftUp}, Case{'L', rightRight}}) {
            SCOPED_TRACE(c.key);
            d.HoldKey(screen, c.key, true);
            EXPECT_TRUE(waitInput(d, c.held));
            d.HoldKey(screen, c.key, false);
            EXPECT_TRUE(waitInput(d, PhysicalInput{}));
        }
        // A key still held when the screen closes is let go.
        d.HoldKey(screen, 'B', true);
        EXPECT_TRUE(waitInput(d, PhysicalInput::pressing({ButtonSlot::B})));
        d.Click(screen, "closebtn");
        EXPECT_TRUE(d.WaitForWindowGone(screen));
        EXPECT_TRUE(waitInput(d, PhysicalInput{}));
    });
    EXPECT_EQ(outcome, LaunchOutcome::ScreenClosed);
}

TEST_F(LiveTestKeyboard, WithoutPlayKeysTheScreenShowsNoKeyMapAndKeysDoNothing) {
    connectSimulated(HostMode::NS, kSelectionNone);
    launch(2009, "ORVMainWindow", [&](Driver& d) {
        const kit::WindowHandle screen = d.WaitForWindow(kAll);
        ASSERT_NE(screen, kit::kNoWindow);
        EXPECT_FALSE(d.IsVisible(screen, "KeyMapLabel"));
        d.HoldKey(screen, 'A', true);
        d.Pump(std::chrono::milliseconds(50));
        EXPECT_EQ(controller->input(), PhysicalInput{});
        d.HoldKey(screen, 'A', false);
        d.Click(screen, "closebtn");
        EXPECT_TRUE(d.WaitForWindowGone(screen));
    });
}

}  // namespace
}  // namespace orv::testing
