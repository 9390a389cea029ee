#include "ui/dialogs/ExitInquiryFrom.h"

#include "ui/kit/WindowSystem.h"
#include "ui/main/WindowMessages.h"

namespace orv {

namespace {
constexpr int kExitQuestionText = 110;
constexpr int kOkText = 64;
constexpr int kCancelText = 65;
}  // namespace

ExitInquiryFrom::ExitInquiryFrom(const TextStore& texts)
    : DialogWindow(texts, "ExitInquiryFrom.xml", "ExitInquiryFromWnd",
                   {{"PromptInfoLabel", kExitQuestionText},
                    {"OKBtn", kOkText},
                    {"CancelBtn", kCancelText}}) {}

void ExitInquiryFrom::Notify(kit::Notification& notification) {
    if (notification.type == "click" && notification.sender != nullptr) {
        const std::string name = notification.sender->GetName();
        if (name == "OKBtn") {
            kit::PostMessage(GetParent(), MainWindowMessage,
                             static_cast<kit::WParam>(MainWindowCode::ExitConfirmed));
            Close(1);
            return;
        }
        if (name == "CancelBtn") {
            Close(1);
            return;
        }
    }
    DialogWindow::Notify(notification);
}

}  // namespace orv
