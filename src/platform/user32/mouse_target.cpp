// Which window is at a point: the hit test mouse input and WindowFromPoint share, and
// ChildWindowFromPoint's one level of it.
#include "user32/mouse.h"
#include "user32/window.h"

namespace kw::user32 {
namespace {

bool contains(const RECT& r, POINT p) { return p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom; }

// Under the lock: the deepest window at `p` (in the parent's client coordinates of `w`)
// inside `w`. A disabled child is passed over for `w`, and nothing inside it is looked at.
HWND deepest(const Window& w, POINT p, bool* inClient) {
  *inClient = contains(w.client, p);
  if (!*inClient) return w.handle;
  const POINT inner{p.x - w.client.left, p.y - w.client.top};
  for (HWND h : w.children) {
    Window* c = lockedWindow(h);
    if (!c || !(c->style & WS_VISIBLE) || !contains(c->window, inner)) continue;
    if (c->style & WS_DISABLED) return w.handle;
    return deepest(*c, inner, inClient);
  }
  return w.handle;
}

}  // namespace

HWND windowAt(POINT screen, bool* inClient) {
  bool client = false;
  HWND found = nullptr;
  for (HWND h : lockedWindow(desktopWindow())->children) {
    Window* top = lockedWindow(h);
    if (!top || !(top->style & WS_VISIBLE) || !contains(top->window, screen)) continue;
    // A disabled top-level window is the answer itself: what is inside it is out of reach.
    if (top->style & WS_DISABLED) {
      client = contains(top->client, screen);
      found = h;
    } else {
      found = deepest(*top, screen, &client);
    }
    break;
  }
  if (inClient) *inClient = client;
  return found;
}

}  // namespace kw::user32

using namespace kw::user32;

KW32_API HWND WINAPI WindowFromPoint(POINT point) {
  WindowsLock lock(windowsLock());
  return windowAt(point, nullptr);
}

KW32_API HWND WINAPI ChildWindowFromPoint(HWND parent, POINT point) {
  WindowPtr held = findWindow(parent);
  if (!held) return nullptr;
  WindowsLock lock(windowsLock());
  Window* w = lockedWindow(parent);
  if (!w) return nullptr;
  const RECT area{0, 0, w->client.right - w->client.left, w->client.bottom - w->client.top};
  if (!contains(area, point)) return nullptr;
  for (HWND h : w->children) {
    Window* c = lockedWindow(h);
    if (c && contains(c->window, point)) return h;
  }
  return parent;
}
