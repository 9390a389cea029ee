// Settings by name: every value the editors offer, their bounds, and the names of each mode.

#include <gtest/gtest.h>

#include "profile/ProfileModel.h"
#include "profile/SettingAssignment.h"
#include "sim/FactoryImages.h"

namespace orv {
namespace {

constexpr auto kA = static_cast<std::size_t>(ButtonSlot::A);

TEST(SettingAssignment, StickValuesLandInTheirBytes) {
    struct Case {
        const char* setting;
        std::uint8_t StickSetting::*field;
        std::uint8_t value;
    };
    const Case cases[] = {
        {"LStick.mode=none", &StickSetting::mode, 0},
        {"LStick.mode=right", &StickSetting::mode, 2},
        {"LStick.mode=modeL", &StickSetting::mode, 1},
        {"LStick.rotation=left90", &StickSetting::rotate, 1},
        {"LStick.rotation=right90", &StickSetting::rotate, 2},
        {"LStick.rotation=180", &StickSetting::rotate, 3},
        {"LStick.rotation=RotateNothing", &StickSetting::rotate, 0},
        {"LStick.sensitivity=25%", &StickSetting::sen, 25},
        {"LStick.sensitivity=200%", &StickSetting::sen, 200},
        {"LStick.sensitivity=sen125", &StickSetting::sen, 125},
        {"LStick.deadzone=none", &StickSetting::deadzone, 0},
        {"LStick.deadzone=0%", &StickSetting::deadzone, 0},
        {"LStick.deadzone=50%", &StickSetting::deadzone, 50},
    };
    for (const Case& c : cases) {
        DeviceSettingsBlock block = sim::factoryImage(HostMode::NS, 0);
        block.setStick(StickSide::Left, StickSetting{9, 9, 9, 9, {1, 2, 3, 4}});
        ASSERT_TRUE(applySetting(block, HostMode::NS, c.setting)) << c.setting;
        const StickSetting stick = block.stick(StickSide::Left);
        EXPECT_EQ(stick.*c.field, c.value) << c.setting;
        EXPECT_EQ(stick.reserved, (std::array<std::uint8_t, 4>{1, 2, 3, 4})) << "carried";
    }
    DeviceSettingsBlock block{};
    for (const char* refused :
         {"LStick.mode=sen25", "LStick.sensitivity=modeL", "LStick.sensitivity=0%",
          "LStick.deadzone=-5%", "MStick.mode=none", "LStick.rotation=90"}) {
        EXPECT_FALSE(applySetting(block, HostMode::NS, refused)) << refused;
    }
}

TEST(SettingAssignment, TimesAreSecondsWithinTheEditorsBounds) {
    struct Case {
        const char* setting;
        bool accepted;
        std::uint8_t ButtonSetting::*field;
        std::uint8_t value;
    };
    const Case cases[] = {
        {"A.long=B@0.5", true, &ButtonSetting::LDownTime, 5},
        {"A.long=B@2", true, &ButtonSetting::LDownTime, 20},
        {"A.long=B@2.0", true, &ButtonSetting::LDownTime, 20},
        {"A.long=B@2.1", false, nullptr, 0},
        {"A.long=B@", false, nullptr, 0},
        {"A.long=B@.5", true, &ButtonSetting::LDownTime, 5},
        {"A.long=B@1.", false, nullptr, 0},
        {"A.long=B@99999", false, nullptr, 0},
        {"A.turbo=X@0.1", true, &ButtonSetting::TurboTime, 1},
        {"A.turbo=X@0.5", true, &ButtonSetting::TurboTime, 5},
        {"A.turbo=off@0.2", false, nullptr, 0},
        {"A.condisable=on@0.1", true, &ButtonSetting::ConDisableTime, 1},
        {"A.condisable=on@3", true, &ButtonSetting::ConDisableTime, 30},
        {"A.condisable=on@0", false, nullptr, 0},
        {"A.switch=Up@3.0", true, &ButtonSetting::LSwitchTime, 30},
        {"A.switch=Up@3.1", false, nullptr, 0},
    };
    for (const Case& c : cases) {
        DeviceSettingsBlock block = sim::factoryImage(HostMode::NS, 0);
        const DeviceSettingsBlock before = block;
        const Status status = applySetting(block, HostMode::NS, c.setting);
        EXPECT_EQ(static_cast<bool>(status), c.accepted) << c.setting << ": " << status.error;
        if (c.accepted) {
            EXPECT_EQ(block.button(kA).*c.field, c.value) << c.setting;
        } else {
            EXPECT_EQ(block, before) << c.setting << " changed the image";
        }
    }
}

TEST(SettingAssignment, ButtonNamesFollowTheHostMode) {
    EXPECT_EQ(buttonSlotFromName("LB", HostMode::PC), static_cast<std::size_t>(ButtonSlot::L));
    EXPECT_EQ(buttonSlotFromName("L", HostMode::PC), static_cast<std::size_t>(ButtonSlot::L));
    EXPECT_FALSE(buttonSlotFromName("LB", HostMode::NS));
    EXPECT_FALSE(buttonSlotFromName("a", HostMode::NS)) << "case-sensitive";
    EXPECT_EQ(buttonNameOfSlot(static_cast<std::size_t>(ButtonSlot::Plus), HostMode::PC), "START");
    EXPECT_EQ(buttonNameOfSlot(static_cast<std::size_t>(ButtonSlot::Plus), HostMode::NS), "Plus");
    EXPECT_EQ(buttonListingOrder().size(), kButtonSlotCount);
    // Every listed name reads back to its own slot, in both modes.
    for (const HostMode mode : {HostMode::NS, HostMode::PC}) {
        for (const std::size_t slot : buttonListingOrder()) {
            EXPECT_EQ(buttonSlotFromName(buttonNameOfSlot(slot, mode), mode), slot);
        }
    }
    // Item names of codes as shown by the tool are accepted back as values.
    for (FunctionCode code = 0; code < 18; ++code) {
        DeviceSettingsBlock block{};
        const std::string setting = "A.short=" + itemNameOfCode(code, HostMode::PC);
        ASSERT_TRUE(applySetting(block, HostMode::PC, setting)) << setting;
        EXPECT_EQ(block.button(kA).SDownPos, code) << setting;
    }
}

TEST(SettingAssignment, TurboFunctionIsLockedWhileContinuousDisableIsOn) {
    DeviceSettingsBlock block = sim::factoryImage(HostMode::NS, 0);
    ASSERT_TRUE(applySetting(block, HostMode::NS, "A.condisable=on"));
    const std::string current =
        "A.turbo=" + itemNameOfCode(block.button(kA).TurboPos, HostMode::NS) + "@0.3";
    EXPECT_TRUE(applySetting(block, HostMode::NS, current)) << "its setting still steps";
    EXPECT_FALSE(applySetting(block, HostMode::NS, "A.turbo=Y@0.3"));
    EXPECT_TRUE(applySettings(block, HostMode::NS, {"A.condisable=off", "A.turbo=Y@0.3"}));
    EXPECT_EQ(block.button(kA).TurboPos, 4);
}

TEST(SettingAssignment, ManyAtOnceAreAllOrNothing) {
    DeviceSettingsBlock block = sim::factoryImage(HostMode::NS, 0);
    const DeviceSettingsBlock before = block;
    EXPECT_FALSE(applySettings(block, HostMode::NS, {"A.short=B", "B.short=A", "X.long=Y@9"}));
    EXPECT_EQ(block, before);
    EXPECT_TRUE(applySettings(block, HostMode::NS, {"A.short=B", "B.short=none"}));
    EXPECT_EQ(block.button(kA).SDownPos, 5);
    EXPECT_EQ(block.button(static_cast<std::size_t>(ButtonSlot::B)).SDownPos, kFunctionNone);
}

}  // namespace
}  // namespace orv
