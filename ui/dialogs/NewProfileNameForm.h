#pragma once
// Names a new profile: the edit box proposes "PROFILE" + the current profile number. An
// accepted name is posted as code 6 (create the profile under `enteredName`); "CancelBtn"
// posts code 5 (back to the profile dialog).

#include "device/ControllerState.h"
#include "ui/dialogs/NamingDialog.h"

namespace orv {

class NewProfileNameForm : public NamingDialog {
public:
    // `profile` receives the accepted name; `images` gives the current profile number.
    NewProfileNameForm(const TextStore& texts, ProfileState& profile, const ProfileImages& images);

protected:
    std::string initialName() const override;

private:
    const ProfileImages& images_;
};

}  // namespace orv
