#pragma once
// The notice after a successful save. Its only button, "CancelBtn", closes and has the parent
// leave the profile afterwards (code 19, posted).

#include "ui/dialogs/ButtonPrompt.h"

namespace orv {

class SaveSuccessFrom : public ButtonPrompt {
public:
    explicit SaveSuccessFrom(const TextStore& texts);
};

}  // namespace orv
