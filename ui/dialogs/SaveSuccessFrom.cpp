#include "ui/dialogs/SaveSuccessFrom.h"

namespace orv {

namespace {
constexpr int kNoticeText = 72;
constexpr int kCloseText = 73;
}  // namespace

SaveSuccessFrom::SaveSuccessFrom(const TextStore& texts)
    : ButtonPrompt(texts, "SaveSuccessFrom.xml", "SaveSuccessFromWnd",
                   {{"PromptInfoLabel", kNoticeText}, {"CancelBtn", kCloseText}},
                   {{"CancelBtn", MainWindowCode::LeaveProfile, Delivery::Posted}}) {
    // Its one button is the acknowledgement.
    SetKeyButtons("CancelBtn", "CancelBtn");
}

}  // namespace orv
