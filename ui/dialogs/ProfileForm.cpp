#include "ui/dialogs/ProfileForm.h"

namespace orv {

namespace {
constexpr int kCreateText = 55;
constexpr int kEditText = 56;
constexpr int kNewText = 57;
constexpr int kNewButtonText = 58;
constexpr int kEditButtonText = 59;
constexpr int kCancelText = 60;
}  // namespace

ProfileForm::ProfileForm(const TextStore& texts)
    : ButtonPrompt(texts, "ProfileForm.xml", "ProfileFromWnd",
                   {{"CreateLabel", kCreateText},
                    {"EditLabel", kEditText},
                    {"NewLabel", kNewText},
                    {"NewProfileBtn", kNewButtonText},
                    {"EditProfileBtn", kEditButtonText},
                    {"CancelBtn", kCancelText}},
                   {{"NewProfileBtn", MainWindowCode::OpenNewProfileNameDialog},
                    {"EditProfileBtn", MainWindowCode::EditProfile},
                    {"CancelBtn", MainWindowCode::CancelProfileDialog}}) {
    // Enter edits the chosen profile, the usual way on.
    SetKeyButtons("EditProfileBtn", "CancelBtn");
}

}  // namespace orv
