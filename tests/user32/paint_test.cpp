// Update rectangles and WM_PAINT: after the other messages, parents first, until painted.
#include <gtest/gtest.h>

#include "message_log.h"

namespace {

int gPaintsLeftUnvalidated = 0;

LRESULT CALLBACK stubbornProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_PAINT && gPaintsLeftUnvalidated > 0) {
    --gPaintsLeftUnvalidated;  // does not paint: the message comes again
    return 0;
  }
  return loggedProc(window, message, wParam, lParam);
}

TEST(Paint, InvalidAreasBringWmPaintAfterPostedMessagesParentsFirst) {
  registerLogged();
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
  HWND top = CreateWindowExA(0, "Logged", "ptop", WS_POPUP | WS_VISIBLE, 0, 0, 100, 80, nullptr, nullptr, nullptr,
                             nullptr);
  HWND kid = CreateWindowExA(0, "Logged", "pkid", WS_CHILD | WS_VISIBLE, 10, 10, 20, 20, top, nullptr, nullptr,
                             nullptr);
  RECT r;
  EXPECT_TRUE(GetUpdateRect(top, &r, FALSE));  // shown: all of it
  EXPECT_EQ(r.right, 100);
  ValidateRect(top, nullptr);
  ValidateRect(kid, nullptr);
  EXPECT_FALSE(GetUpdateRect(top, nullptr, FALSE));

  RECT a{5, 5, 10, 10}, b{50, 60, 200, 200};
  InvalidateRect(top, &a, FALSE);
  InvalidateRect(top, &b, TRUE);
  ASSERT_TRUE(GetUpdateRect(top, &r, FALSE));
  EXPECT_EQ(r.left, 5);
  EXPECT_EQ(r.top, 5);
  EXPECT_EQ(r.right, 100);  // clipped to the client area
  EXPECT_EQ(r.bottom, 80);
  InvalidateRect(kid, nullptr, FALSE);
  PostMessageA(top, WM_USER, 0, 0);

  std::vector<std::pair<HWND, UINT>> taken;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    taken.emplace_back(msg.hwnd, msg.message);
    DispatchMessageA(&msg);
  }
  EXPECT_EQ(taken, (std::vector<std::pair<HWND, UINT>>{{top, WM_USER}, {top, WM_PAINT}, {kid, WM_PAINT}}));
  EXPECT_FALSE(GetUpdateRect(kid, nullptr, FALSE));

  // A procedure that does not paint gets WM_PAINT again; a hidden window none.
  SetWindowLongPtrA(top, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(stubbornProc));
  gPaintsLeftUnvalidated = 2;
  InvalidateRect(top, nullptr, FALSE);
  int paints = 0;
  while (PeekMessageA(&msg, nullptr, WM_PAINT, WM_PAINT, PM_REMOVE)) {
    ++paints;
    DispatchMessageA(&msg);
  }
  EXPECT_EQ(paints, 3);
  ShowWindow(top, SW_HIDE);
  InvalidateRect(top, nullptr, FALSE);
  EXPECT_FALSE(PeekMessageA(&msg, nullptr, WM_PAINT, WM_PAINT, PM_REMOVE));
  MessageLog::get().clear();
  UpdateWindow(top);  // hidden: nothing
  ShowWindow(top, SW_SHOWNA);
  EXPECT_TRUE(UpdateWindow(top));  // sent at once
  EXPECT_FALSE(GetUpdateRect(top, nullptr, FALSE));
  EXPECT_FALSE(InvalidateRect(reinterpret_cast<HWND>(0x4444), nullptr, TRUE));
  DestroyWindow(top);
}

}  // namespace
