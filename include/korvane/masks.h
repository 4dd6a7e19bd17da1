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

KV_API int KV_CALL FMTIsValidMaskFormat(LPCSTR mask);
KV_API int KV_CALL FMTIsPicNoUnmaskOnGets(LPCSTR mask);
KV_API int KV_CALL FMTIsPicUnlimited(LPCSTR mask);
KV_API int KV_CALL FMTCntMaskChars(LPCSTR mask);
KV_API int KV_CALL FMTCntNonMaskChars(LPCSTR mask);
/* Puts the characters of input into the mask; output needs room for the masked text. */
KV_API int KV_CALL FMTMaskText(LPCSTR input, LPSTR output, LPCSTR mask);
/* Masked text in lpszInput, mask in lpszPicture, typed characters to lpszOutput. */
KV_API int KV_CALL FMTUnmaskInput(struct tagFMTCNTLBLOCK *block);

#endif
