#pragma once
// The About window of the Help menu: the tool's name once, the version of this build, the
// licences of what the tool ships and links, and "OKBtn" and "closebtn" to close it.

#include <string>

#include "ui/dialogs/ButtonPrompt.h"

namespace orv {

class HelpForm : public ButtonPrompt {
public:
    explicit HelpForm(const TextStore& texts);

    // The version line: the store's version text with "{version}" replaced by `version`.
    static std::string versionLine(const TextStore& texts, const std::string& version);

private:
    void afterReady() override;
};

}  // namespace orv
