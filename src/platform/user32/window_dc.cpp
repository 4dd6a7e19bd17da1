// GetDC, GetWindowDC, ReleaseDC, BeginPaint and EndPaint over the windows' surfaces.
#include "user32/window_dc.h"

#include "gdi32/surface_dc.h"
#include "user32/driver.h"
#include "user32/window.h"
#include "user32/window_surface.h"

#include <algorithm>
#include <mutex>
#include <vector>

namespace kw::user32 {
namespace {

enum class Kind { Client, Whole, Paint, Screen };

struct Entry {
  HDC dc;
  HWND window;  // Screen: as the caller named it (null or the desktop)
  HWND top;     // whose surface it draws on
  Kind kind;
  RECT area;    // surface pixels it may have changed, for the driver
};

// Taken after the windows lock, never before it.
struct Registry {
  std::mutex mutex;
  std::vector<Entry> entries;
};

Registry& registry() {
  static auto* r = new Registry;  // DCs may be released during static clean-up
  return *r;
}

// Takes the entry of `dc` that `matches` out of the registry.
template <class Match>
bool takeEntry(HDC dc, Match matches, Entry* out) {
  Registry& r = registry();
  std::lock_guard<std::mutex> hold(r.mutex);
  auto it = std::find_if(r.entries.begin(), r.entries.end(), [&](const Entry& e) { return e.dc == dc && matches(e); });
  if (it == r.entries.end()) return false;
  *out = *it;
  r.entries.erase(it);
  return true;
}

bool remember(const Entry& e) {
  Registry& r = registry();
  std::lock_guard<std::mutex> hold(r.mutex);
  try {
    r.entries.push_back(e);
  } catch (const std::bad_alloc&) {
    return false;
  }
  return true;
}

HDC screenDC(HWND window) {
  HDC dc = CreateDCA("DISPLAY", nullptr, nullptr, nullptr);
  if (dc && !remember({dc, window, nullptr, Kind::Screen, {}})) {
    DeleteDC(dc);
    return nullptr;
  }
  return dc;
}

// A DC over the window's client area (Whole: its window rectangle), drawing limited to
// `limit` (client coordinates) when given.
HDC windowDC(HWND window, Kind kind, const RECT* limit) {
  DrawArea a;
  if (!drawArea(window, kind == Kind::Whole, &a)) return nullptr;
  RECT clip = a.clip;
  if (limit) {
    RECT box = *limit;
    OffsetRect(&box, a.origin.x, a.origin.y);
    if (!IntersectRect(&clip, &clip, &box)) SetRectEmpty(&clip);
  }
  HDC dc = kw::gdi::createSurfaceDC(a.surface, a.origin, &clip);
  cairo_surface_destroy(a.surface);
  if (!dc || !remember({dc, window, a.top, kind, clip})) {
    if (dc) DeleteDC(dc);
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return nullptr;
  }
  if (!peekWindow(window)) {  // gone meanwhile: its DCs were let go without this one
    forgetWindowDCs(window);
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return nullptr;
  }
  return dc;
}

void finish(const Entry& e) {
  DeleteDC(e.dc);
  if (e.kind != Kind::Screen && !IsRectEmpty(&e.area)) driver().present(e.top, e.area);
}

}  // namespace

void forgetWindowDCs(HWND window) {
  std::vector<HDC> gone;
  {
    Registry& r = registry();
    std::lock_guard<std::mutex> hold(r.mutex);
    for (const Entry& e : r.entries)
      if (e.window == window && e.kind != Kind::Screen) gone.push_back(e.dc);
    std::erase_if(r.entries, [&](const Entry& e) { return e.window == window && e.kind != Kind::Screen; });
  }
  for (HDC dc : gone) DeleteDC(dc);
}

}  // namespace kw::user32

using namespace kw::user32;

KW32_API HDC WINAPI GetDC(HWND window) {
  if (!window || window == desktopWindow()) return screenDC(window);
  return windowDC(window, Kind::Client, nullptr);
}

KW32_API HDC WINAPI GetWindowDC(HWND window) {
  if (!window || window == desktopWindow()) return screenDC(window);
  return windowDC(window, Kind::Whole, nullptr);
}

KW32_API int WINAPI ReleaseDC(HWND window, HDC dc) {
  Entry e;
  bool screen = !window || window == desktopWindow();
  if (!takeEntry(
          dc,
          [&](const Entry& x) { return x.kind != Kind::Paint && (x.kind == Kind::Screen ? screen : x.window == window); },
          &e))
    return 0;
  finish(e);
  return 1;
}

KW32_API HDC WINAPI BeginPaint(HWND window, LPPAINTSTRUCT paint) {
  if (!paint) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  WindowPtr w = findWindow(window);
  if (!w || isRoot(window)) return nullptr;
  RECT box;
  bool erase;
  {
    WindowsLock lock(windowsLock());
    box = w->update;
    erase = w->erase;
    SetRectEmpty(&w->update);
    w->erase = false;
  }
  HDC dc = windowDC(window, Kind::Paint, &box);
  if (!dc) return nullptr;
  *paint = PAINTSTRUCT{};
  paint->hdc = dc;
  paint->rcPaint = box;
  // fErase says whether the background still wants erasing: WM_ERASEBKGND left it.
  if (erase) paint->fErase = SendMessageA(window, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0) == 0;
  return dc;
}

KW32_API BOOL WINAPI EndPaint(HWND window, const PAINTSTRUCT* paint) {
  if (!paint) return FALSE;
  Entry e;
  if (takeEntry(paint->hdc, [&](const Entry& x) { return x.kind == Kind::Paint && x.window == window; }, &e)) finish(e);
  return TRUE;
}
