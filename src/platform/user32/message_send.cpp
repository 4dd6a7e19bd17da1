// Sending messages: straight to the procedure on the window's own thread, through the
// target thread's queue otherwise; broadcasts to every top-level window.
#include "user32/queue.h"
#include "user32/window.h"

namespace kw::user32 {
namespace {

std::vector<HWND> topLevelWindows() {
  WindowsLock lock(windowsLock());
  return lockedWindow(desktopWindow())->children;
}

// One window: false when it could not be reached or did not answer in time.
bool sendOne(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT flags, UINT timeoutMs,
             LRESULT* result) {
  DWORD thread = threadOf(window);
  if (!thread) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return false;
  }
  if (thread == GetCurrentThreadId()) {
    *result = callWindow(window, message, wParam, lParam);
    return true;
  }
  if (!sendAcross(thread, window, message, wParam, lParam, flags, timeoutMs, result)) {
    SetLastError(timeoutMs ? ERROR_TIMEOUT : ERROR_INVALID_WINDOW_HANDLE);
    return false;
  }
  return true;
}

}  // namespace
}  // namespace kw::user32

using namespace kw::user32;

KW32_API LRESULT WINAPI CallWindowProcA(WNDPROC proc, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return proc ? proc(window, message, wParam, lParam) : 0;
}

KW32_API LRESULT WINAPI SendMessageA(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT result = 0;
  if (window == HWND_BROADCAST) {
    for (HWND top : topLevelWindows()) sendOne(top, message, wParam, lParam, SMTO_NORMAL, 0, &result);
    return TRUE;
  }
  if (!sendOne(window, message, wParam, lParam, SMTO_NORMAL, 0, &result)) return 0;
  return result;
}

KW32_API LRESULT WINAPI SendMessageTimeoutA(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT flags,
                                            UINT timeout, PDWORD_PTR result) {
  // A zero time-out still means "do not wait": one millisecond is the least the wait takes.
  UINT limit = timeout ? timeout : 1;
  LRESULT answer = 0;
  if (result) *result = 0;
  if (window == HWND_BROADCAST) {
    for (HWND top : topLevelWindows()) sendOne(top, message, wParam, lParam, flags, limit, &answer);
    return TRUE;
  }
  if (!sendOne(window, message, wParam, lParam, flags, limit, &answer)) return 0;
  if (result) *result = static_cast<DWORD_PTR>(answer);
  return TRUE;
}

KW32_API BOOL WINAPI InSendMessage(void) { return currentQueue()->answering > 0; }
