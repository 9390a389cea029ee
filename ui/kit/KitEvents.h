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
// code cannot see. Publish and Receive state the same ordering with a release/acquire pair on
// one process-wide counter in our own code, so the hand-over (the event itself and everything
// the poster wrote before it) is visible to it too. Publish just before postEvent; Receive on
// the UI thread before anything reads the event: the toolkit's application-wide event filter,
// which sees every event first, does it for all of them.
class HandOverEvent : public QEvent {
public:
    explicit HandOverEvent(Type type) : QEvent(type) {}
    static void Publish() { Counter().fetch_add(1, std::memory_order_release); }
    static void Receive() { static_cast<void>(Counter().load(std::memory_order_acquire)); }

private:
    static std::atomic<unsigned long long>& Counter() {
        static std::atomic<unsigned long long> counter{0};
        return counter;
    }
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
