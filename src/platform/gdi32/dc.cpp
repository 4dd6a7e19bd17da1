// Creating and deleting device contexts, their surfaces, and their capabilities.
#include "device_context.h"
#include "surface_dc.h"

#include <algorithm>
#include <atomic>
#include <new>

namespace kw::gdi {
namespace {

std::atomic<PrinterDCFactory> gPrinterFactory{nullptr};

bool isDisplayName(LPCSTR name) {
  return name && (lstrcmpiA(name, "DISPLAY") == 0 || lstrcmpiA(name, "\\\\.\\DISPLAY1") == 0);
}

template <class... Args>
std::shared_ptr<DeviceContext> makeDC(Args&&... args) {
  try {
    return std::make_shared<DeviceContext>(std::forward<Args>(args)...);
  } catch (const std::bad_alloc&) {
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return nullptr;
  }
}

HDC createNamedDC(LPCSTR driver, LPCSTR device, LPCSTR port, const DEVMODEA* mode, bool information) {
  bool display = isDisplayName(driver) || ((!driver || !*driver) && isDisplayName(device));
  if (display) {
    return insertDC(makeDC(information ? SurfaceKind::Information : SurfaceKind::Display, displayCaps()));
  }
  PrinterDCFactory factory = gPrinterFactory.load();
  if (!factory || (!driver && !device)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  return insertDC(factory(driver, device, port, mode, information));
}

}  // namespace

DeviceCaps displayCaps() {
  ScreenSize screen = screenSize();
  DeviceCaps c;
  c.technology = DT_RASDISPLAY;
  c.horzRes = screen.width;
  c.vertRes = screen.height;
  // Millimetres at 96 pixels per inch, rounded.
  c.horzSize = (screen.width * 254 + 480) / 960;
  c.vertSize = (screen.height * 254 + 480) / 960;
  c.bitsPixel = 32;
  c.rasterCaps = RC_BITBLT | RC_BITMAP64 | RC_DI_BITMAP | RC_DIBTODEV | RC_BIGFONT | RC_STRETCHBLT | RC_STRETCHDIB;
  return c;
}

void setPrinterDCFactory(PrinterDCFactory factory) { gPrinterFactory.store(factory); }

DeviceContext::~DeviceContext() {
  if (state.bitmap && state.bitmap->selectedIn == this) state.bitmap->selectedIn = nullptr;
  if (own) cairo_surface_destroy(own);
  if (borrowed) cairo_surface_destroy(borrowed);
}

cairo_surface_t* DeviceContext::surface() {
  switch (surfaceKind) {
    case SurfaceKind::Memory: return state.bitmap ? state.bitmap->surface : nullptr;
    case SurfaceKind::Borrowed: return borrowed;
    case SurfaceKind::Information: return nullptr;
    case SurfaceKind::Display:
      // The screen's pixels are only made when something draws on them.
      if (!own) {
        cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_RGB24, caps.horzRes, caps.vertRes);
        if (cairo_surface_status(s) != CAIRO_STATUS_SUCCESS) {
          cairo_surface_destroy(s);
          return nullptr;
        }
        own = s;
      }
      return own;
    case SurfaceKind::Printer: return own;
  }
  return nullptr;
}

bool DeviceContext::visibleBox(RECT& box) {
  RECT r{0, 0, caps.horzRes, caps.vertRes};
  // Not surface(): asking for the screen's extent need not make its pixels.
  cairo_surface_t* s = surfaceKind == SurfaceKind::Memory ? (state.bitmap ? state.bitmap->surface : nullptr)
                       : surfaceKind == SurfaceKind::Borrowed ? borrowed
                                                              : nullptr;
  if (s && cairo_surface_get_type(s) == CAIRO_SURFACE_TYPE_IMAGE) {
    r = {0, 0, cairo_image_surface_get_width(s), cairo_image_surface_get_height(s)};
  }
  if (hasBounds) {
    r = {std::max(r.left, bounds.left), std::max(r.top, bounds.top), std::min(r.right, bounds.right),
         std::min(r.bottom, bounds.bottom)};
  }
  // Surface pixels to device coordinates.
  r = {r.left - origin.x, r.top - origin.y, r.right - origin.x, r.bottom - origin.y};
  if (state.clipped) {
    r = {std::max(r.left, state.clip.left), std::max(r.top, state.clip.top), std::min(r.right, state.clip.right),
         std::min(r.bottom, state.clip.bottom)};
  }
  if (r.right <= r.left || r.bottom <= r.top) {
    box = {0, 0, 0, 0};
    return false;
  }
  box = r;
  return true;
}

cairo_t* DeviceContext::begin() {
  RECT box;
  if (!drawableBox(box)) return nullptr;
  cairo_t* cr = cairo_create(surface());
  if (cairo_status(cr) != CAIRO_STATUS_SUCCESS) {
    cairo_destroy(cr);
    return nullptr;
  }
  cairo_translate(cr, origin.x, origin.y);
  cairo_rectangle(cr, box.left, box.top, box.right - box.left, box.bottom - box.top);
  cairo_clip(cr);
  return cr;
}

std::shared_ptr<DeviceContext> lookupDC(HDC dc) { return lookupAs<DeviceContext>(dc, ObjectKind::DC); }

HDC insertDC(std::shared_ptr<DeviceContext> dc) {
  if (!dc) return nullptr;
  DcState& s = dc->state;
  s.penHandle = stockHandle(BLACK_PEN);
  s.pen = std::static_pointer_cast<Pen>(lookupObject(s.penHandle));
  s.brushHandle = stockHandle(WHITE_BRUSH);
  s.brush = std::static_pointer_cast<Brush>(lookupObject(s.brushHandle));
  s.fontHandle = stockHandle(SYSTEM_FONT);
  s.font = std::static_pointer_cast<Font>(lookupObject(s.fontHandle));
  if (dc->surfaceKind == SurfaceKind::Memory) {
    s.bitmapHandle = defaultBitmapHandle();
    s.bitmap = std::static_pointer_cast<Bitmap>(lookupObject(s.bitmapHandle));
  }
  return static_cast<HDC>(insertObject(std::move(dc)));
}

bool selectBitmap(DeviceContext& dc, const std::shared_ptr<Bitmap>& bitmap, HGDIOBJ handle) {
  if (dc.surfaceKind != SurfaceKind::Memory || !bitmap) return false;
  bool shared = isStockHandle(handle);  // the 1x1 default sits in every new memory DC
  if (!shared && bitmap->selectedIn && bitmap->selectedIn != &dc) return false;
  if (dc.state.bitmap && dc.state.bitmap->selectedIn == &dc) dc.state.bitmap->selectedIn = nullptr;
  if (!shared) bitmap->selectedIn = &dc;
  dc.state.bitmap = bitmap;
  dc.state.bitmapHandle = handle;
  return true;
}

HDC createSurfaceDC(cairo_surface_t* surface, POINT origin, const RECT* clip) {
  if (!surface || cairo_surface_status(surface) != CAIRO_STATUS_SUCCESS) return nullptr;
  DeviceCaps caps = displayCaps();
  auto dc = makeDC(SurfaceKind::Borrowed, caps);
  if (!dc) return nullptr;
  dc->borrowed = cairo_surface_reference(surface);
  dc->origin = origin;
  if (clip) {
    dc->hasBounds = true;
    dc->bounds = *clip;
  }
  return insertDC(std::move(dc));
}

cairo_surface_t* surfaceOf(HDC dc) {
  auto d = lookupDC(dc);
  return d ? d->surface() : nullptr;
}

}  // namespace kw::gdi

using kw::gdi::DeviceContext;
using kw::gdi::SurfaceKind;

KW32_API HDC WINAPI CreateDCA(LPCSTR driver, LPCSTR device, LPCSTR port, const DEVMODEA* mode) {
  return kw::gdi::createNamedDC(driver, device, port, mode, false);
}

KW32_API HDC WINAPI CreateICA(LPCSTR driver, LPCSTR device, LPCSTR port, const DEVMODEA* mode) {
  return kw::gdi::createNamedDC(driver, device, port, mode, true);
}

KW32_API HDC WINAPI CreateCompatibleDC(HDC dc) {
  kw::gdi::DeviceCaps caps;
  if (dc) {
    auto source = kw::gdi::lookupDC(dc);
    if (!source) return nullptr;
    caps = source->caps;
  } else {
    caps = kw::gdi::displayCaps();
  }
  return kw::gdi::insertDC(kw::gdi::makeDC(SurfaceKind::Memory, caps));
}

KW32_API HBITMAP WINAPI CreateCompatibleBitmap(HDC dc, int width, int height) {
  auto d = kw::gdi::lookupDC(dc);
  if (!d || width < 0 || height < 0) return nullptr;
  if (width == 0 || height == 0) return static_cast<HBITMAP>(kw::gdi::defaultBitmapHandle());
  // A memory DC's bitmaps take the format of the bitmap it holds (monochrome at first).
  int bits = d->surfaceKind == SurfaceKind::Memory && d->state.bitmap ? d->state.bitmap->bitsPixel : d->caps.bitsPixel;
  cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height);
  if (cairo_surface_status(s) != CAIRO_STATUS_SUCCESS) {
    cairo_surface_destroy(s);
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return nullptr;
  }
  // Win32 bitmaps start black.
  std::shared_ptr<kw::gdi::Bitmap> bitmap;
  try {
    bitmap = std::make_shared<kw::gdi::Bitmap>(s, bits);
  } catch (const std::bad_alloc&) {
    cairo_surface_destroy(s);
    return nullptr;
  }
  return static_cast<HBITMAP>(kw::gdi::insertObject(std::move(bitmap)));
}

KW32_API BOOL WINAPI DeleteDC(HDC dc) {
  if (!kw::gdi::lookupDC(dc)) return FALSE;
  return kw::gdi::removeObject(dc) ? TRUE : FALSE;
}

KW32_API int WINAPI GetDeviceCaps(HDC dc, int index) {
  auto d = kw::gdi::lookupDC(dc);
  if (!d) return 0;
  const kw::gdi::DeviceCaps& c = d->caps;
  switch (index) {
    case DRIVERVERSION: return 0x4000;
    case TECHNOLOGY: return c.technology;
    case HORZSIZE: return c.horzSize;
    case VERTSIZE: return c.vertSize;
    case HORZRES: return c.horzRes;
    case VERTRES: return c.vertRes;
    case BITSPIXEL: return c.bitsPixel;
    case PLANES: return 1;
    case NUMBRUSHES:
    case NUMPENS:
    case NUMCOLORS: return -1;
    case NUMFONTS: return 0;
    case ASPECTX:
    case ASPECTY: return 36;
    case ASPECTXY: return 51;
    case RASTERCAPS: return c.rasterCaps;
    case LOGPIXELSX: return c.logPixelsX;
    case LOGPIXELSY: return c.logPixelsY;
    case SIZEPALETTE: return 0;
    case PHYSICALWIDTH: return c.physicalWidth;
    case PHYSICALHEIGHT: return c.physicalHeight;
    case PHYSICALOFFSETX: return c.physicalOffsetX;
    case PHYSICALOFFSETY: return c.physicalOffsetY;
    case SCALINGFACTORX:
    case SCALINGFACTORY: return 0;
    default: return 0;
  }
}
