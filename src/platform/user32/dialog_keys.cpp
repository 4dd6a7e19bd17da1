// The dialog keyboard interface: IsDialogMessageA (Tab, arrows, Enter, Escape,
// mnemonics) and the tab and group order it walks.
#include "user32/dialog_control.h"
#include "user32/dialog_navigation.h"

#include <vector>

namespace kw::user32 {

namespace {

// The dialog's controls in their order, as the navigation rules see them.
std::vector<HWND> controlsOf(HWND dialog, std::vector<NavigationItem>* items) {
  std::vector<HWND> controls;
  for (HWND c = GetWindow(dialog, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
    LONG_PTR style = GetWindowLongPtrA(c, GWL_STYLE);
    controls.push_back(c);
    items->push_back({(style & WS_TABSTOP) != 0, (style & WS_GROUP) != 0,
                      (style & WS_VISIBLE) != 0 && !(style & WS_DISABLED)});
  }
  return controls;
}

int indexOf(const std::vector<HWND>& controls, HWND control) {
  for (size_t i = 0; i < controls.size(); ++i)
    if (controls[i] == control) return static_cast<int>(i);
  return -1;
}

// The dialog's direct child that holds `window`, or null.
HWND childOf(HWND dialog, HWND window) {
  while (window && GetParent(window) != dialog) window = GetParent(window);
  return window;
}

void command(HWND dialog, int id) {
  HWND control = GetDlgItem(dialog, id);
  if (control && !IsWindowEnabled(control)) {
    MessageBeep(0);
    return;
  }
  SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(control));
}

// Enter: the focused push button, else the dialog's default button, else IDOK.
void pressDefault(HWND dialog, HWND focus) {
  if (focus && (SendMessageA(focus, WM_GETDLGCODE, 0, 0) & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON))) {
    command(dialog, GetDlgCtrlID(focus));
    return;
  }
  LRESULT def = SendMessageA(dialog, DM_GETDEFID, 0, 0);
  command(dialog, HIWORD(def) == DC_HASDEFID ? LOWORD(def) : IDOK);
}

// The character after the single "&" of a text, or 0.
char mnemonicOf(const std::string& text) {
  for (size_t i = 0; i + 1 < text.size(); ++i) {
    if (text[i] != '&') continue;
    if (text[i + 1] != '&') return text[i + 1];
    ++i;
  }
  return 0;
}

bool sameLetter(char a, char b) {
  char both[3] = {a, b, 0};
  CharUpperBuffA(both, 2);
  return both[0] == both[1];
}

// Alt+letter (or a letter the focus does not take): the control marked with it.
bool mnemonic(HWND dialog, char c) {
  std::vector<NavigationItem> items;
  std::vector<HWND> controls = controlsOf(dialog, &items);
  for (size_t i = 0; i < controls.size(); ++i) {
    HWND control = controls[i];
    LRESULT code = SendMessageA(control, WM_GETDLGCODE, 0, 0);
    if (!(code & (DLGC_STATIC | DLGC_BUTTON)) || !items[i].usable) continue;
    if ((GetWindowLongPtrA(control, GWL_STYLE) & SS_NOPREFIX) && (code & DLGC_STATIC)) continue;
    char m = mnemonicOf(windowTextOf(control));
    if (!m || !sameLetter(m, c)) continue;
    if (code & DLGC_STATIC) {  // a label gives the focus to the control after it
      int next = nextTabItem(items, static_cast<int>(i), false);
      if (next >= 0) SendMessageA(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(controls[static_cast<size_t>(next)]), TRUE);
      return true;
    }
    SendMessageA(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(control), TRUE);
    SendMessageA(control, BM_CLICK, 0, 0);
    return true;
  }
  return false;
}

// Arrow keys: the next item of the focus's group; radio buttons are checked as they go.
void arrow(HWND dialog, HWND focus, bool backward) {
  HWND next = GetNextDlgGroupItem(dialog, focus, backward);
  if (!next || next == focus) return;
  SendMessageA(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(next), TRUE);
  if (SendMessageA(next, WM_GETDLGCODE, 0, 0) & DLGC_RADIOBUTTON) SendMessageA(next, BM_CLICK, 0, 0);
}

}  // namespace

}  // namespace kw::user32

using namespace kw::user32;

KW32_API HWND WINAPI GetNextDlgTabItem(HWND dialog, HWND control, BOOL previous) {
  if (!IsWindow(dialog)) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return nullptr;
  }
  std::vector<NavigationItem> items;
  std::vector<HWND> controls = controlsOf(dialog, &items);
  int next = nextTabItem(items, indexOf(controls, childOf(dialog, control)), previous != FALSE);
  return next >= 0 ? controls[static_cast<size_t>(next)] : nullptr;
}

KW32_API HWND WINAPI GetNextDlgGroupItem(HWND dialog, HWND control, BOOL previous) {
  if (!IsWindow(dialog)) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return nullptr;
  }
  std::vector<NavigationItem> items;
  std::vector<HWND> controls = controlsOf(dialog, &items);
  int at = indexOf(controls, childOf(dialog, control));
  if (at < 0) at = nextTabItem(items, -1, false);
  int next = at >= 0 ? nextGroupItem(items, at, previous != FALSE) : -1;
  return next >= 0 ? controls[static_cast<size_t>(next)] : nullptr;
}

KW32_API BOOL WINAPI IsDialogMessageA(HWND dialog, LPMSG msg) {
  if (!msg || !IsWindow(dialog) || (msg->hwnd != dialog && !IsChild(dialog, msg->hwnd))) return FALSE;
  HWND focus = GetFocus();
  if (focus && focus != dialog && !IsChild(dialog, focus)) focus = nullptr;
  if (msg->message == WM_KEYDOWN || msg->message == WM_CHAR || msg->message == WM_SYSCHAR) {
    LRESULT code = msg->hwnd ? SendMessageA(msg->hwnd, WM_GETDLGCODE, msg->wParam, reinterpret_cast<LPARAM>(msg)) : 0;
    bool wantsAll = (code & DLGC_WANTMESSAGE) != 0;
    HWND control = childOf(dialog, focus);
    if (msg->message == WM_KEYDOWN && !wantsAll) {
      switch (msg->wParam) {
        case VK_TAB:
          if (code & DLGC_WANTTAB) break;
          SendMessageA(dialog, WM_NEXTDLGCTL, GetKeyState(VK_SHIFT) < 0, 0);
          return TRUE;
        case VK_LEFT: case VK_UP: case VK_RIGHT: case VK_DOWN:
          if (code & DLGC_WANTARROWS) break;
          arrow(dialog, control, msg->wParam == VK_LEFT || msg->wParam == VK_UP);
          return TRUE;
        case VK_RETURN:
          pressDefault(dialog, control);
          return TRUE;
        case VK_ESCAPE:
          command(dialog, IDCANCEL);
          return TRUE;
        default: break;
      }
    }
    if (msg->message == WM_SYSCHAR || (msg->message == WM_CHAR && !(code & (DLGC_WANTCHARS | DLGC_WANTMESSAGE)))) {
      char c = static_cast<char>(msg->wParam);
      if (c > ' ' && mnemonic(dialog, c)) return TRUE;
      if (msg->message == WM_SYSCHAR) {
        MessageBeep(0);
        return TRUE;
      }
    }
  }
  TranslateMessage(msg);
  DispatchMessageA(msg);
  return TRUE;
}
