#pragma once
// The prompt for a controller that is plugged in but may not be opened by this user (no udev
// rule grants access): says what is wrong and how to fix it, in the current language. It looks
// and behaves like the connection prompt and opens under the same title, so plugging the
// controller in again closes it and retries, as for the connection prompt.

#include "ui/dialogs/ConnectionWindow.h"

namespace orv {

// Text store number of the prompt's message.
inline constexpr int kPermissionPromptText = 320;

class PermissionPromptWindow : public ConnectionWindow {
public:
    explicit PermissionPromptWindow(const TextStore& texts);
};

}  // namespace orv
