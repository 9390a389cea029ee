#include "ui/kit/WindowWidget.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>
#include <cmath>

#include "ui/kit/AttributeValues.h"
#include "ui/kit/Clock.h"
#include "ui/kit/Control.h"
#include "ui/kit/ControlPainter.h"
#include "ui/kit/DisplayScale.h"
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

void CollectFocusable(Control* c, std::vector<Control*>& out) {
    if (c == nullptr || !c->IsVisible() || !c->IsEnabled()) {
        return;
    }
    if ((IsClickable(c) && c->IsMouseEnabled()) || c->GetClass() == "Edit") {
        out.push_back(c);
    }
    for (std::size_t i = 0; i < c->GetCount(); ++i) {
        CollectFocusable(c->GetItemAt(i), out);
    }
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

WindowWidget::WindowWidget(WindowImplBase* owner, bool dialog)
    : QWidget(nullptr, (dialog ? Qt::Dialog : Qt::Window) | Qt::FramelessWindowHint),
      owner_(owner) {
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
    focused_ = nullptr;
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
        edit->installEventFilter(this);
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
    const Rect box = ToDevice(Rect{r.left + pad.left, r.top + pad.top, r.right - pad.right,
                                   r.bottom - pad.bottom});
    edit->setGeometry(box.left, box.top, std::max(0, box.Width()), std::max(0, box.Height()));
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
    QFont font = ControlPainter::FontFor(owner_->GetPaintManager(), *c);
    if (font.pixelSize() > 0) {
        font.setPixelSize(std::max(1, ToDevice(font.pixelSize())));
    }
    edit->setFont(font);
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

void WindowWidget::SetLogicalGeometry(const Rect& r) {
    logicalSize_ = Size{std::max(0, r.Width()), std::max(0, r.Height())};
    const Rect device = ToDevice(r);
    setGeometry(device.left, device.top, std::max(0, device.Width()),
                std::max(0, device.Height()));
    logicalOrigin_ = Point{r.left, r.top};
    deviceOrigin_ = pos();
}

Rect WindowWidget::LogicalGeometry() const {
    const QPoint origin = pos();
    Point topLeft = logicalOrigin_;
    if (origin != deviceOrigin_) {
        topLeft = ToLogical(Point{origin.x(), origin.y()});
    }
    return Rect{topLeft.x, topLeft.y, topLeft.x + logicalSize_.cx, topLeft.y + logicalSize_.cy};
}

void WindowWidget::UpdateLogical(const Rect& r) {
    // One pixel more on each side: scaled edges round either way.
    const Rect device = ToDevice(r);
    update(device.left - 1, device.top - 1, device.Width() + 2, device.Height() + 2);
}

Point WindowWidget::LogicalPoint(const QMouseEvent* event) {
    const QPointF p = event->position();
    const double scale = DisplayScale();
    return Point{static_cast<int>(std::floor(p.x() / scale)),
                 static_cast<int>(std::floor(p.y() / scale))};
}

void WindowWidget::paintEvent(QPaintEvent* event) {
    if (owner_ == nullptr) {
        return;
    }
    QPainter painter(this);
    const double scale = DisplayScale();
    QRect dirty = event->rect();
    if (scale != 1.0) {
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.scale(scale, scale);
        dirty = QRect(static_cast<int>(std::floor(dirty.left() / scale)) - 1,
                      static_cast<int>(std::floor(dirty.top() / scale)) - 1,
                      static_cast<int>(std::ceil(dirty.width() / scale)) + 3,
                      static_cast<int>(std::ceil(dirty.height() / scale)) + 3);
    }
    // Art is chosen for the pixels it really lands on: @2x once a logical pixel covers more
    // than one device pixel.
    ControlPainter controlPainter(painter, owner_->GetPaintManager(), devicePixelRatioF() * scale);
    controlPainter.PaintWindow(owner_->GetPaintManager().GetRoot(),
                               QRect(0, 0, logicalSize_.cx, logicalSize_.cy), dirty);
    if (const Control* focus = FocusedControl(); focus != nullptr && focus->IsReallyVisible()) {
        ControlPainter::PaintFocusMark(painter, focus->GetPos());
    }
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
    const Point p = LogicalPoint(event);
    PaintManager& pm = owner_->GetPaintManager();
    Control* hit = pm.FindControl(p);
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
        } else if (pm.GetSkinInfo().caption.bottom > 0 && p.y < pm.GetSkinInfo().caption.bottom) {
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
    const Point point = LogicalPoint(event);
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
        if (focused_ != nullptr && focused_ != c) {
            // A click moves the keyboard mark away from where Tab had put it.
            FocusControl(nullptr);
        }
        owner->Enter();
        NotifyActivation(owner, c, point);
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

// What a click or a keyboard press does to a control: an option or check box changes its
// selection (and says so), then the control reports the click.
void WindowWidget::NotifyActivation(WindowImplBase* owner, Control* c, Point point) {
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
}

bool WindowWidget::Activate(Control* c) {
    if (owner_ == nullptr || c == nullptr || !IsClickable(c) || !Reacts(c) ||
        !c->IsMouseEnabled() || InputBlocked()) {
        return false;
    }
    WindowImplBase* owner = owner_;
    const Point point = c->GetPos().Centre();
    owner->Enter();
    NotifyActivation(owner, c, point);
    owner->Leave();
    return true;
}

Control* WindowWidget::FocusedControl() const {
    if (focused_ != nullptr) {
        return focused_;
    }
    return const_cast<Control*>(FocusedEdit());
}

void WindowWidget::FocusControl(Control* c) {
    if (focused_ != nullptr) {
        focused_->focused_ = false;
        UpdateLogical(focused_->GetPos());
    }
    focused_ = nullptr;
    if (c == nullptr || owner_ == nullptr) {
        return;
    }
    if (QLineEdit* edit = EditFor(c)) {
        edit->setFocus(Qt::TabFocusReason);
        return;
    }
    focused_ = c;
    c->focused_ = true;
    setFocus(Qt::TabFocusReason);
    UpdateLogical(c->GetPos());
}

bool WindowWidget::MoveFocus(bool forward) {
    if (owner_ == nullptr) {
        return false;
    }
    std::vector<Control*> chain;
    CollectFocusable(owner_->GetPaintManager().GetRoot(), chain);
    if (chain.empty()) {
        return false;
    }
    const Control* current = FocusedControl();
    const auto it = std::find(chain.begin(), chain.end(), current);
    std::size_t index = 0;
    if (it == chain.end()) {
        index = forward ? 0 : chain.size() - 1;
    } else {
        const auto at = static_cast<std::size_t>(it - chain.begin());
        index = forward ? (at + 1) % chain.size() : (at + chain.size() - 1) % chain.size();
    }
    FocusControl(chain[index]);
    return true;
}

void WindowWidget::RaiseModalChild() {
    if (owner_ == nullptr) {
        return;
    }
    // The innermost blocking window: a visible child of this window, then its own child, ...
    WindowHandle current = owner_->GetHWND();
    WindowWidget* target = nullptr;
    for (bool found = true; found;) {
        found = false;
        const std::vector<WindowHandle> live = LiveWindows();
        for (auto it = live.rbegin(); it != live.rend(); ++it) {
            WindowImplBase* w = WindowFromHandle(*it);
            if (w != nullptr && w->GetParent() == current && w->widget_ &&
                w->widget_->isVisible()) {
                target = w->widget_.get();
                current = *it;
                found = true;
                break;
            }
        }
    }
    if (target != nullptr && target != this) {
        target->raise();
        target->activateWindow();
    }
}

bool WindowWidget::event(QEvent* e) {
    const bool result = QWidget::event(e);
    if (e->type() == QEvent::WindowActivate && InputBlocked() && isVisible()) {
        // A click on a window that waits for a modal child brings that child forward, so the
        // tool never looks frozen behind its own parent window.
        QTimer::singleShot(0, this, [this] { RaiseModalChild(); });
    }
    return result;
}

bool WindowWidget::focusNextPrevChild(bool next) {
    // Tab and Backtab, from this window or one of its line edits, walk the toolkit's order.
    if (owner_ == nullptr || InputBlocked()) {
        return true;
    }
    MoveFocus(next);
    return true;
}

bool WindowWidget::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut) {
        // The focus mark of an Edit is painted by the window around the line edit.
        if (event->type() == QEvent::FocusIn && focused_ != nullptr) {
            focused_->focused_ = false;
            UpdateLogical(focused_->GetPos());
            focused_ = nullptr;
        }
        update();
    }
    return QWidget::eventFilter(watched, event);
}

void WindowWidget::mouseMoveEvent(QMouseEvent* event) {
    if (owner_ == nullptr) {
        return;
    }
    const QPoint global = event->globalPosition().toPoint();
    WindowRegistry::Get().SetCursor(ToLogical(Point{global.x(), global.y()}));
    if (dragging_) {
        move(global - dragOffset_);
        return;
    }
    if (InputBlocked()) {
        return;
    }
    const Point p = LogicalPoint(event);
    Control* hit = owner_->GetPaintManager().FindControl(p);
    Control* hot = Reacts(hit) ? hit : nullptr;
    if (hot != hot_) {
        SetHot(hot);
        if (hot != nullptr) {
            owner_->Dispatch(msg::MouseHover, 0, MakePointParam(p.x, p.y));
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
    // A size set through SetLogicalGeometry keeps its exact logical size; one the window
    // system imposed is mapped back.
    const Rect expected = ToDevice(Rect{0, 0, logicalSize_.cx, logicalSize_.cy});
    if (width() != expected.Width() || height() != expected.Height()) {
        logicalSize_ = Size{ToLogical(width()), ToLogical(height())};
    }
    if (owner_ != nullptr) {
        owner_->GetPaintManager().Layout(logicalSize_);
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
