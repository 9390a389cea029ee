#include "SkinDocument.h"

#include <QFile>
#include <QXmlStreamReader>

namespace orv {

std::vector<double> SkinDocument::numbers(const QString& text) {
    std::vector<double> out;
    for (const QString& part : text.split(',', Qt::SkipEmptyParts))
        out.push_back(part.trimmed().toDouble());
    return out;
}

bool SkinDocument::load(const QString& path, QString& error) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        error = QStringLiteral("cannot open %1: %2").arg(path, file.errorString());
        return false;
    }
    QXmlStreamReader xml(&file);
    std::vector<SkinNode*> stack;
    root = SkinNode{};
    defaults.clear();
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement()) {
            SkinNode node;
            node.kind = xml.name().toString();
            for (const QXmlStreamAttribute& a : xml.attributes())
                node.attributes.insert(a.name().toString(), a.value().toString());
            if (stack.empty()) {
                root = node;
                stack.push_back(&root);
            } else {
                stack.back()->children.push_back(node);
                stack.push_back(&stack.back()->children.back());
            }
        } else if (xml.isEndElement()) {
            stack.pop_back();
        }
    }
    if (xml.hasError()) {
        error = QStringLiteral("%1:%2: %3").arg(path).arg(xml.lineNumber()).arg(xml.errorString());
        return false;
    }
    for (const SkinNode& child : root.children)
        if (child.kind == "Default")
            defaults.insert(child.value("class"), child.attributes);
    return true;
}

QMap<QString, QString> SkinDocument::effectiveAttributes(const SkinNode& node) const {
    QMap<QString, QString> merged = defaults.value(node.kind);
    merged.remove("class");
    for (auto it = node.attributes.cbegin(); it != node.attributes.cend(); ++it)
        merged.insert(it.key(), it.value());
    return merged;
}

QSizeF SkinDocument::windowSize() const {
    const std::vector<double> s = numbers(root.value("size"));
    return s.size() == 2 ? QSizeF(s[0], s[1]) : QSizeF();
}

std::vector<SkinDocument::Placed> SkinDocument::layout() const {
    std::vector<Placed> out;
    const QRectF whole(QPointF(0, 0), windowSize());
    for (const SkinNode& child : root.children)
        if (child.kind != "Font" && child.kind != "Default")
            place(child, whole, out);
    return out;
}

void SkinDocument::place(const SkinNode& node, QRectF rect, std::vector<Placed>& out) const {
    out.push_back({&node, rect});
    const QMap<QString, QString> attrs = effectiveAttributes(node);
    std::vector<double> inset = numbers(attrs.value("inset", "0,0,0,0"));
    inset.resize(4, 0);
    const QRectF inner = rect.adjusted(inset[0], inset[1], -inset[2], -inset[3]);
    const double padding = attrs.value("childpadding", "0").toDouble();
    const bool horizontal = node.kind == "HorizontalLayout";
    const bool vertical = node.kind == "VerticalLayout";

    // Stacked children: fixed sizes first, then the rest shared equally.
    std::vector<const SkinNode*> stacked;
    double fixed = 0;
    int flexible = 0;
    for (const SkinNode& child : node.children) {
        const QMap<QString, QString> a = effectiveAttributes(child);
        if (a.value("float") == "true" || a.value("visible") == "false")
            continue;
        stacked.push_back(&child);
        const QString key = horizontal ? "width" : "height";
        if (a.contains(key))
            fixed += a.value(key).toDouble();
        else
            ++flexible;
    }
    const double along = horizontal ? inner.width() : inner.height();
    const double gaps = stacked.empty() ? 0 : padding * static_cast<double>(stacked.size() - 1);
    const double share = flexible > 0 ? std::max(0.0, (along - fixed - gaps) / flexible) : 0;
    double cursor = horizontal ? inner.left() : inner.top();

    for (const SkinNode& child : node.children) {
        const QMap<QString, QString> a = effectiveAttributes(child);
        if (a.value("visible") == "false")
            continue;
        if (a.value("float") == "true") {
            std::vector<double> pos = numbers(a.value("pos", "0,0,0,0"));
            pos.resize(4, 0);
            double w = pos[2] - pos[0];
            double h = pos[3] - pos[1];
            if (pos[2] == 0 && pos[3] == 0) {
                w = a.value("width", "0").toDouble();
                h = a.value("height", "0").toDouble();
            }
            place(child, QRectF(rect.left() + pos[0], rect.top() + pos[1], w, h), out);
            continue;
        }
        if (horizontal || vertical) {
            const QString key = horizontal ? "width" : "height";
            const double size = a.contains(key) ? a.value(key).toDouble() : share;
            QRectF r = horizontal ? QRectF(cursor, inner.top(), size, inner.height())
                                  : QRectF(inner.left(), cursor, inner.width(), size);
            // A fixed cross size is honoured too (e.g. a 19-high label in a 27-high row).
            const QString cross = horizontal ? "height" : "width";
            if (a.contains(cross)) {
                if (horizontal)
                    r.setHeight(a.value(cross).toDouble());
                else
                    r.setWidth(a.value(cross).toDouble());
            }
            place(child, r, out);
            cursor += size + padding;
        } else {
            place(child, inner, out);
        }
    }
}

}  // namespace orv
