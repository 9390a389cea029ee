#pragma once
// The version window of the Help menu: shows the version text; "closebtn" closes it.

#include "ui/dialogs/ButtonPrompt.h"

namespace orv {

class HelpForm : public ButtonPrompt {
public:
    explicit HelpForm(const TextStore& texts);
};

}  // namespace orv
