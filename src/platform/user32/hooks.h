// Calling the hook chains.
#pragma once

#include <korvane/win32.h>

namespace kw::user32 {

// Runs the calling thread's WH_CBT chain (its own hooks, then those of every thread);
// the first hook's answer, 0 when there are none.
LRESULT callCbtHooks(int code, WPARAM wParam, LPARAM lParam);

}  // namespace kw::user32
