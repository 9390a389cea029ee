#pragma once

#include <QMap>
#include <QRectF>
#include <QString>
#include <vector>

namespace orv {

// One element of a skin file: its class (element name), attributes and children.
struct SkinNode {
    QString kind;
    QMap<QString, QString> attributes;
    std::vector<SkinNode> children;

    QString value(const QString& key, const QString& fallback = {}) const {
        return attributes.value(key, fallback);
    }
};

// A skin file read into a tree, with the placement rules of the skin format applied: floating
// controls at `pos` relative to their parent, layout children stacked with fixed or shared
// sizes. Enough to draw previews and to find where the main window's cells sit.
class SkinDocument {
public:
    bool load(const QString& path, QString& error);

    const SkinNode& window() const { return root; }
    // Class defaults (`Default class=...`) merged under the node's own attributes.
    QMap<QString, QString> effectiveAttributes(const SkinNode& node) const;

    // Window size from `size="w,h"`.
    QSizeF windowSize() const;

    struct Placed {
        const SkinNode* node;
        QRectF rect;  // window coordinates
    };
    // Every control with its rectangle, parents before children (drawing order).
    std::vector<Placed> layout() const;

    static std::vector<double> numbers(const QString& text);

private:
    void place(const SkinNode& node, QRectF rect, std::vector<Placed>& out) const;

    SkinNode root;
    QMap<QString, QMap<QString, QString>> defaults;
};

}  // namespace orv
