#include "ui/kit/MenuWidget.h"

#include <QGuiApplication>
#include <QHideEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>

#include "ui/kit/AttributeValues.h"
#include "ui/kit/DisplayScale.h"
#include "ui/kit/Messages.h"
#include "ui/kit/PaintManager.h"
#include "ui/kit/WindowImplBase.h"
#include "ui/kit/WindowSystem.h"

namespace orv::kit {

namespace {

QColor Colour(const std::string& value, QRgb fallback) {
    const auto c = attr::ToColour(value);
    return QColor::fromRgba(c ? static_cast<QRgb>(*c) : fallback);
}

constexpr int kSeparatorHeight = 7;

// A real popup grabs mouse and keyboard; headless platforms cannot grab, so there the menu is
// a plain tool window closed by the toolkit's own outside-press handling.
Qt::WindowFlags WindowFlags() {
    const QString platform = QGuiApplication::platformName();
    if (platform == "offscreen" || platform == "minimal") {
        return Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint;
    }
    return Qt::Popup | Qt::FramelessWindowHint;
}

}  // namespace

std::vector<MenuWidget*>& OpenMenuWidgets() {
    static std::vector<MenuWidget*> menus;
    return menus;
}

MenuWidget::MenuWidget(std::vector<MenuItem> items, MenuLook look, WindowHandle owner,
                       MenuCheckMap* checks)
    : QWidget(nullptr, WindowFlags()),
      items_(std::move(items)),
      look_(std::move(look)),
      owner_(owner),
      checks_(checks),
      state_(std::make_shared<MenuState>()) {
    state_->widget = this;
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    int height = 0;
    for (const MenuItem& item : items_) {
        height += item.separator ? kSeparatorHeight : look_.itemHeight;
    }
    resize(std::max(1, ToDevice(look_.width)), std::max(1, ToDevice(std::max(1, height))));
    OpenMenuWidgets().push_back(this);
}

MenuWidget::~MenuWidget() {
    Cleanup(false);
}

Size MenuWidget::LogicalSize() const {
    int height = 0;
    for (const MenuItem& item : items_) {
        height += item.separator ? kSeparatorHeight : look_.itemHeight;
    }
    return Size{look_.width, std::max(1, height)};
}

QRect MenuWidget::ItemRect(const std::string& name) const {
    int y = 0;
    for (const MenuItem& item : items_) {
        const int h = item.separator ? kSeparatorHeight : look_.itemHeight;
        if (!item.separator && item.name == name) {
            const int top = ToDevice(y);
            return QRect(0, top, width(), ToDevice(y + h) - top);
        }
        y += h;
    }
    return {};
}

int MenuWidget::ItemAt(QPoint device) const {
    if (!rect().contains(device)) {
        return -1;
    }
    const QPoint p(static_cast<int>(device.x() / DisplayScale()),
                   static_cast<int>(device.y() / DisplayScale()));
    int y = 0;
    for (std::size_t i = 0; i < items_.size(); ++i) {
        const int h = items_[i].separator ? kSeparatorHeight : look_.itemHeight;
        if (p.y() >= y && p.y() < y + h) {
            return items_[i].separator ? -1 : static_cast<int>(i);
        }
        y += h;
    }
    return -1;
}

void MenuWidget::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Colour(look_.bkcolor, 0xFF2A2F3C));
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(DisplayScale(), DisplayScale());
    const int logicalWidth = look_.width;
    QFont font;
    if (!look_.font.empty()) {
        font.setFamily(QString::fromStdString(look_.font));
    }
    font.setPixelSize(look_.fontSize);
    painter.setFont(font);
    int y = 0;
    for (std::size_t i = 0; i < items_.size(); ++i) {
        const MenuItem& item = items_[i];
        if (item.separator) {
            painter.fillRect(QRect(6, y + kSeparatorHeight / 2, logicalWidth - 12, 1),
                             Colour(look_.disabledtextcolor, 0xFF808080));
            y += kSeparatorHeight;
            continue;
        }
        const QRect r(0, y, logicalWidth, look_.itemHeight);
        if (static_cast<int>(i) == hot_ && item.enabled) {
            painter.fillRect(r, Colour(look_.hotbkcolor, 0xFF3F8CFF));
        }
        painter.setPen(item.enabled ? Colour(look_.textcolor, 0xFFFFFFFF)
                                    : Colour(look_.disabledtextcolor, 0xFF808080));
        QString text = QString::fromStdString(item.text);
        if (checks_ != nullptr) {
            const auto it = checks_->find(item.name);
            if (it != checks_->end() && it->second) {
                text = QString::fromUtf8("\u2713 ") + text;
            }
        }
        painter.drawText(r.adjusted(12, 0, -8, 0), Qt::AlignLeft | Qt::AlignVCenter, text);
        y += look_.itemHeight;
    }
}

void MenuWidget::mouseMoveEvent(QMouseEvent* event) {
    const int hot = ItemAt(event->position().toPoint());
    if (hot != hot_) {
        hot_ = hot;
        update();
    }
}

void MenuWidget::mousePressEvent(QMouseEvent* event) {
    if (!rect().contains(event->position().toPoint())) {
        Finish(false);
    }
}

void MenuWidget::mouseReleaseEvent(QMouseEvent* event) {
    const int index = ItemAt(event->position().toPoint());
    if (index >= 0 && items_[static_cast<std::size_t>(index)].enabled) {
        Choose(index);
    }
}

void MenuWidget::MoveHot(int step) {
    const int count = static_cast<int>(items_.size());
    int index = hot_;
    for (int tries = 0; tries < count; ++tries) {
        index = index < 0 ? (step > 0 ? 0 : count - 1) : (index + step + count) % count;
        const MenuItem& item = items_[static_cast<std::size_t>(index)];
        if (!item.separator && item.enabled) {
            hot_ = index;
            update();
            return;
        }
    }
}

void MenuWidget::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_Escape:
            Finish(false);
            break;
        case Qt::Key_Down:
        case Qt::Key_Tab:
            MoveHot(1);
            break;
        case Qt::Key_Up:
        case Qt::Key_Backtab:
            MoveHot(-1);
            break;
        case Qt::Key_Home:
            hot_ = -1;
            MoveHot(1);
            break;
        case Qt::Key_End:
            hot_ = -1;
            MoveHot(-1);
            break;
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_Space:
            if (hot_ >= 0 && items_[static_cast<std::size_t>(hot_)].enabled) {
                Choose(hot_);
            }
            break;
        default:
            QWidget::keyPressEvent(event);
            break;
    }
}

void MenuWidget::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    // A popup hidden by the window system (click elsewhere) counts as dismissed.
    if (!finished_) {
        Finish(false);
    }
}

void MenuWidget::Choose(int index) {
    if (finished_) {
        return;
    }
    const MenuItem& item = items_[static_cast<std::size_t>(index)];
    auto* record = new MenuCommand{item.name, item.userData, item.text, 0};
    if (checks_ != nullptr) {
        const auto it = checks_->find(item.name);
        record->checked = it != checks_->end() && it->second ? 1 : 0;
    }
    WindowImplBase* owner = WindowFromHandle(owner_);
    if (owner != nullptr) {
        // The owner's paint manager releases the record: through DeletePtr, or when it goes.
        owner->GetPaintManager().AdoptMenuRecord(record);
    }
    if (owner == nullptr ||
        !PostMessage(owner_, msg::MenuClick, reinterpret_cast<WParam>(record), 0)) {
        if (owner != nullptr) {
            owner->GetPaintManager().DeletePtr(record);
        } else {
            delete record;
        }
    }
    Finish(true);
}

void MenuWidget::Finish(bool chosen) {
    if (finished_) {
        return;
    }
    Cleanup(chosen);
    hide();
    deleteLater();
}

void MenuWidget::Cleanup(bool chosen) {
    if (finished_) {
        return;
    }
    finished_ = true;
    auto& open = OpenMenuWidgets();
    open.erase(std::remove(open.begin(), open.end(), this), open.end());
    // Dropping the state makes every MenuHandle report the menu closed.
    std::shared_ptr<MenuState> state = std::move(state_);
    state->widget = nullptr;
    for (auto& callback : state->onClosed) {
        if (callback) {
            callback(chosen);
        }
    }
}

}  // namespace orv::kit
