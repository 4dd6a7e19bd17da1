// Focus, activation and enabling. Each thread has its own focus and active window; the
// foreground window is the one last activated by any thread.
#include "user32/driver.h"
#include "user32/hooks.h"
#include "user32/thread_input.h"
#include "user32/timers.h"
#include "user32/window.h"

namespace kw::user32 {
namespace {

HWND focusOf(DWORD thread) {
  WindowsLock lock(windowsLock());
  return threadInput(thread).focus;
}

HWND activeOf(DWORD thread) {
  WindowsLock lock(windowsLock());
  return threadInput(thread).active;
}

// Whether `window` is `ancestor` or inside it.
bool within(HWND window, HWND ancestor) { return window && (window == ancestor || IsChild(ancestor, window)); }

// The window to activate when `leaving` stops being active: its owner if that can take
// it, else the topmost visible, enabled top-level window of the thread.
HWND successorOf(HWND leaving) {
  WindowsLock lock(windowsLock());
  Window* w = lockedWindow(leaving);
  const auto usable = [&](Window* o) {
    return o && o->handle != leaving && o->threadId == GetCurrentThreadId() && (o->style & WS_VISIBLE) &&
           !(o->style & WS_DISABLED) && !o->destroying;
  };
  if (w && usable(lockedWindow(w->owner))) return w->owner;
  for (HWND h : lockedWindow(desktopWindow())->children)
    if (usable(lockedWindow(h))) return h;
  return nullptr;
}

}  // namespace

void leaveWindowState(HWND window) {
  DWORD thread = GetCurrentThreadId();
  if (within(focusOf(thread), window)) SetFocus(nullptr);
  if (activeOf(thread) == window) {
    HWND next = successorOf(window);
    if (!next || !SetActiveWindow(next)) SetActiveWindow(nullptr);
  }
}

void forgetWindowState(HWND window) {
  dropTimers(window);
  WindowsLock lock(windowsLock());
  ThreadInput& input = threadInput(threadOf(window));
  if (input.focus == window) input.focus = nullptr;
  if (input.active == window) input.active = nullptr;
  if (foregroundWindow() == window) foregroundWindow() = nullptr;
  if (captureWindow() == window) captureWindow() = nullptr;
}

}  // namespace kw::user32

using namespace kw::user32;

KW32_API HWND WINAPI GetFocus(void) { return focusOf(GetCurrentThreadId()); }

KW32_API HWND WINAPI GetActiveWindow(void) { return activeOf(GetCurrentThreadId()); }

KW32_API HWND WINAPI GetForegroundWindow(void) {
  WindowsLock lock(windowsLock());
  return lockedWindow(foregroundWindow()) ? foregroundWindow() : nullptr;
}

KW32_API BOOL WINAPI SetForegroundWindow(HWND window) {
  WindowPtr w = findWindow(window);
  if (!w) return FALSE;
  HWND top = topLevelOf(window);
  if (threadOf(top) == GetCurrentThreadId()) return SetActiveWindow(top) != nullptr || GetActiveWindow() == top;
  WindowsLock lock(windowsLock());
  foregroundWindow() = top;
  return TRUE;
}

KW32_API HWND WINAPI SetActiveWindow(HWND window) {
  const DWORD thread = GetCurrentThreadId();
  if (window) {
    WindowPtr w = findWindow(window);
    if (!w) return nullptr;
    window = topLevelOf(window);
    if (threadOf(window) != thread || isRoot(window)) {
      SetLastError(ERROR_ACCESS_DENIED);
      return nullptr;
    }
  }
  HWND old = activeOf(thread);
  if (old == window) return old;
  CBTACTIVATESTRUCT cbt{FALSE, old};
  if (window && callCbtHooks(HCBT_ACTIVATE, reinterpret_cast<WPARAM>(window), reinterpret_cast<LPARAM>(&cbt)))
    return nullptr;
  if (IsWindow(old)) {
    SendMessageA(old, WM_NCACTIVATE, FALSE, 0);
    SendMessageA(old, WM_ACTIVATE, MAKEWPARAM(WA_INACTIVE, IsIconic(old)), reinterpret_cast<LPARAM>(window));
  }
  {
    WindowsLock lock(windowsLock());
    threadInput(thread).active = window;
    if (window) foregroundWindow() = window;
  }
  if (window) driver().activated(window);  // the display's keyboard follows
  if (!window) {
    if (GetFocus()) SetFocus(nullptr);
    return old;
  }
  if (GetWindow(window, GW_HWNDFIRST) != window)
    SetWindowPos(window, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  SendMessageA(window, WM_NCACTIVATE, TRUE, 0);
  SendMessageA(window, WM_ACTIVATE, MAKEWPARAM(WA_ACTIVE, IsIconic(window)), reinterpret_cast<LPARAM>(old));
  return old;
}

KW32_API HWND WINAPI SetFocus(HWND window) {
  const DWORD thread = GetCurrentThreadId();
  HWND old = focusOf(thread);
  if (window) {
    WindowPtr w = findWindow(window);
    if (!w) return nullptr;
    if (w->threadId != thread || isRoot(window)) {
      SetLastError(ERROR_ACCESS_DENIED);
      return nullptr;
    }
    if (window == old) return old;
    if (callCbtHooks(HCBT_SETFOCUS, reinterpret_cast<WPARAM>(window), reinterpret_cast<LPARAM>(old))) return nullptr;
    HWND top = topLevelOf(window);
    if (activeOf(thread) != top) {
      SetActiveWindow(top);
      if (activeOf(thread) != top || !IsWindow(window)) return nullptr;
    }
    old = focusOf(thread);
    if (window == old) return old;
  } else {
    if (!old) return nullptr;
    if (callCbtHooks(HCBT_SETFOCUS, 0, reinterpret_cast<LPARAM>(old))) return nullptr;
  }
  {
    WindowsLock lock(windowsLock());
    threadInput(thread).focus = window;
  }
  if (IsWindow(old)) SendMessageA(old, WM_KILLFOCUS, reinterpret_cast<WPARAM>(window), 0);
  if (window && focusOf(thread) == window) SendMessageA(window, WM_SETFOCUS, reinterpret_cast<WPARAM>(old), 0);
  return old;
}

KW32_API BOOL WINAPI EnableWindow(HWND window, BOOL enable) {
  WindowPtr w = findWindow(window);
  if (!w) return FALSE;
  bool wasDisabled;
  {
    WindowsLock lock(windowsLock());
    wasDisabled = w->style & WS_DISABLED;
    if (enable == !wasDisabled) return wasDisabled;
    if (enable) w->style &= ~WS_DISABLED;
    else w->style |= WS_DISABLED;
  }
  if (!enable && w->threadId == GetCurrentThreadId() && within(GetFocus(), window)) SetFocus(nullptr);
  SendMessageA(window, WM_ENABLE, enable ? TRUE : FALSE, 0);
  return wasDisabled;
}

KW32_API BOOL WINAPI IsWindowEnabled(HWND window) {
  WindowPtr w = findWindow(window);
  if (!w) return FALSE;
  return !(styleOf(window) & WS_DISABLED);
}
