#pragma once
// The save prompt: "OKBtn" closes and has the parent save the profile to the controller afterwards
// (code 7, posted); "CancelBtn" only closes.

#include "ui/dialogs/ButtonPrompt.h"

namespace orv {

class SaveTipsFrom : public ButtonPrompt {
public:
    explicit SaveTipsFrom(const TextStore& texts);
};

}  // namespace orv
