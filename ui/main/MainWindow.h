#pragma once
// The one top-level window of the tool: the profile tabs and host-mode options, the picture of
// the controller with its cells, the menus and the action buttons. It starts the connection
// worker, receives every message the other windows and the worker send, and opens the dialogs
// and editors as modal children.
//
// Created by the process entry (or a test) with new, then Create(kNoWindow, "ORVMainWindow",
// style::Visible | style::OverlappedWindow, exstyle::WindowEdge); from then on it owns itself.
// When its window is destroyed it sends the identity switch request to an open controller and
// posts the quit message.

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "context/DeviceContext.h"
#include "profile/ProfileOutcome.h"
#include "profile/SettingsFiles.h"
#include "ui/kit/Menu.h"
#include "ui/kit/WindowImplBase.h"
#include "ui/main/ButtonPanel.h"
#include "ui/main/ProfileMarks.h"
#include "ui/main/ProfileSelector.h"

namespace orv {

struct MainWindowSetup {
    // The context the window and everything it starts work on; it must outlive any
    // connection worker the window starts (the process-wide one does).
    DeviceContext* context = nullptr;
    // Folder of MultiLingual.db and DefaultData.db, with a trailing '/'.
    std::string dataFolder;
    // The system default language identifier (kit::SystemLanguageId() in the tool).
    std::uint16_t systemLanguageId = 1033;
    // Called once each time the overview has been shown after a successful connection, after
    // the loading window's close was handled.
    std::function<void(kit::WindowHandle mainWindow)> onOverviewShown;
    // The controller is the simulated one: the title band says so.
    bool simulatedController = false;
};

class MainWindow : public kit::WindowImplBase {
public:
    static constexpr const char* kSkinFile = "MainWindow.xml";
    static constexpr unsigned kHoverTimer = 0;
    static constexpr unsigned kHoverPeriodMs = 200;

    explicit MainWindow(MainWindowSetup setup);

    // Names of the controls the skin lacks (looked up once, at start-up).
    const std::vector<std::string>& missingControls() const { return missing_; }
    // How many times the overview was entered after a successful connection.
    int overviewCount() const { return overviewCount_; }
    // Titles of the child windows the window asked for, oldest first, whether or not that
    // window exists in this build (some are still to come).
    const std::vector<std::string>& childWindowRequests() const { return childRequests_; }
    // Whether the open profile holds changes neither saved nor reverted (the marks show it).
    bool unsavedChanges() const { return hasUnsavedChanges(); }
    // Number 1..6 of the chosen profile tab, 0 when none.
    std::uint32_t chosenProfile() const { return chosenProfile_; }
    bool profileChosen() const { return profileChosen_; }
    const EditingFlags& editingFlags() const { return flags_; }

protected:
    std::string GetWindowClassName() const override { return "ORVMainWnd"; }
    std::string GetSkinFile() override { return kSkinFile; }
    void onWindowReady() override;
    kit::LResult HandleMessage(unsigned message, kit::WParam wParam, kit::LParam lParam) override;
    kit::LResult HandleCustomMessage(unsigned message, kit::WParam wParam, kit::LParam lParam,
                                     bool& handled) override;
    void Notify(kit::Notification& notification) override;
    void OnFinalMessage(kit::WindowHandle handle) override;
    kit::LResult OnKeyDown(unsigned message, kit::WParam wParam, kit::LParam lParam,
                           bool& handled) override;

private:
    // Posted to itself once the overview is on screen, so the hook runs after the loading
    // window's close (posted just before) has been handled.
    static constexpr unsigned kOverviewReadyMessage = kit::msg::User + 0x1F0;

    void bindControls();
    bool runStartupDataStep();
    void reportStartupFailure();
    void setLanguage(std::uint32_t langId);
    void startConnectionWorker();

    // Click dispatch; returns whether the library's default handling follows.
    bool onClick(kit::Control* sender);
    void onMainWindowMessage(kit::WParam code, kit::LParam argument);
    void onConnectResult(kit::WParam result);
    void onDeviceChange(kit::WParam event);
    void onQuitFromConnection(kit::WindowHandle prompt);
    void onHoverTick();
    void showOverview();

    void openLoadingWindow();
    void openConnectionPrompt();
    void openInitFailurePrompt();
    void openExitInquiry();
    // Opens the dialog titled `windowTitle` (the prompts, the profile and naming dialogs, the
    // version window) modally over the main window and records the request.
    void openDialog(const char* windowTitle);
    void recordRequest(const char* windowTitle) { childRequests_.emplace_back(windowTitle); }

    // Profile life cycle (MainWindowProfileFlow.cpp).
    void hoverPreview(kit::Point clientPoint);
    void chooseProfile(std::uint32_t n);
    void showProfileTab(std::uint32_t n);
    void lockToProfile(std::uint32_t n);
    void openProfileDialog();
    // While a profile is being edited the host-mode options take no clicks.
    void holdHostMode();
    void editChosenProfile();
    void applyChosenProfile();
    void cancelProfileDialogAnswer();
    void makeNewProfile();
    void renameProfile();
    void leaveProfile();
    void saveToDevice();
    void resetToFactory();
    void switchHostMode(HostMode mode);
    void onModeOption(HostMode mode, bool& passOn);
    // Shows what a profile operation asks the window to show.
    void showOutcome(const ProfileOutcome& outcome);
    void showNotice(int textId, int captionId, bool exclamation = false);

    // Cells and editors (MainWindowProfileFlow.cpp).
    void openCellEditor(std::size_t slot);
    void openStickEditor(std::uint32_t item);
    void switchEditor(const char* closingTitle, std::uint8_t switchFlag);
    void launchTest(std::uint32_t testCode);
    void updateSelectedCellMarker();

    // Status line and unsaved-changes marks (MainWindowFeedback.cpp).
    std::string feedbackText(int textId, const std::string& file) const;
    void showStatus(const std::string& text);  // "" hides the line
    void showEditingHint();
    void showFactoryShown();
    void showTransferDone(bool exported, const std::string& file);
    bool hasUnsavedChanges() const;
    void updateUnsavedMarks();
    // Long press, turbo, continuous-disable and long-press switch marks over the cells of the
    // open profile, and their legend; none while no profile is open.
    void updateCellExtraMarks();

    // Menus and hot keys (MainWindowMenus.cpp).
    void openFileMenu();
    // "Back up controller…" / "Restore controller…": only with a controller and no profile open
    // (a notice with `captionId` otherwise).
    bool wholeControllerGate(int captionId);
    void backupGate();
    void restoreGate();
    void openHelpMenu();
    void openLanguageMenu();
    void onMenuChoice(const std::string& itemName);
    // Rename, Import and Export act on the chosen profile; without one they only warn.
    void renameGate();
    void importGate();
    void exportGate();
    void openVersionWindow();
    void registerHotKeys();
    void onHotKey(kit::LParam lParam);

    MainWindowSetup setup_;
    DeviceContext& context_;
    SettingsFiles files_;
    ProfileContext profileContext_;  // the parts of context_ the profile operations use
    std::vector<std::string> missing_;

    kit::Control* fileMenuButton_ = nullptr;
    kit::Control* helpMenuButton_ = nullptr;
    kit::Control* languageTipLabel_ = nullptr;
    kit::Control* closeButton_ = nullptr;
    kit::Control* minimiseButton_ = nullptr;
    kit::Control* languageButton_ = nullptr;
    kit::Control* resetButton_ = nullptr;
    kit::Control* saveButton_ = nullptr;
    kit::Control* restoreButton_ = nullptr;
    kit::Control* testButton_ = nullptr;
    kit::Control* statusLabel_ = nullptr;
    std::array<kit::Control*, kButtonSlotCount> extraMarks_{};  // "Marks_" + cell name
    kit::Control* markLegendLabel_ = nullptr;

    ProfileMarks profileMarks_;
    ButtonPanel panel_;
    ProfileSelector selector_;

    kit::Control* selectedCell_ = nullptr;
    EditingFlags flags_;
    bool profileChosen_ = false;
    // True from the start of a connection worker until its result arrives: the worker owns the
    // images meanwhile, so nothing on this thread may read them.
    bool workerRunning_ = false;
    std::uint32_t chosenProfile_ = 0;
    kit::MenuCheckMap menuCheckMap_;
    kit::MenuHandle fileMenu_;
    kit::MenuHandle helpMenu_;
    std::vector<std::string> childRequests_;
    std::int64_t lastClickTime_ = 0;  // kit::Clock nanoseconds of the previous click
    bool languageChanged_ = false;
    int hotKeyId_ = 0;  // 0 while no hot keys are registered
    int overviewCount_ = 0;
};

}  // namespace orv
