#include "ui/dialogs/RenameForm.h"

namespace orv {

RenameForm::RenameForm(const TextStore& texts, ProfileState& profile)
    : NamingDialog(texts, profile, "RenameForm.xml", "RenamehFormWnd",
                   MainWindowCode::RenameProfile, std::nullopt) {}

}  // namespace orv
