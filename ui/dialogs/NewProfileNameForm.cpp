#include "ui/dialogs/NewProfileNameForm.h"

namespace orv {

NewProfileNameForm::NewProfileNameForm(const TextStore& texts, ProfileState& profile,
                                       const ProfileImages& images)
    : NamingDialog(texts, profile, "NewProfileNameForm.xml", "NewProfileNameFormWnd",
                   MainWindowCode::NamingConfirmed, MainWindowCode::NamingCancelled),
      images_(images) {}

std::string NewProfileNameForm::initialName() const {
    return "PROFILE" + std::to_string(images_.currentProfile);
}

}  // namespace orv
