#pragma once
// The discard prompt when leaving an edited profile: "OKBtn" has the parent leave the profile and
// put the stored image back (code 19, sent, so that is done before the prompt closes) and closes;
// "CancelBtn" only closes.

#include "ui/dialogs/ButtonPrompt.h"

namespace orv {

class QuitEditPromptFrom : public ButtonPrompt {
public:
    explicit QuitEditPromptFrom(const TextStore& texts);
};

}  // namespace orv
