// The DCs windows draw with (GetDC, GetWindowDC, BeginPaint): each one handed out is
// remembered with its window until it is released, or until the window goes, which
// deletes it.
#pragma once

#include <korvane/win32.h>

namespace kw::user32 {

// Deletes every DC still out for the window, without telling the driver.
void forgetWindowDCs(HWND window);

}  // namespace kw::user32
