#pragma once
// A dialog whose buttons each close it, some after reporting a MainWindowMessage code to the
// parent. A posted code is handled once the dialog is gone; a sent code is handled before the
// dialog closes, while it is still on screen.

#include <optional>
#include <vector>

#include "ui/dialogs/DialogWindow.h"
#include "ui/main/WindowMessages.h"

namespace orv {

class ButtonPrompt : public DialogWindow {
public:
    enum class Delivery { Posted, Sent };

    struct ButtonAction {
        const char* control;
        std::optional<MainWindowCode> code;  // none: the button only closes
        Delivery delivery = Delivery::Posted;
    };

protected:
    ButtonPrompt(const TextStore& texts, std::string skinFile, std::string className,
                 std::vector<TextedControl> textedControls, std::vector<ButtonAction> actions);

    // A click on one of the actions' buttons reports its code (if any) and closes with result
    // 1; every other notification goes to the base.
    void Notify(kit::Notification& notification) override;

private:
    std::vector<ButtonAction> actions_;
};

}  // namespace orv
