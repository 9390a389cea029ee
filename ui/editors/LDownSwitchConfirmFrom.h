#pragma once
// Confirmation of turning a function button into a long-press switch, opened by the main
// window (code 12) over the function editor. "OKBtn" posts code 14 to the window titled
// "ORVMainWindow" and closes; "CancelBtn" and "closebtn" only close.

#include "ui/dialogs/DialogWindow.h"

namespace orv {

class LDownSwitchConfirmFrom : public DialogWindow {
public:
    static constexpr const char* kTitle = "LDownSwitchConfirmFrom";

    explicit LDownSwitchConfirmFrom(const TextStore& texts);

protected:
    void Notify(kit::Notification& notification) override;
};

}  // namespace orv
