// Message numbers, window styles and parameter values the windows use. Numbers match the
// conventional desktop values so message tables can be read against familiar documentation;
// the tool's own protocol numbers (0x52F, 0x534, ...) belong to the windows that use them.
#pragma once

#include <cstdint>

#include "ui/kit/Types.h"

namespace orv::kit {

namespace msg {
inline constexpr unsigned Create = 0x0001;
inline constexpr unsigned Destroy = 0x0002;
inline constexpr unsigned Size = 0x0005;
inline constexpr unsigned Close = 0x0010;    // wParam: the result for ShowModal
inline constexpr unsigned Quit = 0x0012;     // wParam: exit code; ends the outermost loop
inline constexpr unsigned KeyDown = 0x0100;  // wParam: virtual key (vk:: below); lParam bit 30:
                                             // a repeat of a key held down
inline constexpr unsigned KeyUp = 0x0101;    // wParam: virtual key; not sent for repeats
inline constexpr unsigned Char = 0x0102;
inline constexpr unsigned SysCommand = 0x0112;  // wParam: sc:: below
inline constexpr unsigned Timer = 0x0113;       // wParam: timer id
inline constexpr unsigned MouseMove = 0x0200;   // lParam: MakePointParam (client)
inline constexpr unsigned LButtonDown = 0x0201;
inline constexpr unsigned LButtonUp = 0x0202;
inline constexpr unsigned LButtonDblClk = 0x0203;
inline constexpr unsigned RButtonUp = 0x0205;
inline constexpr unsigned MouseWheel = 0x020A;
inline constexpr unsigned DeviceChange = 0x0219;  // wParam: dbt:: below
inline constexpr unsigned MouseHover = 0x02A1;    // lParam: MakePointParam (client)
inline constexpr unsigned HotKey = 0x0312;        // wParam: id; lParam: modifiers | vk << 16
inline constexpr unsigned User = 0x0400;
// Posted by a pop-up menu to its owner when an item is chosen; wParam is a MenuCommand that
// the owner releases with PaintManager::DeletePtr.
inline constexpr unsigned MenuClick = 0x0403;
}  // namespace msg

namespace sc {
inline constexpr std::uintptr_t Minimize = 0xF020;
inline constexpr std::uintptr_t Maximize = 0xF030;
inline constexpr std::uintptr_t Close = 0xF060;
inline constexpr std::uintptr_t Restore = 0xF120;
}  // namespace sc

// wParam of msg::DeviceChange.
namespace dbt {
inline constexpr std::uintptr_t DeviceArrival = 0x8000;
inline constexpr std::uintptr_t DeviceRemoveComplete = 0x8004;
}  // namespace dbt

// Window styles given to WindowImplBase::Create. Only Visible changes behaviour (the window
// shows at once); the rest are kept so callers can state the intended kind of window.
namespace style {
inline constexpr std::uint32_t Popup = 0x80000000u;
inline constexpr std::uint32_t Child = 0x40000000u;
inline constexpr std::uint32_t Visible = 0x10000000u;
inline constexpr std::uint32_t ClipSiblings = 0x04000000u;
inline constexpr std::uint32_t ClipChildren = 0x02000000u;
inline constexpr std::uint32_t Caption = 0x00C00000u;
inline constexpr std::uint32_t SysMenu = 0x00080000u;
inline constexpr std::uint32_t ThickFrame = 0x00040000u;
inline constexpr std::uint32_t MinimizeBox = 0x00020000u;
inline constexpr std::uint32_t MaximizeBox = 0x00010000u;
inline constexpr std::uint32_t OverlappedWindow =
    0x00000000u | Caption | SysMenu | ThickFrame | MinimizeBox | MaximizeBox;
inline constexpr std::uint32_t Dialog =
    Popup | Visible | ClipSiblings | ClipChildren | Caption | SysMenu;
}  // namespace style

namespace exstyle {
inline constexpr std::uint32_t WindowEdge = 0x00000100u;
inline constexpr std::uint32_t ToolWindow = 0x00000080u;
}  // namespace exstyle

// Position or size "left to the system" in WindowImplBase::Create.
inline constexpr int kUseDefault = static_cast<int>(0x80000000u);

// Key codes in msg::KeyDown / msg::HotKey: letters and digits are their upper-case ASCII code.
namespace vk {
inline constexpr unsigned Back = 0x08;
inline constexpr unsigned Tab = 0x09;
inline constexpr unsigned Return = 0x0D;
inline constexpr unsigned Escape = 0x1B;
inline constexpr unsigned Space = 0x20;
inline constexpr unsigned Left = 0x25;
inline constexpr unsigned Up = 0x26;
inline constexpr unsigned Right = 0x27;
inline constexpr unsigned Down = 0x28;
inline constexpr unsigned Delete = 0x2E;
inline constexpr unsigned F1 = 0x70;
}  // namespace vk

// Modifier bits of a hot key (low word of the msg::HotKey lParam).
namespace mod {
inline constexpr unsigned Alt = 0x0001;
inline constexpr unsigned Control = 0x0002;
inline constexpr unsigned Shift = 0x0004;
}  // namespace mod

// Packs a client point into an lParam the way mouse messages carry it.
inline constexpr std::intptr_t MakePointParam(int x, int y) {
    return static_cast<std::intptr_t>((static_cast<std::uint32_t>(y & 0xFFFF) << 16) |
                                      static_cast<std::uint32_t>(x & 0xFFFF));
}
inline constexpr int PointParamX(std::intptr_t l) {
    return static_cast<std::int16_t>(static_cast<std::uint32_t>(l) & 0xFFFF);
}
inline constexpr int PointParamY(std::intptr_t l) {
    return static_cast<std::int16_t>((static_cast<std::uint32_t>(l) >> 16) & 0xFFFF);
}

}  // namespace orv::kit
