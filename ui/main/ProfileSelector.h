#pragma once
// The top of the main window: the six profile tabs with their name buttons, the NS/PC options
// and the prompt label. Paints the overview of the current host mode from the context.

#include <array>

#include "context/DeviceContext.h"
#include "profile/SettingsFiles.h"
#include "ui/dialogs/ControlLookup.h"
#include "ui/main/ButtonPanel.h"
#include "ui/main/ProfileMarks.h"

namespace orv {

class ProfileSelector {
public:
    ProfileSelector(DeviceContext& context, const SettingsFiles& files, ButtonPanel& panel,
                    ProfileMarks& marks)
        : context_(context), files_(files), panel_(panel), marks_(marks) {}

    // Finds "ProFileIndex1".."6", "ProFileBtnl", "ProFileBtn2".."6", "NSOption", "PCOption"
    // and "ProFilePromptLabel".
    void bind(ControlLookup& lookup);

    kit::Control* tab(std::uint32_t profile) const { return tabs_[profile - 1]; }
    kit::Control* nameButton(std::uint32_t profile) const { return nameButtons_[profile - 1]; }
    kit::Control* nsOption() const { return nsOption_; }
    kit::Control* pcOption() const { return pcOption_; }
    kit::Control* promptLabel() const { return promptLabel_; }
    // Profile 1..6 of a tab; 0 for anything else.
    std::uint32_t profileOfTab(const kit::Control* control) const;

    // The six profiles of the current mode: names on the name buttons, which differ from the
    // factory settings (marks and light-colour tabs), then the controller layout.
    void refreshOverview();
    // Light-colour image on every tab of the current mode marked as differing and shown.
    void paintProfileMarks();
    // "ProFile" + n + "_nor.png" on every tab.
    void showNormalTabs();

private:
    DeviceContext& context_;
    const SettingsFiles& files_;
    ButtonPanel& panel_;
    ProfileMarks& marks_;
    std::array<kit::Control*, ProfileMarks::kProfiles> tabs_{};
    std::array<kit::Control*, ProfileMarks::kProfiles> nameButtons_{};
    kit::Control* nsOption_ = nullptr;
    kit::Control* pcOption_ = nullptr;
    kit::Control* promptLabel_ = nullptr;
};

}  // namespace orv
