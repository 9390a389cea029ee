#include "ui/kit/DisplayScale.h"

#include <algorithm>
#include <cmath>

namespace orv::kit {

namespace {
double g_scale = 1.0;
bool g_fixed = false;
}  // namespace

double DisplayScale() {
    return g_scale;
}

void SetDisplayScale(double factor) {
    g_fixed = factor > 0;
    g_scale = g_fixed ? factor : 1.0;
}

bool DisplayScaleFixed() {
    return g_fixed;
}

double FitScale(Size design, const Rect& available) {
    if (design.cx <= 0 || design.cy <= 0 || available.IsEmpty()) {
        return 1.0;
    }
    const double fit = std::min(static_cast<double>(available.Width()) / design.cx,
                                static_cast<double>(available.Height()) / design.cy);
    // Three decimals: a size rounded up from an exact fit must not come out one pixel too big.
    return std::min(1.0, std::floor(fit * 1000.0) / 1000.0);
}

int ToDevice(int logical) {
    return static_cast<int>(std::lround(logical * g_scale));
}

int ToLogical(int device) {
    return static_cast<int>(std::lround(device / g_scale));
}

Point ToDevice(Point p) {
    return Point{ToDevice(p.x), ToDevice(p.y)};
}

Point ToLogical(Point p) {
    return Point{ToLogical(p.x), ToLogical(p.y)};
}

Rect ToDevice(const Rect& r) {
    return Rect{ToDevice(r.left), ToDevice(r.top), ToDevice(r.right), ToDevice(r.bottom)};
}

}  // namespace orv::kit
