// The default window procedure.
#include "user32/window.h"

namespace kw::user32 {
namespace {

RECT inset(RECT r, const RECT& by) {
  r.left += by.left;
  r.top += by.top;
  r.right -= by.right;
  r.bottom -= by.bottom;
  if (r.right < r.left) r.right = r.left;
  if (r.bottom < r.top) r.bottom = r.top;
  return r;
}

LRESULT calcSize(HWND window, WPARAM full, LPARAM lParam) {
  if (!lParam) return 0;
  RECT insets;
  {
    WindowsLock lock(windowsLock());
    Window* w = lockedWindow(window);
    if (!w) return 0;
    insets = frameInsets(w->style, w->exStyle);
  }
  RECT* r = full ? &reinterpret_cast<NCCALCSIZE_PARAMS*>(lParam)->rgrc[0] : reinterpret_cast<RECT*>(lParam);
  *r = inset(*r, insets);
  return 0;
}

// Fills the client area with the class brush, which may be a system colour index + 1.
LRESULT eraseBackground(HWND window, HDC dc) {
  auto brush = reinterpret_cast<HBRUSH>(GetClassLongPtrA(window, GCLP_HBRBACKGROUND));
  if (!brush || !dc) return 0;
  auto value = reinterpret_cast<ULONG_PTR>(brush);
  if (value <= COLOR_GRADIENTINACTIVECAPTION + 1) brush = GetSysColorBrush(static_cast<int>(value) - 1);
  RECT client;
  if (!brush || !GetClientRect(window, &client)) return 0;
  return FillRect(dc, &client, brush) ? 1 : 0;
}

}  // namespace

RECT frameInsets(DWORD style, DWORD exStyle) {
  int frame = 0;
  if (style & WS_THICKFRAME)
    frame = 4;
  else if ((style & WS_DLGFRAME) || (exStyle & WS_EX_DLGMODALFRAME))
    frame = 3;
  else if (style & WS_BORDER)
    frame = 1;
  if (exStyle & WS_EX_CLIENTEDGE) frame += 2;
  if (exStyle & WS_EX_STATICEDGE) frame += 1;
  int caption = (style & WS_CAPTION) == WS_CAPTION ? 19 : 0;
  if (exStyle & WS_EX_TOOLWINDOW && caption) caption = 16;
  return {frame, frame + caption, frame, frame};
}

}  // namespace kw::user32

using namespace kw::user32;

KW32_API LRESULT WINAPI DefWindowProcA(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_NCCREATE: {
      const auto* cs = reinterpret_cast<const CREATESTRUCTA*>(lParam);
      if (cs && cs->lpszName && (reinterpret_cast<ULONG_PTR>(cs->lpszName) >> 16)) storeWindowText(window, cs->lpszName);
      return TRUE;
    }
    case WM_NCCALCSIZE: return calcSize(window, wParam, lParam);
    case WM_SETTEXT: storeWindowText(window, reinterpret_cast<LPCSTR>(lParam)); return TRUE;
    case WM_GETTEXT: return copyWindowText(window, wParam, reinterpret_cast<LPSTR>(lParam));
    case WM_GETTEXTLENGTH: return static_cast<LRESULT>(windowTextLength(window));
    case WM_CLOSE: DestroyWindow(window); return 0;
    case WM_NCACTIVATE: return TRUE;
    case WM_ACTIVATE:
      if (LOWORD(wParam) != WA_INACTIVE && !(styleOf(window) & WS_MINIMIZE)) SetFocus(window);
      return 0;
    case WM_WINDOWPOSCHANGED: {
      const auto* pos = reinterpret_cast<const WINDOWPOS*>(lParam);
      if (!pos) return 0;
      RECT client;
      {
        WindowsLock lock(windowsLock());
        Window* w = lockedWindow(window);
        if (!w) return 0;
        client = w->client;
      }
      if (!(pos->flags & SWP_NOMOVE)) SendMessageA(window, WM_MOVE, 0, MAKELPARAM(client.left, client.top));
      if (!(pos->flags & SWP_NOSIZE)) {
        WPARAM kind = (styleOf(window) & WS_MINIMIZE) ? SIZE_MINIMIZED
                      : (styleOf(window) & WS_MAXIMIZE) ? SIZE_MAXIMIZED : SIZE_RESTORED;
        SendMessageA(window, WM_SIZE, kind, MAKELPARAM(client.right - client.left, client.bottom - client.top));
      }
      return 0;
    }
    case WM_PAINT: {  // nothing of its own to draw; the background is erased
      PAINTSTRUCT ps;
      if (BeginPaint(window, &ps)) EndPaint(window, &ps);
      return 0;
    }
    case WM_ERASEBKGND: return eraseBackground(window, reinterpret_cast<HDC>(wParam));
    case WM_QUERYENDSESSION: return TRUE;
    case WM_MOUSEACTIVATE: return 1;  // MA_ACTIVATE
    default: return 0;
  }
}
