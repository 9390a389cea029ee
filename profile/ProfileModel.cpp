#include "profile/ProfileModel.h"

#include <array>

#include "text/TextStore.h"

namespace orv {

namespace {

// Text numbers of the labels that come from the text store.
constexpr int kTextLeftStickClick = 1;
constexpr int kTextRightStickClick = 18;
constexpr int kTextModeLeft = 19;
constexpr int kTextModeRight = 20;
constexpr int kTextNone = 35;
constexpr int kTextRotateNone = 36;
constexpr int kTextRotateRight90 = 37;
constexpr int kTextRotateLeft90 = 38;
constexpr int kTextRotate180 = 39;

struct ItemCode {
    std::string_view itemName;
    FunctionCode code;
};
// NS and PC names of the same function both map to its code.
constexpr std::array<ItemCode, 25> kItemCodes = {{
    {"Up", 0},         {"Down", 1},       {"Left", 2},  {"Right", 3}, {"Y", 4},
    {"B", 5},          {"A", 6},          {"X", 7},     {"L", 8},     {"LB", 8},
    {"R", 9},          {"RB", 9},         {"ZL", 10},   {"LT", 10},   {"ZR", 11},
    {"RT", 11},        {"Minus", 12},     {"BACK", 12}, {"Plus", 13}, {"START", 13},
    {"LStickBut", 14}, {"RStickBut", 15}, {"Home", 16}, {"Cap", 17},  {"nothing", 31},
}};

// Item name of codes 0..17 as the menus hand it on in NS mode; PC mode names 8..13 its own way.
constexpr std::array<std::string_view, 18> kNsItemOfCode = {
    "Up", "Down", "Left", "Right", "Y",    "B",         "A",         "X",    "L",
    "R",  "ZL",   "ZR",   "Minus", "Plus", "LStickBut", "RStickBut", "Home", "Cap"};
constexpr std::array<std::string_view, 6> kPcItemOfCode = {"LB", "RB", "LT", "RT", "BACK", "START"};

// Fixed labels of codes 0..17 per host mode; an empty entry comes from the text store.
struct FixedLabel {
    std::string_view ns;
    std::string_view pc;
};
constexpr std::array<FixedLabel, 18> kFixedLabels = {{
    {"\u25B3", "\u25B3"},  // 0 up
    {"\u25BD", "\u25BD"},  // 1 down
    {"\u25C1", "\u25C1"},  // 2 left
    {"\u25B7", "\u25B7"},  // 3 right
    {"Y", "Y"},
    {"B", "B"},
    {"A", "A"},
    {"X", "X"},
    {"L", "LB"},
    {"R", "RB"},
    {"ZL", "LT"},
    {"ZR", "RT"},
    {"-", "BACK"},
    {"+", "START"},
    {"", ""},  // 14: text 1
    {"", ""},  // 15: text 18
    {"HOME", "HOME"},
    {"Capture", ""},  // 17: PC mode has no Capture function, text 35
}};

struct StickItem {
    std::string_view itemName;
    StickChoice choice;
};
constexpr std::array<StickItem, 20> kStickItems = {{
    {"ModeNothing", {StickField::Mode, 0}},     {"modeL", {StickField::Mode, 1}},
    {"modeR", {StickField::Mode, 2}},           {"RotateNothing", {StickField::Rotate, 0}},
    {"Lrotate90", {StickField::Rotate, 1}},     {"Rrotate90", {StickField::Rotate, 2}},
    {"rotate180", {StickField::Rotate, 3}},     {"sen25", {StickField::Sensitivity, 25}},
    {"sen50", {StickField::Sensitivity, 50}},   {"sen75", {StickField::Sensitivity, 75}},
    {"sen100", {StickField::Sensitivity, 100}}, {"sen125", {StickField::Sensitivity, 125}},
    {"sen150", {StickField::Sensitivity, 150}}, {"sen175", {StickField::Sensitivity, 175}},
    {"sen200", {StickField::Sensitivity, 200}}, {"DeadzoneNothing", {StickField::Deadzone, 0}},
    {"deadzone5", {StickField::Deadzone, 5}},   {"deadzone10", {StickField::Deadzone, 10}},
    {"deadzone25", {StickField::Deadzone, 25}}, {"deadzone50", {StickField::Deadzone, 50}},
}};

std::string percent(std::uint8_t value) {
    return std::to_string(value) + "%";
}

}  // namespace

// --- Function codes -------------------------------------------------------------------------

FunctionCode functionCodeFromItemName(std::string_view itemName) {
    for (const ItemCode& entry : kItemCodes) {
        if (entry.itemName == itemName) {
            return entry.code;
        }
    }
    return kFunctionNone;
}

std::string itemNameOfCode(FunctionCode code, HostMode mode) {
    if (code == kFunctionNone) {
        return "nothing";
    }
    if (code >= kNsItemOfCode.size()) {
        return {};
    }
    if (mode == HostMode::PC && code >= 8 && code <= 13) {
        return std::string(kPcItemOfCode[code - 8]);
    }
    return std::string(kNsItemOfCode[code]);
}

std::string functionLabel(FunctionCode code, HostMode mode, const TextStore& texts) {
    if (code == 14) {
        return texts.text(kTextLeftStickClick);
    }
    if (code == 15) {
        return texts.text(kTextRightStickClick);
    }
    if (code < kFixedLabels.size()) {
        const FixedLabel& label = kFixedLabels[code];
        const std::string_view fixed = mode == HostMode::PC ? label.pc : label.ns;
        if (!fixed.empty()) {
            return std::string(fixed);
        }
    }
    return texts.text(kTextNone);
}

std::string stickModeLabel(std::uint8_t mode, const TextStore& texts) {
    switch (mode) {
        case 0:
            return texts.text(kTextNone);
        case 1:
            return texts.text(kTextModeLeft);
        case 2:
            return texts.text(kTextModeRight);
        default:
            return {};
    }
}

std::string rotationLabel(std::uint8_t rotate, const TextStore& texts) {
    switch (rotate) {
        case 0:
            return texts.text(kTextRotateNone);
        case 1:
            return texts.text(kTextRotateLeft90);
        case 2:
            return texts.text(kTextRotateRight90);
        case 3:
            return texts.text(kTextRotate180);
        default:
            return {};
    }
}

std::string sensitivityLabel(std::uint8_t sen) {
    return percent(sen);
}

std::string deadzoneLabel(std::uint8_t deadzone, const TextStore& texts) {
    return deadzone == 0 ? texts.text(kTextNone) : percent(deadzone);
}

std::optional<StickChoice> stickChoiceFromItemName(std::string_view itemName) {
    for (const StickItem& item : kStickItems) {
        if (item.itemName == itemName) {
            return item.choice;
        }
    }
    return std::nullopt;
}

void applyStickChoice(StickSetting& stick, StickChoice choice) {
    switch (choice.field) {
        case StickField::Mode:
            stick.mode = choice.value;
            break;
        case StickField::Rotate:
            stick.rotate = choice.value;
            break;
        case StickField::Sensitivity:
            stick.sen = choice.value;
            break;
        case StickField::Deadzone:
            stick.deadzone = choice.value;
            break;
    }
}

// --- Records --------------------------------------------------------------------------------

FunctionCode displayedCode(const ButtonSetting& record) {
    if (record.LSwitchFlag != 1) {
        return record.SDownPos;
    }
    for (const std::uint8_t position : {record.LSwitchPos1, record.LSwitchPos2, record.LSwitchPos3,
                                        record.LSwitchPos4, record.LSwitchPos5}) {
        if (position != kFunctionNone) {
            return position;
        }
    }
    return kFunctionNone;
}

ButtonSetting pcFixedCaptureHomeRecord() {
    ButtonSetting record;
    record.SDownPos = kFunctionNone;
    record.LDownPos = kFunctionNone;
    record.LDownTime = 5;
    record.TurboPos = kFunctionNone;
    record.TurboTime = 1;
    record.ConDisable = 0;
    record.ConDisableTime = 1;
    record.LSwitchPos1 = kFunctionNone;
    record.LSwitchPos2 = kFunctionNone;
    record.LSwitchPos3 = kFunctionNone;
    record.LSwitchPos4 = kFunctionNone;
    record.LSwitchPos5 = kFunctionNone;
    record.LSwitchTime = 20;
    record.LSwitchFlag = 0;
    record.reserved = {31, 31};
    return record;
}

void applyPcCaptureHomeRule(DeviceSettingsBlock& block) {
    block[block::kCaptureShortPressOffset] = kFunctionNone;
    block[block::kHomeShortPressOffset] = kFunctionNone;
}

void loadEditedRecord(ProfileState& state, const ProfileImages& images) {
    state.editRecord = ButtonSetting{};
    if (isButtonSelection(state.selectedSlot)) {
        state.editRecord = images.workingBlock.button(state.selectedSlot);
    }
}

void commitEditedRecord(const ProfileState& state, ProfileImages& images) {
    if (isButtonSelection(state.selectedSlot)) {
        images.workingBlock.setButton(state.selectedSlot, state.editRecord);
    }
}

void commitEditedStick(const ProfileState& state, ProfileImages& images) {
    if (state.selectedSlot == kSelectionLeftStick) {
        images.workingBlock.setStick(StickSide::Left, state.editLeftStick);
    } else if (state.selectedSlot == kSelectionRightStick) {
        images.workingBlock.setStick(StickSide::Right, state.editRightStick);
    }
}

void buildDefaultRecords(ProfileState& state, HostMode mode) {
    state.defaultRecords.clear();
    for (std::size_t slot = 0; slot < kButtonSlotCount; ++slot) {
        state.defaultRecords.push_back(state.defaultsBlock.button(slot));
    }
    if (mode == HostMode::PC) {
        state.defaultRecords[static_cast<std::size_t>(ButtonSlot::Capture)] =
            pcFixedCaptureHomeRecord();
        state.defaultRecords[static_cast<std::size_t>(ButtonSlot::Home)] =
            pcFixedCaptureHomeRecord();
    }
    state.defaultLeftStick = state.defaultsBlock.stick(StickSide::Left);
    state.defaultRightStick = state.defaultsBlock.stick(StickSide::Right);
}

void refreshPanelCopy(ProfileState& state, const ProfileImages& images) {
    state.currentRecords.clear();
    for (std::size_t slot = 0; slot < kButtonSlotCount; ++slot) {
        state.currentRecords.push_back(images.workingBlock.button(slot));
    }
    state.editLeftStick = images.workingBlock.stick(StickSide::Left);
    state.editRightStick = images.workingBlock.stick(StickSide::Right);
}

// --- Switch-mode lists ----------------------------------------------------------------------

void rebuildSwitchModeLists(ProfileImages& images) {
    for (const HostMode mode : {HostMode::NS, HostMode::PC}) {
        SwitchModeLists& lists = images.switchModes(mode);
        SwitchModeLists& saved = images.savedSwitchModes(mode);
        lists.clear();
        saved.clear();
        for (const DeviceSettingsBlock& image : images.profiles(mode)) {
            lists.push_back(image.switchModePairs());
            saved.push_back(lists.back());
        }
    }
}

void clearSwitchModeFlags(ProfileImages& images, HostMode mode) {
    for (SwitchModeList& list : images.switchModes(mode)) {
        for (SwitchModePair& pair : list) {
            pair.flag = 0;
        }
    }
}

void setSwitchModeOfSelected(ProfileState& state, ProfileImages& images, std::uint32_t flag) {
    const std::uint32_t profile = state.lastProfile(images.hostMode);
    SwitchModeLists& lists = images.switchModes(images.hostMode);
    if (profile == 0 || profile > lists.size()) {
        return;
    }
    for (SwitchModePair& pair : lists[profile - 1]) {
        if (pair.slot == state.selectedSlot) {
            pair.flag = flag;
            return;
        }
    }
}

}  // namespace orv
