// Mouse input: finds the window a move, press or release is for, makes double clicks of
// second presses, and appends the message to that window's thread's input. Nothing here
// calls a window procedure: a press activates its window only when the window's own
// thread takes it (mouseTaken).
#include "user32/mouse.h"

#include "user32/driver.h"
#include "user32/queue.h"
#include "user32/thread_input.h"
#include "user32/window.h"

#include <algorithm>
#include <cstdlib>

namespace kw::user32 {
namespace {

constexpr UINT kDoubleClickMs = 500;
constexpr BYTE kDown = 0x80;

// The last press, which a second one soon and near enough on the same window makes a
// double click of. Guarded by the windows lock.
struct Press {
  HWND window = nullptr;
  MouseButton button = MouseButton::Nothing;
  DWORD time = 0;
  POINT at{};
};

Press& lastPress() {
  static Press press;
  return press;
}

int keyOf(MouseButton button) {
  switch (button) {
    case MouseButton::Left: return VK_LBUTTON;
    case MouseButton::Right: return VK_RBUTTON;
    case MouseButton::Middle: return VK_MBUTTON;
    default: return 0;
  }
}

// WM_xBUTTONDOWN; UP is one after it and DBLCLK two after.
UINT downMessageOf(MouseButton button) {
  switch (button) {
    case MouseButton::Left: return WM_LBUTTONDOWN;
    case MouseButton::Right: return WM_RBUTTONDOWN;
    default: return WM_MBUTTONDOWN;
  }
}

WPARAM keyFlags() {
  const auto down = [](int key) { return (asyncKeyState(key) & kDown) != 0; };
  return (down(VK_LBUTTON) ? MK_LBUTTON : 0) | (down(VK_RBUTTON) ? MK_RBUTTON : 0) |
         (down(VK_MBUTTON) ? MK_MBUTTON : 0) | (down(VK_SHIFT) ? MK_SHIFT : 0) | (down(VK_CONTROL) ? MK_CONTROL : 0);
}

// Under the lock: whether a press makes a double click, remembering it otherwise. The
// area is the one Windows uses: SM_CXDOUBLECLK by SM_CYDOUBLECLK around the first press.
bool doubleClick(const Window& w, MouseButton button, POINT at, DWORD time) {
  Press& last = lastPress();
  const bool second = last.window == w.handle && last.button == button && time - last.time <= kDoubleClickMs &&
                      std::abs(at.x - last.at.x) <= GetSystemMetrics(SM_CXDOUBLECLK) / 2 &&
                      std::abs(at.y - last.at.y) <= GetSystemMetrics(SM_CYDOUBLECLK) / 2 &&
                      (w.cls->style & CS_DBLCLKS);
  last = second ? Press{} : Press{w.handle, button, time, at};
  return second;
}

// The message for one event at `screen` and the thread it goes to; false when no window
// takes it (none there, its frame, or a disabled window: the owner of a modal dialog).
bool messageFor(POINT screen, MouseButton button, bool down, MSG* msg, DWORD* thread) {
  WindowsLock lock(windowsLock());
  const DWORD time = tickCount();
  HWND target = captureWindow();
  Window* w = lockedWindow(target);
  if (!w) {
    bool inClient = false;
    w = lockedWindow(windowAt(screen, &inClient));
    if (!w || !inClient || (w->style & WS_DISABLED)) {
      if (button != MouseButton::Nothing && down) lastPress() = Press{};
      return false;
    }
  }
  UINT message = WM_MOUSEMOVE;
  if (button != MouseButton::Nothing) {
    message = downMessageOf(button);
    if (!down) message += 1;
    else if (doubleClick(*w, button, screen, time)) message += 2;
  }
  const POINT origin = clientOrigin(*w);
  const auto x = static_cast<WORD>(static_cast<short>(screen.x - origin.x));
  const auto y = static_cast<WORD>(static_cast<short>(screen.y - origin.y));
  *msg = MSG{w->handle, message, keyFlags(), static_cast<LPARAM>(MAKELONG(x, y)), time, screen};
  *thread = w->threadId;
  return true;
}

void deliver(POINT screen, MouseButton button, bool down) {
  MSG msg;
  DWORD thread = 0;
  if (!messageFor(screen, button, down, &msg, &thread)) return;
  if (QueuePtr q = queueOf(thread)) postInput(*q, msg);
}

bool isPress(UINT message) {
  switch (message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK: return true;
    default: return false;
  }
}

}  // namespace

void mouseInput(POINT screen, MouseButton button, bool down) {
  POINT was{};
  GetCursorPos(&was);
  SetCursorPos(screen.x, screen.y);
  if (button != MouseButton::Nothing) {
    // The pointer gets there before the button moves, as it would on a display.
    if (was.x != screen.x || was.y != screen.y) deliver(screen, MouseButton::Nothing, false);
    setAsyncKeyState(keyOf(button), down ? kDown : 0);
  }
  deliver(screen, button, down);
}

void mouseTaken(const MSG& msg) {
  if (!isPress(msg.message)) return;
  HWND top;
  bool active;
  {
    WindowsLock lock(windowsLock());
    if (!lockedWindow(msg.hwnd)) return;
    top = topLevelOf(msg.hwnd);
    Window* t = lockedWindow(top);
    // Message-only and disabled windows (a capture window may be either) are not activated.
    if (!t || t->parent != desktopWindow() || (t->style & WS_DISABLED) || t->threadId != GetCurrentThreadId()) return;
    active = threadInput(t->threadId).active == top;
    if (active && foregroundWindow() == top) return;
    if (active) foregroundWindow() = top;  // active in its thread already, but another thread's was in front
  }
  if (active)
    driver().activated(top);  // the display's keyboard follows, as after SetActiveWindow
  else
    SetActiveWindow(top);
}

void sendMouse(const MOUSEINPUT& input) {
  POINT at{};
  GetCursorPos(&at);
  if (input.dwFlags & MOUSEEVENTF_MOVE) {
    const ScreenSize screen = driver().screen();
    long long x = input.dx, y = input.dy;
    if (input.dwFlags & MOUSEEVENTF_ABSOLUTE) {
      x = x * screen.width / 65536;
      y = y * screen.height / 65536;
    } else {
      x += at.x;
      y += at.y;
    }
    at.x = static_cast<LONG>(std::clamp<long long>(x, 0, std::max(screen.width - 1, 0)));
    at.y = static_cast<LONG>(std::clamp<long long>(y, 0, std::max(screen.height - 1, 0)));
    mouseInput(at, MouseButton::Nothing, false);
  }
  static constexpr struct {
    DWORD flag;
    MouseButton button;
    bool down;
  } kButtons[] = {{MOUSEEVENTF_LEFTDOWN, MouseButton::Left, true},     {MOUSEEVENTF_LEFTUP, MouseButton::Left, false},
                  {MOUSEEVENTF_RIGHTDOWN, MouseButton::Right, true},   {MOUSEEVENTF_RIGHTUP, MouseButton::Right, false},
                  {MOUSEEVENTF_MIDDLEDOWN, MouseButton::Middle, true}, {MOUSEEVENTF_MIDDLEUP, MouseButton::Middle, false}};
  for (const auto& b : kButtons)
    if (input.dwFlags & b.flag) mouseInput(at, b.button, b.down);
}

}  // namespace kw::user32

KW32_API UINT WINAPI GetDoubleClickTime(void) { return kw::user32::kDoubleClickMs; }
