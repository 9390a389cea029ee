#include "ui/main/MainWindow.h"

#include <cstdio>
#include <memory>

#include "device/ConnectionHandling.h"
#include "device/ConnectionWorker.h"
#include "device/ControllerDiscovery.h"
#include "profile/ProfileModel.h"
#include "profile/SettingsDatabase.h"
#include "ui/dialogs/ConnectionWindow.h"
#include "ui/dialogs/PermissionPromptWindow.h"
#include "ui/dialogs/ControlLookup.h"
#include "ui/dialogs/ExitInquiryFrom.h"
#include "ui/dialogs/HelpForm.h"
#include "ui/dialogs/InitFaileForm.h"
#include "ui/dialogs/LoadingForm.h"
#include "ui/dialogs/NewProfileNameForm.h"
#include "ui/dialogs/ProfileForm.h"
#include "ui/dialogs/QuitEditPromptFrom.h"
#include "ui/dialogs/RenameForm.h"
#include "ui/dialogs/ResetDataFrom.h"
#include "ui/dialogs/SaveSuccessFrom.h"
#include "ui/dialogs/SaveTipsFrom.h"
#include "ui/kit/Clock.h"
#include "ui/kit/Menu.h"
#include "ui/kit/MessageBox.h"
#include "ui/kit/SystemServices.h"
#include "ui/kit/WindowSystem.h"
#include "ui/main/DesktopTitles.h"
#include "ui/main/LanguageChoice.h"
#include "ui/main/WindowMessageTarget.h"
#include "ui/main/WindowMessages.h"

namespace orv {

namespace {

struct MainWindowTexts {
    const char* control;
    int textId;
};
constexpr MainWindowTexts kLanguageTexts[] = {
    {"FileMenuBtn", 25}, {"HelpMenuBtn", 29},        {"ProFilePromptLabel", 21}, {"ResetBtn", 22},
    {"SaveBtn", 23},     {"RestoreLastTimeBtn", 24}, {"TestPlayBtn", 54},
    // Captions beside the cells that name a button or a stick in words.
    {"Caption_J_CAP_P", 304}, {"Caption_J_HOME_P", 305}, {"Caption_LStickSetBtn", 19},
    {"Caption_RStickSetBtn", 20}, {"Caption_J_LSB_P", 1}, {"Caption_J_RSB_P", 18},
    {"SimulatedMarkLabel", 313},
    {"ToolNameLabel", 400},  // the name the desktop shows too
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
      profileContext_{context_.images, context_.profile, context_.device, files_},
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
    statusLabel_ = lookup.find("StatusLabel");
    panel_.bind(lookup);
    for (std::size_t slot = 0; slot < extraMarks_.size(); ++slot) {
        if (const kit::Control* cell = panel_.cell(slot)) {
            extraMarks_[slot] = lookup.find("Marks_" + cell->GetName());
        }
    }
    markLegendLabel_ = lookup.find("MarkLegendLabel");
    setVisible(GetPaintManager().FindControl("SimulatedMarkLabel"), setup_.simulatedController);
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
    registerHotKeys();
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
    const TextStore& texts = context_.text;
    kit::SetDesktopTitles(
        [&texts](const std::string& lookupTitle) { return desktopTitle(texts, lookupTitle); });
    updateUnsavedMarks();
    if (statusLabel_ != nullptr && statusLabel_->IsVisible()) {
        showEditingHint();  // a confirmation in the old language gives way to the hint
    }
    if (!context_.profile.currentRecords.empty()) {
        // The next full panel repaint keeps workingBlock, so unsaved edits survive.
        languageChanged_ = true;
        if (context_.profile.lastProfile(context_.images.hostMode) != 0) {
            panel_.paintProfileCells(languageChanged_);
            refreshPanelCopy(context_.profile, context_.images);
        }
    }
}

void MainWindow::startConnectionWorker() {
    // The worker's first step, done here on the UI thread: the cells ignore the mouse until a
    // profile is chosen.
    panel_.setCellsMouse(false);
    workerRunning_ = true;
    ConnectionWorker::startDetached(context_.device, context_.images,
                                    std::make_shared<WindowMessageTarget>(GetHWND()));
}

void MainWindow::onConnectResult(kit::WParam result) {
    workerRunning_ = false;
    const ConnectResultReaction reaction =
        handleConnectResult(context_.device, context_.images, result);
    if (reaction.closeLoadingWindow) {
        closeWindowTitled(title::LoadingForm);
    }
    if (reaction.showOverview) {
        // A reconnection ends the editing of a profile: the controller came back with only
        // its permanent images, and they were just read again (workingBlock too), so nothing
        // of the session is left to save, and saving would write whatever image was read last
        // into the chosen slot.
        if (profileChosen_) {
            flags_ = EditingFlags{};
            leaveProfile();
            // Whatever was open on that session (an editor, its confirmations, a test screen,
            // a prompt) would go on acting on it; close it with the session.
            for (const kit::WindowHandle window : kit::LiveWindows()) {
                if (window != GetHWND()) {
                    kit::PostMessage(window, kit::msg::Close, 0);
                }
            }
        }
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
    const kit::Point cursor = kit::GetCursorPos();
    const kit::Rect frame = GetWindowRect();
    hoverPreview(kit::Point{cursor.x - frame.left, cursor.y - frame.top});
}

void MainWindow::OnFinalMessage(kit::WindowHandle handle) {
    kit::SetDesktopTitles(nullptr);  // the text store goes with this window
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
    // A controller that is there but denied to this user needs a rule, not a cable.
    DialogWindow* prompt = context_.device.accessDenied
                               ? static_cast<DialogWindow*>(new PermissionPromptWindow(context_.text))
                               : new ConnectionWindow(context_.text);
    DialogWindow::Open(prompt, GetHWND(), title::ConnectionForm);
}

void MainWindow::openInitFailurePrompt() {
    DialogWindow::Open(new InitFaileForm(context_.text), GetHWND(), title::InitFaileForm);
}

void MainWindow::openExitInquiry() {
    openDialog(title::ExitInquiryFrom);
}

void MainWindow::openDialog(const char* windowTitle) {
    recordRequest(windowTitle);
    const std::string wanted = windowTitle;
    const TextStore& texts = context_.text;
    DialogWindow* dialog = nullptr;
    if (wanted == title::ExitInquiryFrom) {
        dialog = new ExitInquiryFrom(texts);
    } else if (wanted == title::ProfileForm) {
        dialog = new ProfileForm(texts);
    } else if (wanted == title::NewProfileNameForm) {
        dialog = new NewProfileNameForm(texts, context_.profile, context_.images);
    } else if (wanted == title::RenameForm) {
        dialog = new RenameForm(texts, context_.profile);
    } else if (wanted == title::SaveTipsFrom) {
        dialog = new SaveTipsFrom(texts);
    } else if (wanted == title::ResetDataFrom) {
        dialog = new ResetDataFrom(texts);
    } else if (wanted == title::QuitEditPromptFrom) {
        dialog = new QuitEditPromptFrom(texts);
    } else if (wanted == title::SaveSuccessFrom) {
        dialog = new SaveSuccessFrom(texts);
    } else if (wanted == title::VersionForm) {
        dialog = new HelpForm(texts);
    }
    if (dialog != nullptr) {
        DialogWindow::Open(dialog, GetHWND(), windowTitle);
    }
}

}  // namespace orv
