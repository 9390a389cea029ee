#include "ImageWriter.h"

#include <QImage>
#include <cmath>

namespace orv {

bool ImageWriter::write(const QString& name, QSizeF logicalSize, const DrawFunction& draw) {
    for (int scale = 1; scale <= 2; ++scale) {
        const int w = static_cast<int>(std::lround(logicalSize.width() * scale));
        const int h = static_cast<int>(std::lround(logicalSize.height() * scale));
        QImage image(w, h, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        {
            QPainter painter(&image);
            painter.setRenderHint(QPainter::Antialiasing);
            painter.setRenderHint(QPainter::TextAntialiasing);
            painter.scale(scale, scale);
            draw(painter);
        }
        const QString file = folder + '/' + name + (scale == 2 ? "@2x.png" : ".png");
        // Quality 60 trades a little file size for speed: the generator runs in every build.
        if (!image.save(file, "PNG", 20)) {
            error = "cannot write " + file;
            return false;
        }
        ++count;
    }
    return true;
}

}  // namespace orv
