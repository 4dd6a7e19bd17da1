// The update rectangles of windows and the WM_PAINT messages they cause.
#pragma once

#include <korvane/win32.h>

#include <vector>

namespace kw::user32 {

// The first visible window of the thread with something to paint, parents before their
// children, top-level windows in z-order; among `windows` unless that is empty.
HWND nextToPaint(DWORD thread, const std::vector<HWND>& windows);

// Marks the whole of a window and its descendants for painting, as showing or sizing it
// does.
void invalidateTree(HWND window);

}  // namespace kw::user32
