#include "Palette.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>

namespace orv {

namespace {

QColor parseColour(const QString& text) {
    // Colours are written #AARRGGBB like the skins; QColor reads that order too.
    QColor c(text);
    return c.isValid() ? c : QColor(255, 0, 255);
}

}  // namespace

bool Palette::load(const QString& path, QString& error) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        error = QStringLiteral("cannot open %1: %2").arg(path, file.errorString());
        return false;
    }
    QJsonParseError parseError{};
    const QJsonDocument doc = QJsonDocument::fromJson(file.readAll(), &parseError);
    if (doc.isNull() || !doc.isObject()) {
        error = QStringLiteral("%1: %2 at offset %3")
                    .arg(path, parseError.errorString())
                    .arg(parseError.offset);
        return false;
    }
    const QJsonObject root = doc.object();
    colours = root.value("colors").toObject();
    sizes = root.value("sizes").toObject();
    controllerObject = root.value("controller").toObject();
    fontFamily = root.value("font").toString("Noto Sans CJK JP");
    tintAmount = root.value("tint").toDouble(0.2);
    profileColours.clear();
    for (const QJsonValue& v : root.value("profiles").toArray()) {
        const QJsonObject p = v.toObject();
        profileColours.push_back(
            {p.value("name").toString(), parseColour(p.value("base").toString()),
             parseColour(p.value("deep").toString()), parseColour(p.value("light").toString())});
    }
    if (profileColours.size() != 6) {
        error = QStringLiteral("%1: expected 6 profile colours, found %2")
                    .arg(path)
                    .arg(profileColours.size());
        return false;
    }
    return true;
}

QColor Palette::colour(const QString& key) const {
    if (!colours.contains(key)) {
        missing << "colors." + key;
        return QColor(255, 0, 255);
    }
    return parseColour(colours.value(key).toString());
}

QSizeF Palette::size(const QString& key) const {
    const QJsonArray a = sizes.value(key).toArray();
    if (a.size() != 2) {
        missing << "sizes." + key;
        return {0, 0};
    }
    return {a.at(0).toDouble(), a.at(1).toDouble()};
}

double Palette::number(const QString& key) const {
    if (!sizes.contains(key)) {
        missing << "sizes." + key;
        return 0;
    }
    return sizes.value(key).toDouble();
}

QColor Palette::mix(const QColor& base, const QColor& colour, double amount) {
    const auto blend = [amount](double a, double b) { return a + (b - a) * amount; };
    QColor out;
    out.setRgbF(static_cast<float>(blend(base.redF(), colour.redF())),
                static_cast<float>(blend(base.greenF(), colour.greenF())),
                static_cast<float>(blend(base.blueF(), colour.blueF())),
                static_cast<float>(blend(base.alphaF(), colour.alphaF())));
    return out;
}

QPointF Palette::point(const QJsonValue& value) {
    const QJsonArray a = value.toArray();
    return a.size() == 2 ? QPointF(a.at(0).toDouble(), a.at(1).toDouble()) : QPointF();
}

}  // namespace orv
