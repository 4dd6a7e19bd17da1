// Dialog items by id: their handles, texts and numbers; and dialog units in pixels.
#include "user32/dialog_control.h"
#include "user32/dialog_state.h"
#include "user32/dialog_template.h"

#include <cstdio>
#include <string>

using kw::user32::DialogState;
using kw::user32::dialogState;

KW32_API HWND WINAPI GetDlgItem(HWND dialog, int id) {
  if (!IsWindow(dialog)) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return nullptr;
  }
  for (HWND c = GetWindow(dialog, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT))
    if (static_cast<int>(GetWindowLongPtrA(c, GWLP_ID)) == id) return c;
  SetLastError(ERROR_CONTROL_ID_NOT_FOUND);
  return nullptr;
}

KW32_API int WINAPI GetDlgCtrlID(HWND control) {
  if (!IsWindow(control)) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return 0;
  }
  return static_cast<int>(GetWindowLongPtrA(control, GWLP_ID));
}

KW32_API BOOL WINAPI SetDlgItemTextA(HWND dialog, int id, LPCSTR text) {
  HWND control = GetDlgItem(dialog, id);
  return control ? static_cast<BOOL>(SendMessageA(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text ? text : ""))) : FALSE;
}

KW32_API UINT WINAPI GetDlgItemTextA(HWND dialog, int id, LPSTR buffer, int size) {
  if (buffer && size > 0) buffer[0] = '\0';
  HWND control = GetDlgItem(dialog, id);
  if (!control || !buffer || size <= 0) return 0;
  return static_cast<UINT>(SendMessageA(control, WM_GETTEXT, static_cast<WPARAM>(size), reinterpret_cast<LPARAM>(buffer)));
}

KW32_API BOOL WINAPI SetDlgItemInt(HWND dialog, int id, UINT value, BOOL isSigned) {
  char text[16];
  std::snprintf(text, sizeof text, isSigned ? "%d" : "%u", isSigned ? static_cast<int>(value) : value);
  return SetDlgItemTextA(dialog, id, text);
}

// Leading blanks, an optional minus sign when signed, decimal digits, trailing blanks;
// anything else, or a value out of range, is refused.
KW32_API UINT WINAPI GetDlgItemInt(HWND dialog, int id, BOOL* translated, BOOL isSigned) {
  if (translated) *translated = FALSE;
  char text[64];
  if (!GetDlgItemTextA(dialog, id, text, sizeof text) && !GetDlgItem(dialog, id)) return 0;
  const char* p = text;
  while (*p == ' ' || *p == '\t') ++p;
  bool negative = isSigned && *p == '-';
  if (negative) ++p;
  if (*p < '0' || *p > '9') return 0;
  unsigned long long value = 0;
  for (; *p >= '0' && *p <= '9'; ++p) {
    value = value * 10 + static_cast<unsigned>(*p - '0');
    if (value > 0xFFFFFFFFull) return 0;
  }
  while (*p == ' ' || *p == '\t') ++p;
  if (*p) return 0;
  if (isSigned && value > (negative ? 0x80000000ull : 0x7FFFFFFFull)) return 0;
  if (translated) *translated = TRUE;
  return negative ? static_cast<UINT>(0u - static_cast<UINT>(value)) : static_cast<UINT>(value);
}

KW32_API LRESULT WINAPI SendDlgItemMessageA(HWND dialog, int id, UINT message, WPARAM wParam, LPARAM lParam) {
  HWND control = GetDlgItem(dialog, id);
  return control ? SendMessageA(control, message, wParam, lParam) : 0;
}

KW32_API BOOL WINAPI CheckDlgButton(HWND dialog, int id, UINT check) {
  HWND control = GetDlgItem(dialog, id);
  if (!control) return FALSE;
  SendMessageA(control, BM_SETCHECK, check, 0);
  return TRUE;
}

KW32_API UINT WINAPI IsDlgButtonChecked(HWND dialog, int id) {
  HWND control = GetDlgItem(dialog, id);
  return control ? static_cast<UINT>(SendMessageA(control, BM_GETCHECK, 0, 0)) : 0;
}

KW32_API BOOL WINAPI CheckRadioButton(HWND dialog, int first, int last, int check) {
  if (!IsWindow(dialog)) return FALSE;
  for (int id = first; id <= last; ++id)
    if (HWND control = GetDlgItem(dialog, id)) SendMessageA(control, BM_SETCHECK, id == check ? BST_CHECKED : BST_UNCHECKED, 0);
  return TRUE;
}

KW32_API BOOL WINAPI MapDialogRect(HWND dialog, LPRECT rect) {
  DialogState* s = dialogState(dialog);
  if (!s || !rect) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return FALSE;
  }
  *rect = kw::user32::dialogUnitsToPixels(*rect, s->baseX, s->baseY);
  return TRUE;
}
