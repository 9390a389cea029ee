#include "WidgetArt.h"

#include <QLinearGradient>
#include <QPainterPath>
#include <QPolygonF>
#include <array>

namespace orv {

void WidgetArt::roundedBox(QPainter& p, QSizeF size, const QColor& fill, const QColor& edge,
                           double radius) const {
    p.setPen(edge.alpha() == 0 ? QPen(Qt::NoPen) : QPen(edge, 1.0));
    p.setBrush(fill);
    p.drawRoundedRect(QRectF(0.5, 0.5, size.width() - 1, size.height() - 1), radius, radius);
}

bool WidgetArt::threeStates(const QString& stem, QSizeF size, Tone tone, double radius,
                            const std::function<void(QPainter&, const QColor&)>& symbol) {
    struct State {
        const char* suffix;
        QColor fill;
        QColor edge;
        QColor ink;
    };
    const QColor none(0, 0, 0, 0);
    std::array<State, 3> states{};
    switch (tone) {
        case Tone::Primary:
            states = {State{"_Nor", pal.colour("accent"), none, QColor(255, 255, 255)},
                      State{"_Hot", pal.colour("accentHot"), none, QColor(255, 255, 255)},
                      State{"_Push", pal.colour("accentPressed"), none, QColor(255, 255, 255)}};
            break;
        case Tone::Ghost:
            states = {State{"_Nor", none, none, pal.colour("textDim")},
                      State{"_Hot", pal.colour("surface3"), none, pal.colour("text")},
                      State{"_Push", pal.colour("pressed"), none, pal.colour("text")}};
            break;
        case Tone::Danger:
            states = {State{"_Nor", none, none, pal.colour("textDim")},
                      State{"_Hot", pal.colour("danger"), none, QColor(255, 255, 255)},
                      State{"_Push", pal.colour("dangerHot"), none, QColor(255, 255, 255)}};
            break;
        case Tone::Neutral:
            states = {
                State{"_Nor", pal.colour("surface2"), pal.colour("border"), pal.colour("text")},
                State{"_Hot", pal.colour("surface3"), pal.colour("borderStrong"),
                      pal.colour("text")},
                State{"_Push", pal.colour("pressed"), pal.colour("border"), pal.colour("text")}};
            break;
    }
    for (const State& s : states) {
        if (!out.write(stem + s.suffix, size, [&](QPainter& p) {
                if (s.fill.alpha() != 0 || s.edge.alpha() != 0)
                    roundedBox(p, size, s.fill, s.edge, radius);
                if (symbol)
                    symbol(p, s.ink);
            }))
            return false;
    }
    return true;
}

bool WidgetArt::buttons() {
    const double r = pal.number("buttonRadius");
    const QSizeF caption = pal.size("captionButton");
    const QSizeF title = pal.size("titleButton");
    const QSizeF close = pal.size("panelClose");
    const QSizeF step = pal.size("stepButton");
    const QSizeF dir = pal.size("dirButton");
    const QSizeF test = pal.size("testButton");
    const auto cross = [](QPainter& p, QPointF c, double s, const QColor& ink) {
        p.setPen(QPen(ink, 1.4, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(c.x() - s, c.y() - s), QPointF(c.x() + s, c.y() + s));
        p.drawLine(QPointF(c.x() + s, c.y() - s), QPointF(c.x() - s, c.y() + s));
    };
    const auto bar = [](QPainter& p, QPointF c, double s, bool vertical, const QColor& ink) {
        p.setPen(QPen(ink, 1.8, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(c.x() - s, c.y()), QPointF(c.x() + s, c.y()));
        if (vertical)
            p.drawLine(QPointF(c.x(), c.y() - s), QPointF(c.x(), c.y() + s));
    };
    const QPointF captionCentre(caption.width() / 2, caption.height() / 2);
    return threeStates("CloseBtn", caption, Tone::Danger, 0,
                       [&](QPainter& p, const QColor& ink) { cross(p, captionCentre, 5, ink); }) &&
           threeStates("MinBtn", caption, Tone::Ghost, 0,
                       [&](QPainter& p, const QColor& ink) {
                           p.setPen(QPen(ink, 1.4));
                           p.drawLine(QPointF(captionCentre.x() - 6, captionCentre.y()),
                                      QPointF(captionCentre.x() + 6, captionCentre.y()));
                       }) &&
           threeStates("TitleBtn", title, Tone::Ghost, 6, {}) &&
           threeStates("PanelClose", close, Tone::Ghost, close.width() / 2,
                       [&](QPainter& p, const QColor& ink) {
                           cross(p, QPointF(close.width() / 2, close.height() / 2), 4.5, ink);
                       }) &&
           threeStates("ActionBtn", pal.size("actionButton"), Tone::Neutral, r, {}) &&
           threeStates("ActionBtnPrimary", pal.size("actionButton"), Tone::Primary, r, {}) &&
           threeStates("DialogBtn", pal.size("dialogButton"), Tone::Neutral, r, {}) &&
           threeStates("WideBtn", pal.size("wideButton"), Tone::Neutral, r, {}) &&
           threeStates("DialogBtnPrimary", pal.size("dialogButton"), Tone::Primary, r, {}) &&
           threeStates("StepMinus", step, Tone::Neutral, r,
                       [&](QPainter& p, const QColor& ink) {
                           bar(p, QPointF(step.width() / 2, step.height() / 2), 5, false, ink);
                       }) &&
           threeStates("StepPlus", step, Tone::Neutral, r,
                       [&](QPainter& p, const QColor& ink) {
                           bar(p, QPointF(step.width() / 2, step.height() / 2), 5, true, ink);
                       }) &&
           threeStates("DirBtn", dir, Tone::Neutral, dir.width() / 2,
                       [&](QPainter& p, const QColor& ink) {
                           glyphs.text(p, QRectF(0, 0, dir.width(), dir.height()), "?", 15, ink,
                                       QFont::Bold);
                       }) &&
           threeStates("TestBtn", test, Tone::Neutral, r, [&](QPainter& p, const QColor&) {
               // Play mark at the left; the skin writes the word to its right.
               p.setPen(Qt::NoPen);
               p.setBrush(pal.colour("accent"));
               const double cy = test.height() / 2;
               p.drawPolygon(
                   QPolygonF({QPointF(11, cy - 5), QPointF(19, cy), QPointF(11, cy + 5)}));
           });
}

bool WidgetArt::controls() {
    const QSizeF sw = pal.size("switch");
    const auto toggle = [&](QPainter& p, bool on, bool hot) {
        const QColor track = on ? (hot ? pal.colour("accentHot") : pal.colour("accent"))
                                : (hot ? pal.colour("borderStrong") : pal.colour("border"));
        p.setPen(Qt::NoPen);
        p.setBrush(track);
        p.drawRoundedRect(QRectF(0, 0, sw.width(), sw.height()), sw.height() / 2, sw.height() / 2);
        const double knob = sw.height() / 2 - 3;
        p.setBrush(QColor(255, 255, 255));
        p.drawEllipse(QPointF(on ? sw.width() - 3 - knob : 3 + knob, sw.height() / 2), knob, knob);
    };
    const QSizeF edit = pal.size("edit");
    const QSizeF panel = pal.size("panel");
    const double corner = pal.number("panelCorner");
    return out.write("Switch_Off", sw, [&](QPainter& p) {
        toggle(p, false, false);
    }) && out.write("Switch_OffHot", sw, [&](QPainter& p) {
        toggle(p, false, true);
    }) && out.write("Switch_On", sw, [&](QPainter& p) {
        toggle(p, true, false);
    }) && out.write("Switch_OnHot", sw, [&](QPainter& p) {
        toggle(p, true, true);
    }) && out.write("EditBK", edit, [&](QPainter& p) {
        roundedBox(p, edit, pal.colour("window"), pal.colour("borderStrong"),
                   pal.number("buttonRadius"));
    }) && out.write("PanelBK", panel, [&](QPainter& p) {
        // Nine-patch source: square outer corners (windows are rectangles), a
        // hairline border and a faint top light.
        p.fillRect(QRectF(0, 0, panel.width(), panel.height()), pal.colour("surface"));
        QLinearGradient g(0, 0, 0, corner);
        QColor top = pal.colour("surface3");
        g.setColorAt(0, top);
        g.setColorAt(1, pal.colour("surface"));
        p.fillRect(QRectF(0, 0, panel.width(), corner), g);
        p.setPen(QPen(pal.colour("border"), 1));
        p.setBrush(Qt::NoBrush);
        p.drawRect(QRectF(0.5, 0.5, panel.width() - 1, panel.height() - 1));
    }) && out.write("CardBK", panel, [&](QPainter& p) {
        roundedBox(p, panel, pal.colour("surface2"), pal.colour("border"), 10);
    });
}

void WidgetArt::appIcon(QPainter& p, double w) const {
    QLinearGradient g(0, 0, w, w);
    g.setColorAt(0, pal.colour("accent"));
    g.setColorAt(1, pal.profiles()[3].deep);
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawRoundedRect(QRectF(w * 0.04, w * 0.04, w * 0.92, w * 0.92), w * 0.22, w * 0.22);
    // Controller silhouette: a body and two grips.
    QPainterPath body;
    body.addRoundedRect(QRectF(w * 0.18, w * 0.34, w * 0.64, w * 0.28), w * 0.12, w * 0.12);
    body.addEllipse(QRectF(w * 0.16, w * 0.4, w * 0.26, w * 0.36));
    body.addEllipse(QRectF(w * 0.58, w * 0.4, w * 0.26, w * 0.36));
    body.setFillRule(Qt::WindingFill);
    p.setBrush(QColor(255, 255, 255));
    p.drawPath(body.simplified());
    p.setBrush(pal.colour("accentPressed"));
    glyphs.dpad(p, QPointF(w * 0.33, w * 0.5), w * 0.07, w * 0.05, pal.colour("accentPressed"),
                pal.colour("accentPressed"), -1);
    for (const QPointF c : {QPointF(w * 0.67, w * 0.44), QPointF(w * 0.72, w * 0.5),
                            QPointF(w * 0.62, w * 0.5), QPointF(w * 0.67, w * 0.56)})
        p.drawEllipse(c, w * 0.028, w * 0.028);
}

QString WidgetArt::appIconSvg() const {
    // The shapes of appIcon() on a 256 unit square; the white shapes overlap as the union.
    const double w = 256;
    const auto rgb = [](const QColor& c) { return c.name(QColor::HexRgb); };
    const auto n = [](double v) { return QString::number(v, 'f', 2); };
    const QString accent = rgb(pal.colour("accentPressed"));
    QString svg;
    svg += "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
           "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"256\" height=\"256\" "
           "viewBox=\"0 0 256 256\">\n"
           "  <defs><linearGradient id=\"bg\" x1=\"0\" y1=\"0\" x2=\"1\" y2=\"1\">"
           "<stop offset=\"0\" stop-color=\"" + rgb(pal.colour("accent")) + "\"/>"
           "<stop offset=\"1\" stop-color=\"" + rgb(pal.profiles()[3].deep) + "\"/>"
           "</linearGradient></defs>\n";
    svg += "  <rect x=\"" + n(w * 0.04) + "\" y=\"" + n(w * 0.04) + "\" width=\"" + n(w * 0.92) +
           "\" height=\"" + n(w * 0.92) + "\" rx=\"" + n(w * 0.22) + "\" fill=\"url(#bg)\"/>\n";
    svg += "  <g fill=\"#ffffff\">\n"
           "    <rect x=\"" + n(w * 0.18) + "\" y=\"" + n(w * 0.34) + "\" width=\"" + n(w * 0.64) +
           "\" height=\"" + n(w * 0.28) + "\" rx=\"" + n(w * 0.12) + "\"/>\n"
           "    <ellipse cx=\"" + n(w * 0.29) + "\" cy=\"" + n(w * 0.58) + "\" rx=\"" +
           n(w * 0.13) + "\" ry=\"" + n(w * 0.18) + "\"/>\n"
           "    <ellipse cx=\"" + n(w * 0.71) + "\" cy=\"" + n(w * 0.58) + "\" rx=\"" +
           n(w * 0.13) + "\" ry=\"" + n(w * 0.18) + "\"/>\n"
           "  </g>\n";
    // The direction pad: two bars crossing at (0.33, 0.5), arms 0.07 long and 0.05 wide.
    const double cx = w * 0.33;
    const double cy = w * 0.5;
    const double arm = w * 0.07;
    const double half = w * 0.025;
    svg += "  <g fill=\"" + accent + "\">\n"
           "    <rect x=\"" + n(cx - arm - half) + "\" y=\"" + n(cy - half) + "\" width=\"" +
           n(2 * (arm + half)) + "\" height=\"" + n(2 * half) + "\" rx=\"" + n(half * 0.44) +
           "\"/>\n"
           "    <rect x=\"" + n(cx - half) + "\" y=\"" + n(cy - arm - half) + "\" width=\"" +
           n(2 * half) + "\" height=\"" + n(2 * (arm + half)) + "\" rx=\"" + n(half * 0.44) +
           "\"/>\n";
    for (const QPointF c : {QPointF(0.67, 0.44), QPointF(0.72, 0.5), QPointF(0.62, 0.5),
                            QPointF(0.67, 0.56)})
        svg += "    <circle cx=\"" + n(w * c.x()) + "\" cy=\"" + n(w * c.y()) + "\" r=\"" +
               n(w * 0.028) + "\"/>\n";
    svg += "  </g>\n</svg>\n";
    return svg;
}

bool WidgetArt::icons() {
    const QSizeF d(40, 40);
    const auto badge = [&](QPainter& p, const QColor& c, const QString& mark) {
        QColor soft = c;
        soft.setAlphaF(0.18f);
        p.setPen(Qt::NoPen);
        p.setBrush(soft);
        p.drawEllipse(QPointF(20, 20), 19, 19);
        p.setBrush(c);
        p.drawEllipse(QPointF(20, 20), 13, 13);
        glyphs.text(p, QRectF(0, 0, 40, 40), mark, 17, pal.colour("window"), QFont::Black);
    };
    const QSizeF icon = pal.size("icon");
    const QSizeF loading = pal.size("loading");
    return out.write("DialogIcon_Question", d, [&](QPainter& p) {
        badge(p, pal.colour("accent"), "?");
    }) && out.write("DialogIcon_Warning", d, [&](QPainter& p) {
        badge(p, pal.profiles()[1].base, "!");
    }) && out.write("DialogIcon_Error", d, [&](QPainter& p) {
        badge(p, pal.colour("danger"), "!");
    }) && out.write("DialogIcon_Info", d, [&](QPainter& p) {
        badge(p, pal.colour("accent"), "i");
    }) && out.write("DialogIcon_Success", d, [&](QPainter& p) {
        badge(p, pal.profiles()[0].base, QString());
        p.setPen(QPen(pal.colour("window"), 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.setBrush(Qt::NoBrush);
        p.drawPolyline(QPolygonF({QPointF(14, 20.5), QPointF(18.5, 25), QPointF(26.5, 15.5)}));
    }) && out.write("AppIcon", icon, [&](QPainter& p) {
        appIcon(p, icon.width());
    }) && out.write("Loading", loading, [&](QPainter& p) {
        // Three dots of rising strength under a controller outline: "working".
        const double w = loading.width();
        const double h = loading.height();
        QPainterPath body;
        body.addRoundedRect(QRectF(w * 0.3, h * 0.12, w * 0.4, h * 0.3), h * 0.12, h * 0.12);
        body.addEllipse(QRectF(w * 0.28, h * 0.2, w * 0.15, h * 0.4));
        body.addEllipse(QRectF(w * 0.57, h * 0.2, w * 0.15, h * 0.4));
        body.setFillRule(Qt::WindingFill);
        p.setPen(QPen(pal.colour("borderStrong"), 2));
        p.setBrush(pal.colour("surface2"));
        p.drawPath(body.simplified());
        p.setPen(Qt::NoPen);
        for (int i = 0; i < 3; ++i) {
            QColor c = pal.colour("accent");
            c.setAlphaF(0.35f + 0.3f * static_cast<float>(i));
            p.setBrush(c);
            p.drawEllipse(QPointF(w / 2 + (i - 1) * 22, h * 0.82), 6, 6);
        }
    });
}

bool WidgetArt::stickTest() {
    const QSizeF field = pal.size("stickField");
    const QSizeF dot = pal.size("stickIndicator");
    const double radius = pal.number("stickFieldRadius");
    // Indicator positions are its top-left corner, 1..112 with 56 the centre, so the field's
    // circle is centred half an indicator further in.
    const QPointF c(field.width() / 2, field.height() / 2);
    const auto indicator = [&](QPainter& p, const QColor& colour) {
        QColor glow = colour;
        glow.setAlphaF(0.3f);
        p.setPen(Qt::NoPen);
        p.setBrush(glow);
        p.drawEllipse(QRectF(0, 0, dot.width(), dot.height()));
        p.setBrush(colour);
        p.drawEllipse(QRectF(3, 3, dot.width() - 6, dot.height() - 6));
    };
    return out.write("StickField", field, [&](QPainter& p) {
        p.setPen(QPen(pal.colour("fieldRing"), 1.5));
        p.setBrush(pal.colour("fieldFill"));
        p.drawEllipse(c, radius + dot.width() / 2 - 1, radius + dot.height() / 2 - 1);
        p.setPen(QPen(pal.colour("fieldGrid"), 1, Qt::DashLine));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(c, radius / 2, radius / 2);
        p.drawLine(QPointF(c.x() - radius, c.y()), QPointF(c.x() + radius, c.y()));
        p.drawLine(QPointF(c.x(), c.y() - radius), QPointF(c.x(), c.y() + radius));
    }) && out.write("StickIndicator_L", dot, [&](QPainter& p) {
        indicator(p, pal.colour("stickLeft"));
    }) && out.write("StickIndicator_R", dot, [&](QPainter& p) {
        indicator(p, pal.colour("stickRight"));
    }) && out.write("StickIndicator_Both", dot, [&](QPainter& p) {
        indicator(p, pal.colour("stickBoth"));
    });
}

}  // namespace orv
