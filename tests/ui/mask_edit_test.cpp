// Masked edit fields on a real Edit control whose procedure is replaced, as an application
// does: keystroke scripts with the text, caret, beeps, modified flag and EN_CHANGE checked.
#include <gtest/gtest.h>
#include <korvane/format.h>
#include <korvane/masks.h>
#include <korvane/platform.h>

#include <cstring>
#include <initializer_list>
#include <string>
#include <vector>

namespace {

struct FieldState {
  std::string mask;
  DWORD flags = 0;
  WNDPROC original = nullptr;
  int depth = 0;                 // FMTValidateInput calls under way
  std::vector<int> nested;       // what calls made meanwhile returned
  int changes = 0;               // EN_CHANGE seen by the parent
  int beeps = 0;
};
FieldState gField;

LRESULT CALLBACK maskedProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  FMTCNTLBLOCK block;
  std::memset(&block, 0, sizeof block);
  FMTInitCntlBlock(&block);
  block.lpszPicture = gField.mask.data();
  block.wFlags |= gField.flags;
  block.hWnd = window;
  block.uMsg = message;
  block.wParam = static_cast<UINT>(wParam);
  block.lParam = lParam;
  const bool outer = gField.depth == 0;
  ++gField.depth;
  const int handled = FMTValidateInput(&block);
  --gField.depth;
  if (!outer) gField.nested.push_back(handled);
  if (handled) return block.lResult;
  if (message == FMT_EM_SETMASKEDTEXT) return CallWindowProcA(gField.original, window, WM_SETTEXT, 0, lParam);
  return CallWindowProcA(gField.original, window, message, wParam, lParam);
}

LRESULT CALLBACK parentProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_COMMAND && HIWORD(wParam) == EN_CHANGE && LOWORD(wParam) == 7) ++gField.changes;
  return DefWindowProcA(window, message, wParam, lParam);
}

void countBeep(UINT) { ++gField.beeps; }

std::string textOf(HWND window) {
  char buffer[128] = {};
  GetWindowTextA(window, buffer, sizeof buffer);
  return buffer;
}

class MaskedField : public ::testing::Test {
 protected:
  void SetUp() override {
    static const bool registered = [] {
      WNDCLASSA wc{};
      wc.lpfnWndProc = parentProc;
      wc.lpszClassName = "KvMaskParent";
      return RegisterClassA(&wc) != 0;
    }();
    ASSERT_TRUE(registered);
    parent_ = CreateWindowExA(0, "KvMaskParent", "", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 300, 100, nullptr, nullptr,
                              nullptr, nullptr);
    edit_ = CreateWindowExA(0, "Edit", "", WS_CHILD | WS_VISIBLE | WS_BORDER, 4, 4, 200, 24, parent_,
                            reinterpret_cast<HMENU>(7), nullptr, nullptr);
    gField = FieldState{};
    gField.original = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(edit_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(maskedProc)));
    KwSetBeepHook(countBeep);
  }
  void TearDown() override {
    KwSetBeepHook(nullptr);
    DestroyWindow(parent_);
  }
  void use(const char* mask, DWORD flags = 0) {
    gField.mask = mask;
    gField.flags = flags;
  }
  std::string text() const { return textOf(edit_); }
  DWORD selection() const { return static_cast<DWORD>(SendMessageA(edit_, EM_GETSEL, 0, 0)); }
  void select(int from, int to) { SendMessageA(edit_, EM_SETSEL, from, to); }
  // Clean text, caret and counters.
  void reset(const char* content = "") {
    SetWindowTextA(edit_, content);
    SendMessageA(edit_, EM_SETMODIFY, FALSE, 0);
    select(0, 0);
    gField.changes = gField.beeps = 0;
  }
  bool modified() const { return SendMessageA(edit_, EM_GETMODIFY, 0, 0) != 0; }
  HWND parent_ = nullptr;
  HWND edit_ = nullptr;
};

// A keystroke script: characters are typed (WM_CHAR), except '<' '>' '{' '}' for Left,
// Right, Home and End, '~' for Delete, '\b' for backspace and '|' for a program's
// backspace (lParam 0), which deletes forward.
void play(HWND edit, const char* script) {
  for (const char* k = script; *k; ++k) {
    const char* keys = "<>{}~";
    static const WPARAM vk[] = {VK_LEFT, VK_RIGHT, VK_HOME, VK_END, VK_DELETE};
    if (const char* at = std::strchr(keys, *k))
      SendMessageA(edit, WM_KEYDOWN, vk[at - keys], 1);
    else
      SendMessageA(edit, WM_CHAR, *k == '|' ? 8 : static_cast<BYTE>(*k), *k == '|' ? 0 : 1);
  }
}

TEST_F(MaskedField, KeystrokeScripts) {
  const struct {
    const char* mask;
    const char* start;  // the text, with the selection from..to
    int from, to;
    const char* script;
    const char* text;
    int caret, caretEnd, beeps;
  } scripts[] = {
      // Typing: literals typed for the user, refused characters change nothing.
      {"(999) 999-9999", "", 0, 0, "5", "(5", 2, 2, 0},
      {"(999) 999-9999", "", 0, 0, "5x\t55", "(555", 4, 4, 1},
      {"(999) 999-9999", "", 0, 0, "55512345678", "(555) 123-4567", 14, 14, 1},
      {"(999) 999-9999", "", 0, 0, "x", "", 0, 0, 1},  // not even the "(" typed
      {"99/99)", "", 0, 0, "12/34", "12/34)", 6, 6, 0},  // a typed literal steps over it
      {"AA-9999", "", 0, 0, "ab1234", "AB-1234", 7, 7, 0},
      {"aa", "", 0, 0, "1b", "b", 1, 1, 1},
      {"nN9", "", 0, 0, "xy!7", "xY7", 3, 3, 1},
      {"X!", "", 0, 0, "-q", "-Q", 2, 2, 0},
      {"99*", "", 0, 0, "12abc", "12abc", 5, 5, 0},
      {"^99-99", "", 0, 0, "1234", "12-34", 5, 5, 0},
      // Inserting inside the text, replacing a selection; a full field takes nothing more.
      {"(999) 999-9999", "(555) 123", 2, 2, "7", "(575) 512-3", 3, 3, 0},
      {"(999) 999-9999", "(555) 123-4567", 6, 9, "9", "(555) 945-67", 7, 7, 0},
      {"(999) 999-9999", "(555) 123-4567", 4, 6, "9", "(555) 123-4567", 4, 6, 1},  // no place freed
      {"(999) 999-9999", "(555) 123-4567", 0, -1, "8", "(8", 2, 2, 0},
      {"(999) 999-9999", "(555) 123-4567", 3, 3, "1", "(555) 123-4567", 3, 3, 1},
      // Backspace and Delete take typed characters and leave the literals.
      {"(999) 999-9999", "(55", 3, 3, "\b", "(5", 2, 2, 0},
      {"(999) 999-9999", "(55", 3, 3, "\b\b", "", 0, 0, 0},
      {"(999) 999-9999", "(555) 123", 6, 6, "\b", "(551) 23", 3, 3, 0},
      {"(999) 999-9999", "(555) 123", 6, 6, "\b\b\b\b", "(123)", 1, 1, 0},
      {"(999) 999-9999", "(555) 123", 4, 4, "~", "(555) 123", 4, 4, 0},
      {"(999) 999-9999", "(555) 123", 2, 2, "~|", "(512) 3", 2, 2, 0},
      {"(999) 999-9999", "(555) 123", 3, 7, "~", "(552) 3", 3, 3, 0},  // narrowed to its places
      {"(999) 999-9999", "(555) 123", 0, 1, "~", "(555) 123", 1, 1, 0},
      // The caret rests only on places.
      {"(999) 999-9999", "(555) 123-4567", 9, 9, "{", "(555) 123-4567", 1, 1, 0},
      {"(999) 999-9999", "(555) 123-4567", 1, 1, "<", "(555) 123-4567", 1, 1, 0},
      {"(999) 999-9999", "(555) 123-4567", 4, 4, ">", "(555) 123-4567", 6, 6, 0},
      {"(999) 999-9999", "(555) 123-4567", 6, 6, "<", "(555) 123-4567", 3, 3, 0},
      {"(999) 999-9999", "(555) 123-4567", 1, 1, "}>", "(555) 123-4567", 14, 14, 0},
      {"-9", "-1", 0, 0, "{<", "-1", 1, 1, 0},
  };
  for (const auto& k : scripts) {
    use(k.mask);
    reset(k.start);
    select(k.from, k.to);
    play(edit_, k.script);
    EXPECT_EQ(text(), k.text) << k.mask << " " << k.start << " " << k.script;
    EXPECT_EQ(selection(), static_cast<DWORD>(MAKELONG(k.caret, k.caretEnd))) << k.start << " " << k.script;
    EXPECT_EQ(gField.beeps, k.beeps) << k.start << " " << k.script;
    // What the field changed it reports: the modified flag and EN_CHANGE to the parent.
    const bool changed = std::string(k.start) != k.text;
    EXPECT_EQ(modified(), changed) << k.start << " " << k.script;
    EXPECT_EQ(gField.changes > 0, changed) << k.start << " " << k.script;
  }

  // A cut copies the selection and takes its typed characters out.
  use("(999) 999-9999");
  reset("(555) 123");
  select(6, 8);
  SendMessageA(edit_, WM_CUT, 0, 0);
  EXPECT_EQ(text(), "(555) 3");
  HWND plain = CreateWindowExA(0, "Edit", "", WS_CHILD, 0, 30, 100, 20, parent_, nullptr, nullptr, nullptr);
  SendMessageA(plain, WM_PASTE, 0, 0);
  EXPECT_EQ(textOf(plain), "12");
}

TEST_F(MaskedField, SetAndPastedTextIsRemaskedAndReportedByTheFlags) {
  const struct {
    DWORD flags;
    UINT message;
    const char* given;
    const char* text;
    bool modified;
  } sets[] = {
      {FMT_FLAG_REMASK, WM_SETTEXT, "5551234567", "(555) 123-4567", false},
      {FMT_FLAG_REMASK, WM_SETTEXT, "(555) 1", "(555) 1", false},  // its literals taken as they are
      {FMT_FLAG_REMASK, WM_SETTEXT, "12345678901234567", "(123) 456-7890", false},
      {FMT_FLAG_REMASK | FMT_FLAG_NOTIFY, WM_SETTEXT, "5551234567", "(555) 123-4567", true},
      {FMT_FLAG_REMASK | FMT_FLAG_NOTIFY, WM_PASTE, "5551234567", "(555) 123-4567", true},
      {FMT_FLAG_REMASK, EM_REPLACESEL, "55x5", "(555)", false},
      {FMT_FLAG_REMASK, WM_SETTEXT, "", "", false},
      // The set-masked-text message shows a value with blanks in the places not filled.
      {FMT_FLAG_REMASK | FMT_FLAG_NOTIFY, FMT_EM_SETMASKEDTEXT, "555", "(555)    -", false},
      {FMT_FLAG_REMASK | FMT_FLAG_NOTIFY, FMT_EM_SETMASKEDTEXT, "", "", false},
      // Without the flags they are the application's own.
      {FMT_FLAG_REMASK, FMT_EM_SETMASKEDTEXT, "555", "555", false},
      {0, WM_SETTEXT, "abc", "abc", false},
  };
  HWND plain = CreateWindowExA(0, "Edit", "", WS_CHILD, 0, 30, 100, 20, parent_, nullptr, nullptr, nullptr);
  for (const auto& k : sets) {
    use("(999) 999-9999", k.flags);
    reset();
    if (k.message == WM_PASTE) {
      SetWindowTextA(plain, k.given);
      SendMessageA(plain, EM_SETSEL, 0, -1);
      SendMessageA(plain, WM_COPY, 0, 0);
    }
    SendMessageA(edit_, k.message, 0, reinterpret_cast<LPARAM>(k.given));
    EXPECT_EQ(text(), k.text) << k.message << " " << k.given;
    EXPECT_EQ(modified(), k.modified) << k.message << " " << k.given;
    if (k.modified) {
      EXPECT_GE(gField.changes, 1);
    }
  }
}

TEST_F(MaskedField, NestedCallsAreLeftToTheProcedureAndBadInputIsNotHandled) {
  use("(999) 999-9999", FMT_FLAG_REMASK | FMT_FLAG_NOTIFY);
  play(edit_, "55\b}");
  SetWindowTextA(edit_, "123");
  ASSERT_GT(gField.nested.size(), 5u);
  for (int handled : gField.nested) EXPECT_EQ(handled, 0);
  EXPECT_EQ(text(), "(123)");

  EXPECT_EQ(FMTValidateInput(nullptr), 0);
  FMTCNTLBLOCK block;
  std::memset(&block, 0, sizeof block);
  FMTInitCntlBlock(&block);
  block.hWnd = edit_;
  block.uMsg = WM_CHAR;
  block.wParam = '5';
  block.lParam = 1;
  for (const char* bad : {static_cast<const char*>(nullptr), "", "--", "9*9"}) {
    block.lpszPicture = const_cast<LPSTR>(bad);
    EXPECT_EQ(FMTValidateInput(&block), 0) << (bad ? bad : "null");
  }
  block.lpszPicture = const_cast<LPSTR>("999");
  block.uMsg = WM_GETTEXT;
  EXPECT_EQ(FMTValidateInput(&block), 0);
  block.uMsg = FMT_EM_SETMASKEDTEXT;  // without text
  block.wFlags |= FMT_FLAG_REMASK | FMT_FLAG_NOTIFY;
  block.lParam = 0;
  EXPECT_EQ(FMTValidateInput(&block), 0);
  block.uMsg = WM_CHAR;
  block.lParam = 1;
  HWND button = CreateWindowExA(0, "Button", "OK", WS_CHILD, 0, 0, 50, 20, parent_, nullptr, nullptr, nullptr);
  for (HWND window : {button, static_cast<HWND>(nullptr)}) {
    block.hWnd = window;
    EXPECT_EQ(FMTValidateInput(&block), 0);
  }
  DestroyWindow(button);
  block.hWnd = button;
  EXPECT_EQ(FMTValidateInput(&block), 0);
  block.hWnd = edit_;
  SetWindowTextA(edit_, "");
  EXPECT_EQ(FMTValidateInput(&block), 1);
  EXPECT_EQ(text(), "5");
}

TEST_F(MaskedField, DoubleByteCharactersTakeTwoPlacesWhole) {
  KwConfigureSystem(0x0411, 0x0411);
  use("XX-XX");
  play(edit_, "\x93\xFA" "a");  // 日 as lead and trail byte
  EXPECT_EQ(text(), "\x93\xFA-a");
  play(edit_, "\b\b");
  EXPECT_EQ(text(), "");  // the character went whole
  // Places that test a class, or one place before a literal, refuse it: the trail byte is
  // never typed as a character of its own ("\x83\x41" ends in the byte of "A").
  for (const char* mask : {"aa", "X-X", "X"}) {
    use(mask);
    reset();
    play(edit_, "\x83\x41");
    EXPECT_EQ(text(), "") << mask;
    EXPECT_EQ(gField.beeps, 1) << mask;
  }
  // Upper-casing leaves double-byte characters alone, and masking never splits them.
  const char* masked[][3] = {{"\x83\x61q", "!!!", "\x83\x61Q"},
                             {"a\x93\xFA", "XX9", "a"},
                             {"ab\x93", "XXXX", "ab"},
                             {"a\x93\xFA\x96", "X*", "a\x93\xFA"},
                             {"a\x96 b\x96\x31", "X*", "a b1"}};
  for (const auto& m : masked) {
    char out[16];
    EXPECT_EQ(FMTMaskText(m[0], out, m[1]), 1);
    EXPECT_STREQ(out, m[2]) << m[1];
  }
  // A lead byte before a blank has no trail byte: pasted into a mask without end it goes,
  // and trimming the blank never leaves it alone at the end of the field.
  HWND plain = CreateWindowExA(0, "Edit", "", WS_CHILD, 0, 30, 100, 20, parent_, nullptr, nullptr, nullptr);
  const char* pastes[][2] = {{"\xF0 ", ""}, {"ab\xF0 ", "ab"}, {"\x93\xFA\x96  ", "\x93\xFA"}};
  for (const auto& [pasted, shown] : pastes) {
    use("*", FMT_FLAG_REMASK);
    reset();
    SetWindowTextA(plain, pasted);
    SendMessageA(plain, EM_SETSEL, 0, -1);
    SendMessageA(plain, WM_COPY, 0, 0);
    SendMessageA(edit_, WM_PASTE, 0, 0);
    EXPECT_EQ(text(), shown) << pasted;
  }
  KwConfigureSystem(0x0409, 0x0409);
}

// Keys from the keyboard, taken by a message loop; Shift comes from the key state.
void sendKeys(std::initializer_list<WORD> keys, bool shifted) {
  std::vector<INPUT> in;
  const auto add = [&](WORD vk, DWORD flags) {
    INPUT i{};
    i.type = INPUT_KEYBOARD;
    i.ki.wVk = vk;
    i.ki.dwFlags = flags;
    in.push_back(i);
  };
  if (shifted) add(VK_SHIFT, 0);
  for (WORD vk : keys) {
    add(vk, 0);
    add(vk, KEYEVENTF_KEYUP);
  }
  if (shifted) add(VK_SHIFT, KEYEVENTF_KEYUP);
  ASSERT_EQ(SendInput(static_cast<UINT>(in.size()), in.data(), sizeof(INPUT)), in.size());
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
}

TEST_F(MaskedField, KeysFromSendInputThroughAMessageLoop) {
  use("(999) 999-9999");
  SetFocus(edit_);
  sendKeys({'5', '5', '5', '1', '2', '3', '4', '5', '6', '7', VK_LEFT}, false);
  EXPECT_EQ(text(), "(555) 123-4567");
  sendKeys({VK_HOME}, true);
  EXPECT_EQ(selection(), static_cast<DWORD>(MAKELONG(0, 13)));  // Shift+Home from the last place
  sendKeys({'9'}, false);  // the selection replaced in a full field
  EXPECT_EQ(text(), "(97");
  EXPECT_EQ(selection(), static_cast<DWORD>(MAKELONG(2, 2)));
  sendKeys({VK_END}, true);
  EXPECT_EQ(selection(), static_cast<DWORD>(MAKELONG(2, 3)));
}

}  // namespace
