// Dialogs from templates: creation order, the library's templates in pixels, modal loops
// driven by a timer and by a CBT hook, the keyboard interface, items by id, message boxes.
#include <korvane/platform.h>

#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

#include "frame/state.h"
#include "user32/dialog_system.h"
#include "user32/dialog_template.h"

namespace {

using kw::user32::DialogTemplateWriter;

std::vector<UINT> gSeen;  // the messages a dialog procedure received, in order
HWND gOwner = nullptr;
BOOL gOwnerEnabledInside = TRUE;

// The messages Win32 sends while it creates a dialog, as its procedure sees them.
// Of the commands, only clicks and the dialog manager's own (notification code 0).
bool recorded(UINT m, WPARAM wParam) {
  return m == WM_SETFONT || m == WM_INITDIALOG || (m == WM_COMMAND && HIWORD(wParam) == 0) || m == WM_TIMER;
}

INT_PTR CALLBACK recordingProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  if (recorded(message, wParam)) gSeen.push_back(message);
  if (message == WM_INITDIALOG) {
    gOwnerEnabledInside = gOwner ? IsWindowEnabled(gOwner) : TRUE;
    if (lParam) SetTimer(dialog, 1, 10, nullptr);  // a timer that answers the dialog
    return TRUE;
  }
  if (message == WM_TIMER) {
    KillTimer(dialog, 1);
    EndDialog(dialog, 42);
    return TRUE;
  }
  if (message == WM_COMMAND && HIWORD(wParam) == 0) {
    EndDialog(dialog, LOWORD(wParam));
    return TRUE;
  }
  return FALSE;
}

HWND makeOwner() {
  static bool registered = [] {
    WNDCLASSA wc{};
    wc.lpfnWndProc = DefWindowProcA;
    wc.lpszClassName = "KwDialogTestOwner";
    return RegisterClassA(&wc) != 0;
  }();
  EXPECT_TRUE(registered);
  return CreateWindowExA(0, "KwDialogTestOwner", "owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 500, 400, nullptr,
                         nullptr, nullptr, nullptr);
}

// A small dialog: an edit field, a check box, OK (default) and Cancel.
DialogTemplateWriter smallTemplate(DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME) {
  DialogTemplateWriter t(style, 10, 10, 180, 60, "Small", 8, "Helv");
  t.add(10, 0x82, nullptr, "&Name:", WS_VISIBLE | SS_LEFT, 4, 4, 40, 8);
  t.add(11, 0x81, nullptr, "text", WS_VISIBLE | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, 50, 4, 100, 12);
  t.add(12, 0x80, nullptr, "&Check", WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX, 50, 20, 60, 10);
  t.add(IDOK, 0x80, nullptr, "OK", WS_VISIBLE | WS_TABSTOP | WS_GROUP | BS_DEFPUSHBUTTON, 40, 40, 40, 14);
  t.add(IDCANCEL, 0x80, nullptr, "Cancel", WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 90, 40, 40, 14);
  return t;
}

// The control's rectangle in its dialog's client coordinates.
RECT placeOf(HWND dialog, HWND control) {
  RECT r{};
  GetWindowRect(control, &r);
  MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
  return r;
}

bool sameRect(const RECT& a, const RECT& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

TEST(Dialogs, CreationOrderControlsAndItemsById) {
  gSeen.clear();
  DialogTemplateWriter t = smallTemplate();
  HWND dialog = CreateDialogIndirectParamA(nullptr, static_cast<LPCDLGTEMPLATEA>(t.data()), nullptr, recordingProc, 0);
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(gSeen, (std::vector<UINT>{WM_SETFONT, WM_INITDIALOG}));
  char cls[32];
  GetClassNameA(dialog, cls, sizeof cls);
  EXPECT_STREQ(cls, "#32770");
  EXPECT_EQ(GetFocus(), GetDlgItem(dialog, 11));  // WM_INITDIALOG said TRUE: the first tab stop
  EXPECT_EQ(GetDlgCtrlID(GetDlgItem(dialog, 12)), 12);
  EXPECT_EQ(GetDlgItem(dialog, 99), nullptr);
  EXPECT_EQ(GetDlgCtrlID(nullptr), 0);

  char text[32];
  EXPECT_EQ(GetDlgItemTextA(dialog, 11, text, sizeof text), 4u);
  EXPECT_STREQ(text, "text");
  EXPECT_TRUE(SetDlgItemTextA(dialog, 11, "changed"));
  EXPECT_EQ(SendDlgItemMessageA(dialog, 11, WM_GETTEXTLENGTH, 0, 0), 7);
  EXPECT_EQ(GetDlgItemTextA(dialog, 99, text, sizeof text), 0u);
  EXPECT_STREQ(text, "");

  struct IntCase { const char* text; BOOL isSigned; UINT value; BOOL ok; } ints[] = {
      {"123", FALSE, 123, TRUE},  {"  -45 ", TRUE, static_cast<UINT>(-45), TRUE}, {"-45", FALSE, 0, FALSE},
      {"12a", TRUE, 0, FALSE},    {"", TRUE, 0, FALSE},     {"4294967295", FALSE, 4294967295u, TRUE},
      {"4294967296", FALSE, 0, FALSE}, {"2147483648", TRUE, 0, FALSE}, {"-2147483648", TRUE, 0x80000000u, TRUE},
  };
  for (const IntCase& c : ints) {
    SetDlgItemTextA(dialog, 11, c.text);
    BOOL ok = 7;
    EXPECT_EQ(GetDlgItemInt(dialog, 11, &ok, c.isSigned), c.value) << c.text;
    EXPECT_EQ(ok, c.ok) << c.text;
  }
  SetDlgItemInt(dialog, 11, static_cast<UINT>(-7), TRUE);
  EXPECT_EQ(GetDlgItemTextA(dialog, 11, text, sizeof text), 2u);
  EXPECT_STREQ(text, "-7");

  // Controls sit where their dialog units say.
  RECT unit{0, 0, 4, 8};
  ASSERT_TRUE(MapDialogRect(dialog, &unit));
  EXPECT_GT(unit.right, 0);
  RECT edit{50, 4, 100, 12};  // corner and size, each scaled
  MapDialogRect(dialog, &edit);
  EXPECT_TRUE(sameRect(placeOf(dialog, GetDlgItem(dialog, 11)),
                       RECT{edit.left, edit.top, edit.left + edit.right, edit.top + edit.bottom}));
  EXPECT_FALSE(MapDialogRect(GetDlgItem(dialog, 11), &unit));  // not a dialog
  EXPECT_TRUE(DestroyWindow(dialog));
  EXPECT_FALSE(IsWindow(dialog));
}

TEST(Dialogs, KeyboardInterface) {
  gSeen.clear();
  DialogTemplateWriter t = smallTemplate();
  HWND dialog = CreateDialogIndirectParamA(nullptr, static_cast<LPCDLGTEMPLATEA>(t.data()), nullptr, recordingProc, 0);
  ASSERT_NE(dialog, nullptr);
  auto key = [&](WPARAM vk) {
    MSG msg{GetFocus(), WM_KEYDOWN, vk, 1, 0, {}};
    return IsDialogMessageA(dialog, &msg);
  };
  EXPECT_EQ(GetFocus(), GetDlgItem(dialog, 11));
  EXPECT_TRUE(key(VK_TAB));
  EXPECT_EQ(GetFocus(), GetDlgItem(dialog, 12));
  EXPECT_TRUE(key(VK_TAB));
  EXPECT_EQ(GetFocus(), GetDlgItem(dialog, IDOK));
  EXPECT_TRUE(key(VK_TAB));
  EXPECT_EQ(GetFocus(), GetDlgItem(dialog, IDCANCEL));
  // Cancel has the focus: it is the default now, OK is not.
  EXPECT_EQ(SendDlgItemMessageA(dialog, IDCANCEL, WM_GETDLGCODE, 0, 0) & DLGC_DEFPUSHBUTTON, DLGC_DEFPUSHBUTTON);
  EXPECT_EQ(SendDlgItemMessageA(dialog, IDOK, WM_GETDLGCODE, 0, 0) & DLGC_UNDEFPUSHBUTTON, DLGC_UNDEFPUSHBUTTON);
  EXPECT_TRUE(key(VK_TAB));
  EXPECT_EQ(GetFocus(), GetDlgItem(dialog, 11));  // round the end
  SendMessageA(dialog, WM_NEXTDLGCTL, TRUE, 0);  // backwards, as Shift+Tab goes
  EXPECT_EQ(GetFocus(), GetDlgItem(dialog, IDCANCEL));
  SendMessageA(dialog, WM_NEXTDLGCTL, TRUE, 0);
  EXPECT_EQ(GetFocus(), GetDlgItem(dialog, IDOK));

  // Enter in the edit field presses the default button, Escape is Cancel.
  SetFocus(GetDlgItem(dialog, 11));
  gSeen.clear();
  EXPECT_TRUE(key(VK_RETURN));
  EXPECT_TRUE(key(VK_ESCAPE));
  EXPECT_EQ(gSeen, (std::vector<UINT>{WM_COMMAND, WM_COMMAND}));

  // Alt+C clicks the check box by its mnemonic.
  MSG alt{GetFocus(), WM_SYSCHAR, 'c', 1 << 29, 0, {}};
  EXPECT_TRUE(IsDialogMessageA(dialog, &alt));
  EXPECT_EQ(IsDlgButtonChecked(dialog, 12), BST_CHECKED);
  MSG other{nullptr, WM_KEYDOWN, VK_TAB, 0, 0, {}};
  EXPECT_FALSE(IsDialogMessageA(dialog, &other));  // not the dialog's
  DestroyWindow(dialog);
}

TEST(Dialogs, ModalDialogEndedByATimerWithItsOwnerDisabled) {
  gOwner = makeOwner();
  gSeen.clear();
  DWORD size = 0;
  HMODULE library = kv::gpState->module;
  ASSERT_NE(FindResourceA(library, "PRTSETUP", RT_DIALOG), nullptr);
  (void)size;
  INT_PTR result = DialogBoxParamA(library, "PrtSetup", gOwner, recordingProc, 1);
  EXPECT_EQ(result, 42);
  EXPECT_FALSE(gOwnerEnabledInside);
  EXPECT_TRUE(IsWindowEnabled(gOwner));
  EXPECT_EQ(gSeen, (std::vector<UINT>{WM_SETFONT, WM_INITDIALOG, WM_TIMER}));
  EXPECT_EQ(DialogBoxParamA(library, "NO SUCH DIALOG", gOwner, recordingProc, 1), -1);
  EXPECT_TRUE(IsWindowEnabled(gOwner));
  DestroyWindow(gOwner);
  gOwner = nullptr;
}

// The library's templates in pixels, by the base units of their font ("Helv", 8 points)
// measured as Win32 measures them: the average width of the 52 Latin letters and the line
// height of the font at -MulDiv(8, LOGPIXELSY, 72); x scales by baseX / 4, y by baseY / 8.
struct Placed {
  int id;
  RECT units;
};
struct Layout {
  const Placed* controls;
  SIZE client;  // dialog units
  int baseX, baseY;
};

// MapDialogRect scales each coordinate; windows made from templates have their corner and
// their size scaled, so a size does not depend on where the window sits.
RECT inPixels(const RECT& units, const Layout& l) {
  return RECT{MulDiv(units.left, l.baseX, 4), MulDiv(units.top, l.baseY, 8), MulDiv(units.right, l.baseX, 4),
              MulDiv(units.bottom, l.baseY, 8)};
}
RECT placedInPixels(const RECT& units, const Layout& l) {
  RECT r = inPixels(units, l);
  r.right = r.left + MulDiv(units.right - units.left, l.baseX, 4);
  r.bottom = r.top + MulDiv(units.bottom - units.top, l.baseY, 8);
  return r;
}

INT_PTR CALLBACK measuringProc(HWND dialog, UINT message, WPARAM, LPARAM lParam) {
  if (message != WM_INITDIALOG) return FALSE;
  const Layout* layout = reinterpret_cast<const Layout*>(lParam);
  for (const Placed* p = layout->controls; p->id >= 0; ++p) {
    HWND control = GetDlgItem(dialog, p->id);
    EXPECT_NE(control, nullptr) << p->id;
    RECT at = control ? placeOf(dialog, control) : RECT{};
    RECT want = placedInPixels(p->units, *layout);
    EXPECT_TRUE(sameRect(at, want)) << p->id << ": " << at.left << "," << at.top << "," << at.right << "," << at.bottom;
  }
  RECT client{};
  GetClientRect(dialog, &client);
  RECT whole = inPixels(RECT{0, 0, layout->client.cx, layout->client.cy}, *layout);
  EXPECT_EQ(client.right, whole.right);
  EXPECT_EQ(client.bottom, whole.bottom);
  RECT units{4, 2, 70, 11};
  EXPECT_TRUE(MapDialogRect(dialog, &units));
  EXPECT_TRUE(sameRect(units, inPixels(RECT{4, 2, 70, 11}, *layout)));
  EndDialog(dialog, IDCANCEL);
  return TRUE;
}

TEST(Dialogs, LibraryTemplatesInPixels) {
  HDC dc = CreateCompatibleDC(nullptr);
  HFONT font = CreateFontA(-MulDiv(8, GetDeviceCaps(dc, LOGPIXELSY), 72), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                           DEFAULT_CHARSET, 0, 0, 0, 0, "Helv");
  HGDIOBJ old = SelectObject(dc, font);
  SIZE letters{};
  ASSERT_TRUE(GetTextExtentPoint32A(dc, "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz", 52, &letters));
  TEXTMETRICA tm{};
  ASSERT_TRUE(GetTextMetricsA(dc, &tm));
  SelectObject(dc, old);
  DeleteObject(font);
  DeleteDC(dc);
  const int baseX = (static_cast<int>(letters.cx) / 26 + 1) / 2, baseY = static_cast<int>(tm.tmHeight);
  ASSERT_GT(baseX, 3);
  ASSERT_GT(baseY, 8);

  const Placed setup[] = {{0, {4, 2, 70, 11}},        {900, {4, 14, 164, 80}}, {IDOK, {174, 14, 218, 28}},
                          {IDCANCEL, {174, 30, 218, 44}}, {4, {174, 55, 218, 69}}, {-1, {}}};
  const Layout setupLayout{setup, {222, 80}, baseX, baseY};
  HMODULE library = kv::gpState->module;
  EXPECT_EQ(DialogBoxParamA(library, "PRTSETUP", nullptr, measuringProc, reinterpret_cast<LPARAM>(&setupLayout)),
            IDCANCEL);
  const Placed abort[] = {{IDCANCEL, {76, 64, 108, 78}}, {800, {1, 6, 184, 14}}, {801, {1, 18, 184, 26}},
                          {802, {1, 34, 184, 42}},       {803, {0, 47, 183, 55}}, {-1, {}}};
  const Layout abortLayout{abort, {184, 83}, baseX, baseY};
  EXPECT_EQ(DialogBoxParamA(library, "printabortdialog", nullptr, measuringProc, reinterpret_cast<LPARAM>(&abortLayout)),
            IDCANCEL);
}

// A CBT hook answers the box when it is activated, as programs drive boxes on Windows.
HHOOK gHook = nullptr;
int gAnswer = 0;
LRESULT CALLBACK answeringHook(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HCBT_ACTIVATE) {
    char cls[16] = {};
    GetClassNameA(reinterpret_cast<HWND>(wParam), cls, sizeof cls);
    if (std::string(cls) == "#32770") PostMessageA(reinterpret_cast<HWND>(wParam), WM_COMMAND, gAnswer, 0);
  }
  return CallNextHookEx(gHook, code, wParam, lParam);
}

TEST(MessageBoxes, ACbtHookAnswersARealBox) {
  gHook = SetWindowsHookExA(WH_CBT, answeringHook, nullptr, GetCurrentThreadId());
  ASSERT_NE(gHook, nullptr);
  gAnswer = IDNO;
  EXPECT_EQ(MessageBoxA(nullptr, "Replace the file?", "Korvane", MB_YESNOCANCEL | MB_ICONQUESTION), IDNO);
  gAnswer = IDCANCEL;  // Escape of a box without Cancel does nothing; a box with OK only says OK
  EXPECT_EQ(MessageBoxA(nullptr, "Done.", "Korvane", MB_OK), IDOK);
  gAnswer = IDRETRY;
  EXPECT_EQ(MessageBoxA(nullptr, "Printer not ready.", nullptr, MB_RETRYCANCEL), IDRETRY);
  UnhookWindowsHookEx(gHook);
}

std::string gHookText, gHookCaption;
int CALLBACK boxHook(HWND, LPCSTR text, LPCSTR caption, UINT type) {
  gHookText = text;
  gHookCaption = caption;
  return static_cast<int>(type & MB_TYPEMASK) == MB_YESNO ? IDYES : IDOK;
}

TEST(MessageBoxes, HookAndHeadlessDefault) {
  KwSetMessageBoxHook(boxHook);
  EXPECT_EQ(MessageBoxA(nullptr, "Internal Error: print120", "Korvane", MB_ICONHAND | MB_SYSTEMMODAL | MB_YESNO), IDYES);
  EXPECT_EQ(gHookText, "Internal Error: print120");
  EXPECT_EQ(gHookCaption, "Korvane");
  KwSetMessageBoxHook(nullptr);

  testing::internal::CaptureStderr();
  EXPECT_EQ(MessageBoxA(nullptr, "Out of Disk Space", "Printing", MB_OKCANCEL | MB_DEFBUTTON2), IDCANCEL);
  EXPECT_EQ(MessageBoxA(nullptr, "Saved", "Korvane", MB_OK), IDOK);
  std::string said = testing::internal::GetCapturedStderr();
  EXPECT_NE(said.find("Printing: Out of Disk Space [Cancel]"), std::string::npos) << said;
  EXPECT_NE(said.find("Korvane: Saved [OK]"), std::string::npos) << said;
  EXPECT_EQ(MessageBoxA(nullptr, "bad", "bad", 0x0F), 0);  // not a style
}

TEST(Dialogs, BadInputFailsCleanly) {
  EXPECT_FALSE(EndDialog(nullptr, 1));
  HWND plain = makeOwner();
  EXPECT_FALSE(EndDialog(plain, 1));
  const WORD garbage[4] = {0xFFFF, 0xFFFF, 0xFFFF, 0xFFFF};
  EXPECT_EQ(CreateDialogIndirectParamA(nullptr, reinterpret_cast<LPCDLGTEMPLATEA>(garbage), nullptr, recordingProc, 0), nullptr);
  DialogTemplateWriter unknown(WS_POPUP, 0, 0, 10, 10, "x");
  unknown.add(1, -1, "NoSuchClass", "", WS_VISIBLE, 0, 0, 5, 5);
  EXPECT_EQ(DialogBoxIndirectParamA(nullptr, static_cast<LPCDLGTEMPLATEA>(unknown.data()), plain, recordingProc, 0), -1);
  EXPECT_TRUE(IsWindowEnabled(plain));
  HWND dead = makeOwner();
  DestroyWindow(dead);
  DialogTemplateWriter t = smallTemplate();
  EXPECT_EQ(DialogBoxIndirectParamA(nullptr, static_cast<LPCDLGTEMPLATEA>(t.data()), dead, recordingProc, 0), -1);
  // Ended twice: the second value counts, nothing breaks.
  HWND dialog = CreateDialogIndirectParamA(nullptr, static_cast<LPCDLGTEMPLATEA>(t.data()), plain, recordingProc, 0);
  EXPECT_TRUE(EndDialog(dialog, 1));
  EXPECT_TRUE(EndDialog(dialog, 2));
  DestroyWindow(dialog);
  EXPECT_FALSE(EndDialog(dialog, 3));
  DestroyWindow(plain);
}

// A thread that ends with a dialog still open takes it and its controls along, with no
// messages to the application's procedure, and frees what the controls kept (a leak
// LeakSanitizer reports otherwise).
TEST(Dialogs, ADialogLeftOpenWhenItsThreadEndsGoesWithIt) {
  DialogTemplateWriter t = smallTemplate();
  t.add(13, 0x83, nullptr, "", WS_VISIBLE | WS_BORDER, 4, 20, 40, 30);
  t.add(14, 0x85, nullptr, "", WS_VISIBLE | CBS_DROPDOWN, 120, 20, 50, 40);
  std::vector<HWND> windows;
  std::thread([&] {
    gSeen.clear();
    HWND dialog = CreateDialogIndirectParamA(nullptr, static_cast<LPCDLGTEMPLATEA>(t.data()), nullptr, recordingProc, 0);
    ASSERT_NE(dialog, nullptr);
    windows.push_back(dialog);
    for (int id : {10, 11, 12, 13, 14, IDOK, IDCANCEL}) windows.push_back(GetDlgItem(dialog, id));
    SendDlgItemMessageA(dialog, 13, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>("line"));
    SendDlgItemMessageA(dialog, 14, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>("choice"));
    gSeen.clear();
  }).join();
  for (HWND w : windows) {
    EXPECT_NE(w, nullptr);
    EXPECT_FALSE(IsWindow(w));
  }
  EXPECT_TRUE(gSeen.empty());
}

}  // namespace
