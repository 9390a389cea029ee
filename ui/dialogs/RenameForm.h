#pragma once
// Renames the current profile: the edit box starts empty. An accepted name is posted as code
// 21 (rename to `enteredName`); "CancelBtn" only closes.

#include "ui/dialogs/NamingDialog.h"

namespace orv {

class RenameForm : public NamingDialog {
public:
    // `profile` receives the accepted name.
    RenameForm(const TextStore& texts, ProfileState& profile);

protected:
    std::string initialName() const override { return {}; }
};

}  // namespace orv
