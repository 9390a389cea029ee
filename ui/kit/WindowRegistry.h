// Process-wide table of live windows, the posted-message queue and the stack of running
// message loops. Internal to the toolkit.
#pragma once

#include <QObject>
#include <atomic>
#include <mutex>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "ui/kit/Types.h"

class QEventLoop;

namespace orv::kit {

class WindowImplBase;

class WindowRegistry {
public:
    static WindowRegistry& Get();

    WindowHandle Register(WindowImplBase* window, const std::string& title);
    void SetTitle(WindowHandle handle, const std::string& title);
    void Unregister(WindowHandle handle);
    bool IsLive(WindowHandle handle);
    WindowImplBase* Lookup(WindowHandle handle);
    WindowHandle FindByTitle(const std::string& title);
    std::vector<WindowHandle> Live();

    // Windows whose Create failed: released at shutdown when nobody called ShowModal.
    void AddFailed(WindowImplBase* window);
    void RemoveFailed(WindowImplBase* window);

    // Any thread.
    bool Post(WindowHandle handle, unsigned message, WParam w, LParam l);
    void PostQuit(int exitCode);

    void PushLoop(QEventLoop* loop);
    void PopLoop(QEventLoop* loop);
    bool QuitRequested() const { return quitRequested_.load(); }
    int ExitCode() const { return exitCode_.load(); }
    void ResetQuit();

    WindowHandle Foreground() const { return foreground_; }
    void SetForeground(WindowHandle handle) { foreground_ = handle; }
    Point Cursor() const { return cursor_; }
    void SetCursor(Point screen) { cursor_ = screen; }

    // Created by Application on the UI thread; posted events are delivered through it.
    void SetDispatcher(QObject* dispatcher) { dispatcher_.store(dispatcher); }
    void DeliverQuit(int exitCode);
    // At shutdown: deletes every remaining window object without OnFinalMessage.
    void ReleaseAll();

private:
    mutable std::mutex mutex_;
    std::unordered_map<WindowHandle, WindowImplBase*> live_;
    std::unordered_map<WindowHandle, std::string> titles_;
    std::vector<WindowHandle> order_;
    std::unordered_set<WindowImplBase*> failed_;
    WindowHandle next_ = 0x10000;
    std::atomic<QObject*> dispatcher_{nullptr};
    std::vector<QEventLoop*> loops_;
    std::atomic<bool> quitRequested_{false};
    std::atomic<int> exitCode_{0};
    WindowHandle foreground_ = kNoWindow;
    Point cursor_;
};

}  // namespace orv::kit
