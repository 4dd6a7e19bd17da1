// DCs over surfaces that others own, for the window manager's window DCs.
#pragma once

#include "internal.h"

#include <cairo.h>

namespace kw::gdi {

// A DC that draws onto a surface someone else owns (a window's), with its device
// coordinate (0,0) at `origin` of the surface and drawing clipped to `clip` (surface
// pixels, null: the whole surface). Deleted with DeleteDC; the surface outlives it.
HDC createSurfaceDC(cairo_surface_t* surface, POINT origin, const RECT* clip);

// The surface a DC draws on (memory DCs: the selected bitmap's), or null.
cairo_surface_t* surfaceOf(HDC dc);

}  // namespace kw::gdi
