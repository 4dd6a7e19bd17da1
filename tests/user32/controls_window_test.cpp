// The standard controls as windows: each one's messages and results, and the
// notifications its parent receives, as tables.
#include <korvane/win32.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/emulated_system.h"
#include "user32/dialog_system.h"

namespace {

struct Notice {
  int id;
  int code;
  bool operator==(const Notice&) const = default;
};
std::vector<Notice> gNotices;

LRESULT CALLBACK parentProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_COMMAND && lParam) gNotices.push_back({LOWORD(wParam), HIWORD(wParam)});
  return DefWindowProcA(window, message, wParam, lParam);
}

// A parent window for one test's controls, destroyed with them at the end.
class Parent {
 public:
  Parent() {
    static bool registered = [] {
      WNDCLASSA wc{};
      wc.lpfnWndProc = parentProc;
      wc.lpszClassName = "KwControlTestParent";
      return RegisterClassA(&wc) != 0;
    }();
    EXPECT_TRUE(registered);
    window_ = CreateWindowExA(0, "KwControlTestParent", "parent", WS_OVERLAPPEDWINDOW, 0, 0, 400, 300, nullptr, nullptr,
                              nullptr, nullptr);
    gNotices.clear();
  }
  ~Parent() { DestroyWindow(window_); }
  HWND child(const char* cls, DWORD style, const char* text = "", int id = 100, int cx = 200, int cy = 24) const {
    return CreateWindowExA(0, cls, text, WS_CHILD | WS_VISIBLE | style, 10, 10, cx, cy, window_,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
  }
  HWND window() const { return window_; }

 private:
  HWND window_;
};

std::string textOf(HWND w) {
  char buffer[256] = {};
  GetWindowTextA(w, buffer, sizeof buffer);
  return buffer;
}

LRESULT send(HWND w, UINT m, WPARAM wp = 0, const char* text = nullptr) {
  return SendMessageA(w, m, wp, reinterpret_cast<LPARAM>(text));
}

DWORD selection(HWND edit) { return static_cast<DWORD>(SendMessageA(edit, EM_GETSEL, 0, 0)); }

TEST(EditControl, MessagesAndNotifications) {
  Parent parent;
  HWND edit = parent.child("Edit", WS_BORDER | ES_AUTOHSCROLL, "start");
  ASSERT_NE(edit, nullptr);
  EXPECT_EQ(textOf(edit), "start");
  EXPECT_EQ(send(edit, WM_GETTEXTLENGTH), 5);
  EXPECT_EQ(selection(edit), MAKELONG(0, 0));

  const Notice change{100, EN_UPDATE}, changed{100, EN_CHANGE};
  struct Step {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    LRESULT result;
    const char* text;
    DWORD sel;
    std::vector<Notice> notices;
  };
  const Step steps[] = {
      {EM_SETSEL, 0, -1, 0, "start", MAKELONG(0, 5), {}},
      {WM_CHAR, 'x', 1, 0, "x", MAKELONG(1, 1), {change, changed}},
      {EM_REPLACESEL, 0, reinterpret_cast<LPARAM>("yz"), 0, "xyz", MAKELONG(3, 3), {change, changed}},
      {WM_KEYDOWN, VK_HOME, 0, 0, "xyz", MAKELONG(0, 0), {}},
      {WM_KEYDOWN, VK_DELETE, 0, 0, "yz", MAKELONG(0, 0), {change, changed}},
      {WM_KEYDOWN, VK_END, 0, 0, "yz", MAKELONG(2, 2), {}},
      {WM_CHAR, VK_BACK, 1, 0, "y", MAKELONG(1, 1), {change, changed}},
      {EM_LIMITTEXT, 3, 0, 0, "y", MAKELONG(1, 1), {}},
      {EM_REPLACESEL, 0, reinterpret_cast<LPARAM>("1234"), 0, "y12", MAKELONG(3, 3), {{100, EN_MAXTEXT}, change, changed}},
      {WM_CHAR, 'q', 1, 0, "y12", MAKELONG(3, 3), {{100, EN_MAXTEXT}}},
      {EM_SETSEL, 1, 2, 0, "y12", MAKELONG(1, 2), {}},
      {WM_CLEAR, 0, 0, 0, "y2", MAKELONG(1, 1), {change, changed}},
      {WM_SETTEXT, 0, reinterpret_cast<LPARAM>("longer than the limit"), TRUE, "longer than the limit", MAKELONG(0, 0), {change, changed}},
      {EM_SETREADONLY, TRUE, 0, TRUE, "longer than the limit", MAKELONG(0, 0), {}},
      {WM_CHAR, 'r', 1, 0, "longer than the limit", MAKELONG(0, 0), {}},
      {EM_SETREADONLY, FALSE, 0, TRUE, "longer than the limit", MAKELONG(0, 0), {}},
  };
  int i = 0;
  for (const Step& s : steps) {
    gNotices.clear();
    EXPECT_EQ(SendMessageA(edit, s.message, s.wParam, s.lParam), s.result) << "step " << i;
    EXPECT_EQ(textOf(edit), s.text) << "step " << i;
    EXPECT_EQ(selection(edit), s.sel) << "step " << i;
    EXPECT_EQ(gNotices, s.notices) << "step " << i;
    ++i;
  }
  EXPECT_EQ(send(edit, EM_GETMODIFY), FALSE);  // WM_SETTEXT cleared it
  send(edit, WM_CHAR, 'z');                       // past the limit: refused
  EXPECT_EQ(send(edit, EM_GETMODIFY), FALSE);
  EXPECT_EQ(send(edit, EM_GETLIMITTEXT), 3);
  send(edit, EM_LIMITTEXT, 0);                    // 0: as much as a field takes
  SendMessageA(edit, EM_SETSEL, 0, 1);
  send(edit, WM_CHAR, 'z');
  EXPECT_EQ(send(edit, EM_GETMODIFY), TRUE);
  send(edit, EM_SETMODIFY, FALSE);
  EXPECT_EQ(send(edit, EM_GETMODIFY), FALSE);

  DWORD start = 7, end = 7;
  SendMessageA(edit, EM_SETSEL, 2, 5);
  SendMessageA(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  EXPECT_EQ(start, 2u);
  EXPECT_EQ(end, 5u);
  char small[4];
  EXPECT_EQ(SendMessageA(edit, WM_GETTEXT, sizeof small, reinterpret_cast<LPARAM>(small)), 3);
  EXPECT_STREQ(small, "zon");

  HFONT font = reinterpret_cast<HFONT>(static_cast<INT_PTR>(0x5A5A));  // kept, never looked into
  SendMessageA(edit, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
  EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageA(edit, WM_GETFONT, 0, 0)), font);
  EXPECT_EQ(SendMessageA(edit, WM_GETDLGCODE, 0, 0), DLGC_WANTCHARS | DLGC_HASSETSEL | DLGC_WANTARROWS);
}

TEST(EditControl, ClipboardCutCopyPaste) {
  Parent parent;
  HWND edit = parent.child("Edit", 0, "hello world");
  SendMessageA(edit, EM_SETSEL, 0, 5);
  send(edit, WM_COPY);
  SendMessageA(edit, EM_SETSEL, 11, 11);
  send(edit, WM_PASTE);
  EXPECT_EQ(textOf(edit), "hello worldhello");
  SendMessageA(edit, EM_SETSEL, 5, 11);
  send(edit, WM_CUT);
  EXPECT_EQ(textOf(edit), "hellohello");
  SendMessageA(edit, EM_SETSEL, 0, 0);
  send(edit, WM_PASTE);
  EXPECT_EQ(textOf(edit), " worldhellohello");

  // A single line takes the first line of a pasted text.
  HWND other = parent.child("Edit", 0, "one\r\ntwo", 101);
  SendMessageA(other, EM_SETSEL, 0, -1);
  send(other, WM_COPY);
  send(edit, WM_SETTEXT, 0, "");
  send(edit, WM_PASTE);
  EXPECT_EQ(textOf(edit), "one");
  // Read-only fields copy but neither cut nor paste.
  send(other, EM_SETREADONLY, TRUE);
  send(other, WM_CUT);
  send(other, WM_PASTE);
  EXPECT_EQ(textOf(other), "one\r\ntwo");
}

TEST(EditControl, JapaneseCaretNeverInsideACharacter) {
  EmulatedSystem japanese(0x0411);
  Parent parent;
  HWND edit = parent.child("Edit", 0, "");
  // 日本 typed as lead and trail bytes: 93 FA, 96 7B
  for (BYTE b : {0x93, 0xFA, 0x96, 0x7B}) SendMessageA(edit, WM_CHAR, b, 1);
  EXPECT_EQ(textOf(edit), "\x93\xFA\x96\x7B");
  EXPECT_EQ(selection(edit), MAKELONG(4, 4));
  SendMessageA(edit, WM_KEYDOWN, VK_LEFT, 0);
  EXPECT_EQ(selection(edit), MAKELONG(2, 2));
  SendMessageA(edit, EM_SETSEL, 3, 3);
  EXPECT_EQ(selection(edit), MAKELONG(2, 2));
  SendMessageA(edit, EM_SETSEL, 1, 3);
  EXPECT_EQ(selection(edit), MAKELONG(0, 2));
  SendMessageA(edit, WM_CHAR, 'a', 1);
  EXPECT_EQ(textOf(edit), "a\x96\x7B");
  SendMessageA(edit, WM_KEYDOWN, VK_DELETE, 0);
  EXPECT_EQ(textOf(edit), "a");
  char two[3];
  SendMessageA(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("\x93\xFA\x96\x7B"));
  EXPECT_EQ(SendMessageA(edit, WM_GETTEXT, sizeof two, reinterpret_cast<LPARAM>(two)), 2);  // never half of 本
  EXPECT_STREQ(two, "\x93\xFA");
}

TEST(ListBoxControl, MessagesAndNotifications) {
  Parent parent;
  HWND list = parent.child("ListBox", LBS_NOTIFY | LBS_SORT | WS_BORDER | WS_VSCROLL, "", 900, 160, 100);
  ASSERT_NE(list, nullptr);
  struct Step {
    UINT message;
    WPARAM wParam;
    const char* text;
    LRESULT result;
  };
  const Step steps[] = {
      {LB_GETCOUNT, 0, nullptr, 0},
      {LB_GETCURSEL, 0, nullptr, LB_ERR},
      {LB_ADDSTRING, 0, "Printer B on LPT1:", 0},
      {LB_ADDSTRING, 0, "printer a on FILE:", 0},  // sorted before, ignoring case
      {LB_ADDSTRING, 0, "Printer C on COM1:", 2},
      {LB_INSERTSTRING, 0, "Zeta", 0},  // insertions keep their place
      {LB_INSERTSTRING, static_cast<WPARAM>(-1), "Alpha", 4},
      {LB_INSERTSTRING, 9, "beyond", LB_ERR},
      {LB_GETCOUNT, 0, nullptr, 5},
      {LB_GETTEXTLEN, 1, nullptr, 18},
      {LB_GETTEXTLEN, 5, nullptr, LB_ERR},
      {LB_FINDSTRING, static_cast<WPARAM>(-1), "PRINTER", 1},
      {LB_FINDSTRING, 1, "printer", 2},
      {LB_FINDSTRING, 3, "printer", 1},  // round the end
      {LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), "zeta", 0},
      {LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), "Printer", LB_ERR},
      {LB_SELECTSTRING, static_cast<WPARAM>(-1), "printer b", 2},
      {LB_GETCURSEL, 0, nullptr, 2},
      {LB_SELECTSTRING, static_cast<WPARAM>(-1), "nothing", LB_ERR},
      {LB_GETCURSEL, 0, nullptr, 2},
      {LB_SETCURSEL, 3, nullptr, 3},
      {LB_SETCURSEL, 7, nullptr, LB_ERR},
      {LB_GETCURSEL, 0, nullptr, LB_ERR},
      {LB_DELETESTRING, 0, nullptr, 4},
      {LB_DELETESTRING, 4, nullptr, LB_ERR},
      {LB_SETHORIZONTALEXTENT, 321, nullptr, 0},
      {LB_GETHORIZONTALEXTENT, 0, nullptr, 321},
  };
  int i = 0;
  for (const Step& s : steps) {
    EXPECT_EQ(send(list, s.message, s.wParam, s.text), s.result) << "step " << i;
    ++i;
  }
  char buffer[64];
  EXPECT_EQ(SendMessageA(list, LB_GETTEXT, 0, reinterpret_cast<LPARAM>(buffer)), 18);
  EXPECT_STREQ(buffer, "printer a on FILE:");
  EXPECT_TRUE(gNotices.empty());  // the program's changes are not notified

  // The user's choices are: by keyboard and by mouse.
  send(list, LB_SETCURSEL, 0);
  SendMessageA(list, WM_KEYDOWN, VK_DOWN, 0);
  EXPECT_EQ(send(list, LB_GETCURSEL), 1);
  EXPECT_EQ(gNotices, (std::vector<Notice>{{900, LBN_SELCHANGE}}));
  gNotices.clear();
  RECT item{};
  ASSERT_EQ(SendMessageA(list, LB_GETITEMRECT, 2, reinterpret_cast<LPARAM>(&item)), 1);
  LPARAM at = MAKELPARAM(item.left + 2, item.top + 1);
  SendMessageA(list, WM_LBUTTONDOWN, MK_LBUTTON, at);
  SendMessageA(list, WM_LBUTTONUP, 0, at);
  SendMessageA(list, WM_LBUTTONDBLCLK, MK_LBUTTON, at);
  EXPECT_EQ(send(list, LB_GETCURSEL), 2);
  EXPECT_EQ(gNotices, (std::vector<Notice>{{900, LBN_SETFOCUS}, {900, LBN_SELCHANGE}, {900, LBN_DBLCLK}}));
  send(list, LB_RESETCONTENT);
  EXPECT_EQ(send(list, LB_GETCOUNT), 0);
  EXPECT_EQ(send(list, LB_GETCURSEL), LB_ERR);
}

TEST(ComboBoxControl, DropDownListMessagesAndNotifications) {
  Parent parent;
  HWND combo = parent.child("ComboBox", CBS_DROPDOWNLIST | CBS_SORT | WS_VSCROLL, "", 200, 120, 100);
  ASSERT_NE(combo, nullptr);
  RECT r{};
  GetWindowRect(combo, &r);
  EXPECT_LT(r.bottom - r.top, 100);  // the field only; the rest is the drop-down's
  for (const char* s : {"Courier", "arial", "Times"}) send(combo, CB_ADDSTRING, 0, s);
  struct Step {
    UINT message;
    WPARAM wParam;
    const char* text;
    LRESULT result;
  };
  const Step steps[] = {
      {CB_GETCOUNT, 0, nullptr, 3},
      {CB_GETCURSEL, 0, nullptr, CB_ERR},
      {CB_FINDSTRING, static_cast<WPARAM>(-1), "t", 2},
      {CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), "ARIAL", 0},
      {CB_SELECTSTRING, static_cast<WPARAM>(-1), "cour", 1},
      {WM_GETTEXTLENGTH, 0, nullptr, 7},
      {CB_SETCURSEL, 2, nullptr, 2},
      {CB_GETLBTEXTLEN, 0, nullptr, 5},
      {CB_GETLBTEXTLEN, 3, nullptr, CB_ERR},
      {CB_INSERTSTRING, 0, "Zapf", 0},
      {CB_GETCURSEL, 0, nullptr, 3},
      {CB_DELETESTRING, 3, nullptr, 3},
      {CB_GETCURSEL, 0, nullptr, CB_ERR},
      {CB_GETDROPPEDSTATE, 0, nullptr, FALSE},
      {CB_LIMITTEXT, 5, nullptr, CB_ERR},  // no edit field
  };
  int i = 0;
  for (const Step& s : steps) {
    EXPECT_EQ(send(combo, s.message, s.wParam, s.text), s.result) << "step " << i;
    ++i;
  }
  EXPECT_TRUE(gNotices.empty());
  SendMessageA(combo, WM_KEYDOWN, VK_DOWN, 0);
  EXPECT_EQ(send(combo, CB_GETCURSEL), 0);
  EXPECT_EQ(textOf(combo), "Zapf");
  send(combo, CB_SHOWDROPDOWN, TRUE);
  EXPECT_EQ(send(combo, CB_GETDROPPEDSTATE), TRUE);
  SendMessageA(combo, WM_KEYDOWN, VK_DOWN, 0);
  SendMessageA(combo, WM_KEYDOWN, VK_RETURN, 0);
  EXPECT_EQ(send(combo, CB_GETDROPPEDSTATE), FALSE);
  EXPECT_EQ(send(combo, CB_GETCURSEL), 1);
  EXPECT_EQ(gNotices, (std::vector<Notice>{{200, CBN_SELCHANGE},
                                           {200, CBN_DROPDOWN},
                                           {200, CBN_SELCHANGE},
                                           {200, CBN_SELENDOK},
                                           {200, CBN_CLOSEUP}}));
  char text[32];
  EXPECT_EQ(SendMessageA(combo, CB_GETLBTEXT, 1, reinterpret_cast<LPARAM>(text)), 5);
  EXPECT_STREQ(text, "arial");
}

TEST(ComboBoxControl, DropDownWithAnEditField) {
  Parent parent;
  HWND combo = parent.child("ComboBox", CBS_DROPDOWN, "", 201, 120, 100);
  send(combo, CB_ADDSTRING, 0, "one");
  send(combo, CB_ADDSTRING, 0, "two");
  send(combo, WM_SETTEXT, 0, "typed");
  EXPECT_EQ(textOf(combo), "typed");
  EXPECT_EQ(send(combo, CB_GETCURSEL), CB_ERR);
  send(combo, CB_SETCURSEL, 1);
  EXPECT_EQ(textOf(combo), "two");
  EXPECT_EQ(send(combo, CB_LIMITTEXT, 2), TRUE);
  EXPECT_EQ(SendMessageA(combo, CB_SETEDITSEL, 0, MAKELPARAM(0, 1)), TRUE);
  EXPECT_EQ(static_cast<DWORD>(send(combo, CB_GETEDITSEL)), MAKELONG(0, 1));
}

TEST(ButtonControl, PushCheckAndClickNotifications) {
  Parent parent;
  HWND push = parent.child("Button", BS_DEFPUSHBUTTON, "OK", IDOK);
  HWND check = parent.child("Button", BS_AUTOCHECKBOX, "&Check", 300);
  HWND manual = parent.child("Button", BS_CHECKBOX, "Manual", 301);
  EXPECT_EQ(send(push, WM_GETDLGCODE), DLGC_BUTTON | DLGC_DEFPUSHBUTTON);
  send(push, BM_SETSTYLE, BS_PUSHBUTTON);
  EXPECT_EQ(send(push, WM_GETDLGCODE), DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON);
  send(push, BM_CLICK);
  send(check, BM_CLICK);
  send(manual, BM_CLICK);
  EXPECT_EQ(send(check, BM_GETCHECK), BST_CHECKED);
  EXPECT_EQ(send(manual, BM_GETCHECK), BST_UNCHECKED);  // its owner checks it
  send(manual, BM_SETCHECK, BST_CHECKED);
  EXPECT_EQ(send(manual, BM_GETCHECK), BST_CHECKED);
  send(check, BM_CLICK);
  EXPECT_EQ(send(check, BM_GETCHECK), BST_UNCHECKED);
  SendMessageA(push, WM_KEYDOWN, VK_SPACE, 0);
  EXPECT_EQ(send(push, BM_GETSTATE) & BST_PUSHED, BST_PUSHED);
  SendMessageA(push, WM_KEYUP, VK_SPACE, 0);
  EnableWindow(push, FALSE);
  send(push, BM_CLICK);  // a disabled button does not click
  EXPECT_EQ(gNotices, (std::vector<Notice>{{IDOK, BN_CLICKED}, {300, BN_CLICKED}, {301, BN_CLICKED}, {300, BN_CLICKED},
                                           {IDOK, BN_CLICKED}}));
  EXPECT_EQ(textOf(check), "&Check");
}

TEST(StaticControl, TextAndAlignment) {
  Parent parent;
  HWND left = parent.child("Static", SS_LEFT, "Printer:", 0);
  HWND centred = parent.child("Static", SS_CENTER, "", 800);
  EXPECT_EQ(textOf(left), "Printer:");
  EXPECT_TRUE(SetWindowTextA(centred, "Printing Page: 3"));
  EXPECT_EQ(textOf(centred), "Printing Page: 3");
  EXPECT_EQ(send(centred, WM_GETDLGCODE), DLGC_STATIC);
  EXPECT_EQ(send(centred, WM_GETFONT), 0);
  EXPECT_TRUE(gNotices.empty());
}

}  // namespace
