// One uniform factor between logical pixels and the desktop's pixels.
//
// Every coordinate the windows see is logical: skin positions, window rectangles
// (WindowImplBase::GetWindowRect / MoveWindow), menu points, cursor positions. On the desktop a
// logical point p lies at p * DisplayScale() (screen origin 0,0), and every window and menu is
// drawn that much smaller, so a window that was designed for 1700 x 900 keeps its layout and its
// offsets to other windows on a smaller screen.
//
// The factor is fixed once per process: by SetDisplayScale, or automatically when the first
// window without a parent is created on a real display (the main window): the largest factor
// <= 1 at which that window's design size fits the available area of its screen. Headless
// platforms (offscreen, minimal) keep 1 unless it is set. UI thread only.
#pragma once

#include "ui/kit/Types.h"

namespace orv::kit {

double DisplayScale();
// factor > 0 fixes the factor; 0 returns to automatic (1 until the first top-level window).
void SetDisplayScale(double factor);
bool DisplayScaleFixed();

// The largest factor <= 1 at which `design` fits into `available` (both in desktop pixels).
double FitScale(Size design, const Rect& available);

// Logical <-> desktop pixels under the current factor. Edges are mapped one by one, so
// adjacent rectangles stay adjacent.
int ToDevice(int logical);
int ToLogical(int device);
Point ToDevice(Point logical);
Point ToLogical(Point device);
Rect ToDevice(const Rect& logical);

}  // namespace orv::kit
