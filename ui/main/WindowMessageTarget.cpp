#include "ui/main/WindowMessageTarget.h"

#include "ui/kit/WindowSystem.h"

namespace orv {

void WindowMessageTarget::post(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) {
    kit::PostMessage(window_, message, wParam, lParam);
}

}  // namespace orv
