// A masked edit field in a window on the screen, typed into by real X key events.
#include <gtest/gtest.h>
#include <korvane/format.h>
#include <korvane/masks.h>

#include <cstring>
#include <future>
#include <string>

#include "x_session.h"

namespace {

WNDPROC gEdit = nullptr;
const char* gMask = "";

LRESULT CALLBACK masked(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  FMTCNTLBLOCK block;
  std::memset(&block, 0, sizeof block);
  FMTInitCntlBlock(&block);
  block.lpszPicture = const_cast<char*>(gMask);
  block.hWnd = window;
  block.uMsg = message;
  block.wParam = static_cast<UINT>(wParam);
  block.lParam = lParam;
  if (FMTValidateInput(&block)) return block.lResult;
  return CallWindowProcA(gEdit, window, message, wParam, lParam);
}

struct Field {
  Field(const char* caption, const char* mask) {
    gMask = mask;
    frame = CreateWindowExA(0, "Static", caption, WS_POPUP | WS_CAPTION | WS_SYSMENU, 200, 150, 320, 80, nullptr,
                            nullptr, nullptr, nullptr);
    edit = CreateWindowExA(0, "Edit", "", WS_CHILD | WS_VISIBLE | WS_BORDER, 10, 10, 280, 24, frame, nullptr,
                           nullptr, nullptr);
    gEdit = reinterpret_cast<WNDPROC>(GetWindowLongPtrA(edit, GWLP_WNDPROC));
    if (mask) SetWindowLongPtrA(edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(masked));
    ShowWindow(frame, SW_SHOW);
    SetFocus(edit);
  }
  ~Field() { DestroyWindow(frame); }
  std::string text() const {
    char buffer[2048] = {};
    CallWindowProcA(gEdit, edit, WM_GETTEXT, sizeof buffer, reinterpret_cast<LPARAM>(buffer));
    return buffer;
  }
  HWND frame, edit;
};

// Types `keys` with xdotool once the window is on the screen; true when it was.
std::future<bool> typeInto(const std::string& caption, const std::string& keys) {
  return std::async(std::launch::async, [caption, keys] {
    if (kwtest::findFocusedXWindow(caption).empty()) return false;
    kwtest::shell("xdotool type --delay 15 '" + keys + "'");
    return true;
  });
}

}  // namespace

TEST(XMaskedField, RealKeysEndInTheMaskedTextWithTheCaretAfterIt) {
  Field field("Masked phone", "(999) 999-9999");
  auto typed = typeInto("Masked phone", "555x1234567890");
  // The letter is refused, the digits fill the places, the extra ones find no room.
  ASSERT_TRUE(kwtest::pumpUntil([&] { return field.text() == "(555) 123-4567"; })) << field.text();
  ASSERT_TRUE(typed.get());
  kwtest::pumpFor(200);
  EXPECT_EQ(field.text(), "(555) 123-4567");
  DWORD start = 0, end = 0;
  SendMessageA(field.edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  EXPECT_EQ(start, 14u);
  EXPECT_EQ(end, 14u);

  // Shifted keys arrive as their characters: the mask makes letters upper case either way.
  Field letters("Masked code", "AA-99");
  auto code = typeInto("Masked code", "aB12");
  ASSERT_TRUE(kwtest::pumpUntil([&] { return letters.text() == "AB-12"; })) << letters.text();
  EXPECT_TRUE(code.get());
}

TEST(XKeyboard, AFloodOfKeysLosesNone) {
  Field field("Plain flood", nullptr);
  std::string keys;
  for (int i = 0; i < 600; ++i) keys += static_cast<char>('a' + i % 26);
  auto typed = std::async(std::launch::async, [&] {
    if (kwtest::findFocusedXWindow("Plain flood").empty()) return false;
    kwtest::shell("xdotool type --delay 0 '" + keys + "'");
    return true;
  });
  EXPECT_TRUE(kwtest::pumpUntil([&] { return field.text().size() >= keys.size(); }, 20000)) << field.text().size();
  EXPECT_TRUE(typed.get());
  EXPECT_EQ(field.text(), keys);
}
