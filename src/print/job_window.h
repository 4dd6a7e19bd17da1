// What a print job does to the user interface: the owner's windows disabled while it
// runs, the "printing" dialog and its page line, the thread's messages taken between
// pages, and error boxes. Each call finds the job's entry again by its DC.
#pragma once

#include <korvane/print.h>

namespace kv {

// Disables the owner's windows (the job's own callback or the owner and its parents) and
// opens the dialog, unless the job asked for neither.
void openJobWindows(HDC dc);
// Enables what was disabled and closes the dialog; nothing when already done.
void closeJobWindows(HDC dc);
// The page counter raised and the page line shown.
void showPageLine(HDC dc);
// Takes the thread's messages until none is left or the job is aborted.
void pumpJobMessages(HDC dc);
// After a failed StartDocA/StartPage/EndPage/EndDoc: windows back, the box that the code
// calls for, the job marked aborted.
void reportJobError(HDC dc, int code);
// Marks the job aborted with `code` unless it already is.
void abortJob(HDC dc, int code);
bool jobAborted(HDC dc);
// The idle callback of a job whose caller gives none (abort_dialog.cpp).
PRINTIDLEPROC defaultIdleProc();

}  // namespace kv
