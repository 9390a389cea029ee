#pragma once
// What the two profile naming dialogs share: the edit box "RenameEdit", which gets the
// keyboard focus once as the dialog starts, and "OKBtn", which accepts a non-empty name. An
// accepted name goes into `enteredName` exactly as typed, the confirm code is posted to the
// parent and the dialog closes. An empty name shows a warning box owned by the dialog (text 47,
// caption 77) and the dialog stays open with the box as it was. "CancelBtn" posts the cancel
// code, if the dialog has one, and closes.

#include <optional>
#include <string>

#include "profile/ProfileState.h"
#include "ui/dialogs/DialogWindow.h"
#include "ui/main/WindowMessages.h"

namespace orv {

class NamingDialog : public DialogWindow {
public:
    static constexpr int kEmptyNameText = 47;
    static constexpr int kEmptyNameCaption = 77;

protected:
    NamingDialog(const TextStore& texts, ProfileState& profile, std::string skinFile,
                 std::string className, MainWindowCode confirmCode,
                 std::optional<MainWindowCode> cancelCode);

    // What the edit box shows when the dialog opens.
    virtual std::string initialName() const = 0;

    void bindControls(ControlLookup& lookup) override;
    void afterReady() override;
    kit::LResult HandleCustomMessage(unsigned message, kit::WParam wParam, kit::LParam lParam,
                                     bool& handled) override;
    void Notify(kit::Notification& notification) override;

private:
    // Gives the edit box the focus the first time it is called; later calls do nothing.
    void focusEditOnce();
    void accept();

    ProfileState& profile_;
    MainWindowCode confirmCode_;
    std::optional<MainWindowCode> cancelCode_;
    kit::Control* edit_ = nullptr;
    bool focusGiven_ = false;
};

}  // namespace orv
