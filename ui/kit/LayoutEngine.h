// Places the controls of a tree (float/pos and box layouts). Internal.
#pragma once

#include <vector>

#include "ui/kit/Types.h"

namespace orv::kit {

class Control;

class LayoutEngine {
public:
    // Lays out root and its subtree inside rect; appends every control whose rectangle
    // changed, with its old rectangle, to changed.
    struct Change {
        Control* control;
        Rect before;
    };
    static void Layout(Control& root, const Rect& rect, std::vector<Change>& changed);

private:
    static void Place(Control& c, const Rect& rect, std::vector<Change>& changed);
    static void LayoutChildren(Control& c, std::vector<Change>& changed);
};

}  // namespace orv::kit
