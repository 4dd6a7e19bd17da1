// Placing windows, their rectangles and coordinates, showing, focus, activation, enabling.
#include <gtest/gtest.h>

#include "message_log.h"

// Found by gtest through RECT's own (global) namespace.
inline bool operator==(const RECT& a, const RECT& b) { return EqualRect(&a, &b); }

namespace {

using Log = std::vector<LoggedMessage>;

HWND make(const char* name, DWORD style, int x, int y, int w, int h, HWND parent = nullptr, DWORD exStyle = 0) {
  registerLogged();
  return CreateWindowExA(exStyle, "Logged", name, style, x, y, w, h, parent, nullptr, nullptr, nullptr);
}

TEST(Position, FramesClientAreasAndCoordinates) {
  HWND top = make("frame", WS_OVERLAPPEDWINDOW, 10, 20, 300, 200);
  HWND kid = make("kid", WS_CHILD | WS_BORDER, 5, 6, 50, 40, top);
  RECT r;
  ASSERT_TRUE(GetWindowRect(top, &r));
  EXPECT_EQ(r, (RECT{10, 20, 310, 220}));
  ASSERT_TRUE(GetClientRect(top, &r));
  EXPECT_EQ(r, (RECT{0, 0, 292, 173}));  // 4-pixel sizing frame, 19-pixel caption
  ASSERT_TRUE(GetWindowRect(kid, &r));
  EXPECT_EQ(r, (RECT{19, 49, 69, 89}));
  ASSERT_TRUE(GetClientRect(kid, &r));
  EXPECT_EQ(r, (RECT{0, 0, 48, 38}));

  POINT p{1, 2};
  ASSERT_TRUE(ClientToScreen(kid, &p));
  EXPECT_EQ(p.x, 21);  // the child's border is outside its client area
  EXPECT_EQ(p.y, 52);
  ASSERT_TRUE(ScreenToClient(top, &p));
  EXPECT_EQ(p.x, 7);
  EXPECT_EQ(p.y, 9);
  POINT pts[2] = {{0, 0}, {10, 10}};
  int shift = MapWindowPoints(kid, top, pts, 2);
  EXPECT_EQ(pts[1].x, 16);
  EXPECT_EQ(pts[1].y, 17);
  EXPECT_EQ(static_cast<short>(LOWORD(shift)), 6);
  EXPECT_EQ(static_cast<short>(HIWORD(shift)), 7);
  MapWindowPoints(nullptr, kid, pts, 1);
  EXPECT_EQ(pts[0].x, 6 - 20);

  RECT adjust{0, 0, 100, 50};
  AdjustWindowRectEx(&adjust, WS_OVERLAPPEDWINDOW, FALSE, 0);
  EXPECT_EQ(adjust, (RECT{-4, -23, 104, 54}));
  adjust = {0, 0, 100, 50};
  AdjustWindowRectEx(&adjust, WS_POPUP | WS_CAPTION | WS_SYSMENU, FALSE, WS_EX_DLGMODALFRAME);
  EXPECT_EQ(adjust, (RECT{-3, -22, 103, 53}));

  EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 1024);
  EXPECT_EQ(GetSystemMetrics(SM_CYSCREEN), 768);
  EXPECT_EQ(GetSystemMetrics(SM_CYCAPTION), 19);
  EXPECT_EQ(GetSystemMetrics(9999), 0);
  ASSERT_TRUE(GetWindowRect(GetDesktopWindow(), &r));
  EXPECT_EQ(r, (RECT{0, 0, 1024, 768}));
  EXPECT_FALSE(ClientToScreen(reinterpret_cast<HWND>(0x5555), &p));
  DestroyWindow(top);
}

TEST(Position, SetWindowPosMessagesAndTheirEffects) {
  HWND top = make("spw", WS_POPUP, 0, 0, 100, 100);
  MessageLog::get().clear();
  ASSERT_TRUE(SetWindowPos(top, nullptr, 7, 8, 60, 30, SWP_NOZORDER | SWP_NOACTIVATE));
  Log log = MessageLog::get().take();
  EXPECT_EQ(log, (Log{{"spw", WM_WINDOWPOSCHANGING, 0}, {"spw", WM_NCCALCSIZE, 0}, {"spw", WM_WINDOWPOSCHANGED, 0},
                      {"spw", WM_MOVE, 0}, {"spw", WM_SIZE, 0}}))
      << describe(log);
  RECT r;
  GetWindowRect(top, &r);
  EXPECT_EQ(r, (RECT{7, 8, 67, 38}));
  // A move alone: no WM_NCCALCSIZE, no WM_SIZE.
  MoveWindow(top, 1, 2, 60, 30, TRUE);
  log = MessageLog::get().take();
  EXPECT_EQ(log, (Log{{"spw", WM_WINDOWPOSCHANGING, 0}, {"spw", WM_WINDOWPOSCHANGED, 0}, {"spw", WM_MOVE, 0}}))
      << describe(log);
  EXPECT_FALSE(SetWindowPos(GetDesktopWindow(), nullptr, 0, 0, 1, 1, 0));

  // Maximizing takes the screen, the frame just outside; restoring gives the old place back.
  HWND framed = make("max", WS_OVERLAPPEDWINDOW, 30, 40, 200, 100);
  ShowWindow(framed, SW_SHOWMAXIMIZED);
  EXPECT_TRUE(IsZoomed(framed));
  GetWindowRect(framed, &r);
  EXPECT_EQ(r, (RECT{-4, -4, 1028, 772}));
  ShowWindow(framed, SW_RESTORE);
  EXPECT_FALSE(IsZoomed(framed));
  GetWindowRect(framed, &r);
  EXPECT_EQ(r, (RECT{30, 40, 230, 140}));
  ShowWindow(framed, SW_MINIMIZE);
  EXPECT_TRUE(IsIconic(framed));
  EXPECT_FALSE(ShowWindow(framed, SW_HIDE) && IsWindowVisible(framed));
  DestroyWindow(framed);
  DestroyWindow(top);
}

TEST(Focus, FocusMovesWithItsMessagesAndLeavesWindowsBeingDisabled) {
  HWND top = make("ftop", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200, 200);
  HWND a = make("fa", WS_CHILD | WS_VISIBLE, 0, 0, 10, 10, top);
  HWND b = make("fb", WS_CHILD | WS_VISIBLE, 20, 0, 10, 10, top);
  ASSERT_EQ(GetActiveWindow(), top);
  MessageLog::get().clear();
  EXPECT_EQ(SetFocus(a), top);
  EXPECT_EQ(SetFocus(b), a);
  EXPECT_EQ(SetFocus(b), b);  // no messages for the window that has it
  EXPECT_EQ(MessageLog::get().take(), (Log{{"ftop", WM_KILLFOCUS, 0}, {"fa", WM_SETFOCUS, 0},
                                           {"fa", WM_KILLFOCUS, 0}, {"fb", WM_SETFOCUS, 0}}));

  EXPECT_FALSE(EnableWindow(b, FALSE));  // it was enabled
  EXPECT_EQ(MessageLog::get().take(), (Log{{"fb", WM_KILLFOCUS, 0}, {"fb", WM_ENABLE, 0}}));
  EXPECT_EQ(GetFocus(), nullptr);
  EXPECT_FALSE(IsWindowEnabled(b));
  EXPECT_TRUE(EnableWindow(b, FALSE));  // already disabled: nothing sent
  EXPECT_TRUE(MessageLog::get().take().empty());
  EXPECT_TRUE(EnableWindow(b, TRUE));
  EXPECT_EQ(MessageLog::get().take(), (Log{{"fb", WM_ENABLE, 1}}));
  EXPECT_EQ(SetFocus(reinterpret_cast<HWND>(0x999)), nullptr);

  // An owned window takes activation; when it goes, its owner gets it back.
  HWND owned = make("fowned", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, top);
  EXPECT_EQ(GetActiveWindow(), owned);
  EXPECT_EQ(GetForegroundWindow(), owned);
  MessageLog::get().clear();
  ShowWindow(owned, SW_HIDE);
  EXPECT_EQ(GetActiveWindow(), top);
  Log log = MessageLog::get().take();
  ASSERT_GE(log.size(), 5u);
  EXPECT_EQ(log[0], (LoggedMessage{"fowned", WM_SHOWWINDOW, 0}));
  EXPECT_EQ(log.back(), (LoggedMessage{"ftop", WM_SETFOCUS, 0})) << describe(log);
  DestroyWindow(owned);
  DestroyWindow(top);
  EXPECT_EQ(GetActiveWindow(), nullptr);
}

}  // namespace
