// Mapping modes: window and viewport origins and extents, and the conversions between
// logical and device coordinates. Results round to nearest, halves upwards, in exact
// integer arithmetic, so that LPtoDP of a converted point gives the same pixel each time.
#include "device_context.h"

#include <algorithm>
#include <cstdlib>
#include <limits>

namespace kw::gdi {
namespace {

using Wide = __int128;  // coordinates times extents overflow 64 bits at the extremes

LONG clampLong(Wide v) {
  if (v > std::numeric_limits<LONG>::max()) return std::numeric_limits<LONG>::max();
  if (v < std::numeric_limits<LONG>::min()) return std::numeric_limits<LONG>::min();
  return static_cast<LONG>(v);
}

// round(num / den), halves towards +infinity; den != 0.
Wide roundDiv(Wide num, Wide den) {
  if (den < 0) num = -num, den = -den;
  Wide twice = 2 * num + den;
  Wide q = twice / (2 * den);
  if (twice % (2 * den) < 0) --q;  // floor
  return q;
}

LONG map(LONG v, LONG fromOrg, LONG fromExt, LONG toExt, LONG toOrg) {
  return clampLong(roundDiv((static_cast<Wide>(v) - fromOrg) * toExt, fromExt) + toOrg);
}

// Window extents of the fixed metric and English modes, from the device's size in mm.
SIZE fixedWindowExt(int mode, const DeviceCaps& c) {
  int64_t scale = 0, per = 1;  // logical units per millimetre = scale / per
  switch (mode) {
    case MM_LOMETRIC: scale = 10; break;
    case MM_HIMETRIC: scale = 100; break;
    case MM_LOENGLISH: scale = 1000, per = 254; break;   // 0.01 inch
    case MM_HIENGLISH: scale = 10000, per = 254; break;  // 0.001 inch
    case MM_TWIPS: scale = 14400, per = 254; break;      // 1/1440 inch
    default: return {1, 1};
  }
  return {clampLong(roundDiv(Wide{c.horzSize} * scale, per)), clampLong(roundDiv(Wide{c.vertSize} * scale, per))};
}

// Isotropic mode: the viewport extent shrinks on the axis whose logical unit would be
// larger on the device, so that one unit is as long in x as in y. Sizes are compared as
// cross products, in 128 bits since extents may use the whole 32-bit range.
void fixIsotropic(DcState& s, const DeviceCaps& c) {
  if (s.mapMode != MM_ISOTROPIC || c.horzRes == 0 || c.vertRes == 0) return;
  auto magnitude = [](LONG v) { return static_cast<Wide>(v < 0 ? -int64_t{v} : int64_t{v}); };
  // Millimetres per logical unit: x = vx * horzSize / (horzRes * wx), y likewise.
  Wide xdim = magnitude(s.viewportExt.cx) * c.horzSize * c.vertRes * magnitude(s.windowExt.cy);
  Wide ydim = magnitude(s.viewportExt.cy) * c.vertSize * c.horzRes * magnitude(s.windowExt.cx);
  if (xdim == ydim || xdim == 0 || ydim == 0) return;
  auto shrink = [](LONG& ext, Wide num, Wide den) {
    Wide scaled = (2 * static_cast<Wide>(ext) * num + (ext < 0 ? -den : den)) / (2 * den);  // to nearest
    LONG sign = ext < 0 ? -1 : 1;
    ext = scaled == 0 ? sign : static_cast<LONG>(scaled);
  };
  if (xdim > ydim) {
    shrink(s.viewportExt.cx, ydim, xdim);
  } else {
    shrink(s.viewportExt.cy, xdim, ydim);
  }
}

void setMode(DcState& s, const DeviceCaps& c, int mode) {
  s.mapMode = mode;
  if (mode == MM_TEXT) {
    s.windowExt = {1, 1};
    s.viewportExt = {1, 1};
  } else if (mode != MM_ANISOTROPIC) {  // anisotropic keeps the extents in force
    s.windowExt = fixedWindowExt(mode == MM_ISOTROPIC ? MM_LOMETRIC : mode, c);
    s.viewportExt = {c.horzRes, -c.vertRes};
  }
}

bool scalable(const DcState& s) { return s.mapMode == MM_ISOTROPIC || s.mapMode == MM_ANISOTROPIC; }

template <class F>
BOOL withDC(HDC dc, F f) {
  auto d = lookupDC(dc);
  if (!d) return FALSE;
  return f(*d);
}

BOOL getPoint(HDC dc, LPPOINT out, POINT DcState::*field) {
  if (!out) return FALSE;
  return withDC(dc, [&](DeviceContext& d) { *out = d.state.*field; return TRUE; });
}

BOOL getSize(HDC dc, LPSIZE out, SIZE DcState::*field) {
  if (!out) return FALSE;
  return withDC(dc, [&](DeviceContext& d) { *out = d.state.*field; return TRUE; });
}

BOOL setPoint(HDC dc, LONG x, LONG y, bool relative, LPPOINT old, POINT DcState::*field) {
  return withDC(dc, [&](DeviceContext& d) {
    POINT& p = d.state.*field;
    if (old) *old = p;
    p = relative ? POINT{clampLong(Wide{p.x} + x), clampLong(Wide{p.y} + y)} : POINT{x, y};
    return TRUE;
  });
}

BOOL setExtent(HDC dc, int x, int y, LPSIZE old, SIZE DcState::*field) {
  return withDC(dc, [&](DeviceContext& d) {
    SIZE& e = d.state.*field;
    bool fixed = !scalable(d.state);  // fixed modes ignore extents
    if (!fixed && (x == 0 || y == 0)) return FALSE;
    if (old) *old = e;
    if (fixed) return TRUE;
    e = {x, y};
    fixIsotropic(d.state, d.caps);
    return TRUE;
  });
}

}  // namespace

POINT toDevice(const DcState& s, POINT p) {
  return {map(p.x, s.windowOrg.x, s.windowExt.cx, s.viewportExt.cx, s.viewportOrg.x),
          map(p.y, s.windowOrg.y, s.windowExt.cy, s.viewportExt.cy, s.viewportOrg.y)};
}

POINT toLogical(const DcState& s, POINT p) {
  return {map(p.x, s.viewportOrg.x, s.viewportExt.cx, s.windowExt.cx, s.windowOrg.x),
          map(p.y, s.viewportOrg.y, s.viewportExt.cy, s.windowExt.cy, s.windowOrg.y)};
}

LONG scaledLength(LONG length, LONG num, LONG den) {
  Wide v = roundDiv(static_cast<Wide>(length) * num, den);
  return clampLong(v < 0 ? -v : v);
}

LONG deviceLengthX(const DcState& s, LONG length) { return scaledLength(length, s.viewportExt.cx, s.windowExt.cx); }
LONG deviceLengthY(const DcState& s, LONG length) { return scaledLength(length, s.viewportExt.cy, s.windowExt.cy); }
LONG logicalLengthX(const DcState& s, LONG length) { return scaledLength(length, s.windowExt.cx, s.viewportExt.cx); }
LONG logicalLengthY(const DcState& s, LONG length) { return scaledLength(length, s.windowExt.cy, s.viewportExt.cy); }

RECT toDeviceRect(const DcState& s, const RECT& r) {
  POINT a = toDevice(s, {r.left, r.top});
  POINT b = toDevice(s, {r.right, r.bottom});
  return {std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x), std::max(a.y, b.y)};
}

RECT toLogicalRect(const DcState& s, const RECT& r) {
  POINT a = toLogical(s, {r.left, r.top});
  POINT b = toLogical(s, {r.right, r.bottom});
  return {std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x), std::max(a.y, b.y)};
}

}  // namespace kw::gdi

using kw::gdi::DcState;

KW32_API int WINAPI SetMapMode(HDC dc, int mode) {
  auto d = kw::gdi::lookupDC(dc);
  if (!d || mode < MM_TEXT || mode > MM_ANISOTROPIC) return 0;
  int old = d->state.mapMode;
  // Choosing the scalable mode already in force keeps its extents.
  if (mode != old || (mode != MM_ISOTROPIC && mode != MM_ANISOTROPIC)) kw::gdi::setMode(d->state, d->caps, mode);
  return old;
}

KW32_API int WINAPI GetMapMode(HDC dc) {
  auto d = kw::gdi::lookupDC(dc);
  return d ? d->state.mapMode : 0;
}

KW32_API BOOL WINAPI SetWindowOrgEx(HDC dc, int x, int y, LPPOINT old) {
  return kw::gdi::setPoint(dc, x, y, false, old, &DcState::windowOrg);
}
KW32_API BOOL WINAPI OffsetWindowOrgEx(HDC dc, int dx, int dy, LPPOINT old) {
  return kw::gdi::setPoint(dc, dx, dy, true, old, &DcState::windowOrg);
}
KW32_API BOOL WINAPI GetWindowOrgEx(HDC dc, LPPOINT org) { return kw::gdi::getPoint(dc, org, &DcState::windowOrg); }
KW32_API BOOL WINAPI SetViewportOrgEx(HDC dc, int x, int y, LPPOINT old) {
  return kw::gdi::setPoint(dc, x, y, false, old, &DcState::viewportOrg);
}
KW32_API BOOL WINAPI OffsetViewportOrgEx(HDC dc, int dx, int dy, LPPOINT old) {
  return kw::gdi::setPoint(dc, dx, dy, true, old, &DcState::viewportOrg);
}
KW32_API BOOL WINAPI GetViewportOrgEx(HDC dc, LPPOINT org) { return kw::gdi::getPoint(dc, org, &DcState::viewportOrg); }
KW32_API BOOL WINAPI SetWindowExtEx(HDC dc, int x, int y, LPSIZE old) {
  return kw::gdi::setExtent(dc, x, y, old, &DcState::windowExt);
}
KW32_API BOOL WINAPI GetWindowExtEx(HDC dc, LPSIZE ext) { return kw::gdi::getSize(dc, ext, &DcState::windowExt); }
KW32_API BOOL WINAPI SetViewportExtEx(HDC dc, int x, int y, LPSIZE old) {
  return kw::gdi::setExtent(dc, x, y, old, &DcState::viewportExt);
}
KW32_API BOOL WINAPI GetViewportExtEx(HDC dc, LPSIZE ext) { return kw::gdi::getSize(dc, ext, &DcState::viewportExt); }

KW32_API BOOL WINAPI DPtoLP(HDC dc, LPPOINT points, int count) {
  auto d = kw::gdi::lookupDC(dc);
  if (!d || count < 0 || (count > 0 && !points)) return FALSE;
  for (int i = 0; i < count; ++i) points[i] = kw::gdi::toLogical(d->state, points[i]);
  return TRUE;
}

KW32_API BOOL WINAPI LPtoDP(HDC dc, LPPOINT points, int count) {
  auto d = kw::gdi::lookupDC(dc);
  if (!d || count < 0 || (count > 0 && !points)) return FALSE;
  for (int i = 0; i < count; ++i) points[i] = kw::gdi::toDevice(d->state, points[i]);
  return TRUE;
}
