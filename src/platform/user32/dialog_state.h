// The dialog manager's record of each dialog window, found by its handle.
#pragma once

#include <korvane/win32.h>

#include "user32/dialog_system.h"

namespace kw::user32 {

struct DialogState {
  HFONT font = nullptr;
  bool ownsFont = false;   // made from the template: deleted with the dialog
  int baseX = 8, baseY = 16;  // dialog base units in pixels
  bool modal = false;
  HWND disabledOwner = nullptr;  // what the modal loop disabled, enabled again when it ends
  bool ended = false;
  INT_PTR result = 0;
  HWND lastFocus = nullptr;  // the control to give the focus back to
  WORD defId = 0;            // DM_SETDEFID's, when hasDefId
  bool hasDefId = false;
};

// The record of a dialog window (null for any other window); it lives from the
// dialog's creation until its WM_NCDESTROY. Callers use it on the dialog's own thread.
DialogState* dialogState(HWND window);
void addDialog(HWND window, DialogState* state);
// Forgets and frees the record, deleting the dialog's own font.
void removeDialog(HWND window);

// The dialog procedure of the dialog class and of classes made for dialogs.
LRESULT CALLBACK defaultDialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Creates the dialog of a template (a modeless one unless `modal`): null when it cannot be.
HWND createDialog(HINSTANCE instance, const void* data, size_t size, HWND owner, DLGPROC proc, LPARAM param, bool modal);

// The dialog base units of a font (null: the system font) of `points` (0: unknown).
void measureBaseUnits(HFONT font, WORD points, int* baseX, int* baseY);

// A dialog template resource of the module, with its size; null when there is none.
const void* findDialogTemplate(HINSTANCE instance, LPCSTR name, DWORD* size);

// Enables the owner a modal dialog disabled, once.
void enableOwner(DialogState& s);

// Runs a dialog modally: its EndDialog value, -1 when it cannot be created. With
// `abandoned`, the loop also ends (setting it) when nothing could ever answer the dialog:
// no message waits, the thread has no timer and no one can give input.
INT_PTR runModal(HINSTANCE instance, const void* data, size_t size, HWND owner, DLGPROC proc, LPARAM param,
                 bool* abandoned = nullptr);

}  // namespace kw::user32
