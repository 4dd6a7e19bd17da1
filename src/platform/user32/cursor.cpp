// System cursors and icons (handles only: nothing is drawn without a display), the
// cursor in force and its position, and the beep.
#include "user32/driver.h"

#include <korvane/platform.h>

#include <atomic>
#include <mutex>

namespace {

constexpr WORD kFirstCursor = 32512;
constexpr WORD kLastCursor = 32651;
constexpr WORD kLastIcon = 32517;

// A system cursor or icon's handle: a tagged number no other handle uses.
template <typename Handle>
Handle systemHandle(HINSTANCE module, LPCSTR name, WORD last, ULONG_PTR tag) {
  ULONG_PTR id = reinterpret_cast<ULONG_PTR>(name);
  if (module || (id >> 16) || id < kFirstCursor || id > last) {
    SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
    return nullptr;
  }
  return reinterpret_cast<Handle>(tag | id);
}

struct CursorState {
  std::mutex mutex;
  HCURSOR current = nullptr;
  POINT position{0, 0};
  int showCount = 0;
};

CursorState& cursorState() {
  static auto* s = new CursorState;
  return *s;
}

std::atomic<KwBeepHook> gBeepHook{nullptr};

}  // namespace

KW32_API HCURSOR WINAPI LoadCursorA(HINSTANCE module, LPCSTR name) {
  return systemHandle<HCURSOR>(module, name, kLastCursor, 0x10000);
}

KW32_API HICON WINAPI LoadIconA(HINSTANCE module, LPCSTR name) {
  return systemHandle<HICON>(module, name, kLastIcon, 0x20000);
}

KW32_API HCURSOR WINAPI SetCursor(HCURSOR cursor) {
  CursorState& s = cursorState();
  HCURSOR old;
  {
    std::lock_guard<std::mutex> lock(s.mutex);
    old = s.current;
    s.current = cursor;
  }
  if (old != cursor) kw::user32::driver().cursorChanged(cursor);
  return old;
}

KW32_API HCURSOR WINAPI GetCursor(void) {
  CursorState& s = cursorState();
  std::lock_guard<std::mutex> lock(s.mutex);
  return s.current;
}

KW32_API BOOL WINAPI DestroyCursor(HCURSOR) { return TRUE; }  // system cursors stay

KW32_API BOOL WINAPI DestroyIcon(HICON) { return TRUE; }

KW32_API int WINAPI ShowCursor(BOOL show) {
  CursorState& s = cursorState();
  std::lock_guard<std::mutex> lock(s.mutex);
  return show ? ++s.showCount : --s.showCount;
}

KW32_API BOOL WINAPI GetCursorPos(LPPOINT point) {
  if (!point) return FALSE;
  CursorState& s = cursorState();
  std::lock_guard<std::mutex> lock(s.mutex);
  *point = s.position;
  return TRUE;
}

KW32_API BOOL WINAPI SetCursorPos(int x, int y) {
  CursorState& s = cursorState();
  std::lock_guard<std::mutex> lock(s.mutex);
  s.position = {x, y};
  return TRUE;
}

KW32_API BOOL WINAPI MessageBeep(UINT type) {
  if (KwBeepHook hook = gBeepHook.load())
    hook(type);
  else
    kw::user32::driver().beep(type);
  return TRUE;
}

KW32_API void WINAPI KwSetBeepHook(KwBeepHook hook) { gBeepHook.store(hook); }
