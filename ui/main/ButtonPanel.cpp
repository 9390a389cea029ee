#include "ui/main/ButtonPanel.h"

#include <string_view>
#include <utility>

#include "profile/ProfileModel.h"
#include "profile/ProfileSlots.h"

namespace orv {

namespace {

constexpr int kEmptyCellText = 35;
constexpr int kLeftStickModeText = 19;
constexpr int kRightStickModeText = 20;

// Overview picture: (slot, image) of the cells that differ between the host modes.
using LayoutImages = std::array<std::pair<ButtonSlot, std::string_view>, 8>;
constexpr LayoutImages kNsOnlyImages = {{
    {ButtonSlot::Capture, "file='Resources/default_cap.png'"},
    {ButtonSlot::Home, "file='Resources/default_home.png'"},
    {ButtonSlot::Minus, "file='Resources/default_minus.png'"},
    {ButtonSlot::L, "file='Resources/default_L.png'"},
    {ButtonSlot::ZR, "file='Resources/default_zr.png'"},
    {ButtonSlot::ZL, "file='Resources/default_zl.png'"},
    {ButtonSlot::R, "file='Resources/default_r.png'"},
    {ButtonSlot::Plus, "file='Resources/default_plus.png'"},
}};
constexpr std::array<std::pair<ButtonSlot, std::string_view>, 6> kPcOnlyImages = {{
    {ButtonSlot::Minus, "file='Resources/default_BACK.png'"},
    {ButtonSlot::L, "file='Resources/default_LB.png'"},
    {ButtonSlot::ZR, "file='Resources/default_RT.png'"},
    {ButtonSlot::ZL, "file='Resources/default_LT.png'"},
    {ButtonSlot::R, "file='Resources/default_RB.png'"},
    {ButtonSlot::Plus, "file='Resources/default_START.png'"},
}};
constexpr std::array<std::pair<ButtonSlot, std::string_view>, 10> kCommonImages = {{
    {ButtonSlot::LeftStickClick, "file='Resources/default_lsb.png'"},
    {ButtonSlot::RightStickClick, "file='Resources/default_rsb.png'"},
    {ButtonSlot::DpadLeft, "file='Resources/default_left.png'"},
    {ButtonSlot::DpadUp, "file='Resources/default_up.png'"},
    {ButtonSlot::DpadDown, "file='Resources/default_dowm.png'"},
    {ButtonSlot::DpadRight, "file='Resources/default_right.png'"},
    {ButtonSlot::Y, "file='Resources/default_y.png'"},
    {ButtonSlot::X, "file='Resources/default_x.png'"},
    {ButtonSlot::B, "file='Resources/default_b.png'"},
    {ButtonSlot::A, "file='Resources/default_a.png'"},
}};

int stickModeTextId(std::uint8_t mode) {
    if (mode == 0) {
        return kEmptyCellText;
    }
    return mode == 1 ? kLeftStickModeText : kRightStickModeText;
}

// Item names the editors leave in selectedItemName, with the name part of the selected image.
struct ItemImage {
    std::string_view item;
    std::string_view namePart;
};
constexpr ItemImage kItemImages[] = {
    {"Up", "Up"},         {"Down", "Down"},     {"Left", "Left"}, {"Right", "Right"},
    {"A", "A"},           {"B", "B"},           {"X", "X"},       {"Y", "Y"},
    {"L", "L"},           {"R", "R"},           {"ZL", "ZL"},     {"ZR", "ZR"},
    {"LStickBut", "LSB"}, {"RStickBut", "RSB"}, {"Home", "HOME"}, {"Cap", "Cap"},
    {"LB", "LB"},         {"LT", "LT"},         {"RB", "RB"},     {"RT", "RT"},
    {"BACK", "BACK"},     {"START", "START"},   {"Plus", "PLUS"}, {"Minus", "Minus"},
};

}  // namespace

void ButtonPanel::bind(ControlLookup& lookup) {
    for (std::size_t slot = 0; slot < kButtonSlotCount; ++slot) {
        cells_[slot] = lookup.find(kSlotIdentifiers[slot]);
    }
    leftStick_ = lookup.find("LStickSetBtn");
    rightStick_ = lookup.find("RStickSetBtn");
}

int ButtonPanel::slotOf(const kit::Control* control) const {
    if (control == nullptr) {
        return -1;
    }
    for (std::size_t slot = 0; slot < kButtonSlotCount; ++slot) {
        if (cells_[slot] == control) {
            return static_cast<int>(slot);
        }
    }
    return -1;
}

void ButtonPanel::apply(kit::Control* control, const AttributeList& attributes) {
    for (const auto& [name, value] : attributes) {
        setAttribute(control, name, value);
    }
}

void ButtonPanel::setCellsMouse(bool enabled) {
    const std::string_view value = enabled ? "true" : "false";
    setAttribute(leftStick_, "mouse", value);
    setAttribute(rightStick_, "mouse", value);
    for (kit::Control* cell : cells_) {
        setAttribute(cell, "mouse", value);
    }
}

void ButtonPanel::showControllerLayout() {
    if (context_.text.language == "japanese") {
        for (kit::Control* stick : {leftStick_, rightStick_}) {
            setAttribute(stick, "normalimage", "file='Resources/StickSetBtn_Empyt.png'");
        }
        setText(leftStick_, text(kLeftStickModeText));
        setText(rightStick_, text(kRightStickModeText));
    } else {
        setAttribute(leftStick_, "normalimage", "file='Resources/L-StickSetBtn_Nor.png'");
        setAttribute(rightStick_, "normalimage", "file='Resources/R-StickSetBtn_Nor.png'");
        setText(leftStick_, "");
        setText(rightStick_, "");
    }
    for (kit::Control* cell : cells_) {
        setText(cell, "");
    }
    auto put = [this](ButtonSlot slot, std::string_view image) {
        setAttribute(cells_[static_cast<std::size_t>(slot)], "normalimage", image);
    };
    if (context_.images.hostMode == HostMode::PC) {
        context_.profile.lastPcProfile = 0;
        for (ButtonSlot slot : {ButtonSlot::Capture, ButtonSlot::Home}) {
            kit::Control* cell = cells_[static_cast<std::size_t>(slot)];
            setAttribute(cell, "font", "3");
            setAttribute(cell, "normalimage", "file='Resources/default_empty.png'");
            setText(cell, text(kEmptyCellText));
        }
        for (const auto& [slot, image] : kPcOnlyImages) {
            put(slot, image);
        }
    } else {
        context_.profile.lastNsProfile = 0;
        for (const auto& [slot, image] : kNsOnlyImages) {
            put(slot, image);
        }
    }
    for (const auto& [slot, image] : kCommonImages) {
        put(slot, image);
    }
}

void ButtonPanel::updateCellMarker() {
    ProfileState& state = context_.profile;
    if (!isButtonSelection(state.selectedSlot)) {
        return;
    }
    const std::uint32_t slot = state.selectedSlot;
    if (buttonDiffersFromFactory(state.editRecord, state.selectedDefaultRecord)) {
        nonDefault_.mark(slot, displayedCode(context_.images.workingBlock.button(slot)));
        marks_.set(context_.images.hostMode, context_.images.currentProfile, 1);
    } else {
        nonDefault_.unmark(slot);
    }
    const std::string emptyText = text(kEmptyCellText);
    for (const NonDefaultCell& entry : nonDefault_.cells()) {
        apply(cells_[entry.slot], cellImageNonDefault(entry.code, context_.images.hostMode,
                                                      context_.images.currentProfile, emptyText));
    }
}

void ButtonPanel::updateStickMarker(kit::Control* cell, const StickSetting& edited,
                                    const StickSetting& factory) {
    if (!stickDiffersFromFactory(edited, factory)) {
        return;
    }
    setAttribute(cell, "normalimage",
                 profilePrefix(context_.images.currentProfile) + "_Stick_hot.png");
    setText(cell, text(stickModeTextId(edited.mode)));
    marks_.set(context_.images.hostMode, context_.images.currentProfile, 1);
}

void ButtonPanel::recomputeMarkers() {
    setAttribute(leftStick_, "normalimage", "StickSetBtn_Nor.png");
    setAttribute(rightStick_, "normalimage", "StickSetBtn_Nor.png");
    ProfileState& state = context_.profile;
    refreshPanelCopy(state, context_.images);
    for (std::size_t j = 0; j < state.defaultRecords.size() && j < state.currentRecords.size();
         ++j) {
        state.selectedSlot = static_cast<std::uint32_t>(j);
        state.selectedDefaultRecord = state.defaultRecords[j];
        state.editRecord = state.currentRecords[j];
        updateCellMarker();
    }
    updateStickMarker(leftStick_, state.editLeftStick, state.defaultLeftStick);
    updateStickMarker(rightStick_, state.editRightStick, state.defaultRightStick);
}

void ButtonPanel::paintProfileCells(bool& keepWorkingBlock) {
    ProfileImages& images = context_.images;
    if (images.nsProfiles.size() < kProfilesPerMode ||
        images.pcProfiles.size() < kProfilesPerMode) {
        return;
    }
    if (keepWorkingBlock) {
        keepWorkingBlock = false;
    } else if (const DeviceSettingsBlock* stored = storedEntry(images)) {
        images.workingBlock = *stored;
    }
    paintCellsNormal();
    const DeviceSettingsBlock& block = images.workingBlock;
    setText(leftStick_, text(stickModeTextId(block.stick(StickSide::Left).mode)));
    setText(rightStick_, text(stickModeTextId(block.stick(StickSide::Right).mode)));
}

void ButtonPanel::paintCellsNormal() {
    const ProfileImages& images = context_.images;
    const std::string emptyText = text(kEmptyCellText);
    for (std::size_t slot = 0; slot < kButtonSlotCount; ++slot) {
        apply(cells_[slot], cellImageNormal(displayedCode(images.workingBlock.button(slot)),
                                            images.hostMode, images.currentProfile, emptyText));
    }
    const std::string prefix = profilePrefix(images.currentProfile);
    for (kit::Control* stick : {leftStick_, rightStick_}) {
        setAttribute(stick, "normalimage", "StickSetBtn_Nor.png");
        setAttribute(stick, "hotimage", prefix + "_Stick_sel.png");
    }
}

void ButtonPanel::markSelectedCell() {
    if (isButtonSelection(context_.profile.selectedSlot)) {
        markCellSelected(context_.profile.selectedSlot);
    }
}

void ButtonPanel::markCellSelected(std::size_t slot) {
    const ProfileImages& images = context_.images;
    apply(cells_[slot],
          cellImageSelected(displayedCode(images.workingBlock.button(slot)), images.hostMode,
                            images.currentProfile, text(kEmptyCellText)));
}

void ButtonPanel::markStickSelected(kit::Control* stickCell) {
    setAttribute(stickCell, "normalimage",
                 profilePrefix(context_.images.currentProfile) + "_Stick_sel.png");
}

void ButtonPanel::refreshSelectedCell(kit::Control* cell) {
    if (cell == nullptr) {
        return;
    }
    setText(cell, "");
    const std::string& item = context_.profile.selectedItemName;
    const std::string prefix = profilePrefix(context_.images.currentProfile);
    for (const ItemImage& entry : kItemImages) {
        if (item == entry.item) {
            setAttribute(cell, "normalimage",
                         prefix + "_sel_" + std::string(entry.namePart) + ".png");
            return;
        }
    }
    if (item == "modeL") {
        setText(cell, text(kLeftStickModeText));
    } else if (item == "modeR") {
        setText(cell, text(kRightStickModeText));
    } else if (item == "ModeNothing") {
        setText(cell, text(kEmptyCellText));
    } else if (item == "nothing") {
        setAttribute(cell, "font", "3");
        setText(cell, text(kEmptyCellText));
        setAttribute(cell, "normalimage", prefix + "_empty_sel.png");
    }
}

void ButtonPanel::drawHomeCellEmpty() {
    kit::Control* home = cells_[static_cast<std::size_t>(ButtonSlot::Home)];
    setAttribute(home, "font", "3");
    setText(home, text(kEmptyCellText));
    setAttribute(home, "normalimage", "default_empty.png");
    setAttribute(home, "hotimage",
                 profilePrefix(context_.images.currentProfile) + "_empty_hot.png");
}

}  // namespace orv
