#include "ui/kit/testing/TextMeasure.h"

#include <QFontInfo>
#include <QFontMetrics>

#include "ui/kit/Control.h"
#include "ui/kit/ControlPainter.h"
#include "ui/kit/PaintManager.h"

namespace orv::kit::testing {

namespace {

QRect toQRect(const Rect& r) {
    return QRect(QPoint(r.left, r.top), QPoint(r.right - 1, r.bottom - 1));
}

}  // namespace

std::optional<Rect> DrawnTextRect(const Control& control) {
    const std::string text = control.GetText();
    if (text.empty() || control.GetClass() == "Edit" || control.GetManager() == nullptr) {
        return std::nullopt;
    }
    const TextLayout layout =
        ControlPainter::LayoutText(*control.GetManager(), control, toQRect(control.GetPos()));
    const QRect drawn = QFontMetrics(layout.font).boundingRect(
        layout.box, layout.flags, ControlPainter::ShownText(layout, text));
    return Rect{drawn.left(), drawn.top(), drawn.right() + 1, drawn.bottom() + 1};
}

Size MenuTextSize(const std::string& family, int pixelSize, const std::string& text) {
    QFont font(QString::fromStdString(family));
    font.setPixelSize(pixelSize);
    const QFontMetrics metrics(font);
    return Size{metrics.horizontalAdvance(QString::fromStdString(text)), metrics.height()};
}

std::string ResolvedFontFamily(const std::string& family, int pixelSize) {
    QFont font(QString::fromStdString(family));
    font.setPixelSize(pixelSize);
    return QFontInfo(font).family().toStdString();
}

}  // namespace orv::kit::testing
