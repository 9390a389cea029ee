#include "ui/dialogs/SaveTipsFrom.h"

namespace orv {

namespace {
constexpr int kQuestionText = 74;
constexpr int kOkText = 64;
constexpr int kCancelText = 65;
}  // namespace

SaveTipsFrom::SaveTipsFrom(const TextStore& texts)
    : ButtonPrompt(
          texts, "SaveTipsFrom.xml", "SaveTipsFromWnd",
          {{"PromptInfoLabel", kQuestionText}, {"OKBtn", kOkText}, {"CancelBtn", kCancelText}},
          {{"OKBtn", MainWindowCode::SaveToDevice, Delivery::Posted},
           {"CancelBtn", std::nullopt}}) {}

}  // namespace orv
