#include "SkinPreview.h"

#include <QFile>
#include <QFont>
#include <QPainter>
#include <QRegularExpression>

namespace orv {

namespace {

QColor skinColour(const QString& text) {
    return QColor(text.trimmed());
}

}  // namespace

QImage SkinPreview::picture(const QString& value, int scale, QRectF* corners) const {
    // Bare "name.png" or "file='Resources/name.png' corner='l,t,r,b'".
    QString name = value.trimmed();
    static const QRegularExpression fileForm(R"(file='([^']*)')");
    static const QRegularExpression cornerForm(R"(corner='([^']*)')");
    const QRegularExpressionMatch fileMatch = fileForm.match(value);
    if (fileMatch.hasMatch()) {
        name = fileMatch.captured(1);
        if (name.startsWith("Resources/"))
            name = name.mid(10);
    }
    if (corners) {
        const QRegularExpressionMatch c = cornerForm.match(value);
        const std::vector<double> n =
            SkinDocument::numbers(c.hasMatch() ? c.captured(1) : QString());
        *corners = n.size() == 4 ? QRectF(n[0], n[1], n[2], n[3]) : QRectF();
    }
    if (name.isEmpty())
        return {};
    if (scale > 1) {
        QString hi = name;
        hi.replace(".png", "@2x.png");
        QImage image(folder + '/' + hi);
        if (!image.isNull())
            return image;
    }
    return QImage(folder + '/' + name);
}

void SkinPreview::drawImage(QPainter& p, const QString& value, const QRectF& target,
                            int scale) const {
    QRectF corner;
    const QImage image = picture(value, scale, &corner);
    if (image.isNull())
        return;
    if (corner.isNull()) {
        p.drawImage(target, image);
        return;
    }
    // Nine-patch: corners keep their size, edges and middle stretch.
    const double s = image.width() > 0 ? static_cast<double>(scale) : 1.0;
    const double l = corner.x();
    const double t = corner.y();
    const double r = corner.width();
    const double b = corner.height();
    const double iw = image.width() / s;
    const double ih = image.height() / s;
    const double xs[] = {0, l, iw - r, iw};
    const double ys[] = {0, t, ih - b, ih};
    const double xd[] = {target.left(), target.left() + l, target.right() - r, target.right()};
    const double yd[] = {target.top(), target.top() + t, target.bottom() - b, target.bottom()};
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j)
            p.drawImage(
                QRectF(xd[i], yd[j], xd[i + 1] - xd[i], yd[j + 1] - yd[j]), image,
                QRectF(xs[i] * s, ys[j] * s, (xs[i + 1] - xs[i]) * s, (ys[j + 1] - ys[j]) * s));
}

bool SkinPreview::render(const QString& skinPath, const QString& pngPath, int scale,
                         QString& error) const {
    SkinDocument doc;
    if (!doc.load(skinPath, error))
        return false;
    const QSizeF size = doc.windowSize();
    QImage image(static_cast<int>(size.width()) * scale, static_cast<int>(size.height()) * scale,
                 QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::black);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.scale(scale, scale);

    QMap<QString, QFont> fonts;
    QFont fallback("Noto Sans CJK JP");
    fallback.setPixelSize(14);
    for (const SkinNode& n : doc.window().children) {
        if (n.kind != "Font")
            continue;
        QFont f(n.value("name", "Noto Sans CJK JP"));
        f.setPixelSize(n.value("size", "14").toInt());
        f.setBold(n.value("bold") == "true");
        f.setItalic(n.value("italic") == "true");
        f.setUnderline(n.value("underline") == "true");
        fonts.insert(n.value("id"), f);
        if (n.value("default") == "true")
            fallback = f;
    }
    const SkinNode& w = doc.window();
    if (w.attributes.contains("bkcolor"))
        p.fillRect(QRectF(QPointF(0, 0), size), skinColour(w.value("bkcolor")));
    if (w.attributes.contains("bkimage"))
        drawImage(p, w.value("bkimage"), QRectF(QPointF(0, 0), size), scale);

    std::vector<QRectF> hidden;
    for (const SkinDocument::Placed& placed : doc.layout()) {
        const QMap<QString, QString> a = doc.effectiveAttributes(*placed.node);
        const QRectF r = placed.rect;
        if (a.value("visible") == "false")
            continue;
        const bool disabled = a.value("enabled") == "false";
        p.setOpacity(disabled && !a.contains("disabledimage") ? 0.45 : 1.0);
        if (a.contains("bkcolor")) {
            const std::vector<double> round = SkinDocument::numbers(a.value("borderround"));
            p.setPen(Qt::NoPen);
            p.setBrush(skinColour(a.value("bkcolor")));
            if (round.size() == 2)
                p.drawRoundedRect(r, round[0], round[1]);
            else
                p.drawRect(r);
        }
        if (a.contains("bkimage"))
            drawImage(p, a.value("bkimage"), r, scale);
        QString state = a.value("normalimage");
        if (a.value("selected") == "true" && a.contains("selectedimage"))
            state = a.value("selectedimage");
        if (disabled && a.contains("disabledimage"))
            state = a.value("disabledimage");
        if (!state.isEmpty())
            drawImage(p, state, r, scale);
        const std::vector<double> border = SkinDocument::numbers(a.value("bordersize", "0"));
        if (!border.empty() && border[0] > 0 && a.contains("bordercolor")) {
            const std::vector<double> round = SkinDocument::numbers(a.value("borderround"));
            p.setPen(QPen(skinColour(a.value("bordercolor")), border[0]));
            p.setBrush(Qt::NoBrush);
            const QRectF b = r.adjusted(0.5, 0.5, -0.5, -0.5);
            if (round.size() == 2)
                p.drawRoundedRect(b, round[0], round[1]);
            else
                p.drawRect(b);
        }
        const QString text = a.value("text");
        if (!text.isEmpty()) {
            p.setFont(fonts.value(a.value("font"), fallback));
            QColor colour = skinColour(a.value("textcolor", "#FFFFFFFF"));
            if (disabled && a.contains("disabledtextcolor"))
                colour = skinColour(a.value("disabledtextcolor"));
            if (a.value("selected") == "true" && a.contains("selectedtextcolor"))
                colour = skinColour(a.value("selectedtextcolor"));
            p.setPen(colour);
            std::vector<double> pad = SkinDocument::numbers(a.value("textpadding", "0,0,0,0"));
            pad.resize(4, 0);
            const QRectF box = r.adjusted(pad[0], pad[1], -pad[2], -pad[3]);
            Qt::Alignment flags;
            const QString align =
                a.value("align", placed.node->kind == "Button" ? "center" : "left");
            flags |= align == "center"  ? Qt::AlignHCenter
                     : align == "right" ? Qt::AlignRight
                                        : Qt::AlignLeft;
            const QString valign = a.value("valign", "center");
            flags |= valign == "top"      ? Qt::AlignTop
                     : valign == "bottom" ? Qt::AlignBottom
                                          : Qt::AlignVCenter;
            const bool wrap = a.value("wordwrap") == "true" || placed.node->kind == "Text";
            p.drawText(box,
                       static_cast<int>(flags) | (wrap ? static_cast<int>(Qt::TextWordWrap) : 0),
                       text);
        }
    }
    p.end();
    if (!image.save(pngPath)) {
        error = "cannot write " + pngPath;
        return false;
    }
    return true;
}

}  // namespace orv
