#pragma once
// Confirmation of turning a long-press switch back into a function button, opened by the
// main window (code 13) over the long-press switch editor. "OKBtn" posts code 15 to the
// window titled "ORVMainWindow" and closes; "CancelBtn" only closes.

#include "ui/dialogs/DialogWindow.h"

namespace orv {

class LPressToFunBtnComForm : public DialogWindow {
public:
    static constexpr const char* kTitle = "LPressToFunBtnComForm";

    explicit LPressToFunBtnComForm(const TextStore& texts);

protected:
    void Notify(kit::Notification& notification) override;
};

}  // namespace orv
