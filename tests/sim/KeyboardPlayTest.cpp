// The keyboard map of the simulated controller: every button and both sticks reachable, no key
// bound twice, and held keys making the input a controller would see.

#include <gtest/gtest.h>

#include <set>

#include "sim/KeyboardPlay.h"

namespace orv::sim {
namespace {

TEST(KeyboardPlay, EveryButtonAndEveryStickDirectionHasItsOwnKey) {
    std::set<unsigned> keys;
    std::set<unsigned> slots;
    std::set<std::pair<int, int>> directions;
    for (const KeyboardPlay::Binding& b : KeyboardPlay::bindings()) {
        EXPECT_TRUE(keys.insert(b.key).second) << "key bound twice: " << b.keyName;
        EXPECT_NE(KeyboardPlay::keyMapText().find(b.keyName), std::string::npos)
            << b.keyName << " missing from the key map shown to the user";
        if (b.button) {
            EXPECT_TRUE(slots.insert(static_cast<unsigned>(*b.button)).second);
        } else {
            EXPECT_TRUE(directions
                            .insert({static_cast<int>(b.stick), static_cast<int>(b.direction)})
                            .second);
        }
    }
    EXPECT_EQ(slots.size(), kButtonSlotCount);
    EXPECT_EQ(directions.size(), 8u);
}

TEST(KeyboardPlay, HeldKeysMakeTheInput) {
    struct Case {
        const char* what;
        std::vector<unsigned> held;
        PhysicalInput expected;
    };
    PhysicalInput leftUp;
    leftUp.leftY = 0;
    PhysicalInput rightRightAndA = PhysicalInput::pressing({ButtonSlot::A});
    rightRightAndA.rightX = 255;
    PhysicalInput diagonal;
    diagonal.leftX = 0;
    diagonal.leftY = 255;
    const std::vector<Case> cases = {
        {"nothing", {}, PhysicalInput{}},
        {"buttons", {'A', '1', 0x26, 'M'},
         PhysicalInput::pressing(
             {ButtonSlot::A, ButtonSlot::ZL, ButtonSlot::DpadUp, ButtonSlot::RightStickClick})},
        {"left stick up", {'E'}, leftUp},
        {"right stick right with A", {'L', 'A'}, rightRightAndA},
        {"opposite directions cancel", {'E', 'D'}, PhysicalInput{}},
        {"two directions make a diagonal", {'S', 'D'}, diagonal},
        {"unbound keys change nothing", {'Z', 'Q'}, PhysicalInput{}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        KeyboardPlay play;
        for (unsigned key : c.held) {
            play.key(key, true);
        }
        EXPECT_EQ(play.input(), c.expected);
        for (unsigned key : c.held) {
            play.key(key, false);
        }
        EXPECT_EQ(play.input(), PhysicalInput{});
    }
}

TEST(KeyboardPlay, OnlyBoundKeysAreTaken) {
    KeyboardPlay play;
    EXPECT_TRUE(play.key('A', true));
    EXPECT_TRUE(play.key('A', true));  // a second press of a held key changes nothing
    EXPECT_TRUE(play.key('A', false));
    EXPECT_EQ(play.input(), PhysicalInput{});
    EXPECT_FALSE(play.key('Z', true));
    EXPECT_FALSE(play.key(0x1B, true));  // Escape stays the window's
}

}  // namespace
}  // namespace orv::sim
