#include "ui/kit/WindowImplBase.h"

#include <QApplication>
#include <QEventLoop>
#include <QIcon>
#include <QLineEdit>
#include <QScreen>
#include <QWindow>
#include <cstdio>

#include "ui/kit/DisplayScale.h"
#include "ui/kit/DriverAccess.h"
#include "ui/kit/SkinDocument.h"
#include "ui/kit/SystemServices.h"
#include "ui/kit/WindowRegistry.h"
#include "ui/kit/WindowSystem.h"
#include "ui/kit/WindowWidget.h"

namespace orv::kit {

struct WindowImplBase::ModalLoop {
    QEventLoop loop;
};

namespace {

DesktopTitleProvider& TitleProvider() {
    static DesktopTitleProvider provider;
    return provider;
}

std::string DesktopTitleFor(const std::string& lookupTitle) {
    const DesktopTitleProvider& provider = TitleProvider();
    std::string shown = provider ? provider(lookupTitle) : std::string();
    return shown.empty() ? lookupTitle : shown;
}

bool IsHeadlessPlatform() {
    const QString name = QGuiApplication::platformName();
    return name == "offscreen" || name == "minimal";
}

QRect ScreenArea() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen == nullptr ? QRect(0, 0, 1024, 768) : screen->availableGeometry();
}

}  // namespace

WindowImplBase::WindowImplBase() = default;

WindowImplBase::~WindowImplBase() {
    if (createFailed_) {
        WindowRegistry::Get().RemoveFailed(this);
    }
    if (!destroyed_ && handle_ != kNoWindow) {
        // Released without a destroy (process end): the handle must not outlive the object.
        WindowRegistry::Get().Unregister(handle_);
    }
    if (widget_) {
        widget_->Detach();
        widget_->hide();
        // The widget may be inside one of its own event handlers right now.
        widget_.release()->deleteLater();
    }
}

WindowHandle WindowImplBase::Create(WindowHandle parent, const std::string& title,
                                    std::uint32_t style, std::uint32_t exStyle, const Rect& rect) {
    return Create(parent, title, style, exStyle, rect.left, rect.top, rect.Width(), rect.Height());
}

WindowHandle WindowImplBase::Create(WindowHandle parent, const std::string& title,
                                    std::uint32_t style, std::uint32_t /*exStyle*/, int x, int y,
                                    int cx, int cy) {
    if (handle_ != kNoWindow || createFailed_) {
        return handle_;
    }
    title_ = title;
    parent_ = parent;
    const std::string path = PaintManager::GetResourcePath() + GetSkinFolder() + GetSkinFile();
    SkinParseResult skin = ParseSkinFile(path);
    if (!skin.ok()) {
        createError_ = skin.error->What();
        std::fprintf(stderr, "skin error: %s\n", createError_.c_str());
        createFailed_ = true;
        WindowRegistry::Get().AddFailed(this);
        return kNoWindow;
    }
    const WindowHandle handle = WindowRegistry::Get().Register(this, title);
    handle_ = handle;
    Enter();
    paintManager_.Attach(this);
    paintManager_.SetTree(std::move(*skin.document));
    widget_ = std::make_unique<WindowWidget>(this, WindowFromHandle(parent) != nullptr);
    widget_->setWindowTitle(QString::fromStdString(DesktopTitleFor(title)));
    if (WindowImplBase* owner = WindowFromHandle(parent); owner != nullptr && owner->widget_) {
        widget_->winId();
        owner->widget_->winId();
        if (widget_->windowHandle() != nullptr) {
            widget_->windowHandle()->setTransientParent(owner->widget_->windowHandle());
        }
    }
    if (parent != kNoWindow && (style & style::Popup) != 0) {
        // Pop-ups over a parent are the tool's modal children; say so before the first show.
        widget_->setWindowModality(Qt::WindowModal);
    }
    const Size skinSize = paintManager_.GetSkinInfo().size;
    const int width = cx == kUseDefault || cx <= 0 ? (skinSize.cx > 0 ? skinSize.cx : 400) : cx;
    const int height = cy == kUseDefault || cy <= 0 ? (skinSize.cy > 0 ? skinSize.cy : 300) : cy;
    const QRect area = ScreenArea();
    if (parent == kNoWindow && !DisplayScaleFixed() && !IsHeadlessPlatform()) {
        // The first top-level window (the main window) decides how small everything is drawn.
        SetDisplayScale(FitScale(Size{width, height},
                                 Rect{area.left(), area.top(), area.right() + 1,
                                      area.bottom() + 1}));
    }
    if (x == kUseDefault || y == kUseDefault) {
        widget_->SetLogicalGeometry(Rect{0, 0, width, height});
        const QSize device = widget_->size();
        widget_->move(area.left() + (area.width() - device.width()) / 2,
                      area.top() + (area.height() - device.height()) / 2);
    } else {
        widget_->SetLogicalGeometry(Rect{x, y, x + width, y + height});
    }
    paintManager_.Layout(Size{width, height});
    widget_->SyncEdits();
    onWindowReady();
    if ((style & style::Visible) != 0 && !destroyed_) {
        ShowWindow(true);
    }
    Leave();
    return handle;
}

int WindowImplBase::ShowModal() {
    if (createFailed_ || handle_ == kNoWindow) {
        WindowRegistry::Get().RemoveFailed(this);
        delete this;
        return -1;
    }
    if (destroyed_) {
        return modalResult_;
    }
    Enter();
    if (widget_ && !widget_->isVisible()) {
        // On a real display the window system keeps input away from the parent as well.
        widget_->setWindowModality(WindowFromHandle(parent_) != nullptr ? Qt::WindowModal
                                                                        : Qt::ApplicationModal);
    }
    ShowWindow(true);
    WindowImplBase* parent = WindowFromHandle(parent_);
    const WindowHandle parentHandle = parent_;
    if (parent != nullptr && parent->widget_) {
        parent->widget_->BlockInput(true);
    }
    ModalLoop modal;
    modalLoop_ = &modal;
    WindowRegistry& registry = WindowRegistry::Get();
    if (!destroyed_ && !registry.QuitRequested()) {
        registry.PushLoop(&modal.loop);
        modal.loop.exec();
        registry.PopLoop(&modal.loop);
    }
    modalLoop_ = nullptr;
    // The parent may have gone while the loop ran.
    if (WindowImplBase* p = WindowFromHandle(parentHandle); p != nullptr && p->widget_) {
        p->widget_->BlockInput(false);
        if (destroyed_) {
            registry.SetForeground(parentHandle);
        }
    }
    const int result = destroyed_ ? modalResult_ : -1;
    Leave();
    return result;
}

void WindowImplBase::ShowWindow(bool show, bool takeFocus) {
    if (!widget_ || destroyed_) {
        return;
    }
    if (show) {
        widget_->show();
        if (takeFocus) {
            if (!IsHeadlessPlatform()) {
                widget_->raise();
                widget_->activateWindow();
            }
            WindowRegistry::Get().SetForeground(handle_);
        }
    } else {
        widget_->hide();
    }
}

void WindowImplBase::Close(int result) {
    if (handle_ != kNoWindow && !destroyed_) {
        PostMessage(msg::Close, static_cast<WParam>(result), 0);
    }
}

void WindowImplBase::DestroyWindow() {
    if (destroyed_ || handle_ == kNoWindow) {
        return;
    }
    Enter();
    destroyed_ = true;
    // Owned windows go first, as they cannot outlive their owner.
    for (const WindowHandle h : LiveWindows()) {
        WindowImplBase* owned = WindowFromHandle(h);
        if (owned != nullptr && owned->parent_ == handle_) {
            owned->DestroyWindow();
        }
    }
    WindowRegistry& registry = WindowRegistry::Get();
    registry.Unregister(handle_);
    UnregisterDeviceNotification(handle_);
    UnregisterHotKey(handle_, -1);
    if (registry.Foreground() == handle_) {
        registry.SetForeground(parent_);
    }
    if (widget_) {
        widget_->KillAllTimers();
        widget_->hide();
    }
    if (modalLoop_ != nullptr) {
        modalLoop_->loop.exit(0);
    }
    OnFinalMessage(handle_);
    deletePending_ = true;
    Leave();
}

void WindowImplBase::Leave() {
    if (--busy_ == 0 && deletePending_) {
        delete this;
    }
}

void WindowImplBase::CenterWindow() {
    if (!widget_) {
        return;
    }
    QRect area = ScreenArea();
    if (WindowImplBase* parent = WindowFromHandle(parent_); parent != nullptr && parent->widget_) {
        area = parent->widget_->geometry();
    }
    const QSize size = widget_->size();
    widget_->move(area.left() + (area.width() - size.width()) / 2,
                  area.top() + (area.height() - size.height()) / 2);
}

Rect WindowImplBase::GetWindowRect() const {
    return widget_ ? widget_->LogicalGeometry() : Rect{};
}

void WindowImplBase::MoveWindow(const Rect& r) {
    if (widget_) {
        widget_->SetLogicalGeometry(r);
    }
}

Point WindowImplBase::ScreenToClient(Point screen) const {
    const Rect r = GetWindowRect();
    return Point{screen.x - r.left, screen.y - r.top};
}

Point WindowImplBase::ClientToScreen(Point client) const {
    const Rect r = GetWindowRect();
    return Point{client.x + r.left, client.y + r.top};
}

void WindowImplBase::Minimize() {
    if (widget_) {
        widget_->showMinimized();
    }
}

bool WindowImplBase::IsMinimized() const {
    return widget_ && widget_->isMinimized();
}

bool WindowImplBase::SetFocus(const Control* edit) {
    QLineEdit* line = widget_ && edit != nullptr ? widget_->EditFor(edit) : nullptr;
    if (line == nullptr || !edit->IsReallyVisible() || !line->isEnabled()) {
        return false;
    }
    line->setFocus(Qt::OtherFocusReason);
    return true;
}

const Control* WindowImplBase::GetFocus() const {
    return widget_ ? widget_->FocusedControl() : nullptr;
}

bool WindowImplBase::SetIcon(const std::string& imagePath) {
    const QIcon icon(QString::fromStdString(imagePath));
    if (!widget_ || icon.isNull() || icon.availableSizes().isEmpty()) {
        return false;
    }
    widget_->setWindowIcon(icon);
    return true;
}

void WindowImplBase::SetTitle(const std::string& title) {
    title_ = title;
    WindowRegistry::Get().SetTitle(handle_, title);
    if (widget_) {
        widget_->setWindowTitle(QString::fromStdString(DesktopTitleFor(title)));
    }
}

LResult WindowImplBase::SendMessage(unsigned message, WParam wParam, LParam lParam) {
    return kit::SendMessage(handle_, message, wParam, lParam);
}

bool WindowImplBase::PostMessage(unsigned message, WParam wParam, LParam lParam) {
    return kit::PostMessage(handle_, message, wParam, lParam);
}

bool WindowImplBase::SetTimer(unsigned id, unsigned periodMs) {
    return widget_ && !destroyed_ && widget_->SetTimer(id, periodMs);
}

void WindowImplBase::KillTimer(unsigned id) {
    if (widget_) {
        widget_->KillTimer(id);
    }
}

bool WindowImplBase::HasTimer(unsigned id) const {
    return widget_ && widget_->HasTimer(id);
}

LResult WindowImplBase::Dispatch(unsigned message, WParam wParam, LParam lParam) {
    if (destroyed_) {
        return 0;
    }
    Enter();
    const LResult result = HandleMessage(message, wParam, lParam);
    Leave();
    return result;
}

void WindowImplBase::DispatchNotify(Notification& notification) {
    if (destroyed_) {
        return;
    }
    Enter();
    Notify(notification);
    Leave();
}

LResult WindowImplBase::HandleMessage(unsigned message, WParam wParam, LParam lParam) {
    bool handled = true;
    switch (message) {
        case msg::Close:
            modalResult_ = static_cast<int>(wParam);
            DestroyWindow();
            return 0;
        case msg::SysCommand:
            if (wParam == sc::Minimize) {
                Minimize();
                return 0;
            }
            if (wParam == sc::Restore) {
                if (widget_) {
                    widget_->showNormal();
                }
                return 0;
            }
            if (wParam == sc::Close) {
                Close(1);
                return 0;
            }
            break;
        case msg::KeyDown: {
            const LResult r = OnKeyDown(message, wParam, lParam, handled);
            if (handled) {
                return r;
            }
            if (HandleStandardKey(static_cast<unsigned>(wParam))) {
                return 0;
            }
            break;
        }
        case msg::MouseHover: {
            const LResult r = OnMouseHover(message, wParam, lParam, handled);
            if (handled) {
                return r;
            }
            break;
        }
        default:
            break;
    }
    handled = true;
    const LResult r = HandleCustomMessage(message, wParam, lParam, handled);
    return handled ? r : 0;
}

void WindowImplBase::SetKeyButtons(std::string enterButton, std::string escapeButton) {
    enterButton_ = std::move(enterButton);
    escapeButton_ = std::move(escapeButton);
    escapeToClose_ = false;
}

bool WindowImplBase::HandleStandardKey(unsigned key) {
    if (!widget_ || destroyed_) {
        return false;
    }
    Control* focused = widget_->FocusedControl();
    const bool onButton = focused != nullptr && focused->GetClass() != "Edit";
    if ((key == vk::Return || key == vk::Space) && onButton) {
        return widget_->Activate(focused);
    }
    if (parent_ == kNoWindow) {
        return false;
    }
    std::string name;
    if (key == vk::Return) {
        name = enterButton_;
    } else if (key == vk::Escape) {
        name = escapeButton_;
        if (escapeToClose_ && paintManager_.FindControl(name) == nullptr) {
            name = "closebtn";
        }
    }
    Control* button = name.empty() ? nullptr : paintManager_.FindControl(name);
    return button != nullptr && widget_->Activate(button);
}

LResult WindowImplBase::HandleCustomMessage(unsigned, WParam, LParam, bool& handled) {
    handled = false;
    return 0;
}

void WindowImplBase::Notify(Notification&) {}

void WindowImplBase::OnFinalMessage(WindowHandle) {}

LResult WindowImplBase::OnKeyDown(unsigned, WParam, LParam, bool& handled) {
    handled = false;
    return 0;
}

LResult WindowImplBase::OnMouseHover(unsigned, WParam, LParam, bool& handled) {
    handled = false;
    return 0;
}

void SetDesktopTitles(DesktopTitleProvider provider) {
    TitleProvider() = std::move(provider);
    for (const WindowHandle h : LiveWindows()) {
        if (WindowImplBase* w = WindowFromHandle(h); w != nullptr && w->widget_) {
            w->widget_->setWindowTitle(QString::fromStdString(DesktopTitleFor(w->GetTitle())));
        }
    }
}

std::string GetDesktopTitle(WindowHandle handle) {
    WindowImplBase* w = WindowFromHandle(handle);
    return w == nullptr || !w->widget_ ? std::string() : w->widget_->windowTitle().toStdString();
}

QWidget* DriverAccess::Widget(WindowImplBase* w) {
    return w->widget_.get();
}

void DriverAccess::BlockInput(WindowImplBase* w, bool block) {
    if (w->widget_) {
        w->widget_->BlockInput(block);
    }
}

QLineEdit* DriverAccess::Edit(WindowImplBase* w, const Control* c) {
    return w->widget_ ? w->widget_->EditFor(c) : nullptr;
}

}  // namespace orv::kit
