// The system classes: the standard controls and the dialog class. Each control keeps its
// state behind its first window extra slot; the dialog class has the dialog's extra bytes.
#include "user32/system_classes.h"

#include <korvane/win32.h>

#include "user32/dialog_control.h"
#include "user32/dialog_state.h"
#include "user32/window.h"

namespace kw::user32 {

namespace {

// A control's own procedure frees its state at WM_NCDESTROY and calls nothing of the
// application's, so it can be given that message alone.
void releaseControl(HWND window) {
  if (WindowPtr w = peekWindow(window)) w->cls->proc(window, WM_NCDESTROY, 0, 0);
}

void registerOne(LPCSTR name, WNDPROC proc, UINT style, int extra, void (*release)(HWND)) {
  WNDCLASSA wc{};
  wc.style = style | CS_GLOBALCLASS;
  wc.lpfnWndProc = proc;
  wc.cbWndExtra = extra;
  wc.lpszClassName = name;
  RegisterClassA(&wc);
  if (std::shared_ptr<WindowClass> cls = findClass(name, nullptr)) cls->release = release;
}

}  // namespace

void registerSystemClasses() {
  constexpr int kState = sizeof(void*);
  registerOne("Button", buttonWindowProc(), CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW, kState, releaseControl);
  registerOne("Edit", editWindowProc(), CS_DBLCLKS, kState, releaseControl);
  registerOne("Static", staticWindowProc(), 0, kState, releaseControl);
  registerOne("ListBox", listBoxWindowProc(), CS_DBLCLKS, kState, releaseControl);
  registerOne("ComboBox", comboBoxWindowProc(), CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW, kState, releaseControl);
  registerOne(MAKEINTATOM(32770), defaultDialogProc, CS_SAVEBITS | CS_DBLCLKS, DLGWINDOWEXTRA, removeDialog);
}

}  // namespace kw::user32
