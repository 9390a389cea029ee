#include "ui/dialogs/HelpForm.h"

#include "ui/BuildVersion.h"

namespace orv {

namespace {
constexpr int kVersionText = 71;
constexpr int kLicencesText = 311;
constexpr int kOkText = 73;
constexpr int kToolNameText = 400;
constexpr const char* kVersionPlaceholder = "{version}";
}  // namespace

HelpForm::HelpForm(const TextStore& texts)
    : ButtonPrompt(texts, "VersionForm.xml", "HelpFormWnd",
                   {{"ToolNameLabel", kToolNameText},
                    {"PromptInfoLabel", kVersionText},
                    {"LicenceLabel", kLicencesText},
                    {"OKBtn", kOkText}},
                   {{"closebtn", std::nullopt}, {"OKBtn", std::nullopt}}) {}

std::string HelpForm::versionLine(const TextStore& texts, const std::string& version) {
    std::string line = texts.text(kVersionText);
    const std::string placeholder = kVersionPlaceholder;
    if (const std::size_t at = line.find(placeholder); at != std::string::npos) {
        line.replace(at, placeholder.size(), version);
    }
    return line;
}

void HelpForm::afterReady() {
    if (kit::Control* label = GetPaintManager().FindControl("PromptInfoLabel")) {
        label->SetText(versionLine(texts(), kBuildVersion));
    }
}

}  // namespace orv
