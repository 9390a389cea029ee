#include "ui/kit/testing/Driver.h"

#include <QApplication>
#include <QImage>
#include <QKeyEvent>
#include <QMetaObject>
#include <QMouseEvent>
#include <QPixmap>
#include <QThread>
#include <atomic>
#include <future>
#include <mutex>
#include <stdexcept>
#include <thread>

#include "ui/kit/Control.h"
#include "ui/kit/DisplayScale.h"
#include "ui/kit/DriverAccess.h"
#include "ui/kit/KitEvents.h"
#include "ui/kit/Menu.h"
#include "ui/kit/MenuWidget.h"
#include "ui/kit/WindowImage.h"
#include "ui/kit/WindowImplBase.h"
#include "ui/kit/WindowSystem.h"
#include "ui/kit/WindowWidget.h"

namespace orv::kit::testing {

namespace {

constexpr auto kUiCallTimeout = 30s;

void SendMouse(QWidget* target, QEvent::Type type, QPoint local, Qt::MouseButton button,
               Qt::MouseButtons buttons) {
    const QPointF global = target->mapToGlobal(QPointF(local));
    QMouseEvent event(type, QPointF(local), global, button, buttons, Qt::NoModifier);
    QApplication::sendEvent(target, &event);
}

void ClickWidget(QWidget* target, QPoint local, Qt::MouseButton button, int count) {
    SendMouse(target, QEvent::MouseMove, local, Qt::NoButton, Qt::NoButton);
    for (int i = 0; i < count; ++i) {
        SendMouse(target, QEvent::MouseButtonPress, local, button, button);
        SendMouse(target, QEvent::MouseButtonRelease, local, button, Qt::NoButton);
    }
}

// A driver call carried to the UI thread: posted by the script thread, run and deleted by
// whichever loop runs on the UI thread (so the function and what it captured are released there).
const QEvent::Type kDriverCallEventType = static_cast<QEvent::Type>(QEvent::User + 0x4B3);

class DriverCallEvent : public HandOverEvent {
public:
    explicit DriverCallEvent(std::function<void()> call)
        : HandOverEvent(kDriverCallEventType), call_(std::move(call)) {}
    void Run() {
        Receive();
        call_();
    }

private:
    std::function<void()> call_;
};

// Lives on the UI thread and runs the driver calls posted to it.
class DriverCallReceiver : public QObject {
public:
    bool event(QEvent* e) override {
        if (e->type() == kDriverCallEventType) {
            static_cast<DriverCallEvent*>(e)->Run();
            return true;
        }
        return QObject::event(e);
    }
};

void PostDriverCall(QObject* receiver, std::function<void()> call) {
    auto* event = new DriverCallEvent(std::move(call));
    HandOverEvent::Publish();
    QCoreApplication::postEvent(receiver, event);
}

MenuWidget* TopMenu() {
    auto& open = OpenMenuWidgets();
    return open.empty() ? nullptr : open.back();
}

Qt::KeyboardModifiers QtModifiers(unsigned modifiers) {
    Qt::KeyboardModifiers m = Qt::NoModifier;
    if ((modifiers & mod::Alt) != 0) {
        m |= Qt::AltModifier;
    }
    if ((modifiers & mod::Control) != 0) {
        m |= Qt::ControlModifier;
    }
    if ((modifiers & mod::Shift) != 0) {
        m |= Qt::ShiftModifier;
    }
    return m;
}

}  // namespace

struct Driver::Impl {
    std::thread::id uiThread = std::this_thread::get_id();
    std::mutex mutex;
    std::vector<MessageBoxRequest> boxes;
    std::vector<FileDialogRequest> dialogs;
    std::vector<std::optional<std::string>> answers;
    MessageBoxPresenter previousBox;
    FileDialogPresenter previousDialog;

    std::unique_ptr<DriverCallReceiver> receiver = std::make_unique<DriverCallReceiver>();

    bool OnUiThread() const { return std::this_thread::get_id() == uiThread; }

    // Runs fn on the UI thread, inside whatever loop runs there, and waits for it.
    template <typename F>
    auto Call(F fn) -> decltype(fn()) {
        using R = decltype(fn());
        if (OnUiThread()) {
            return fn();
        }
        auto promise = std::make_shared<std::promise<R>>();
        auto future = promise->get_future();
        PostDriverCall(receiver.get(), [promise, fn]() mutable {
            if constexpr (std::is_void_v<R>) {
                fn();
                promise->set_value();
            } else {
                promise->set_value(fn());
            }
        });
        if (future.wait_for(kUiCallTimeout) != std::future_status::ready) {
            throw std::runtime_error("the UI thread did not answer a driver call in time");
        }
        return future.get();
    }

    // Runs fn on the UI thread without waiting for it to finish (it may open a modal loop).
    void Fire(std::function<void()> fn) {
        if (OnUiThread()) {
            fn();
            return;
        }
        PostDriverCall(receiver.get(), std::move(fn));
    }
};

Driver::Driver() : impl_(std::make_unique<Impl>()) {
    impl_->previousBox = SetMessageBoxPresenter([this](const MessageBoxRequest& request) {
        std::lock_guard lock(impl_->mutex);
        impl_->boxes.push_back(request);
        return kIdOk;
    });
    impl_->previousDialog = SetFileDialogPresenter(
        [this](const FileDialogRequest& request) -> std::optional<std::string> {
            std::lock_guard lock(impl_->mutex);
            impl_->dialogs.push_back(request);
            if (impl_->answers.empty()) {
                return std::nullopt;
            }
            auto answer = impl_->answers.front();
            impl_->answers.erase(impl_->answers.begin());
            return answer;
        });
}

Driver::~Driver() {
    SetMessageBoxPresenter(std::move(impl_->previousBox));
    SetFileDialogPresenter(std::move(impl_->previousDialog));
}

bool Driver::Run(const std::function<void(Driver&)>& script, const std::function<void()>& program) {
    std::atomic<bool> done{false};
    std::atomic<bool> failed{false};
    std::thread scriptThread([&] {
        try {
            script(*this);
        } catch (const std::exception& e) {
            std::fprintf(stderr, "driver script failed: %s\n", e.what());
            failed = true;
        }
        done = true;
    });
    program();
    while (!done) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        QCoreApplication::sendPostedEvents();
        std::this_thread::sleep_for(1ms);
    }
    scriptThread.join();
    QCoreApplication::processEvents();
    return !failed;
}

bool Driver::WaitUntil(const std::function<bool()>& condition, std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (true) {
        if (impl_->Call([&] { return condition(); })) {
            return true;
        }
        if (std::chrono::steady_clock::now() >= deadline) {
            return false;
        }
        if (impl_->OnUiThread()) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
            QCoreApplication::sendPostedEvents();
        }
        std::this_thread::sleep_for(5ms);
    }
}

WindowHandle Driver::WaitForWindow(const std::string& title, std::chrono::milliseconds timeout) {
    WindowHandle found = kNoWindow;
    WaitUntil(
        [&] {
            found = FindWindow(title);
            return found != kNoWindow;
        },
        timeout);
    return found;
}

bool Driver::WaitForWindowGone(const std::string& title, std::chrono::milliseconds timeout) {
    return WaitUntil([&] { return FindWindow(title) == kNoWindow; }, timeout);
}

bool Driver::WaitForWindowGone(WindowHandle window, std::chrono::milliseconds timeout) {
    return WaitUntil([&] { return !IsWindow(window); }, timeout);
}

void Driver::Pump(std::chrono::milliseconds duration) {
    if (!impl_->OnUiThread()) {
        std::this_thread::sleep_for(duration);
        impl_->Call([] {});
        return;
    }
    const auto deadline = std::chrono::steady_clock::now() + duration;
    do {
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    } while (std::chrono::steady_clock::now() < deadline);
}

void Driver::OnUi(const std::function<void()>& action) {
    impl_->Call([&] { action(); });
}

namespace {

Control* Find(WindowHandle window, const std::string& name) {
    WindowImplBase* w = WindowFromHandle(window);
    return w == nullptr ? nullptr : w->GetPaintManager().FindControl(name);
}

// Centre of a control in client coordinates, after layout (UI thread).
std::optional<Point> CentreOf(WindowHandle window, const std::string& name) {
    Control* c = Find(window, name);
    return c == nullptr ? std::nullopt : std::optional<Point>(c->GetPos().Centre());
}

// Presses and releases `button` `count` times at a client point, if the window still lives by
// the time the event is delivered (UI thread).
void ClickInWindow(WindowHandle window, Point p, Qt::MouseButton button, int count) {
    if (WindowImplBase* w = WindowFromHandle(window)) {
        const Point device = ToDevice(p);
        ClickWidget(DriverAccess::Widget(w), QPoint(device.x, device.y), button, count);
    }
}

}  // namespace

bool Driver::Click(WindowHandle window, const std::string& controlName) {
    const auto centre = impl_->Call([&] { return CentreOf(window, controlName); });
    return centre && ClickAt(window, *centre);
}

bool Driver::DoubleClick(WindowHandle window, const std::string& controlName) {
    const auto centre = impl_->Call([&] { return CentreOf(window, controlName); });
    if (!centre) {
        return false;
    }
    impl_->Fire([window, p = *centre] { ClickInWindow(window, p, Qt::LeftButton, 2); });
    return true;
}

bool Driver::RightClick(WindowHandle window, const std::string& controlName) {
    const auto centre = impl_->Call([&] { return CentreOf(window, controlName); });
    if (!centre) {
        return false;
    }
    impl_->Fire([window, p = *centre] { ClickInWindow(window, p, Qt::RightButton, 1); });
    return true;
}

bool Driver::ClickAt(WindowHandle window, Point clientPoint) {
    if (!impl_->Call([&] { return IsWindow(window); })) {
        return false;
    }
    impl_->Fire([window, clientPoint] { ClickInWindow(window, clientPoint, Qt::LeftButton, 1); });
    return true;
}

bool Driver::Hover(WindowHandle window, const std::string& controlName) {
    const auto centre = impl_->Call([&] { return CentreOf(window, controlName); });
    return centre && MoveMouse(window, *centre);
}

bool Driver::MoveMouse(WindowHandle window, Point clientPoint) {
    return impl_->Call([&] {
        WindowImplBase* w = WindowFromHandle(window);
        if (w == nullptr) {
            return false;
        }
        const Point device = ToDevice(clientPoint);
        SendMouse(DriverAccess::Widget(w), QEvent::MouseMove, QPoint(device.x, device.y),
                  Qt::NoButton, Qt::NoButton);
        return true;
    });
}

bool Driver::TypeText(WindowHandle window, const std::string& editName, const std::string& text) {
    return impl_->Call([&] {
        WindowImplBase* w = WindowFromHandle(window);
        Control* c = w == nullptr ? nullptr : w->GetPaintManager().FindControl(editName);
        QLineEdit* edit = c == nullptr ? nullptr : DriverAccess::Edit(w, c);
        if (edit == nullptr || !edit->isVisible() || !edit->isEnabled()) {
            return false;
        }
        edit->setFocus();
        const QString chars = QString::fromStdString(text);
        for (qsizetype i = 0; i < chars.size(); ++i) {
            QString one(chars[i]);
            // Keep surrogate pairs together: one key press per character.
            if (chars[i].isHighSurrogate() && i + 1 < chars.size()) {
                one += chars[++i];
            }
            QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, one);
            QApplication::sendEvent(edit, &press);
            QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, one);
            QApplication::sendEvent(edit, &release);
        }
        return true;
    });
}

bool Driver::PressKey(WindowHandle window, unsigned key, unsigned modifiers) {
    if (!impl_->Call([&] { return IsWindow(window); })) {
        return false;
    }
    impl_->Fire([window, key, modifiers] {
        WindowImplBase* w = WindowFromHandle(window);
        if (w == nullptr) {
            return;
        }
        QWidget* target = DriverAccess::Widget(w);
        const int qtKey = QtKeyFromVirtualKey(key);
        const QString text = (key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9')
                                 ? QString(QChar(static_cast<char16_t>(key))).toLower()
                                 : QString();
        QKeyEvent press(QEvent::KeyPress, qtKey, QtModifiers(modifiers), text);
        QApplication::sendEvent(target, &press);
        QKeyEvent release(QEvent::KeyRelease, qtKey, QtModifiers(modifiers), text);
        QApplication::sendEvent(target, &release);
    });
    return true;
}

bool Driver::HoldKey(WindowHandle window, unsigned key, bool down) {
    if (!impl_->Call([&] { return IsWindow(window); })) {
        return false;
    }
    impl_->Fire([window, key, down] {
        WindowImplBase* w = WindowFromHandle(window);
        if (w == nullptr) {
            return;
        }
        QKeyEvent event(down ? QEvent::KeyPress : QEvent::KeyRelease, QtKeyFromVirtualKey(key),
                        Qt::NoModifier);
        QApplication::sendEvent(DriverAccess::Widget(w), &event);
    });
    return true;
}

bool Driver::ChooseMenuItem(const std::string& itemName) {
    const auto target = impl_->Call([&]() -> std::optional<QPoint> {
        MenuWidget* menu = TopMenu();
        if (menu == nullptr) {
            return std::nullopt;
        }
        const QRect r = menu->ItemRect(itemName);
        return r.isEmpty() ? std::nullopt : std::optional<QPoint>(r.center());
    });
    if (!target) {
        return false;
    }
    impl_->Fire([p = *target] {
        if (MenuWidget* menu = TopMenu()) {
            ClickWidget(menu, p, Qt::LeftButton, 1);
        }
    });
    return true;
}

bool Driver::PressMenuKey(unsigned key) {
    return impl_->Call([key] {
        MenuWidget* menu = TopMenu();
        if (menu == nullptr) {
            return false;
        }
        QKeyEvent press(QEvent::KeyPress, QtKeyFromVirtualKey(key), Qt::NoModifier);
        QApplication::sendEvent(menu, &press);
        return true;
    });
}

Rect Driver::MenuRect() {
    return impl_->Call([] {
        const std::vector<MenuHandle> open = Menu::OpenMenus();
        return open.empty() ? Rect{} : open.back().GetRect();
    });
}

bool Driver::DismissMenu() {
    return impl_->Call([] {
        MenuWidget* menu = TopMenu();
        if (menu == nullptr) {
            return false;
        }
        // A press outside the menu, as a user clicking elsewhere.
        const QPoint outside(-5, -5);
        SendMouse(menu, QEvent::MouseButtonPress, outside, Qt::LeftButton, Qt::LeftButton);
        return true;
    });
}

bool Driver::IsMenuOpen() {
    return impl_->Call([] { return TopMenu() != nullptr; });
}

std::vector<std::string> Driver::MenuItems() {
    return impl_->Call([] {
        std::vector<std::string> names;
        if (MenuWidget* menu = TopMenu()) {
            for (const MenuItem& item : menu->Items()) {
                if (!item.separator) {
                    names.push_back(item.name);
                }
            }
        }
        return names;
    });
}

bool Driver::HasControl(WindowHandle window, const std::string& controlName) {
    return impl_->Call([&] { return Find(window, controlName) != nullptr; });
}

std::string Driver::GetAttribute(WindowHandle window, const std::string& controlName,
                                 const std::string& attribute) {
    return impl_->Call([&] {
        Control* c = Find(window, controlName);
        return c == nullptr ? std::string() : c->GetAttribute(attribute);
    });
}

std::string Driver::FocusedControl(WindowHandle window) {
    return impl_->Call([&] {
        WindowImplBase* w = WindowFromHandle(window);
        const Control* c = w == nullptr ? nullptr : w->GetFocus();
        return c == nullptr ? std::string() : c->GetName();
    });
}

std::string Driver::GetText(WindowHandle window, const std::string& controlName) {
    return impl_->Call([&] {
        Control* c = Find(window, controlName);
        return c == nullptr ? std::string() : c->GetText();
    });
}

bool Driver::IsVisible(WindowHandle window, const std::string& controlName) {
    return impl_->Call([&] {
        Control* c = Find(window, controlName);
        return c != nullptr && c->IsReallyVisible();
    });
}

bool Driver::IsEnabled(WindowHandle window, const std::string& controlName) {
    return impl_->Call([&] {
        Control* c = Find(window, controlName);
        return c != nullptr && c->IsEnabled();
    });
}

bool Driver::IsSelected(WindowHandle window, const std::string& controlName) {
    return impl_->Call([&] {
        Control* c = Find(window, controlName);
        return c != nullptr && c->IsSelected();
    });
}

Rect Driver::GetWindowRect(WindowHandle window) {
    return impl_->Call([&] {
        WindowImplBase* w = WindowFromHandle(window);
        return w == nullptr ? Rect{} : w->GetWindowRect();
    });
}

std::string Driver::GetTitle(WindowHandle window) {
    return impl_->Call([&] {
        WindowImplBase* w = WindowFromHandle(window);
        return w == nullptr ? std::string() : w->GetTitle();
    });
}

bool Driver::SaveScreenshot(WindowHandle window, const std::string& pngPath) {
    return impl_->Call([&] { return SaveWindowImage(window, pngPath); });
}

std::optional<Size> Driver::ImageSize(const std::string& pngPath) {
    const QImage image(QString::fromStdString(pngPath));
    if (image.isNull()) {
        return std::nullopt;
    }
    return Size{image.width(), image.height()};
}

std::optional<std::uint32_t> Driver::ImagePixel(const std::string& pngPath, Point p) {
    const QImage image(QString::fromStdString(pngPath));
    if (image.isNull() || !image.valid(p.x, p.y)) {
        return std::nullopt;
    }
    return static_cast<std::uint32_t>(image.pixel(p.x, p.y));
}

std::vector<MessageBoxRequest> Driver::MessageBoxes() {
    std::lock_guard lock(impl_->mutex);
    return impl_->boxes;
}

void Driver::ClearMessageBoxes() {
    std::lock_guard lock(impl_->mutex);
    impl_->boxes.clear();
}

bool Driver::WaitForMessageBox(std::size_t count, std::chrono::milliseconds timeout) {
    return WaitUntil(
        [&] {
            std::lock_guard lock(impl_->mutex);
            return impl_->boxes.size() >= count;
        },
        timeout);
}

void Driver::QueueFileDialogAnswer(std::optional<std::string> path) {
    std::lock_guard lock(impl_->mutex);
    impl_->answers.push_back(std::move(path));
}

std::vector<FileDialogRequest> Driver::FileDialogs() {
    std::lock_guard lock(impl_->mutex);
    return impl_->dialogs;
}

}  // namespace orv::kit::testing
