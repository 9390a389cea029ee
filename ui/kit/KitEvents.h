// Qt events the toolkit posts to itself. Internal.
#pragma once

#include <QEvent>

#include "ui/kit/Types.h"

namespace orv::kit {

inline const QEvent::Type kWindowMessageEventType = static_cast<QEvent::Type>(QEvent::User + 0x4B1);
inline const QEvent::Type kQuitEventType = static_cast<QEvent::Type>(QEvent::User + 0x4B2);

class WindowMessageEvent : public QEvent {
public:
    WindowMessageEvent(WindowHandle h, unsigned m, WParam w, LParam l)
        : QEvent(kWindowMessageEventType), handle(h), message(m), wParam(w), lParam(l) {}
    WindowHandle handle;
    unsigned message;
    WParam wParam;
    LParam lParam;
};

class QuitEvent : public QEvent {
public:
    explicit QuitEvent(int code) : QEvent(kQuitEventType), exitCode(code) {}
    int exitCode;
};

}  // namespace orv::kit
