// Qt events the toolkit posts to itself. Internal.
#pragma once

#include <QEvent>
#include <atomic>

#include "ui/kit/Types.h"

namespace orv::kit {

inline const QEvent::Type kWindowMessageEventType = static_cast<QEvent::Type>(QEvent::User + 0x4B1);
inline const QEvent::Type kQuitEventType = static_cast<QEvent::Type>(QEvent::User + 0x4B2);

// An event handed from one thread to another. Qt's event queue orders memory between the poster
// and the receiver, but inside Qt's own futex-based mutex, which a race detector built into our
// code cannot see. Publish and Receive state the same ordering with a release/acquire pair in
// our own code, so the hand-over (and everything the poster wrote before it) is visible to it
// too: call Publish just before postEvent and Receive first thing in the handler.
class HandOverEvent : public QEvent {
public:
    explicit HandOverEvent(Type type) : QEvent(type) {}
    void Publish() { published_.store(true, std::memory_order_release); }
    void Receive() const { static_cast<void>(published_.load(std::memory_order_acquire)); }

private:
    std::atomic<bool> published_{false};
};

class WindowMessageEvent : public HandOverEvent {
public:
    WindowMessageEvent(WindowHandle h, unsigned m, WParam w, LParam l)
        : HandOverEvent(kWindowMessageEventType), handle(h), message(m), wParam(w), lParam(l) {}
    WindowHandle handle;
    unsigned message;
    WParam wParam;
    LParam lParam;
};

class QuitEvent : public HandOverEvent {
public:
    explicit QuitEvent(int code) : HandOverEvent(kQuitEventType), exitCode(code) {}
    int exitCode;
};

}  // namespace orv::kit
