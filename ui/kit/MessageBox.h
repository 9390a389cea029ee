// Modal message boxes with an OK button. Tests replace the presenter to see and answer them.
#pragma once

#include <functional>
#include <string>

#include "ui/kit/Types.h"

namespace orv::kit {

enum class MessageBoxIcon { None, Information, Warning, Exclamation, Error, Question };

struct MessageBoxRequest {
    WindowHandle owner = kNoWindow;  // kNoWindow: no owner
    std::string text;
    std::string caption;
    MessageBoxIcon icon = MessageBoxIcon::None;
};

inline constexpr int kIdOk = 1;

// Shows the box and returns when it is dismissed (kIdOk). Runs a nested loop; posted
// messages keep being delivered meanwhile.
int MessageBox(WindowHandle owner, const std::string& text, const std::string& caption,
               MessageBoxIcon icon = MessageBoxIcon::None);

using MessageBoxPresenter = std::function<int(const MessageBoxRequest&)>;
// Replaces how boxes are shown; an empty function restores the real box. Returns the previous.
MessageBoxPresenter SetMessageBoxPresenter(MessageBoxPresenter presenter);

}  // namespace orv::kit
