#pragma once

#include <QMap>
#include <QRectF>

#include "GlyphPainter.h"
#include "ImageWriter.h"
#include "Palette.h"

namespace orv {

// The main window's background: title band, the controller drawn in the middle and a callout
// line from every cell of the skin to the outline of its button (the captions beside the
// cells are labels of the skin, so they follow the language). Cell rectangles come from the skin so the
// lines always meet the cells; button spots and routing come from the palette.
class ControllerArt {
public:
    ControllerArt(const Palette& palette, ImageWriter& writer)
        : pal(palette), out(writer), glyphs(palette.font()) {}

    bool background(const QMap<QString, QRectF>& cells);

private:
    QMap<QString, QPointF> spots() const;
    void body(QPainter& p) const;
    void buttons(QPainter& p) const;
    double reach(const QString& spot) const;
    void leaders(QPainter& p, const QMap<QString, QRectF>& cells) const;

    const Palette& pal;
    ImageWriter& out;
    GlyphPainter glyphs;
};

}  // namespace orv
