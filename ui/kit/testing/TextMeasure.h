// Measures texts the way the toolkit paints them, so tests can tell whether a text fits its
// place: the font, padding, alignment, wrapping and ellipsis of a control, or the font of a
// menu. Rectangles are in window client coordinates, right and bottom exclusive.
#pragma once

#include <optional>
#include <string>

#include "ui/kit/Types.h"

namespace orv::kit {
class Control;
}

namespace orv::kit::testing {

// Where the control's current text lands when painted inside the control's rectangle;
// nullopt when it shows no text (empty, or an Edit, which draws its own).
std::optional<Rect> DrawnTextRect(const Control& control);

// Width and line height of a single line of text in a menu font (family, pixel size).
Size MenuTextSize(const std::string& family, int pixelSize, const std::string& text);

// The family the system really uses for `family` at `pixelSize` (differs when it is missing).
std::string ResolvedFontFamily(const std::string& family, int pixelSize);

}  // namespace orv::kit::testing
