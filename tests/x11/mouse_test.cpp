// The real pointer: a list box line double-clicked, a button clicked, a caret placed.
#include <gtest/gtest.h>

#include <future>

#include "x_session.h"

namespace {

int gDoubleClicked = -1;
int gClicked = 0;
WNDPROC gStatic = nullptr;

LRESULT CALLBACK parentProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_COMMAND && HIWORD(wParam) == LBN_DBLCLK)
    gDoubleClicked = static_cast<int>(SendMessageA(reinterpret_cast<HWND>(lParam), LB_GETCURSEL, 0, 0));
  if (message == WM_COMMAND && HIWORD(wParam) == BN_CLICKED && LOWORD(wParam) == 7) ++gClicked;
  return CallWindowProcA(gStatic, window, message, wParam, lParam);
}

// Clicks at a point of `window`'s client area through the X server, `count` times.
void click(HWND window, int x, int y, int count) {
  POINT p{x, y};
  ClientToScreen(window, &p);
  kwtest::shell("xdotool mousemove --sync " + std::to_string(p.x) + " " + std::to_string(p.y) + " click --repeat " +
                std::to_string(count) + " --delay 60 1");
}

}  // namespace

TEST(XMouse, ListLineDoubleClickedButtonClickedCaretPlaced) {
  HWND frame = CreateWindowExA(0, "Static", "Pointer test", WS_POPUP | WS_CAPTION, 100, 100, 400, 300, nullptr,
                               nullptr, nullptr, nullptr);
  gStatic = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(frame, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(parentProc)));
  HWND list = CreateWindowExA(0, "ListBox", "", WS_CHILD | WS_VISIBLE | LBS_NOTIFY | WS_BORDER, 10, 10, 200, 150, frame,
                              reinterpret_cast<HMENU>(5), nullptr, nullptr);
  HWND button = CreateWindowExA(0, "Button", "Press", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 220, 10, 80, 24, frame,
                                reinterpret_cast<HMENU>(7), nullptr, nullptr);
  HWND edit = CreateWindowExA(0, "Edit", "abcdefgh", WS_CHILD | WS_VISIBLE, 10, 200, 300, 24, frame, nullptr, nullptr,
                              nullptr);
  for (const char* line : {"first", "second", "third"})
    SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line));
  ShowWindow(frame, SW_SHOW);
  ASSERT_FALSE(kwtest::findFocusedXWindow("Pointer test").empty());
  const int lineHeight = static_cast<int>(SendMessageA(list, LB_GETITEMHEIGHT, 0, 0));

  auto clicks = std::async(std::launch::async, [&] { click(list, 20, lineHeight + lineHeight / 2, 2); });
  EXPECT_TRUE(kwtest::pumpUntil([] { return gDoubleClicked >= 0; }));
  clicks.get();
  EXPECT_EQ(gDoubleClicked, 1);

  auto press = std::async(std::launch::async, [&] { click(button, 40, 12, 1); });
  EXPECT_TRUE(kwtest::pumpUntil([] { return gClicked == 1; }));
  press.get();

  // The caret goes to the character edge nearest the click: after "abc".
  SIZE three{};
  HDC dc = GetDC(edit);
  SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageA(edit, WM_GETFONT, 0, 0)));
  GetTextExtentPoint32A(dc, "abc", 3, &three);
  ReleaseDC(edit, dc);
  DWORD start = 99;
  auto place = std::async(std::launch::async, [&] { click(edit, static_cast<int>(three.cx) + 1, 12, 1); });
  EXPECT_TRUE(kwtest::pumpUntil([&] {
    SendMessageA(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), 0);
    return GetFocus() == edit && start == 3;
  })) << start;
  place.get();
  DestroyWindow(frame);
}
