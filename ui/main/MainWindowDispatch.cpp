// The main window's dispatch: control notifications, window messages and the command codes
// the dialogs, editors and the connection worker send.

#include "ui/dialogs/BtnDirectionsForm.h"
#include "ui/editors/EditorOpening.h"
#include "ui/kit/Clock.h"
#include "ui/kit/Menu.h"
#include "ui/kit/WindowSystem.h"
#include "ui/main/MainWindow.h"
#include "ui/main/WindowMessages.h"

namespace orv {

namespace {

// Clicks this many milliseconds apart (inclusive) count as a double click on a profile name.
constexpr std::int64_t kDoubleClickMinMs = 101;
constexpr std::int64_t kDoubleClickMaxMs = 299;

constexpr kit::LParam kBothSticksTestCode = 2009;

}  // namespace

void MainWindow::Notify(kit::Notification& notification) {
    if (notification.type != "click") {
        // "dbclick" and "menu" get no reaction of the window's own.
        WindowImplBase::Notify(notification);
        return;
    }
    if (onClick(notification.sender)) {
        WindowImplBase::Notify(notification);
    }
}

bool MainWindow::onClick(kit::Control* sender) {
    const std::int64_t now = kit::Clock::Current().NowNanoseconds();
    const std::int64_t intervalMs = (now - lastClickTime_) / 1'000'000;
    lastClickTime_ = now;
    if (intervalMs >= kDoubleClickMinMs && intervalMs <= kDoubleClickMaxMs &&
        context_.images.currentProfile != 0) {
        // In practice a double click on a profile name, which has no click reaction itself.
        openDialog(title::RenameForm);
        return false;
    }
    if (sender == nullptr) {
        return true;
    }
    if (sender == closeButton_) {
        openExitInquiry();
        return false;
    }
    if (sender == minimiseButton_) {
        SendMessage(kit::msg::SysCommand, kit::sc::Minimize);
        return false;
    }
    bool passOn = true;
    if (sender == selector_.nsOption()) {
        onModeOption(HostMode::NS, passOn);
        return passOn;
    }
    if (sender == selector_.pcOption()) {
        onModeOption(HostMode::PC, passOn);
        return passOn;
    }
    const std::string name = sender->GetName();
    if (name == "FileMenuBtn") {
        openFileMenu();
        return true;
    }
    if (name == "HelpMenuBtn") {
        openHelpMenu();
        return true;
    }
    if (name == "LanguageBtn") {
        openLanguageMenu();
        return true;
    }
    if (name == "LStickSetBtn" || name == "RStickSetBtn") {
        selectedCell_ = sender;
        openStickEditor(name == "LStickSetBtn" ? kSelectionLeftStick : kSelectionRightStick);
        return true;
    }
    if (const std::uint32_t profile = selector_.profileOfTab(sender); profile != 0) {
        chooseProfile(profile);
        return true;
    }
    if (const int slot = panel_.slotOf(sender); slot >= 0) {
        selectedCell_ = sender;
        openCellEditor(static_cast<std::size_t>(slot));
        return true;
    }
    if (sender == resetButton_ || sender == saveButton_) {
        selectedCell_ = nullptr;
        openDialog(sender == resetButton_ ? title::ResetDataFrom : title::SaveTipsFrom);
        return false;
    }
    if (sender == restoreButton_) {
        openDialog(title::QuitEditPromptFrom);
        return true;
    }
    if (sender == testButton_) {
        selectedCell_ = nullptr;
        launchTest(kBothSticksTestCode);
        return true;
    }
    return true;
}

kit::LResult MainWindow::HandleMessage(unsigned message, kit::WParam wParam, kit::LParam lParam) {
    switch (message) {
        case kit::msg::Timer:
            onHoverTick();
            return 0;
        case kit::msg::DeviceChange:
            onDeviceChange(wParam);
            return 0;
        case kit::msg::HotKey:
            onHotKey(lParam);
            return 0;
        case ConnectResultMessage:
            onConnectResult(wParam);
            updateUnsavedMarks();
            return 0;
        case QuitFromConnectionMessage:
            onQuitFromConnection(static_cast<kit::WindowHandle>(wParam));
            return 0;
        case CellRefreshMessage:
            panel_.refreshSelectedCell(selectedCell_);
            updateUnsavedMarks();
            return 0;
        case MainWindowMessage:
            onMainWindowMessage(wParam, lParam);
            updateUnsavedMarks();
            return 0;
        case kOverviewReadyMessage:
            if (setup_.onOverviewShown) {
                setup_.onOverviewShown(GetHWND());
            }
            return 0;
        default:
            return WindowImplBase::HandleMessage(message, wParam, lParam);
    }
}

kit::LResult MainWindow::HandleCustomMessage(unsigned message, kit::WParam wParam,
                                             kit::LParam /*lParam*/, bool& handled) {
    if (message == MenuClickMessage) {
        // The record is copied out and released before acting: the action may open a modal
        // window, and the record must not outlive this message.
        kit::MenuCommand* record = kit::MenuCommand::FromWParam(wParam);
        const std::string itemName = record != nullptr ? std::string(record->name) : std::string();
        GetPaintManager().DeletePtr(record);
        onMenuChoice(itemName);
    }
    handled = false;
    return 0;
}

kit::LResult MainWindow::OnKeyDown(unsigned /*message*/, kit::WParam /*wParam*/,
                                   kit::LParam /*lParam*/, bool& handled) {
    handled = false;
    return 0;
}

void MainWindow::onMainWindowMessage(kit::WParam code, kit::LParam argument) {
    switch (static_cast<MainWindowCode>(code)) {
        case MainWindowCode::ShowLoadingWindow:
            openLoadingWindow();
            break;
        case MainWindowCode::ShowConnectionPrompt:
            openConnectionPrompt();
            break;
        case MainWindowCode::Quit:
        case MainWindowCode::ExitConfirmed:
            kit::PostQuitMessage(0);
            break;
        case MainWindowCode::OpenNewProfileNameDialog:
        case MainWindowCode::OpenNamingDialog:
            openDialog(title::NewProfileNameForm);
            break;
        case MainWindowCode::OpenProfileDialog:
        case MainWindowCode::NamingCancelled:
            openProfileDialog();
            break;
        case MainWindowCode::EditProfile:
            editChosenProfile();
            break;
        case MainWindowCode::NamingConfirmed:
            makeNewProfile();
            break;
        case MainWindowCode::CancelProfileDialog:
            cancelProfileDialogAnswer();
            break;
        case MainWindowCode::RenameProfile:
            renameProfile();
            break;
        case MainWindowCode::SaveToDevice:
            saveToDevice();
            break;
        case MainWindowCode::ResetToFactory:
            resetToFactory();
            break;
        case MainWindowCode::LeaveProfile:
            leaveProfile();
            break;
        case MainWindowCode::OpenDirections:
            recordRequest(title::BtnDirectionsForm);
            BtnDirectionsForm::Show(GetHWND(), argument, context_.text.language);
            break;
        case MainWindowCode::LaunchTest:
            launchTest(static_cast<std::uint32_t>(argument));
            break;
        case MainWindowCode::ConfirmLongPressSwitch:
            if (kit::FindWindow(title::FunButtonForm) != kit::kNoWindow) {
                recordRequest(title::LDownSwitchConfirmFrom);
                openLongPressSwitchConfirmation(context_.text);
            }
            break;
        case MainWindowCode::ConfirmBackToFunctionEditor:
            if (kit::FindWindow(title::LPressSwitchForm) != kit::kNoWindow) {
                recordRequest(title::LPressToFunBtnComForm);
                openBackToFunctionConfirmation(context_.text);
            }
            break;
        case MainWindowCode::SwitchToLongPressEditor:
            switchEditor(title::FunButtonForm, 1);
            break;
        case MainWindowCode::SwitchToFunctionEditor:
            switchEditor(title::LPressSwitchForm, 0);
            break;
        case MainWindowCode::PaintCellsNormal:
            panel_.paintCellsNormal();
            break;
        case MainWindowCode::UpdateCellMarker:
            updateSelectedCellMarker();
            break;
        case MainWindowCode::MarkSelectedCell:
            panel_.markSelectedCell();
            break;
        case MainWindowCode::RecomputeMarkers:
            panel_.recomputeMarkers();
            break;
        default:  // any other code is ignored
            break;
    }
}

}  // namespace orv
