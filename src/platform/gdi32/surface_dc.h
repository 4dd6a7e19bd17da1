// DCs over surfaces that others own, for the window manager's window DCs.
#pragma once

#include "internal.h"

#include <cairo.h>

namespace kw::gdi {

// A DC that draws onto a surface someone else owns (a window's), with its device
// coordinate (0,0) at `origin` of the surface and drawing clipped to `clip` (surface
// pixels, null: the whole surface). The DC holds a reference to the surface, so a window
// that goes or gets a new surface while the DC lives leaves it drawing on the old one.
HDC createSurfaceDC(cairo_surface_t* surface, POINT origin, const RECT* clip);

// The surface a DC draws on (memory DCs: the selected bitmap's), or null.
cairo_surface_t* surfaceOf(HDC dc);

// A solid brush that DeleteObject leaves alone, as the system colour brushes are.
HBRUSH createPermanentBrush(COLORREF colour);

}  // namespace kw::gdi
