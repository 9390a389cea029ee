#include "ui/dialogs/QuitEditPromptFrom.h"

namespace orv {

namespace {
constexpr int kQuestionText = 80;
constexpr int kOkText = 64;
constexpr int kCancelText = 65;
}  // namespace

QuitEditPromptFrom::QuitEditPromptFrom(const TextStore& texts)
    : ButtonPrompt(
          texts, "QuitEditPromptFrom.xml", "QuitEditPromptFromWnd",
          {{"PromptInfoLabel1", kQuestionText}, {"OKBtn", kOkText}, {"CancelBtn", kCancelText}},
          {{"OKBtn", MainWindowCode::LeaveProfile, Delivery::Sent}, {"CancelBtn", std::nullopt}}) {}

}  // namespace orv
