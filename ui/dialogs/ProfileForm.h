#pragma once
// The choice made on a profile tab: "NewProfileBtn" asks the parent for the new-profile name
// dialog (code 1), "EditProfileBtn" to edit the profile in the slot (code 2), "CancelBtn" for
// neither (code 16). Each code is posted and the dialog closes.

#include "ui/dialogs/ButtonPrompt.h"

namespace orv {

class ProfileForm : public ButtonPrompt {
public:
    explicit ProfileForm(const TextStore& texts);
};

}  // namespace orv
