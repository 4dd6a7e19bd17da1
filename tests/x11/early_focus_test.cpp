// The X focus of a window activated before it was shown, as a dialog is while it is made.
#include <gtest/gtest.h>

#include "x_session.h"

using kwtest::shell;

TEST(XFocus, AWindowActivatedWhileHiddenGetsTheKeyboardWhenShown) {
  HWND window = CreateWindowExA(0, "Edit", "Early focus", WS_POPUP | WS_CAPTION, 300, 300, 200, 60, nullptr,
                                nullptr, nullptr, nullptr);
  ASSERT_NE(window, nullptr);
  SetActiveWindow(window);
  ASSERT_EQ(GetActiveWindow(), window);
  // The pointer away from the window: only the X focus can bring it keys. It goes back
  // afterwards, as the other tests found it.
  struct PointerAway {
    std::string was = shell("xdotool getmouselocation | sed -E 's/x:([0-9]+) y:([0-9]+).*/\\1 \\2/'");
    PointerAway() { shell("xdotool mousemove 0 0"); }
    ~PointerAway() { shell("xdotool mousemove " + was); }
  } away;
  ShowWindow(window, SW_SHOW);
  const std::string id = kwtest::findXWindow("Early focus");
  ASSERT_FALSE(id.empty());
  std::string focus;
  EXPECT_TRUE(kwtest::pumpUntil([&] { return (focus = shell("xdotool getwindowfocus 2>/dev/null")) == id; }, 5000))
      << "the X focus is on " << focus << ", not " << id;

  // And the keys reach it.
  SetFocus(window);
  SendMessageA(window, EM_SETSEL, 11, 11);  // after the text
  shell("xdotool type --delay 20 ok");
  char text[16] = {};
  EXPECT_TRUE(kwtest::pumpUntil([&] {
    GetWindowTextA(window, text, sizeof text);
    return std::string(text) == "Early focusok";
  })) << text;
  DestroyWindow(window);
}
