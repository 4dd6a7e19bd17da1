// SetWindowPos, and ShowWindow and MoveWindow over it.
#include "user32/driver.h"
#include "user32/update_region.h"
#include "user32/window.h"

#include <algorithm>

namespace kw::user32 {
namespace {

bool isTopOfBand(const Window& w) {
  Window* parent = lockedWindow(w.parent);
  if (!parent || parent->children.empty()) return true;
  for (HWND h : parent->children) {
    if (h == w.handle) return true;
    Window* other = lockedWindow(h);
    // Only topmost windows may stay above a plain one.
    if (!(w.exStyle & WS_EX_TOPMOST) && other && (other->exStyle & WS_EX_TOPMOST)) continue;
    return false;
  }
  return true;
}

}  // namespace
}  // namespace kw::user32

using namespace kw::user32;

KW32_API BOOL WINAPI SetWindowPos(HWND window, HWND insertAfter, int x, int y, int width, int height, UINT flags) {
  WindowPtr w = findWindow(window);
  if (!w) return FALSE;
  if (isRoot(window)) {
    SetLastError(ERROR_ACCESS_DENIED);
    return FALSE;
  }
  {
    WindowsLock lock(windowsLock());
    if (w->style & WS_VISIBLE) flags &= ~SWP_SHOWWINDOW;
    else flags &= ~SWP_HIDEWINDOW;
    if (!(flags & SWP_NOZORDER) && insertAfter == HWND_TOP && isTopOfBand(*w)) flags |= SWP_NOZORDER;
  }
  WINDOWPOS pos{window, insertAfter, x, y, std::max(width, 0), std::max(height, 0), flags};
  if (!(flags & SWP_NOSENDCHANGING)) SendMessageA(window, WM_WINDOWPOSCHANGING, 0, reinterpret_cast<LPARAM>(&pos));
  RECT oldWindow, oldClient, newWindow;
  bool sized;
  {
    WindowsLock lock(windowsLock());
    if (w->dead) return FALSE;
    oldWindow = newWindow = w->window;
    oldClient = w->client;
    if (!(pos.flags & SWP_NOMOVE)) OffsetRect(&newWindow, pos.x - oldWindow.left, pos.y - oldWindow.top);
    if (!(pos.flags & SWP_NOSIZE)) {
      newWindow.right = newWindow.left + std::max(pos.cx, 0);
      newWindow.bottom = newWindow.top + std::max(pos.cy, 0);
    }
    if (EqualRect(&newWindow, &oldWindow)) pos.flags |= SWP_NOMOVE | SWP_NOSIZE;
    else if (newWindow.left == oldWindow.left && newWindow.top == oldWindow.top) pos.flags |= SWP_NOMOVE;
    else if (newWindow.right - newWindow.left == oldWindow.right - oldWindow.left &&
             newWindow.bottom - newWindow.top == oldWindow.bottom - oldWindow.top)
      pos.flags |= SWP_NOSIZE;
    sized = !(pos.flags & SWP_NOSIZE) || (pos.flags & SWP_FRAMECHANGED);
    w->window = newWindow;
    if (!sized) {
      w->client = oldClient;
      OffsetRect(&w->client, newWindow.left - oldWindow.left, newWindow.top - oldWindow.top);
    }
    if (!(pos.flags & SWP_NOZORDER)) {
      HWND after = pos.hwndInsertAfter;
      if (after == HWND_TOPMOST) w->exStyle |= WS_EX_TOPMOST;
      if (after == HWND_NOTOPMOST) w->exStyle &= ~WS_EX_TOPMOST;
      if (Window* parent = lockedWindow(w->parent)) linkChild(*parent, window, after);
    }
    if (pos.flags & SWP_SHOWWINDOW) w->style |= WS_VISIBLE;
    if (pos.flags & SWP_HIDEWINDOW) w->style &= ~WS_VISIBLE;
  }
  if (sized) {
    NCCALCSIZE_PARAMS params{{newWindow, oldWindow, oldClient}, &pos};
    SendMessageA(window, WM_NCCALCSIZE, TRUE, reinterpret_cast<LPARAM>(&params));
    WindowsLock lock(windowsLock());
    w->client = params.rgrc[0];
  }
  if ((pos.flags & SWP_SHOWWINDOW) || (sized && !(pos.flags & SWP_NOREDRAW))) invalidateTree(window);
  if (topLevelOf(window) == window) {
    if (pos.flags & (SWP_SHOWWINDOW | SWP_HIDEWINDOW)) driver().shown(window, pos.flags & SWP_SHOWWINDOW);
    // A window activated while hidden (a dialog, as it is made) had nothing on the display
    // to take the keyboard then; it takes it now.
    if ((pos.flags & SWP_SHOWWINDOW) && threadOf(window) == GetCurrentThreadId() && GetActiveWindow() == window)
      driver().activated(window);
    RECT placed;
    if (!(pos.flags & SWP_NOMOVE) || !(pos.flags & SWP_NOSIZE)) {
      if (GetWindowRect(window, &placed)) driver().placed(window, placed);
    }
  }
  SendMessageA(window, WM_WINDOWPOSCHANGED, 0, reinterpret_cast<LPARAM>(&pos));
  if (!(pos.flags & SWP_NOACTIVATE) && IsWindow(window) && topLevelOf(window) == window &&
      (styleOf(window) & WS_VISIBLE) && threadOf(window) == GetCurrentThreadId())
    SetActiveWindow(window);
  return TRUE;
}

KW32_API BOOL WINAPI MoveWindow(HWND window, int x, int y, int width, int height, BOOL repaint) {
  return SetWindowPos(window, nullptr, x, y, width, height,
                      SWP_NOZORDER | SWP_NOACTIVATE | (repaint ? 0 : SWP_NOREDRAW));
}

KW32_API BOOL WINAPI BringWindowToTop(HWND window) {
  return SetWindowPos(window, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

KW32_API BOOL WINAPI ShowWindow(HWND window, int command) {
  WindowPtr w = findWindow(window);
  if (!w || isRoot(window)) return FALSE;
  const DWORD style = styleOf(window);
  const bool wasVisible = style & WS_VISIBLE;
  if (command == SW_HIDE) {
    if (!wasVisible) return FALSE;
    SendMessageA(window, WM_SHOWWINDOW, FALSE, 0);
    SetWindowPos(window, nullptr, 0, 0, 0, 0, SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    leaveWindowState(window);
    return TRUE;
  }
  DWORD shape = 0;  // WS_MINIMIZE or WS_MAXIMIZE after the command
  bool activate = true;
  switch (command) {
    case SW_SHOWMINIMIZED:
    case SW_MINIMIZE: shape = WS_MINIMIZE; activate = command == SW_SHOWMINIMIZED; break;
    case SW_SHOWMINNOACTIVE: shape = WS_MINIMIZE; activate = false; break;
    case SW_SHOWMAXIMIZED: shape = WS_MAXIMIZE; break;
    case SW_SHOWNOACTIVATE:
    case SW_SHOWNA: shape = style & (WS_MINIMIZE | WS_MAXIMIZE); activate = false; break;
    case SW_SHOW: shape = style & (WS_MINIMIZE | WS_MAXIMIZE); break;
    case SW_SHOWNORMAL:
    case SW_RESTORE:
    case SW_SHOWDEFAULT: break;
    default: SetLastError(ERROR_INVALID_PARAMETER); return FALSE;
  }
  const bool reshaped = (style & (WS_MINIMIZE | WS_MAXIMIZE)) != shape;
  RECT target{};  // where a maximized or restored window goes
  bool place = false;
  if (reshaped) {
    WindowsLock lock(windowsLock());
    if (!(w->style & (WS_MINIMIZE | WS_MAXIMIZE))) w->normal = w->window;
    if (shape == WS_MAXIMIZE) {
      // The whole of the parent's client area, the frame just outside it.
      Window* parent = lockedWindow(w->parent);
      RECT by = frameInsets(w->style, w->exStyle);
      target = {-by.left, -by.left, parent->client.right - parent->client.left + by.right,
                parent->client.bottom - parent->client.top + by.bottom};
      place = true;
    } else if (!shape) {
      target = w->normal;
      place = true;
    }
    w->style = (w->style & ~(WS_MINIMIZE | WS_MAXIMIZE)) | shape;
  }
  if (!wasVisible) SendMessageA(window, WM_SHOWWINDOW, TRUE, 0);
  UINT flags = SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | (activate ? 0 : SWP_NOACTIVATE);
  if (!wasVisible) flags |= SWP_SHOWWINDOW;
  if (reshaped) flags |= SWP_FRAMECHANGED;
  if (place) flags &= ~(SWP_NOMOVE | SWP_NOSIZE);
  if (!wasVisible || reshaped)
    SetWindowPos(window, nullptr, target.left, target.top, target.right - target.left, target.bottom - target.top,
                 flags);
  else if (activate && topLevelOf(window) == window && threadOf(window) == GetCurrentThreadId())
    SetActiveWindow(window);
  return wasVisible;
}

KW32_API BOOL WINAPI IsWindowVisible(HWND window) {
  WindowsLock lock(windowsLock());
  Window* w = lockedWindow(window);
  if (!w) return FALSE;
  for (; w; w = lockedWindow(w->parent))
    if (!(w->style & WS_VISIBLE)) return FALSE;
  return TRUE;
}

KW32_API BOOL WINAPI IsIconic(HWND window) { return (styleOf(window) & WS_MINIMIZE) != 0; }

KW32_API BOOL WINAPI IsZoomed(HWND window) { return (styleOf(window) & WS_MAXIMIZE) != 0; }
