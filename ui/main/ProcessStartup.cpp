#include "ui/main/ProcessStartup.h"

#include "ui/kit/MessageBox.h"
#include "ui/kit/SystemServices.h"
#include "ui/main/LanguageChoice.h"

namespace orv {

SecondInstanceNotice secondInstanceNotice(std::uint16_t systemLanguageId) {
    if (systemLanguageId == kLangIdJapanese) {
        return {"注意", "既にプログラムが起動している為、同じプログラムを開くことができません"};
    }
    return {"prompt", "This program can not be opened because it is already running."};
}

bool claimSingleInstance(kit::SingleInstanceLock& lock, std::uint16_t systemLanguageId) {
    if (lock.TryAcquire()) {
        return true;
    }
    const SecondInstanceNotice notice = secondInstanceNotice(systemLanguageId);
    kit::MessageBox(kit::kNoWindow, notice.text, notice.caption, kit::MessageBoxIcon::Warning);
    return false;
}

bool prepareApplicationFont(const std::string& dataFolder) {
    if (kit::IsFontFamilyAvailable(kApplicationFontFace)) {
        return true;
    }
    // Added for this process only: nothing is left behind in the system when the tool ends.
    kit::AddApplicationFont(dataFolder + kApplicationFontFile);
    return kit::IsFontFamilyAvailable(kApplicationFontFace);
}

}  // namespace orv
