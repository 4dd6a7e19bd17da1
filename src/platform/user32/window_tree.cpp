// The window tree: parents, owners, children in z-order, and the searches over them.
#include "user32/window.h"

#include <algorithm>
#include <unistd.h>

namespace kw::user32 {
namespace {

bool isTopmost(HWND window) {
  Window* w = lockedWindow(window);
  return w && (w->exStyle & WS_EX_TOPMOST);
}

// The window's siblings in z-order (its own entry included); null for a root.
std::vector<HWND>* siblingsOf(const Window& w) {
  Window* parent = lockedWindow(w.parent);
  return parent ? &parent->children : nullptr;
}

std::vector<HWND> childrenOf(HWND parent) {
  WindowsLock lock(windowsLock());
  Window* p = lockedWindow(parent);
  return p ? p->children : std::vector<HWND>{};
}

bool matches(HWND window, LPCSTR className, LPCSTR windowName) {
  WindowsLock lock(windowsLock());
  Window* w = lockedWindow(window);
  if (!w) return false;
  if (className) {
    bool atom = (reinterpret_cast<ULONG_PTR>(className) >> 16) == 0;
    if (atom ? w->cls->atom != LOWORD(reinterpret_cast<ULONG_PTR>(className)) : !sameName(w->cls->name, className))
      return false;
  }
  return !windowName || sameName(w->text, windowName);
}

}  // namespace

void linkChild(Window& parent, HWND child, HWND after) {
  auto& list = parent.children;
  list.erase(std::remove(list.begin(), list.end(), child), list.end());
  const bool topLevel = parent.handle == desktopWindow();
  const bool topmost = topLevel && isTopmost(child);
  // The band the window may go in: topmost windows above all others.
  auto bandBegin = list.begin();
  auto bandEnd = list.end();
  if (topLevel) {
    auto firstPlain = std::find_if(list.begin(), list.end(), [](HWND h) { return !isTopmost(h); });
    (topmost ? bandEnd : bandBegin) = firstPlain;
  }
  auto at = bandEnd;
  if (after == HWND_TOP || after == HWND_TOPMOST || after == HWND_NOTOPMOST) {
    at = bandBegin;
  } else if (after != HWND_BOTTOM) {
    auto it = std::find(bandBegin, bandEnd, after);
    if (it != bandEnd) at = it + 1;
  }
  list.insert(at, child);
}

void unlinkChild(HWND child) {
  Window* w = lockedWindow(child);
  if (!w) return;
  if (auto* list = siblingsOf(*w)) list->erase(std::remove(list->begin(), list->end(), child), list->end());
}

WNDPROC procOf(HWND window) {
  WindowsLock lock(windowsLock());
  Window* w = lockedWindow(window);
  return w ? w->proc : nullptr;
}

DWORD threadOf(HWND window) {
  WindowsLock lock(windowsLock());
  Window* w = lockedWindow(window);
  return w ? w->threadId : 0;
}

DWORD styleOf(HWND window) {
  WindowsLock lock(windowsLock());
  Window* w = lockedWindow(window);
  return w ? w->style : 0;
}

bool isChildWindow(const Window& w) { return (w.style & WS_CHILD) && !isRoot(w.parent); }

HWND topLevelOf(HWND window) {
  WindowsLock lock(windowsLock());
  Window* w = lockedWindow(window);
  while (w && isChildWindow(*w)) w = lockedWindow(w->parent);
  return w ? w->handle : nullptr;
}

LRESULT callWindow(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  WNDPROC proc = procOf(window);
  return proc ? proc(window, message, wParam, lParam) : 0;
}

}  // namespace kw::user32

using namespace kw::user32;

KW32_API BOOL WINAPI IsWindow(HWND window) { return peekWindow(window) != nullptr; }

KW32_API HWND WINAPI GetDesktopWindow(void) { return desktopWindow(); }

KW32_API HWND WINAPI GetParent(HWND window) {
  WindowPtr w = findWindow(window);
  if (!w) return nullptr;
  WindowsLock lock(windowsLock());
  if (isChildWindow(*w)) return w->parent;
  return (w->style & WS_POPUP) ? w->owner : nullptr;
}

KW32_API HWND WINAPI GetAncestor(HWND window, UINT flags) {
  WindowPtr w = findWindow(window);
  if (!w || isRoot(window)) return nullptr;
  WindowsLock lock(windowsLock());
  switch (flags) {
    case GA_PARENT: return w->parent;
    case GA_ROOT: return topLevelOf(window);
    case GA_ROOTOWNER: {
      Window* top = lockedWindow(topLevelOf(window));
      while (top && top->owner && lockedWindow(top->owner)) top = lockedWindow(top->owner);
      return top ? top->handle : nullptr;
    }
    default: SetLastError(ERROR_INVALID_PARAMETER); return nullptr;
  }
}

KW32_API HWND WINAPI SetParent(HWND child, HWND newParent) {
  WindowPtr w = findWindow(child);
  if (!w || isRoot(child)) return nullptr;
  HWND target = newParent ? newParent : desktopWindow();
  if (newParent == HWND_MESSAGE) target = messageRoot();
  WindowsLock lock(windowsLock());
  Window* p = lockedWindow(target);
  if (!p) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return nullptr;
  }
  for (Window* up = p; up; up = lockedWindow(up->parent)) {
    if (up->handle == child) {  // a window cannot go under its own descendant
      SetLastError(ERROR_INVALID_PARAMETER);
      return nullptr;
    }
  }
  HWND old = w->parent;
  unlinkChild(child);
  w->parent = target;
  linkChild(*p, child, HWND_TOP);
  return isRoot(old) && old == desktopWindow() ? desktopWindow() : old;
}

KW32_API BOOL WINAPI IsChild(HWND parent, HWND window) {
  WindowsLock lock(windowsLock());
  Window* w = lockedWindow(window);
  while (w && isChildWindow(*w)) {
    if (w->parent == parent) return TRUE;
    w = lockedWindow(w->parent);
  }
  return FALSE;
}

KW32_API HWND WINAPI GetWindow(HWND window, UINT relation) {
  WindowPtr w = findWindow(window);
  if (!w) return nullptr;
  WindowsLock lock(windowsLock());
  if (relation == GW_CHILD) return w->children.empty() ? nullptr : w->children.front();
  if (relation == GW_OWNER) return w->owner;
  if (relation == GW_ENABLEDPOPUP) {
    Window* desktop = lockedWindow(desktopWindow());
    for (HWND h : desktop->children) {
      Window* o = lockedWindow(h);
      if (o->owner == window && (o->style & WS_VISIBLE) && !(o->style & WS_DISABLED)) return h;
    }
    return nullptr;
  }
  const std::vector<HWND>* siblings = siblingsOf(*w);
  if (!siblings) return nullptr;
  auto it = std::find(siblings->begin(), siblings->end(), window);
  switch (relation) {
    case GW_HWNDFIRST: return siblings->front();
    case GW_HWNDLAST: return siblings->back();
    case GW_HWNDNEXT: return it + 1 < siblings->end() ? *(it + 1) : nullptr;
    case GW_HWNDPREV: return it != siblings->begin() ? *(it - 1) : nullptr;
    default: SetLastError(ERROR_INVALID_PARAMETER); return nullptr;
  }
}

KW32_API HWND WINAPI GetTopWindow(HWND window) {
  return GetWindow(window ? window : desktopWindow(), GW_CHILD);
}

KW32_API HWND WINAPI FindWindowExA(HWND parent, HWND after, LPCSTR className, LPCSTR windowName) {
  HWND root = parent == HWND_MESSAGE ? messageRoot() : parent ? parent : desktopWindow();
  if (!findWindow(root)) return nullptr;
  std::vector<HWND> list = childrenOf(root);
  auto it = list.begin();
  if (after) {
    it = std::find(list.begin(), list.end(), after);
    if (it == list.end()) return nullptr;
    ++it;
  }
  for (; it != list.end(); ++it)
    if (matches(*it, className, windowName)) return *it;
  return nullptr;
}

KW32_API HWND WINAPI FindWindowA(LPCSTR className, LPCSTR windowName) {
  return FindWindowExA(nullptr, nullptr, className, windowName);
}

KW32_API BOOL WINAPI EnumWindows(WNDENUMPROC proc, LPARAM param) {
  if (!proc) return FALSE;
  for (HWND h : childrenOf(desktopWindow()))
    if (IsWindow(h) && !proc(h, param)) return FALSE;
  return TRUE;
}

namespace {
bool enumTree(HWND parent, WNDENUMPROC proc, LPARAM param) {
  for (HWND h : childrenOf(parent)) {
    if (!IsWindow(h)) continue;
    if (!proc(h, param) || !enumTree(h, proc, param)) return false;
  }
  return true;
}
}  // namespace

KW32_API BOOL WINAPI EnumChildWindows(HWND parent, WNDENUMPROC proc, LPARAM param) {
  if (!proc) return FALSE;
  return enumTree(parent ? parent : desktopWindow(), proc, param);
}

KW32_API DWORD WINAPI GetWindowThreadProcessId(HWND window, LPDWORD processId) {
  WindowPtr w = findWindow(window);
  if (!w) return 0;
  if (processId) *processId = static_cast<DWORD>(getpid());
  return w->threadId;
}
