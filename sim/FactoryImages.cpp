#include "sim/FactoryImages.h"

#include <array>
#include <string>

namespace orv::sim {

namespace {

// FunctionCodes: 0 up, 1 down, 2 left, 3 right, 4 Y, 5 B, 6 A, 7 X, 8 L, 9 R, 10 ZL, 11 ZR,
// 12 Minus, 13 Plus, 14 left stick click, 15 right stick click, 16 Home, 17 Capture.
constexpr std::array<FunctionCode, kButtonSlotCount> kOwnFunction = {
    14, 17, 12, 10, 8, 2, 0, 1, 3, 4, 7, 5, 6, 9, 11, 13, 16, 15};

// The same factory settings the tool ships in its factory database: each button produces its
// own function and nothing else is assigned, so a fresh controller shows no customised profile.
constexpr std::uint8_t kLongPressTime = 5;          // 0.5 s
constexpr std::uint8_t kTurboTime = 1;              // setting 1
constexpr std::uint8_t kContinuousDisableTime = 1;  // 0.1 s
constexpr std::uint8_t kSwitchTime = 20;            // 2.0 s
constexpr std::uint8_t kSensitivity = 100;          // percent

}  // namespace

FunctionCode ownFunction(ButtonSlot slot, HostMode mode) {
    if (mode == HostMode::PC && (slot == ButtonSlot::Capture || slot == ButtonSlot::Home)) {
        return kFunctionNone;
    }
    return kOwnFunction[static_cast<std::size_t>(slot)];
}

DeviceSettingsBlock factoryImage(HostMode mode, std::size_t profileIndex) {
    DeviceSettingsBlock image{};
    for (std::size_t slot = 0; slot < kButtonSlotCount; ++slot) {
        const FunctionCode own = ownFunction(static_cast<ButtonSlot>(slot), mode);
        ButtonSetting record;
        record.SDownPos = own;
        record.LDownPos = kFunctionNone;
        record.LDownTime = kLongPressTime;
        record.TurboPos = kFunctionNone;
        record.TurboTime = kTurboTime;
        record.ConDisable = 0;
        record.ConDisableTime = kContinuousDisableTime;
        record.LSwitchPos1 = kFunctionNone;
        record.LSwitchPos2 = kFunctionNone;
        record.LSwitchPos3 = kFunctionNone;
        record.LSwitchPos4 = kFunctionNone;
        record.LSwitchPos5 = kFunctionNone;
        record.LSwitchTime = kSwitchTime;
        record.LSwitchFlag = 0;
        image.setButton(slot, record);
    }
    StickSetting left;
    left.mode = 1;
    left.sen = kSensitivity;
    StickSetting right;
    right.mode = 2;
    right.sen = kSensitivity;
    image.setStick(StickSide::Left, left);
    image.setStick(StickSide::Right, right);

    const std::string name = "PROFILE" + std::to_string(profileIndex + 1);
    auto part = image.namePartOne();
    for (std::size_t i = 0; i < name.size() && i + 1 < part.size(); ++i) {
        part[i] = static_cast<std::uint8_t>(name[i]);
    }
    return image;
}

}  // namespace orv::sim
