// The parts every standard control shares.
#include "user32/dialog_control.h"

#include <algorithm>
#include <cstring>

namespace kw::user32 {

void notifyParent(HWND control, WORD code) {
  HWND parent = GetParent(control);
  if (!parent) parent = GetWindow(control, GW_OWNER);  // a drop-down list tells its combo box
  if (!parent) return;
  WORD id = static_cast<WORD>(GetWindowLongPtrA(control, GWLP_ID));
  SendMessageA(parent, WM_COMMAND, MAKEWPARAM(id, code), reinterpret_cast<LPARAM>(control));
}

bool ControlBase::handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
  switch (message) {
    case WM_SETFONT:
      font = reinterpret_cast<HFONT>(wParam);
      if (LOWORD(lParam)) invalidate(window);
      *result = 0;
      return true;
    case WM_GETFONT:
      *result = reinterpret_cast<LRESULT>(font);
      return true;
    case WM_SETREDRAW:
      redraw = wParam != 0;
      if (redraw) invalidate(window);
      *result = 0;
      return true;
    case WM_ENABLE:
      invalidate(window);
      *result = 0;
      return true;
    case WM_ERASEBKGND:
      *result = 1;
      return true;
    default:
      return false;
  }
}

void ControlBase::invalidate(HWND window) const {
  if (redraw) InvalidateRect(window, nullptr, TRUE);
}

std::string windowTextOf(HWND window) {
  std::string text(static_cast<size_t>(std::max(GetWindowTextLengthA(window), 0)) + 1, '\0');
  text.resize(static_cast<size_t>(std::max(GetWindowTextA(window, text.data(), static_cast<int>(text.size())), 0)));
  return text;
}

std::string withoutPrefixes(std::string_view text) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '&' && i + 1 < text.size()) ++i;
    out += text[i];
  }
  return out;
}

LRESULT copyText(std::string_view text, WPARAM size, LPARAM buffer) {
  char* out = reinterpret_cast<char*>(buffer);
  if (!out || size == 0) return 0;
  size_t n = std::min(text.size(), static_cast<size_t>(size - 1));
  if (n < text.size()) {  // cut: keep only whole characters
    size_t whole = 0;
    for (const char* p = text.data(); static_cast<size_t>(p - text.data()) < n;) {
      const char* next = CharNextA(p);
      if (next == p || static_cast<size_t>(next - text.data()) > n) break;
      whole = static_cast<size_t>(next - text.data());
      p = next;
    }
    n = whole;
  }
  std::memcpy(out, text.data(), n);
  out[n] = '\0';
  return static_cast<LRESULT>(n);
}

}  // namespace kw::user32
