// The clipboard shared with the screen's other programs (xclip plays one of them).
#include <gtest/gtest.h>

#include <cstring>

#include "x_session.h"

namespace {

void setText(const char* text) {
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, std::strlen(text) + 1);
  std::strcpy(static_cast<char*>(GlobalLock(block)), text);
  GlobalUnlock(block);
  ASSERT_TRUE(OpenClipboard(nullptr));
  EmptyClipboard();
  SetClipboardData(CF_TEXT, block);
  CloseClipboard();
}

std::string clipboardText() {
  if (!OpenClipboard(nullptr)) return "(not opened)";
  std::string text = "(none)";
  if (HANDLE block = GetClipboardData(CF_TEXT)) {
    text = static_cast<const char*>(GlobalLock(block));
    GlobalUnlock(block);
  }
  CloseClipboard();
  return text;
}

}  // namespace

TEST(XClipboard, TextGoesBothWaysInTheCodePage) {
  // Ours to them: ANSI text offered as UTF-8, and as Latin-1 to those who ask for STRING.
  setText("caf\xE9 \x80 ok");
  EXPECT_EQ(kwtest::shell("timeout 5 xclip -selection clipboard -o"), "café € ok");
  EXPECT_EQ(kwtest::shell("timeout 5 xclip -selection clipboard -t STRING -o | od -An -tx1 | tr -d ' '"),
            "636166e9203f206f6b");
  EXPECT_NE(kwtest::shell("timeout 5 xclip -selection clipboard -t TARGETS -o").find("UTF8_STRING"),
            std::string::npos);

  // Theirs to us: what we held is gone, and their text arrives converted.
  kwtest::shell("printf 'h\\303\\251llo \\342\\202\\254' | xclip -selection clipboard -i >/dev/null 2>&1");
  EXPECT_TRUE(kwtest::pumpUntil([] { return IsClipboardFormatAvailable(CF_TEXT) && clipboardText() != "caf\xE9 \x80 ok"; }));
  EXPECT_EQ(clipboardText(), "h\xE9llo \x80");

  // A control pastes it.
  HWND edit = CreateWindowExA(0, "Edit", "", WS_POPUP, 0, 0, 200, 24, nullptr, nullptr, nullptr, nullptr);
  setText("");  // ours again, then theirs once more
  kwtest::shell("printf 'pasted' | xclip -selection clipboard -i >/dev/null 2>&1");
  kwtest::pumpFor(100);
  SendMessageA(edit, WM_PASTE, 0, 0);
  char text[64] = "";
  GetWindowTextA(edit, text, sizeof text);
  EXPECT_STREQ(text, "pasted");
  DestroyWindow(edit);
}
