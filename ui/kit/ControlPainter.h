// Draws a control tree with QPainter from the controls' attributes. Internal.
#pragma once

#include <QFont>
#include <QPixmap>
#include <QRect>
#include <string>
#include <unordered_map>

class QPainter;

#include "ui/kit/Types.h"

namespace orv::kit {

class Control;
class PaintManager;

// Where and how a control's text is drawn inside the rectangle r: the box within its
// padding, the Qt alignment and wrapping flags and the font. Measuring a text with these
// (QFontMetrics::boundingRect(box, flags, text)) gives exactly what painting shows.
struct TextLayout {
    QRect box;
    int flags = 0;
    QFont font;
    bool endEllipsis = false;  // "endellipsis": a single line too long ends in "…"
};

class ControlPainter {
public:
    ControlPainter(QPainter& painter, PaintManager& manager, qreal devicePixelRatio);

    // Paints the window background and every visible control that meets dirty.
    void PaintWindow(Control* root, const QRect& windowRect, const QRect& dirty);

    // The keyboard focus mark around a control's rectangle (logical coordinates).
    static void PaintFocusMark(QPainter& painter, const Rect& controlRect);

    QFont FontFor(const Control& c) const;
    static QFont FontFor(const PaintManager& manager, const Control& c);
    static TextLayout LayoutText(const PaintManager& manager, const Control& c, const QRect& r);
    // The text as painted in that layout (shortened when it ends in an ellipsis).
    static QString ShownText(const TextLayout& layout, const std::string& text);

private:
    void PaintTree(Control& c, const QRect& dirty);
    void PaintControl(Control& c);
    void DrawImage(const std::string& value, const QRect& target);
    void DrawText(Control& c, const QRect& r);
    std::string StateImage(const Control& c) const;
    std::string StateTextColour(const Control& c) const;

    QPainter& painter_;
    PaintManager& manager_;
    qreal ratio_;
};

// Loaded images by path; missing files are remembered as missing.
QPixmap LoadSkinImage(const std::string& path, qreal devicePixelRatio);
void ClearSkinImageCache();

}  // namespace orv::kit
