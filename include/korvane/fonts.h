/* Font enumeration helpers: the faces, the sizes of one face, or the metrics of every face
   of a device context, each as one movable global block of fixed-size records, and look-ups
   of a face's character set and pitch and family. All of them go through EnumFontsA.

   A result block is a GHND block handed over unlocked (free it with GlobalFree): a 16-bit
   count n, then n records packed without gaps, record i at offset 2 + i * record size. */
#ifndef KORVANE_FONTS_H
#define KORVANE_FONTS_H

#include "api.h"
#include "win32.h"

/* Record sizes of the three blocks. */
#define FON_FACE_RECORD 32    /* 0: lfFaceName, 32 bytes, zero-terminated */
#define FON_SIZE_RECORD 113   /* 0: LOGFONTA (60 bytes); 60: TEXTMETRICA through tmCharSet (53) */
#define FON_METRICS_RECORD 115 /* as a size record; 113: the font type bits, 16-bit */

/* The state FontEnumFaces and FontEnumSizes keep, passed to EnumFontsA as its LPARAM (the
   address of the state): the number of records so far and the block (null before the
   first). Start with both zero. */
typedef struct tagFONENUMSTATE {
  WORD count;
  HGLOBAL block;
} FONENUMSTATE;

/* The faces of `dc`, one record per face; null when no font was reported or memory ran out
   at the first one. If memory runs out later, the block holds the faces so far. */
KV_API HGLOBAL KV_CALL FonGetFontFaces(HDC dc);

/* EnumFontsA callback adding the font's face name to the faces block of the FONENUMSTATE
   at `state`: 1 to go on, 0 when memory runs out (or the count would pass 65535). */
KV_API int KV_CALL FontEnumFaces(const LOGFONTA *font, const TEXTMETRICA *metrics, DWORD fontType, LPARAM state);

/* The fonts of the face `face` on `dc`, one size record each; null when the device has no
   such face or memory ran out at the first font. */
KV_API HGLOBAL KV_CALL FonGetFontSizes(HDC dc, LPCSTR face);

/* EnumFontsA callback adding the font's LOGFONTA and TEXTMETRICA to the sizes block of the
   FONENUMSTATE at `state`: 1 to go on, 0 when memory runs out. */
KV_API int KV_CALL FontEnumSizes(const LOGFONTA *font, const TEXTMETRICA *metrics, DWORD fontType, LPARAM state);

/* The metrics of every face of `dc`, one metrics record per face, or null. */
KV_API HGLOBAL KV_CALL FonGetFontFaceMetrics(HDC dc);

/* Sets `*charSet` to lfCharSet of the first font of `face` on `dc`; leaves it unchanged when
   the device has no such face. 1, or 0 (writing nothing) for a null `dc` or `charSet`. */
KV_API int KV_CALL FonGetFontCharSet(HDC dc, LPCSTR face, BYTE *charSet);

/* The same for lfPitchAndFamily. */
KV_API int KV_CALL FonGetFontPitchAndFamily(HDC dc, LPCSTR face, BYTE *pitchAndFamily);

/* Completes `font` from the first font of the device whose face is font->lfFaceName: sets
   its lfCharSet and lfPitchAndFamily, or leaves it unchanged when there is none. 1, or 0
   for a null `dc` or `font`. */
KV_API int KV_CALL FonFixLogfont(HDC dc, LOGFONTA *font);

#endif
