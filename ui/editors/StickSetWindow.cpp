#include "ui/editors/StickSetWindow.h"

#include "profile/ProfileModel.h"
#include "ui/dialogs/ControlLookup.h"
#include "ui/editors/MenuFileText.h"
#include "ui/kit/WindowSystem.h"

namespace orv {

namespace {

constexpr std::array<const char*, 4> kMenuButtonNames = {"LeftRightBtnMenu", "InsOriBtnMenu",
                                                         "SensitiveBtnMenu", "UnrAreaBtnMenu"};
constexpr std::array<const char*, 4> kDirectionButtons = {"LeftRightDirBtn", "InsOriDirBtn",
                                                          "SensitiveDirBtn", "UnrAreaDirBtn"};
constexpr std::array<kit::LParam, 4> kDirectionTopics = {1000, 1001, 1002, 1003};
constexpr std::array<const char*, 4> kTestButtons = {"LeftRightTestBtn", "InsOriTestBtn",
                                                     "SensitiveTestBtn", "UnrAreaTestBtn"};
// The sensitivity and dead-zone tests are numbered the other way round.
constexpr std::array<kit::LParam, 4> kTests = {2005, 2006, 2008, 2007};
constexpr std::array<editor::MenuKind, 4> kMenuKinds = {
    editor::MenuKind::StickMode, editor::MenuKind::StickRotation, editor::MenuKind::Sensitivity,
    editor::MenuKind::Deadzone};
constexpr std::array<int, 4> kMenuTops = {32, 57, 82, 108};

constexpr int kNoneText = 35;
constexpr int kStoredNoDeadzoneText = 81;

}  // namespace

StickSetWindow::StickSetWindow(ProfileImages& images, ProfileState& state, const TextStore& texts,
                               std::string skinFile)
    : EditorWindow(images, state, texts, std::move(skinFile), "StickSetWindowWnd") {}

StickSetting* StickSetWindow::editedStick() {
    if (state_.selectedSlot == kSelectionLeftStick) {
        return &state_.editLeftStick;
    }
    if (state_.selectedSlot == kSelectionRightStick) {
        return &state_.editRightStick;
    }
    return nullptr;
}

void StickSetWindow::onWindowReady() {
    CenterWindow();
    ControlLookup lookup(GetPaintManager());
    closeButton_ = lookup.find("closebtn");
    for (std::size_t i = 0; i < kMenuButtons; ++i) {
        menuButtons_[i] = lookup.find(kMenuButtonNames[i]);
    }
    lookup.report(GetTitle());

    placeNextToCell(editor::EditorKind::Stick);
    setHotImages();

    const StickSetting& shown =
        state_.selectedSlot == kSelectionLeftStick ? state_.editLeftStick : state_.editRightStick;
    setText(menuButtons_[Mode], stickModeLabel(shown.mode, texts_));
    setText(menuButtons_[Rotation], rotationLabel(shown.rotate, texts_));
    setText(menuButtons_[Sensitivity], sensitivityLabel(shown.sen));
    // A stored 0 reads "no dead zone" here; the menu item's own wording is text 35.
    setText(menuButtons_[Deadzone], shown.deadzone == 0 ? texts_.text(kStoredNoDeadzoneText)
                                                        : deadzoneLabel(shown.deadzone, texts_));
    refreshBackgrounds();
}

void StickSetWindow::setHotImages() {
    const std::string deep = editor::deepImage(colour());
    for (kit::Control* button : menuButtons_) {
        setAttribute(button, "hotimage", deep);
    }
}

void StickSetWindow::refreshBackgrounds() {
    for (kit::Control* button : menuButtons_) {
        setAttribute(button, "normalimage", editor::kBlankImage);
    }
    const StickSetting* stick = editedStick();
    if (stick == nullptr) {
        return;
    }
    const StickSetting& reference = state_.selectedSlot == kSelectionLeftStick
                                        ? state_.defaultLeftStick
                                        : state_.defaultRightStick;
    const std::string light = editor::lightImage(colour());
    const std::array<bool, kMenuButtons> differs = {
        stick->mode != reference.mode, stick->rotate != reference.rotate,
        stick->sen != reference.sen, stick->deadzone != reference.deadzone};
    for (std::size_t i = 0; i < kMenuButtons; ++i) {
        if (differs[i]) {
            setAttribute(menuButtons_[i], "normalimage", light);
        }
    }
}

void StickSetWindow::openMenuOf(MenuButton button) {
    menuTarget_ = menuButtons_[button];
    for (kit::Control* each : menuButtons_) {
        setAttribute(each, "normalimage", editor::kBlankImage);
    }
    setAttribute(menuButtons_[button], "normalimage", editor::deepImage(colour()));
    menuKind_ = static_cast<int>(button) + 1;

    const kit::Rect r = GetWindowRect();
    const kit::Point point{r.right - (texts_.language == "japanese" ? 100 : 169),
                           r.top + kMenuTops[button]};
    const std::optional<std::string> file = editor::menuFile(kMenuKinds[button], colour());
    if (!file) {
        return;
    }
    switch (button) {
        case Mode:
            editor::setMenuItemText(*file, "ModeNothing", texts_.text(35));
            editor::setMenuItemText(*file, "modeL", texts_.text(19));
            editor::setMenuItemText(*file, "modeR", texts_.text(20));
            break;
        case Rotation:
            editor::setMenuItemText(*file, "RotateNothing", texts_.text(36));
            editor::setMenuItemText(*file, "Rrotate90", texts_.text(37));
            editor::setMenuItemText(*file, "Lrotate90", texts_.text(38));
            editor::setMenuItemText(*file, "rotate180", texts_.text(39));
            break;
        case Deadzone:
            editor::setMenuItemText(*file, "DeadzoneNothing", texts_.text(kNoneText));
            break;
        default:
            break;
    }
    openMenu(menuTarget_, *file, point);
}

void StickSetWindow::onMenuChoice(const std::string& itemName) {
    if (const std::optional<StickChoice> choice = stickChoiceFromItemName(itemName)) {
        std::string shownText;
        switch (choice->field) {
            case StickField::Mode:
                shownText = stickModeLabel(choice->value, texts_);
                break;
            case StickField::Rotate:
                shownText = rotationLabel(choice->value, texts_);
                break;
            case StickField::Sensitivity:
                shownText = sensitivityLabel(choice->value);
                break;
            case StickField::Deadzone:
                shownText = deadzoneLabel(choice->value, texts_);
                break;
        }
        setText(menuTarget_, shownText);
        if (StickSetting* stick = editedStick()) {
            applyStickChoice(*stick, *choice);
        }
    }
    // Committed before the main window is told, so it sees the new value while relabelling.
    commitEditedStick(state_, images_);
    if (const std::optional<StickChoice> choice = stickChoiceFromItemName(itemName);
        choice && choice->field == StickField::Mode) {
        state_.selectedItemName = itemName;
        kit::SendMessage(GetParent(), CellRefreshMessage, 0, 0);
    }
    setHotImages();
    refreshBackgrounds();
}

void StickSetWindow::Notify(kit::Notification& notification) {
    if (notification.type == "click" && notification.sender != nullptr) {
        const std::string name = notification.sender->GetName();
        if (name == "closebtn") {
            postToParent(MainWindowCode::RecomputeMarkers);
            Close(1);
            return;
        }
        for (std::size_t i = 0; i < kMenuButtons; ++i) {
            if (name == kMenuButtonNames[i]) {
                openMenuOf(static_cast<MenuButton>(i));
            } else if (name == kDirectionButtons[i]) {
                postToParent(MainWindowCode::OpenDirections, kDirectionTopics[i]);
            } else if (name == kTestButtons[i]) {
                postToParent(MainWindowCode::LaunchTest, kTests[i]);
            }
        }
    }
    EditorWindow::Notify(notification);
}

}  // namespace orv
