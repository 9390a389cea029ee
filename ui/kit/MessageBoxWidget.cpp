#include "ui/kit/MessageBoxWidget.h"

#include <QCloseEvent>
#include <QEventLoop>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QScreen>
#include <QWindow>
#include <algorithm>
#include <cmath>

#include "ui/kit/DisplayScale.h"
#include "ui/kit/WindowRegistry.h"

namespace orv::kit {

namespace {

// Logical layout, in the measures of the skins' prompts.
constexpr int kWidth = 440;
constexpr int kCaptionHeight = 35;
constexpr int kMargin = 24;
constexpr int kIconSize = 40;
constexpr int kButtonWidth = 120;
constexpr int kButtonHeight = 36;
constexpr int kMinTextHeight = 40;

const QColor kBackground(0x1B, 0x1F, 0x27);
const QColor kCaptionBand(0x14, 0x17, 0x1D);
const QColor kBorder(0x3A, 0x41, 0x50);
const QColor kText(0xE8, 0xEB, 0xF2);
const QColor kCaptionText(0x9A, 0xA3, 0xB5);
const QColor kAccent(0x3F, 0x8C, 0xFF);
const QColor kAccentHot(0x5C, 0xA0, 0xFF);

QColor IconColour(MessageBoxIcon icon) {
    switch (icon) {
        case MessageBoxIcon::Warning:
        case MessageBoxIcon::Exclamation:
            return QColor(0xF2, 0xB1, 0x3A);
        case MessageBoxIcon::Error:
            return QColor(0xE5, 0x53, 0x4B);
        case MessageBoxIcon::Information:
        case MessageBoxIcon::Question:
            return kAccent;
        case MessageBoxIcon::None:
            break;
    }
    return {};
}

void PaintIcon(QPainter& p, MessageBoxIcon icon, const QRectF& r) {
    const QColor colour = IconColour(icon);
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    QString mark;
    if (icon == MessageBoxIcon::Warning || icon == MessageBoxIcon::Exclamation) {
        // A rounded triangle with "!" for warnings, a disc for the rest.
        QPainterPath triangle;
        triangle.moveTo(r.center().x(), r.top() + 2);
        triangle.lineTo(r.right() - 1, r.bottom() - 3);
        triangle.lineTo(r.left() + 1, r.bottom() - 3);
        triangle.closeSubpath();
        p.setPen(QPen(colour, 4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawPath(triangle);
        mark = "!";
    } else {
        p.drawEllipse(r);
        mark = icon == MessageBoxIcon::Error ? QString::fromUtf8("\u00D7")
               : icon == MessageBoxIcon::Question ? "?"
                                                  : "i";
    }
    QFont f = p.font();
    f.setBold(true);
    f.setPixelSize(static_cast<int>(r.height() * 0.6));
    p.setFont(f);
    p.setPen(kBackground);
    QRectF text = r;
    if (mark == "!") {
        text.adjust(0, r.height() * 0.12, 0, 0);
    }
    p.drawText(text, Qt::AlignCenter, mark);
}

}  // namespace

MessageBoxWidget::MessageBoxWidget(const MessageBoxRequest& request, QWidget* owner,
                                   const QFont& font)
    : QWidget(nullptr, Qt::Dialog | Qt::FramelessWindowHint), request_(request), font_(font) {
    setWindowTitle(QString::fromStdString(request.caption));
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    const QRect text = TextRect();
    logicalSize_ = QSize(kWidth, text.bottom() + 1 + kMargin + kButtonHeight + kMargin);
    resize(ToDevice(logicalSize_.width()), ToDevice(logicalSize_.height()));
    if (owner != nullptr) {
        winId();
        owner->winId();
        if (windowHandle() != nullptr) {
            windowHandle()->setTransientParent(owner->windowHandle());
        }
        setWindowModality(Qt::WindowModal);
        const QRect o = owner->geometry();
        move(o.left() + (o.width() - width()) / 2, o.top() + (o.height() - height()) / 2);
    } else {
        setWindowModality(Qt::ApplicationModal);
        if (const QScreen* screen = QGuiApplication::primaryScreen()) {
            const QRect a = screen->availableGeometry();
            move(a.left() + (a.width() - width()) / 2, a.top() + (a.height() - height()) / 2);
        }
    }
}

QRect MessageBoxWidget::TextRect() const {
    const bool icon = request_.icon != MessageBoxIcon::None;
    const int left = kMargin + (icon ? kIconSize + 16 : 0);
    const int width = kWidth - left - kMargin;
    const QFontMetrics metrics(font_);
    const QRect needed = metrics.boundingRect(QRect(0, 0, width, 10000), Qt::TextWordWrap,
                                              QString::fromStdString(request_.text));
    const int height = std::max(kMinTextHeight, needed.height());
    return QRect(left, kCaptionHeight + kMargin, width, height);
}

QRect MessageBoxWidget::OkRect() const {
    return QRect((kWidth - kButtonWidth) / 2,
                 logicalSize_.height() - kMargin - kButtonHeight, kButtonWidth, kButtonHeight);
}

int MessageBoxWidget::Exec() {
    show();
    raise();
    activateWindow();
    setFocus();
    QEventLoop loop;
    loop_ = &loop;
    WindowRegistry& registry = WindowRegistry::Get();
    if (!done_ && !registry.QuitRequested()) {
        registry.PushLoop(&loop);
        loop.exec();
        registry.PopLoop(&loop);
    }
    loop_ = nullptr;
    hide();
    return kIdOk;
}

void MessageBoxWidget::Dismiss() {
    done_ = true;
    if (loop_ != nullptr) {
        loop_->exit(0);
    }
}

void MessageBoxWidget::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.scale(DisplayScale(), DisplayScale());
    const QRect all(0, 0, logicalSize_.width(), logicalSize_.height());
    p.fillRect(all, kBackground);
    p.fillRect(QRect(0, 0, all.width(), kCaptionHeight), kCaptionBand);
    p.setPen(kBorder);
    p.drawRect(all.adjusted(0, 0, -1, -1));

    QFont caption = font_;
    caption.setBold(true);
    p.setFont(caption);
    p.setPen(kCaptionText);
    p.drawText(QRect(16, 0, all.width() - 32, kCaptionHeight), Qt::AlignLeft | Qt::AlignVCenter,
               QString::fromStdString(request_.caption));

    const QRect text = TextRect();
    if (request_.icon != MessageBoxIcon::None) {
        PaintIcon(p, request_.icon, QRectF(kMargin, text.top(), kIconSize, kIconSize));
    }
    p.setFont(font_);
    p.setPen(kText);
    p.drawText(text, Qt::TextWordWrap | Qt::AlignLeft | Qt::AlignVCenter,
               QString::fromStdString(request_.text));

    const QRect ok = OkRect();
    QPainterPath button;
    button.addRoundedRect(QRectF(ok), 6, 6);
    p.fillPath(button, okPressed_ ? kAccent.darker(120) : okHot_ ? kAccentHot : kAccent);
    if (hasFocus()) {
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(kText, 1, Qt::DashLine));
        p.drawRoundedRect(QRectF(ok).adjusted(3, 3, -3, -3), 4, 4);
    }
    QFont label = font_;
    label.setBold(true);
    p.setFont(label);
    p.setPen(Qt::white);
    p.drawText(ok, Qt::AlignCenter, "OK");
}

void MessageBoxWidget::mousePressEvent(QMouseEvent* event) {
    const QPointF pos = event->position() / DisplayScale();
    if (event->button() != Qt::LeftButton) {
        return;
    }
    if (OkRect().contains(pos.toPoint())) {
        okPressed_ = true;
        update();
    } else if (pos.y() < kCaptionHeight) {
        dragging_ = true;
        dragOffset_ = event->globalPosition().toPoint() - this->pos();
    }
}

void MessageBoxWidget::mouseMoveEvent(QMouseEvent* event) {
    if (dragging_) {
        move(event->globalPosition().toPoint() - dragOffset_);
        return;
    }
    const bool hot = OkRect().contains((event->position() / DisplayScale()).toPoint());
    if (hot != okHot_) {
        okHot_ = hot;
        update();
    }
}

void MessageBoxWidget::mouseReleaseEvent(QMouseEvent* event) {
    dragging_ = false;
    const bool wasPressed = okPressed_;
    okPressed_ = false;
    update();
    if (wasPressed && OkRect().contains((event->position() / DisplayScale()).toPoint())) {
        Dismiss();
    }
}

void MessageBoxWidget::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_Escape:
        case Qt::Key_Space:
            Dismiss();
            break;
        default:
            QWidget::keyPressEvent(event);
            break;
    }
}

void MessageBoxWidget::closeEvent(QCloseEvent* event) {
    event->ignore();
    Dismiss();
}

}  // namespace orv::kit
