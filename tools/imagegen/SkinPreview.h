#pragma once

#include <QImage>
#include <QString>

#include "SkinDocument.h"

namespace orv {

// Draws a skin the way the toolkit lays it out, from the generated pictures, so the look can
// be checked without running the program. Controls show their skin state (normal image, or
// selected image for selected options); texts use the skin's fonts.
class SkinPreview {
public:
    explicit SkinPreview(QString resourceFolder) : folder(std::move(resourceFolder)) {}

    bool render(const QString& skinPath, const QString& pngPath, int scale, QString& error) const;

private:
    QImage picture(const QString& value, int scale, QRectF* corners) const;
    void drawImage(QPainter& p, const QString& value, const QRectF& target, int scale) const;

    QString folder;
};

}  // namespace orv
