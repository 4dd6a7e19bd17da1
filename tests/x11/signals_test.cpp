// What a window shows besides its pixels: the beep rings the X bell, the wait cursor is
// X's watch over the program's windows.
#include <gtest/gtest.h>

// The Win32 headers first: Xlib defines words such as Status as macros.
#include "x_session.h"

#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <X11/extensions/Xfixes.h>

namespace {

// Whether X reports a bell within two seconds of `act`.
bool rings(void (*act)()) {
  Display* display = XOpenDisplay(nullptr);
  if (!display) return false;
  int event = 0, error = 0, major = XkbMajorVersion, minor = XkbMinorVersion;
  bool rang = false;
  if (XkbQueryExtension(display, nullptr, &event, &error, &major, &minor)) {
    XkbSelectEvents(display, XkbUseCoreKbd, XkbBellNotifyMask, XkbBellNotifyMask);
    XSync(display, False);
    act();
    for (int i = 0; i < 200 && !rang; ++i) {
      while (XPending(display)) {
        XEvent e;
        XNextEvent(display, &e);
        rang = rang || (e.type == event && reinterpret_cast<XkbAnyEvent*>(&e)->xkb_type == XkbBellNotify);
      }
      if (!rang) kwtest::pumpFor(10);
    }
  }
  XCloseDisplay(display);
  return rang;
}

// The cursor X shows at the pointer: its size and hot spot, enough to tell shapes apart.
std::string cursorShape() {
  Display* display = XOpenDisplay(nullptr);
  std::string shape = "(none)";
  if (XFixesCursorImage* image = display ? XFixesGetCursorImage(display) : nullptr) {
    shape = std::to_string(image->width) + "x" + std::to_string(image->height) + "@" + std::to_string(image->xhot) +
            "," + std::to_string(image->yhot);
    XFree(image);
  }
  if (display) XCloseDisplay(display);
  return shape;
}

}  // namespace

TEST(XSignals, BeepRingsTheBellAndTheWaitCursorIsTheWatch) {
  EXPECT_TRUE(rings([] { MessageBeep(MB_ICONEXCLAMATION); }));

  HWND window = CreateWindowExA(0, "Static", "Cursor test", WS_POPUP | WS_VISIBLE, 300, 300, 200, 200, nullptr, nullptr,
                                nullptr, nullptr);
  ASSERT_FALSE(kwtest::findXWindow("Cursor test").empty());
  kwtest::shell("xdotool mousemove --sync 400 400");
  SetCursor(LoadCursorA(nullptr, IDC_ARROW));
  kwtest::pumpFor(100);
  const std::string arrow = cursorShape();
  SetCursor(LoadCursorA(nullptr, IDC_WAIT));
  std::string wait;
  EXPECT_TRUE(kwtest::pumpUntil([&] { return (wait = cursorShape()) != arrow; }, 3000)) << arrow;
  SetCursor(LoadCursorA(nullptr, IDC_ARROW));
  EXPECT_TRUE(kwtest::pumpUntil([&] { return cursorShape() == arrow; }, 3000)) << wait;
  DestroyWindow(window);
}
