#pragma once
// Hands the device layer's results to a window as posted messages. Holds only the handle, so
// it may outlive the window: a window that is gone by then receives nothing.

#include "device/MessageTarget.h"
#include "ui/kit/Types.h"

namespace orv {

class WindowMessageTarget final : public MessageTarget {
public:
    explicit WindowMessageTarget(kit::WindowHandle window) : window_(window) {}
    void post(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) override;

private:
    const kit::WindowHandle window_;
};

}  // namespace orv
