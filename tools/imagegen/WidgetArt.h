#pragma once

#include "GlyphPainter.h"
#include "ImageWriter.h"
#include "Palette.h"

namespace orv {

// Pictures the skins name: window and dialog buttons in their normal, hot and pushed looks,
// steppers, switches, edit and panel backgrounds, dialog icons, the stick test field and its
// indicators, the loading picture and the application icon.
class WidgetArt {
public:
    WidgetArt(const Palette& palette, ImageWriter& writer)
        : pal(palette), out(writer), glyphs(palette.font()) {}

    bool buttons();
    bool controls();
    bool icons();
    bool stickTest();
    // The application icon, drawn into a w x w square (the same drawing at every size).
    void appIcon(QPainter& p, double w) const;
    // The same icon as SVG text, for the scalable icon of the desktop.
    QString appIconSvg() const;

private:
    enum class Tone { Neutral, Primary, Ghost, Danger };
    bool threeStates(const QString& stem, QSizeF size, Tone tone, double radius,
                     const std::function<void(QPainter&, const QColor&)>& symbol);
    void roundedBox(QPainter& p, QSizeF size, const QColor& fill, const QColor& edge,
                    double radius) const;

    const Palette& pal;
    ImageWriter& out;
    GlyphPainter glyphs;
};

}  // namespace orv
