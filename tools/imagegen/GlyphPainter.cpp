#include "GlyphPainter.h"

#include <QLineF>
#include <QPainterPath>
#include <QPolygonF>
#include <array>

namespace orv {

QFont GlyphPainter::font(double pixelSize, QFont::Weight weight) const {
    QFont f(family);
    f.setPixelSize(std::max(1, static_cast<int>(pixelSize + 0.5)));
    f.setWeight(weight);
    f.setHintingPreference(QFont::PreferNoHinting);
    return f;
}

void GlyphPainter::text(QPainter& p, const QRectF& box, const QString& s, double pixelSize,
                        const QColor& ink, QFont::Weight weight) const {
    p.setFont(font(pixelSize, weight));
    p.setPen(ink);
    p.drawText(box, Qt::AlignCenter, s);
}

void GlyphPainter::dpad(QPainter& p, QPointF c, double arm, double width, const QColor& face,
                        const QColor& highlight, int highlightArm) const {
    // Arms: 0 up, 1 right, 2 down, 3 left. Each arm is a rounded bar from the centre outwards.
    const double half = width / 2;
    const std::array<QRectF, 4> arms = {
        QRectF(c.x() - half, c.y() - arm - half, width, arm + half),
        QRectF(c.x(), c.y() - half, arm + half, width),
        QRectF(c.x() - half, c.y(), width, arm + half),
        QRectF(c.x() - arm - half, c.y() - half, arm + half, width)};
    QPainterPath cross;
    for (const QRectF& r : arms) {
        QPainterPath a;
        a.addRoundedRect(r, width * 0.22, width * 0.22);
        cross = cross.united(a);
    }
    p.setPen(Qt::NoPen);
    p.setBrush(face);
    p.drawPath(cross);
    for (int i = 0; i < 4; ++i) {
        const QRectF& r = arms[static_cast<size_t>(i)];
        const bool lit = i == highlightArm;
        if (lit) {
            QPainterPath a;
            a.addRoundedRect(r, width * 0.22, width * 0.22);
            p.setBrush(highlight);
            p.drawPath(a);
        }
        // A small arrow head near the end of each arm shows its direction.
        const double t = width * 0.24;
        QPointF tip;
        QPointF base1;
        QPointF base2;
        const double d = arm * 0.62;
        switch (i) {
            case 0:
                tip = {c.x(), c.y() - d - t};
                base1 = {c.x() - t, c.y() - d + t * 0.5};
                base2 = {c.x() + t, c.y() - d + t * 0.5};
                break;
            case 1:
                tip = {c.x() + d + t, c.y()};
                base1 = {c.x() + d - t * 0.5, c.y() - t};
                base2 = {c.x() + d - t * 0.5, c.y() + t};
                break;
            case 2:
                tip = {c.x(), c.y() + d + t};
                base1 = {c.x() - t, c.y() + d - t * 0.5};
                base2 = {c.x() + t, c.y() + d - t * 0.5};
                break;
            default:
                tip = {c.x() - d - t, c.y()};
                base1 = {c.x() - d + t * 0.5, c.y() - t};
                base2 = {c.x() - d + t * 0.5, c.y() + t};
                break;
        }
        QColor arrow = lit ? face : highlight;
        if (!lit && highlightArm >= 0)
            arrow.setAlphaF(0.35f);
        p.setBrush(arrow);
        p.drawPolygon(QPolygonF({tip, base1, base2}));
    }
}

void GlyphPainter::stick(QPainter& p, QPointF c, double r, const QColor& ink, const QColor& face,
                         const QString& letter) const {
    p.setPen(Qt::NoPen);
    p.setBrush(face);
    p.drawEllipse(c, r, r);
    QColor ring = ink;
    ring.setAlphaF(0.35f);
    p.setPen(QPen(ring, std::max(1.0, r * 0.09)));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(c, r * 0.66, r * 0.66);
    if (!letter.isEmpty())
        text(p, QRectF(c.x() - r, c.y() - r, 2 * r, 2 * r), letter, r * 0.95, ink, QFont::Bold);
}

void GlyphPainter::house(QPainter& p, QPointF c, double s, const QColor& ink) const {
    QPainterPath path;
    path.moveTo(c.x(), c.y() - s * 0.5);
    path.lineTo(c.x() + s * 0.5, c.y() - s * 0.02);
    path.lineTo(c.x() + s * 0.34, c.y() - s * 0.02);
    path.lineTo(c.x() + s * 0.34, c.y() + s * 0.45);
    path.lineTo(c.x() + s * 0.1, c.y() + s * 0.45);
    path.lineTo(c.x() + s * 0.1, c.y() + s * 0.16);
    path.lineTo(c.x() - s * 0.1, c.y() + s * 0.16);
    path.lineTo(c.x() - s * 0.1, c.y() + s * 0.45);
    path.lineTo(c.x() - s * 0.34, c.y() + s * 0.45);
    path.lineTo(c.x() - s * 0.34, c.y() - s * 0.02);
    path.lineTo(c.x() - s * 0.5, c.y() - s * 0.02);
    path.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(ink);
    p.drawPath(path);
}

void GlyphPainter::shoulder(QPainter& p, const QRectF& a, const QString& label, bool trigger,
                            const QColor& ink, const QColor& face) const {
    // Bumpers are flat bars, triggers have a rounded top like the real part.
    const double w = a.height() * 1.45;
    const double h = a.height() * 0.74;
    const QRectF r(a.center().x() - w / 2, a.center().y() - h / 2, w, h);
    QPainterPath path;
    if (trigger) {
        path.moveTo(r.left(), r.bottom() - h * 0.2);
        path.lineTo(r.left(), r.top() + h * 0.45);
        path.quadTo(r.left(), r.top(), r.left() + w * 0.35, r.top());
        path.lineTo(r.right() - w * 0.35, r.top());
        path.quadTo(r.right(), r.top(), r.right(), r.top() + h * 0.45);
        path.lineTo(r.right(), r.bottom() - h * 0.2);
        path.quadTo(r.right(), r.bottom(), r.right() - h * 0.2, r.bottom());
        path.lineTo(r.left() + h * 0.2, r.bottom());
        path.quadTo(r.left(), r.bottom(), r.left(), r.bottom() - h * 0.2);
    } else {
        path.addRoundedRect(r, h * 0.3, h * 0.3);
    }
    p.setPen(Qt::NoPen);
    p.setBrush(face);
    p.drawPath(path);
    text(p, r.translated(0, trigger ? h * 0.04 : 0), label, h * 0.56, ink, QFont::Bold);
}

void GlyphPainter::pill(QPainter& p, const QRectF& a, const QString& label, const QColor& ink,
                        const QColor& face) const {
    const double h = a.height() * 0.62;
    const double w = a.height() * 1.9;
    const QRectF r(a.center().x() - w / 2, a.center().y() - h / 2, w, h);
    p.setPen(Qt::NoPen);
    p.setBrush(face);
    p.drawRoundedRect(r, h / 2, h / 2);
    text(p, r, label, h * 0.5, ink, QFont::Bold);
}

void GlyphPainter::draw(QPainter& p, const QString& part, const QRectF& area, const QColor& ink,
                        const QColor& face) const {
    const QPointF c = area.center();
    const double s = area.height();
    static const QStringList arrows = {"Up", "Right", "Down", "Left"};
    if (arrows.contains(part)) {
        dpad(p, c, s * 0.33, s * 0.32, face, ink, static_cast<int>(arrows.indexOf(part)));
        return;
    }
    if (part == "A" || part == "B" || part == "X" || part == "Y") {
        p.setPen(Qt::NoPen);
        p.setBrush(face);
        p.drawEllipse(c, s * 0.4, s * 0.4);
        text(p, QRectF(c.x() - s / 2, c.y() - s / 2, s, s), part, s * 0.46, ink, QFont::Bold);
        return;
    }
    if (part == "L" || part == "R" || part == "LB" || part == "RB") {
        shoulder(p, area, part, false, ink, face);
        return;
    }
    if (part == "ZL" || part == "ZR" || part == "LT" || part == "RT") {
        shoulder(p, area, part, true, ink, face);
        return;
    }
    if (part == "Minus" || part == "PLUS") {
        p.setPen(Qt::NoPen);
        p.setBrush(face);
        p.drawEllipse(c, s * 0.34, s * 0.34);
        const double bar = s * 0.34;
        const double thick = s * 0.085;
        p.setBrush(ink);
        p.drawRoundedRect(QRectF(c.x() - bar / 2, c.y() - thick / 2, bar, thick), thick / 2,
                          thick / 2);
        if (part == "PLUS")
            p.drawRoundedRect(QRectF(c.x() - thick / 2, c.y() - bar / 2, thick, bar), thick / 2,
                              thick / 2);
        return;
    }
    if (part == "BACK" || part == "START") {
        pill(p, area, part, ink, face);
        return;
    }
    if (part == "LSB" || part == "RSB") {
        stick(p, c, s * 0.36, ink, face, part.left(1));
        // Press mark: short rays around the stick read as "click it".
        p.setPen(QPen(ink, std::max(1.0, s * 0.05), Qt::SolidLine, Qt::RoundCap));
        for (const double angle : {-135.0, -45.0, 45.0, 135.0}) {
            QLineF ray(c, c + QPointF(s * 0.56, 0));
            ray.setAngle(angle);
            const QPointF dir = (ray.p2() - c) / ray.length();
            p.drawLine(c + dir * s * 0.44, c + dir * s * 0.54);
        }
        return;
    }
    if (part == "HOME") {
        p.setPen(Qt::NoPen);
        p.setBrush(face);
        p.drawEllipse(c, s * 0.4, s * 0.4);
        house(p, c, s * 0.42, ink);
        return;
    }
    if (part == "Cap") {
        const double q = s * 0.68;
        p.setPen(Qt::NoPen);
        p.setBrush(face);
        p.drawRoundedRect(QRectF(c.x() - q / 2, c.y() - q / 2, q, q), q * 0.22, q * 0.22);
        p.setBrush(ink);
        p.drawEllipse(c, q * 0.22, q * 0.22);
        return;
    }
    text(p, area, part, s * 0.4, ink);
}

}  // namespace orv
