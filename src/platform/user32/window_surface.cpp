// The surfaces of top-level windows and the areas of them that windows draw in.
#include "user32/window_surface.h"

#include "user32/window.h"

#include <algorithm>

namespace kw::user32 {
namespace {

// A window larger than this on a side keeps only this much of itself in pixels.
constexpr int kMaxSide = 8192;

RECT intersect(const RECT& a, const RECT& b) {
  RECT r{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right), std::min(a.bottom, b.bottom)};
  if (r.right <= r.left || r.bottom <= r.top) r = {0, 0, 0, 0};
  return r;
}

RECT clientIn(const Window& w, POINT offset) {
  return {offset.x, offset.y, offset.x + w.client.right - w.client.left, offset.y + w.client.bottom - w.client.top};
}

// Under the lock: the top-level window's surface at its present size, made or remade.
cairo_surface_t* surfaceOf(Window& top) {
  int width = std::clamp(static_cast<int>(top.window.right - top.window.left), 0, kMaxSide);
  int height = std::clamp(static_cast<int>(top.window.bottom - top.window.top), 0, kMaxSide);
  cairo_surface_t* old = top.surface.get();
  if (old && cairo_image_surface_get_width(old) == width && cairo_image_surface_get_height(old) == height) return old;
  cairo_surface_t* made = cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height);
  if (cairo_surface_status(made) != CAIRO_STATUS_SUCCESS) {
    cairo_surface_destroy(made);
    return nullptr;
  }
  if (old) {  // what fits of the old pixels stays where it was
    cairo_t* cr = cairo_create(made);
    cairo_set_source_surface(cr, old, 0, 0);
    cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
    cairo_paint(cr);
    cairo_destroy(cr);
  }
  top.surface.reset(made, cairo_surface_destroy);
  return made;
}

// Under the lock: the offset of the window's client area on its top-level window's
// surface, and that top-level window.
POINT clientOffset(const Window& w, HWND* top) {
  POINT p{0, 0};
  const Window* at = &w;
  for (;;) {
    p.x += at->client.left;
    p.y += at->client.top;
    if (!isChildWindow(*at)) break;
    const Window* up = lockedWindow(at->parent);
    if (!up) break;
    at = up;
  }
  p.x -= at->window.left;
  p.y -= at->window.top;
  *top = at->handle;
  return p;
}

}  // namespace

bool drawArea(HWND window, bool whole, DrawArea* out) {
  WindowsLock lock(windowsLock());
  Window* w = lockedWindow(window);
  if (!w || isRoot(window)) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return false;
  }
  HWND topHandle = nullptr;
  POINT client = clientOffset(*w, &topHandle);
  Window* top = lockedWindow(topHandle);
  cairo_surface_t* surface = top ? surfaceOf(*top) : nullptr;
  if (!surface) {
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return false;
  }
  RECT area = clientIn(*w, client);
  if (whole) {
    POINT corner{client.x - (w->client.left - w->window.left), client.y - (w->client.top - w->window.top)};
    area = {corner.x, corner.y, corner.x + w->window.right - w->window.left, corner.y + w->window.bottom - w->window.top};
  }
  out->origin = {area.left, area.top};
  RECT clip = intersect(area, {0, 0, cairo_image_surface_get_width(surface), cairo_image_surface_get_height(surface)});
  // A child window shows only inside its parents' client areas.
  for (const Window* c = w; isChildWindow(*c);) {
    const Window* up = lockedWindow(c->parent);
    if (!up) break;
    HWND ignored;
    clip = intersect(clip, clientIn(*up, clientOffset(*up, &ignored)));
    c = up;
  }
  out->clip = clip;
  out->top = topHandle;
  out->surface = cairo_surface_reference(surface);
  return true;
}

}  // namespace kw::user32
