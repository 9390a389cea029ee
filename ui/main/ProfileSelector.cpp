#include "ui/main/ProfileSelector.h"

#include <string>

#include "profile/ProfileModel.h"
#include "profile/ProfileSlots.h"
#include "profile/SettingsDatabase.h"

namespace orv {

void ProfileSelector::bind(ControlLookup& lookup) {
    for (std::uint32_t n = 1; n <= ProfileMarks::kProfiles; ++n) {
        tabs_[n - 1] = lookup.find("ProFileIndex" + std::to_string(n));
        // The first name button is spelt with a lower-case L.
        nameButtons_[n - 1] =
            lookup.find(n == 1 ? "ProFileBtnl" : "ProFileBtn" + std::to_string(n));
    }
    nsOption_ = lookup.find("NSOption");
    pcOption_ = lookup.find("PCOption");
    promptLabel_ = lookup.find("ProFilePromptLabel");
}

std::uint32_t ProfileSelector::profileOfTab(const kit::Control* control) const {
    for (std::uint32_t n = 1; n <= ProfileMarks::kProfiles; ++n) {
        if (control != nullptr && tabs_[n - 1] == control) {
            return n;
        }
    }
    return 0;
}

void ProfileSelector::showNormalTabs() {
    for (std::uint32_t n = 1; n <= ProfileMarks::kProfiles; ++n) {
        setAttribute(tab(n), "normalimage", "ProFile" + std::to_string(n) + "_nor.png");
    }
}

void ProfileSelector::paintProfileMarks() {
    for (std::uint32_t n : marks_.profilesToPaint(context_.images.hostMode)) {
        setAttribute(tab(n), "normalimage", "ProfileIndex" + std::to_string(n) + "_LightColor.png");
    }
}

void ProfileSelector::refreshOverview() {
    showNormalTabs();
    ProfileImages& images = context_.images;
    const HostMode mode = images.hostMode;
    if (images.currentProfiles().size() < ProfileMarks::kProfiles) {
        return;
    }
    for (std::uint32_t h = 0; h < ProfileMarks::kProfiles; ++h) {
        const std::string name = readProfileName(images.currentProfiles()[h]);
        if (isCustomisedName(h, name)) {
            marks_.markCustomisedName(mode, h + 1);
        }
        images.currentProfile = h + 1;
        // Its result is not checked: without the factory file the records stay empty and no
        // cell counts as changed.
        loadFactoryImage(context_.profile, images, files_, mode);
        images.workingBlock = images.currentProfiles()[h];
        panel_.recomputeMarkers();
        marks_.markShown(mode, images.currentProfile);
        paintProfileMarks();
        setText(nameButton(h + 1), name);
    }
    panel_.showControllerLayout();
}

}  // namespace orv
