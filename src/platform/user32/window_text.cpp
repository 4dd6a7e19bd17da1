// Window text (through its messages) and window properties.
#include "user32/driver.h"
#include "user32/window.h"

#include <algorithm>
#include <cstring>

namespace kw::user32 {
namespace {

std::string propName(LPCSTR name) {
  std::string s = atomOrName(name);
  std::transform(s.begin(), s.end(), s.begin(), [](char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c; });
  return s;
}

bool ownThread(const Window& w) { return w.threadId == GetCurrentThreadId(); }

}  // namespace

// DefWindowProcA's WM_GETTEXT: at most size - 1 bytes, never half a double-byte character.
LRESULT copyWindowText(HWND window, WPARAM size, LPSTR buffer) {
  if (!buffer || size == 0) return 0;
  WindowsLock lock(windowsLock());
  Window* w = lockedWindow(window);
  if (!w) {
    buffer[0] = '\0';
    return 0;
  }
  const std::string& text = w->text;
  size_t n = 0;
  while (n < text.size()) {
    size_t step = IsDBCSLeadByte(static_cast<BYTE>(text[n])) && n + 1 < text.size() ? 2 : 1;
    if (n + step > size - 1) break;
    n += step;
  }
  std::memcpy(buffer, text.data(), n);
  buffer[n] = '\0';
  return static_cast<LRESULT>(n);
}

void storeWindowText(HWND window, LPCSTR text) {
  {
    WindowsLock lock(windowsLock());
    Window* w = lockedWindow(window);
    if (!w) return;
    w->text = text ? text : "";
  }
  if (topLevelOf(window) == window) driver().retitled(window);  // the display's title bar
}

size_t windowTextLength(HWND window) {
  WindowsLock lock(windowsLock());
  Window* w = lockedWindow(window);
  return w ? w->text.size() : 0;
}

}  // namespace kw::user32

using namespace kw::user32;

KW32_API BOOL WINAPI SetWindowTextA(HWND window, LPCSTR text) {
  if (!findWindow(window)) return FALSE;
  return SendMessageA(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text)) != 0;
}

KW32_API int WINAPI GetWindowTextA(HWND window, LPSTR buffer, int size) {
  WindowPtr w = findWindow(window);
  if (!w || !buffer || size <= 0) return 0;
  if (!ownThread(*w)) return static_cast<int>(copyWindowText(window, static_cast<WPARAM>(size), buffer));
  buffer[0] = '\0';
  return static_cast<int>(SendMessageA(window, WM_GETTEXT, static_cast<WPARAM>(size), reinterpret_cast<LPARAM>(buffer)));
}

KW32_API int WINAPI GetWindowTextLengthA(HWND window) {
  WindowPtr w = findWindow(window);
  if (!w) return 0;
  if (!ownThread(*w)) return static_cast<int>(windowTextLength(window));
  return static_cast<int>(SendMessageA(window, WM_GETTEXTLENGTH, 0, 0));
}

KW32_API BOOL WINAPI SetPropA(HWND window, LPCSTR name, HANDLE data) {
  WindowPtr w = findWindow(window);
  if (!w) return FALSE;
  if (!name || ((reinterpret_cast<ULONG_PTR>(name) >> 16) && !*name)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  std::string key = propName(name);
  WindowsLock lock(windowsLock());
  for (Property& p : w->props) {
    if (p.name == key) {
      p.data = data;
      return TRUE;
    }
  }
  w->props.push_back({key, data});
  return TRUE;
}

KW32_API HANDLE WINAPI GetPropA(HWND window, LPCSTR name) {
  WindowPtr w = findWindow(window);
  if (!w || !name) return nullptr;
  std::string key = propName(name);
  WindowsLock lock(windowsLock());
  for (const Property& p : w->props)
    if (p.name == key) return p.data;
  return nullptr;
}

KW32_API HANDLE WINAPI RemovePropA(HWND window, LPCSTR name) {
  WindowPtr w = findWindow(window);
  if (!w || !name) return nullptr;
  std::string key = propName(name);
  WindowsLock lock(windowsLock());
  auto it = std::find_if(w->props.begin(), w->props.end(), [&](const Property& p) { return p.name == key; });
  if (it == w->props.end()) return nullptr;
  HANDLE data = it->data;
  w->props.erase(it);
  return data;
}
