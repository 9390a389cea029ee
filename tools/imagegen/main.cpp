// Draws every picture of the Resources folder from the palette, or previews a skin.
//   orv_imagegen --palette palette.json --skins skinfolder --out Resources
//   orv_imagegen --preview Skin.xml --resources Resources --png out.png [--scale 2]
//   orv_imagegen --palette palette.json --app-icons hicolor
//     (the desktop icon: hicolor/NxN/apps/orvtool.png for each size, scalable/apps/orvtool.svg)
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QGuiApplication>
#include <QStringList>
#include <cstdio>

#include "ArtSet.h"
#include "ControllerArt.h"
#include "DirectionArt.h"
#include "ImageWriter.h"
#include "Palette.h"
#include "SkinDocument.h"
#include "SkinPreview.h"
#include "WidgetArt.h"

namespace {

QString option(const QStringList& args, const QString& name, const QString& fallback = {}) {
    const qsizetype i = args.indexOf(name);
    return i >= 0 && i + 1 < args.size() ? args.at(i + 1) : fallback;
}

int fail(const QString& message) {
    std::fprintf(stderr, "orv_imagegen: %s\n", qPrintable(message));
    return 1;
}

int preview(const QStringList& args) {
    const orv::SkinPreview renderer(option(args, "--resources", "."));
    QString error;
    if (!renderer.render(option(args, "--preview"), option(args, "--png", "preview.png"),
                         option(args, "--scale", "1").toInt(), error))
        return fail(error);
    return 0;
}

int appIcons(const QStringList& args) {
    orv::Palette palette;
    QString error;
    if (!palette.load(option(args, "--palette"), error))
        return fail(error);
    const QString root = option(args, "--app-icons");
    orv::ImageWriter unused(root);
    const orv::WidgetArt widgets(palette, unused);
    for (const int size : {16, 24, 32, 48, 64, 128, 256}) {
        const QString folder = QString("%1/%2x%2/apps").arg(root).arg(size);
        QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        {
            QPainter p(&image);
            p.setRenderHint(QPainter::Antialiasing);
            widgets.appIcon(p, size);
        }
        if (!QDir().mkpath(folder) || !image.save(folder + "/orvtool.png"))
            return fail("cannot write " + folder + "/orvtool.png");
    }
    const QString scalable = root + "/scalable/apps";
    QFile svg(scalable + "/orvtool.svg");
    if (!QDir().mkpath(scalable) || !svg.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        svg.write(widgets.appIconSvg().toUtf8()) < 0)
        return fail("cannot write " + svg.fileName());
    return 0;
}

int generate(const QStringList& args) {
    QElapsedTimer timer;
    timer.start();
    orv::Palette palette;
    QString error;
    if (!palette.load(option(args, "--palette"), error))
        return fail(error);
    const QString out = option(args, "--out");
    if (out.isEmpty() || !QDir().mkpath(out))
        return fail("cannot create output folder '" + out + "'");

    orv::SkinDocument mainSkin;
    if (!mainSkin.load(option(args, "--skins") + "/MainWindow.xml", error))
        return fail(error);
    QMap<QString, QRectF> cells;
    for (const orv::SkinDocument::Placed& placed : mainSkin.layout())
        if (placed.node->attributes.contains("name"))
            cells.insert(placed.node->value("name"), placed.rect);

    orv::ImageWriter writer(out);
    orv::ArtSet art(palette, writer);
    orv::WidgetArt widgets(palette, writer);
    orv::DirectionArt directions(palette, writer);
    orv::ControllerArt controller(palette, writer);
    const bool ok = art.cells() && art.stickCells() && art.tabs() && art.optionBackgrounds() &&
                    art.languageTips() && widgets.buttons() && widgets.controls() &&
                    widgets.icons() && widgets.stickTest() && directions.all() &&
                    controller.background(cells);
    if (!ok)
        return fail(writer.lastError());
    if (!palette.missingKeys().isEmpty())
        return fail("palette keys missing: " + palette.missingKeys().join(", "));
    std::printf("orv_imagegen: %d images in %lld ms\n", writer.written(),
                static_cast<long long>(timer.elapsed()));
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    // Drawing needs a GUI application for fonts; the offscreen platform needs no display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.contains("--app-icons"))
        return appIcons(args);
    return args.contains("--preview") ? preview(args) : generate(args);
}
