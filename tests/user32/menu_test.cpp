#include <gtest/gtest.h>
#include <korvane/win32.h>

TEST(SystemMenu, ItemStatesPerWindowAndBadHandles) {
  HWND framed = CreateWindowExA(0, "Static", "a", WS_OVERLAPPEDWINDOW, 0, 0, 50, 50, nullptr, nullptr, nullptr, nullptr);
  HWND plain = CreateWindowExA(0, "Static", "b", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr, nullptr, nullptr);
  HMENU menu = GetSystemMenu(framed, FALSE);
  ASSERT_NE(menu, nullptr);
  EXPECT_EQ(GetSystemMenu(framed, FALSE), menu);  // one per window
  EXPECT_EQ(GetSystemMenu(plain, FALSE), nullptr);  // no WS_SYSMENU

  EXPECT_EQ(EnableMenuItem(menu, SC_CLOSE, MF_GRAYED), MF_ENABLED);
  EXPECT_EQ(GetMenuState(menu, SC_CLOSE, MF_BYCOMMAND), static_cast<UINT>(MF_GRAYED));
  EXPECT_EQ(EnableMenuItem(menu, SC_CLOSE, MF_ENABLED), MF_GRAYED);
  EXPECT_EQ(EnableMenuItem(menu, 0x1234, MF_GRAYED), -1);
  EXPECT_EQ(GetMenuState(menu, 0x1234, MF_BYCOMMAND), static_cast<UINT>(-1));

  EnableMenuItem(menu, SC_CLOSE, MF_GRAYED);
  EXPECT_EQ(GetSystemMenu(framed, TRUE), nullptr);  // revert: the first states again
  EXPECT_EQ(GetMenuState(menu, SC_CLOSE, MF_BYCOMMAND), static_cast<UINT>(MF_ENABLED));

  DestroyWindow(framed);
  EXPECT_EQ(EnableMenuItem(menu, SC_CLOSE, MF_GRAYED), -1);  // its window is gone
  EXPECT_EQ(GetSystemMenu(framed, FALSE), nullptr);
  EXPECT_EQ(EnableMenuItem(nullptr, SC_CLOSE, MF_GRAYED), -1);
  DestroyWindow(plain);
}
