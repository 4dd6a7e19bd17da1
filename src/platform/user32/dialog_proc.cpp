// DefDlgProcA: the dialog class's window procedure, which calls the dialog procedure
// and does what it leaves undone: focus, the default button, Close, the background.
#include "user32/dialog_control.h"
#include "user32/dialog_state.h"

namespace kw::user32 {

namespace {

// Messages whose dialog-procedure result is the message result itself, not DWLP_MSGRESULT.
bool returnsDirectly(UINT message) {
  return message == WM_INITDIALOG || message == WM_COMPAREITEM || message == WM_VKEYTOITEM ||
         message == WM_CHARTOITEM || message == WM_QUERYDRAGICON ||
         (message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC);
}

bool isPushButton(HWND control) {
  return (SendMessageA(control, WM_GETDLGCODE, 0, 0) & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON)) != 0;
}

void setButtonDefault(HWND button, bool isDefault) {
  if (!button || !isPushButton(button)) return;
  SendMessageA(button, BM_SETSTYLE, isDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
}

// The dialog's default button id: DM_SETDEFID's, else the button that says it is one.
LRESULT defaultId(HWND dialog, const DialogState& s) {
  if (s.hasDefId) return MAKELONG(s.defId, DC_HASDEFID);
  for (HWND c = GetWindow(dialog, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT))
    if (SendMessageA(c, WM_GETDLGCODE, 0, 0) & DLGC_DEFPUSHBUTTON) return MAKELONG(GetDlgCtrlID(c), DC_HASDEFID);
  return 0;
}

// The dialog's direct child that holds `window`, or null.
HWND childOf(HWND dialog, HWND window) {
  while (window && GetParent(window) != dialog) window = GetParent(window);
  return window;
}

// The focus moves to `control`: a push button shows itself as the default while it has
// the focus; away from push buttons the dialog's own default comes back.
void moveFocus(HWND dialog, DialogState& s, HWND control) {
  if (!control) return;
  HWND old = childOf(dialog, GetFocus());
  LRESULT def = defaultId(dialog, s);
  HWND defButton = HIWORD(def) == DC_HASDEFID ? GetDlgItem(dialog, LOWORD(def)) : nullptr;
  bool toButton = isPushButton(control);
  if (old && old != control && isPushButton(old) && old != defButton) setButtonDefault(old, false);
  if (toButton) {
    if (defButton && defButton != control) setButtonDefault(defButton, false);
    setButtonDefault(control, true);
  } else if (defButton) {
    setButtonDefault(defButton, true);
  }
  SetFocus(control);
  if (SendMessageA(control, WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL) SendMessageA(control, EM_SETSEL, 0, -1);
  s.lastFocus = control;
}

void setDefaultId(HWND dialog, DialogState& s, WORD id) {
  LRESULT old = defaultId(dialog, s);
  if (HIWORD(old) == DC_HASDEFID) setButtonDefault(GetDlgItem(dialog, LOWORD(old)), false);
  s.defId = id;
  s.hasDefId = true;
  setButtonDefault(GetDlgItem(dialog, id), true);
}

LRESULT defaultProcessing(HWND dialog, DialogState& s, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_ERASEBKGND: {
      RECT r{};
      GetClientRect(dialog, &r);
      FillRect(reinterpret_cast<HDC>(wParam), &r, GetSysColorBrush(COLOR_BTNFACE));
      return 1;
    }
    case WM_GETFONT: return reinterpret_cast<LRESULT>(s.font);
    case WM_SETFOCUS: {
      HWND target = s.lastFocus && IsChild(dialog, s.lastFocus) && IsWindowEnabled(s.lastFocus)
                        ? s.lastFocus
                        : GetNextDlgTabItem(dialog, nullptr, FALSE);
      if (target) moveFocus(dialog, s, target);
      return 0;
    }
    case WM_ACTIVATE:
      if (LOWORD(wParam) == WA_INACTIVE) {
        HWND focus = GetFocus();
        if (focus && IsChild(dialog, focus)) s.lastFocus = childOf(dialog, focus);
      } else if (s.lastFocus && IsChild(dialog, s.lastFocus)) {
        SetFocus(s.lastFocus);
      }
      return 0;
    case WM_NEXTDLGCTL: {
      HWND target = LOWORD(lParam) ? reinterpret_cast<HWND>(wParam)
                                    : GetNextDlgTabItem(dialog, childOf(dialog, GetFocus()), wParam != 0);
      if (target && IsChild(dialog, target)) moveFocus(dialog, s, target);
      return 0;
    }
    case WM_CLOSE: {
      HWND cancel = GetDlgItem(dialog, IDCANCEL);
      if (cancel && !IsWindowEnabled(cancel)) MessageBeep(0);
      else PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), reinterpret_cast<LPARAM>(cancel));
      return 0;
    }
    case DM_GETDEFID: return defaultId(dialog, s);
    case DM_SETDEFID: setDefaultId(dialog, s, static_cast<WORD>(wParam)); return TRUE;
    case DM_REPOSITION: return 0;
    default: return DefWindowProcA(dialog, message, wParam, lParam);
  }
}

}  // namespace

LRESULT CALLBACK defaultDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  auto proc = reinterpret_cast<DLGPROC>(GetWindowLongPtrA(dialog, DWLP_DLGPROC));
  DialogState* s = dialogState(dialog);
  INT_PTR handled = FALSE;
  if (proc && s) {
    SetWindowLongPtrA(dialog, DWLP_MSGRESULT, 0);
    handled = proc(dialog, message, wParam, lParam);
  }
  if (message == WM_NCDESTROY) {
    removeDialog(dialog);
    return DefWindowProcA(dialog, message, wParam, lParam);
  }
  if (handled) return returnsDirectly(message) ? handled : GetWindowLongPtrA(dialog, DWLP_MSGRESULT);
  if (!IsWindow(dialog)) return 0;  // the procedure destroyed its dialog
  s = dialogState(dialog);
  if (!s) return DefWindowProcA(dialog, message, wParam, lParam);
  return defaultProcessing(dialog, *s, message, wParam, lParam);
}

}  // namespace kw::user32

KW32_API LRESULT WINAPI DefDlgProcA(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  return kw::user32::defaultDialogProc(dialog, message, wParam, lParam);
}
