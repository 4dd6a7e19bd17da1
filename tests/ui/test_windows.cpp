#include "test_windows.h"

namespace kvtest {

HWND plainWindow(DWORD style, int x, int y, int width, int height, HWND parent, HINSTANCE instance, DWORD exStyle) {
  static const bool registered = [] {
    WNDCLASSA wc{};
    wc.lpfnWndProc = DefWindowProcA;
    wc.lpszClassName = "KvUiTestWindow";
    return RegisterClassA(&wc) != 0;
  }();
  if (!registered) return nullptr;
  return CreateWindowExA(exStyle, "KvUiTestWindow", "test", style, x, y, width, height, parent, nullptr, instance,
                         nullptr);
}

}  // namespace kvtest
