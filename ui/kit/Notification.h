// What a window's Notify receives when the user acts on a control.
#pragma once

#include <string>

#include "ui/kit/Types.h"

namespace orv::kit {

class Control;

struct Notification {
    // "click" (press and release on a Button, Option or CheckBox), "dbclick" (second press
    // within the double-click interval, after its own "click"), "menu" (right button released
    // on a control), "selectchanged" (Option/CheckBox state changed by the user),
    // "textchanged" and "return" (Edit), "setfocus", "killfocus".
    std::string type;
    Control* sender = nullptr;
    Point point;  // client coordinates of the mouse, where a mouse caused it
    WParam wParam = 0;
    LParam lParam = 0;
};

}  // namespace orv::kit
