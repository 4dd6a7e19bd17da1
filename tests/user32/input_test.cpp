// Keyboard input to the focus window, key state, translation to characters, the
// clipboard, cursors and the beep hook.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <thread>

#include "message_log.h"
#include "platform/emulated_system.h"

namespace {

void key(WORD vk, bool up = false) { keybd_event(static_cast<BYTE>(vk), 0, up ? KEYEVENTF_KEYUP : 0, 0); }

void press(WORD vk) {
  key(vk);
  key(vk, true);
}

// Takes the queue's messages, translating keys; the characters and key messages seen.
std::string pump(std::vector<UINT>* messages = nullptr) {
  std::string chars;
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (messages) messages->push_back(msg.message);
    TranslateMessage(&msg);
    if (msg.message == WM_CHAR) chars += static_cast<char>(msg.wParam);
    DispatchMessageA(&msg);
  }
  return chars;
}

class Keyboard : public ::testing::Test {
 protected:
  void SetUp() override {
    registerLogged();
    top_ = CreateWindowExA(0, "Logged", "kbtop", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 100, 100, nullptr, nullptr,
                           nullptr, nullptr);
    edit_ = CreateWindowExA(0, "Logged", "kbedit", WS_CHILD | WS_VISIBLE, 0, 0, 50, 20, top_, nullptr, nullptr,
                            nullptr);
    SetFocus(edit_);
    pump();
  }
  void TearDown() override { DestroyWindow(top_); }
  HWND top_, edit_;
};

TEST_F(Keyboard, KeysGoToTheFocusWindowAndBecomeCharactersByShiftAndCapsLock) {
  std::vector<UINT> seen;
  press('A');
  key(VK_SHIFT);
  EXPECT_LT(GetAsyncKeyState(VK_SHIFT), 0);
  EXPECT_GE(GetKeyState(VK_SHIFT), 0);  // until this thread takes the key
  press('B');
  press('1');
  press(VK_OEM_2);
  key(VK_SHIFT, true);
  EXPECT_GE(GetAsyncKeyState(VK_SHIFT), 0);
  press(VK_CAPITAL);
  press('C');
  press(VK_CAPITAL);
  press(VK_SPACE);
  press(VK_RETURN);
  MessageLog::get().clear();
  EXPECT_EQ(pump(&seen), "aB!?C \r");
  EXPECT_EQ(seen.at(0), static_cast<UINT>(WM_KEYDOWN));
  EXPECT_EQ(seen.at(1), static_cast<UINT>(WM_CHAR));  // the character before the key's release
  EXPECT_EQ(seen.at(2), static_cast<UINT>(WM_KEYUP));
  EXPECT_GE(GetKeyState(VK_SHIFT), 0);
  EXPECT_EQ(GetKeyState(VK_CAPITAL) & 1, 0);  // pressed twice
  for (const LoggedMessage& m : MessageLog::get().take()) EXPECT_EQ(m.window, "kbedit");

  // Ctrl+letter gives the control character; Alt makes system keys.
  key(VK_CONTROL);
  press('C');
  key(VK_CONTROL, true);
  EXPECT_EQ(pump(), "\x03");
  seen.clear();
  key(VK_MENU);
  press('F');
  key(VK_MENU, true);
  pump(&seen);
  EXPECT_EQ(seen, (std::vector<UINT>{WM_SYSKEYDOWN, WM_SYSKEYDOWN, WM_SYSCHAR, WM_SYSKEYUP, WM_SYSKEYUP}));

  // Nothing has the focus: keys go to the active window.
  SetFocus(nullptr);
  MessageLog::get().clear();
  press(VK_DELETE);
  pump();
  auto log = MessageLog::get().take();
  ASSERT_FALSE(log.empty());
  EXPECT_EQ(log[0].window, "kbtop");

  INPUT bad{};
  EXPECT_EQ(SendInput(1, &bad, 3), 0u);
  EXPECT_EQ(GetKeyState(1000), 0);
}

TEST_F(Keyboard, UnicodeInputArrivesInTheAnsiCodePageLeadByteFirst) {
  EmulatedSystem japanese(0x0411);
  INPUT in[2] = {};
  in[0].type = in[1].type = INPUT_KEYBOARD;
  in[0].ki.wScan = 0x65E5;  // the character for "day": 0x93 0xFA in code page 932
  in[0].ki.dwFlags = KEYEVENTF_UNICODE;
  in[1].ki = in[0].ki;
  in[1].ki.dwFlags |= KEYEVENTF_KEYUP;
  EXPECT_EQ(SendInput(2, in, sizeof(INPUT)), 2u);
  EXPECT_EQ(pump(), "\x93\xfa");
  in[0].ki.wScan = in[1].ki.wScan = 'q';
  SendInput(2, in, sizeof(INPUT));
  EXPECT_EQ(pump(), "q");
}

TEST(Clipboard, TextInGlobalMemoryOneOpenerAtATime) {
  EXPECT_EQ(SetClipboardData(CF_TEXT, nullptr), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_CLIPBOARD_NOT_OPEN));
  ASSERT_TRUE(OpenClipboard(nullptr));
  ASSERT_TRUE(EmptyClipboard());
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, 6);
  std::memcpy(GlobalLock(block), "hello", 6);
  GlobalUnlock(block);
  EXPECT_EQ(SetClipboardData(CF_TEXT, block), block);
  HGLOBAL other = GlobalAlloc(GMEM_MOVEABLE, 2);
  SetClipboardData(CF_TEXT, other);  // replaces, freeing the first block
  SetClipboardData(CF_TEXT, block = GlobalAlloc(GMEM_MOVEABLE, 6));
  std::memcpy(GlobalLock(block), "world", 6);
  GlobalUnlock(block);
  EXPECT_EQ(EnumClipboardFormats(0), static_cast<UINT>(CF_TEXT));
  EXPECT_EQ(EnumClipboardFormats(CF_TEXT), 0u);
  ASSERT_TRUE(CloseClipboard());
  EXPECT_FALSE(CloseClipboard());

  EXPECT_TRUE(IsClipboardFormatAvailable(CF_TEXT));
  EXPECT_FALSE(IsClipboardFormatAvailable(CF_UNICODETEXT));
  EXPECT_EQ(CountClipboardFormats(), 1);

  bool otherThreadOpened = true;
  ASSERT_TRUE(OpenClipboard(nullptr));
  std::thread([&] { otherThreadOpened = OpenClipboard(nullptr); }).join();
  EXPECT_FALSE(otherThreadOpened);
  HANDLE text = GetClipboardData(CF_TEXT);
  ASSERT_NE(text, nullptr);
  EXPECT_STREQ(static_cast<const char*>(GlobalLock(text)), "world");
  GlobalUnlock(text);
  EXPECT_EQ(GetClipboardData(CF_OEMTEXT), nullptr);
  EmptyClipboard();
  EXPECT_FALSE(IsClipboardFormatAvailable(CF_TEXT));
  CloseClipboard();
}

UINT gBeeped = 0xFFFF;
void beepHook(UINT type) { gBeeped = type; }

TEST(Cursors, SystemCursorsIconsAndTheBeepHook) {
  HCURSOR arrow = LoadCursorA(nullptr, IDC_ARROW);
  HCURSOR wait = LoadCursorA(nullptr, IDC_WAIT);
  ASSERT_NE(arrow, nullptr);
  ASSERT_NE(wait, nullptr);
  EXPECT_NE(arrow, wait);
  EXPECT_EQ(LoadCursorA(nullptr, IDC_ARROW), arrow);
  EXPECT_EQ(LoadCursorA(nullptr, MAKEINTRESOURCEA(5)), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_RESOURCE_NAME_NOT_FOUND));
  EXPECT_NE(LoadIconA(nullptr, IDI_QUESTION), nullptr);
  EXPECT_NE(static_cast<void*>(LoadIconA(nullptr, IDI_APPLICATION)), static_cast<void*>(arrow));
  SetCursor(arrow);
  EXPECT_EQ(SetCursor(wait), arrow);
  EXPECT_EQ(GetCursor(), wait);

  KwSetBeepHook(beepHook);
  EXPECT_TRUE(MessageBeep(MB_ICONEXCLAMATION));
  EXPECT_EQ(gBeeped, static_cast<UINT>(MB_ICONEXCLAMATION));
  KwSetBeepHook(nullptr);
  gBeeped = 0xFFFF;
  MessageBeep(MB_OK);
  EXPECT_EQ(gBeeped, 0xFFFFu);
}

}  // namespace
