// Device contexts: the state Win32 keeps per DC (objects, colours, mapping, clipping) over
// a cairo surface. The surface kinds: the display (an image the size of the screen, made
// when first drawn on), a memory DC (the bitmap selected into it), a surface someone else
// owns (a window's, referenced while the DC lives), information contexts with no surface
// at all, and printers, whose DCs the printing code makes through a registered factory (a
// DeviceContext subclass with its own surface and capabilities).
#pragma once

#include "objects.h"

#include <vector>

namespace kw::gdi {

enum class SurfaceKind { Display, Memory, Borrowed, Information, Printer };

struct DeviceCaps {
  int technology = DT_RASDISPLAY;
  int horzRes = 0, vertRes = 0;    // pixels
  int horzSize = 0, vertSize = 0;  // millimetres
  int logPixelsX = 96, logPixelsY = 96;
  int physicalWidth = 0, physicalHeight = 0, physicalOffsetX = 0, physicalOffsetY = 0;
  int bitsPixel = 32;
  int rasterCaps = 0;
};

// What SaveDC saves.
struct DcState {
  int mapMode = MM_TEXT;
  POINT windowOrg{0, 0}, viewportOrg{0, 0};
  SIZE windowExt{1, 1}, viewportExt{1, 1};
  std::shared_ptr<Pen> pen;
  std::shared_ptr<Brush> brush;
  std::shared_ptr<Font> font;
  std::shared_ptr<Bitmap> bitmap;  // memory DCs
  HGDIOBJ penHandle = nullptr, brushHandle = nullptr, fontHandle = nullptr, bitmapHandle = nullptr;
  COLORREF textColor = RGB(0, 0, 0), bkColor = RGB(255, 255, 255);
  int bkMode = OPAQUE;
  UINT textAlign = TA_LEFT | TA_TOP | TA_NOUPDATECP;
  POINT position{0, 0};  // current position, logical
  bool clipped = false;
  RECT clip{0, 0, 0, 0};  // device coordinates, when clipped
};

struct DeviceContext : GdiObject {
  DeviceContext(SurfaceKind k, const DeviceCaps& c) : GdiObject(ObjectKind::DC), surfaceKind(k), caps(c) {}
  ~DeviceContext() override;

  SurfaceKind surfaceKind;
  DeviceCaps caps;
  cairo_surface_t* own = nullptr;       // Display, Printer: the DC's own surface
  cairo_surface_t* borrowed = nullptr;  // Borrowed: the owner's surface, referenced
  POINT origin{0, 0};                   // surface pixel of device (0,0)
  bool hasBounds = false;
  RECT bounds{0, 0, 0, 0};  // surface pixels that drawing may touch, when hasBounds
  DcState state;
  std::vector<DcState> saved;

  // The surface drawing goes to, or null (information contexts).
  cairo_surface_t* surface();
  // Device-coordinate rectangle that output is clipped to (surface or device size, bounds
  // and clip region); false when it is empty.
  bool visibleBox(RECT& box);
  // The same for actual drawing: false also when there is no surface.
  bool drawableBox(RECT& box) { return surface() && visibleBox(box); }
  // A cairo context in device coordinates with the clip applied, or null. The caller
  // destroys it.
  cairo_t* begin();
};

std::shared_ptr<DeviceContext> lookupDC(HDC dc);
// Selects the default objects and enters the DC in the handle table; null on failure.
HDC insertDC(std::shared_ptr<DeviceContext> dc);
// The display's capabilities: screen size from the setting, 96 pixels per inch.
DeviceCaps displayCaps();

// Makes the DCs of printers (CreateDCA/CreateICA with a printer's name); null when the
// name is not a printer. `information` asks for an information context.
using PrinterDCFactory = std::shared_ptr<DeviceContext> (*)(LPCSTR driver, LPCSTR device, LPCSTR port,
                                                            const DEVMODEA* mode, bool information);
void setPrinterDCFactory(PrinterDCFactory factory);

// Makes `bitmap` the memory DC's current bitmap, keeping the one-DC-per-bitmap rule.
bool selectBitmap(DeviceContext& dc, const std::shared_ptr<Bitmap>& bitmap, HGDIOBJ handle);

// Logical <-> device conversions of one point, with Win32's rounding.
POINT toDevice(const DcState& s, POINT p);
POINT toLogical(const DcState& s, POINT p);
// A logical length in x as a device length (absolute).
LONG deviceLengthX(const DcState& s, LONG length);
LONG deviceLengthY(const DcState& s, LONG length);
// A device length as a logical one (absolute).
LONG logicalLengthX(const DcState& s, LONG length);
LONG logicalLengthY(const DcState& s, LONG length);
// A logical rectangle as a normalised device one, and back.
RECT toDeviceRect(const DcState& s, const RECT& r);
RECT toLogicalRect(const DcState& s, const RECT& r);

}  // namespace kw::gdi
