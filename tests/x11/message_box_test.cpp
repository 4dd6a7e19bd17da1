// A message box on the screen: an X window with its caption, answered by a real key.
#include <gtest/gtest.h>

#include <future>

#include "x_session.h"

using kwtest::shell;

TEST(XMessageBox, AppearsWithItsCaptionAndTakesARealKeyPress) {
  auto answer = std::async(std::launch::async, [] {
    const std::string id = kwtest::findFocusedXWindow("Korvane question");
    if (id.empty()) return std::string("no window");
    const std::string name = shell("xdotool getwindowname " + id);
    shell("xdotool key n");  // the "No" button's mnemonic
    return name;
  });
  const int result = MessageBoxA(nullptr, "Keep the changes?", "Korvane question", MB_YESNO | MB_ICONQUESTION);
  EXPECT_EQ(answer.get(), "Korvane question");
  EXPECT_EQ(result, IDNO);

  // Escape on a box with Cancel answers Cancel; Enter takes the default button.
  auto escape = std::async(std::launch::async, [] {
    if (kwtest::findFocusedXWindow("Korvane note").empty()) return false;
    shell("xdotool key Escape");
    return true;
  });
  EXPECT_EQ(MessageBoxA(nullptr, "Saved.", "Korvane note", MB_OKCANCEL), IDCANCEL);
  EXPECT_TRUE(escape.get());
  auto enter = std::async(std::launch::async, [] {
    if (kwtest::findFocusedXWindow("Korvane note").empty()) return false;
    shell("xdotool key Return");
    return true;
  });
  EXPECT_EQ(MessageBoxA(nullptr, "Saved.", "Korvane note", MB_OKCANCEL | MB_DEFBUTTON2), IDCANCEL);
  EXPECT_TRUE(enter.get());
}
