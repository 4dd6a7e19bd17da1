// Plain windows for the dialog helpers' tests.
#pragma once

#include <korvane/win32.h>

namespace kvtest {

// A window of a class whose procedure is DefWindowProcA, on the calling thread.
HWND plainWindow(DWORD style, int x, int y, int width, int height, HWND parent = nullptr,
                 HINSTANCE instance = nullptr, DWORD exStyle = 0);

}  // namespace kvtest
