/* Input masks: pictures for free text such as telephone numbers or part codes. Each mask
   character takes one typed character of a class; every other character is a literal.
     9 digit   a letter   A letter, upper-cased   n letter or digit   N the same, upper-cased
     X any but line feed   ! the same, upper-cased   * any; last in a mask: all further text
   A leading "^" marks a field whose value keeps its literals (not unmasked on fetch). */
#ifndef KORVANE_MASKS_H
#define KORVANE_MASKS_H

#include "api.h"
#include "win32.h"

struct tagFMTCNTLBLOCK;

/* 1 when `mask` has at least one mask character and "*" at most as its last one, else 0
   (also for null or empty). Remove a leading "^" first. */
KV_API int KV_CALL FMTIsValidMaskFormat(LPCSTR mask);
/* 1 when `mask` begins with "^" (its field keeps the literals in its value), else 0. */
KV_API int KV_CALL FMTIsPicNoUnmaskOnGets(LPCSTR mask);
/* 1 when the last character of `mask` is "*" (the field takes text of any length), else
   0. */
KV_API int KV_CALL FMTIsPicUnlimited(LPCSTR mask);
/* The number of mask characters (places for typed characters) in `mask`, a leading "^"
   not counted; 0 for null. */
KV_API int KV_CALL FMTCntMaskChars(LPCSTR mask);
/* The number of literals in `mask`, a leading "^" not counted; 0 for null. */
KV_API int KV_CALL FMTCntNonMaskChars(LPCSTR mask);
/* Puts the characters of `input` into the places of `mask` (a place converts what it
   takes and drops what it refuses; a literal typed where the mask has it is skipped),
   writing the text as far as the input reaches, plus the literal right after the last
   place filled. `output` needs the mask's length + 1 bytes, or the input's + the mask's
   + 1 for an unlimited mask. 1, or 0 for a null argument or an invalid mask. */
KV_API int KV_CALL FMTMaskText(LPCSTR input, LPSTR output, LPCSTR mask);
/* Takes the literals out of masked text: lpszInput holds the text, lpszPicture the mask,
   lpszOutput (room for the input's length + 1) receives the typed characters. 1; 0, with
   an empty output, when the text does not fit the mask (a literal differs, a place holds
   a character of the wrong class, or the text is longer than a limited mask). */
KV_API int KV_CALL FMTUnmaskInput(struct tagFMTCNTLBLOCK *block);

/* The set-masked-text message of a masked edit field: lParam the unmasked text. */
#define FMT_EM_SETMASKEDTEXT 0x0426

/* Keeps a masked edit field's text in the shape of its mask. The field is a single-line
   edit control whose procedure the application replaced with its own; for every message
   that procedure fills a block with hWnd, uMsg, wParam, lParam, the mask in lpszPicture
   and wFlags, and calls this. 1: the message was handled, return lResult; 0: process it
   as usual (pass it to the control's procedure). Handled: typed characters (literals are
   typed for the user, a character the mask refuses beeps and changes nothing, a tab is
   swallowed, a lead byte waits for its trail byte), backspace, Delete, WM_CLEAR and
   WM_CUT (typed characters go, literals stay), Left, Right, Home and End (the caret
   rests only where a character is typed; Shift+Home and Shift+End select). With
   FMT_FLAG_REMASK, WM_SETTEXT, EM_REPLACESEL and WM_PASTE are processed and the text
   then put into the mask; with FMT_FLAG_NOTIFY too, the change is reported (EM_SETMODIFY
   and EN_CHANGE to the parent), and FMT_EM_SETMASKEDTEXT is answered by sending the
   procedure FMT_EM_SETMASKEDTEXT with wParam the control's identifier and lParam the
   text masked for display (blanks in the places not filled), for it to show. While a call
   runs on a thread, further calls on that thread return 0: the procedure's normal
   processing of what a call sends it. 0 also for a null block, a null or invalid mask, a
   mask holding a double-byte character (positions are bytes), and a window that is not a
   live control taking selections. */
KV_API int KV_CALL FMTValidateInput(struct tagFMTCNTLBLOCK *block);

#endif
