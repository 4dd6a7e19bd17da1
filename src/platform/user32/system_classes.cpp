// The system classes: the standard controls and the dialog class. Each control keeps its
// state behind its first window extra slot; the dialog class has the dialog's extra bytes.
#include "user32/system_classes.h"

#include <korvane/win32.h>

#include "user32/dialog_control.h"
#include "user32/dialog_state.h"

namespace kw::user32 {

namespace {

void registerOne(LPCSTR name, WNDPROC proc, UINT style, int extra) {
  WNDCLASSA wc{};
  wc.style = style | CS_GLOBALCLASS;
  wc.lpfnWndProc = proc;
  wc.cbWndExtra = extra;
  wc.lpszClassName = name;
  RegisterClassA(&wc);
}

}  // namespace

void registerSystemClasses() {
  constexpr int kState = sizeof(void*);
  registerOne("Button", buttonWindowProc(), CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW, kState);
  registerOne("Edit", editWindowProc(), CS_DBLCLKS, kState);
  registerOne("Static", staticWindowProc(), 0, kState);
  registerOne("ListBox", listBoxWindowProc(), CS_DBLCLKS, kState);
  registerOne("ComboBox", comboBoxWindowProc(), CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW, kState);
  registerOne(MAKEINTATOM(32770), defaultDialogProc, CS_SAVEBITS | CS_DBLCLKS, DLGWINDOWEXTRA);
}

}  // namespace kw::user32
