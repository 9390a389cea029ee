#include "ui/dialogs/ButtonPrompt.h"

#include "ui/kit/WindowSystem.h"

namespace orv {

ButtonPrompt::ButtonPrompt(const TextStore& texts, std::string skinFile, std::string className,
                           std::vector<TextedControl> textedControls,
                           std::vector<ButtonAction> actions)
    : DialogWindow(texts, std::move(skinFile), std::move(className), std::move(textedControls)),
      actions_(std::move(actions)) {}

void ButtonPrompt::Notify(kit::Notification& notification) {
    if (notification.type == "click" && notification.sender != nullptr) {
        const std::string name = notification.sender->GetName();
        for (const ButtonAction& action : actions_) {
            if (name != action.control) {
                continue;
            }
            if (action.code) {
                const auto code = static_cast<kit::WParam>(*action.code);
                if (action.delivery == Delivery::Sent) {
                    kit::SendMessage(GetParent(), MainWindowMessage, code, 0);
                } else {
                    kit::PostMessage(GetParent(), MainWindowMessage, code, 0);
                }
            }
            Close(1);
            return;
        }
    }
    DialogWindow::Notify(notification);
}

}  // namespace orv
