// Modal dialogs: the owner disabled while the dialog's own message loop runs, until
// EndDialog; and EndDialog itself.
#include "user32/dialog_state.h"

namespace kw::user32 {

namespace {

// Owners of dialogs are top-level windows.
HWND topLevel(HWND window) {
  while (window && (GetWindowLongPtrA(window, GWL_STYLE) & WS_CHILD)) window = GetParent(window);
  return window;
}

}  // namespace

void enableOwner(DialogState& s) {
  if (!s.disabledOwner) return;
  HWND owner = s.disabledOwner;
  s.disabledOwner = nullptr;
  if (IsWindow(owner)) EnableWindow(owner, TRUE);
}

INT_PTR runModal(HINSTANCE instance, const void* data, size_t size, HWND owner, DLGPROC proc, LPARAM param,
                 bool* abandoned) {
  if (owner && !IsWindow(owner)) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return -1;
  }
  HWND top = topLevel(owner);
  bool disabled = top && IsWindowEnabled(top);
  if (disabled) EnableWindow(top, FALSE);
  HWND dialog = createDialog(instance, data, size, top, proc, param, true);
  if (!dialog) {
    if (disabled) EnableWindow(top, TRUE);
    return -1;
  }
  DialogState* s = dialogState(dialog);
  if (disabled) s->disabledOwner = top;
  if (!s->ended) {
    ShowWindow(dialog, SW_SHOWNORMAL);
    UpdateWindow(dialog);
  }
  bool idleMessages = !(GetWindowLongPtrA(dialog, GWL_STYLE) & DS_NOIDLEMSG);
  INT_PTR result = 0;
  MSG msg{};
  while ((s = dialogState(dialog)) != nullptr && !s->ended) {
    if (idleMessages && top && !PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
      SendMessageA(top, WM_ENTERIDLE, MSGF_DIALOGBOX, reinterpret_cast<LPARAM>(dialog));
      if (!(s = dialogState(dialog)) || s->ended) break;
    }
    if (abandoned && !PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE) && !inputCanArrive()) {
      *abandoned = true;
      break;
    }
    BOOL got = GetMessageA(&msg, nullptr, 0, 0);
    if (got == 0) {  // WM_QUIT ends the dialog and stays for the caller's loop
      PostQuitMessage(static_cast<int>(msg.wParam));
      break;
    }
    if (got == -1) break;
    if (!IsDialogMessageA(dialog, &msg)) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
  }
  if (s) {
    result = s->result;
    enableOwner(*s);
  } else if (disabled && IsWindow(top)) {  // destroyed without EndDialog
    EnableWindow(top, TRUE);
  }
  if (IsWindow(dialog)) DestroyWindow(dialog);
  return result;
}

}  // namespace kw::user32

KW32_API INT_PTR WINAPI DialogBoxParamA(HINSTANCE instance, LPCSTR name, HWND owner, DLGPROC proc, LPARAM param) {
  DWORD size = 0;
  const void* data = kw::user32::findDialogTemplate(instance, name, &size);
  return data ? kw::user32::runModal(instance, data, size, owner, proc, param) : -1;
}

KW32_API INT_PTR WINAPI DialogBoxIndirectParamA(HINSTANCE instance, LPCDLGTEMPLATEA dialogTemplate, HWND owner,
                                                DLGPROC proc, LPARAM param) {
  return kw::user32::runModal(instance, dialogTemplate, SIZE_MAX, owner, proc, param);
}

KW32_API BOOL WINAPI EndDialog(HWND dialog, INT_PTR result) {
  kw::user32::DialogState* s = kw::user32::dialogState(dialog);
  if (!s) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return FALSE;
  }
  s->result = result;
  if (s->ended) return TRUE;
  s->ended = true;
  // The owner comes back before the dialog goes, so that it is the one activated.
  kw::user32::enableOwner(*s);
  ShowWindow(dialog, SW_HIDE);
  PostMessageA(dialog, WM_NULL, 0, 0);  // wakes the modal loop
  return TRUE;
}
