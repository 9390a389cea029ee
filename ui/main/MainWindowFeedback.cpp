// What the main window tells the user while a profile is open: one status line under the tabs
// (why the other tabs and the host-mode options do not react, what the last reset, import or
// export did) and a mark on "SaveBtn" and on the open profile's tab while the profile holds
// changes Save has not written.

#include <filesystem>
#include <string>

#include "ui/main/CellExtraMarks.h"
#include "ui/main/MainWindow.h"

namespace orv {

namespace {

constexpr int kSaveText = 23;
constexpr int kFactoryShownText = 300;
constexpr int kExportedText = 301;
constexpr int kImportedText = 302;
constexpr int kSaveOrRevertHintText = 303;
constexpr const char* kUnsavedMark = "\u25CF";  // ●

void replaceAll(std::string& text, const std::string& placeholder, const std::string& value) {
    for (std::size_t at = text.find(placeholder); at != std::string::npos;
         at = text.find(placeholder, at + value.size())) {
        text.replace(at, placeholder.size(), value);
    }
}

}  // namespace

std::string MainWindow::feedbackText(int textId, const std::string& file) const {
    std::string text = context_.text.text(textId);
    const std::uint32_t current = context_.images.currentProfile;
    std::string profile;
    if (current >= 1 && current <= ProfileMarks::kProfiles &&
        selector_.nameButton(current) != nullptr) {
        profile = selector_.nameButton(current)->GetText();
    }
    replaceAll(text, "{profile}", profile);
    replaceAll(text, "{file}", std::filesystem::path(file).filename().string());
    return text;
}

void MainWindow::showStatus(const std::string& text) {
    setText(statusLabel_, text);
    setVisible(statusLabel_, !text.empty());
}

void MainWindow::showEditingHint() {
    showStatus(context_.text.text(kSaveOrRevertHintText));
}

void MainWindow::showFactoryShown() {
    showStatus(context_.text.text(kFactoryShownText));
}

void MainWindow::showTransferDone(bool exported, const std::string& file) {
    showStatus(feedbackText(exported ? kExportedText : kImportedText, file));
}

bool MainWindow::hasUnsavedChanges() const {
    const ProfileImages& images = context_.images;
    return chosenProfile_ != 0 && images.currentProfile == chosenProfile_ &&
           !flags_.savedToDevice && images.workingBlock != context_.profile.backupBlock;
}

void MainWindow::updateUnsavedMarks() {
    if (workerRunning_) {
        return;  // the marks follow once the result is in
    }
    const bool unsaved = hasUnsavedChanges();
    const std::string save = context_.text.text(kSaveText);
    setText(saveButton_, unsaved ? save + " " + kUnsavedMark : save);
    for (std::uint32_t p = 1; p <= ProfileMarks::kProfiles; ++p) {
        setText(selector_.tab(p), unsaved && p == chosenProfile_ ? kUnsavedMark : "");
    }
    updateCellExtraMarks();
}

void MainWindow::updateCellExtraMarks() {
    const ProfileImages& images = context_.images;
    const bool open = chosenProfile_ != 0 && images.currentProfile == chosenProfile_;
    for (std::size_t slot = 0; slot < extraMarks_.size(); ++slot) {
        setText(extraMarks_[slot],
                open ? extraMarksText(images.workingBlock.button(slot), context_.text) : "");
    }
    setText(markLegendLabel_, context_.text.text(kExtraMarksLegendText));
    setVisible(markLegendLabel_, open);
}

}  // namespace orv
