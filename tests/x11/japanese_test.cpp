// Captions and typed text under a Japanese system (code page 932).
#include <gtest/gtest.h>

#include <future>

#include "x_session.h"

TEST(XText, CaptionsUnderAJapaneseSystem) {
  ASSERT_EQ(GetACP(), 932u);
  // "日本" then a lead byte with an invalid trail, and a lone lead byte at the end.
  HWND window = CreateWindowExA(0, "Static", "\x93\xFA\x96\x7B \x81\x7F x\x93", WS_POPUP | WS_VISIBLE, 0, 0, 100, 50,
                                nullptr, nullptr, nullptr, nullptr);
  EXPECT_FALSE(kwtest::findXWindow("日本 \\? x\\?").empty());
  SetWindowTextA(window, "\x83\x65\x83\x58\x83\x67");  // "テスト"
  EXPECT_FALSE(kwtest::findXWindow("テスト").empty());
  DestroyWindow(window);
}

TEST(XText, TypedTextUnderAJapaneseSystem) {
  HWND frame = CreateWindowExA(0, "Static", "Japanese field", WS_POPUP | WS_CAPTION, 100, 100, 300, 60, nullptr,
                               nullptr, nullptr, nullptr);
  HWND edit = CreateWindowExA(0, "Edit", "", WS_CHILD | WS_VISIBLE, 5, 5, 280, 24, frame, nullptr, nullptr, nullptr);
  ShowWindow(frame, SW_SHOW);
  SetFocus(edit);
  auto typed = std::async(std::launch::async, [] {
    if (kwtest::findFocusedXWindow("Japanese field").empty()) return false;
    kwtest::shell("xdotool type --delay 30 'aあｱ'");
    return true;
  });
  // The characters no key stands for arrive whole, in the system's code page.
  const std::string expected = "a\x82\xA0\xB1";
  char text[64] = "";
  EXPECT_TRUE(kwtest::pumpUntil([&] {
    GetWindowTextA(edit, text, sizeof text);
    return expected == text;
  })) << text;
  EXPECT_TRUE(typed.get());
  DestroyWindow(frame);
}
