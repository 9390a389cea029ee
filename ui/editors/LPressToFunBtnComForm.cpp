#include "ui/editors/LPressToFunBtnComForm.h"

#include "ui/kit/WindowSystem.h"
#include "ui/main/WindowMessages.h"

namespace orv {

LPressToFunBtnComForm::LPressToFunBtnComForm(const TextStore& texts)
    : DialogWindow(texts, "LPressToFunBtnComForm.xml", "LPressToFunBtnComFormWnd",
                   {{"PropmtInfoLabel", 70}, {"OKBtn", 64}, {"CancelBtn", 65}}) {}

void LPressToFunBtnComForm::Notify(kit::Notification& notification) {
    if (notification.type == "click" && notification.sender != nullptr) {
        const std::string name = notification.sender->GetName();
        if (name == "OKBtn") {
            kit::PostMessage(kit::FindWindow(title::MainWindow), MainWindowMessage,
                             static_cast<kit::WParam>(MainWindowCode::SwitchToFunctionEditor));
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
