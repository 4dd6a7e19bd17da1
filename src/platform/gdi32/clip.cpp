// Clipping to one rectangle, kept in device coordinates as Win32 keeps clip regions.
#include "device_context.h"

#include <algorithm>

namespace {

RECT intersect(const RECT& a, const RECT& b) {
  RECT r{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right), std::min(a.bottom, b.bottom)};
  return kw::gdi::regionType(r) == NULLREGION ? RECT{0, 0, 0, 0} : r;
}

}  // namespace

KW32_API int WINAPI GetClipBox(HDC dc, LPRECT rect) {
  auto d = kw::gdi::lookupDC(dc);
  if (!d || !rect) return ERROR;
  RECT box;
  if (!d->visibleBox(box)) {
    *rect = {0, 0, 0, 0};
    return NULLREGION;
  }
  *rect = kw::gdi::toLogicalRect(d->state, box);
  return SIMPLEREGION;
}

KW32_API int WINAPI IntersectClipRect(HDC dc, int left, int top, int right, int bottom) {
  auto d = kw::gdi::lookupDC(dc);
  if (!d) return ERROR;
  RECT r = kw::gdi::toDeviceRect(d->state, {left, top, right, bottom});
  kw::gdi::DcState& s = d->state;
  s.clip = s.clipped ? intersect(s.clip, r) : intersect(r, r);
  s.clipped = true;
  return kw::gdi::regionType(s.clip);
}

// The region is copied; null removes the clip region.
KW32_API int WINAPI SelectClipRgn(HDC dc, HRGN region) {
  auto d = kw::gdi::lookupDC(dc);
  if (!d) return ERROR;
  if (!region) {
    d->state.clipped = false;
    return SIMPLEREGION;
  }
  auto r = kw::gdi::lookupAs<kw::gdi::Region>(region, kw::gdi::ObjectKind::Region);
  if (!r) return ERROR;
  d->state.clipped = true;
  d->state.clip = r->rect;
  return kw::gdi::regionType(r->rect);
}
