// Process-wide window services: handles, lookup by title, posted and sent messages, quit.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "ui/kit/Types.h"

namespace orv::kit {

class WindowImplBase;

// First live top-level window whose title equals title exactly; kNoWindow when none.
WindowHandle FindWindow(const std::string& title);
bool IsWindow(WindowHandle handle);
// The object of a live window; nullptr for a dead handle. UI thread only.
WindowImplBase* WindowFromHandle(WindowHandle handle);
std::vector<WindowHandle> LiveWindows();

// Queues a message for the window's HandleMessage on the UI thread. Safe from any thread.
// Returns false, and delivers nothing, when the handle is dead at posting time; a window that
// dies before delivery receives nothing either.
bool PostMessage(WindowHandle handle, unsigned message, WParam wParam = 0, LParam lParam = 0);
// Runs the window's HandleMessage before returning (UI thread only); 0 for a dead handle.
LResult SendMessage(WindowHandle handle, unsigned message, WParam wParam = 0, LParam lParam = 0);

// Ends the outermost message loop with exitCode; any modal loops running end first (their
// ShowModal returns -1). Safe from any thread.
void PostQuitMessage(int exitCode = 0);

// What the desktop (task switcher, taskbar) shows as a window's title, given its lookup title
// (the one FindWindow uses, which stays as it is). Applied at once to every live window and
// to every window created later; a provider that returns "" (or none) shows the lookup title.
using DesktopTitleProvider = std::function<std::string(const std::string& lookupTitle)>;
void SetDesktopTitles(DesktopTitleProvider provider);
// The title the desktop shows for a live window ("" for a dead handle).
std::string GetDesktopTitle(WindowHandle handle);

WindowHandle GetForegroundWindow();
void SetForegroundWindow(WindowHandle handle);
// Last mouse position over any toolkit window, in screen coordinates.
Point GetCursorPos();

}  // namespace orv::kit
