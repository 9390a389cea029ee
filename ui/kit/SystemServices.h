// Process and desktop facts the windows need: language, folders, fonts, device changes and
// application-wide hot keys.
#pragma once

#include <cstdint>
#include <string>

#include "ui/kit/Types.h"

namespace orv::kit {

// The system language as a Windows language identifier (1041 Japanese, 1033 US English,
// 2057 UK English, 2052 Simplified Chinese, 1031 German, 1036 French, ...; 1033 when unknown).
// The environment variable ORV_LANGID (decimal) overrides it, for tests.
std::uint16_t SystemLanguageId();

// Folder of the running executable, UTF-8 with a trailing '/'.
std::string ExecutableFolder();
// The user's desktop folder, UTF-8 without a trailing '/'. ORV_DESKTOP overrides it.
std::string DesktopFolder();

// Makes the font file's families available to this process only. False when the file is
// missing or unreadable (harmless: skins then fall back to other fonts).
bool AddApplicationFont(const std::string& path);
bool IsFontFamilyAvailable(const std::string& family);

// Device-change notifications: a registered window receives msg::DeviceChange with the event
// (dbt::DeviceArrival, dbt::DeviceRemoveComplete) in wParam.
void RegisterDeviceNotification(WindowHandle window);
void UnregisterDeviceNotification(WindowHandle window);
// Posts msg::DeviceChange to every registered live window. Safe from any thread.
void BroadcastDeviceChange(std::uintptr_t event);

// Application-wide hot keys: while any toolkit window has the keyboard, the key with exactly
// these modifiers (mod::Alt, ...) posts msg::HotKey to window with wParam id and lParam
// modifiers | key << 16. key is a vk:: code or an upper-case letter/digit.
bool RegisterHotKey(WindowHandle window, int id, unsigned modifiers, unsigned key);
void UnregisterHotKey(WindowHandle window, int id);
// Delivers a key press as if typed (used by the key handling and by the test driver).
// Returns true when it matched a hot key.
bool DispatchHotKey(unsigned modifiers, unsigned key);

}  // namespace orv::kit
