// The main window's File, Help and Language menus, what their items do, the import and export
// gates, backup and restore of the whole controller, and the six Alt hot keys that open the menus
// and run their items.

#include <algorithm>
#include <array>
#include <string>

#include "profile/ControllerBackup.h"
#include "profile/ProfileTransfer.h"
#include "ui/kit/FileDialog.h"
#include "ui/kit/SystemServices.h"
#include "ui/kit/WindowSystem.h"
#include "ui/main/LanguageChoice.h"
#include "ui/main/MainWindow.h"
#include "ui/main/WindowMessages.h"

namespace orv {

namespace {

// One id for all six keys, in the range the system gives string atoms.
constexpr int kHotKeyId = 0xC000;
constexpr std::array<unsigned, 6> kHotKeys = {'F', 'H', 'I', 'E', 'X', 'A'};
// While one of these windows is open the hot keys do nothing.
constexpr std::array<const char*, 12> kHotKeyBlockingTitles = {
    title::VersionForm,     title::StickSetForm, title::FunButtonForm,   title::LPressSwitchForm,
    title::ResetDataFrom,   title::SaveTipsFrom, title::SaveSuccessFrom, title::QuitEditPromptFrom,
    title::TestSickAllForm, title::ProfileForm,  title::RenameForm,      title::NewProfileNameForm,
};

constexpr int kMenuTop = 35;
constexpr int kHelpMenuLeft = 157;
constexpr int kLanguageMenuFromRight = 298;
constexpr unsigned kMenuAlignment = 6;

std::vector<kit::FileFilter> backupFileFilters() {
    return {{"Backup Files(*.orvbackup)", {"*.orvbackup"}}, {"All Files(*.*)", {"*.*"}}};
}

constexpr int kSettingsFilesText = 419;
constexpr int kImportTitleText = 420;
constexpr int kExportTitleText = 421;

// One filter that reads like the product ("Settings files (*.db)"): export and import only
// deal in settings databases.
std::vector<kit::FileFilter> settingsFileFilters(const TextStore& texts) {
    std::string name = texts.text(kSettingsFilesText);
    if (name.empty()) {
        name = "Settings files";
    }
    return {{name, {"*.db"}}};
}

}  // namespace

void MainWindow::openFileMenu() {
    const kit::Rect frame = GetWindowRect();
    fileMenu_ = kit::Menu::CreateMenu(nullptr, context_.text.languageFileName("FileMenu"),
                                      kit::Point{frame.left, frame.top + kMenuTop},
                                      &GetPaintManager(), &menuCheckMap_, kMenuAlignment);
}

void MainWindow::openHelpMenu() {
    const kit::Rect frame = GetWindowRect();
    helpMenu_ = kit::Menu::CreateMenu(nullptr, context_.text.languageFileName("HelpMenu"),
                                      kit::Point{frame.left + kHelpMenuLeft, frame.top + kMenuTop},
                                      &GetPaintManager(), &menuCheckMap_, kMenuAlignment);
}

void MainWindow::openLanguageMenu() {
    const kit::Rect frame = GetWindowRect();
    kit::Menu::CreateMenu(nullptr, "Language.xml",
                          kit::Point{frame.right - kLanguageMenuFromRight, frame.top + kMenuTop},
                          &GetPaintManager(), &menuCheckMap_, kMenuAlignment);
}

void MainWindow::onMenuChoice(const std::string& itemName) {
    if (itemName == "RenameBtn") {
        renameGate();
    } else if (itemName == "ImportMenuBtn") {
        importGate();
    } else if (itemName == "ExportMenuBtn") {
        exportGate();
    } else if (itemName == "BackupMenuBtn") {
        backupGate();
    } else if (itemName == "RestoreMenuBtn") {
        restoreGate();
    } else if (itemName == "ExitMenuBtn") {
        openExitInquiry();
    } else if (itemName == "HelpMenuBtn") {
        openVersionWindow();
    } else if (itemName == "Japanese") {
        setLanguage(kLangIdJapanese);
    } else if (itemName == "English") {
        setLanguage(kLangIdEnglishUs);
    }
    // "CopyBtn", "PasteBtn" and any other item: nothing.
}

void MainWindow::renameGate() {
    // Without a chosen profile a typed name would have nowhere to go; say so before asking.
    if (chosenProfile_ == 0) {
        showNotice(kNoProfileChosenText, kCaptionText);
        return;
    }
    openDialog(title::RenameForm);
}

void MainWindow::importGate() {
    if (chosenProfile_ == 0) {
        showNotice(kNoProfileChosenText, kCaptionText);
        return;
    }
    const std::optional<ProfileFolders> folders = importFolders();
    if (!folders) {
        return;
    }
    kit::FileDialogRequest request;
    request.mode = kit::FileDialogRequest::Mode::Open;
    request.owner = GetHWND();
    request.title = context_.text.text(kImportTitleText);
    request.filters = settingsFileFilters(context_.text);
    request.defaultExtension = "db";
    request.initialFolder = folders->importStartFolder(context_.images.hostMode).string();
    request.fileMustExist = true;
    const std::optional<std::string> chosen = kit::ShowFileDialog(request);
    if (!chosen || chosen->empty()) {
        return;
    }
    const ProfileOutcome outcome = importProfile(profileContext_, flags_, *chosen);
    showOutcome(outcome);
    if (outcome.succeeded) {
        showTransferDone(false, *chosen);
    }
    updateUnsavedMarks();
}

void MainWindow::exportGate() {
    if (chosenProfile_ == 0) {
        showNotice(kNoProfileChosenText, kCaptionText);
        return;
    }
    const std::uint32_t current = context_.images.currentProfile;
    std::string defaultName;
    if (current >= 1 && current <= ProfileMarks::kProfiles &&
        selector_.nameButton(current) != nullptr) {
        defaultName = selector_.nameButton(current)->GetText();
    }
    const std::optional<ProfileFolders> folders = exportFolders();
    if (!folders) {
        return;
    }
    kit::FileDialogRequest request;
    request.mode = kit::FileDialogRequest::Mode::Save;
    request.owner = GetHWND();
    request.title = context_.text.text(kExportTitleText);
    request.filters = settingsFileFilters(context_.text);
    request.defaultExtension = "db";
    request.initialFolder = folders->forMode(context_.images.hostMode).string();
    request.initialFileName = defaultName;
    request.overwritePrompt = true;
    const std::optional<std::string> chosen = kit::ShowFileDialog(request);
    if (!chosen || chosen->empty()) {
        return;
    }
    const ProfileOutcome outcome = exportProfile(profileContext_, *chosen);
    showOutcome(outcome);
    if (outcome.succeeded) {
        showTransferDone(true, *chosen);
    }
}

bool MainWindow::wholeControllerGate(int captionId) {
    if (context_.device.connected == 0 || !context_.device.hidDevice) {
        showNotice(kNoControllerForBackupText, captionId);
        return false;
    }
    // While a profile is open its stored entry may already be replaced by an unsaved reset or
    // import; outside editing the lists are what the controller holds.
    if (chosenProfile_ != 0 || context_.profile.lastNsProfile != 0 ||
        context_.profile.lastPcProfile != 0) {
        showNotice(kLeaveEditingFirstText, captionId);
        return false;
    }
    return true;
}

void MainWindow::backupGate() {
    if (!wholeControllerGate(kBackupCaptionText)) {
        return;
    }
    kit::FileDialogRequest request;
    request.mode = kit::FileDialogRequest::Mode::Save;
    request.owner = GetHWND();
    request.title = context_.text.text(kBackupCaptionText);
    request.filters = backupFileFilters();
    request.defaultExtension = "orvbackup";
    if (const std::optional<std::filesystem::path> desktop = desktopFolder()) {
        request.initialFolder = desktop->string();
    }
    request.initialFileName = "controller";
    request.overwritePrompt = true;
    const std::optional<std::string> chosen = kit::ShowFileDialog(request);
    if (!chosen || chosen->empty()) {
        return;
    }
    const Status written = writeControllerBackup(*chosen, context_.images);
    showNotice(written ? kBackupDoneText : kBackupFailedText, kBackupCaptionText);
}

void MainWindow::restoreGate() {
    if (!wholeControllerGate(kRestoreCaptionText)) {
        return;
    }
    kit::FileDialogRequest request;
    request.mode = kit::FileDialogRequest::Mode::Open;
    request.owner = GetHWND();
    request.title = context_.text.text(kRestoreCaptionText);
    request.filters = backupFileFilters();
    request.defaultExtension = "orvbackup";
    if (const std::optional<std::filesystem::path> desktop = desktopFolder()) {
        request.initialFolder = desktop->string();
    }
    request.fileMustExist = true;
    const std::optional<std::string> chosen = kit::ShowFileDialog(request);
    if (!chosen || chosen->empty()) {
        return;
    }
    ControllerBackup backup;
    if (!readControllerBackup(*chosen, backup)) {
        showNotice(kRestoreRefusedText, kRestoreCaptionText);
        return;
    }
    const std::vector<SlotResult> results =
        restoreImages(context_.device, context_.images, backup.images, {}, {});
    const bool complete = std::all_of(results.begin(), results.end(), [](const SlotResult& r) {
        return r.outcome == SlotRestore::Restored;
    });
    selector_.refreshOverview();
    selector_.paintProfileMarks();
    showNotice(complete ? kRestoreDoneText : kRestoreStoppedText, kRestoreCaptionText);
}

void MainWindow::openVersionWindow() {
    openDialog(title::VersionForm);
}

void MainWindow::registerHotKeys() {
    hotKeyId_ = kHotKeyId;
    for (unsigned key : kHotKeys) {
        kit::RegisterHotKey(GetHWND(), hotKeyId_, kit::mod::Alt, key);
    }
}

void MainWindow::onHotKey(kit::LParam lParam) {
    for (const char* blocking : kHotKeyBlockingTitles) {
        if (kit::FindWindow(blocking) != kit::kNoWindow) {
            return;
        }
    }
    const auto key = static_cast<unsigned>((static_cast<std::uintptr_t>(lParam) >> 16) & 0xFFFF);
    switch (key) {
        case 'F':
            helpMenu_.Close();
            fileMenu_.Close();
            openFileMenu();
            break;
        case 'H':
            helpMenu_.Close();
            fileMenu_.Close();
            openHelpMenu();
            break;
        case 'I':
            if (fileMenu_.IsOpen()) {
                importGate();
            }
            break;
        case 'E':
            if (fileMenu_.IsOpen()) {
                exportGate();
            }
            break;
        case 'X':
            if (fileMenu_.IsOpen()) {
                openExitInquiry();
            }
            break;
        case 'A':
            if (helpMenu_.IsOpen()) {
                openVersionWindow();
            }
            break;
        default:
            break;
    }
}

}  // namespace orv
