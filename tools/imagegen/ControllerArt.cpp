#include "ControllerArt.h"

#include <QJsonArray>
#include <QLineF>
#include <algorithm>
#include <cmath>
#include <QJsonObject>
#include <QPainterPath>
#include <QRadialGradient>
#include <QTransform>

namespace orv {

QMap<QString, QPointF> ControllerArt::spots() const {
    const QJsonObject c = pal.controller();
    QMap<QString, QPointF> s;
    const QJsonObject shoulders = c.value("shoulders").toObject();
    for (auto it = shoulders.begin(); it != shoulders.end(); ++it)
        s.insert(it.key(), Palette::point(it.value()));
    const QJsonObject small = c.value("small").toObject();
    for (auto it = small.begin(); it != small.end(); ++it)
        if (it.key() != "radius")
            s.insert(it.key(), Palette::point(it.value()));
    const QJsonObject sticks = c.value("sticks").toObject();
    const double r = sticks.value("radius").toDouble();
    const QPointF left = Palette::point(sticks.value("J_LSB_P"));
    const QPointF right = Palette::point(sticks.value("J_RSB_P"));
    s.insert("J_LSB_P", left);
    s.insert("J_RSB_P", right);
    s.insert("LStickSetBtn", left - QPointF(r, 0));
    s.insert("RStickSetBtn", right + QPointF(r, 0));
    const QJsonObject dpad = c.value("dpad").toObject();
    const QPointF d = Palette::point(dpad.value("center"));
    // Points on the outline of each arm that a line from the left column reaches without
    // crossing another arm: the left side of the up and down arms, the tips of left and right.
    const double arm = dpad.value("arm").toDouble();
    const double halfWidth = dpad.value("width").toDouble() / 2;
    s.insert("J_UP_P", d + QPointF(-halfWidth, -arm));
    s.insert("J_DOWN_P", d + QPointF(-halfWidth, arm));
    s.insert("J_LEFT_P", d + QPointF(-arm - halfWidth, 0));
    s.insert("J_RIGHT_P", d + QPointF(arm + halfWidth, 0));
    const QJsonObject face = c.value("face").toObject();
    const QPointF f = Palette::point(face.value("center"));
    const double o = face.value("offset").toDouble();
    s.insert("J_X_P", f + QPointF(0, -o));
    s.insert("J_B_P", f + QPointF(0, o));
    s.insert("J_Y_P", f + QPointF(-o, 0));
    s.insert("J_A_P", f + QPointF(o, 0));
    return s;
}

void ControllerArt::body(QPainter& p) const {
    const QJsonObject c = pal.controller();
    const QJsonObject b = c.value("body").toObject();
    const QPointF centre = Palette::point(b.value("center"));
    const double width = b.value("width").toDouble();
    const double top = b.value("top").toDouble();
    const double shoulderY = b.value("shoulderY").toDouble();

    // Shoulder buttons sit behind the body: triggers highest, bumpers just above the top edge.
    for (int side = -1; side <= 1; side += 2) {
        const double x = centre.x() + side * (width / 2 - 110);
        const auto part = [&](double y, double w, double h, double angle, const QColor& fill) {
            QPainterPath path;
            path.addRoundedRect(QRectF(-w / 2, -h / 2, w, h), h / 2, h / 2);
            QTransform t;
            t.translate(x, y);
            t.rotate(side * angle);
            p.setPen(QPen(pal.colour("controllerEdge"), 1.2));
            p.setBrush(fill);
            p.drawPath(t.map(path));
        };
        part(shoulderY + 6, 170, 40, 7, pal.colour("controllerShade"));
        part(top - 2, 200, 26, 5, pal.colour("controllerButton"));
    }

    QPainterPath shape;
    shape.addRoundedRect(QRectF(centre.x() - width / 2, top, width, 250), 120, 110);
    for (const QJsonValue& g : c.value("grips").toArray()) {
        const QJsonObject grip = g.toObject();
        const QPointF gc = Palette::point(grip.value("center"));
        const QPointF gr = Palette::point(grip.value("radius"));
        shape.addEllipse(gc, gr.x(), gr.y());
    }
    shape.setFillRule(Qt::WindingFill);
    shape = shape.simplified();
    QLinearGradient fill(0, top, 0, top + 520);
    fill.setColorAt(0, Palette::mix(pal.colour("controllerBody"), QColor(255, 255, 255), 0.04));
    fill.setColorAt(1, pal.colour("controllerShade"));
    p.setPen(QPen(pal.colour("controllerEdge"), 1.5));
    p.setBrush(fill);
    p.drawPath(shape);
}

void ControllerArt::buttons(QPainter& p) const {
    const QJsonObject c = pal.controller();
    const QColor button = pal.colour("controllerButton");
    const QColor mark = pal.colour("controllerMark");
    const QColor well = pal.colour("controllerShade");

    const QJsonObject sticks = c.value("sticks").toObject();
    const double r = sticks.value("radius").toDouble();
    for (const char* name : {"J_LSB_P", "J_RSB_P"}) {
        const QPointF s = Palette::point(sticks.value(name));
        p.setPen(QPen(pal.colour("controllerEdge"), 1));
        p.setBrush(well);
        p.drawEllipse(s, r + 9, r + 9);
        QRadialGradient g(s - QPointF(r * 0.3, r * 0.3), r * 1.4);
        g.setColorAt(0, Palette::mix(pal.colour("stickTop"), QColor(255, 255, 255), 0.08));
        g.setColorAt(1, button);
        p.setBrush(g);
        p.drawEllipse(s, r, r);
        p.setPen(QPen(well, 2));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(s, r * 0.62, r * 0.62);
    }

    const QJsonObject dpad = c.value("dpad").toObject();
    const QPointF d = Palette::point(dpad.value("center"));
    const double arm = dpad.value("arm").toDouble();
    const double w = dpad.value("width").toDouble();
    p.setPen(Qt::NoPen);
    p.setBrush(well);
    p.drawEllipse(d, arm + w * 0.75, arm + w * 0.75);
    glyphs.dpad(p, d, arm + w / 2, w, button, mark, -1);

    const QJsonObject face = c.value("face").toObject();
    const QPointF f = Palette::point(face.value("center"));
    const double o = face.value("offset").toDouble();
    const double fr = face.value("radius").toDouble();
    p.setBrush(well);
    p.drawEllipse(f, o + fr + 8, o + fr + 8);
    const std::pair<const char*, QPointF> faces[] = {{"X", f + QPointF(0, -o)},
                                                     {"B", f + QPointF(0, o)},
                                                     {"Y", f + QPointF(-o, 0)},
                                                     {"A", f + QPointF(o, 0)}};
    for (const auto& [letter, at] : faces) {
        p.setPen(QPen(pal.colour("controllerEdge"), 1));
        p.setBrush(button);
        p.drawEllipse(at, fr, fr);
        glyphs.text(p, QRectF(at.x() - fr, at.y() - fr, 2 * fr, 2 * fr), letter, fr * 1.05, mark,
                    QFont::Bold);
    }

    const QJsonObject small = c.value("small").toObject();
    const double sr = small.value("radius").toDouble();
    glyphs.draw(p, "Minus",
                QRectF(Palette::point(small.value("J_MINUS_P")) - QPointF(sr * 1.5, sr * 1.5),
                       QSizeF(sr * 3, sr * 3)),
                mark, button);
    glyphs.draw(p, "PLUS",
                QRectF(Palette::point(small.value("J_PLUS_P")) - QPointF(sr * 1.5, sr * 1.5),
                       QSizeF(sr * 3, sr * 3)),
                mark, button);
    glyphs.draw(p, "Cap",
                QRectF(Palette::point(small.value("J_CAP_P")) - QPointF(sr * 1.3, sr * 1.3),
                       QSizeF(sr * 2.6, sr * 2.6)),
                mark, button);
    glyphs.draw(p, "HOME",
                QRectF(Palette::point(small.value("J_HOME_P")) - QPointF(sr * 1.4, sr * 1.4),
                       QSizeF(sr * 2.8, sr * 2.8)),
                mark, button);
}

double ControllerArt::reach(const QString& spot) const {
    // How far from its spot a line stops: at the outline of the button it points to, so every
    // line visibly ends on its own button (the dot sits on the outline).
    const QJsonObject c = pal.controller();
    if (spot == "J_LSB_P" || spot == "J_RSB_P")
        return c.value("sticks").toObject().value("radius").toDouble();
    if (spot == "J_X_P" || spot == "J_Y_P" || spot == "J_A_P" || spot == "J_B_P")
        return c.value("face").toObject().value("radius").toDouble() + 1;
    if (spot == "J_MINUS_P" || spot == "J_PLUS_P" || spot == "J_CAP_P" || spot == "J_HOME_P")
        return c.value("small").toObject().value("radius").toDouble() + 1;
    return 0;
}

void ControllerArt::leaders(QPainter& p, const QMap<QString, QRectF>& cells) const {
    const QJsonObject c = pal.controller();
    const QJsonObject via = c.value("via").toObject();
    const double middle = Palette::point(c.value("window")).x() / 2;
    const QMap<QString, QPointF> targets = spots();
    QPen line(pal.colour("leader"), 1.4);
    line.setCapStyle(Qt::RoundCap);
    line.setJoinStyle(Qt::RoundJoin);
    for (auto it = targets.cbegin(); it != targets.cend(); ++it) {
        if (!cells.contains(it.key()))
            continue;
        const QRectF cell = cells.value(it.key());
        const bool left = cell.center().x() < middle;
        const QPointF start(left ? cell.right() + 6 : cell.left() - 6, cell.center().y());
        const QPointF spot = it.value();
        QPolygonF path({start});
        if (via.contains(it.key())) {
            for (const QJsonValue& v : via.value(it.key()).toArray())
                path << Palette::point(v);
        } else {
            // Run level with the cell, then turn at 45 degrees straight onto the button.
            const double run = std::abs(spot.y() - start.y());
            double elbow = left ? spot.x() - run : spot.x() + run;
            elbow = left ? std::max(elbow, start.x()) : std::min(elbow, start.x());
            path << QPointF(elbow, start.y());
        }
        // The last leg stops at the button's outline.
        const QPointF from = path.back();
        const QLineF last(from, spot);
        const double stop = std::max(0.0, last.length() - reach(it.key()));
        const QPointF end = last.length() > 0 ? last.pointAt(stop / last.length()) : spot;
        path << end;
        p.setPen(line);
        p.setBrush(Qt::NoBrush);
        p.drawPolyline(path);
        p.setPen(Qt::NoPen);
        p.setBrush(pal.colour("leader"));
        p.drawEllipse(start, 2.5, 2.5);
        p.setBrush(pal.colour("leaderDot"));
        p.drawEllipse(end, 3.5, 3.5);
    }
}

bool ControllerArt::background(const QMap<QString, QRectF>& cells) {
    const QSizeF size(Palette::point(pal.controller().value("window")).x(),
                      Palette::point(pal.controller().value("window")).y());
    const double band = pal.controller().value("titleBarHeight").toDouble();
    return out.write("MainWindowBK", size, [&](QPainter& p) {
        p.fillRect(QRectF(QPointF(0, 0), size), pal.colour("window"));
        QRadialGradient glow(QPointF(size.width() / 2, size.height() * 0.55), size.height() * 0.6);
        QColor g = pal.colour("surface");
        glow.setColorAt(0, g);
        g.setAlpha(0);
        glow.setColorAt(1, g);
        p.fillRect(QRectF(QPointF(0, band), size), glow);
        p.fillRect(QRectF(0, 0, size.width(), band), pal.colour("titleBar"));
        p.fillRect(QRectF(0, band - 1, size.width(), 1), pal.colour("border"));
        body(p);
        buttons(p);
        leaders(p, cells);
    });
}

}  // namespace orv
