// Drives toolkit windows the way a user would, with the real event loop, offscreen.
//
// Two ways to use it:
//  - From the UI thread (the test body): calls act at once and WaitFor… calls spin the event
//    loop until their condition holds or the timeout passes. Fine while no call opens a modal
//    window (a click that runs ShowModal would not return until the modal loop ends).
//  - As a script beside a running program: Driver::Run(script, program) runs program (which
//    may run the message loop and nested ShowModal loops) on the UI thread and the script on a
//    second thread. Every driver call from the script is carried out on the UI thread by
//    whichever loop is running, so the script keeps going while modal windows are open.
//    Clicks and key presses return once delivered to the event queue, not once handled.
//
// Clicks are a real press and release at the control's centre, so hidden, disabled,
// mouse="false" or covered controls do not react. Message boxes and file dialogs are
// intercepted while a Driver exists: boxes are recorded and answered OK, file dialogs get the
// queued answers (cancel when none).
#pragma once

#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "ui/kit/FileDialog.h"
#include "ui/kit/MessageBox.h"
#include "ui/kit/Types.h"

namespace orv::kit {
class Control;
}

namespace orv::kit::testing {

using namespace std::chrono_literals;

class Driver {
public:
    Driver();
    ~Driver();
    Driver(const Driver&) = delete;
    Driver& operator=(const Driver&) = delete;

    // Runs program() on this (UI) thread and script(*this) on a helper thread; returns when
    // both ended. While program() has returned but the script has not, events keep being
    // handled. Returns false when the script threw.
    bool Run(const std::function<void(Driver&)>& script, const std::function<void()>& program);

    // --- waiting ---
    // Handle of the first live window titled title, waiting up to timeout; kNoWindow on timeout.
    WindowHandle WaitForWindow(const std::string& title, std::chrono::milliseconds timeout = 5s);
    bool WaitForWindowGone(const std::string& title, std::chrono::milliseconds timeout = 5s);
    bool WaitForWindowGone(WindowHandle window, std::chrono::milliseconds timeout = 5s);
    // Polls condition on the UI thread.
    bool WaitUntil(const std::function<bool()>& condition, std::chrono::milliseconds timeout = 5s);
    // Lets the event loop run for the given real time.
    void Pump(std::chrono::milliseconds duration = 0ms);
    // Runs action on the UI thread and returns its result (inside whatever loop is running).
    void OnUi(const std::function<void()>& action);

    // --- acting ---
    // Press and release at the centre of the named control. False when no such control.
    bool Click(WindowHandle window, const std::string& controlName);
    bool DoubleClick(WindowHandle window, const std::string& controlName);
    bool RightClick(WindowHandle window, const std::string& controlName);
    // Press and release at a client point.
    bool ClickAt(WindowHandle window, Point clientPoint);
    // Moves the mouse over the control's centre (hot look, cursor position).
    bool Hover(WindowHandle window, const std::string& controlName);
    bool MoveMouse(WindowHandle window, Point clientPoint);
    // Focuses the named Edit and types the UTF-8 text as key presses.
    bool TypeText(WindowHandle window, const std::string& editName, const std::string& text);
    // Presses a key (vk:: code or upper-case letter) with mod:: modifiers in the window.
    bool PressKey(WindowHandle window, unsigned key, unsigned modifiers = 0);
    // Presses (down) or releases (!down) a key in the window, alone: for keys held over time.
    bool HoldKey(WindowHandle window, unsigned key, bool down);
    // Chooses the named item of the most recent open menu. False when no menu or no item.
    bool ChooseMenuItem(const std::string& itemName);
    // Presses a key (vk::Up, vk::Down, vk::Return, vk::Escape, ...) in the most recent open
    // menu. False when none is open.
    bool PressMenuKey(unsigned key);
    // Logical screen rectangle of the most recent open menu; empty when none.
    Rect MenuRect();
    // Clicks outside the most recent open menu.
    bool DismissMenu();
    bool IsMenuOpen();
    std::vector<std::string> MenuItems();

    // --- reading ---
    bool HasControl(WindowHandle window, const std::string& controlName);
    std::string GetAttribute(WindowHandle window, const std::string& controlName,
                             const std::string& attribute);
    std::string GetText(WindowHandle window, const std::string& controlName);
    bool IsVisible(WindowHandle window, const std::string& controlName);
    bool IsEnabled(WindowHandle window, const std::string& controlName);
    bool IsSelected(WindowHandle window, const std::string& controlName);
    Rect GetWindowRect(WindowHandle window);
    // Name of the control holding the window's keyboard focus (an Edit, or a button Tab
    // reached); "" when none.
    std::string FocusedControl(WindowHandle window);
    std::string GetTitle(WindowHandle window);
    // Renders the window as it shows on screen into a PNG file.
    bool SaveScreenshot(WindowHandle window, const std::string& pngPath);
    // Reads back a saved image: its size, and a pixel as 0xAARRGGBB.
    static std::optional<Size> ImageSize(const std::string& pngPath);
    static std::optional<std::uint32_t> ImagePixel(const std::string& pngPath, Point p);

    // --- intercepted services ---
    std::vector<MessageBoxRequest> MessageBoxes();
    void ClearMessageBoxes();
    // Waits for the count of recorded boxes to reach count.
    bool WaitForMessageBox(std::size_t count = 1, std::chrono::milliseconds timeout = 5s);
    // The answer of the next file dialog (nullopt = cancel).
    void QueueFileDialogAnswer(std::optional<std::string> path);
    std::vector<FileDialogRequest> FileDialogs();

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

}  // namespace orv::kit::testing
