#include "ui/kit/MessageBox.h"

#include <mutex>

#include "ui/kit/DriverAccess.h"
#include "ui/kit/MessageBoxWidget.h"
#include "ui/kit/SkinDocument.h"
#include "ui/kit/WindowImplBase.h"
#include "ui/kit/WindowSystem.h"
#include "ui/kit/WindowWidget.h"

namespace orv::kit {

namespace {

std::mutex g_mutex;
MessageBoxPresenter g_presenter;

// The tool's own box, in the dark skin of its windows and with the owner's skin font.
int ShowRealBox(const MessageBoxRequest& request) {
    WindowImplBase* owner = WindowFromHandle(request.owner);
    QWidget* ownerWidget = owner != nullptr ? DriverAccess::Widget(owner) : nullptr;
    QFont font;
    font.setPixelSize(14);
    if (owner != nullptr) {
        for (const SkinFont& f : owner->GetPaintManager().GetSkinInfo().fonts) {
            if (f.isDefault && !f.family.empty()) {
                font.setFamily(QString::fromStdString(f.family));
                font.setPixelSize(f.pixelSize > 0 ? f.pixelSize : 14);
            }
        }
    }
    if (ownerWidget != nullptr) {
        DriverAccess::BlockInput(owner, true);
    }
    MessageBoxWidget box(request, ownerWidget, font);
    const int result = box.Exec();
    // The owner may have gone while the box was up.
    if (WindowImplBase* still = WindowFromHandle(request.owner); still != nullptr) {
        DriverAccess::BlockInput(still, false);
    }
    return result;
}

}  // namespace

int MessageBox(WindowHandle owner, const std::string& text, const std::string& caption,
               MessageBoxIcon icon) {
    const MessageBoxRequest request{owner, text, caption, icon};
    MessageBoxPresenter presenter;
    {
        std::lock_guard lock(g_mutex);
        presenter = g_presenter;
    }
    return presenter ? presenter(request) : ShowRealBox(request);
}

MessageBoxPresenter SetMessageBoxPresenter(MessageBoxPresenter presenter) {
    std::lock_guard lock(g_mutex);
    std::swap(g_presenter, presenter);
    return presenter;
}

}  // namespace orv::kit
