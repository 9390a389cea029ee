#pragma once

#include "GlyphPainter.h"
#include "ImageWriter.h"
#include "Palette.h"

namespace orv {

// The pictures the main window names at run time: button and stick cells in their default,
// selected ("_sel_"), non-default ("_hot_") and empty looks for every profile number, the
// profile tabs and the "FunSetBtnBK_*" backgrounds shared by the mode options and the editors.
class ArtSet {
public:
    ArtSet(const Palette& palette, ImageWriter& writer)
        : pal(palette), out(writer), glyphs(palette.font()) {}

    bool cells();
    bool stickCells();
    bool tabs();
    bool optionBackgrounds();
    bool languageTips();

private:
    enum class Look { Normal, Selected, NonDefault };
    void cellFrame(QPainter& p, QSizeF size, Look look, const ProfileColour* colour,
                   bool dashed) const;
    void glyphCell(QPainter& p, QSizeF size, const QString& part, Look look,
                   const ProfileColour* colour) const;
    void stickCell(QPainter& p, QSizeF size, Look look, const ProfileColour* colour,
                   const QString& letter) const;

    const Palette& pal;
    ImageWriter& out;
    GlyphPainter glyphs;
};

}  // namespace orv
