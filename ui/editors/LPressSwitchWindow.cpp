#include "ui/editors/LPressSwitchWindow.h"

#include "profile/ProfileModel.h"
#include "ui/dialogs/ControlLookup.h"
#include "ui/editors/FunctionMenuChoice.h"
#include "ui/editors/MenuFileText.h"
#include "ui/kit/WindowSystem.h"

namespace orv {

namespace {

constexpr std::array<const char*, LPressSwitchWindow::kPositions> kPositionNames = {
    "LPressSetMenu1", "LPressSetMenu2", "LPressSetMenu3", "LPressSetMenu4", "LPressSetMenu5"};
constexpr std::array<int, LPressSwitchWindow::kPositions> kMenuTops = {-160, -128, -95, -62, -29};
constexpr int kMinimumTime = kSwitchTimeRange.minimum;
constexpr int kMaximumTime = kSwitchTimeRange.maximum;
constexpr kit::LParam kDirectionsTopic = 1008;
constexpr kit::LParam kTestCode = 2010;

}  // namespace

LPressSwitchWindow::LPressSwitchWindow(ProfileImages& images, ProfileState& state,
                                       const TextStore& texts, std::string skinFile)
    : EditorWindow(images, state, texts, std::move(skinFile), "LPressSwitchFormWnd") {}

std::array<std::uint8_t*, LPressSwitchWindow::kPositions> LPressSwitchWindow::positionFields() {
    ButtonSetting& r = state_.editRecord;
    return {&r.LSwitchPos1, &r.LSwitchPos2, &r.LSwitchPos3, &r.LSwitchPos4, &r.LSwitchPos5};
}

void LPressSwitchWindow::onWindowReady() {
    CenterWindow();
    ControlLookup lookup(GetPaintManager());
    closeButton_ = lookup.find("closebtn");
    for (std::size_t i = 0; i < kPositions; ++i) {
        positionButtons_[i] = lookup.find(kPositionNames[i]);
    }
    plusButton_ = lookup.find("LDownPosPlusBtn");
    minusButton_ = lookup.find("LDownPosMinusBtn");
    timeLabel_ = lookup.find("LSwitchTimeLabel");
    lookup.report(GetTitle());

    placeNextToCell(editor::EditorKind::LongPressSwitch);
    const std::string deep = editor::deepImage(colour());
    for (kit::Control* button : positionButtons_) {
        setAttribute(button, "hotimage", deep);
    }
    loadEditedRecord(state_, images_);
    const std::array<std::uint8_t*, kPositions> fields = positionFields();
    for (std::size_t i = 0; i < kPositions; ++i) {
        setText(positionButtons_[i], functionLabel(*fields[i], images_.hostMode, texts_));
    }
    setText(timeLabel_, timeToText(state_.editRecord.LSwitchTime));
    postToParent(MainWindowCode::MarkSelectedCell);
    setSwitchModeOfSelected(state_, images_, 1);
    refreshBackgrounds();
}

void LPressSwitchWindow::refreshBackgrounds() {
    for (kit::Control* button : positionButtons_) {
        setAttribute(button, "normalimage", editor::kBlankImage);
    }
    const ButtonSetting& factory = state_.selectedDefaultRecord;
    const std::array<std::uint8_t, kPositions> factoryPositions = {
        factory.LSwitchPos1, factory.LSwitchPos2, factory.LSwitchPos3, factory.LSwitchPos4,
        factory.LSwitchPos5};
    const std::array<std::uint8_t*, kPositions> fields = positionFields();
    const std::string light = editor::lightImage(colour());
    for (std::size_t i = 0; i < kPositions; ++i) {
        if (*fields[i] != factoryPositions[i]) {
            setAttribute(positionButtons_[i], "normalimage", light);
        }
    }
}

void LPressSwitchWindow::openPositionMenu(std::size_t position) {
    for (kit::Control* button : positionButtons_) {
        setAttribute(button, "normalimage", editor::kBlankImage);
    }
    setAttribute(positionButtons_[position], "normalimage", editor::deepImage(colour()));
    fieldName_ = kPositionNames[position];
    menuTarget_ = positionButtons_[position];

    const kit::Rect r = GetWindowRect();
    int left = 390;
    if (texts_.language == "japanese") {
        left = 303;
    } else if (texts_.language == "english") {
        left = 341;
    }
    const kit::Point point{r.right - left, r.top + kMenuTops[position]};
    // Uses the colour's file as the function editor last prepared it for the host mode.
    const std::optional<std::string> file =
        editor::menuFile(editor::MenuKind::ButtonFunction, colour());
    if (!file) {
        return;
    }
    editor::setMenuItemTexts(*file, {{"nothing", texts_.text(35)},
                                     {"LStickBut", texts_.text(1)},
                                     {"RStickBut", texts_.text(18)}});
    openMenu(menuTarget_, *file, point);
}

void LPressSwitchWindow::onMenuChoice(const std::string& itemName) {
    if (const std::optional<editor::FunctionMenuChoice> choice = editor::functionMenuChoice(
            itemName, images_.hostMode, texts_, editor::CaptureWording::Cap)) {
        for (std::size_t i = 0; i < kPositions; ++i) {
            if (fieldName_ == kPositionNames[i]) {
                setText(menuTarget_, choice->buttonText);
                *positionFields()[i] = functionCodeFromItemName(choice->value);
                finishChange();
            }
        }
    }
    refreshBackgrounds();
}

void LPressSwitchWindow::stepTime(bool plus) {
    // The label is what the user sees, so it is what a step starts from.
    const int shown = timeLabel_ != nullptr ? textToTime(timeLabel_->GetText()) : 0;
    int next = 0;
    if (plus) {
        next = shown + 1;  // no 8-bit wrap: a stored 255 cannot step up
        if (next > kMaximumTime) {
            return;
        }
    } else {
        next = shown - 1;
        if (shown == 0 || next < kMinimumTime) {
            return;
        }
    }
    const auto value = static_cast<std::uint8_t>(next);
    setText(timeLabel_, timeToText(value));
    state_.editRecord.LSwitchTime = value;
    finishChange();
}

void LPressSwitchWindow::finishChange() {
    std::string itemName = "nothing";
    for (std::uint8_t* field : positionFields()) {
        if (*field != kFunctionNone) {
            itemName = editor::itemNameOfCode(*field, images_.hostMode);
            break;
        }
    }
    state_.selectedItemName = itemName;
    kit::PostMessage(GetParent(), CellRefreshMessage, 0, 0);
    commitEditedRecord(state_, images_);
}

void LPressSwitchWindow::Notify(kit::Notification& notification) {
    if (notification.type == "click" && notification.sender != nullptr) {
        const std::string name = notification.sender->GetName();
        if (name == "closebtn") {
            postClosingCodes();
            Close(1);
            return;
        }
        for (std::size_t i = 0; i < kPositions; ++i) {
            if (name == kPositionNames[i]) {
                openPositionMenu(i);
            }
        }
        if (name == "LDownPosPlusBtn" || name == "LDownPosMinusBtn") {
            const bool plus = name == "LDownPosPlusBtn";
            fieldName_ = plus ? "LDownPosPlus" : "LDownPosMinus";
            stepTime(plus);
        } else if (name == "SwitchToFunBtn") {
            postToParent(MainWindowCode::ConfirmBackToFunctionEditor);
        } else if (name == "LPressDirBtn") {
            postToParent(MainWindowCode::OpenDirections, kDirectionsTopic);
        } else if (name == "LPressTestBtn") {
            postToParent(MainWindowCode::LaunchTest, kTestCode);
        }
    }
    EditorWindow::Notify(notification);
}

}  // namespace orv
