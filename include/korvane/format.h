/* Number pictures and the format control block: the one parameter record of every FMT
   function, and the conversions between the plain, tokenized and old forms of a number
   picture. Any thread may call the FMT functions, each with a block of its own: the
   regional settings they read are cached under a lock of the library's.

   A number picture has up to three sections separated by ";" (positive; negative; zero).
   Inside a section: one run of "#" and "0" digit placeholders with the thousands and
   decimal separators in force, "%" right after the run, the currency affixes as the
   settings in force spell them, "-" and parentheses in the negative section, blanks,
   quoted literals ('...' or "...", a doubled or backslash-escaped quote stands for one),
   and "_x" as the last two characters of a section (one blank the width of x). The empty
   picture, "$" and scientific pictures ("0.00E+00") are taken whole. A section without
   placeholders still shows the value's digits, after its text.

   The tokenized form replaces separators and currency affixes by control bytes so that a
   stored picture follows the settings it is shown under:
     0x01 thousands separator   0x02 decimal point
     0x03 positive prefix       0x04 positive suffix
     0x05 negative prefix       0x06 negative suffix
     0x0E the "_" of a "_x" pair
     0x0F a digit run begins    0x10 it ends
   A picture is tokenized exactly when it holds 0x0F. Pictures in either form are at most
   FMT_MAX_PICTURE bytes long; longer ones are refused. */
#ifndef KORVANE_FORMAT_H
#define KORVANE_FORMAT_H

#include <stddef.h>

#include "api.h"
#include "datetime.h"
#include "number.h"
#include "win32.h"

/* Longest picture in bytes, without its terminating zero. */
#define FMT_MAX_PICTURE 63

/* nFormatType values. */
#define FMT_TYPE_DATE 1
#define FMT_TYPE_TIME 2
#define FMT_TYPE_DATETIME 3
#define FMT_TYPE_NUMBER 4   /* regional number form */
#define FMT_TYPE_CURRENCY 5 /* regional currency form */
#define FMT_TYPE_PICTURE 6

/* wFlags bits. FMTInitCntlBlock sets DEFAULT_TIME, MICROSECONDS and INITIALIZED, clears
   every other bit below 13, and leaves bits 13 to 31 as the caller had them. */
#define FMT_FLAG_DEFAULT_TIME 0x0001u     /* the time part uses the default time picture */
#define FMT_FLAG_NO_TIME_SHAPES 0x0002u   /* a time-only block tries no standard shapes */
#define FMT_FLAG_MICROSECONDS 0x0004u     /* the default time picture shows microseconds */
#define FMT_FLAG_FULL_PRECISION 0x0008u   /* format every digit instead of rounding */
#define FMT_FLAG_INITIALIZED 0x0020u      /* the number functions refuse a block without it */
#define FMT_FLAG_DROP_ZERO_MICRO 0x0040u  /* a zero microsecond element is left out */
#define FMT_FLAG_HAD_DATE 0x0080u         /* validation found a date */
#define FMT_FLAG_REMASK 0x0100u           /* masked edit: re-mask pasted and set text */
#define FMT_FLAG_NOTIFY 0x0200u           /* masked edit: report changes to the parent */
#define FMT_FLAG_IGNORE_DATE_TYPE 0x0400u /* format with date type 0 */
#define FMT_FLAG_HAD_TIME 0x0800u         /* validation found a time */
#define FMT_FLAG_HOUR_NO_LZERO 0x1000u    /* no leading zero in hours */
#define FMT_FLAGS_SET_BY_INIT (FMT_FLAG_DEFAULT_TIME | FMT_FLAG_MICROSECONDS | FMT_FLAG_INITIALIZED)
#define FMT_FLAGS_OWNED_BY_INIT 0x1FFFu

/* Filled by the caller; FMTInitCntlBlock gives the fields their starting values. With
   bUseIntl zero, the separators, currency symbol and forms, digits and leading-zero rule
   come from this block instead of the regional settings. Natural alignment: callers
   compiled for 32-bit Windows share this layout (checked below). */
typedef struct tagFMTCNTLBLOCK {
  LONG nFormatType;  /* FMT_TYPE_*; -1 after FMTInitCntlBlock */
  LPSTR lpszInput;   /* text to validate or unformat */
  LPSTR lpszOutput;  /* caller's buffer for formatted text and converted pictures */
  LPSTR lpszShortPic;
  LPSTR lpszLongPic;
  INT iTime;
  LPSTR lpszTimeSep;
  INT iTLZero;
  LPSTR lpsz1159;
  LPSTR lpsz2359;
  BOOL bUseIntl;
  DATDEF dtValue;
  INT iDateType;
  LPSTR lpszPicture; /* plain or tokenized */
  CHAR cThousand;
  CHAR cDecimal;
  double dValue;
  INT iLzero;
  INT iDigits;
  LPSTR lpszCurrency;
  INT iCurrency; /* positive currency form 0..3 */
  INT iNegCurr;  /* negative currency form 0..10 */
  INT iCountry;
  INT iEmpDateBoundryCheck;
  DWORD dwReserved;
  DWORD wFlags; /* FMT_FLAG_* */
  NUMBER number;
  HWND hWnd;
  UINT uMsg;   /* low 16 bits used */
  UINT wParam; /* low 16 bits used */
  LPARAM lParam;   /* pointer-sized on 64-bit targets: it may carry text */
  LRESULT lResult;
} FMTCNTLBLOCK;

#if defined(_WIN32) && !defined(_WIN64)
#ifdef __cplusplus
#define KV_FMT_LAYOUT(cond, what) static_assert(cond, what)
#else
#define KV_FMT_LAYOUT(cond, what) _Static_assert(cond, what)
#endif
KV_FMT_LAYOUT(sizeof(DATDEF) == 28, "DATDEF: seven 32-bit fields");
KV_FMT_LAYOUT(offsetof(struct tagFMTCNTLBLOCK, lpszInput) == 4, "lpszInput");
KV_FMT_LAYOUT(offsetof(struct tagFMTCNTLBLOCK, lpszOutput) == 8, "lpszOutput");
KV_FMT_LAYOUT(offsetof(struct tagFMTCNTLBLOCK, lpszShortPic) == 12, "lpszShortPic");
KV_FMT_LAYOUT(offsetof(struct tagFMTCNTLBLOCK, lpszLongPic) == 16, "lpszLongPic");
KV_FMT_LAYOUT(offsetof(struct tagFMTCNTLBLOCK, iTime) == 20, "iTime");
KV_FMT_LAYOUT(offsetof(struct tagFMTCNTLBLOCK, lpszTimeSep) == 24, "lpszTimeSep");
KV_FMT_LAYOUT(offsetof(struct tagFMTCNTLBLOCK, iTLZero) == 28, "iTLZero");
KV_FMT_LAYOUT(offsetof(struct tagFMTCNTLBLOCK, lpsz1159) == 32, "lpsz1159");
KV_FMT_LAYOUT(offsetof(struct tagFMTCNTLBLOCK, lpsz2359) == 36, "lpsz2359");
KV_FMT_LAYOUT(offsetof(struct tagFMTCNTLBLOCK, bUseIntl) == 40, "bUseIntl");
KV_FMT_LAYOUT(offsetof(struct tagFMTCNTLBLOCK, dtValue) == 44, "dtValue");
KV_FMT_LAYOUT(offsetof(struct tagFMTCNTLBLOCK, iDateType) == 72, "iDateType");
KV_FMT_LAYOUT(offsetof(struct tagFMTCNTLBLOCK, lpszPicture) == 76, "lpszPicture");
KV_FMT_LAYOUT(offsetof(struct tagFMTCNTLBLOCK, cThousand) == 80, "cThousand");
KV_FMT_LAYOUT(offsetof(struct tagFMTCNTLBLOCK, cDecimal) == 81, "cDecimal");
KV_FMT_LAYOUT(offsetof(struct tagFMTCNTLBLOCK, dValue) == 88, "dValue: 8-aligned");
KV_FMT_LAYOUT(offsetof(struct tagFMTCNTLBLOCK, iLzero) == 96, "iLzero");
KV_FMT_LAYOUT(offsetof(struct tagFMTCNTLBLOCK, iDigits) == 100, "iDigits");
KV_FMT_LAYOUT(offsetof(struct tagFMTCNTLBLOCK, lpszCurrency) == 104, "lpszCurrency");
KV_FMT_LAYOUT(offsetof(struct tagFMTCNTLBLOCK, iCurrency) == 108, "iCurrency");
KV_FMT_LAYOUT(offsetof(struct tagFMTCNTLBLOCK, iNegCurr) == 112, "iNegCurr");
KV_FMT_LAYOUT(offsetof(struct tagFMTCNTLBLOCK, iCountry) == 116, "iCountry");
KV_FMT_LAYOUT(offsetof(struct tagFMTCNTLBLOCK, iEmpDateBoundryCheck) == 120, "iEmpDateBoundryCheck");
KV_FMT_LAYOUT(offsetof(struct tagFMTCNTLBLOCK, dwReserved) == 124, "dwReserved");
KV_FMT_LAYOUT(offsetof(struct tagFMTCNTLBLOCK, wFlags) == 128, "wFlags");
KV_FMT_LAYOUT(offsetof(struct tagFMTCNTLBLOCK, number) == 132, "number: 25 bytes");
KV_FMT_LAYOUT(offsetof(struct tagFMTCNTLBLOCK, hWnd) == 160, "hWnd");
KV_FMT_LAYOUT(offsetof(struct tagFMTCNTLBLOCK, uMsg) == 164, "uMsg");
KV_FMT_LAYOUT(offsetof(struct tagFMTCNTLBLOCK, wParam) == 168, "wParam");
KV_FMT_LAYOUT(offsetof(struct tagFMTCNTLBLOCK, lParam) == 172, "lParam");
KV_FMT_LAYOUT(offsetof(struct tagFMTCNTLBLOCK, lResult) == 176, "lResult");
KV_FMT_LAYOUT(sizeof(struct tagFMTCNTLBLOCK) == 184, "size: rounded up to the double's 8");
#undef KV_FMT_LAYOUT
#endif
#if defined(__cplusplus)
static_assert(sizeof(((FMTCNTLBLOCK *)0)->lParam) == sizeof(void *), "lParam holds a pointer");
static_assert(sizeof(((FMTCNTLBLOCK *)0)->lResult) == sizeof(void *), "lResult holds a window result");
#else
_Static_assert(sizeof(((FMTCNTLBLOCK *)0)->lParam) == sizeof(void *), "lParam holds a pointer");
_Static_assert(sizeof(((FMTCNTLBLOCK *)0)->lResult) == sizeof(void *), "lResult holds a window result");
#endif

/* Gives the block its starting values (see the fields); 0 for a null block, else 1. */
KV_API int KV_CALL FMTInitCntlBlock(FMTCNTLBLOCK *block);

/* 1 when the picture holds the byte 0x0F, else 0 (also for null). */
KV_API int KV_CALL FMTIsNumberPicTokenized(LPCSTR picture);

/* The converters read lpszPicture and write lpszOutput, which needs FMT_MAX_PICTURE + 1
   bytes. The empty picture, "$" and scientific pictures are copied unchanged. Result 0
   with an empty output for a null block, output or picture, or a picture (or result) longer
   than FMT_MAX_PICTURE; else 1. The separators and affixes are those in force for the
   block (bUseIntl). */
KV_API int KV_CALL FMTTokenizeNumberPic(FMTCNTLBLOCK *block);
KV_API int KV_CALL FMTUnTokenizeNumberPic(FMTCNTLBLOCK *block);
/* From the old syntax, in which "," and "." were the fixed separators. */
KV_API int KV_CALL FMTCnvOldNumberPic(FMTCNTLBLOCK *block);
/* 1 when lpszPicture (plain or tokenized) is a valid picture under the block's settings,
   else 0. Writes nothing to the block. */
KV_API int KV_CALL FMTIsNumberPicValid(FMTCNTLBLOCK *block);

/* ---- Number formatting, validation and unformatting ---------------------------------- */

/* Formats block->number into lpszOutput by nFormatType: FMT_TYPE_NUMBER (regional number
   form), FMT_TYPE_CURRENCY (regional currency form) or FMT_TYPE_PICTURE (lpszPicture, plain
   or tokenized; "" and "$" select the regional forms). lpszOutput must hold
   FMTGetMaxFormattedNumLen of the picture plus the terminating zero. 1 done (a null number
   or an empty section gives empty text); 0 for a block without FMT_FLAG_INITIALIZED,
   another kind, a failed allocation or a refused picture. */
KV_API int KV_CALL FMTFormatNumber(FMTCNTLBLOCK *block);

/* Reads lpszInput as a number in the regional number (FMT_TYPE_NUMBER) or currency
   (FMT_TYPE_CURRENCY) form into block->number. 1 when it is one, else 0. */
KV_API int KV_CALL FMTValidateNumber(FMTCNTLBLOCK *block);

/* Reads lpszInput under lpszPicture into block->number and writes its plain text to
   lpszOutput, which must hold the input text and at least 110 bytes. 1 on success; else 0
   with an empty output. */
KV_API int KV_CALL FMTUnformatNumberStr(FMTCNTLBLOCK *block);

/* dValue = the runtime's reading of lpszInput; the null double for an empty (or null)
   input. Always 1 (0 for a null block). */
KV_API int KV_CALL FMTStrToNumber(FMTCNTLBLOCK *block);

/* The longest text formatting with a plain picture produces for values of at most
   `digits` integer digits (after rounding), with the regional settings; at least minimum. */
KV_API int KV_CALL FMTGetMaxFormattedNumLen(LPCSTR picture, int digits, int minimum);

#endif
