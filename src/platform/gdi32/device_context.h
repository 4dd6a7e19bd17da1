// Device contexts: the state Win32 keeps per DC (objects, colours, mapping, clipping) over
// a cairo surface. The surface kinds: the display (an image the size of the screen), a
// memory DC (the bitmap selected into it), a surface someone else owns (a window's), and
// information contexts with no surface at all; a printer kind plugs in as one more
// `DeviceCaps` + surface pair.
#pragma once

#include "objects.h"

#include <vector>

namespace kw::gdi {

enum class SurfaceKind { Display, Memory, Borrowed, Information };

struct DeviceCaps {
  int technology = DT_RASDISPLAY;
  int horzRes = 0, vertRes = 0;      // pixels
  int horzSize = 0, vertSize = 0;    // millimetres
  int logPixelsX = 96, logPixelsY = 96;
  int physicalWidth = 0, physicalHeight = 0, physicalOffsetX = 0, physicalOffsetY = 0;
  int bitsPixel = 32;
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
  POINT position{0, 0};  // current position, logical
  bool clipped = false;
  RECT clip{0, 0, 0, 0};  // device coordinates, when clipped
};

struct DeviceContext : GdiObject {
  DeviceContext(SurfaceKind k, const DeviceCaps& c) : GdiObject(ObjectKind::DC), surfaceKind(k), caps(c) {}

  SurfaceKind surfaceKind;
  DeviceCaps caps;
  cairo_surface_t* borrowed = nullptr;  // Borrowed: the owner's surface
  POINT origin{0, 0};                   // surface pixel of device (0,0)
  bool hasBounds = false;
  RECT bounds{0, 0, 0, 0};  // surface pixels that drawing may touch, when hasBounds
  DcState state;
  std::vector<DcState> saved;

  // The surface drawing goes to, or null (information contexts).
  cairo_surface_t* surface() const;
  // Device-coordinate rectangle that drawing is clipped to (surface, bounds and clip
  // region); false when nothing can be drawn.
  bool drawableBox(RECT& box) const;
  // A cairo context in device coordinates with the clip applied, or null. The caller
  // destroys it.
  cairo_t* begin() const;
};

std::shared_ptr<DeviceContext> lookupDC(HDC dc);
HDC insertDC(std::shared_ptr<DeviceContext> dc);
// The display's capabilities: screen size from the setting, 96 pixels per inch.
DeviceCaps displayCaps();
// Selects the default objects into a new DC's state.
void selectDefaults(DcState& state);

// Logical <-> device conversions of one point, with Win32's rounding.
POINT toDevice(const DcState& s, POINT p);
POINT toLogical(const DcState& s, POINT p);
// A logical length in x or y as a device length (absolute).
LONG deviceLengthX(const DcState& s, LONG length);
// Logical rectangle to a normalised device one.
RECT toDeviceRect(const DcState& s, const RECT& r);

}  // namespace kw::gdi
