#include "ui/dialogs/ResetDataFrom.h"

namespace orv {

namespace {
constexpr int kQuestionText = 75;
constexpr int kOkText = 64;
constexpr int kCancelText = 65;
}  // namespace

ResetDataFrom::ResetDataFrom(const TextStore& texts)
    : ButtonPrompt(
          texts, "ResetDataFrom.xml", "ResetDataFromWnd",
          {{"PromptInfoLabel", kQuestionText}, {"OKBtn", kOkText}, {"CancelBtn", kCancelText}},
          {{"OKBtn", MainWindowCode::ResetToFactory, Delivery::Sent},
           {"CancelBtn", std::nullopt}}) {}

}  // namespace orv
