#include "ui/dialogs/ConnectionWindow.h"

#include "ui/kit/WindowSystem.h"
#include "ui/main/WindowMessages.h"

namespace orv {

namespace {
constexpr int kConnectionPromptText = 66;
constexpr int kOkText = 67;
}  // namespace

ConnectionWindow::ConnectionWindow(const TextStore& texts)
    : ConnectionWindow(texts, "ConnectionForm.xml", kConnectionPromptText) {}

ConnectionWindow::ConnectionWindow(const TextStore& texts, std::string skinFile, int messageTextId)
    : DialogWindow(texts, std::move(skinFile), "ConnectionFormWnd",
                   {{"PromptInfoLabel", messageTextId}, {"OKBtn", kOkText}}) {}

void ConnectionWindow::bindControls(ControlLookup& lookup) {
    closeButton_ = lookup.find("closebtn");
}

void ConnectionWindow::Notify(kit::Notification& notification) {
    if (notification.type == "click" && notification.sender != nullptr &&
        (notification.sender == closeButton_ || notification.sender->GetName() == "OKBtn")) {
        kit::PostMessage(GetParent(), QuitFromConnectionMessage, GetHWND());
        return;
    }
    DialogWindow::Notify(notification);
}

}  // namespace orv
