// The main window's profile life cycle: the overview's hover preview, choosing a tab, editing,
// creating, renaming, saving, resetting and leaving a profile, switching the host mode, and
// opening the editors of the cells.

#include <string>

#include "device/VendorProtocol.h"
#include "profile/ProfileEditing.h"
#include "profile/ProfileModel.h"
#include "profile/ProfileSlots.h"
#include "profile/SettingsDatabase.h"
#include "ui/editors/EditorOpening.h"
#include "ui/kit/Clock.h"
#include "ui/kit/MessageBox.h"
#include "ui/kit/WindowSystem.h"
#include "ui/livetest/LaunchTest.h"
#include "ui/main/MainWindow.h"
#include "ui/main/WindowMessages.h"

namespace orv {

namespace {

constexpr const char* kOptionColourImages[] = {
    "FunSetBtnBK_DeepGreen.png",  "FunSetBtnBK_DeepYellow.png", "FunSetBtnBK_DeepRed.png",
    "FunSetBtnBK_DeepPurple.png", "FunSetBtnBK_DeepBlue.png",   "FunSetBtnBK_DeepGray.png",
};
constexpr const char* kActiveOptionImage = "FunSetBtnBK_LightBlue.png";
constexpr const char* kOtherOptionImage = "FunSetBtnBK_LightGray.png";
constexpr unsigned kEditorSwitchPauseMs = 50;

bool bothListsHold(const ProfileImages& images, std::size_t count, bool exactly) {
    const auto fits = [&](std::size_t size) { return exactly ? size == count : size >= count; };
    return fits(images.nsProfiles.size()) && fits(images.pcProfiles.size());
}

}  // namespace

// --- Overview ----------------------------------------------------------------------------------

void MainWindow::hoverPreview(kit::Point clientPoint) {
    ProfileImages& images = context_.images;
    std::vector<DeviceSettingsBlock>& list = images.currentProfiles();
    if (list.size() < kProfilesPerMode) {
        return;
    }
    for (std::uint32_t n = 1; n <= kProfilesPerMode; ++n) {
        images.currentProfile = n;
        panel_.nonDefaultCells().clear();
        images.workingBlock = list[n - 1];
        context_.profile.entryBlock = list[n - 1];
        context_.profile.backupBlock = list[n - 1];
        leaveProfile();
        const kit::Control* tab = selector_.tab(n);
        const kit::Control* nameButton = selector_.nameButton(n);
        const bool hit = (tab != nullptr && tab->GetPos().Contains(clientPoint)) ||
                         (nameButton != nullptr && nameButton->GetPos().Contains(clientPoint));
        if (hit) {
            images.currentProfile = n;
            images.workingBlock = list[n - 1];
            panel_.paintProfileCells(languageChanged_);
            panel_.recomputeMarkers();
            return;
        }
    }
}

void MainWindow::chooseProfile(std::uint32_t n) {
    ProfileImages& images = context_.images;
    if (!bothListsHold(images, kProfilesPerMode, true)) {
        return;
    }
    profileChosen_ = true;
    KillTimer(kHoverTimer);
    if (n == context_.profile.lastProfile(images.hostMode)) {
        return;
    }
    setAttribute(images.hostMode == HostMode::PC ? selector_.pcOption() : selector_.nsOption(),
                 "normalimage", kOptionColourImages[n - 1]);
    images.currentProfile = n;
    chosenProfile_ = n;
    // The copies leaving restores from are taken here as well: a click can arrive before a
    // hover tick has seen the cursor over this tab.
    const DeviceSettingsBlock& stored = images.currentProfiles()[n - 1];
    images.workingBlock = stored;
    context_.profile.entryBlock = stored;
    context_.profile.backupBlock = stored;
    panel_.setCellsMouse(false);
    showProfileTab(n);
    lockToProfile(n);
    openProfileDialog();
}

void MainWindow::showProfileTab(std::uint32_t n) {
    for (std::uint32_t p = 1; p <= kProfilesPerMode; ++p) {
        setAttribute(selector_.nameButton(p), "bordersize", p == n ? "1,1,1,1" : "0,0,0,0");
    }
    setAttribute(selector_.tab(n), "normalimage", "ProFile" + std::to_string(n) + "_sel.png");
}

void MainWindow::lockToProfile(std::uint32_t n) {
    setVisible(selector_.promptLabel(), false);
    // The other tabs and the host-mode options stay still until Save or Revert: say so.
    if (n != 0) {
        showEditingHint();
    } else {
        showStatus("");
    }
    for (std::uint32_t p = 1; p <= kProfilesPerMode; ++p) {
        const bool enabled = n == 0 || p == n;
        setEnabled(selector_.tab(p), enabled);
        setEnabled(selector_.nameButton(p), enabled);
    }
}

void MainWindow::openProfileDialog() {
    // The profile dialog answers with codes 1, 2 and 16.
    openDialog(title::ProfileForm);
}

// --- Answers of the profile and naming dialogs -------------------------------------------------

void MainWindow::holdHostMode() {
    setEnabled(selector_.nsOption(), false);
    setEnabled(selector_.pcOption(), false);
}

void MainWindow::editChosenProfile() {
    if (chosenProfile_ == 0) {
        return;
    }
    holdHostMode();
    context_.images.currentProfile = chosenProfile_;
    panel_.nonDefaultCells().clear();
    panel_.setCellsMouse(true);
    applyChosenProfile();
}

void MainWindow::applyChosenProfile() {
    const ProfileOutcome outcome = activateProfileForEditing(profileContext_);
    if (outcome.showEditingButtons) {
        for (kit::Control* button : {resetButton_, saveButton_, restoreButton_, testButton_}) {
            setVisible(button, true);
        }
    }
    if (!outcome.succeeded) {
        return;  // the controller refused the profile: the panel stays as it was
    }
    panel_.paintProfileCells(languageChanged_);
    panel_.recomputeMarkers();
    context_.profile.selectedSlot = kSelectionNone;
}

void MainWindow::cancelProfileDialogAnswer() {
    cancelProfileDialog(profileContext_);
    leaveProfile();
}

void MainWindow::makeNewProfile() {
    const ProfileOutcome outcome = newProfileFromFactory(profileContext_, flags_);
    if (outcome.succeeded) {
        profileChosen_ = true;
        KillTimer(kHoverTimer);
        // The new profile is being edited like any other: the host mode stays until Save or
        // Revert. A mode switch here would leave this mode's profile remembered, and coming
        // back would re-apply it from the overview with the hover preview still running.
        holdHostMode();
    }
    showOutcome(outcome);
}

void MainWindow::renameProfile() {
    showOutcome(renameCurrentProfile(profileContext_));
}

// --- Save, reset, leave ------------------------------------------------------------------------

void MainWindow::saveToDevice() {
    const ProfileOutcome outcome = saveProfile(profileContext_, flags_);
    showOutcome(outcome);
    if (outcome.succeeded) {
        // Its confirmation sends code 19, which leaves the profile.
        openDialog(title::SaveSuccessFrom);
    }
}

void MainWindow::resetToFactory() {
    const ProfileOutcome outcome = factoryResetProfile(profileContext_, flags_);
    showOutcome(outcome);
    if (outcome.succeeded) {
        panel_.nonDefaultCells().clear();
        showFactoryShown();
    }
    flags_.savedToDevice = false;
    updateUnsavedMarks();
}

void MainWindow::leaveProfile() {
    ProfileImages& images = context_.images;
    const std::uint32_t current = images.currentProfile;
    const ProfileOutcome outcome = restoreLastTime(profileContext_, flags_);
    if (outcome.nameButtonText && current >= 1 && current <= kProfilesPerMode) {
        setText(selector_.nameButton(current), *outcome.nameButtonText);
    }
    if (outcome.customisedMark) {
        profileMarks_.set(images.hostMode, current, 0);
        if (*outcome.customisedMark) {
            profileMarks_.markCustomisedName(images.hostMode, current);
        }
    }
    for (kit::Control* button : {resetButton_, saveButton_, restoreButton_, testButton_}) {
        setVisible(button, false);
    }
    panel_.showControllerLayout();
    context_.profile.selectedSlot = kSelectionNone;
    for (std::uint32_t p = 1; p <= kProfilesPerMode; ++p) {
        setAttribute(selector_.nameButton(p), "bordersize", "0,0,0,0");
    }
    panel_.setCellsMouse(false);
    if (profileChosen_) {
        lockToProfile(0);
    }
    setVisible(selector_.promptLabel(), true);
    showStatus("");
    updateUnsavedMarks();
    const bool pc = images.hostMode == HostMode::PC;
    if (!profileChosen_) {
        setAttribute(pc ? selector_.pcOption() : selector_.nsOption(), "normalimage",
                     kActiveOptionImage);
        setAttribute(pc ? selector_.nsOption() : selector_.pcOption(), "normalimage",
                     kOtherOptionImage);
        return;
    }
    setEnabled(selector_.nsOption(), true);
    setEnabled(selector_.pcOption(), true);
    selector_.showNormalTabs();
    profileMarks_.clear();
    selector_.refreshOverview();
    selector_.paintProfileMarks();
    chosenProfile_ = 0;
    images.currentProfile = 0;
    flags_ = EditingFlags{};
    profileChosen_ = false;
    SetTimer(kHoverTimer, kHoverPeriodMs);
}

// --- Host mode ---------------------------------------------------------------------------------

void MainWindow::onModeOption(HostMode mode, bool& passOn) {
    const auto modeByte = static_cast<std::uint8_t>(mode);
    if (!Select(context_.device, modeByte, vendor::kNoSelection)) {
        passOn = false;  // refused: the options and the panel stay as they were
        return;
    }
    switchHostMode(mode);
}

void MainWindow::switchHostMode(HostMode mode) {
    const bool pc = mode == HostMode::PC;
    setAttribute(pc ? selector_.pcOption() : selector_.nsOption(), "normalimage",
                 kActiveOptionImage);
    setAttribute(pc ? selector_.nsOption() : selector_.pcOption(), "normalimage",
                 kOtherOptionImage);
    selector_.showNormalTabs();
    ProfileImages& images = context_.images;
    // Without the factory file the records stay empty and no cell counts as changed.
    loadFactoryImage(context_.profile, images, files_, mode);
    const std::uint32_t remembered = context_.profile.lastProfile(mode);
    images.hostMode = mode;
    if (remembered == 0) {
        selector_.refreshOverview();
        // Leaving shows the name of backupBlock on the current name button; it must be this
        // mode's profile, not what the other mode's overview left there.
        if (const DeviceSettingsBlock* stored = storedEntry(images)) {
            context_.profile.entryBlock = *stored;
            context_.profile.backupBlock = *stored;
        }
        leaveProfile();
        return;
    }
    images.currentProfile = remembered;
    std::vector<DeviceSettingsBlock>& list = images.currentProfiles();
    if (list.size() < kProfilesPerMode) {
        return;
    }
    for (std::uint32_t h = 0; h < kProfilesPerMode; ++h) {
        const std::string name = readProfileName(list[h]);
        if (isCustomisedName(h, name)) {
            profileMarks_.markCustomisedName(mode, h + 1);
        }
        images.currentProfile = h + 1;
        images.workingBlock = list[h];
        panel_.recomputeMarkers();
        setText(selector_.nameButton(h + 1), name);
    }
    // The remembered profile is the one applied again, as an editing session of its own: the
    // hover preview would otherwise take the panel back on its next tick.
    images.currentProfile = remembered;
    profileChosen_ = true;
    chosenProfile_ = remembered;
    KillTimer(kHoverTimer);
    holdHostMode();
    lockToProfile(remembered);
    showProfileTab(remembered);
    panel_.setCellsMouse(true);
    applyChosenProfile();
}

// --- What the profile operations ask for ---------------------------------------------------

void MainWindow::showOutcome(const ProfileOutcome& outcome) {
    ProfileImages& images = context_.images;
    const std::uint32_t current = images.currentProfile;
    if (outcome.nameButtonText && current >= 1 && current <= kProfilesPerMode) {
        setText(selector_.nameButton(current), *outcome.nameButtonText);
    }
    if (outcome.refreshPanel) {
        panel_.paintProfileCells(languageChanged_);
        panel_.nonDefaultCells().clear();
        panel_.setCellsMouse(true);
    }
    if (outcome.drawHomeCellEmpty) {
        panel_.drawHomeCellEmpty();
    }
    if (outcome.showEditingButtons) {
        for (kit::Control* button : {resetButton_, saveButton_, restoreButton_, testButton_}) {
            setVisible(button, true);
        }
    }
    if (outcome.customisedMark) {
        profileMarks_.set(images.hostMode, current, 0);
        if (*outcome.customisedMark) {
            profileMarks_.markCustomisedName(images.hostMode, current);
        }
    }
    if (outcome.repaintProfileMarks) {
        profileMarks_.markShown(images.hostMode, current);
        selector_.paintProfileMarks();
    }
    if (outcome.message) {
        showNotice(outcome.message->text, outcome.message->caption,
                   outcome.message->icon == MessageIcon::Exclamation);
    }
}

void MainWindow::showNotice(int textId, int captionId, bool exclamation) {
    kit::MessageBox(GetHWND(), context_.text.text(textId), context_.text.text(captionId),
                    exclamation ? kit::MessageBoxIcon::Exclamation : kit::MessageBoxIcon::Warning);
}

// --- Cells and editors -------------------------------------------------------------------------

void MainWindow::openCellEditor(std::size_t slot) {
    ProfileState& state = context_.profile;
    if (state.defaultRecords.size() <= slot) {
        return;
    }
    state.selectedSlot = static_cast<std::uint32_t>(slot);
    state.selectedDefaultRecord = state.defaultRecords[slot];
    panel_.markCellSelected(slot);
    std::uint32_t flag = 0;
    const HostMode mode = context_.images.hostMode;
    const std::uint32_t profile = state.lastProfile(mode);
    const SwitchModeLists& lists = context_.images.switchModes(mode);
    if (profile >= 1 && profile <= lists.size()) {
        for (const SwitchModePair& pair : lists[profile - 1]) {
            if (pair.slot == slot) {
                flag = pair.flag;
                break;
            }
        }
    }
    if (flag != 0) {
        recordRequest(title::LPressSwitchForm);
        openLongPressSwitchEditor(GetHWND(), context_.images, state, context_.text);
    } else {
        recordRequest(title::FunButtonForm);
        openFunctionEditor(GetHWND(), context_.images, state, context_.text);
    }
}

void MainWindow::openStickEditor(std::uint32_t item) {
    context_.profile.selectedSlot = item;
    panel_.markStickSelected(item == kSelectionLeftStick ? panel_.leftStickCell()
                                                         : panel_.rightStickCell());
    recordRequest(title::StickSetForm);
    orv::openStickEditor(GetHWND(), context_.images, context_.profile, context_.text);
}

void MainWindow::switchEditor(const char* closingTitle, std::uint8_t switchFlag) {
    const kit::WindowHandle closing = kit::FindWindow(closingTitle);
    if (closing == kit::kNoWindow) {
        return;
    }
    kit::PostMessage(closing, kit::msg::Close, 0);
    kit::Clock::Current().SleepMilliseconds(kEditorSwitchPauseMs);
    const std::uint32_t slot = context_.profile.selectedSlot;
    if (isButtonSelection(slot)) {
        context_.images.workingBlock[block::switchFlagOffset(slot)] = switchFlag;
    }
    if (switchFlag != 0) {
        recordRequest(title::LPressSwitchForm);
        openLongPressSwitchEditor(GetHWND(), context_.images, context_.profile, context_.text);
    } else {
        recordRequest(title::FunButtonForm);
        openFunctionEditor(GetHWND(), context_.images, context_.profile, context_.text);
    }
}

void MainWindow::launchTest(std::uint32_t testCode) {
    orv::launchTest(testCode, LiveTestParts::of(context_), GetHWND());
}

void MainWindow::updateSelectedCellMarker() {
    ProfileState& state = context_.profile;
    if (isButtonSelection(state.selectedSlot) && state.selectedSlot < state.defaultRecords.size()) {
        state.selectedDefaultRecord = state.defaultRecords[state.selectedSlot];
    }
    panel_.updateCellMarker();
}

}  // namespace orv
