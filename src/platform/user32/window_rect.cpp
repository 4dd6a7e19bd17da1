// Window and client rectangles, and mapping points between windows and the screen.
#include "user32/window.h"

namespace kw::user32 {

POINT clientOrigin(const Window& w) {
  POINT p{w.client.left, w.client.top};
  for (Window* up = lockedWindow(w.parent); up; up = lockedWindow(up->parent)) {
    p.x += up->client.left;
    p.y += up->client.top;
  }
  return p;
}

namespace {

// The shift from a window's client coordinates to the screen; false when not live.
bool shiftOf(HWND window, POINT* shift) {
  if (!window) {
    *shift = {0, 0};
    return true;
  }
  WindowsLock lock(windowsLock());
  Window* w = lockedWindow(window);
  if (!w) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return false;
  }
  *shift = clientOrigin(*w);
  return true;
}

}  // namespace
}  // namespace kw::user32

using namespace kw::user32;

KW32_API BOOL WINAPI GetWindowRect(HWND window, LPRECT rect) {
  WindowPtr w = findWindow(window);
  if (!w || !rect) return FALSE;
  WindowsLock lock(windowsLock());
  POINT origin{0, 0};
  if (Window* parent = lockedWindow(w->parent)) origin = clientOrigin(*parent);
  *rect = w->window;
  OffsetRect(rect, origin.x, origin.y);
  return TRUE;
}

KW32_API BOOL WINAPI GetClientRect(HWND window, LPRECT rect) {
  WindowPtr w = findWindow(window);
  if (!w || !rect) return FALSE;
  WindowsLock lock(windowsLock());
  *rect = {0, 0, w->client.right - w->client.left, w->client.bottom - w->client.top};
  return TRUE;
}

KW32_API BOOL WINAPI ClientToScreen(HWND window, LPPOINT point) {
  POINT shift;
  if (!window || !point || !shiftOf(window, &shift)) return FALSE;
  point->x += shift.x;
  point->y += shift.y;
  return TRUE;
}

KW32_API BOOL WINAPI ScreenToClient(HWND window, LPPOINT point) {
  POINT shift;
  if (!window || !point || !shiftOf(window, &shift)) return FALSE;
  point->x -= shift.x;
  point->y -= shift.y;
  return TRUE;
}

KW32_API int WINAPI MapWindowPoints(HWND from, HWND to, LPPOINT points, UINT count) {
  POINT a, b;
  if (!shiftOf(from, &a) || !shiftOf(to, &b)) return 0;
  SetLastError(0);  // a zero result is then a zero shift, not a failure
  const LONG dx = a.x - b.x, dy = a.y - b.y;
  for (UINT i = 0; points && i < count; ++i) {
    points[i].x += dx;
    points[i].y += dy;
  }
  return MAKELONG(static_cast<WORD>(dx), static_cast<WORD>(dy));
}

KW32_API BOOL WINAPI AdjustWindowRectEx(LPRECT rect, DWORD style, BOOL menu, DWORD exStyle) {
  constexpr LONG kMenuHeight = 19;  // one menu bar line
  if (!rect) return FALSE;
  RECT by = frameInsets(style, exStyle);
  rect->left -= by.left;
  rect->top -= by.top + (menu ? kMenuHeight : 0);
  rect->right += by.right;
  rect->bottom += by.bottom;
  return TRUE;
}

KW32_API BOOL WINAPI AdjustWindowRect(LPRECT rect, DWORD style, BOOL menu) {
  return AdjustWindowRectEx(rect, style, menu, 0);
}
