// Top-level windows on the screen: placement kept in step both ways, the close button,
// windows larger than X allows.
#include <gtest/gtest.h>

#include <future>
#include <sstream>

#include "x_display.h"
#include "x_session.h"

namespace {

POINT gMoved{-1, -1};
SIZE gSized{-1, -1};

LRESULT CALLBACK placedProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_MOVE) gMoved = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
  if (message == WM_SIZE) gSized = {LOWORD(lParam), HIWORD(lParam)};
  return DefWindowProcA(window, message, wParam, lParam);
}

// Position and size of the X window as xdotool reports them: "x y width height".
std::string geometry(const std::string& id) {
  std::istringstream in(kwtest::shell("xdotool getwindowgeometry --shell " + id));
  std::string line, x, y, w, h;
  while (std::getline(in, line)) {
    if (line.rfind("X=", 0) == 0) x = line.substr(2);
    if (line.rfind("Y=", 0) == 0) y = line.substr(2);
    if (line.rfind("WIDTH=", 0) == 0) w = line.substr(6);
    if (line.rfind("HEIGHT=", 0) == 0) h = line.substr(7);
  }
  return x + " " + y + " " + w + " " + h;
}

std::string clientOnScreen(HWND window) {
  RECT r;
  GetClientRect(window, &r);
  MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&r), 2);
  return std::to_string(r.left) + " " + std::to_string(r.top) + " " + std::to_string(r.right - r.left) + " " +
         std::to_string(r.bottom - r.top);
}

}  // namespace

TEST(XWindows, PlacementFollowsBothWays) {
  WNDCLASSA cls{};
  cls.lpfnWndProc = placedProc;
  cls.lpszClassName = "XPlaced";
  cls.hbrBackground = GetSysColorBrush(COLOR_WINDOW);
  ASSERT_TRUE(RegisterClassA(&cls));
  HWND window = CreateWindowExA(0, "XPlaced", "Placed window", WS_OVERLAPPEDWINDOW, 100, 100, 300, 200, nullptr,
                                nullptr, nullptr, nullptr);
  ShowWindow(window, SW_SHOW);
  const std::string id = kwtest::findXWindow("Placed window");
  ASSERT_FALSE(id.empty());
  // The X window is the client area, where the window manager put it.
  EXPECT_EQ(geometry(id), clientOnScreen(window));
  MoveWindow(window, 150, 120, 320, 220, TRUE);
  EXPECT_TRUE(kwtest::pumpUntil([&] { return geometry(id) == clientOnScreen(window); }));

  // Moved and sized on the X side, as a person dragging would: WM_MOVE and WM_SIZE follow.
  kwtest::shell("xdotool windowmove " + id + " 400 300");
  EXPECT_TRUE(kwtest::pumpUntil([&] { return gMoved.x == 400 && gMoved.y == 300; })) << gMoved.x << "," << gMoved.y;
  kwtest::shell("xdotool windowsize " + id + " 250 150");
  EXPECT_TRUE(kwtest::pumpUntil([&] { return gSized.cx == 250 && gSized.cy == 150; })) << gSized.cx << "x" << gSized.cy;
  EXPECT_EQ(clientOnScreen(window), "400 300 250 150");
  kwtest::pumpFor(200);  // nothing chases back and forth
  EXPECT_EQ(geometry(id), "400 300 250 150");
  DestroyWindow(window);
  EXPECT_TRUE(kwtest::pumpUntil([&] { return kwtest::shell("xdotool search --name '^Placed window$'").empty(); }));
  UnregisterClassA("XPlaced", nullptr);
}

TEST(XWindows, TheCloseButtonIsCancelAndADisabledOwnerIgnoresIt) {
  HWND owner = CreateWindowExA(0, "Static", "Close owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 50, 50, 300, 200, nullptr,
                               nullptr, nullptr, nullptr);
  auto closer = std::async(std::launch::async, [] {
    const std::string ownerId = kwtest::findXWindow("Close owner"), box = kwtest::findXWindow("Close box");
    if (ownerId.empty() || box.empty()) return false;
    kwtest::askToClose(ownerId);  // disabled while the box is up: refused
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    return kwtest::askToClose(box);
  });
  EXPECT_EQ(MessageBoxA(owner, "Close me.", "Close box", MB_OKCANCEL), IDCANCEL);
  EXPECT_TRUE(closer.get());
  kwtest::pumpFor(100);
  EXPECT_TRUE(IsWindow(owner));
  // An enabled window gets WM_CLOSE, and DefWindowProcA destroys it.
  kwtest::askToClose(kwtest::findXWindow("Close owner"));
  EXPECT_TRUE(kwtest::pumpUntil([&] { return !IsWindow(owner); }));
}

TEST(XWindows, ActivationFollowsTheXFocus) {
  HWND first = CreateWindowExA(0, "Static", "Focus first", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10, 200, 100, nullptr,
                               nullptr, nullptr, nullptr);
  HWND second = CreateWindowExA(0, "Static", "Focus second", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 300, 10, 200, 100,
                                nullptr, nullptr, nullptr, nullptr);
  const std::string firstId = kwtest::findXWindow("Focus first");
  EXPECT_FALSE(kwtest::findFocusedXWindow("Focus second").empty());
  EXPECT_EQ(GetActiveWindow(), second);
  // Another program (or a window manager) gives the keyboard to the first window.
  kwtest::shell("xdotool windowfocus --sync " + firstId);
  EXPECT_TRUE(kwtest::pumpUntil([&] { return GetActiveWindow() == first; }));
  kwtest::pumpFor(200);  // and it stays there
  EXPECT_EQ(GetActiveWindow(), first);
  EXPECT_EQ(kwtest::shell("xdotool getwindowfocus"), firstId);
  DestroyWindow(second);
  DestroyWindow(first);
}

TEST(XWindows, LargerThanXAllowsAndOffTheScreen) {
  // The metrics are the X screen's.
  EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 1152);
  EXPECT_EQ(GetSystemMetrics(SM_CYSCREEN), 864);
  HWND huge = CreateWindowExA(0, "Static", "Huge window", WS_POPUP | WS_VISIBLE, -50000, -20, 70000, 40000, nullptr,
                              nullptr, nullptr, nullptr);
  ASSERT_NE(huge, nullptr);
  const std::string id = kwtest::findXWindow("Huge window");
  ASSERT_FALSE(id.empty());
  EXPECT_EQ(geometry(id), "-32768 -20 32767 32767");
  InvalidateRect(huge, nullptr, TRUE);
  kwtest::pumpFor(100);
  DestroyWindow(huge);
}
