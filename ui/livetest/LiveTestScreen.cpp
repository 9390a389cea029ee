#include "ui/livetest/LiveTestScreen.h"

#include <utility>

#include "ui/kit/Messages.h"

namespace orv {

LiveTestScreen::LiveTestScreen(const TextStore& texts, std::string skinFile, std::string className,
                               std::vector<TextedControl> textedControls, unsigned tickMs)
    : DialogWindow(texts, std::move(skinFile), std::move(className), std::move(textedControls)),
      tickMs_(tickMs) {}

void LiveTestScreen::afterReady() {
    SetTimer(kTimerId, tickMs_);
}

kit::LResult LiveTestScreen::HandleMessage(unsigned message, kit::WParam wParam,
                                           kit::LParam lParam) {
    if (message == kit::msg::Timer && wParam == kTimerId) {
        tick();
        return 0;
    }
    return DialogWindow::HandleMessage(message, wParam, lParam);
}

void LiveTestScreen::Notify(kit::Notification& notification) {
    if (notification.type == "click" && notification.sender != nullptr &&
        notification.sender->GetName() == "closebtn") {
        KillTimer(kTimerId);
        Close(1);
        return;
    }
    DialogWindow::Notify(notification);
}

}  // namespace orv
