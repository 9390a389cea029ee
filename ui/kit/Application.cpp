#include "ui/kit/Application.h"

#include <QApplication>
#include <QEventLoop>
#include <QKeyEvent>
#include <cassert>

#include "ui/kit/ControlPainter.h"
#include "ui/kit/KitEvents.h"
#include "ui/kit/Menu.h"
#include "ui/kit/MenuWidget.h"
#include "ui/kit/SystemServices.h"
#include "ui/kit/WindowImplBase.h"
#include "ui/kit/WindowRegistry.h"
#include "ui/kit/WindowSystem.h"
#include "ui/kit/WindowWidget.h"

namespace orv::kit {

namespace {

Application* g_instance = nullptr;

// Receives the toolkit's posted events on the UI thread.
class Dispatcher : public QObject {
public:
    bool event(QEvent* e) override {
        if (e->type() == kWindowMessageEventType) {
            const auto* m = static_cast<WindowMessageEvent*>(e);
            HandOverEvent::Receive();
            SendMessage(m->handle, m->message, m->wParam, m->lParam);
            return true;
        }
        if (e->type() == kQuitEventType) {
            const auto* quit = static_cast<QuitEvent*>(e);
            HandOverEvent::Receive();
            WindowRegistry::Get().DeliverQuit(quit->exitCode);
            return true;
        }
        return QObject::event(e);
    }
};

unsigned Modifiers(Qt::KeyboardModifiers m) {
    unsigned out = 0;
    if (m.testFlag(Qt::AltModifier)) {
        out |= mod::Alt;
    }
    if (m.testFlag(Qt::ControlModifier)) {
        out |= mod::Control;
    }
    if (m.testFlag(Qt::ShiftModifier)) {
        out |= mod::Shift;
    }
    return out;
}

// Sees every event of the process: hot keys before any widget, and presses outside open menus.
class InputFilter : public QObject {
public:
    bool eventFilter(QObject* watched, QEvent* e) override {
        // The first of our code to see an event that another thread may have posted.
        HandOverEvent::Receive();
        if (e->type() == QEvent::KeyPress) {
            const auto* key = static_cast<QKeyEvent*>(e);
            const unsigned mods = Modifiers(key->modifiers());
            const unsigned vk = VirtualKeyFromQt(key->key());
            if (mods != 0 && vk != 0 && watched->isWidgetType() && DispatchHotKey(mods, vk)) {
                return true;
            }
        } else if (e->type() == QEvent::MouseButtonPress && watched->isWidgetType()) {
            if (dynamic_cast<MenuWidget*>(watched) == nullptr) {
                // A press anywhere else dismisses open menus; the press still counts.
                Menu::CloseAll();
            }
        }
        return QObject::eventFilter(watched, e);
    }
};

}  // namespace

struct Application::Impl {
    std::unique_ptr<QApplication> app;
    std::unique_ptr<Dispatcher> dispatcher;
    std::unique_ptr<InputFilter> filter;
};

Application::Application(int& argc, char** argv) : impl_(std::make_unique<Impl>()) {
    assert(g_instance == nullptr && "only one orv::kit::Application per process");
    impl_->app = std::make_unique<QApplication>(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    impl_->dispatcher = std::make_unique<Dispatcher>();
    impl_->filter = std::make_unique<InputFilter>();
    impl_->app->installEventFilter(impl_->filter.get());
    WindowRegistry::Get().SetDispatcher(impl_->dispatcher.get());
    g_instance = this;
}

Application::~Application() {
    WindowRegistry& registry = WindowRegistry::Get();
    registry.SetDispatcher(nullptr);
    Menu::CloseAll();
    registry.ReleaseAll();
    // Deferred deletions (widgets of destroyed windows and menus) happen before Qt goes away.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::removePostedEvents(impl_->dispatcher.get());
    impl_->app->removeEventFilter(impl_->filter.get());
    impl_->filter.reset();
    impl_->dispatcher.reset();
    ClearSkinImageCache();
    impl_->app.reset();
    g_instance = nullptr;
}

Application* Application::Instance() {
    return g_instance;
}

int Application::MessageLoop() {
    WindowRegistry& registry = WindowRegistry::Get();
    if (!registry.QuitRequested()) {
        QEventLoop loop;
        registry.PushLoop(&loop);
        loop.exec();
        registry.PopLoop(&loop);
    }
    return registry.ExitCode();
}

void Application::ProcessPendingEvents() {
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

bool Application::QuitRequested() {
    return WindowRegistry::Get().QuitRequested();
}

void Application::ResetQuit() {
    WindowRegistry::Get().ResetQuit();
}

}  // namespace orv::kit
