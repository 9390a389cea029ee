#include "ui/kit/ControlPainter.h"

#include <QFileInfo>
#include <QFontMetrics>
#include <QPainter>
#include <QPainterPath>
#include <map>
#include <mutex>

#include "ui/kit/AttributeValues.h"
#include "ui/kit/Control.h"
#include "ui/kit/PaintManager.h"

namespace orv::kit {

namespace {

QColor ToQColor(std::uint32_t argb) {
    return QColor::fromRgba(static_cast<QRgb>(argb));
}

QRect ToQRect(const Rect& r) {
    return QRect(r.left, r.top, r.Width(), r.Height());
}

std::map<std::pair<std::string, bool>, QPixmap>& Cache() {
    static std::map<std::pair<std::string, bool>, QPixmap> cache;
    return cache;
}

}  // namespace

QPixmap LoadSkinImage(const std::string& path, qreal devicePixelRatio) {
    const bool hiDpi = devicePixelRatio > 1.0;
    auto& cache = Cache();
    const auto key = std::make_pair(path, hiDpi);
    if (const auto it = cache.find(key); it != cache.end()) {
        return it->second;
    }
    QPixmap pixmap;
    if (hiDpi) {
        // name@2x.png beside name.png serves screens with a ratio above 1.
        const QFileInfo info(QString::fromStdString(path));
        const QString twice = info.path() + "/" + info.completeBaseName() + "@2x." + info.suffix();
        if (pixmap.load(twice)) {
            pixmap.setDevicePixelRatio(2.0);
        }
    }
    if (pixmap.isNull()) {
        pixmap.load(QString::fromStdString(path));
    }
    cache[key] = pixmap;
    return pixmap;
}

void ClearSkinImageCache() {
    Cache().clear();
}

ControlPainter::ControlPainter(QPainter& painter, PaintManager& manager, qreal devicePixelRatio)
    : painter_(painter), manager_(manager), ratio_(devicePixelRatio) {}

void ControlPainter::PaintFocusMark(QPainter& painter, const Rect& r) {
    painter.save();
    painter.setClipping(false);
    painter.setRenderHint(QPainter::Antialiasing);
    // The accent of the dark skin, dashed so it reads as a mark and not as part of the art.
    QPen pen(QColor(0x3F, 0x8C, 0xFF), 2, Qt::DashLine);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    painter.drawRoundedRect(QRectF(r.left + 1, r.top + 1, r.Width() - 2, r.Height() - 2), 3, 3);
    painter.restore();
}

QFont ControlPainter::FontFor(const Control& c) const {
    return FontFor(manager_, c);
}

QFont ControlPainter::FontFor(const PaintManager& manager, const Control& c) {
    const auto& fonts = manager.GetSkinInfo().fonts;
    const SkinFont* chosen = nullptr;
    if (const auto id = attr::ToInt(c.GetAttribute("font"))) {
        for (const SkinFont& f : fonts) {
            if (f.id == *id) {
                chosen = &f;
            }
        }
    }
    if (chosen == nullptr) {
        for (const SkinFont& f : fonts) {
            if (f.isDefault) {
                chosen = &f;
            }
        }
    }
    QFont font;
    if (chosen != nullptr) {
        if (!chosen->family.empty()) {
            font.setFamily(QString::fromStdString(chosen->family));
        }
        font.setPixelSize(chosen->pixelSize);
        font.setBold(chosen->bold);
        font.setItalic(chosen->italic);
        font.setUnderline(chosen->underline);
    } else {
        font.setPixelSize(12);
    }
    return font;
}

void ControlPainter::PaintWindow(Control* root, const QRect& windowRect, const QRect& dirty) {
    const SkinWindowInfo& info = manager_.GetSkinInfo();
    if (const auto colour = attr::ToColour(info.bkcolor)) {
        painter_.fillRect(windowRect, ToQColor(*colour));
    }
    if (!info.bkimage.empty()) {
        DrawImage(info.bkimage, windowRect);
    }
    if (root != nullptr) {
        PaintTree(*root, dirty);
    }
}

void ControlPainter::PaintTree(Control& c, const QRect& dirty) {
    if (!c.IsVisible()) {
        return;
    }
    const QRect r = ToQRect(c.GetPos());
    if (!r.intersects(dirty)) {
        return;
    }
    painter_.save();
    painter_.setClipRect(r, Qt::IntersectClip);
    PaintControl(c);
    for (std::size_t i = 0; i < c.GetCount(); ++i) {
        PaintTree(*c.GetItemAt(i), dirty);
    }
    painter_.restore();
}

std::string ControlPainter::StateImage(const Control& c) const {
    const auto pick = [&](const char* name) { return c.GetAttribute(name); };
    std::string image;
    const bool enabled = c.IsEnabled();
    if (!enabled) {
        image = pick("disabledimage");
    } else if (c.IsSelected()) {
        if (c.IsHot()) {
            image = pick("selectedhotimage");
        }
        if (image.empty()) {
            image = pick("selectedimage");
        }
    } else if (c.IsPushed()) {
        image = pick("pushedimage");
        if (image.empty()) {
            image = pick("hotimage");
        }
    } else if (c.IsHot()) {
        image = pick("hotimage");
    } else if (c.IsFocused()) {
        image = pick("focusedimage");
    }
    return image.empty() ? pick("normalimage") : image;
}

std::string ControlPainter::StateTextColour(const Control& c) const {
    std::string colour;
    if (!c.IsEnabled()) {
        colour = c.GetAttribute("disabledtextcolor");
    } else if (c.IsSelected()) {
        colour = c.GetAttribute("selectedtextcolor");
    } else if (c.IsPushed()) {
        colour = c.GetAttribute("pushedtextcolor");
    } else if (c.IsHot()) {
        colour = c.GetAttribute("hottextcolor");
    }
    return colour.empty() ? c.GetAttribute("textcolor") : colour;
}

void ControlPainter::PaintControl(Control& c) {
    c.paintCount_++;
    manager_.NotePainted();
    const QRect r = ToQRect(c.GetPos());
    const auto round = attr::ToSize(c.GetAttribute("borderround"));
    if (const auto colour = attr::ToColour(c.GetAttribute("bkcolor"))) {
        if (round && (round->cx > 0 || round->cy > 0)) {
            QPainterPath path;
            path.addRoundedRect(r, round->cx, round->cy);
            painter_.fillPath(path, ToQColor(*colour));
        } else {
            painter_.fillRect(r, ToQColor(*colour));
        }
    }
    DrawImage(c.GetAttribute("bkimage"), r);
    DrawImage(StateImage(c), r);
    if (c.GetClass() != "Edit") {
        DrawText(c, r);
    }
    const auto border = attr::ToRect(c.GetAttribute("bordersize"), true);
    const auto borderColour = attr::ToColour(c.GetAttribute("bordercolor"));
    if (border && borderColour) {
        const QColor col = ToQColor(*borderColour);
        painter_.fillRect(QRect(r.left(), r.top(), border->left, r.height()), col);
        painter_.fillRect(QRect(r.left(), r.top(), r.width(), border->top), col);
        painter_.fillRect(QRect(r.right() + 1 - border->right, r.top(), border->right, r.height()),
                          col);
        painter_.fillRect(
            QRect(r.left(), r.bottom() + 1 - border->bottom, r.width(), border->bottom), col);
    }
}

void ControlPainter::DrawImage(const std::string& value, const QRect& target) {
    if (value.empty() || target.isEmpty()) {
        return;
    }
    const attr::ImageSource image =
        attr::ToImage(value, PaintManager::GetResourcePath(), PaintManager::GetInstancePath());
    if (image.path.empty()) {
        return;
    }
    const QPixmap pixmap = LoadSkinImage(image.path, ratio_);
    if (pixmap.isNull()) {
        return;
    }
    const qreal scale = pixmap.devicePixelRatio();
    QRectF source(0, 0, pixmap.width(), pixmap.height());
    if (image.source && !image.source->IsEmpty()) {
        source = QRectF(image.source->left * scale, image.source->top * scale,
                        image.source->Width() * scale, image.source->Height() * scale);
    }
    if (!image.corner || *image.corner == Rect{}) {
        painter_.drawPixmap(QRectF(target), pixmap, source);
        return;
    }
    // Nine-patch: corners keep their size, edges stretch one way, the middle both ways.
    const Rect& k = *image.corner;
    const qreal sx[4] = {source.left(), source.left() + k.left * scale,
                         source.right() - k.right * scale, source.right()};
    const qreal sy[4] = {source.top(), source.top() + k.top * scale,
                         source.bottom() - k.bottom * scale, source.bottom()};
    const qreal tx[4] = {qreal(target.left()), qreal(target.left() + k.left),
                         qreal(target.left() + target.width() - k.right),
                         qreal(target.left() + target.width())};
    const qreal ty[4] = {qreal(target.top()), qreal(target.top() + k.top),
                         qreal(target.top() + target.height() - k.bottom),
                         qreal(target.top() + target.height())};
    for (int row = 0; row < 3; ++row) {
        for (int col = 0; col < 3; ++col) {
            const QRectF t(QPointF(tx[col], ty[row]), QPointF(tx[col + 1], ty[row + 1]));
            const QRectF s(QPointF(sx[col], sy[row]), QPointF(sx[col + 1], sy[row + 1]));
            if (t.width() > 0 && t.height() > 0 && s.width() > 0 && s.height() > 0) {
                painter_.drawPixmap(t, pixmap, s);
            }
        }
    }
}

TextLayout ControlPainter::LayoutText(const PaintManager& manager, const Control& c,
                                      const QRect& r) {
    TextLayout layout;
    const Rect pad = attr::ToRect(c.GetAttribute("textpadding")).value_or(Rect{});
    layout.box = r.adjusted(pad.left, pad.top, -pad.right, -pad.bottom);
    int flags = 0;
    const std::string align = c.GetAttribute("align");
    const bool isButton =
        c.GetClass() == "Button" || c.GetClass() == "Option" || c.GetClass() == "CheckBox";
    if (align == "center" || (align.empty() && isButton)) {
        flags |= Qt::AlignHCenter;
    } else if (align == "right") {
        flags |= Qt::AlignRight;
    } else {
        flags |= Qt::AlignLeft;
    }
    const std::string valign = c.GetAttribute("valign");
    const bool multiLine = c.GetClass() == "Text";
    if (valign == "top" || (valign.empty() && multiLine)) {
        flags |= Qt::AlignTop;
    } else if (valign == "bottom") {
        flags |= Qt::AlignBottom;
    } else {
        flags |= Qt::AlignVCenter;
    }
    if (multiLine || attr::ToBool(c.GetAttribute("wordwrap"), false)) {
        flags |= Qt::TextWordWrap;
    }
    layout.flags = flags;
    layout.font = FontFor(manager, c);
    layout.endEllipsis =
        !(flags & Qt::TextWordWrap) && attr::ToBool(c.GetAttribute("endellipsis"), false);
    return layout;
}

QString ControlPainter::ShownText(const TextLayout& layout, const std::string& text) {
    const QString full = QString::fromStdString(text);
    if (!layout.endEllipsis) {
        return full;
    }
    return QFontMetrics(layout.font).elidedText(full, Qt::ElideRight, layout.box.width());
}

void ControlPainter::DrawText(Control& c, const QRect& r) {
    const std::string text = c.GetText();
    if (text.empty()) {
        return;
    }
    const TextLayout layout = LayoutText(manager_, c, r);
    const auto colour = attr::ToColour(StateTextColour(c));
    painter_.setPen(colour ? ToQColor(*colour) : QColor(Qt::black));
    painter_.setFont(layout.font);
    painter_.drawText(layout.box, layout.flags, ShownText(layout, text));
}

}  // namespace orv::kit
