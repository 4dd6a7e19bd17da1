// Window longs: the fixed GWL_ indexes and the window extra bytes.
#include "user32/window.h"

#include <cstring>

namespace kw::user32 {
namespace {

// Reads or writes `size` bytes of the extra area at `index`; false beyond it.
bool extraBytes(Window& w, int index, size_t size, void* read, const void* write) {
  if (index < 0 || static_cast<size_t>(index) + size > w.extra.size()) return false;
  if (read) std::memcpy(read, w.extra.data() + index, size);
  if (write) std::memcpy(w.extra.data() + index, write, size);
  return true;
}

LONG_PTR getLong(HWND window, int index, size_t size) {
  WindowPtr w = findWindow(window);
  if (!w) return 0;
  WindowsLock lock(windowsLock());
  if (index >= 0) {
    LONG_PTR wide = 0;
    LONG narrow = 0;
    if (!extraBytes(*w, index, size, size == sizeof wide ? static_cast<void*>(&wide) : &narrow, nullptr)) {
      SetLastError(ERROR_INVALID_INDEX);
      return 0;
    }
    return size == sizeof wide ? wide : narrow;
  }
  switch (index) {
    case GWLP_WNDPROC: return reinterpret_cast<LONG_PTR>(w->proc);
    case GWLP_HINSTANCE: return reinterpret_cast<LONG_PTR>(w->instance);
    case GWLP_HWNDPARENT: return reinterpret_cast<LONG_PTR>(isChildWindow(*w) ? w->parent : w->owner);
    case GWLP_ID: return w->id;
    case GWLP_USERDATA: return w->userData;
    case GWL_STYLE: return static_cast<LONG>(w->style);
    case GWL_EXSTYLE: return static_cast<LONG>(w->exStyle);
    default: SetLastError(ERROR_INVALID_INDEX); return 0;
  }
}

// A style change goes through WM_STYLECHANGING (which may alter it) and WM_STYLECHANGED.
LONG_PTR setStyle(HWND window, int index, DWORD value) {
  STYLESTRUCT ss{static_cast<DWORD>(getLong(window, index, sizeof(LONG))), value};
  SendMessageA(window, WM_STYLECHANGING, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&ss));
  {
    WindowsLock lock(windowsLock());
    Window* w = lockedWindow(window);
    if (!w) return 0;
    (index == GWL_STYLE ? w->style : w->exStyle) = ss.styleNew;
  }
  SendMessageA(window, WM_STYLECHANGED, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&ss));
  return static_cast<LONG>(ss.styleOld);
}

LONG_PTR setLong(HWND window, int index, LONG_PTR value, size_t size) {
  WindowPtr w = findWindow(window);
  if (!w) return 0;
  if (isRoot(window)) {
    SetLastError(ERROR_ACCESS_DENIED);
    return 0;
  }
  if (index == GWL_STYLE || index == GWL_EXSTYLE) return setStyle(window, index, static_cast<DWORD>(value));
  WindowsLock lock(windowsLock());
  LONG_PTR old;
  if (index >= 0) {
    LONG_PTR wide = value, oldWide = 0;
    LONG narrow = static_cast<LONG>(value), oldNarrow = 0;
    bool full = size == sizeof wide;
    if (!extraBytes(*w, index, size, full ? static_cast<void*>(&oldWide) : &oldNarrow,
                    full ? static_cast<const void*>(&wide) : &narrow)) {
      SetLastError(ERROR_INVALID_INDEX);
      return 0;
    }
    return full ? oldWide : oldNarrow;
  }
  switch (index) {
    case GWLP_WNDPROC:
      if (!value) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
      }
      old = reinterpret_cast<LONG_PTR>(w->proc);
      w->proc = reinterpret_cast<WNDPROC>(value);
      return old;
    case GWLP_HINSTANCE:
      old = reinterpret_cast<LONG_PTR>(w->instance);
      w->instance = reinterpret_cast<HINSTANCE>(value);
      return old;
    case GWLP_HWNDPARENT: {
      if (isChildWindow(*w)) {
        SetLastError(ERROR_INVALID_PARAMETER);  // a child's parent changes through SetParent
        return 0;
      }
      HWND owner = reinterpret_cast<HWND>(value);
      if (owner && !lockedWindow(owner)) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return 0;
      }
      old = reinterpret_cast<LONG_PTR>(w->owner);
      w->owner = owner ? topLevelOf(owner) : nullptr;
      return old;
    }
    case GWLP_ID:
      old = w->id;
      w->id = value;
      return old;
    case GWLP_USERDATA:
      old = w->userData;
      w->userData = value;
      return old;
    default: SetLastError(ERROR_INVALID_INDEX); return 0;
  }
}

}  // namespace
}  // namespace kw::user32

using namespace kw::user32;

KW32_API LONG WINAPI GetWindowLongA(HWND window, int index) {
  return static_cast<LONG>(getLong(window, index, sizeof(LONG)));
}

KW32_API LONG WINAPI SetWindowLongA(HWND window, int index, LONG value) {
  return static_cast<LONG>(setLong(window, index, value, sizeof(LONG)));
}

KW32_API LONG_PTR WINAPI GetWindowLongPtrA(HWND window, int index) {
  return getLong(window, index, sizeof(LONG_PTR));
}

KW32_API LONG_PTR WINAPI SetWindowLongPtrA(HWND window, int index, LONG_PTR value) {
  return setLong(window, index, value, sizeof(LONG_PTR));
}

KW32_API WORD WINAPI GetWindowWord(HWND window, int index) {
  WindowPtr w = findWindow(window);
  if (!w) return 0;
  WindowsLock lock(windowsLock());
  WORD value = 0;
  if (!extraBytes(*w, index, sizeof value, &value, nullptr)) SetLastError(ERROR_INVALID_INDEX);
  return value;
}

KW32_API WORD WINAPI SetWindowWord(HWND window, int index, WORD value) {
  WindowPtr w = findWindow(window);
  if (!w) return 0;
  WindowsLock lock(windowsLock());
  WORD old = 0;
  if (!extraBytes(*w, index, sizeof value, &old, &value)) SetLastError(ERROR_INVALID_INDEX);
  return old;
}
