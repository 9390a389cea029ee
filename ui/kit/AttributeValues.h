// Parsing of attribute value strings (booleans, numbers, rectangles, colours, image values).
// Internal to the toolkit.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "ui/kit/Types.h"

namespace orv::kit::attr {

// "true"/"false" (also "1"/"0"); fallback for anything else.
bool ToBool(std::string_view value, bool fallback);
std::optional<int> ToInt(std::string_view value);
// "l,t,r,b"; a single "n" gives n on all four sides when allowSingle.
std::optional<Rect> ToRect(std::string_view value, bool allowSingle = false);
std::optional<Size> ToSize(std::string_view value);
// "#AARRGGBB", "#RRGGBB" (opaque) or "0xAARRGGBB"; as 0xAARRGGBB.
std::optional<std::uint32_t> ToColour(std::string_view value);
std::string FromRect(const Rect& r);

struct ImageSource {
    std::string path;  // absolute or relative to the current folder; "" = no image
    std::optional<Rect> source;
    std::optional<Rect> corner;
};
// A bare name resolves against resourceFolder, file='…' against instanceFolder.
ImageSource ToImage(std::string_view value, const std::string& resourceFolder,
                    const std::string& instanceFolder);

}  // namespace orv::kit::attr
