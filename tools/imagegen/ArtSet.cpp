#include "ArtSet.h"

#include <QPainterPath>
#include <utility>
#include <vector>

namespace orv {

namespace {

// Cell file name stem of each function in the default look, with the name part the selected
// and non-default looks use. The stems keep the program's historical spellings.
const std::vector<std::pair<QString, QString>>& defaultCells() {
    static const std::vector<std::pair<QString, QString>> list = {
        {"default_up", "Up"},       {"default_dowm", "Down"},   {"default_left", "Left"},
        {"default_right", "Right"}, {"default_y", "Y"},         {"default_b", "B"},
        {"default_a", "A"},         {"default_x", "X"},         {"default_L", "L"},
        {"default_LB", "LB"},       {"default_r", "R"},         {"default_RB", "RB"},
        {"default_zl", "ZL"},       {"default_LT", "LT"},       {"default_zr", "ZR"},
        {"default_RT", "RT"},       {"default_minus", "Minus"}, {"default_BACK", "BACK"},
        {"default_plus", "PLUS"},   {"default_START", "START"}, {"default_lsb", "LSB"},
        {"default_rsb", "RSB"},     {"default_home", "HOME"},   {"default_cap", "Cap"}};
    return list;
}

}  // namespace

void ArtSet::cellFrame(QPainter& p, QSizeF size, Look look, const ProfileColour* colour,
                       bool dashed) const {
    const double radius = pal.number("cellRadius");
    const QRectF r(0.75, 0.75, size.width() - 1.5, size.height() - 1.5);
    QColor fill = pal.colour("surface2");
    QColor edge = pal.colour("border");
    double edgeWidth = 1.0;
    if (look == Look::Selected && colour) {
        fill = colour->deep;
        edge = colour->base;
        edgeWidth = 1.5;
    } else if (look == Look::NonDefault && colour) {
        fill = Palette::mix(pal.colour("surface2"), colour->base, pal.tint());
        edge = colour->base;
        edgeWidth = 1.5;
    }
    QPen pen(edge, edgeWidth);
    if (dashed && look == Look::Normal)
        pen.setStyle(Qt::DashLine);
    p.setPen(pen);
    p.setBrush(dashed && look == Look::Normal ? pal.colour("surface") : fill);
    p.drawRoundedRect(r, radius, radius);
}

void ArtSet::glyphCell(QPainter& p, QSizeF size, const QString& part, Look look,
                       const ProfileColour* colour) const {
    cellFrame(p, size, look, colour, false);
    QColor ink = pal.colour("text");
    QColor face = pal.colour("glyphFace");
    if (look == Look::Selected && colour) {
        ink = QColor(255, 255, 255);
        face = Palette::mix(colour->deep, QColor(0, 0, 0), 0.28);
    } else if (look == Look::NonDefault && colour) {
        ink = colour->light;
        face = Palette::mix(pal.colour("glyphFace"), colour->base, 0.18);
    }
    const double h = size.height() - 8;
    glyphs.draw(p, part, QRectF((size.width() - h) / 2, 4, h, h), ink, face);
}

bool ArtSet::cells() {
    const QSizeF size = pal.size("cell");
    for (const auto& [stem, part] : defaultCells()) {
        const QString glyph = part;
        if (!out.write(stem, size,
                       [&](QPainter& p) { glyphCell(p, size, glyph, Look::Normal, nullptr); }))
            return false;
    }
    if (!out.write("default_empty", size,
                   [&](QPainter& p) { cellFrame(p, size, Look::Normal, nullptr, true); }))
        return false;
    const auto& profiles = pal.profiles();
    for (size_t i = 0; i < profiles.size(); ++i) {
        const ProfileColour* colour = &profiles[i];
        const QString prefix = QStringLiteral("profile%1").arg(i + 1);
        for (const auto& [stem, part] : defaultCells()) {
            const QString glyph = part;
            if (!out.write(prefix + "_sel_" + part, size,
                           [&](QPainter& p) { glyphCell(p, size, glyph, Look::Selected, colour); }))
                return false;
            if (!out.write(prefix + "_hot_" + part, size, [&](QPainter& p) {
                    glyphCell(p, size, glyph, Look::NonDefault, colour);
                }))
                return false;
        }
        if (!out.write(prefix + "_empty_sel", size,
                       [&](QPainter& p) { cellFrame(p, size, Look::Selected, colour, true); }))
            return false;
        if (!out.write(prefix + "_empty_hot", size,
                       [&](QPainter& p) { cellFrame(p, size, Look::NonDefault, colour, true); }))
            return false;
    }
    return true;
}

void ArtSet::stickCell(QPainter& p, QSizeF size, Look look, const ProfileColour* colour,
                       const QString& letter) const {
    cellFrame(p, size, look, colour, false);
    QColor ink = pal.colour("textDim");
    QColor face = pal.colour("glyphFace");
    if (look == Look::Selected && colour) {
        ink = QColor(255, 255, 255);
        face = Palette::mix(colour->deep, QColor(0, 0, 0), 0.28);
    } else if (look == Look::NonDefault && colour) {
        ink = colour->light;
        face = Palette::mix(pal.colour("glyphFace"), colour->base, 0.18);
    }
    const double r = (size.height() - 12) / 2;
    // The stick sits at the left; the mode text of the cell is drawn by the window to its right.
    glyphs.stick(p, QPointF(8 + r, size.height() / 2), r, ink, face, QString());
    if (!letter.isEmpty()) {
        const QRectF textBox(2 * r + 12, 0, size.width() - 2 * r - 20, size.height());
        p.setFont(glyphs.font(size.height() * 0.36, QFont::Bold));
        p.setPen(pal.colour("text"));
        p.drawText(textBox, Qt::AlignCenter, letter + QStringLiteral("  STICK"));
    }
}

bool ArtSet::stickCells() {
    const QSizeF size = pal.size("stickCell");
    if (!out.write("StickSetBtn_Nor", size,
                   [&](QPainter& p) { stickCell(p, size, Look::Normal, nullptr, {}); }) ||
        !out.write("StickSetBtn_Empyt", size,
                   [&](QPainter& p) { stickCell(p, size, Look::Normal, nullptr, {}); }) ||
        !out.write("L-StickSetBtn_Nor", size,
                   [&](QPainter& p) { stickCell(p, size, Look::Normal, nullptr, "L"); }) ||
        !out.write("R-StickSetBtn_Nor", size,
                   [&](QPainter& p) { stickCell(p, size, Look::Normal, nullptr, "R"); }))
        return false;
    const auto& profiles = pal.profiles();
    for (size_t i = 0; i < profiles.size(); ++i) {
        const ProfileColour* colour = &profiles[i];
        const QString prefix = QStringLiteral("profile%1").arg(i + 1);
        if (!out.write(prefix + "_Stick_sel", size,
                       [&](QPainter& p) { stickCell(p, size, Look::Selected, colour, {}); }) ||
            !out.write(prefix + "_Stick_hot", size,
                       [&](QPainter& p) { stickCell(p, size, Look::NonDefault, colour, {}); }))
            return false;
    }
    return true;
}

bool ArtSet::tabs() {
    const QSizeF size = pal.size("tab");
    const double radius = pal.number("tabRadius");
    enum class TabLook { Normal, Chosen, Customised, Disabled };
    const auto draw = [&](QPainter& p, int number, const ProfileColour& c, TabLook look) {
        if (look == TabLook::Disabled)
            p.setOpacity(0.4);
        const QRectF r(0.75, 0.75, size.width() - 1.5, size.height() - 1.5);
        QColor fill = pal.colour("surface2");
        QColor edge = pal.colour("border");
        if (look == TabLook::Chosen) {
            fill = c.deep;
            edge = c.base;
        } else if (look == TabLook::Customised) {
            fill = Palette::mix(pal.colour("surface2"), c.base, pal.tint());
            edge = c.base;
        }
        p.setPen(QPen(edge, look == TabLook::Normal || look == TabLook::Disabled ? 1.0 : 1.5));
        p.setBrush(fill);
        p.drawRoundedRect(r, radius, radius);
        // Colour strip along the top edge: the profile's colour is visible in every state.
        QPainterPath clip;
        clip.addRoundedRect(r, radius, radius);
        p.save();
        p.setClipPath(clip);
        p.fillRect(QRectF(0, 0, size.width(), 4), look == TabLook::Chosen ? c.light : c.base);
        p.restore();
        const double badge = size.height() * 0.3;
        const QPointF centre(16 + badge, size.height() / 2 + 1.5);
        p.setPen(Qt::NoPen);
        p.setBrush(look == TabLook::Chosen ? QColor(255, 255, 255) : c.base);
        p.drawEllipse(centre, badge, badge);
        glyphs.text(p, QRectF(centre.x() - badge, centre.y() - badge, 2 * badge, 2 * badge),
                    QString::number(number), badge * 1.25,
                    look == TabLook::Chosen ? c.deep : pal.colour("window"), QFont::Bold);
        // Six small dots show the slot's place among the six.
        const double dot = 3;
        const double startX = size.width() - 16 - 6 * (2 * dot + 4) + 4;
        for (int i = 0; i < 6; ++i) {
            QColor d = look == TabLook::Chosen ? QColor(255, 255, 255) : pal.colour("textFaint");
            if (i + 1 == number)
                d = look == TabLook::Chosen ? QColor(255, 255, 255) : c.base;
            else
                d.setAlphaF(look == TabLook::Chosen ? 0.35f : 0.6f);
            p.setBrush(d);
            p.drawEllipse(QPointF(startX + i * (2 * dot + 4) + dot, size.height() / 2 + 1.5), dot,
                          dot);
        }
        if (look == TabLook::Customised) {
            // Mark for "differs from the factory settings".
            p.setBrush(c.light);
            p.drawEllipse(QPointF(size.width() - 10, 11), 3.5, 3.5);
        }
    };
    const auto& profiles = pal.profiles();
    for (size_t i = 0; i < profiles.size(); ++i) {
        const int n = static_cast<int>(i) + 1;
        const ProfileColour& c = profiles[i];
        if (!out.write(QStringLiteral("ProFile%1_nor").arg(n), size,
                       [&](QPainter& p) { draw(p, n, c, TabLook::Normal); }) ||
            !out.write(QStringLiteral("ProFile%1_sel").arg(n), size,
                       [&](QPainter& p) { draw(p, n, c, TabLook::Chosen); }) ||
            !out.write(QStringLiteral("ProfileIndex%1_LightColor").arg(n), size,
                       [&](QPainter& p) { draw(p, n, c, TabLook::Customised); }) ||
            !out.write(QStringLiteral("ProFile%1_dis").arg(n), size,
                       [&](QPainter& p) { draw(p, n, c, TabLook::Disabled); }))
            return false;
    }
    return true;
}

bool ArtSet::optionBackgrounds() {
    const QSizeF size = pal.size("optionButton");
    const double radius = pal.number("buttonRadius");
    const auto draw = [&](QPainter& p, const QColor& fill, const QColor& edge, double width) {
        p.setPen(QPen(edge, width));
        p.setBrush(fill);
        p.drawRoundedRect(QRectF(0.75, 0.75, size.width() - 1.5, size.height() - 1.5), radius,
                          radius);
    };
    if (!out.write("FunSetBtnBK_Blank", size, [&](QPainter& p) {
            draw(p, pal.colour("surface2"), pal.colour("border"), 1.0);
        }))
        return false;
    for (const ProfileColour& c : pal.profiles()) {
        if (!out.write("FunSetBtnBK_Deep" + c.name, size,
                       [&](QPainter& p) { draw(p, c.deep, c.base, 1.5); }) ||
            !out.write("FunSetBtnBK_Light" + c.name, size, [&](QPainter& p) {
                draw(p, Palette::mix(pal.colour("surface2"), c.base, pal.tint()), c.base, 1.5);
            }))
            return false;
    }
    return true;
}

bool ArtSet::languageTips() {
    const QSizeF en = pal.size("languageTipEnglish");
    const QSizeF ja = pal.size("languageTipJapanese");
    const auto globe = [&](QPainter& p, QPointF c, double r) {
        p.setPen(QPen(pal.colour("textDim"), 1.1));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(c, r, r);
        p.drawEllipse(c, r * 0.45, r);
        p.drawLine(QPointF(c.x() - r, c.y()), QPointF(c.x() + r, c.y()));
    };
    return out.write("LanguageTip_english", en, [&](QPainter& p) {
        globe(p, QPointF(8, en.height() / 2), 6.5);
        p.setFont(glyphs.font(12, QFont::Medium));
        p.setPen(pal.colour("textDim"));
        p.drawText(QRectF(19, 0, en.width() - 19, en.height()), Qt::AlignVCenter | Qt::AlignLeft,
                   "Language");
    }) && out.write("LanguageTip_japanese", ja, [&](QPainter& p) {
        // The same globe as in English; the narrower picture takes a slightly smaller one.
        globe(p, QPointF(6, ja.height() / 2), 5.5);
        p.setFont(glyphs.font(11, QFont::Medium));
        p.setPen(pal.colour("textDim"));
        p.drawText(QRectF(13, 0, ja.width() - 13, ja.height()), Qt::AlignVCenter | Qt::AlignLeft,
                   QString::fromUtf8("言語"));
    });
}

}  // namespace orv
