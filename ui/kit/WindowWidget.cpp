#include "ui/kit/WindowWidget.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include "ui/kit/AttributeValues.h"
#include "ui/kit/Clock.h"
#include "ui/kit/Control.h"
#include "ui/kit/ControlPainter.h"
#include "ui/kit/Messages.h"
#include "ui/kit/WindowImplBase.h"
#include "ui/kit/WindowRegistry.h"
#include "ui/kit/WindowSystem.h"

namespace orv::kit {

namespace {

bool IsClickable(const Control* c) {
    const std::string& cls = c->GetClass();
    return cls == "Button" || cls == "Option" || cls == "CheckBox";
}

bool EnabledWithParents(const Control* c) {
    for (; c != nullptr; c = c->GetParent()) {
        if (!c->IsEnabled()) {
            return false;
        }
    }
    return true;
}

bool HasHotLook(const Control* c) {
    return c->HasAttribute("hotimage") || c->HasAttribute("hottextcolor") ||
           c->HasAttribute("selectedhotimage") || c->HasAttribute("pushedimage");
}

void CollectEdits(Control* c, std::vector<Control*>& out) {
    if (c == nullptr) {
        return;
    }
    if (c->GetClass() == "Edit") {
        out.push_back(c);
    }
    for (std::size_t i = 0; i < c->GetCount(); ++i) {
        CollectEdits(c->GetItemAt(i), out);
    }
}

QString ColourCss(const std::string& value, const char* fallback) {
    const auto colour = attr::ToColour(value);
    if (!colour) {
        return fallback;
    }
    const QColor c = QColor::fromRgba(static_cast<QRgb>(*colour));
    return QString("rgba(%1,%2,%3,%4)").arg(c.red()).arg(c.green()).arg(c.blue()).arg(c.alpha());
}

}  // namespace

WindowWidget::WindowWidget(WindowImplBase* owner)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint), owner_(owner) {
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent, false);
}

WindowWidget::~WindowWidget() = default;

void WindowWidget::Detach() {
    ForgetControls();
    KillAllTimers();
    owner_ = nullptr;
}

void WindowWidget::ForgetControls() {
    hot_ = nullptr;
    captured_ = nullptr;
    rightCaptured_ = nullptr;
    lastPressed_ = nullptr;
    for (auto& [control, edit] : edits_) {
        edit->disconnect();
        edit->hide();
    }
    edits_.clear();
}

QLineEdit* WindowWidget::EditFor(const Control* edit) const {
    const auto it = edits_.find(edit);
    return it == edits_.end() ? nullptr : it->second;
}

const Control* WindowWidget::FocusedEdit() const {
    const QWidget* focus = focusWidget();
    for (const auto& [control, edit] : edits_) {
        if (edit == focus) {
            return control;
        }
    }
    return nullptr;
}

void WindowWidget::SyncEdits() {
    if (owner_ == nullptr) {
        return;
    }
    std::vector<Control*> edits;
    CollectEdits(owner_->GetPaintManager().GetRoot(), edits);
    for (Control* c : edits) {
        SyncEdit(c);
    }
}

void WindowWidget::SyncEdit(Control* c) {
    if (owner_ == nullptr) {
        return;
    }
    QLineEdit* edit = EditFor(c);
    if (edit == nullptr) {
        edit = new QLineEdit(this);
        edit->setFrame(false);
        edits_[c] = edit;
        connect(edit, &QLineEdit::textChanged, edit, [this, c](const QString& text) {
            if (owner_ == nullptr) {
                return;
            }
            // The contents live in the line edit; the attribute follows without a repaint.
            c->attributes_["text"] = text.toStdString();
            Notification n{"textchanged", c, {}, 0, 0};
            owner_->DispatchNotify(n);
        });
        connect(edit, &QLineEdit::returnPressed, edit, [this, c] {
            if (owner_ == nullptr) {
                return;
            }
            Notification n{"return", c, {}, 0, 0};
            owner_->DispatchNotify(n);
        });
    }
    const Rect pad = attr::ToRect(c->GetAttribute("textpadding")).value_or(Rect{});
    const Rect r = c->GetPos();
    edit->setGeometry(r.left + pad.left, r.top + pad.top,
                      std::max(0, r.Width() - pad.left - pad.right),
                      std::max(0, r.Height() - pad.top - pad.bottom));
    const QString text = QString::fromStdString(c->GetText());
    if (edit->text() != text) {
        const QSignalBlocker blocker(edit);
        edit->setText(text);
    }
    const int maxChar = attr::ToInt(c->GetAttribute("maxchar")).value_or(0);
    edit->setMaxLength(maxChar > 0 ? maxChar : 32767);
    edit->setEchoMode(attr::ToBool(c->GetAttribute("password"), false) ? QLineEdit::Password
                                                                       : QLineEdit::Normal);
    edit->setEnabled(EnabledWithParents(c));
    edit->setFont(ControlPainter::FontFor(owner_->GetPaintManager(), *c));
    edit->setStyleSheet(QString("QLineEdit { background: %1; color: %2; border: none; }")
                            .arg(ColourCss(c->GetAttribute("bkcolor"), "transparent"),
                                 ColourCss(c->GetAttribute("textcolor"), "black")));
    edit->setVisible(c->IsReallyVisible());
}

bool WindowWidget::SetTimer(unsigned id, unsigned periodMs) {
    if (owner_ == nullptr || periodMs == 0) {
        return false;
    }
    QTimer*& timer = timers_[id];
    if (timer == nullptr) {
        timer = new QTimer(this);
        connect(timer, &QTimer::timeout, this, [this, id] {
            if (owner_ != nullptr) {
                owner_->Dispatch(msg::Timer, id, 0);
            }
        });
    }
    timer->start(static_cast<int>(periodMs));
    return true;
}

void WindowWidget::KillTimer(unsigned id) {
    if (const auto it = timers_.find(id); it != timers_.end()) {
        // Stopped, not deleted: the timer may be the one whose signal is running now.
        it->second->stop();
    }
}

void WindowWidget::KillAllTimers() {
    for (auto& [id, timer] : timers_) {
        timer->stop();
    }
}

bool WindowWidget::HasTimer(unsigned id) const {
    const auto it = timers_.find(id);
    return it != timers_.end() && it->second->isActive();
}

void WindowWidget::paintEvent(QPaintEvent* event) {
    if (owner_ == nullptr) {
        return;
    }
    QPainter painter(this);
    ControlPainter controlPainter(painter, owner_->GetPaintManager(), devicePixelRatioF());
    controlPainter.PaintWindow(owner_->GetPaintManager().GetRoot(), rect(), event->rect());
}

bool WindowWidget::Reacts(const Control* c) const {
    return c != nullptr && c->IsReallyVisible() && EnabledWithParents(c);
}

void WindowWidget::SetHot(Control* control) {
    if (control == hot_) {
        return;
    }
    if (hot_ != nullptr) {
        hot_->hot_ = false;
        if (HasHotLook(hot_)) {
            hot_->Invalidate();
        }
    }
    hot_ = control;
    if (hot_ != nullptr) {
        hot_->hot_ = true;
        if (HasHotLook(hot_)) {
            hot_->Invalidate();
        }
    }
}

void WindowWidget::mousePressEvent(QMouseEvent* event) {
    if (owner_ == nullptr || InputBlocked()) {
        return;
    }
    WindowRegistry::Get().SetForeground(owner_->GetHWND());
    const QPoint p = event->position().toPoint();
    PaintManager& pm = owner_->GetPaintManager();
    Control* hit = pm.FindControl(Point{p.x(), p.y()});
    if (event->button() == Qt::LeftButton) {
        if (hit != nullptr && IsClickable(hit) && Reacts(hit)) {
            captured_ = hit;
            hit->pushed_ = true;
            hit->Invalidate();
            const std::int64_t now = Clock::Current().NowMilliseconds();
            pendingDoubleClick_ =
                lastPressed_ == hit && now - lastPressMs_ <= GetDoubleClickInterval();
            lastPressed_ = hit;
            lastPressMs_ = now;
        } else if (pm.GetSkinInfo().caption.bottom > 0 && p.y() < pm.GetSkinInfo().caption.bottom) {
            dragging_ = true;
            dragOffset_ = event->globalPosition().toPoint() - pos();
        }
    } else if (event->button() == Qt::RightButton) {
        rightCaptured_ = Reacts(hit) ? hit : nullptr;
    }
}

void WindowWidget::mouseDoubleClickEvent(QMouseEvent* event) {
    mousePressEvent(event);
}

void WindowWidget::mouseReleaseEvent(QMouseEvent* event) {
    if (owner_ == nullptr) {
        return;
    }
    const QPoint p = event->position().toPoint();
    const Point point{p.x(), p.y()};
    WindowImplBase* owner = owner_;
    if (event->button() == Qt::LeftButton) {
        dragging_ = false;
        Control* c = captured_;
        captured_ = nullptr;
        if (c == nullptr) {
            return;
        }
        c->pushed_ = false;
        c->Invalidate();
        if (InputBlocked() || owner->GetPaintManager().FindControl(point) != c || !Reacts(c)) {
            return;
        }
        const bool doubleClick = pendingDoubleClick_;
        pendingDoubleClick_ = false;
        owner->Enter();
        bool changed = false;
        if (c->GetClass() == "Option") {
            if (c->GetAttribute("group").empty()) {
                c->SetSelected(!c->IsSelected());
                changed = true;
            } else if (!c->IsSelected()) {
                c->SetSelected(true);
                changed = true;
            }
        } else if (c->GetClass() == "CheckBox") {
            c->SetSelected(!c->IsSelected());
            changed = true;
        }
        if (changed) {
            Notification n{"selectchanged", c, point, 0, 0};
            owner->DispatchNotify(n);
        }
        Notification click{"click", c, point, 0, 0};
        owner->DispatchNotify(click);
        if (doubleClick) {
            Notification dbl{"dbclick", c, point, 0, 0};
            owner->DispatchNotify(dbl);
        }
        owner->Leave();
    } else if (event->button() == Qt::RightButton) {
        Control* c = rightCaptured_;
        rightCaptured_ = nullptr;
        if (c != nullptr && !InputBlocked() && owner->GetPaintManager().FindControl(point) == c) {
            Notification n{"menu", c, point, 0, 0};
            owner->Enter();
            owner->DispatchNotify(n);
            owner->Leave();
        }
    }
}

void WindowWidget::mouseMoveEvent(QMouseEvent* event) {
    if (owner_ == nullptr) {
        return;
    }
    const QPoint global = event->globalPosition().toPoint();
    WindowRegistry::Get().SetCursor(Point{global.x(), global.y()});
    if (dragging_) {
        move(global - dragOffset_);
        return;
    }
    if (InputBlocked()) {
        return;
    }
    const QPoint p = event->position().toPoint();
    Control* hit = owner_->GetPaintManager().FindControl(Point{p.x(), p.y()});
    Control* hot = Reacts(hit) ? hit : nullptr;
    if (hot != hot_) {
        SetHot(hot);
        if (hot != nullptr) {
            owner_->Dispatch(msg::MouseHover, 0, MakePointParam(p.x(), p.y()));
        }
    }
}

void WindowWidget::leaveEvent(QEvent* event) {
    QWidget::leaveEvent(event);
    if (owner_ != nullptr) {
        SetHot(nullptr);
    }
}

void WindowWidget::keyPressEvent(QKeyEvent* event) {
    if (owner_ == nullptr || InputBlocked()) {
        return;
    }
    const unsigned vk = VirtualKeyFromQt(event->key());
    if (vk != 0) {
        // Bit 30 marks a repeat of a key held down, as the key messages of the system do.
        owner_->Dispatch(msg::KeyDown, vk, event->isAutoRepeat() ? LParam{1} << 30 : 0);
    }
}

void WindowWidget::keyReleaseEvent(QKeyEvent* event) {
    if (owner_ == nullptr || InputBlocked() || event->isAutoRepeat()) {
        return;
    }
    const unsigned vk = VirtualKeyFromQt(event->key());
    if (vk != 0) {
        owner_->Dispatch(msg::KeyUp, vk, 0);
    }
}

void WindowWidget::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (owner_ != nullptr) {
        owner_->GetPaintManager().Layout(Size{width(), height()});
        SyncEdits();
    }
}

void WindowWidget::closeEvent(QCloseEvent* event) {
    // The window system asked to close: go through the window's own close handling.
    event->ignore();
    if (owner_ != nullptr) {
        PostMessage(owner_->GetHWND(), msg::Close, 1, 0);
    }
}

unsigned VirtualKeyFromQt(int qtKey) {
    if ((qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) || (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9)) {
        return static_cast<unsigned>(qtKey);  // Qt uses the ASCII codes here too
    }
    if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F12) {
        return vk::F1 + static_cast<unsigned>(qtKey - Qt::Key_F1);
    }
    switch (qtKey) {
        case Qt::Key_Backspace:
            return vk::Back;
        case Qt::Key_Tab:
            return vk::Tab;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            return vk::Return;
        case Qt::Key_Escape:
            return vk::Escape;
        case Qt::Key_Space:
            return vk::Space;
        case Qt::Key_Left:
            return vk::Left;
        case Qt::Key_Up:
            return vk::Up;
        case Qt::Key_Right:
            return vk::Right;
        case Qt::Key_Down:
            return vk::Down;
        case Qt::Key_Delete:
            return vk::Delete;
        default:
            return 0;
    }
}

int QtKeyFromVirtualKey(unsigned code) {
    if ((code >= 'A' && code <= 'Z') || (code >= '0' && code <= '9')) {
        return static_cast<int>(code);
    }
    if (code >= vk::F1 && code < vk::F1 + 12) {
        return Qt::Key_F1 + static_cast<int>(code - vk::F1);
    }
    switch (code) {
        case vk::Back:
            return Qt::Key_Backspace;
        case vk::Tab:
            return Qt::Key_Tab;
        case vk::Return:
            return Qt::Key_Return;
        case vk::Escape:
            return Qt::Key_Escape;
        case vk::Space:
            return Qt::Key_Space;
        case vk::Left:
            return Qt::Key_Left;
        case vk::Up:
            return Qt::Key_Up;
        case vk::Right:
            return Qt::Key_Right;
        case vk::Down:
            return Qt::Key_Down;
        case vk::Delete:
            return Qt::Key_Delete;
        default:
            return 0;
    }
}

}  // namespace orv::kit
