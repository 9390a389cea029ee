#include "ui/dialogs/NamingDialog.h"

#include "ui/kit/MessageBox.h"
#include "ui/kit/WindowSystem.h"

namespace orv {

namespace {
constexpr int kPromptText = 61;
constexpr int kOkText = 41;
constexpr int kCancelText = 42;
// Posted to itself when ready: by the time it arrives the dialog is on screen and can take the
// focus, even when no notification has come first.
constexpr unsigned kFocusEditMessage = kit::msg::User + 0x61;
}  // namespace

NamingDialog::NamingDialog(const TextStore& texts, ProfileState& profile, std::string skinFile,
                           std::string className, MainWindowCode confirmCode,
                           std::optional<MainWindowCode> cancelCode)
    : DialogWindow(
          texts, std::move(skinFile), std::move(className),
          {{"PromptInforLabel", kPromptText}, {"OKBtn", kOkText}, {"CancelBtn", kCancelText}}),
      profile_(profile),
      confirmCode_(confirmCode),
      cancelCode_(cancelCode) {}

void NamingDialog::bindControls(ControlLookup& lookup) {
    edit_ = lookup.find("RenameEdit");
}

void NamingDialog::afterReady() {
    setText(edit_, initialName());
    PostMessage(kFocusEditMessage);
}

kit::LResult NamingDialog::HandleCustomMessage(unsigned message, kit::WParam wParam,
                                               kit::LParam lParam, bool& handled) {
    if (message == kFocusEditMessage) {
        focusEditOnce();
        return 0;
    }
    return DialogWindow::HandleCustomMessage(message, wParam, lParam, handled);
}

void NamingDialog::focusEditOnce() {
    if (focusGiven_) {
        return;
    }
    focusGiven_ = true;
    if (edit_ != nullptr && GetFocus() != edit_) {
        SetFocus(edit_);
    }
}

void NamingDialog::Notify(kit::Notification& notification) {
    focusEditOnce();
    if (notification.type == "click" && notification.sender != nullptr) {
        const std::string name = notification.sender->GetName();
        if (name == "OKBtn") {
            accept();
            return;
        }
        if (name == "CancelBtn") {
            if (cancelCode_) {
                kit::PostMessage(GetParent(), MainWindowMessage,
                                 static_cast<kit::WParam>(*cancelCode_));
            }
            Close(1);
            return;
        }
    }
    DialogWindow::Notify(notification);
}

void NamingDialog::accept() {
    const std::string name = edit_ != nullptr ? edit_->GetText() : std::string();
    if (name.empty()) {
        kit::MessageBox(GetHWND(), texts().text(kEmptyNameText), texts().text(kEmptyNameCaption),
                        kit::MessageBoxIcon::Warning);
        return;
    }
    profile_.enteredName = name;
    kit::PostMessage(GetParent(), MainWindowMessage, static_cast<kit::WParam>(confirmCode_));
    Close(1);
}

}  // namespace orv
