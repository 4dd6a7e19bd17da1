// Creating and destroying windows, in Win32's message order.
#include "user32/driver.h"
#include "user32/hooks.h"
#include "user32/queue.h"
#include "user32/window.h"
#include "user32/window_dc.h"

#include <algorithm>

namespace kw::user32 {
namespace {

constexpr int kDefaultWidth = 640;  // CW_USEDEFAULT sizes of overlapped windows
constexpr int kDefaultHeight = 480;

// Takes a window out of the tree and the table, with no messages.
void discard(HWND window) {
  WindowsLock lock(windowsLock());
  Window* w = lockedWindow(window);
  if (!w) return;
  unlinkChild(window);
  for (HWND child : w->children) {  // children of other threads stay, as top-level windows
    Window* c = lockedWindow(child);
    if (!c) continue;
    c->parent = desktopWindow();
    c->style &= ~WS_CHILD;
    linkChild(*lockedWindow(desktopWindow()), child, HWND_TOP);
  }
  w->children.clear();
  w->props.clear();
  forgetWindowDCs(window);
  driver().destroyed(window);
  w->surface.reset();
  --w->cls->windows;
  removeWindow(window);
}

// WM_PARENTNOTIFY up the chain of parents, while the windows are children that want it.
void notifyParents(HWND window, UINT event) {
  HWND child = window;
  for (;;) {
    HWND parent;
    LONG_PTR id;
    {
      WindowsLock lock(windowsLock());
      Window* c = lockedWindow(child);
      if (!c || !isChildWindow(*c) || (c->exStyle & WS_EX_NOPARENTNOTIFY)) return;
      parent = c->parent;
      id = lockedWindow(window)->id;
    }
    callWindow(parent, WM_PARENTNOTIFY, MAKEWPARAM(event, id), reinterpret_cast<LPARAM>(window));
    child = parent;
  }
}

void markDestroying(HWND window) {
  Window* w = lockedWindow(window);
  if (!w) return;
  w->destroying = true;
  for (HWND child : w->children) markDestroying(child);
}

std::vector<HWND> childrenOf(HWND window) {
  WindowsLock lock(windowsLock());
  Window* w = lockedWindow(window);
  return w ? w->children : std::vector<HWND>{};
}

// WM_DESTROY to the window, then to its children.
void sendDestroy(HWND window) {
  callWindow(window, WM_DESTROY, 0, 0);
  for (HWND child : childrenOf(window)) sendDestroy(child);
}

// WM_NCDESTROY to the children, then the window; each leaves the table after its message.
void freeWindow(HWND window) {
  for (HWND child : childrenOf(window)) freeWindow(child);
  callWindow(window, WM_NCDESTROY, 0, 0);
  forgetWindowState(window);
  discard(window);
}

std::vector<HWND> ownedBy(HWND owner) {
  WindowsLock lock(windowsLock());
  std::vector<HWND> out;
  for (HWND h : lockedWindow(desktopWindow())->children)
    if (lockedWindow(h)->owner == owner) out.push_back(h);
  return out;
}

struct Placement {
  HWND parent;
  HWND owner;
  bool child;
};

// Where a new window goes; false (with last error) when the parent will not do.
bool place(DWORD style, HWND parent, Placement* p) {
  *p = {desktopWindow(), nullptr, false};
  if (parent == HWND_MESSAGE) {
    p->parent = messageRoot();
    return true;
  }
  if (style & WS_CHILD) {
    if (!parent) {
      SetLastError(ERROR_TLW_WITH_WSCHILD);
      return false;
    }
    if (!findWindow(parent)) return false;
    p->parent = parent;
    p->child = !isRoot(parent);
    return true;
  }
  if (parent) {
    if (!findWindow(parent)) return false;
    if (!isRoot(parent)) p->owner = topLevelOf(parent);  // owners are top-level windows
  }
  return true;
}

}  // namespace

void forgetThreadWindows(DWORD threadId) {
  // The thread has ended, so its windows get no messages; what the system classes keep for
  // them is freed all the same (outside the lock: freeing takes other locks).
  std::vector<std::pair<HWND, void (*)(HWND)>> releases;
  {
    WindowsLock lock(windowsLock());
    for (HWND h : allWindows()) {
      Window* w = lockedWindow(h);
      if (w && w->threadId == threadId && w->cls->release) releases.emplace_back(h, w->cls->release);
    }
  }
  for (const auto& [window, release] : releases) release(window);
  WindowsLock lock(windowsLock());
  for (HWND h : allWindows()) {
    Window* w = lockedWindow(h);
    if (w && w->threadId == threadId) {
      forgetWindowState(h);
      discard(h);
    }
  }
  for (HWND h : allWindows()) {  // windows they owned lose their owner
    Window* w = lockedWindow(h);
    if (w && w->owner && !lockedWindow(w->owner)) w->owner = nullptr;
  }
}

}  // namespace kw::user32

using namespace kw::user32;

KW32_API HWND WINAPI CreateWindowExA(DWORD exStyle, LPCSTR className, LPCSTR windowName, DWORD style, int x, int y,
                                     int width, int height, HWND parent, HMENU menu, HINSTANCE instance,
                                     LPVOID param) {
  currentQueue();
  Placement where;
  if (!place(style, parent, &where)) return nullptr;
  std::shared_ptr<WindowClass> cls = findClass(className, instance);
  if (!cls) {
    SetLastError(ERROR_CANNOT_FIND_WND_CLASS);
    return nullptr;
  }
  const bool overlapped = !(style & (WS_CHILD | WS_POPUP));
  if (!where.child) style |= WS_CLIPSIBLINGS;
  if (overlapped) style |= WS_CAPTION;
  if (x == CW_USEDEFAULT) x = y = 0;
  if (width == CW_USEDEFAULT) {
    width = overlapped ? kDefaultWidth : 0;
    height = overlapped ? kDefaultHeight : 0;
  }
  width = std::max(width, 0);
  height = std::max(height, 0);

  auto record = std::make_shared<Window>();
  record->cls = cls;
  record->threadId = GetCurrentThreadId();
  record->proc = cls->proc;
  record->style = style & ~WS_VISIBLE;  // ShowWindow sets it at the end
  record->exStyle = exStyle;
  record->instance = instance;
  record->id = reinterpret_cast<LONG_PTR>(menu);
  record->extra.assign(static_cast<size_t>(cls->wndExtra), 0);
  record->parent = where.parent;
  record->owner = where.owner;
  record->window = {x, y, x + width, y + height};
  record->client = record->normal = record->window;
  HWND window;
  {
    WindowsLock lock(windowsLock());
    window = addWindow(record);
    if (!window) {
      SetLastError(ERROR_NOT_ENOUGH_MEMORY);
      return nullptr;
    }
    ++cls->windows;
    linkChild(*lockedWindow(where.parent), window, where.child ? HWND_BOTTOM : HWND_TOP);
  }

  CREATESTRUCTA cs{param, instance, menu, parent, height, width, y, x, static_cast<LONG>(style),
                   windowName, className, exStyle};
  CBT_CREATEWNDA cbt{&cs, where.child ? HWND_BOTTOM : HWND_TOP};
  if (callCbtHooks(HCBT_CREATEWND, reinterpret_cast<WPARAM>(window), reinterpret_cast<LPARAM>(&cbt))) {
    discard(window);
    return nullptr;
  }
  if (!where.child && where.parent == desktopWindow()) {
    MINMAXINFO mmi{};
    mmi.ptMaxSize = mmi.ptMaxTrackSize = {kDefaultWidth * 2, kDefaultHeight * 2};
    callWindow(window, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&mmi));
  }
  if (!callWindow(window, WM_NCCREATE, 0, reinterpret_cast<LPARAM>(&cs))) {
    if (IsWindow(window)) freeWindow(window);
    return nullptr;
  }
  if (!IsWindow(window)) return nullptr;
  RECT client = record->window;
  callWindow(window, WM_NCCALCSIZE, FALSE, reinterpret_cast<LPARAM>(&client));
  {
    WindowsLock lock(windowsLock());
    record->client = client;
  }
  if (callWindow(window, WM_CREATE, 0, reinterpret_cast<LPARAM>(&cs)) == -1) {
    DestroyWindow(window);
    return nullptr;
  }
  if (!IsWindow(window)) return nullptr;
  callWindow(window, WM_SIZE, SIZE_RESTORED, MAKELPARAM(client.right - client.left, client.bottom - client.top));
  callWindow(window, WM_MOVE, 0, MAKELPARAM(client.left, client.top));
  notifyParents(window, WM_CREATE);
  if (IsWindow(window) && (style & WS_VISIBLE)) ShowWindow(window, SW_SHOW);
  return IsWindow(window) ? window : nullptr;
}

KW32_API BOOL WINAPI DestroyWindow(HWND window) {
  WindowPtr w = findWindow(window);
  if (!w) return FALSE;
  if (isRoot(window) || w->threadId != GetCurrentThreadId()) {
    SetLastError(ERROR_ACCESS_DENIED);
    return FALSE;
  }
  {
    WindowsLock lock(windowsLock());
    if (w->destroying) return FALSE;
  }
  if (callCbtHooks(HCBT_DESTROYWND, reinterpret_cast<WPARAM>(window), 0)) return FALSE;
  {
    WindowsLock lock(windowsLock());
    if (w->destroying || w->dead) return FALSE;
    markDestroying(window);
  }
  notifyParents(window, WM_DESTROY);
  if (IsWindowVisible(window))
    SetWindowPos(window, nullptr, 0, 0, 0, 0,
                 SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  for (HWND owned : ownedBy(window))
    if (threadOf(owned) == GetCurrentThreadId()) DestroyWindow(owned);
  leaveWindowState(window);
  sendDestroy(window);
  freeWindow(window);
  return TRUE;
}
