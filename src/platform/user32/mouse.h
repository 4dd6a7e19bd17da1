// Mouse input as a display (or SendInput) reports it: the window manager finds the
// window it is for (the capture window, else the visible, enabled window under the
// point), activates its top-level window on a press, turns a second press soon enough
// and near enough into a double click for classes with CS_DBLCLKS, and appends the
// message to that window's thread's input, after its posted messages. Moves with
// nothing between them are merged, as Windows does, so a flood of them costs nothing.
#pragma once

#include <korvane/win32.h>

namespace kw::user32 {

enum class MouseButton { Nothing, Left, Right, Middle };  // not "None": X11 defines that word

// The pointer moved to `screen` (screen coordinates), or `button` went down or up there.
// Callable from any thread.
void mouseInput(POINT screen, MouseButton button, bool down);

// SendInput's mouse event: the move, then each button its flags press or release.
void sendMouse(const MOUSEINPUT& input);

// Under the windows lock: the window WindowFromPoint gives for `screen`, or null;
// `inClient` says whether the point is in its client area (mouse_target.cpp).
HWND windowAt(POINT screen, bool* inClient);

}  // namespace kw::user32
