#pragma once
// The factory-reset prompt: "OKBtn" has the parent reset the profile (code 8, sent, so the reset
// is done before the prompt closes) and closes; "CancelBtn" only closes.

#include "ui/dialogs/ButtonPrompt.h"

namespace orv {

class ResetDataFrom : public ButtonPrompt {
public:
    explicit ResetDataFrom(const TextStore& texts);
};

}  // namespace orv
