// Each thread's input state: focus, active window and key state; the foreground window,
// which says which thread keyboard input goes to; and the mouse capture window, which
// takes all mouse input. Guarded by the windows lock.
#pragma once

#include <korvane/win32.h>

namespace kw::user32 {

struct ThreadInput {
  HWND focus = nullptr;
  HWND active = nullptr;
  BYTE keys[256] = {};  // 0x80: down, 0x01: toggled
};

// Under the windows lock: the thread's record, made on first use.
ThreadInput& threadInput(DWORD thread);
// Under the windows lock: the foreground window (null when none).
HWND& foregroundWindow();
// Under the windows lock: the capture window (null when none), of whichever thread set it.
HWND& captureWindow();
// The state of all keys as input made it (GetAsyncKeyState).
BYTE asyncKeyState(int key);
void setAsyncKeyState(int key, BYTE state);

// Input taken from the calling thread's queue: a key message moves the thread's state of
// its key, a mouse button message that of VK_LBUTTON, VK_RBUTTON or VK_MBUTTON
// (keyboard.cpp); a press activates the window's top-level window (mouse.cpp).
void keyTaken(const MSG& msg);
void mouseTaken(const MSG& msg);

// Drops the record of a thread that has ended.
void forgetThreadInput(DWORD thread);

}  // namespace kw::user32
