// Mouse capture: one window at a time takes all mouse input. Only its own thread sets or
// releases it, and GetCapture answers only that thread, as on Windows.
#include "user32/thread_input.h"
#include "user32/window.h"

namespace kw::user32 {
namespace {

// Tells the window that had the capture that `now` has it (null: nobody). Another
// thread's window is told by a posted message, so setting the capture never waits.
void captureLost(HWND old, HWND now) {
  if (!old || old == now || !IsWindow(old)) return;
  if (threadOf(old) == GetCurrentThreadId())
    SendMessageA(old, WM_CAPTURECHANGED, 0, reinterpret_cast<LPARAM>(now));
  else
    PostMessageA(old, WM_CAPTURECHANGED, 0, reinterpret_cast<LPARAM>(now));
}

}  // namespace
}  // namespace kw::user32

using namespace kw::user32;

KW32_API HWND WINAPI SetCapture(HWND window) {
  WindowPtr w = findWindow(window);
  if (!w) return nullptr;
  const DWORD thread = GetCurrentThreadId();
  if (w->threadId != thread || isRoot(window)) {
    SetLastError(ERROR_ACCESS_DENIED);
    return nullptr;
  }
  HWND old;
  bool ours;
  {
    WindowsLock lock(windowsLock());
    old = captureWindow();
    Window* o = lockedWindow(old);
    ours = o && o->threadId == thread;
    captureWindow() = window;
  }
  captureLost(old, window);
  return ours ? old : nullptr;
}

KW32_API BOOL WINAPI ReleaseCapture(void) {
  HWND old;
  {
    WindowsLock lock(windowsLock());
    old = captureWindow();
    Window* o = lockedWindow(old);
    if (o && o->threadId != GetCurrentThreadId()) return TRUE;  // another thread's to release
    captureWindow() = nullptr;
  }
  captureLost(old, nullptr);
  return TRUE;
}

KW32_API HWND WINAPI GetCapture(void) {
  WindowsLock lock(windowsLock());
  Window* w = lockedWindow(captureWindow());
  return w && w->threadId == GetCurrentThreadId() ? w->handle : nullptr;
}
