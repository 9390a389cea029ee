// Plain value types shared by every part of the toolkit: geometry in logical pixels, window
// handles and message parameters.
#pragma once

#include <cstdint>

namespace orv::kit {

// Integer handle of a live window. Handles are never reused within a process, so a stale
// handle can never address a newer window; 0 is "no window".
using WindowHandle = std::uintptr_t;
inline constexpr WindowHandle kNoWindow = 0;

// Message parameters. A pointer travels in WParam (see MenuCommand::FromWParam).
using WParam = std::uintptr_t;
using LParam = std::intptr_t;
using LResult = std::intptr_t;

struct Point {
    int x = 0;
    int y = 0;
    friend bool operator==(const Point&, const Point&) = default;
};

struct Size {
    int cx = 0;
    int cy = 0;
    friend bool operator==(const Size&, const Size&) = default;
};

// Edges in logical pixels; right and bottom are exclusive (width = right - left).
struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool IsEmpty() const { return right <= left || bottom <= top; }
    bool Contains(Point p) const {
        return p.x >= left && p.x < right && p.y >= top && p.y < bottom;
    }
    Point Centre() const { return Point{left + Width() / 2, top + Height() / 2}; }
    Rect Offset(int dx, int dy) const { return Rect{left + dx, top + dy, right + dx, bottom + dy}; }
    friend bool operator==(const Rect&, const Rect&) = default;
};

}  // namespace orv::kit
