#include "ui/editors/FunctionMenuChoice.h"

#include <array>

#include "profile/ProfileModel.h"
#include "text/TextStore.h"

namespace orv::editor {

namespace {

constexpr int kNoneText = 35;
constexpr int kLeftStickClickText = 1;
constexpr int kRightStickClickText = 18;

// Items whose text and value are the same in both modes.
struct FixedItem {
    std::string_view item;
    std::string_view text;
};
constexpr std::array<FixedItem, 9> kFixedItems = {{
    {"A", "A"},
    {"B", "B"},
    {"X", "X"},
    {"Y", "Y"},
    {"Up", "\u25B3"},
    {"Down", "\u25BD"},
    {"Left", "\u25C1"},
    {"Right", "\u25B7"},
    {"Home", "HOME"},
}};

// Items named after the console; in PC mode text and value take the PC names.
struct ModeItem {
    std::string_view item;
    std::string_view nsText;
    std::string_view nsValue;
    std::string_view pcName;
};
constexpr std::array<ModeItem, 6> kModeItems = {{
    {"L", "L", "L", "LB"},
    {"ZL", "ZL", "ZL", "LT"},
    {"R", "R", "R", "RB"},
    {"ZR", "ZR", "ZR", "RT"},
    {"Plus", "+", "Plus", "START"},
    {"Minus", "-", "Minus", "BACK"},
}};

}  // namespace

std::optional<FunctionMenuChoice> functionMenuChoice(std::string_view itemName, HostMode mode,
                                                     const TextStore& texts,
                                                     CaptureWording wording) {
    for (const FixedItem& fixed : kFixedItems) {
        if (fixed.item == itemName) {
            return FunctionMenuChoice{std::string(fixed.text), std::string(fixed.item)};
        }
    }
    for (const ModeItem& named : kModeItems) {
        if (named.item == itemName) {
            if (mode == HostMode::PC) {
                return FunctionMenuChoice{std::string(named.pcName), std::string(named.pcName)};
            }
            return FunctionMenuChoice{std::string(named.nsText), std::string(named.nsValue)};
        }
    }
    if (itemName == "nothing") {
        return FunctionMenuChoice{texts.text(kNoneText), "nothing"};
    }
    if (itemName == "LStickBut") {
        return FunctionMenuChoice{texts.text(kLeftStickClickText), "LStickBut"};
    }
    if (itemName == "RStickBut") {
        return FunctionMenuChoice{texts.text(kRightStickClickText), "RStickBut"};
    }
    if (itemName == "Cap") {
        return FunctionMenuChoice{wording == CaptureWording::Capture ? "Capture" : "Cap", "Cap"};
    }
    return std::nullopt;
}

std::string itemNameOfCode(FunctionCode code, HostMode mode) {
    return orv::itemNameOfCode(code, mode);
}

}  // namespace orv::editor
