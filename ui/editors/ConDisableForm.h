#pragma once
// Confirmation of turning continuous-disable on, a modal child of the function editor.
// "OKBtn" sends FunctionEditorAnswerMessage 1 and "CancelBtn" 0 to the window titled
// "FunButtonForm"; both then close the dialog.

#include "ui/dialogs/DialogWindow.h"

namespace orv {

class ConDisableForm : public DialogWindow {
public:
    static constexpr const char* kTitle = "ConDisableForm";

    explicit ConDisableForm(const TextStore& texts);

protected:
    void Notify(kit::Notification& notification) override;
};

}  // namespace orv
