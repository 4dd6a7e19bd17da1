// What printing asks of a DC: the escapes it takes, the points some escapes give, and
// device lengths in the logical units of its mapping mode.
#pragma once

#include <korvane/win32.h>

namespace kv {

inline bool escapeSupported(HDC dc, int escape) {
  return Escape(dc, QUERYESCSUPPORT, sizeof escape, reinterpret_cast<LPCSTR>(&escape), nullptr) > 0;
}

// A point an escape writes (GETPHYSPAGESIZE, GETPRINTINGOFFSET); false when the device
// does not take it.
inline bool escapePoint(HDC dc, int escape, POINT* out) {
  return escapeSupported(dc, escape) && Escape(dc, escape, 0, nullptr, out) > 0;
}

// A width and height in device units as logical ones, both positive (origins aside).
inline POINT logicalSize(HDC dc, int x, int y) {
  POINT p[2] = {{0, 0}, {x, y}};
  DPtoLP(dc, p, 2);
  const LONG w = p[1].x - p[0].x, h = p[1].y - p[0].y;
  return POINT{w < 0 ? -w : w, h < 0 ? -h : h};
}

}  // namespace kv
