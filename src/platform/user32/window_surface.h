// Where a window's drawing goes: each top-level window owns an image of its window
// rectangle's size; its child windows draw on that image at their offset, clipped to
// their own area and to their ancestors' client areas.
#pragma once

#include <korvane/win32.h>

#include <cairo.h>

namespace kw::user32 {

struct DrawArea {
  cairo_surface_t* surface = nullptr;  // referenced: the caller destroys it
  HWND top = nullptr;                  // the top-level window that owns the surface
  POINT origin{0, 0};                  // surface pixel of the area's (0,0)
  RECT clip{0, 0, 0, 0};               // surface pixels drawing may touch
};

// The client area of the window (`whole`: the window rectangle); the surface is made, or
// made again at a new size keeping what fits, as needed. False (last error
// ERROR_INVALID_WINDOW_HANDLE) for a window that is not live, or when no surface can be
// had.
bool drawArea(HWND window, bool whole, DrawArea* out);

}  // namespace kw::user32
