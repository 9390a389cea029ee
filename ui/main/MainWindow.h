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

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "app/DeviceContext.h"
#include "profile/SettingsFiles.h"
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

    MainWindowSetup setup_;
    DeviceContext& context_;
    SettingsFiles files_;
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

    ProfileMarks profileMarks_;
    ButtonPanel panel_;
    ProfileSelector selector_;

    kit::Control* selectedCell_ = nullptr;
    std::int64_t lastClickTime_ = 0;  // kit::Clock nanoseconds of the previous click
    bool languageChanged_ = false;
    int hotKeyId_ = 0;  // 0 while no hot keys are registered
    int overviewCount_ = 0;
};

}  // namespace orv
