#include "ui/dialogs/BtnDirectionsForm.h"

#include <array>
#include <cstdio>

#include "ui/main/WindowMessages.h"

namespace orv {

namespace {
// Base names in topic order from kFirstDirectionsTopic.
constexpr std::array<const char*, 9> kTopicSkins = {
    "StickLeftRightDirForm",    // 1000 stick mode
    "StickDirectionDirForm",    // 1001 stick rotation
    "StickSensitivityDirForm",  // 1002 stick sensitivity
    "StickUnrAreaDirForm",      // 1003 stick dead zone
    "BtnPressDirForm",          // 1004 short press
    "BtnLongPressDirForm",      // 1005 long press
    "BtnTurboPressDirForm",     // 1006 turbo
    "BtnConDisableDirForm",     // 1007 continuous-disable
    "BtnLPressFiveDirForm",     // 1008 five-position long-press switch
};
static_assert(kTopicSkins.size() == kLastDirectionsTopic - kFirstDirectionsTopic + 1);
}  // namespace

std::optional<std::string> directionsSkinFor(std::intptr_t topic, std::string_view language) {
    if (topic < kFirstDirectionsTopic || topic > kLastDirectionsTopic) {
        return std::nullopt;
    }
    std::string skin = kTopicSkins[static_cast<std::size_t>(topic - kFirstDirectionsTopic)];
    skin += language == "japanese" ? "_japanese.xml" : "_english.xml";
    return skin;
}

int BtnDirectionsForm::Show(kit::WindowHandle parent, std::intptr_t topic,
                            std::string_view language) {
    const std::optional<std::string> skin = directionsSkinFor(topic, language);
    if (!skin) {
        return -1;
    }
    auto* form = new BtnDirectionsForm(*skin);
    if (form->Create(parent, title::BtnDirectionsForm, kit::style::Dialog,
                     kit::exstyle::WindowEdge) == kit::kNoWindow) {
        std::fprintf(stderr, "%s: %s\n", title::BtnDirectionsForm, form->GetCreateError().c_str());
    }
    // Also releases a form whose window could not be made.
    return form->ShowModal();
}

void BtnDirectionsForm::Notify(kit::Notification& notification) {
    if (notification.type == "click" && notification.sender != nullptr &&
        notification.sender->GetName() == "closebtn") {
        Close(1);
        return;
    }
    WindowImplBase::Notify(notification);
}

}  // namespace orv
