// Update rectangles: what InvalidateRect adds and painting takes away.
#include "user32/update_region.h"

#include "user32/queue.h"
#include "user32/window.h"

#include <algorithm>

namespace kw::user32 {
namespace {

RECT clientArea(const Window& w) { return {0, 0, w.client.right - w.client.left, w.client.bottom - w.client.top}; }

// Under the lock: adds `rect` (null: all) to the window's update rectangle; whether it
// grew.
bool addUpdate(Window& w, const RECT* rect, bool erase) {
  RECT area = clientArea(w);
  RECT add;
  if (!IntersectRect(&add, rect ? rect : &area, &area)) return false;
  UnionRect(&w.update, &w.update, &add);
  w.erase = w.erase || erase;
  return true;
}

void wakeThread(DWORD thread) {
  if (QueuePtr q = queueOf(thread)) nudge(*q);
}

bool visible(const Window* w) {
  for (; w; w = lockedWindow(w->parent))
    if (!(w->style & WS_VISIBLE)) return false;
  return true;
}

HWND searchTree(HWND window, DWORD thread, const std::vector<HWND>& windows) {
  Window* w = lockedWindow(window);
  if (!w || !(w->style & WS_VISIBLE)) return nullptr;
  if (w->threadId == thread && !IsRectEmpty(&w->update) &&
      (windows.empty() || std::find(windows.begin(), windows.end(), window) != windows.end()))
    return window;
  for (HWND child : w->children)
    if (HWND found = searchTree(child, thread, windows)) return found;
  return nullptr;
}

void invalidateLocked(HWND window, std::vector<DWORD>* threads) {
  Window* w = lockedWindow(window);
  if (!w) return;
  if (addUpdate(*w, nullptr, true)) threads->push_back(w->threadId);
  for (HWND child : w->children) invalidateLocked(child, threads);
}

}  // namespace

HWND nextToPaint(DWORD thread, const std::vector<HWND>& windows) {
  WindowsLock lock(windowsLock());
  for (HWND top : lockedWindow(desktopWindow())->children)
    if (HWND found = searchTree(top, thread, windows)) return found;
  return nullptr;
}

void invalidateTree(HWND window) {
  std::vector<DWORD> threads;
  {
    WindowsLock lock(windowsLock());
    invalidateLocked(window, &threads);
  }
  std::sort(threads.begin(), threads.end());
  threads.erase(std::unique(threads.begin(), threads.end()), threads.end());
  for (DWORD t : threads) wakeThread(t);
}

}  // namespace kw::user32

using namespace kw::user32;

KW32_API BOOL WINAPI InvalidateRect(HWND window, const RECT* rect, BOOL erase) {
  if (!window) {
    std::vector<HWND> tops;
    {
      WindowsLock lock(windowsLock());
      tops = lockedWindow(desktopWindow())->children;
    }
    for (HWND top : tops) InvalidateRect(top, nullptr, erase);
    return TRUE;
  }
  WindowPtr w = findWindow(window);
  if (!w) return FALSE;
  bool grew;
  {
    WindowsLock lock(windowsLock());
    grew = addUpdate(*w, rect, erase) && visible(w.get());
  }
  if (grew) wakeThread(w->threadId);
  return TRUE;
}

KW32_API BOOL WINAPI ValidateRect(HWND window, const RECT* rect) {
  WindowPtr w = findWindow(window);
  if (!w) return FALSE;
  WindowsLock lock(windowsLock());
  if (rect)
    SubtractRect(&w->update, &w->update, rect);
  else
    SetRectEmpty(&w->update);
  if (IsRectEmpty(&w->update)) {
    SetRectEmpty(&w->update);
    w->erase = false;
  }
  return TRUE;
}

KW32_API BOOL WINAPI GetUpdateRect(HWND window, LPRECT rect, BOOL) {
  WindowPtr w = findWindow(window);
  if (!w) return FALSE;
  WindowsLock lock(windowsLock());
  if (rect) *rect = w->update;
  return !IsRectEmpty(&w->update);
}

KW32_API BOOL WINAPI UpdateWindow(HWND window) {
  WindowPtr w = findWindow(window);
  if (!w) return FALSE;
  std::vector<HWND> tree{window};
  {
    WindowsLock lock(windowsLock());
    if (!visible(w.get())) return TRUE;
    for (size_t i = 0; i < tree.size(); ++i)  // breadth first: parents before children
      if (Window* t = lockedWindow(tree[i]))
        for (HWND child : t->children) tree.push_back(child);
  }
  for (HWND h : tree) {
    bool due;
    {
      WindowsLock lock(windowsLock());
      Window* t = lockedWindow(h);
      due = t && t->threadId == w->threadId && !IsRectEmpty(&t->update) && visible(t);
    }
    if (due) SendMessageA(h, WM_PAINT, 0, 0);
  }
  return TRUE;
}
