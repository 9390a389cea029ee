#include "ui/dialogs/PermissionPromptWindow.h"

namespace orv {

PermissionPromptWindow::PermissionPromptWindow(const TextStore& texts)
    : ConnectionWindow(texts, "ConnectionForm.xml", kPermissionPromptText) {}

}  // namespace orv
