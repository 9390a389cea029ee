#include "ui/livetest/LiveTestScreen.h"

#include <utility>

#include "ui/kit/Messages.h"
#include "ui/livetest/PlayKeys.h"

namespace orv {

LiveTestScreen::LiveTestScreen(const TextStore& texts, std::string skinFile, std::string className,
                               std::vector<TextedControl> textedControls, unsigned tickMs)
    : DialogWindow(texts, std::move(skinFile), std::move(className), std::move(textedControls)),
      tickMs_(tickMs) {}

namespace {
constexpr int kKeyMapLeadText = 312;
// lParam bit of a key message that repeats a key already down.
constexpr kit::LParam kRepeatBit = kit::LParam{1} << 30;
}  // namespace

LiveTestScreen::~LiveTestScreen() {
    // The screen owns itself and goes with its window: nothing stays pressed after it.
    if (const PlayKeys* keys = playKeys()) {
        keys->releaseAll();
    }
}

void LiveTestScreen::afterReady() {
    if (const PlayKeys* keys = playKeys()) {
        if (kit::Control* label = GetPaintManager().FindControl("KeyMapLabel")) {
            label->SetText(texts().text(kKeyMapLeadText) + " " + keys->keyMap);
            label->SetVisible(true);
        }
    }
    SetTimer(kTimerId, tickMs_);
}

kit::LResult LiveTestScreen::HandleMessage(unsigned message, kit::WParam wParam,
                                           kit::LParam lParam) {
    if (message == kit::msg::Timer && wParam == kTimerId) {
        tick();
        return 0;
    }
    if ((message == kit::msg::KeyDown || message == kit::msg::KeyUp) && playKeys() != nullptr) {
        // Holding a key repeats its key-down; the controller only needs the first.
        if ((lParam & kRepeatBit) != 0) {
            return 0;
        }
        if (playKeys()->onKey(static_cast<unsigned>(wParam), message == kit::msg::KeyDown)) {
            return 0;
        }
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
