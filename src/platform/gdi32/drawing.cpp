// The drawing primitives, pixel-exact as Win32 draws them: rectangles cover their left
// and top edges but not their right and bottom ones, a line leaves out its last point.
// Everything is drawn without antialiasing so that pixels are either set or not.
#include <algorithm>
#include <cstdint>
#include <cstdlib>

#include "device_context.h"

namespace kw::gdi {
namespace {

// A drawing pass over a DC: cairo in device coordinates, clipped, unsmoothed.
class Paint {
 public:
  explicit Paint(HDC dc) : dc_(lookupDC(dc)), cr_(dc_ ? dc_->begin() : nullptr) {
    if (cr_) cairo_set_antialias(cr_, CAIRO_ANTIALIAS_NONE);
  }
  ~Paint() {
    if (cr_) cairo_destroy(cr_);
  }
  Paint(const Paint&) = delete;
  Paint& operator=(const Paint&) = delete;
  bool validDC() const { return dc_ != nullptr; }
  DeviceContext* dc() const { return dc_.get(); }
  cairo_t* cr() const { return cr_; }

  void fill(const RECT& r, COLORREF color) const {
    if (!cr_ || r.right <= r.left || r.bottom <= r.top) return;
    setSourceColor(cr_, color);
    cairo_rectangle(cr_, r.left, r.top, static_cast<double>(r.right) - r.left, static_cast<double>(r.bottom) - r.top);
    cairo_fill(cr_);
  }
  // A border of `w` device pixels inside `r`.
  void frame(const RECT& r, int w, COLORREF color) const {
    int wx = std::min(w, static_cast<int>(r.right - r.left)), wy = std::min(w, static_cast<int>(r.bottom - r.top));
    fill({r.left, r.top, r.right, r.top + wy}, color);
    fill({r.left, r.bottom - wy, r.right, r.bottom}, color);
    fill({r.left, r.top + wy, r.left + wx, r.bottom - wy}, color);
    fill({r.right - wx, r.top + wy, r.right, r.bottom - wy}, color);
  }

 private:
  std::shared_ptr<DeviceContext> dc_;
  cairo_t* cr_;
};

int penWidth(const DcState& s) { return std::max<LONG>(1, deviceLengthX(s, s.pen ? s.pen->log.lopnWidth.x : 0)); }

bool visiblePen(const DcState& s) { return s.pen && s.pen->log.lopnStyle != PS_NULL; }

void setDashes(cairo_t* cr, UINT style) {
  static const double dash[] = {18, 6}, dot[] = {3, 3}, dashDot[] = {9, 6, 3, 6}, dashDotDot[] = {9, 3, 3, 3, 3, 3};
  switch (style) {
    case PS_DASH:
      cairo_set_dash(cr, dash, 2, 0);
      break;
    case PS_DOT:
      cairo_set_dash(cr, dot, 2, 0);
      break;
    case PS_DASHDOT:
      cairo_set_dash(cr, dashDot, 4, 0);
      break;
    case PS_DASHDOTDOT:
      cairo_set_dash(cr, dashDotDot, 6, 0);
      break;
    default:
      break;
  }
}

// The pixel that holds a device point, or null outside the image and the clip.
uint32_t* pixelAt(DeviceContext& d, POINT device) {
  RECT box;
  cairo_surface_t* s = d.surface();
  if (!s || cairo_surface_get_type(s) != CAIRO_SURFACE_TYPE_IMAGE || !d.visibleBox(box)) return nullptr;
  if (device.x < box.left || device.x >= box.right || device.y < box.top || device.y >= box.bottom) return nullptr;
  cairo_surface_flush(s);
  unsigned char* data = cairo_image_surface_get_data(s);
  if (!data) return nullptr;
  auto x = static_cast<size_t>(device.x + d.origin.x), y = static_cast<size_t>(device.y + d.origin.y);
  return reinterpret_cast<uint32_t*>(data + y * static_cast<size_t>(cairo_image_surface_get_stride(s))) + x;
}

COLORREF fromPixel(uint32_t p) { return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF); }

}  // namespace
}  // namespace kw::gdi

using namespace kw::gdi;

KW32_API BOOL WINAPI Rectangle(HDC dc, int left, int top, int right, int bottom) {
  Paint paint(dc);
  if (!paint.validDC()) return FALSE;
  const DcState& s = paint.dc()->state;
  RECT r = toDeviceRect(s, {left, top, right, bottom});
  bool pen = visiblePen(s);
  // Without a pen the filled area is one pixel smaller each way, as in Win32.
  RECT inside = pen ? r : RECT{r.left, r.top, r.right - 1, r.bottom - 1};
  if (s.brush && s.brush->log.lbStyle != BS_NULL) paint.fill(inside, s.brush->log.lbColor);
  if (pen) {
    int w = penWidth(s);
    // Wide pens straddle the outline, except PS_INSIDEFRAME which stays inside it.
    int grow = s.pen->log.lopnStyle == PS_INSIDEFRAME ? 0 : (w - 1) / 2;
    paint.frame({r.left - grow, r.top - grow, r.right + grow, r.bottom + grow}, w, s.pen->log.lopnColor);
  }
  return TRUE;
}

KW32_API int WINAPI FillRect(HDC dc, const RECT* rect, HBRUSH brush) {
  auto b = lookupAs<Brush>(brush, ObjectKind::Brush);
  Paint paint(dc);
  if (!paint.validDC() || !rect || !b) return 0;
  if (b->log.lbStyle != BS_NULL) paint.fill(toDeviceRect(paint.dc()->state, *rect), b->log.lbColor);
  return 1;
}

// The border is one logical unit wide and high.
KW32_API int WINAPI FrameRect(HDC dc, const RECT* rect, HBRUSH brush) {
  auto b = lookupAs<Brush>(brush, ObjectKind::Brush);
  Paint paint(dc);
  if (!paint.validDC() || !rect || !b) return 0;
  if (rect->right <= rect->left || rect->bottom <= rect->top) return 1;
  const DcState& s = paint.dc()->state;
  if (b->log.lbStyle != BS_NULL)
    paint.frame(toDeviceRect(s, *rect), std::max<LONG>(1, deviceLengthX(s, 1)), b->log.lbColor);
  return 1;
}

KW32_API BOOL WINAPI MoveToEx(HDC dc, int x, int y, LPPOINT old) {
  auto d = lookupDC(dc);
  if (!d) return FALSE;
  if (old) *old = d->state.position;
  d->state.position = {x, y};
  return TRUE;
}

KW32_API BOOL WINAPI LineTo(HDC dc, int x, int y) {
  Paint paint(dc);
  if (!paint.validDC()) return FALSE;
  DcState& s = paint.dc()->state;
  POINT a = toDevice(s, s.position), b = toDevice(s, {x, y});
  s.position = {x, y};
  if (!visiblePen(s) || !paint.cr() || (a.x == b.x && a.y == b.y)) return TRUE;
  int w = penWidth(s);
  COLORREF color = s.pen->log.lopnColor;
  if ((a.y == b.y || a.x == b.x) && s.pen->log.lopnStyle == PS_SOLID) {
    // Straight lines as pixel runs: from the first point up to, not including, the last.
    int half = (w - 1) / 2;
    RECT r = a.y == b.y ? (b.x > a.x ? RECT{a.x, a.y, b.x, a.y + 1} : RECT{b.x + 1, a.y, a.x + 1, a.y + 1})
                        : (b.y > a.y ? RECT{a.x, a.y, a.x + 1, b.y} : RECT{a.x, b.y + 1, a.x + 1, a.y + 1});
    if (a.y == b.y)
      r.top -= half, r.bottom = r.top + w;
    else
      r.left -= half, r.right = r.left + w;
    paint.fill(r, color);
    return TRUE;
  }
  cairo_t* cr = paint.cr();
  setSourceColor(cr, color);
  cairo_set_line_width(cr, w);
  setDashes(cr, s.pen->log.lopnStyle);
  // Through pixel centres, stopping short of the last pixel.
  double dx = b.x - a.x, dy = b.y - a.y;
  double steps = std::max(std::abs(dx), std::abs(dy));
  cairo_move_to(cr, a.x + 0.5, a.y + 0.5);
  cairo_line_to(cr, a.x + 0.5 + dx * (steps - 0.5) / steps, a.y + 0.5 + dy * (steps - 0.5) / steps);
  cairo_stroke(cr);
  return TRUE;
}

KW32_API COLORREF WINAPI GetPixel(HDC dc, int x, int y) {
  auto d = lookupDC(dc);
  if (!d) return CLR_INVALID;
  uint32_t* p = pixelAt(*d, toDevice(d->state, {x, y}));
  return p ? fromPixel(*p) : CLR_INVALID;
}

KW32_API COLORREF WINAPI SetPixel(HDC dc, int x, int y, COLORREF color) {
  auto d = lookupDC(dc);
  if (!d) return CLR_INVALID;
  uint32_t* p = pixelAt(*d, toDevice(d->state, {x, y}));
  if (!p) return CLR_INVALID;
  *p = 0xFF000000u | uint32_t{GetRValue(color)} << 16 | uint32_t{GetGValue(color)} << 8 | GetBValue(color);
  cairo_surface_mark_dirty(d->surface());
  return fromPixel(*p);
}
