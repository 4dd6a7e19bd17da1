// The X server going away under a running program: it says so once and goes on
// headless; nothing hangs. Run alone (it kills the test's server).
#include <gtest/gtest.h>

#include <signal.h>

#include <cstdlib>

#include "x_session.h"

TEST(XServerLoss, TheProgramGoesOnHeadless) {
  const char* server = std::getenv("KORVANE_TEST_XVFB_PID");
  ASSERT_NE(server, nullptr);
  HWND window = CreateWindowExA(0, "Edit", "Before the loss", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10, 200, 100,
                                nullptr, nullptr, nullptr, nullptr);
  ASSERT_FALSE(kwtest::findXWindow("Before the loss").empty());
  testing::internal::CaptureStderr();
  ASSERT_EQ(kill(std::atoi(server), SIGKILL), 0);
  // Drawing, moving, retitling, new windows and a beep go on without a screen.
  for (int i = 0; i < 20; ++i) {
    SetWindowTextA(window, "After the loss");
    MoveWindow(window, 20 + i, 20, 220, 120, TRUE);
    UpdateWindow(window);
    MessageBeep(0);
    SetCursor(LoadCursorA(nullptr, IDC_WAIT));
    kwtest::pumpFor(20);
  }
  HWND later = CreateWindowExA(0, "Static", "Later", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, nullptr, nullptr, nullptr,
                               nullptr);
  EXPECT_NE(later, nullptr);
  // No one can answer a box now: it takes its default button rather than wait.
  EXPECT_EQ(MessageBoxA(nullptr, "Still here?", "After", MB_OKCANCEL), IDOK);
  const std::string said = testing::internal::GetCapturedStderr();
  EXPECT_NE(said.find("korvane: the X display went away; windows go on without it"), std::string::npos) << said;
  EXPECT_EQ(said.find("went away", said.find("went away") + 1), std::string::npos) << "said once";
  DestroyWindow(later);
  DestroyWindow(window);
}
