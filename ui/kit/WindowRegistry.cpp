#include "ui/kit/WindowRegistry.h"

#include <QCoreApplication>
#include <QEvent>
#include <QEventLoop>
#include <algorithm>

#include "ui/kit/KitEvents.h"
#include "ui/kit/WindowImplBase.h"
#include "ui/kit/WindowSystem.h"

namespace orv::kit {

WindowRegistry& WindowRegistry::Get() {
    static WindowRegistry registry;
    return registry;
}

WindowHandle WindowRegistry::Register(WindowImplBase* window, const std::string& title) {
    std::lock_guard lock(mutex_);
    // Handles step by 16 and are never reused, so a stale handle stays dead.
    next_ += 16;
    live_[next_] = window;
    titles_[next_] = title;
    order_.push_back(next_);
    return next_;
}

void WindowRegistry::Unregister(WindowHandle handle) {
    std::lock_guard lock(mutex_);
    live_.erase(handle);
    titles_.erase(handle);
    order_.erase(std::remove(order_.begin(), order_.end(), handle), order_.end());
}

void WindowRegistry::SetTitle(WindowHandle handle, const std::string& title) {
    std::lock_guard lock(mutex_);
    if (const auto it = titles_.find(handle); it != titles_.end()) {
        it->second = title;
    }
}

bool WindowRegistry::IsLive(WindowHandle handle) {
    std::lock_guard lock(mutex_);
    return live_.contains(handle);
}

WindowImplBase* WindowRegistry::Lookup(WindowHandle handle) {
    std::lock_guard lock(mutex_);
    const auto it = live_.find(handle);
    return it == live_.end() ? nullptr : it->second;
}

WindowHandle WindowRegistry::FindByTitle(const std::string& title) {
    std::lock_guard lock(mutex_);
    for (const WindowHandle h : order_) {
        if (titles_.at(h) == title) {
            return h;
        }
    }
    return kNoWindow;
}

std::vector<WindowHandle> WindowRegistry::Live() {
    std::lock_guard lock(mutex_);
    return order_;
}

void WindowRegistry::AddFailed(WindowImplBase* window) {
    std::lock_guard lock(mutex_);
    failed_.insert(window);
}

void WindowRegistry::RemoveFailed(WindowImplBase* window) {
    std::lock_guard lock(mutex_);
    failed_.erase(window);
}

bool WindowRegistry::Post(WindowHandle handle, unsigned message, WParam w, LParam l) {
    QObject* dispatcher = dispatcher_.load();
    if (dispatcher == nullptr || !IsLive(handle)) {
        return false;
    }
    auto* event = new WindowMessageEvent(handle, message, w, l);
    HandOverEvent::Publish();
    QCoreApplication::postEvent(dispatcher, event);
    return true;
}

void WindowRegistry::PostQuit(int exitCode) {
    QObject* dispatcher = dispatcher_.load();
    if (dispatcher == nullptr) {
        quitRequested_ = true;
        exitCode_ = exitCode;
        return;
    }
    auto* event = new QuitEvent(exitCode);
    HandOverEvent::Publish();
    QCoreApplication::postEvent(dispatcher, event);
}

void WindowRegistry::PushLoop(QEventLoop* loop) {
    loops_.push_back(loop);
}

void WindowRegistry::PopLoop(QEventLoop* loop) {
    loops_.erase(std::remove(loops_.begin(), loops_.end(), loop), loops_.end());
}

void WindowRegistry::DeliverQuit(int exitCode) {
    exitCode_ = exitCode;
    quitRequested_ = true;
    for (QEventLoop* loop : loops_) {
        loop->exit(-1);
    }
}

void WindowRegistry::ResetQuit() {
    quitRequested_ = false;
    exitCode_ = 0;
}

void WindowRegistry::ReleaseAll() {
    std::vector<WindowImplBase*> windows;
    {
        std::lock_guard lock(mutex_);
        for (const WindowHandle h : order_) {
            windows.push_back(live_.at(h));
        }
        windows.insert(windows.end(), failed_.begin(), failed_.end());
        live_.clear();
        titles_.clear();
        order_.clear();
        failed_.clear();
    }
    for (WindowImplBase* w : windows) {
        delete w;
    }
}

// --- free functions of WindowSystem.h ---

WindowHandle FindWindow(const std::string& title) {
    return WindowRegistry::Get().FindByTitle(title);
}

bool IsWindow(WindowHandle handle) {
    return WindowRegistry::Get().IsLive(handle);
}

WindowImplBase* WindowFromHandle(WindowHandle handle) {
    return WindowRegistry::Get().Lookup(handle);
}

std::vector<WindowHandle> LiveWindows() {
    return WindowRegistry::Get().Live();
}

bool PostMessage(WindowHandle handle, unsigned message, WParam wParam, LParam lParam) {
    return WindowRegistry::Get().Post(handle, message, wParam, lParam);
}

LResult SendMessage(WindowHandle handle, unsigned message, WParam wParam, LParam lParam) {
    WindowImplBase* window = WindowRegistry::Get().Lookup(handle);
    return window == nullptr ? 0 : window->Dispatch(message, wParam, lParam);
}

void PostQuitMessage(int exitCode) {
    WindowRegistry::Get().PostQuit(exitCode);
}

WindowHandle GetForegroundWindow() {
    const WindowHandle h = WindowRegistry::Get().Foreground();
    return IsWindow(h) ? h : kNoWindow;
}

void SetForegroundWindow(WindowHandle handle) {
    WindowRegistry::Get().SetForeground(handle);
}

Point GetCursorPos() {
    return WindowRegistry::Get().Cursor();
}

}  // namespace orv::kit
