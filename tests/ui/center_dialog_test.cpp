// Centring a dialog over its parent, its owner or the screen, kept on the screen.
#include <gtest/gtest.h>
#include <korvane/korvane.h>

#include "test_windows.h"

namespace {

using kvtest::plainWindow;

RECT rectOf(HWND window) {
  RECT r{};
  GetWindowRect(window, &r);
  return r;
}

}  // namespace

// Found by argument lookup, beside RECT itself.
static bool operator==(const RECT& a, const RECT& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

static std::ostream& operator<<(std::ostream& os, const RECT& r) {
  return os << "{" << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom << "}";
}

TEST(CenterDialog, OverOwnerKeptOnScreenOverDesktopAndInAParentsClientArea) {
  // The emulated screen the tests run on.
  ASSERT_EQ(GetSystemMetrics(SM_CXSCREEN), 1024);
  ASSERT_EQ(GetSystemMetrics(SM_CYSCREEN), 768);

  HWND owner = plainWindow(WS_OVERLAPPEDWINDOW, 100, 100, 400, 300);
  HWND dialog = plainWindow(WS_POPUP | WS_CAPTION, 0, 0, 200, 100, owner);
  EXPECT_TRUE(DlgCenterDialog(dialog));
  EXPECT_EQ(rectOf(dialog), (RECT{200, 200, 400, 300}));  // owner's centre (300, 250)

  // Centre (1000, 750): 100 past the right half-width and 50 past the bottom.
  MoveWindow(owner, 900, 650, 200, 200, TRUE);
  DlgCenterDialog(dialog);
  EXPECT_EQ(rectOf(dialog), (RECT{824, 668, 1024, 768}));

  // Centre (-100, -100): pulled in to half the dialog's size from the top-left corner.
  MoveWindow(owner, -300, -200, 400, 200, TRUE);
  DlgCenterDialog(dialog);
  EXPECT_EQ(rectOf(dialog), (RECT{0, 0, 200, 100}));

  // A minimised owner: the screen's centre (512, 384).
  MoveWindow(owner, 0, 0, 300, 300, TRUE);
  ShowWindow(owner, SW_MINIMIZE);
  ASSERT_TRUE(IsIconic(owner));
  DlgCenterDialog(dialog);
  EXPECT_EQ(rectOf(dialog), (RECT{412, 334, 612, 434}));

  // No parent or owner: the desktop; odd sizes lose their half pixel to the left and top.
  HWND alone = plainWindow(WS_POPUP, 5, 5, 201, 101);
  DlgCenterDialog(alone);
  EXPECT_EQ(rectOf(alone), (RECT{412, 334, 613, 435}));
  // Wider than the screen: its left edge on the screen's.
  MoveWindow(alone, 50, 50, 1100, 100, TRUE);
  DlgCenterDialog(alone);
  EXPECT_EQ(rectOf(alone), (RECT{0, 334, 1100, 434}));

  // A child is centred over its parent's window rectangle, placed in client coordinates.
  HWND parent = plainWindow(WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 400, 300);
  HWND child = plainWindow(WS_CHILD | WS_BORDER, 0, 0, 100, 50, parent);
  EXPECT_TRUE(DlgCenterDialog(child));
  EXPECT_EQ(rectOf(child), (RECT{250, 225, 350, 275}));  // parent's centre (300, 250)

  EXPECT_FALSE(DlgCenterDialog(nullptr));
  DestroyWindow(alone);
  DestroyWindow(owner);
  EXPECT_FALSE(DlgCenterDialog(dialog));  // went with its owner
  DestroyWindow(parent);
}
