// Each thread's input state: focus, active window and key state; and the foreground
// window, which says which thread keyboard input goes to. Guarded by the windows lock.
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
// The state of all keys as input made it (GetAsyncKeyState).
BYTE asyncKeyState(int key);
void setAsyncKeyState(int key, BYTE state);

// A key message of keyboard input taken from the calling thread's queue: its key state
// moves (keyboard.cpp).
void keyTaken(const MSG& msg);

// Drops the record of a thread that has ended.
void forgetThreadInput(DWORD thread);

}  // namespace kw::user32
