#include "DirectionArt.h"

#include <QPainterPath>
#include <QPolygonF>
#include <cmath>

namespace orv {

namespace {
constexpr double kLeft = 64;  // where the time axis starts; the glyph column is left of it
constexpr double kRight = 404;
}  // namespace

void DirectionArt::track(QPainter& p, double y, const std::vector<std::pair<double, double>>& spans,
                         const QColor& colour, const QString& glyph) const {
    glyphs.draw(p, glyph, QRectF(14, y - 17, 34, 34), pal.colour("text"), pal.colour("glyphFace"));
    p.setPen(Qt::NoPen);
    p.setBrush(pal.colour("surface3"));
    p.drawRoundedRect(QRectF(kLeft, y - 3, kRight - kLeft, 6), 3, 3);
    p.setBrush(colour);
    for (const auto& [a, b] : spans) {
        const double x0 = kLeft + a * (kRight - kLeft);
        const double x1 = kLeft + b * (kRight - kLeft);
        p.drawRoundedRect(QRectF(x0, y - 8, std::max(4.0, x1 - x0), 16), 5, 5);
    }
}

void DirectionArt::marker(QPainter& p, double fraction) const {
    const double x = kLeft + fraction * (kRight - kLeft);
    QPen pen(pal.colour("textDim"), 1.2, Qt::DashLine);
    p.setPen(pen);
    p.drawLine(QPointF(x, 10), QPointF(x, 110));
    p.setPen(Qt::NoPen);
    p.setBrush(pal.colour("textDim"));
    p.drawPolygon(QPolygonF({QPointF(x - 5, 6), QPointF(x + 5, 6), QPointF(x, 12)}));
}

bool DirectionArt::all() {
    const QSizeF size = pal.size("illustration");
    const QColor input = pal.colour("textDim");
    const QColor output = pal.colour("accent");
    const QColor second = pal.profiles()[1].base;
    const QColor ring = pal.colour("fieldRing");
    const QPointF mid(size.width() / 2, size.height() / 2);

    const auto stickAt = [&](QPainter& p, QPointF c, double angleDeg, const QColor& colour) {
        p.setPen(QPen(ring, 1.5));
        p.setBrush(pal.colour("fieldFill"));
        p.drawEllipse(c, 40, 40);
        const double a = angleDeg * M_PI / 180.0;
        const QPointF tip(c.x() + 30 * std::cos(a), c.y() - 30 * std::sin(a));
        p.setPen(QPen(colour, 3, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(c, tip);
        p.setPen(Qt::NoPen);
        p.setBrush(colour);
        p.drawEllipse(tip, 6, 6);
    };
    const auto arrow = [&](QPainter& p, QPointF from, QPointF to) {
        p.setPen(QPen(pal.colour("textDim"), 2, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(from, to);
        const QPointF d = to - from;
        const double len = std::hypot(d.x(), d.y());
        const QPointF u = d / len;
        const QPointF n(-u.y(), u.x());
        p.setPen(Qt::NoPen);
        p.setBrush(pal.colour("textDim"));
        p.drawPolygon(QPolygonF({to, to - u * 9 + n * 5, to - u * 9 - n * 5}));
    };

    return out.write("Dir_ShortPress", size, [&](QPainter& p) {
        track(p, 38, {{0.1, 0.3}, {0.55, 0.7}}, input, "B");
        track(p, 84, {{0.1, 0.3}, {0.55, 0.7}}, output, "A");
    }) && out.write("Dir_LongPress", size, [&](QPainter& p) {
        marker(p, 0.55);
        track(p, 38, {{0.05, 0.25}, {0.4, 0.95}}, input, "B");
        track(p, 84, {{0.05, 0.25}}, output, "A");
        p.setBrush(second);
        p.drawRoundedRect(QRectF(kLeft + 0.55 * (kRight - kLeft), 76, 0.4 * (kRight - kLeft), 16),
                          5, 5);
    }) && out.write("Dir_Turbo", size, [&](QPainter& p) {
        track(p, 38, {{0.05, 0.95}}, input, "B");
        std::vector<std::pair<double, double>> pulses;
        for (double t = 0.05; t < 0.92; t += 0.1)
            pulses.emplace_back(t, t + 0.05);
        track(p, 84, pulses, output, "A");
    }) && out.write("Dir_ConDisable", size, [&](QPainter& p) {
        marker(p, 0.4);
        track(p, 38, {{0.05, 0.95}}, input, "B");
        track(p, 84, {{0.05, 0.4}}, output, "A");
    }) && out.write("Dir_LPressFive", size, [&](QPainter& p) {
        const char* parts[] = {"A", "B", "X", "Y", "ZR"};
        for (int i = 0; i < 5; ++i) {
            const QRectF box(22 + i * 80, 30, 56, 56);
            p.setPen(QPen(i == 1 ? output : pal.colour("border"), i == 1 ? 2.0 : 1.0));
            p.setBrush(pal.colour("surface2"));
            p.drawRoundedRect(box, 10, 10);
            glyphs.draw(p, parts[i], box.adjusted(8, 8, -8, -8), pal.colour("text"),
                        pal.colour("glyphFace"));
            glyphs.text(p, QRectF(box.left(), 92, box.width(), 20), QString::number(i + 1), 12,
                        pal.colour("textDim"));
            if (i < 4)
                arrow(p, QPointF(box.right() + 4, 58), QPointF(box.right() + 22, 58));
        }
    }) && out.write("Dir_StickMode", size, [&](QPainter& p) {
        stickAt(p, QPointF(80, mid.y()), 45, pal.colour("stickLeft"));
        arrow(p, QPointF(140, mid.y()), QPointF(270, mid.y()));
        glyphs.draw(p, "RSB", QRectF(300, mid.y() - 30, 60, 60), pal.colour("text"),
                    pal.colour("glyphFace"));
    }) && out.write("Dir_Rotation", size, [&](QPainter& p) {
        stickAt(p, QPointF(100, mid.y()), 90, pal.colour("stickLeft"));
        arrow(p, QPointF(160, mid.y()), QPointF(250, mid.y()));
        stickAt(p, QPointF(320, mid.y()), 0, pal.colour("stickRight"));
        p.setPen(QPen(pal.colour("textDim"), 1.5));
        p.setBrush(Qt::NoBrush);
        p.drawArc(QRectF(280, mid.y() - 40, 80, 80), 0, 90 * 16);
    }) && out.write("Dir_Sensitivity", size, [&](QPainter& p) {
        const QRectF g(40, 10, 340, 100);
        p.setPen(QPen(pal.colour("border"), 1));
        p.drawLine(g.bottomLeft(), g.bottomRight());
        p.drawLine(g.bottomLeft(), g.topLeft());
        const std::pair<double, QColor> curves[] = {{0.5, input}, {1.0, output}, {2.0, second}};
        for (const auto& [gain, colour] : curves) {
            QPolygonF line;
            for (int i = 0; i <= 40; ++i) {
                const double x = i / 40.0;
                const double y = std::min(1.0, x * gain);
                line << QPointF(g.left() + x * g.width(), g.bottom() - y * g.height());
            }
            p.setPen(QPen(colour, 2.5));
            p.drawPolyline(line);
        }
    }) && out.write("Dir_DeadZone", size, [&](QPainter& p) {
        const QPointF c(110, mid.y());
        p.setPen(QPen(ring, 1.5));
        p.setBrush(pal.colour("fieldFill"));
        p.drawEllipse(c, 48, 48);
        QColor zone = pal.colour("danger");
        zone.setAlphaF(0.25f);
        p.setBrush(zone);
        p.setPen(QPen(pal.colour("danger"), 1.2, Qt::DashLine));
        p.drawEllipse(c, 16, 16);
        p.setPen(Qt::NoPen);
        p.setBrush(pal.colour("textDim"));
        p.drawEllipse(c + QPointF(8, -6), 4, 4);
        arrow(p, QPointF(180, mid.y()), QPointF(250, mid.y()));
        p.setPen(QPen(ring, 1.5));
        p.setBrush(pal.colour("fieldFill"));
        p.drawEllipse(QPointF(320, mid.y()), 48, 48);
        p.setPen(Qt::NoPen);
        p.setBrush(output);
        p.drawEllipse(QPointF(320, mid.y()), 6, 6);
    });
}

}  // namespace orv
