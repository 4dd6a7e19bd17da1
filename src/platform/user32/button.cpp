// The "Button" class: push buttons (plain and default), check boxes, radio buttons and
// group boxes, painting themselves through GDI.
#include <algorithm>
#include <string>

#include "user32/dialog_control.h"

namespace kw::user32 {

namespace {

struct Button {
  ControlBase base;
  UINT check = BST_UNCHECKED;
  bool pushed = false;
  bool focused = false;
  bool tracking = false;  // pressed by the mouse, which it has captured until the release
};

DWORD kind(HWND window) { return static_cast<DWORD>(GetWindowLongPtrA(window, GWL_STYLE)) & BS_TYPEMASK; }

bool isPush(DWORD k) { return k == BS_PUSHBUTTON || k == BS_DEFPUSHBUTTON || k == BS_OWNERDRAW; }
bool isRadio(DWORD k) { return k == BS_RADIOBUTTON || k == BS_AUTORADIOBUTTON; }

// An automatic radio button takes the check from the others of its group.
void checkRadioInGroup(HWND window) {
  HWND parent = GetParent(window);
  if (!parent) return;
  for (HWND other = GetNextDlgGroupItem(parent, window, FALSE); other && other != window;
       other = GetNextDlgGroupItem(parent, other, FALSE)) {
    if (SendMessageA(other, WM_GETDLGCODE, 0, 0) & DLGC_RADIOBUTTON) SendMessageA(other, BM_SETCHECK, BST_UNCHECKED, 0);
  }
  SendMessageA(window, BM_SETCHECK, BST_CHECKED, 0);
}

void click(HWND window, Button& b) {
  switch (kind(window)) {
    case BS_AUTOCHECKBOX:
      SendMessageA(window, BM_SETCHECK, b.check == BST_CHECKED ? BST_UNCHECKED : BST_CHECKED, 0);
      break;
    case BS_AUTO3STATE:
      SendMessageA(window, BM_SETCHECK, (b.check + 1) % 3, 0);
      break;
    case BS_AUTORADIOBUTTON:
      checkRadioInGroup(window);
      break;
    default:
      break;
  }
  notifyParent(window, BN_CLICKED);
}

void setPushed(HWND window, Button& b, bool pushed) {
  if (b.pushed == pushed) return;
  b.pushed = pushed;
  b.base.invalidate(window);
}

bool inside(HWND window, LPARAM at) {
  RECT r{};
  GetClientRect(window, &r);
  POINT p{static_cast<short>(LOWORD(at)), static_cast<short>(HIWORD(at))};
  return PtInRect(&r, p);
}

void paint(HWND window, Button& b) {
  ControlPaint p(window, b.base.font);
  DWORD k = kind(window);
  RECT r = p.client();
  bool enabled = IsWindowEnabled(window);
  COLORREF ink = enabled ? colours::kText : colours::kGrayText;
  std::string text = withoutPrefixes(windowTextOf(window));
  int height = p.lineHeight();
  if (k == BS_GROUPBOX) {
    RECT box{r.left, r.top + height / 2, r.right, r.bottom};
    p.frame(box, colours::kGrayText);
    RECT label{r.left + 6, r.top, r.left + 10 + p.width(text), r.top + height};
    p.fill(label, colours::kFace);
    p.text(static_cast<int>(r.left) + 8, static_cast<int>(r.top), text, ink);
    return;
  }
  p.fill(r, colours::kFace);
  int top = static_cast<int>(r.top) + std::max(0, (static_cast<int>(r.bottom - r.top) - height) / 2);
  if (isPush(k)) {
    p.frame(r, colours::kFrame);
    if (k == BS_DEFPUSHBUTTON) {
      RECT in = r;
      InflateRect(&in, -1, -1);
      p.frame(in, colours::kFrame);
    }
    int shift = b.pushed ? 1 : 0;
    int left = static_cast<int>(r.left + r.right - p.width(text)) / 2;
    p.text(left + shift, top + shift, text, ink);
    if (b.focused) {
      RECT focus = r;
      InflateRect(&focus, -3, -3);
      p.frame(focus, colours::kGrayText);
    }
    return;
  }
  // Check boxes and radio buttons: a 13-pixel box and the text beside it.
  int box = 13, boxTop = static_cast<int>(r.top + r.bottom - box) / 2;
  RECT mark{r.left, boxTop, r.left + box, boxTop + box};
  p.fill(mark, b.pushed ? colours::kFace : colours::kWindow);
  p.frame(mark, colours::kFrame);
  if (b.check != BST_UNCHECKED) {
    RECT tick{mark.left + 3, mark.top + 3, mark.right - 3, mark.bottom - 3};
    p.fill(tick, b.check == BST_INDETERMINATE ? colours::kGrayText : ink);
  }
  p.text(static_cast<int>(mark.right) + 4, top, text, ink);
}

LRESULT dialogCode(DWORD k) {
  if (k == BS_GROUPBOX) return DLGC_STATIC;
  if (k == BS_DEFPUSHBUTTON) return DLGC_BUTTON | DLGC_DEFPUSHBUTTON;
  if (isPush(k)) return DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON;
  if (isRadio(k)) return DLGC_BUTTON | DLGC_RADIOBUTTON;
  return DLGC_BUTTON;
}

LRESULT CALLBACK buttonProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) return attach(window, new Button, wParam, lParam);
  Button* b = stateOf<Button>(window);
  if (!b) return DefWindowProcA(window, message, wParam, lParam);
  LRESULT result = 0;
  if (b->base.handle(window, message, wParam, lParam, &result)) return result;
  switch (message) {
    case WM_NCDESTROY:
      detach<Button>(window);
      return DefWindowProcA(window, message, wParam, lParam);
    case BM_GETCHECK:
      return isPush(kind(window)) ? BST_UNCHECKED : b->check;
    case BM_SETCHECK:
      if (!isPush(kind(window)) && kind(window) != BS_GROUPBOX) {
        b->check = wParam <= BST_INDETERMINATE ? static_cast<UINT>(wParam) : BST_UNCHECKED;
        b->base.invalidate(window);
      }
      return 0;
    case BM_GETSTATE:
      return b->check | (b->pushed ? BST_PUSHED : 0) | (b->focused ? BST_FOCUS : 0);
    case BM_SETSTATE:
      setPushed(window, *b, wParam != 0);
      return 0;
    case BM_SETSTYLE: {
      LONG_PTR style = GetWindowLongPtrA(window, GWL_STYLE);
      SetWindowLongPtrA(window, GWL_STYLE,
                        (style & ~static_cast<LONG_PTR>(0xFFFF)) | static_cast<LONG_PTR>(LOWORD(wParam)));
      if (LOWORD(lParam)) b->base.invalidate(window);
      return 0;
    }
    case BM_CLICK:
      if (IsWindowEnabled(window)) click(window, *b);
      return 0;
    case WM_LBUTTONDBLCLK:
      // Radio and owner-drawn buttons, and any with BS_NOTIFY, tell of a double click;
      // for the others it is one more press.
      if (isRadio(kind(window)) || kind(window) == BS_OWNERDRAW || (GetWindowLongPtrA(window, GWL_STYLE) & BS_NOTIFY)) {
        notifyParent(window, BN_DOUBLECLICKED);
        return 0;
      }
      [[fallthrough]];
    case WM_LBUTTONDOWN:
      if (GetFocus() != window) SetFocus(window);
      SetCapture(window);
      b->tracking = true;
      setPushed(window, *b, true);
      return 0;
    case WM_MOUSEMOVE:  // pushed while the pointer is over it
      if (b->tracking) setPushed(window, *b, inside(window, lParam));
      return 0;
    case WM_LBUTTONUP: {
      const bool tracked = b->tracking;
      b->tracking = false;
      if (GetCapture() == window) ReleaseCapture();
      if (!tracked) return 0;
      setPushed(window, *b, false);
      if (inside(window, lParam)) click(window, *b);
      return 0;
    }
    case WM_CAPTURECHANGED:  // taken away mid-press: no click
      if (b->tracking) {
        b->tracking = false;
        setPushed(window, *b, false);
      }
      return 0;
    case WM_KEYDOWN:
      if (wParam == VK_SPACE) setPushed(window, *b, true);
      return 0;
    case WM_KEYUP:
      if (wParam == VK_SPACE && b->pushed) {
        setPushed(window, *b, false);
        click(window, *b);
      }
      return 0;
    case WM_CHAR:
      return 0;
    case WM_GETDLGCODE:
      return dialogCode(kind(window));
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      b->focused = message == WM_SETFOCUS;
      if (!b->focused) {
        b->pushed = false;
        b->tracking = false;
        if (GetCapture() == window) ReleaseCapture();
      }
      b->base.invalidate(window);
      if (GetWindowLongPtrA(window, GWL_STYLE) & BS_NOTIFY)
        notifyParent(window, b->focused ? BN_SETFOCUS : BN_KILLFOCUS);
      return 0;
    case WM_SETTEXT:
      result = DefWindowProcA(window, message, wParam, lParam);
      b->base.invalidate(window);
      return result;
    case WM_PAINT:
      paint(window, *b);
      return 0;
    default:
      return DefWindowProcA(window, message, wParam, lParam);
  }
}

}  // namespace

WNDPROC buttonWindowProc() { return buttonProc; }

}  // namespace kw::user32
