#include "ui/dialogs/HelpForm.h"

namespace orv {

namespace {
constexpr int kVersionText = 71;
}  // namespace

HelpForm::HelpForm(const TextStore& texts)
    : ButtonPrompt(texts, "VersionForm.xml", "HelpFormWnd", {{"PromptInfoLabel", kVersionText}},
                   {{"closebtn", std::nullopt}}) {}

}  // namespace orv
