#include "ui/kit/LayoutEngine.h"

#include <algorithm>

#include "ui/kit/AttributeValues.h"
#include "ui/kit/Control.h"

namespace orv::kit {

namespace {

int IntAttr(const Control& c, const char* name) {
    return std::max(0, attr::ToInt(c.GetAttribute(name)).value_or(0));
}

}  // namespace

void LayoutEngine::Layout(Control& root, const Rect& rect, std::vector<Change>& changed) {
    Place(root, rect, changed);
}

void LayoutEngine::Place(Control& c, const Rect& rect, std::vector<Change>& changed) {
    if (!(c.pos_ == rect)) {
        changed.push_back(Change{&c, c.pos_});
        c.pos_ = rect;
    }
    LayoutChildren(c, changed);
}

void LayoutEngine::LayoutChildren(Control& c, std::vector<Change>& changed) {
    const Rect outer = c.pos_;
    const Rect insetValues = attr::ToRect(c.GetAttribute("inset")).value_or(Rect{});
    const Rect inner{outer.left + insetValues.left, outer.top + insetValues.top,
                     std::max(outer.left + insetValues.left, outer.right - insetValues.right),
                     std::max(outer.top + insetValues.top, outer.bottom - insetValues.bottom)};
    const int padding = IntAttr(c, "childpadding");
    const bool horizontal = c.GetClass() == "HorizontalLayout";
    const bool vertical = c.GetClass() == "VerticalLayout";

    // Floating children first: they do not take part in stacking.
    std::vector<Control*> stacked;
    for (auto& childPtr : c.children_) {
        Control& child = *childPtr;
        if (!child.IsFloat()) {
            if (child.IsVisible()) {
                stacked.push_back(&child);
            }
            continue;
        }
        const Rect pos = attr::ToRect(child.GetAttribute("pos")).value_or(Rect{});
        int w = pos.right - pos.left;
        int h = pos.bottom - pos.top;
        if (pos.right == 0 && pos.bottom == 0) {
            // "x,y,0,0" moves without resizing.
            w = child.HasAttribute("width") ? IntAttr(child, "width") : child.pos_.Width();
            h = child.HasAttribute("height") ? IntAttr(child, "height") : child.pos_.Height();
        }
        const Rect r{outer.left + pos.left, outer.top + pos.top,
                     outer.left + pos.left + std::max(0, w), outer.top + pos.top + std::max(0, h)};
        Place(child, r, changed);
    }

    if (!horizontal && !vertical) {
        // A plain container: each child fills the inner area unless it fixes a size.
        for (Control* child : stacked) {
            const int w = child->HasAttribute("width") ? IntAttr(*child, "width") : inner.Width();
            const int h =
                child->HasAttribute("height") ? IntAttr(*child, "height") : inner.Height();
            Place(*child, Rect{inner.left, inner.top, inner.left + w, inner.top + h}, changed);
        }
        return;
    }

    const char* mainAttr = horizontal ? "width" : "height";
    const char* crossAttr = horizontal ? "height" : "width";
    const int available = horizontal ? inner.Width() : inner.Height();
    int fixedTotal = 0;
    int flexible = 0;
    for (Control* child : stacked) {
        const int fixed = IntAttr(*child, mainAttr);
        if (fixed > 0) {
            fixedTotal += fixed;
        } else {
            ++flexible;
        }
    }
    const int gaps = stacked.empty() ? 0 : padding * static_cast<int>(stacked.size() - 1);
    const int rest = std::max(0, available - fixedTotal - gaps);
    const int share = flexible > 0 ? rest / flexible : 0;
    int remainder = flexible > 0 ? rest - share * flexible : 0;

    int cursor = horizontal ? inner.left : inner.top;
    for (Control* child : stacked) {
        int extent = IntAttr(*child, mainAttr);
        if (extent <= 0) {
            extent = share;
            // The last pixels go to the last flexible children so the row is filled exactly.
            if (remainder > 0 && --flexible < remainder) {
                ++extent;
                --remainder;
            }
        }
        const int crossFixed = IntAttr(*child, crossAttr);
        Rect r;
        if (horizontal) {
            const int h = crossFixed > 0 ? crossFixed : inner.Height();
            r = Rect{cursor, inner.top, cursor + extent, inner.top + h};
        } else {
            const int w = crossFixed > 0 ? crossFixed : inner.Width();
            r = Rect{inner.left, cursor, inner.left + w, cursor + extent};
        }
        Place(*child, r, changed);
        cursor += extent + padding;
    }
}

}  // namespace orv::kit
