// The drawing objects behind GDI handles.
#pragma once

#include "object_table.h"

#include <cairo.h>

namespace kw::gdi {

struct Pen : GdiObject {
  explicit Pen(const LOGPEN& l) : GdiObject(ObjectKind::Pen), log(l) {}
  LOGPEN log;
};

struct Brush : GdiObject {
  explicit Brush(const LOGBRUSH& l, bool p = false) : GdiObject(ObjectKind::Brush), log(l), permanent(p) {}
  LOGBRUSH log;
  const bool permanent;  // a system colour brush: DeleteObject leaves it
};

// A bitmap is a cairo image surface: 32 bits per pixel, or 1 for monochrome ones (drawn
// through an A8 surface would lose colours, so those are RGB24 too and only report 1 bit).
// A bitmap is selected into at most one memory DC at a time, as in Win32.
struct Bitmap : GdiObject {
  Bitmap(cairo_surface_t* s, int bits) : GdiObject(ObjectKind::Bitmap), surface(s), bitsPixel(bits) {}
  ~Bitmap() override { cairo_surface_destroy(surface); }
  cairo_surface_t* surface;
  int bitsPixel;
  const void* selectedIn = nullptr;  // the DC it is selected into, only compared
};

struct Region : GdiObject {
  explicit Region(const RECT& r) : GdiObject(ObjectKind::Region), rect(r) {}
  RECT rect;  // empty when left >= right or top >= bottom
};

struct Font : GdiObject {
  explicit Font(const LOGFONTA& l) : GdiObject(ObjectKind::Font), log(l) {}
  LOGFONTA log;
};

// NULLREGION for an empty rectangle, else SIMPLEREGION.
int regionType(const RECT& r);

// A stock object by GetStockObject index, or null.
std::shared_ptr<GdiObject> stockObject(int index);
HGDIOBJ stockHandle(int index);
bool isStockHandle(HGDIOBJ handle);

// The 1x1 monochrome bitmap a new memory DC starts with.
HGDIOBJ defaultBitmapHandle();

// Colour of a COLORREF as cairo takes it.
void setSourceColor(cairo_t* cr, COLORREF color);

}  // namespace kw::gdi
