#pragma once
// Where the device layer's results go: the main window, later, which posts them to its own
// handle (so a window that is gone receives nothing). post may be called from any thread and
// must not block.

#include <cstdint>

namespace orv {

// Window messages of the connection flow.
inline constexpr std::uint32_t ConnectResultMessage = 0x52F;       // wParam: ConnectResult
inline constexpr std::uint32_t QuitFromConnectionMessage = 0x531;  // wParam: prompt handle
inline constexpr std::uint32_t MainWindowMessage = 0x534;          // wParam: command code
inline constexpr std::uintptr_t kShowLoadingWindowCode = 17;       // MainWindowMessage
inline constexpr std::uintptr_t kShowConnectionPromptCode = 18;    // MainWindowMessage

// wParam of ConnectResultMessage.
enum class ConnectResult : std::uintptr_t {
    NotFound = 0,    // no controller, or the identity switch did not complete
    Connected = 1,   // all twelve images read
    Rejected = 3,    // the controller shows the rejected identity
    ReadFailed = 4,  // reading the images failed
};

class MessageTarget {
public:
    virtual ~MessageTarget() = default;
    virtual void post(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) = 0;
};

}  // namespace orv
