#pragma once

#include "GlyphPainter.h"
#include "ImageWriter.h"
#include "Palette.h"

namespace orv {

// Small diagrams for the directions pop-ups: press timelines for the button settings and stick
// pictures for mode, rotation, sensitivity and dead zone. They carry no words, so both
// languages share them.
class DirectionArt {
public:
    DirectionArt(const Palette& palette, ImageWriter& writer)
        : pal(palette), out(writer), glyphs(palette.font()) {}

    bool all();

private:
    // One timeline row: a track with filled spans (start, end as fractions of the width).
    void track(QPainter& p, double y, const std::vector<std::pair<double, double>>& spans,
               const QColor& colour, const QString& glyph) const;
    void marker(QPainter& p, double x) const;

    const Palette& pal;
    ImageWriter& out;
    GlyphPainter glyphs;
};

}  // namespace orv
