// Base of every window of the tool: a frameless top-level window drawn from one skin file.
//
// Life cycle: construct with new, then Create(). From Create on the object owns itself: when
// the window is destroyed (msg::Close reaching the base HandleMessage, Close(), or
// DestroyWindow) the toolkit calls OnFinalMessage and then deletes the object. Deletion waits
// until no toolkit call on this window is running any more (a handler that closes its own
// window, ShowModal still on the stack), so closing from inside a handler is safe. After
// ShowModal returns the caller must not touch the object again.
//
// All members must be called on the UI thread; use PostMessage from other threads.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "ui/kit/Messages.h"
#include "ui/kit/Notification.h"
#include "ui/kit/PaintManager.h"
#include "ui/kit/Types.h"

namespace orv::kit {

class WindowWidget;

class WindowImplBase {
public:
    WindowImplBase();
    virtual ~WindowImplBase();
    WindowImplBase(const WindowImplBase&) = delete;
    WindowImplBase& operator=(const WindowImplBase&) = delete;

    // Loads the skin (GetSkinFolder() + GetSkinFile() under the resource folder), builds the
    // controls, sizes the window (kUseDefault: the skin's "size", placed by the system), then
    // calls onWindowReady. Shows the window when style has style::Visible. Returns the new
    // handle, or kNoWindow when the skin cannot be loaded (the reason is in GetCreateError();
    // ShowModal then returns -1 and releases the object).
    WindowHandle Create(WindowHandle parent, const std::string& title, std::uint32_t style,
                        std::uint32_t exStyle, int x = kUseDefault, int y = kUseDefault,
                        int cx = kUseDefault, int cy = kUseDefault);
    WindowHandle Create(WindowHandle parent, const std::string& title, std::uint32_t style,
                        std::uint32_t exStyle, const Rect& rect);

    // Shows the window and runs a nested event loop until it is destroyed; disables the parent
    // meanwhile. Returns the result given to Close, or -1 when the loop ended otherwise (quit).
    int ShowModal();
    void ShowWindow(bool show = true, bool takeFocus = true);
    // Posts msg::Close with the result; the window closes once the message is handled.
    void Close(int result = 1);
    // Destroys the window now (no msg::Close): first the windows it owns (created with it as
    // parent), then its own OnFinalMessage, then deletion.
    void DestroyWindow();

    // Centres on the parent window, or on the screen without one.
    void CenterWindow();
    // Outer rectangle in screen coordinates.
    Rect GetWindowRect() const;
    void MoveWindow(const Rect& screenRect);
    void MoveWindow(int x, int y, int cx, int cy) { MoveWindow(Rect{x, y, x + cx, y + cy}); }
    Point ScreenToClient(Point screen) const;
    Point ClientToScreen(Point client) const;
    void Minimize();
    bool IsMinimized() const;

    WindowHandle GetHWND() const { return handle_; }
    operator WindowHandle() const { return handle_; }
    WindowHandle GetParent() const { return parent_; }
    const std::string& GetTitle() const { return title_; }
    void SetTitle(const std::string& title);
    const std::string& GetCreateError() const { return createError_; }
    // Window icon from an image file (UTF-8 path); false when it cannot be read.
    bool SetIcon(const std::string& imagePath);

    // The buttons the keys act on in a window with a parent (a dialog, prompt or editor):
    // Enter clicks `enterButton` (default "OKBtn"), Escape clicks `escapeButton` (default
    // "CancelBtn", or "closebtn" when the skin has no "CancelBtn"); "" turns a key off. A button
    // that Tab has reached takes Enter and Space itself. Windows without a parent have no
    // Enter/Escape defaults. Keys reach these only when OnKeyDown leaves them unhandled.
    void SetKeyButtons(std::string enterButton, std::string escapeButton);

    // Keyboard focus. SetFocus gives it to `edit`: at once when the window is active, else when
    // it next becomes active. False when `edit` is not a visible, enabled Edit of this window.
    // GetFocus is the control holding it (an Edit, or a button the Tab key reached), or
    // nullptr. Tab and Shift+Tab walk the visible, enabled Edits and buttons in skin order;
    // a button holding the focus carries a visible mark.
    bool SetFocus(const Control* edit);
    const Control* GetFocus() const;

    PaintManager& GetPaintManager() { return paintManager_; }
    const PaintManager& GetPaintManager() const { return paintManager_; }

    // Runs this window's HandleMessage now (same as kit::SendMessage to GetHWND()).
    LResult SendMessage(unsigned message, WParam wParam = 0, LParam lParam = 0);
    bool PostMessage(unsigned message, WParam wParam = 0, LParam lParam = 0);

    // Delivers msg::Timer with wParam id every periodMs (>= 1) until KillTimer; setting an id
    // again restarts it with the new period.
    bool SetTimer(unsigned id, unsigned periodMs);
    void KillTimer(unsigned id);
    bool HasTimer(unsigned id) const;

protected:
    // Identifies the kind of window (several windows may share one).
    virtual std::string GetWindowClassName() const = 0;
    // Skin file name relative to the resource folder (and GetSkinFolder()).
    virtual std::string GetSkinFile() = 0;
    virtual std::string GetSkinFolder() { return {}; }

    // Once, after the window and its controls exist (inside Create).
    virtual void onWindowReady() {}

    // Every message addressed to the window. The base version handles msg::Close (destroys
    // the window; result = wParam), msg::SysCommand (sc::Minimize/Restore/Close),
    // msg::KeyDown (OnKeyDown) and msg::MouseHover (OnMouseHover), then hands the rest to
    // HandleCustomMessage. Derived windows call it for what they do not handle.
    virtual LResult HandleMessage(unsigned message, WParam wParam, LParam lParam);
    // Clear handled for messages it does not handle (the base clears it for all).
    virtual LResult HandleCustomMessage(unsigned message, WParam wParam, LParam lParam,
                                        bool& handled);
    virtual void Notify(Notification& notification);
    // Last call on the object before it is deleted; the handle is already dead.
    virtual void OnFinalMessage(WindowHandle handle);
    virtual LResult OnKeyDown(unsigned message, WParam wParam, LParam lParam, bool& handled);
    virtual LResult OnMouseHover(unsigned message, WParam wParam, LParam lParam, bool& handled);

private:
    friend class WindowWidget;
    friend class WindowRegistry;
    friend class DriverAccess;
    friend class PaintManager;
    friend LResult SendMessage(WindowHandle, unsigned, WParam, LParam);
    friend void SetDesktopTitles(std::function<std::string(const std::string&)>);
    friend std::string GetDesktopTitle(WindowHandle);

    LResult Dispatch(unsigned message, WParam wParam, LParam lParam);
    // Enter, Escape and Space on the window's buttons; true when one was clicked.
    bool HandleStandardKey(unsigned key);
    void DispatchNotify(Notification& notification);
    void FinishDestroy();
    void Enter() { ++busy_; }
    void Leave();

    PaintManager paintManager_;
    std::unique_ptr<WindowWidget> widget_;
    WindowHandle handle_ = kNoWindow;
    WindowHandle parent_ = kNoWindow;
    std::string title_;
    std::string createError_;
    int busy_ = 0;
    int modalResult_ = -1;
    bool destroyed_ = false;
    bool deletePending_ = false;
    bool createFailed_ = false;
    std::string enterButton_ = "OKBtn";
    std::string escapeButton_ = "CancelBtn";
    bool escapeToClose_ = true;
    struct ModalLoop;
    ModalLoop* modalLoop_ = nullptr;
};

}  // namespace orv::kit
