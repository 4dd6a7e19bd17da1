// Disabling windows around a modeless operation and enabling them again afterwards.
#pragma once

#include <korvane/win32.h>

namespace kv {

// At most this many windows are disabled at once; the list block holds that many handles,
// a null entry ending a shorter list.
constexpr int kMaxDisabledWindows = 50;

// `window` and its parents (owners too, as GetParent gives them): disabling records and
// disables each one that is enabled and returns the list (a movable local block, unlocked;
// null when `window` is no window or memory is short); enabling enables the recorded ones
// among them, frees `list` and returns null.
HLOCAL enableWindowChain(HWND window, BOOL enable, HLOCAL list);

}  // namespace kv
