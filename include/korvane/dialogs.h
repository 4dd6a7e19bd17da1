/* Dialog helpers: measurements shown in dialog fields (thousandths of an inch, as inches
   with a fixed number of decimals or as centimetres), strings added to list and combo
   boxes once only, wildcard tests of typed file patterns, centring dialogs, and disabling
   a thread's windows around a modeless task. */
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

/* The measurement typed into control `id` of `dialog`, read from its first 32 characters:
   digits and "." only. Metric (`metric` TRUE): centimetres, returned in thousandths of an
   inch, rounded. Otherwise the text is scaled by 10^decimals: "12.5" with 2 decimals gives
   1250, "12.567" gives 1256; past 3 decimals the whole part is scaled by 1000 while the
   fraction keeps all its digits ("1.5" with 4 decimals gives 6000). `*ok` (may be null)
   is TRUE when the text was read; FALSE, and the result 0, for an empty field, any other
   character, a missing control or a value beyond 32 bits. `reserved` is not used. */
KV_API LONG KV_CALL DlgGetDlgItemReal(HWND dialog, int id, BOOL *ok, BOOL reserved, BOOL metric, int decimals);

/* Sets the text of control `id` of `dialog` to `value` written by DlgSetStrRealMetricUnits
   (`metric` TRUE) or DlgSetStrRealUnits with `decimals`, passing `reserved` on. Returns
   what the control answers to WM_SETTEXT (0 for a missing control). */
KV_API LRESULT KV_CALL DlgSetDlgItemReal(HWND dialog, int id, LONG value, int reserved, BOOL metric, int decimals);

/* `length` in thousandths of an inch as screen pixels, rounded half away from zero, at the
   display's pixels per inch across (`vertical` FALSE) or down (TRUE). 0 when the display
   cannot be had. */
KV_API int KV_CALL DlgGetScreenPixels(LONG length, BOOL vertical);

/* Adds `text` to `list` unless an item of exactly that text (letter case counts) is there:
   the items from the first that begins with the text in any case (LB_FINDSTRING) are
   compared up to the first that starts with another letter (case aside) or is empty.
   TRUE when the text was there or is added; an empty text is not added and gives TRUE.
   FALSE for a null text, a null or destroyed window, short memory or a refused
   LB_ADDSTRING. */
KV_API BOOL KV_CALL DlgAddDistinctStringIntoListbox(HWND list, LPCSTR text);

/* The same for the list of a combo box, with the CB_ messages. */
KV_API BOOL KV_CALL DlgAddDistinctStringIntoCombo(HWND combo, LPCSTR text);

/* The index of the first item of `list` whose text equals `text` (letter case counts);
   -1 when there is none before the first empty item, for a null or empty text, a null or
   destroyed window, or when memory to read an item is short. */
KV_API int KV_CALL DlgLocateStringInListbox(HWND list, LPCSTR text);

/* Shows a message box owned by `owner` with the string `captionId` of `instance` (its
   first 39 bytes) as caption and the string `textId` (its first 199 bytes) as the
   wsprintfA format of `argument`, which its one field takes as a 32-bit number (%d, %u,
   %x, %c; not %s). A missing string counts as empty. Returns what MessageBoxA returns
   for `style`. */
KV_API int KV_CALL DlgMessageBoxString(HINSTANCE instance, HWND owner, UINT textId, UINT captionId, DWORD argument,
                                       UINT style);

/* Fits the horizontal scroll range of `list` (or of the list of a "CBCtrlComboBox"
   control) to its widest item, measured with GetTabbedTextExtentA in the list's font, with
   the one tab stop of the list's "LBTABSIZE" property when it has one; owner-drawn fixed
   lists count 15 more pixels. A wider item than both the client area and the range sets
   the range to it; no item as wide as the client area brings a range past it back to the
   client width; otherwise nothing changes. A null or destroyed window does nothing. */
KV_API void KV_CALL DlgSetListHScroll(HWND list);

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

/* A wizard: modal dialogs from templates of one instance, run one after another. The
   dialogs' procedures get the record as their WM_INITDIALOG parameter and set nNext
   before they end. */
typedef struct DLGWIZARD {
  HWND hwndOwner;
  LPVOID lpReserved;     /* not used */
  HINSTANCE hInstance;   /* of the templates */
  LPCSTR lpszTemplates;  /* the template names one after another, each ended by a zero
                            byte, the list by an empty name */
  DLGPROC *lpfnProcs;    /* one procedure per template */
  int nSteps;            /* the number of steps */
  int nCurrent;          /* the step shown, written before each dialog */
  int nNext;             /* the step to show next; negative ends the wizard */
} DLGWIZARD;

/* Runs the dialog of step nNext (from 0) until a dialog leaves nNext negative; returns 1
   then (at once when nNext starts negative). 0 for a null record, one without templates,
   procedures or instance, a step not below nSteps, an empty name or a null procedure up to
   the step, a dialog that cannot be made (-1) or one that ends with IDCANCEL. */
KV_API int KV_CALL DlgDoDlgWizard(DLGWIZARD *wizard);

#endif
