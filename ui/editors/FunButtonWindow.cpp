#include "ui/editors/FunButtonWindow.h"

#include "profile/ProfileModel.h"
#include "ui/dialogs/ControlLookup.h"
#include "ui/editors/ConDisableForm.h"
#include "ui/editors/FunctionMenuChoice.h"
#include "ui/editors/MenuFileText.h"
#include "ui/kit/WindowSystem.h"

namespace orv {

namespace {

constexpr std::array<const char*, 3> kAssignmentButtonNames = {"PressBtn", "LongPressBtn",
                                                               "TurboPosBtn"};
constexpr std::array<const char*, 3> kAssignmentFields = {"SDownPos", "LDownPos", "TurboPos"};
constexpr std::array<int, 3> kMenuTops = {-160, -127, -95};

struct NamedAction {
    const char* control;
    kit::LParam argument;
};
constexpr std::array<NamedAction, 4> kDirectionButtons = {{{"SDownPosDirBtn", 1004},
                                                           {"LDownPosDirBtn", 1005},
                                                           {"TurboPosDirBtn", 1006},
                                                           {"ConDisableDirBtn", 1007}}};
constexpr std::array<NamedAction, 4> kTestButtons = {{{"SDownPosTestBtn", 2001},
                                                      {"LongPressTestBtn", 2002},
                                                      {"TurboPosTestBtn", 2003},
                                                      {"ConDisableTestBtn", 2004}}};

struct Stepper {
    const char* control;
    const char* fieldName;
};
constexpr std::array<Stepper, 6> kSteppers = {{{"LDownPlusBtn", "LDownPosPlus"},
                                               {"LDownMinusBtn", "LDownPosMinus"},
                                               {"TurboPosPlusBtn", "TurboPosPlus"},
                                               {"TurboPosMinusBtn", "TurboPosMinus"},
                                               {"ConDisablePlusBtn", "ConDisablePlus"},
                                               {"ConDisableMinusBtn", "ConDisableMinus"}}};

// Item texts of the assignment menu that follow the host mode.
struct ModeText {
    const char* item;
    const char* ns;
    const char* pc;
};
constexpr std::array<ModeText, 6> kModeTexts = {{{"Minus", "\uFF0D", "BACK"},
                                                 {"Plus", "\uFF0B", "START"},
                                                 {"L", "L", "LB"},
                                                 {"R", "R", "RB"},
                                                 {"ZL", "ZL", "LT"},
                                                 {"ZR", "ZR", "RT"}}};

constexpr int kNoneText = 35;
constexpr int kLeftStickClickText = 1;
constexpr int kRightStickClickText = 18;

}  // namespace

FunButtonWindow::FunButtonWindow(ProfileImages& images, ProfileState& state, const TextStore& texts,
                                 std::string skinFile)
    : EditorWindow(images, state, texts, std::move(skinFile), "FunBtnFormWnd") {}

kit::LResult FunButtonWindow::HandleMessage(unsigned message, kit::WParam wParam,
                                            kit::LParam lParam) {
    if (message == FunctionEditorAnswerMessage) {
        fieldName_ = "ConDisable";
        setContinuousDisable(wParam == 1);
        return 0;
    }
    return EditorWindow::HandleMessage(message, wParam, lParam);
}

void FunButtonWindow::onWindowReady() {
    CenterWindow();
    ControlLookup lookup(GetPaintManager());
    closeButton_ = lookup.find("closebtn");
    for (std::size_t i = 0; i < kAssignments; ++i) {
        assignmentButtons_[i] = lookup.find(kAssignmentButtonNames[i]);
    }
    lDownPlus_ = lookup.find("LDownPlusBtn");
    lDownMinus_ = lookup.find("LDownMinusBtn");
    lDownTimeLabel_ = lookup.find("LDownPosTime");
    turboPlus_ = lookup.find("TurboPosPlusBtn");
    turboMinus_ = lookup.find("TurboPosMinusBtn");
    turboTimeLabel_ = lookup.find("TurboTimeLabel");
    conDisableOption_ = lookup.find("ConDisableOption");
    conDisablePlus_ = lookup.find("ConDisablePlusBtn");
    conDisableMinus_ = lookup.find("ConDisableMinusBtn");
    conDisableTimeLabel_ = lookup.find("ConDisableTimeLabel");
    longPressSwitch_ = lookup.find("LPressSwitch");
    lookup.report(GetTitle());

    placeNextToCell(editor::EditorKind::Function);
    if (colour() != 0) {
        const std::string deep = editor::deepImage(colour());
        for (kit::Control* button : assignmentButtons_) {
            setAttribute(button, "hotimage", deep);
        }
        loadEditedRecord(state_, images_);
        showRecord();
        setSwitchModeOfSelected(state_, images_, 0);
    }
    prepareMenuFile();
    refreshBackgrounds();
}

void FunButtonWindow::showRecord() {
    const ButtonSetting& record = state_.editRecord;
    const HostMode mode = images_.hostMode;
    setText(assignmentButtons_[ShortPress], functionLabel(record.SDownPos, mode, texts_));
    setText(assignmentButtons_[LongPress], functionLabel(record.LDownPos, mode, texts_));
    setText(assignmentButtons_[Turbo], functionLabel(record.TurboPos, mode, texts_));
    setText(lDownTimeLabel_, timeToText(record.LDownTime));
    setText(turboTimeLabel_, timeToText(record.TurboTime));
    setText(conDisableTimeLabel_, timeToText(record.ConDisableTime));
    if (record.ConDisable == 1) {
        if (conDisableOption_ != nullptr) {
            conDisableOption_->SetSelected(true);
        }
        setEnabled(assignmentButtons_[Turbo], false);
    }
    postToParent(MainWindowCode::MarkSelectedCell);
}

void FunButtonWindow::prepareMenuFile() {
    const std::optional<std::string> file =
        editor::menuFile(editor::MenuKind::ButtonFunction, colour());
    if (!file) {
        return;
    }
    const bool pc = images_.hostMode == HostMode::PC;
    editor::MenuItemTexts itemTexts;
    for (const ModeText& entry : kModeTexts) {
        itemTexts.emplace_back(entry.item, pc ? entry.pc : entry.ns);
    }
    editor::setMenuItemTexts(*file, itemTexts);
    editor::fitCaptureItem(*file, images_.hostMode);
}

void FunButtonWindow::refreshBackgrounds() {
    for (kit::Control* button : assignmentButtons_) {
        setAttribute(button, "normalimage", editor::kBlankImage);
    }
    const ButtonSetting& record = state_.editRecord;
    const ButtonSetting& factory = state_.selectedDefaultRecord;
    const std::array<bool, kAssignments> differs = {
        record.SDownPos != factory.SDownPos,
        record.LDownPos != factory.LDownPos || record.LDownTime != factory.LDownTime,
        record.TurboPos != factory.TurboPos || record.TurboTime != factory.TurboTime};
    const std::string light = editor::lightImage(colour());
    for (std::size_t i = 0; i < kAssignments; ++i) {
        if (differs[i]) {
            setAttribute(assignmentButtons_[i], "normalimage", light);
        }
    }
}

void FunButtonWindow::openAssignmentMenu(Assignment which) {
    for (kit::Control* button : assignmentButtons_) {
        setAttribute(button, "normalimage", editor::kBlankImage);
    }
    setAttribute(assignmentButtons_[which], "normalimage", editor::deepImage(colour()));
    fieldName_ = kAssignmentFields[which];
    menuTarget_ = assignmentButtons_[which];

    const kit::Rect r = GetWindowRect();
    const kit::Point point{r.right - (englishLanguage() ? 581 : 330), r.top + kMenuTops[which]};
    const std::optional<std::string> file =
        editor::menuFile(editor::MenuKind::ButtonFunction, colour());
    if (!file) {
        return;
    }
    editor::setMenuItemTexts(*file, {{"nothing", texts_.text(kNoneText)},
                                     {"LStickBut", texts_.text(kLeftStickClickText)},
                                     {"RStickBut", texts_.text(kRightStickClickText)}});
    openMenu(menuTarget_, *file, point);
}

void FunButtonWindow::onMenuChoice(const std::string& itemName) {
    if (const std::optional<editor::FunctionMenuChoice> choice = editor::functionMenuChoice(
            itemName, images_.hostMode, texts_, editor::CaptureWording::Capture)) {
        setText(menuTarget_, choice->buttonText);
        storeAssignment(choice->value);
    }
    refreshBackgrounds();
}

void FunButtonWindow::storeAssignment(const std::string& value) {
    ButtonSetting& record = state_.editRecord;
    const FunctionCode code = functionCodeFromItemName(value);
    if (fieldName_ == "SDownPos") {
        record.SDownPos = code;
        state_.selectedItemName = value;
        // Committed before the main window is told, so it sees the new value while relabelling.
        commit();
        kit::SendMessage(GetParent(), CellRefreshMessage, 0, 0);
        refreshBackgrounds();
    } else if (fieldName_ == "LDownPos") {
        record.LDownPos = code;
        refreshBackgrounds();
        commit();
    } else if (fieldName_ == "TurboPos") {
        record.TurboPos = code;
        refreshBackgrounds();
        commit();
    }
}

bool FunButtonWindow::stepTime(const std::string& fieldName) {
    struct Range {
        const char* plus;
        const char* minus;
        kit::Control* label;
        std::uint8_t* field;
        int minimum;
        int maximum;
    };
    ButtonSetting& record = state_.editRecord;
    const std::array<Range, 3> ranges = {{
        {"LDownPosPlus", "LDownPosMinus", lDownTimeLabel_, &record.LDownTime,
         kLongPressTimeRange.minimum, kLongPressTimeRange.maximum},
        {"TurboPosPlus", "TurboPosMinus", turboTimeLabel_, &record.TurboTime,
         kTurboTimeRange.minimum, kTurboTimeRange.maximum},
        {"ConDisablePlus", "ConDisableMinus", conDisableTimeLabel_, &record.ConDisableTime,
         kConDisableTimeRange.minimum, kConDisableTimeRange.maximum},
    }};
    for (const Range& range : ranges) {
        const bool plus = fieldName == range.plus;
        if (!plus && fieldName != range.minus) {
            continue;
        }
        // The label is what the user sees, so it is what a step starts from.
        const int shown = range.label != nullptr ? textToTime(range.label->GetText()) : 0;
        int next = 0;
        if (plus) {
            next = shown + 1;  // no 8-bit wrap: a stored 255 cannot step up
            if (next > range.maximum) {
                return false;
            }
        } else {
            if (shown == 0) {
                return false;
            }
            next = shown - 1;
            if (next < range.minimum) {
                return false;
            }
        }
        const auto value = static_cast<std::uint8_t>(next);
        setText(range.label, timeToText(value));
        *range.field = value;
        refreshBackgrounds();
        commit();
        return true;
    }
    return false;
}

void FunButtonWindow::setContinuousDisable(bool on) {
    if (conDisableOption_ != nullptr) {
        conDisableOption_->SetSelected(on);
    }
    setEnabled(assignmentButtons_[Turbo], !on);
    state_.editRecord.ConDisable = on ? 1 : 0;
    refreshBackgrounds();
    commit();
}

void FunButtonWindow::commit() {
    commitEditedRecord(state_, images_);
}

void FunButtonWindow::Notify(kit::Notification& notification) {
    if (notification.type != "click" || notification.sender == nullptr) {
        EditorWindow::Notify(notification);
        return;
    }
    const std::string name = notification.sender->GetName();
    if (name == "closebtn") {
        postClosingCodes();
        Close(1);
        return;
    }
    if (name == "LPressSwitch") {
        postToParent(MainWindowCode::ConfirmLongPressSwitch);
        return;
    }
    for (const NamedAction& action : kDirectionButtons) {
        if (name == action.control) {
            postToParent(MainWindowCode::OpenDirections, action.argument);
            return;
        }
    }
    for (const NamedAction& action : kTestButtons) {
        if (name == action.control) {
            postToParent(MainWindowCode::LaunchTest, action.argument);
            return;
        }
    }
    for (std::size_t i = 0; i < kAssignments; ++i) {
        if (name == kAssignmentButtonNames[i]) {
            openAssignmentMenu(static_cast<Assignment>(i));
        }
    }
    for (const Stepper& stepper : kSteppers) {
        if (name == stepper.control) {
            fieldName_ = stepper.fieldName;
            stepTime(fieldName_);
        }
    }
    if (name == "ConDisableOption" && conDisableOption_ != nullptr) {
        // The check box has already toggled itself: selected now means the user asked to
        // turn continuous-disable on, which needs confirming; the box shows off until then.
        if (conDisableOption_->IsSelected()) {
            conDisableOption_->SetSelected(false);
            ConDisableForm::Open(new ConDisableForm(texts_), GetHWND(), ConDisableForm::kTitle);
        } else {
            fieldName_ = "ConDisable";
            setContinuousDisable(false);
        }
    }
    EditorWindow::Notify(notification);
}

}  // namespace orv
