#include "ui/main/MainWindow.h"

#include <cstdio>
#include <memory>

#include "device/ConnectionHandling.h"
#include "device/ConnectionWorker.h"
#include "device/ControllerDiscovery.h"
#include "profile/SettingsDatabase.h"
#include "ui/dialogs/ConnectionWindow.h"
#include "ui/dialogs/ControlLookup.h"
#include "ui/dialogs/ExitInquiryFrom.h"
#include "ui/dialogs/InitFaileForm.h"
#include "ui/dialogs/LoadingForm.h"
#include "ui/kit/Clock.h"
#include "ui/kit/Menu.h"
#include "ui/kit/MessageBox.h"
#include "ui/kit/SystemServices.h"
#include "ui/kit/WindowSystem.h"
#include "ui/main/LanguageChoice.h"
#include "ui/main/WindowMessageTarget.h"
#include "ui/main/WindowMessages.h"

namespace orv {

namespace {

// Posted to itself once the overview is on screen, so the hook runs after the loading window's
// close (posted just before) has been handled.
constexpr unsigned kOverviewReadyMessage = kit::msg::User + 0x1F0;

// Clicks this many milliseconds apart (inclusive) count as a double click on a profile name.
constexpr std::int64_t kDoubleClickMinMs = 101;
constexpr std::int64_t kDoubleClickMaxMs = 299;

struct MainWindowTexts {
    const char* control;
    int textId;
};
constexpr MainWindowTexts kLanguageTexts[] = {
    {"FileMenuBtn", 25}, {"HelpMenuBtn", 29},        {"ProFilePromptLabel", 21}, {"ResetBtn", 22},
    {"SaveBtn", 23},     {"RestoreLastTimeBtn", 24}, {"TestPlayBtn", 54},
};

void closeWindowTitled(const char* windowTitle) {
    if (const kit::WindowHandle window = kit::FindWindow(windowTitle); window != kit::kNoWindow) {
        kit::PostMessage(window, kit::msg::Close, 1);
    }
}

}  // namespace

MainWindow::MainWindow(MainWindowSetup setup)
    : setup_(std::move(setup)),
      context_(*setup_.context),
      files_(SettingsFiles::beside(setup_.dataFolder)),
      panel_(context_, profileMarks_),
      selector_(context_, files_, panel_, profileMarks_) {}

void MainWindow::bindControls() {
    ControlLookup lookup(GetPaintManager());
    fileMenuButton_ = lookup.find("FileMenuBtn");
    helpMenuButton_ = lookup.find("HelpMenuBtn");
    selector_.bind(lookup);
    languageTipLabel_ = lookup.find("LanguageTipLabel");
    closeButton_ = lookup.find("closebtn");
    minimiseButton_ = lookup.find("minbtn");
    languageButton_ = lookup.find("LanguageBtn");
    resetButton_ = lookup.find("ResetBtn");
    saveButton_ = lookup.find("SaveBtn");
    restoreButton_ = lookup.find("RestoreLastTimeBtn");
    testButton_ = lookup.find("TestPlayBtn");
    panel_.bind(lookup);
    lookup.report(GetTitle());
    missing_ = lookup.missing();
}

void MainWindow::onWindowReady() {
    CenterWindow();
    bindControls();
    for (kit::Control* button : {resetButton_, saveButton_, restoreButton_, testButton_}) {
        setVisible(button, false);
    }
    if (!runStartupDataStep()) {
        reportStartupFailure();
        kit::PostQuitMessage(0);
        return;
    }
    setLanguage(setup_.systemLanguageId);
    startConnectionWorker();
    lastClickTime_ = kit::Clock::Current().NowNanoseconds();
    // The hot keys of the menus arrive with the menu handling.
}

bool MainWindow::runStartupDataStep() {
    const kit::WindowHandle self = GetHWND();
    const bool registered = registerDeviceNotifications(
        context_.device,
        [self](std::uint32_t event) { kit::PostMessage(self, kit::msg::DeviceChange, event); });
    if (!registered) {
        std::fprintf(stderr, "main window: device changes cannot be watched\n");
        return false;
    }
    context_.text.close();
    if (!context_.text.open(setup_.dataFolder + "MultiLingual.db")) {
        std::fprintf(stderr, "main window: %s\n", context_.text.lastError().c_str());
        return false;
    }
    if (Status factory = loadFactoryImage(context_.profile, context_.images, files_, HostMode::NS);
        !factory) {
        std::fprintf(stderr, "main window: factory settings: %s\n", factory.error.c_str());
    }
    return true;
}

void MainWindow::reportStartupFailure() {
    // The text store is what failed, so these two messages are built in.
    if (setup_.systemLanguageId == kLangIdJapanese) {
        kit::MessageBox(kit::kNoWindow, "ファイルの読み込みエラーが発生しました", "注意",
                        kit::MessageBoxIcon::Warning);
    } else {
        kit::MessageBox(GetHWND(), "Failed to read the data.", "prompt",
                        kit::MessageBoxIcon::Warning);
    }
}

void MainWindow::setLanguage(std::uint32_t langId) {
    const LanguageChoice choice = chooseLanguage(langId, context_.text.language);
    context_.text.language = choice.language;
    setText(languageButton_, choice.buttonLabel);
    const LanguageTipImage tip = languageTipImage(context_.text.language);
    setAttribute(languageTipLabel_, "width", tip.width);
    setAttribute(languageTipLabel_, "height", tip.height);
    setAttribute(languageTipLabel_, "bkimage", tip.bkimage);
    for (const MainWindowTexts& entry : kLanguageTexts) {
        setText(GetPaintManager().FindControl(entry.control), context_.text.text(entry.textId));
    }
    if (!context_.profile.currentRecords.empty()) {
        // The next full panel repaint keeps workingBlock, so unsaved edits survive.
        languageChanged_ = true;
        // Redrawing an open profile's panel arrives with the panel's profile painting.
    }
}

void MainWindow::startConnectionWorker() {
    // The worker's first step, done here on the UI thread: the cells ignore the mouse until a
    // profile is chosen.
    panel_.setCellsMouse(false);
    ConnectionWorker::startDetached(context_.device, context_.images,
                                    std::make_shared<WindowMessageTarget>(GetHWND()));
}

// --- Notifications ---------------------------------------------------------------------------

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
        // A double click on a profile name: the rename dialog arrives with the naming dialogs.
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
    if (sender == selector_.nsOption() || sender == selector_.pcOption()) {
        // The host-mode switch arrives with the profile selector; until then nothing is sent.
        return false;
    }
    const std::string name = sender->GetName();
    if (name == "FileMenuBtn" || name == "HelpMenuBtn" || name == "LanguageBtn") {
        // The menus arrive with the menu handling.
        return true;
    }
    if (name == "LStickSetBtn" || name == "RStickSetBtn") {
        selectedCell_ = sender;
        // The stick editor arrives with the editors.
        return true;
    }
    if (selector_.profileOfTab(sender) != 0) {
        // Choosing a profile arrives with the profile dialog.
        return true;
    }
    if (panel_.slotOf(sender) >= 0) {
        selectedCell_ = sender;
        // The button editors arrive with the editors.
        return true;
    }
    if (sender == resetButton_ || sender == saveButton_) {
        selectedCell_ = nullptr;
        // Their confirmations arrive with the save and reset handling.
        return false;
    }
    if (sender == restoreButton_) {
        // The discard confirmation arrives with the restore handling.
        return true;
    }
    if (sender == testButton_) {
        selectedCell_ = nullptr;
        // The test screens arrive with the live test.
        return true;
    }
    return true;
}

// --- Messages --------------------------------------------------------------------------------

kit::LResult MainWindow::HandleMessage(unsigned message, kit::WParam wParam, kit::LParam lParam) {
    switch (message) {
        case kit::msg::Timer:
            onHoverTick();
            return 0;
        case kit::msg::DeviceChange:
            onDeviceChange(wParam);
            return 0;
        case kit::msg::HotKey:
            // The hot keys arrive with the menu handling.
            return 0;
        case ConnectResultMessage:
            onConnectResult(wParam);
            return 0;
        case QuitFromConnectionMessage:
            onQuitFromConnection(static_cast<kit::WindowHandle>(wParam));
            return 0;
        case CellRefreshMessage:
            // Relabelling the selected cell arrives with the editors.
            return 0;
        case MainWindowMessage:
            onMainWindowMessage(wParam, lParam);
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
        // Menu choices arrive with the menu handling; the record is released all the same.
        GetPaintManager().DeletePtr(kit::MenuCommand::FromWParam(wParam));
        handled = true;
        return 0;
    }
    handled = false;
    return 0;
}

kit::LResult MainWindow::OnKeyDown(unsigned /*message*/, kit::WParam /*wParam*/,
                                   kit::LParam /*lParam*/, bool& handled) {
    handled = false;
    return 0;
}

void MainWindow::onMainWindowMessage(kit::WParam code, kit::LParam /*argument*/) {
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
        // Arrive with the profile dialog and naming dialogs.
        case MainWindowCode::OpenNewProfileNameDialog:
        case MainWindowCode::EditProfile:
        case MainWindowCode::OpenProfileDialog:
        case MainWindowCode::OpenNamingDialog:
        case MainWindowCode::NamingCancelled:
        case MainWindowCode::NamingConfirmed:
        case MainWindowCode::CancelProfileDialog:
        case MainWindowCode::RenameProfile:
        // Arrive with save, factory reset and restore.
        case MainWindowCode::SaveToDevice:
        case MainWindowCode::ResetToFactory:
        case MainWindowCode::LeaveProfile:
        // Arrive with the editors, the directions pop-ups and the live test.
        case MainWindowCode::OpenDirections:
        case MainWindowCode::LaunchTest:
        case MainWindowCode::ConfirmLongPressSwitch:
        case MainWindowCode::ConfirmBackToFunctionEditor:
        case MainWindowCode::SwitchToLongPressEditor:
        case MainWindowCode::SwitchToFunctionEditor:
        case MainWindowCode::PaintCellsNormal:
        case MainWindowCode::UpdateCellMarker:
        case MainWindowCode::MarkSelectedCell:
        case MainWindowCode::RecomputeMarkers:
            break;
        default:  // any other code is ignored
            break;
    }
}

void MainWindow::onConnectResult(kit::WParam result) {
    const ConnectResultReaction reaction =
        handleConnectResult(context_.device, context_.images, result);
    if (reaction.closeLoadingWindow) {
        closeWindowTitled(title::LoadingForm);
    }
    if (reaction.showOverview) {
        showOverview();
    }
    if (reaction.postConnectionPrompt) {
        PostMessage(MainWindowMessage,
                    static_cast<kit::WParam>(MainWindowCode::ShowConnectionPrompt));
    }
    if (reaction.showRejectedAndQuit) {
        kit::MessageBox(GetHWND(), context_.text.text(kRejectedMessageText),
                        context_.text.text(kRejectedMessageCaption), kit::MessageBoxIcon::Warning);
        kit::PostQuitMessage(0);
    }
    if (reaction.openInitFailurePrompt) {
        openInitFailurePrompt();
    }
}

void MainWindow::showOverview() {
    selector_.refreshOverview();
    panel_.showControllerLayout();
    setAttribute(selector_.nsOption(), "normalimage", "FunSetBtnBK_LightBlue.png");
    selector_.paintProfileMarks();
    SetTimer(kHoverTimer, kHoverPeriodMs);
    ++overviewCount_;
    PostMessage(kOverviewReadyMessage);
}

void MainWindow::onDeviceChange(kit::WParam event) {
    const bool promptOpen = kit::FindWindow(title::ConnectionForm) != kit::kNoWindow;
    const DeviceChangeReaction reaction = handleDeviceChange(context_.device, event, promptOpen);
    if (reaction.closeConnectionPrompt) {
        closeWindowTitled(title::ConnectionForm);
    }
    if (reaction.startWorker) {
        startConnectionWorker();
    }
    if (reaction.postConnectionPrompt) {
        PostMessage(MainWindowMessage,
                    static_cast<kit::WParam>(MainWindowCode::ShowConnectionPrompt));
    }
}

void MainWindow::onQuitFromConnection(kit::WindowHandle prompt) {
    if (hotKeyId_ != 0) {
        kit::UnregisterHotKey(GetHWND(), hotKeyId_);
        hotKeyId_ = 0;
    }
    kit::PostMessage(prompt, kit::msg::Close, 1);
    kit::PostQuitMessage(0);
}

void MainWindow::onHoverTick() {
    if (kit::GetForegroundWindow() != GetHWND()) {
        return;
    }
    // The hover preview of the profile tabs arrives with the profile selector.
}

void MainWindow::OnFinalMessage(kit::WindowHandle handle) {
    if (context_.device.hidDevice) {
        sendSwitchRequest(context_.device);
    }
    WindowImplBase::OnFinalMessage(handle);
    kit::PostQuitMessage(0);
}

// --- Child windows ---------------------------------------------------------------------------

void MainWindow::openLoadingWindow() {
    DialogWindow::Open(new LoadingForm(context_.text), GetHWND(), title::LoadingForm);
}

void MainWindow::openConnectionPrompt() {
    DialogWindow::Open(new ConnectionWindow(context_.text), GetHWND(), title::ConnectionForm);
}

void MainWindow::openInitFailurePrompt() {
    DialogWindow::Open(new InitFaileForm(context_.text), GetHWND(), title::InitFaileForm);
}

void MainWindow::openExitInquiry() {
    DialogWindow::Open(new ExitInquiryFrom(context_.text), GetHWND(), title::ExitInquiryFrom);
}

}  // namespace orv
