#pragma once

#include <QColor>
#include <QJsonObject>
#include <QPointF>
#include <QSizeF>
#include <QString>
#include <QStringList>
#include <vector>

namespace orv {

// One profile colour: its name as used in image file names ("Green" .. "Gray") and its shades.
struct ProfileColour {
    QString name;
    QColor base;   // the colour itself: badges, borders
    QColor deep;   // strong fill behind white text: selected looks, "Deep" backgrounds
    QColor light;  // pale accent for glyphs and marks on dark surfaces
};

// The art palette: every colour and size the images use, read from one JSON file so the look
// can change without touching the drawing code. Missing keys are reported once and fall back
// to magenta / zero so a typo is visible in the pictures instead of crashing the build.
class Palette {
public:
    bool load(const QString& path, QString& error);

    QColor colour(const QString& key) const;
    QSizeF size(const QString& key) const;
    double number(const QString& key) const;
    QString font() const { return fontFamily; }
    double tint() const { return tintAmount; }
    const std::vector<ProfileColour>& profiles() const { return profileColours; }
    // The "controller" object: geometry of the controller drawing and its callouts.
    const QJsonObject& controller() const { return controllerObject; }

    // Mixes `colour` into `base` by `amount` (0 = base, 1 = colour).
    static QColor mix(const QColor& base, const QColor& colour, double amount);
    static QPointF point(const QJsonValue& value);

    // Keys that were asked for but not present in the file.
    const QStringList& missingKeys() const { return missing; }

private:
    QJsonObject colours;
    QJsonObject sizes;
    QJsonObject controllerObject;
    std::vector<ProfileColour> profileColours;
    QString fontFamily;
    double tintAmount = 0.2;
    mutable QStringList missing;
};

}  // namespace orv
