#pragma once

#include <QColor>
#include <QFont>
#include <QPainter>
#include <QRectF>
#include <QString>

namespace orv {

// Draws the face of a controller function (the "name part" of a cell image: "A", "ZL", "Up",
// "PLUS", "HOME", "LSB", ...) into a square area. `ink` is the symbol colour, `face` the
// colour of the button shape behind it. Unknown parts draw their name as text.
class GlyphPainter {
public:
    explicit GlyphPainter(QString fontFamily) : family(std::move(fontFamily)) {}

    void draw(QPainter& p, const QString& part, const QRectF& area, const QColor& ink,
              const QColor& face) const;

    // Font in pixel size with the given weight.
    QFont font(double pixelSize, QFont::Weight weight = QFont::DemiBold) const;
    // Text centred in `box`.
    void text(QPainter& p, const QRectF& box, const QString& s, double pixelSize, const QColor& ink,
              QFont::Weight weight = QFont::DemiBold) const;

    // Shapes shared with the controller picture.
    void dpad(QPainter& p, QPointF centre, double arm, double width, const QColor& face,
              const QColor& highlight, int highlightArm) const;
    void stick(QPainter& p, QPointF centre, double radius, const QColor& ink, const QColor& face,
               const QString& letter) const;
    void house(QPainter& p, QPointF centre, double size, const QColor& ink) const;

private:
    void shoulder(QPainter& p, const QRectF& area, const QString& label, bool trigger,
                  const QColor& ink, const QColor& face) const;
    void pill(QPainter& p, const QRectF& area, const QString& label, const QColor& ink,
              const QColor& face) const;

    QString family;
};

}  // namespace orv
