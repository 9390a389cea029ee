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

class ControlPainter {
public:
    ControlPainter(QPainter& painter, PaintManager& manager, qreal devicePixelRatio);

    // Paints the window background and every visible control that meets dirty.
    void PaintWindow(Control* root, const QRect& windowRect, const QRect& dirty);

    // The keyboard focus mark around a control's rectangle (logical coordinates).
    static void PaintFocusMark(QPainter& painter, const Rect& controlRect);

    QFont FontFor(const Control& c) const;
    static QFont FontFor(const PaintManager& manager, const Control& c);

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
