/* Dialog helpers: measurements shown in dialog fields (thousandths of an inch, as inches
   with a fixed number of decimals or as centimetres), wildcard tests of typed file
   patterns, centring dialogs, and disabling a thread's windows around a modeless task. */
#ifndef KORVANE_DIALOGS_H
#define KORVANE_DIALOGS_H

#include "api.h"
#include "win32.h"

/* Writes `value` (thousandths of an inch, or any whole number scaled by 10^decimals) into
   `text` as a decimal number with at most `decimals` decimals (3 and more give 3), trailing
   zeros and a trailing "." removed: 1250 with 2 decimals gives "12.5", 1200 gives "12".
   `text` needs room for 16 bytes. `reserved` is not used. A null `text` does nothing. */
KV_API void KV_CALL DlgSetStrRealUnits(UINT value, int reserved, LPSTR text, int decimals);

/* Writes `value` (thousandths of an inch) into `text` as centimetres at 2.5406 cm to the
   inch, rounded to the nearest quarter millimetre: 0 gives "0.0", 1000 gives "2.55".
   Negative values are written with a leading "-". `text` needs room for 24 bytes.
   `reserved` is not used. A null `text` does nothing. */
KV_API void KV_CALL DlgSetStrRealMetricUnits(LONG value, int reserved, LPSTR text);

/* 1 when `text` holds a "*" or "?" wildcard (never mistaking the trail byte of a
   double-byte character for one), else 0; 0 for a null text. */
KV_API int KV_CALL DlgSearchSpec(LPCSTR text);

/* Centres `dialog` over its parent, else its owner, else the screen (the screen's centre
   when the parent or owner is minimised), moved as far as needed to keep it on the
   screen; a child dialog is placed in its parent's client coordinates. Returns what
   MoveWindow returns; FALSE for a null or destroyed dialog. */
KV_API BOOL KV_CALL DlgCenterDialog(HWND dialog);

/* Disabling (`enable` FALSE): disables every enabled top-level window of the calling
   thread whose instance is `instance`, except `except`, at most 50, and returns the list
   of those it disabled, a movable local block to hand back later (null when `instance` is
   null or memory is short). Enabling: enables again exactly the windows of `list` (not
   those that were disabled before), frees it and returns null. */
KV_API HLOCAL KV_CALL DlgEnableAllWindows(HINSTANCE instance, HWND except, BOOL enable, HLOCAL list);

#endif
