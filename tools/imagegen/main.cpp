// Draws every picture of the Resources folder from the palette, or previews a skin.
//   orv_imagegen --palette palette.json --skins skinfolder --out Resources
//   orv_imagegen --preview Skin.xml --resources Resources --png out.png [--scale 2]
#include <QDir>
#include <QElapsedTimer>
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
    return args.contains("--preview") ? preview(args) : generate(args);
}
