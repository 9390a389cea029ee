#pragma once
// Wire layout of the settings records inside a profile image. Every setting is one byte; the
// field names are the column names of the settings databases.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <type_traits>

namespace orv {

// Index 0..17 of a physical button: the order of the button records inside the image and of
// every per-button list of the program.
enum class ButtonSlot : std::uint8_t {
    LeftStickClick = 0,
    Capture = 1,
    Minus = 2,
    ZL = 3,
    L = 4,
    DpadLeft = 5,
    DpadUp = 6,
    DpadDown = 7,
    DpadRight = 8,
    Y = 9,
    X = 10,
    B = 11,
    A = 12,
    R = 13,
    ZR = 14,
    Plus = 15,
    Home = 16,
    RightStickClick = 17,
};
inline constexpr std::size_t kButtonSlotCount = 18;

// Selection index of the editors: 0..17 a button slot, then the sticks, 31 nothing.
inline constexpr std::uint32_t kSelectionLeftStick = 18;
inline constexpr std::uint32_t kSelectionRightStick = 19;
inline constexpr std::uint32_t kSelectionNone = 31;
constexpr bool isButtonSelection(std::uint32_t selection) {
    return selection < kButtonSlotCount;
}

// Slot identifiers: the key column `BtnName` of table tBUTSET and the cell control names.
inline constexpr std::array<std::string_view, kButtonSlotCount> kSlotIdentifiers = {
    "J_LSB_P", "J_CAP_P",  "J_MINUS_P", "J_ZL_P",   "J_L_P",    "J_LEFT_P",
    "J_UP_P",  "J_DOWN_P", "J_RIGHT_P", "J_Y_P",    "J_X_P",    "J_B_P",
    "J_A_P",   "J_R_P",    "J_ZR_P",    "J_PLUS_P", "J_HOME_P", "J_RSB_P"};

// FunctionCode: the controller function a button produces. 0..17 are functions, 31 none;
// every other byte value is carried as it is and shown like 31.
using FunctionCode = std::uint8_t;
inline constexpr FunctionCode kFunctionNone = 31;

// One button's settings, 16 bytes. Bytes 14..15 are the controller's own and are carried.
struct ButtonSetting {
    std::uint8_t SDownPos = 0;        // short press: FunctionCode
    std::uint8_t LDownPos = 0;        // long press: FunctionCode
    std::uint8_t LDownTime = 0;       // long-press time, tenths of a second (editors: 5..20)
    std::uint8_t TurboPos = 0;        // turbo: FunctionCode
    std::uint8_t TurboTime = 0;       // turbo setting (editors: 1..5)
    std::uint8_t ConDisable = 0;      // continuous-disable: 0 off, 1 on
    std::uint8_t ConDisableTime = 0;  // tenths of a second (editors: 1..30)
    std::uint8_t LSwitchPos1 = 0;     // long-press switch positions: FunctionCode, 31 empty
    std::uint8_t LSwitchPos2 = 0;
    std::uint8_t LSwitchPos3 = 0;
    std::uint8_t LSwitchPos4 = 0;
    std::uint8_t LSwitchPos5 = 0;
    std::uint8_t LSwitchTime = 0;  // tenths of a second (editors: 5..30)
    std::uint8_t LSwitchFlag = 0;  // 1: works as a long-press switch (bytes 7..12 apply)
    std::array<std::uint8_t, 2> reserved{};

    bool operator==(const ButtonSetting&) const = default;
};
static_assert(sizeof(ButtonSetting) == 16);
static_assert(std::is_trivially_copyable_v<ButtonSetting>);
static_assert(offsetof(ButtonSetting, ConDisable) == 5);
static_assert(offsetof(ButtonSetting, LSwitchPos1) == 7);
static_assert(offsetof(ButtonSetting, LSwitchFlag) == 13);
static_assert(offsetof(ButtonSetting, reserved) == 14);

// Byte index of each database value column inside a ButtonSetting, in column order.
inline constexpr std::size_t kButtonValueColumnCount = 14;
inline constexpr std::array<std::string_view, kButtonValueColumnCount> kButtonColumnNames = {
    "SDownPos",    "LDownPos",       "LDownTime",   "TurboPos",    "TurboTime",
    "ConDisable",  "ConDisableTime", "LSwitchPos1", "LSwitchPos2", "LSwitchPos3",
    "LSwitchPos4", "LSwitchPos5",    "LSwitchTime", "LSwitchFlag"};

// One stick's settings, 8 bytes. Bytes 4..7 are the controller's own and are carried.
struct StickSetting {
    std::uint8_t mode = 0;      // 0 none, 1 left-stick mode, 2 right-stick mode
    std::uint8_t rotate = 0;    // 0 none, 1 left 90, 2 right 90, 3 180
    std::uint8_t sen = 0;       // sensitivity, percent: 25..200 in steps of 25
    std::uint8_t deadzone = 0;  // dead zone, percent: 0, 5, 10, 25, 50
    std::array<std::uint8_t, 4> reserved{};

    bool operator==(const StickSetting&) const = default;
};
static_assert(sizeof(StickSetting) == 8);
static_assert(std::is_trivially_copyable_v<StickSetting>);

inline constexpr std::size_t kStickValueColumnCount = 4;
inline constexpr std::array<std::string_view, kStickValueColumnCount> kStickColumnNames = {
    "mode", "rotate", "sen", "deadzone"};

enum class StickSide : std::uint8_t { Left = 0, Right = 1 };

// Host mode of the controller: the profile lists, the button naming and the report format.
enum class HostMode : std::uint8_t { NS = 0, PC = 1 };

}  // namespace orv
