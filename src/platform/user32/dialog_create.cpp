// Creating dialogs from templates: the dialog window in dialog units of its font, its
// controls, WM_SETFONT and WM_INITDIALOG, as Win32 orders them.
#include "user32/dialog_state.h"
#include "user32/dialog_template.h"

#include <string>

namespace kw::user32 {

// The font's measured units; a font that cannot be measured gets the units Windows gives
// the classic dialog fonts: 6 x 13 pixels for 8 points, in proportion to the size, and
// 8 x 16 for the system font.
void measureBaseUnits(HFONT font, WORD points, int* baseX, int* baseY) {
  *baseX = points ? (6 * points + 4) / 8 : 8;
  *baseY = points ? (13 * points + 4) / 8 : 16;
  int x = 0, y = 0;
  if (fontBaseUnits(font, &x, &y) && x > 0 && y > 0) {
    *baseX = x;
    *baseY = y;
  }
}

namespace {

HFONT templateFont(const DialogTemplate& t) {
  int weight = t.extended && t.weight ? t.weight : 400;  // FW_NORMAL
  return createDialogFont(t.pointSize, weight, t.italic != 0, t.extended ? t.charSet : 1, t.face);  // DEFAULT_CHARSET
}

std::string nameOf(const TemplateName& n) {
  return n.ordinal >= 0 ? "#" + std::to_string(n.ordinal) : n.text;
}

// The dialog's outer rectangle: its client area from the template, positioned relative
// to the owner's client area (the screen with DS_ABSALIGN or without an owner), or
// centred with DS_CENTER.
RECT placeDialog(const DialogTemplate& t, const DialogState& s, HWND owner) {
  RECT r = templateRectToPixels(t.x, t.y, t.cx, t.cy, s.baseX, s.baseY);
  AdjustWindowRectEx(&r, t.style & ~static_cast<DWORD>(0xFFFF), !t.menu.empty(), t.exStyle);
  POINT origin{0, 0};
  if (owner && !(t.style & DS_ABSALIGN) && !(t.style & WS_CHILD)) ClientToScreen(owner, &origin);
  OffsetRect(&r, origin.x, origin.y);
  if (t.style & DS_CENTER) {
    int w = static_cast<int>(r.right - r.left), h = static_cast<int>(r.bottom - r.top);
    SIZE screen{GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    int x = (static_cast<int>(screen.cx) - w) / 2, y = (static_cast<int>(screen.cy) - h) / 2;
    r = RECT{x, y, x + w, y + h};
  }
  return r;
}

bool createControls(HWND dialog, HINSTANCE instance, const DialogTemplate& t, const DialogState& s) {
  for (const DialogItemTemplate& item : t.items) {
    RECT r = templateRectToPixels(item.x, item.y, item.cx, item.cy, s.baseX, s.baseY);
    std::string text = nameOf(item.text);
    HWND control = CreateWindowExA(item.exStyle | WS_EX_NOPARENTNOTIFY, item.className.c_str(), text.c_str(),
                                   item.style | WS_CHILD, r.left, r.top, r.right - r.left, r.bottom - r.top, dialog,
                                   reinterpret_cast<HMENU>(static_cast<UINT_PTR>(item.id)), instance,
                                   const_cast<BYTE*>(item.creationData));
    if (!control) {
      if (t.style & DS_NOFAILCREATE) continue;
      return false;
    }
    if (s.font) SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(s.font), FALSE);
  }
  return true;
}

}  // namespace

HWND createDialog(HINSTANCE instance, const void* data, size_t size, HWND owner, DLGPROC proc, LPARAM param, bool modal) {
  DialogTemplate t;
  if (!readDialogTemplate(data, size, &t)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  if (owner && !IsWindow(owner)) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return nullptr;
  }
  auto* state = new DialogState;
  state->modal = modal;
  if (t.hasFont) {
    state->font = templateFont(t);
    state->ownsFont = state->font != nullptr;
  }
  measureBaseUnits(state->font, t.hasFont ? t.pointSize : 0, &state->baseX, &state->baseY);
  RECT r = placeDialog(t, *state, owner);
  std::string className = t.className.empty() ? "#32770" : nameOf(t.className);
  HWND dialog = CreateWindowExA(t.exStyle, className.c_str(), t.caption.c_str(), t.style & ~static_cast<DWORD>(WS_VISIBLE),
                                r.left, r.top, r.right - r.left, r.bottom - r.top, owner, nullptr, instance,
                                reinterpret_cast<LPVOID>(param));
  if (!dialog) {
    if (state->ownsFont) DeleteObject(state->font);
    delete state;
    return nullptr;
  }
  addDialog(dialog, state);
  SetWindowLongPtrA(dialog, DWLP_DLGPROC, reinterpret_cast<LONG_PTR>(proc));
  if (t.hasFont) SendMessageA(dialog, WM_SETFONT, reinterpret_cast<WPARAM>(state->font), FALSE);
  if (!createControls(dialog, instance, t, *state)) {
    DestroyWindow(dialog);
    return nullptr;
  }
  HWND first = GetNextDlgTabItem(dialog, nullptr, FALSE);
  if (SendMessageA(dialog, WM_INITDIALOG, reinterpret_cast<WPARAM>(first), param) && IsWindow(dialog)) {
    first = GetNextDlgTabItem(dialog, nullptr, FALSE);  // the procedure may have changed them
    if (first) SendMessageA(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(first), TRUE);
  }
  if (!IsWindow(dialog)) return nullptr;
  if ((t.style & WS_VISIBLE) && !(dialogState(dialog) && dialogState(dialog)->ended)) {
    ShowWindow(dialog, SW_SHOWNORMAL);
    UpdateWindow(dialog);
  }
  return dialog;
}

}  // namespace kw::user32

using kw::user32::createDialog;

namespace kw::user32 {
const void* findDialogTemplate(HINSTANCE instance, LPCSTR name, DWORD* size) {
  HRSRC found = FindResourceA(instance, name, RT_DIALOG);
  if (!found) return nullptr;
  *size = SizeofResource(instance, found);
  return LockResource(LoadResource(instance, found));
}
}  // namespace kw::user32

KW32_API LONG WINAPI GetDialogBaseUnits(void) {
  int x = 0, y = 0;
  kw::user32::measureBaseUnits(nullptr, 0, &x, &y);
  return MAKELONG(x, y);
}

KW32_API HWND WINAPI CreateDialogIndirectParamA(HINSTANCE instance, LPCDLGTEMPLATEA dialogTemplate, HWND owner,
                                                DLGPROC proc, LPARAM param) {
  return createDialog(instance, dialogTemplate, SIZE_MAX, owner, proc, param, false);
}

KW32_API HWND WINAPI CreateDialogParamA(HINSTANCE instance, LPCSTR name, HWND owner, DLGPROC proc, LPARAM param) {
  DWORD size = 0;
  const void* data = kw::user32::findDialogTemplate(instance, name, &size);
  return data ? createDialog(instance, data, size, owner, proc, param, false) : nullptr;
}
