#include "ui/dialogs/LoadingForm.h"

#include "ui/kit/WindowSystem.h"

namespace orv {

LoadingForm::LoadingForm(const TextStore& texts)
    : DialogWindow(texts, "LoadingForm.xml", "LoadingFormWnd", {}) {}

kit::Rect LoadingForm::CoverRect(const kit::Rect& parent) {
    return kit::Rect{parent.left, parent.top + kTitleBandHeight, parent.right, parent.bottom};
}

void LoadingForm::afterReady() {
    if (const kit::WindowImplBase* parent = kit::WindowFromHandle(GetParent())) {
        MoveWindow(CoverRect(parent->GetWindowRect()));
    }
}

}  // namespace orv
