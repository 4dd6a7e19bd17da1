// Keyboard input: SendInput and keybd_event post key messages to the focus window of the
// foreground thread and update the asynchronous key state; a thread's own key state
// follows the key and mouse button messages it takes.
#include "user32/mouse.h"
#include "user32/queue.h"
#include "user32/thread_input.h"
#include "user32/window.h"

#include <cstring>

namespace kw::user32 {
namespace {

constexpr BYTE kDown = 0x80;
constexpr BYTE kToggled = 0x01;

// The generic key a left or right one also moves.
int genericOf(int key) {
  switch (key) {
    case VK_LSHIFT:
    case VK_RSHIFT: return VK_SHIFT;
    case VK_LCONTROL:
    case VK_RCONTROL: return VK_CONTROL;
    case VK_LMENU:
    case VK_RMENU: return VK_MENU;
    default: return 0;
  }
}

BYTE pressed(BYTE state, bool down) {
  if (down) return static_cast<BYTE>((state & kDown) ? state : (state | kDown) ^ kToggled);
  return static_cast<BYTE>(state & ~kDown);
}

// Under the lock: the key moves in `keys`.
void move(BYTE* keys, int key, bool down) {
  keys[key] = pressed(keys[key], down);
  if (int generic = genericOf(key)) keys[generic] = pressed(keys[generic], down);
}

// Where keyboard input goes: the foreground window's thread's focus, else its active window.
HWND inputTarget() {
  WindowsLock lock(windowsLock());
  Window* fg = lockedWindow(foregroundWindow());
  if (!fg) return nullptr;
  ThreadInput& input = threadInput(fg->threadId);
  if (lockedWindow(input.focus)) return input.focus;
  return lockedWindow(input.active) ? input.active : nullptr;
}

void sendKey(const KEYBDINPUT& ki) {
  const bool up = ki.dwFlags & KEYEVENTF_KEYUP;
  const bool unicode = ki.dwFlags & KEYEVENTF_UNICODE;
  const int key = unicode ? VK_PACKET : (ki.wVk & 0xFF);
  HWND target = inputTarget();
  bool wasDown, alt, ctrl;
  {
    WindowsLock lock(windowsLock());
    BYTE async = asyncKeyState(key);
    wasDown = async & kDown;
    setAsyncKeyState(key, pressed(async, !up));
    if (int generic = genericOf(key)) setAsyncKeyState(generic, pressed(asyncKeyState(generic), !up));
    alt = asyncKeyState(VK_MENU) & kDown;
    ctrl = asyncKeyState(VK_CONTROL) & kDown;
  }
  if (!target) return;
  const bool system = (alt && !ctrl) || key == VK_F10 || key == VK_MENU;
  UINT message = up ? (system ? WM_SYSKEYUP : WM_KEYUP) : (system ? WM_SYSKEYDOWN : WM_KEYDOWN);
  DWORD high = unicode ? ki.wScan : (ki.wScan & 0xFF) | ((ki.dwFlags & KEYEVENTF_EXTENDEDKEY) ? 0x100u : 0u);
  if (!unicode) {
    if (alt) high |= 0x2000;          // context: Alt is down
    if (wasDown) high |= 0x4000;      // the key was down before
    if (up) high |= 0x8000;           // transition: released
  }
  QueuePtr q = queueOf(threadOf(target));
  if (q) postInput(*q, MSG{target, message, static_cast<WPARAM>(key), static_cast<LPARAM>(1 | (high << 16)), tickCount(), {0, 0}});
}

}  // namespace

void keyTaken(const MSG& msg) {
  int key = static_cast<int>(msg.wParam & 0xFF);
  bool down = true;
  switch (msg.message) {
    case WM_KEYUP:
    case WM_SYSKEYUP: down = false; break;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN: break;
    case WM_LBUTTONUP: down = false; [[fallthrough]];
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: key = VK_LBUTTON; break;
    case WM_RBUTTONUP: down = false; [[fallthrough]];
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK: key = VK_RBUTTON; break;
    case WM_MBUTTONUP: down = false; [[fallthrough]];
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK: key = VK_MBUTTON; break;
    default: return;  // moves leave the key state as it is
  }
  WindowsLock lock(windowsLock());
  move(threadInput(GetCurrentThreadId()).keys, key, down);
}

}  // namespace kw::user32

using namespace kw::user32;

KW32_API SHORT WINAPI GetKeyState(int key) {
  if (key < 0 || key > 255) return 0;
  WindowsLock lock(windowsLock());
  BYTE state = threadInput(GetCurrentThreadId()).keys[key];
  return static_cast<SHORT>(((state & kDown) ? 0xFF80 : 0) | (state & kToggled));
}

KW32_API SHORT WINAPI GetAsyncKeyState(int key) {
  return static_cast<SHORT>((asyncKeyState(key) & kDown) ? 0x8000 : 0);
}

KW32_API BOOL WINAPI GetKeyboardState(BYTE* state) {
  if (!state) return FALSE;
  WindowsLock lock(windowsLock());
  std::memcpy(state, threadInput(GetCurrentThreadId()).keys, 256);
  return TRUE;
}

KW32_API BOOL WINAPI SetKeyboardState(const BYTE* state) {
  if (!state) return FALSE;
  WindowsLock lock(windowsLock());
  std::memcpy(threadInput(GetCurrentThreadId()).keys, state, 256);
  return TRUE;
}

KW32_API UINT WINAPI SendInput(UINT count, LPINPUT inputs, int size) {
  if (!inputs || size != static_cast<int>(sizeof(INPUT))) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  UINT taken = 0;
  for (UINT i = 0; i < count; ++i) {
    if (inputs[i].type == INPUT_KEYBOARD)
      sendKey(inputs[i].ki);
    else if (inputs[i].type == INPUT_MOUSE)
      sendMouse(inputs[i].mi);
    else
      continue;
    ++taken;
  }
  return taken;
}

KW32_API void WINAPI keybd_event(BYTE key, BYTE scan, DWORD flags, ULONG_PTR extraInfo) {
  INPUT in{};
  in.type = INPUT_KEYBOARD;
  in.ki = KEYBDINPUT{key, scan, flags, 0, extraInfo};
  SendInput(1, &in, sizeof in);
}
