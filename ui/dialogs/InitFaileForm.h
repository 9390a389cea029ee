#pragma once
// The initialisation-failure prompt: the controller was found but its profiles could not be
// read. Behaves as the connection prompt, with its own skin and message.

#include "ui/dialogs/ConnectionWindow.h"

namespace orv {

class InitFaileForm : public ConnectionWindow {
public:
    explicit InitFaileForm(const TextStore& texts);
};

}  // namespace orv
