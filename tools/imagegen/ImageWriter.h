#pragma once

#include <QPainter>
#include <QSizeF>
#include <QString>
#include <functional>

namespace orv {

// Writes one picture at 1x ("name.png") and 2x ("name@2x.png") into the output folder.
// The draw function paints in logical pixels; the writer scales the painter for 2x, so every
// picture is drawn once and is sharp at both densities.
class ImageWriter {
public:
    using DrawFunction = std::function<void(QPainter&)>;

    explicit ImageWriter(QString outputFolder) : folder(std::move(outputFolder)) {}

    // Returns false (and remembers the error) when a file cannot be written.
    bool write(const QString& name, QSizeF logicalSize, const DrawFunction& draw);

    int written() const { return count; }
    const QString& lastError() const { return error; }

private:
    QString folder;
    QString error;
    int count = 0;
};

}  // namespace orv
