#include "ui/editors/ConDisableForm.h"

#include "ui/editors/FunButtonWindow.h"
#include "ui/kit/WindowSystem.h"
#include "ui/main/WindowMessages.h"

namespace orv {

ConDisableForm::ConDisableForm(const TextStore& texts)
    : DialogWindow(
          texts, "ConDisableForm.xml", "ConDisableFromWnd",
          {{"PromptInfoLabel1", 62}, {"PromptInfoLabel2", 63}, {"OKBtn", 64}, {"CancelBtn", 65}}) {}

void ConDisableForm::Notify(kit::Notification& notification) {
    if (notification.type == "click" && notification.sender != nullptr) {
        const std::string name = notification.sender->GetName();
        if (name == "OKBtn" || name == "CancelBtn") {
            const kit::WindowHandle editor = kit::FindWindow(FunButtonWindow::kTitle);
            if (editor != kit::kNoWindow) {
                kit::SendMessage(editor, FunctionEditorAnswerMessage, name == "OKBtn" ? 1 : 0);
            }
            // Closes even without an editor to answer, so the dialog can always be left.
            Close(1);
            return;
        }
    }
    DialogWindow::Notify(notification);
}

}  // namespace orv
