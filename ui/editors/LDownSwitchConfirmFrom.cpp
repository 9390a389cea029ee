#include "ui/editors/LDownSwitchConfirmFrom.h"

#include "ui/kit/WindowSystem.h"
#include "ui/main/WindowMessages.h"

namespace orv {

LDownSwitchConfirmFrom::LDownSwitchConfirmFrom(const TextStore& texts)
    : DialogWindow(
          texts, "LDownSwitchConfirmFrom.xml", "LDownSwitchConfirmFromWnd",
          {{"PromptInfoLabel1", 68}, {"PromptInfoLabel2", 69}, {"OKBtn", 64}, {"CancelBtn", 65}}) {}

void LDownSwitchConfirmFrom::Notify(kit::Notification& notification) {
    if (notification.type == "click" && notification.sender != nullptr) {
        const std::string name = notification.sender->GetName();
        if (name == "OKBtn") {
            kit::PostMessage(kit::FindWindow(title::MainWindow), MainWindowMessage,
                             static_cast<kit::WParam>(MainWindowCode::SwitchToLongPressEditor));
            Close(1);
            return;
        }
        if (name == "CancelBtn" || name == "closebtn") {
            Close(1);
            return;
        }
    }
    DialogWindow::Notify(notification);
}

}  // namespace orv
