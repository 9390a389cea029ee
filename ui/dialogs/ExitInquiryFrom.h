#pragma once
// The exit inquiry of the main window's close button: "OKBtn" asks the parent to end the tool
// (MainWindowMessage code 35) and closes; "CancelBtn" only closes.

#include "ui/dialogs/DialogWindow.h"

namespace orv {

class ExitInquiryFrom : public DialogWindow {
public:
    explicit ExitInquiryFrom(const TextStore& texts);

protected:
    void Notify(kit::Notification& notification) override;
};

}  // namespace orv
