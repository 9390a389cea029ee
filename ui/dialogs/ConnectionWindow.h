#pragma once
// The connection prompt: no controller could be reached. "OKBtn" and "closebtn" ask the parent
// to end the tool (QuitFromConnectionMessage with this window's handle); the prompt stays open
// until the parent closes it.

#include "ui/dialogs/DialogWindow.h"

namespace orv {

class ConnectionWindow : public DialogWindow {
public:
    explicit ConnectionWindow(const TextStore& texts);

protected:
    // For prompts that share this behaviour with their own skin and message text.
    ConnectionWindow(const TextStore& texts, std::string skinFile, int messageTextId);

    void bindControls(ControlLookup& lookup) override;
    void Notify(kit::Notification& notification) override;

private:
    kit::Control* closeButton_ = nullptr;
};

}  // namespace orv
