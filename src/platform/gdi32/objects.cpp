// Pens, brushes and rectangle regions; selecting, describing and deleting GDI objects.
#include "device_context.h"
#include "surface_dc.h"

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <new>

static_assert(sizeof(LOGPEN) == 16 && sizeof(LOGFONTA) == 60);
static_assert(sizeof(LOGBRUSH) == (sizeof(void*) == 8 ? 16 : 12) && offsetof(LOGBRUSH, lbHatch) == sizeof(void*));
static_assert(sizeof(BITMAP) == (sizeof(void*) == 8 ? 32 : 24) && offsetof(BITMAP, bmBits) == (sizeof(void*) == 8 ? 24 : 20));

namespace kw::gdi {
namespace {

template <class T, class... Args>
HGDIOBJ create(Args&&... args) {
  try {
    return insertObject(std::make_shared<T>(std::forward<Args>(args)...));
  } catch (const std::bad_alloc&) {
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return nullptr;
  }
}

template <class T>
int copyOut(const T& record, int size, LPVOID buffer) {
  if (!buffer) return static_cast<int>(sizeof(T));
  if (size <= 0) return 0;
  int n = std::min(size, static_cast<int>(sizeof(T)));
  std::memcpy(buffer, &record, static_cast<size_t>(n));
  return n;
}

RECT normalised(int left, int top, int right, int bottom) {
  return {std::min(left, right), std::min(top, bottom), std::max(left, right), std::max(top, bottom)};
}

template <class T>
HGDIOBJ swapIn(std::shared_ptr<T>& slot, HGDIOBJ& handleSlot, const std::shared_ptr<GdiObject>& object, HGDIOBJ handle) {
  HGDIOBJ old = handleSlot;
  slot = std::static_pointer_cast<T>(object);
  handleSlot = handle;
  return old;
}

}  // namespace

HBRUSH createPermanentBrush(COLORREF colour) {
  return static_cast<HBRUSH>(create<Brush>(LOGBRUSH{BS_SOLID, colour, 0}, true));
}

int regionType(const RECT& r) { return r.right > r.left && r.bottom > r.top ? SIMPLEREGION : NULLREGION; }

}  // namespace kw::gdi

using namespace kw::gdi;

KW32_API HPEN WINAPI CreatePen(int style, int width, COLORREF color) {
  LOGPEN pen{static_cast<UINT>(style), {width, 0}, color};
  return CreatePenIndirect(&pen);
}

KW32_API HPEN WINAPI CreatePenIndirect(const LOGPEN* pen) {
  if (!pen || pen->lopnStyle > PS_INSIDEFRAME) return nullptr;
  LOGPEN log = *pen;
  if (log.lopnWidth.x < 0) log.lopnWidth.x = 0;  // taken as the thinnest pen
  log.lopnWidth.y = 0;
  return static_cast<HPEN>(create<Pen>(log));
}

KW32_API HBRUSH WINAPI CreateSolidBrush(COLORREF color) {
  LOGBRUSH brush{BS_SOLID, color, 0};
  return CreateBrushIndirect(&brush);
}

KW32_API HBRUSH WINAPI CreateBrushIndirect(const LOGBRUSH* brush) {
  if (!brush || (brush->lbStyle != BS_SOLID && brush->lbStyle != BS_NULL)) return nullptr;
  LOGBRUSH log = *brush;
  if (log.lbStyle == BS_NULL) log.lbColor = 0;
  log.lbHatch = 0;
  return static_cast<HBRUSH>(create<Brush>(log));
}

KW32_API HRGN WINAPI CreateRectRgn(int left, int top, int right, int bottom) {
  RECT r = normalised(left, top, right, bottom);
  if (regionType(r) == NULLREGION) r = {0, 0, 0, 0};
  return static_cast<HRGN>(create<Region>(r));
}

KW32_API HRGN WINAPI CreateRectRgnIndirect(const RECT* rect) {
  if (!rect) return nullptr;
  return CreateRectRgn(rect->left, rect->top, rect->right, rect->bottom);
}

KW32_API int WINAPI GetRgnBox(HRGN region, LPRECT rect) {
  auto r = lookupAs<Region>(region, ObjectKind::Region);
  if (!r || !rect) return ERROR;
  *rect = r->rect;
  return regionType(r->rect);
}

// Pens, brushes, fonts and bitmaps return the object they replace; a region becomes the
// clip region and its type is returned; anything else gives null.
KW32_API HGDIOBJ WINAPI SelectObject(HDC dc, HGDIOBJ object) {
  auto d = lookupDC(dc);
  std::shared_ptr<GdiObject> o = lookupObject(object);
  if (!d || !o) return nullptr;
  DcState& s = d->state;
  switch (o->kind()) {
    case ObjectKind::Pen: return swapIn(s.pen, s.penHandle, o, object);
    case ObjectKind::Brush: return swapIn(s.brush, s.brushHandle, o, object);
    case ObjectKind::Font: return swapIn(s.font, s.fontHandle, o, object);
    case ObjectKind::Bitmap: {
      HGDIOBJ old = s.bitmapHandle;
      return selectBitmap(*d, std::static_pointer_cast<Bitmap>(o), object) ? old : nullptr;
    }
    case ObjectKind::Region: {
      int type = SelectClipRgn(dc, static_cast<HRGN>(object));
      return reinterpret_cast<HGDIOBJ>(static_cast<UINT_PTR>(type));
    }
    case ObjectKind::DC: return nullptr;
  }
  return nullptr;
}

// Stock objects stay (and deleting them succeeds, as in Win32); a bitmap selected into a
// DC cannot be deleted. Other objects still selected somewhere lose their handle at once
// and live on until the DC lets them go.
KW32_API BOOL WINAPI DeleteObject(HGDIOBJ object) {
  std::shared_ptr<GdiObject> o = lookupObject(object);
  if (!o || o->kind() == ObjectKind::DC) return FALSE;
  if (isStockHandle(object)) return TRUE;
  if (o->kind() == ObjectKind::Brush && static_cast<Brush&>(*o).permanent) return TRUE;
  if (o->kind() == ObjectKind::Bitmap && static_cast<Bitmap&>(*o).selectedIn) return FALSE;
  return removeObject(object) ? TRUE : FALSE;
}

KW32_API int WINAPI GetObjectA(HGDIOBJ object, int size, LPVOID buffer) {
  std::shared_ptr<GdiObject> o = lookupObject(object);
  if (!o) return 0;
  switch (o->kind()) {
    case ObjectKind::Pen: return copyOut(static_cast<Pen&>(*o).log, size, buffer);
    case ObjectKind::Brush: return copyOut(static_cast<Brush&>(*o).log, size, buffer);
    case ObjectKind::Font: return copyOut(static_cast<Font&>(*o).log, size, buffer);
    case ObjectKind::Bitmap: {
      auto& b = static_cast<Bitmap&>(*o);
      BITMAP info{};
      info.bmWidth = cairo_image_surface_get_width(b.surface);
      info.bmHeight = cairo_image_surface_get_height(b.surface);
      info.bmBitsPixel = static_cast<WORD>(b.bitsPixel);
      info.bmPlanes = 1;
      // Win32 rows are padded to 16 bits.
      info.bmWidthBytes = (info.bmWidth * b.bitsPixel + 15) / 16 * 2;
      return copyOut(info, size, buffer);
    }
    case ObjectKind::Region:
    case ObjectKind::DC: return 0;
  }
  return 0;
}

KW32_API DWORD WINAPI GetObjectType(HGDIOBJ object) {
  std::shared_ptr<GdiObject> o = lookupObject(object);
  if (!o) return 0;
  switch (o->kind()) {
    case ObjectKind::Pen: return OBJ_PEN;
    case ObjectKind::Brush: return OBJ_BRUSH;
    case ObjectKind::Font: return OBJ_FONT;
    case ObjectKind::Bitmap: return OBJ_BITMAP;
    case ObjectKind::Region: return OBJ_REGION;
    case ObjectKind::DC:
      return static_cast<DeviceContext&>(*o).surfaceKind == SurfaceKind::Memory ? OBJ_MEMDC : OBJ_DC;
  }
  return 0;
}

KW32_API HGDIOBJ WINAPI GetCurrentObject(HDC dc, UINT type) {
  auto d = lookupDC(dc);
  if (!d) return nullptr;
  switch (type) {
    case OBJ_PEN: return d->state.penHandle;
    case OBJ_BRUSH: return d->state.brushHandle;
    case OBJ_FONT: return d->state.fontHandle;
    case OBJ_BITMAP: return d->state.bitmapHandle;
    default: return nullptr;
  }
}
