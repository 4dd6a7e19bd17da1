/* Date and time: the broken-down date/time record, the queries on date pictures and the
   comparison of date/time values held in NUMBER records. */
#ifndef KORVANE_DATETIME_H
#define KORVANE_DATETIME_H

#include "api.h"
#include "number.h"
#include "win32.h"

/* A date and time as separate fields. Valid ranges: month 1-12, day 1 to the month's
   length, year 1-9999, hour 0-23, minute and second 0-59, microsecond 0-999999. */
typedef struct DATDEF {
  LONG month;
  LONG day;
  LONG year;
  LONG hour;
  LONG minute;
  LONG second;
  LONG microsecond;
} DATDEF;

#ifdef __cplusplus
static_assert(sizeof(DATDEF) == 28, "DATDEF is seven 32-bit fields");
#else
_Static_assert(sizeof(DATDEF) == 28, "DATDEF is seven 32-bit fields");
#endif

/* Takes the fields from the fixed columns of "yyyy-mm-dd-hh.mm.ss.uuuuuu" (the characters
   between them are not looked at); fields the text is too short for are 0. Always 1. */
KV_API int KV_CALL FMTIsoToDatDef(LPCSTR text, DATDEF *record);

/* 1 for a picture that is empty, one of the named pictures "S", "L", "T", "E", "ED", or a
   date/time picture that parses; else 0. */
KV_API int KV_CALL FMTIsDatePicValid(LPCSTR picture);
/* 1 when the picture parses and holds a date element (time element); named pictures are
   not expanded. */
KV_API int KV_CALL FMTDatePicHasDate(LPCSTR picture);
KV_API int KV_CALL FMTDatePicHasTime(LPCSTR picture);

/* Copy the regional short or long date picture (FMTGetDefaultDatePic: the long one when
   the date type is long Gregorian) into a buffer of size bytes, always terminated and cut
   at a character boundary. 1, or 0 with nothing written when the buffer is missing or the
   size is below 1. */
KV_API int KV_CALL FMTGetDefaultShortDatePic(LPSTR buffer, int size);
KV_API int KV_CALL FMTGetDefaultLongDatePic(LPSTR buffer, int size);
KV_API int KV_CALL FMTGetDefaultDatePic(LPSTR buffer, int size);

#ifdef __cplusplus
/* -1, 0 or 1 as a is before, the same as or after b, reading each record cut to 12 bytes
   (at most 11 base-100 digits) and counting differences below 3e-16 as equal. Null sorts below every
   value; an invalid length (25 or more) compares equal. The records are not changed. */
KV_CPP_API int KV_CALL DateCompare(tagNUMBER *a, tagNUMBER *b);
#endif

/* Date/time formatting, validation and unformatting, on a format control block (format.h).
   nFormatType 1 date, 2 time, 3 date and time. */
struct tagFMTCNTLBLOCK;
/* Writes dtValue into lpszOutput by the block's pictures or Japanese date form;
   lpszOutput needs FMTGetMaxFormattedDTLen(block, 0) + 1 bytes. 1, or 0 with the output
   empty or holding what was written so far (also for another nFormatType, and with
   bUseIntl set but FMT_FLAG_DEFAULT_TIME clear). */
KV_API int KV_CALL FMTFormatDateTime(struct tagFMTCNTLBLOCK *block);
/* The longest text FMTFormatDateTime can write for the block (without the terminator), or
   minimum when that is larger; -1 for a block that cannot be formatted. */
KV_API int KV_CALL FMTGetMaxFormattedDTLen(struct tagFMTCNTLBLOCK *block, int minimum);
/* Reads lpszInput by the block's pictures, the standard shapes or the Japanese date form
   into dtValue; 1, or 0 when the text is no valid date/time for the block. */
KV_API int KV_CALL FMTValidateDateTime(struct tagFMTCNTLBLOCK *block);
/* The same by lpszPicture (or a named picture); nFormatType and bUseIntl are kept. */
KV_API int KV_CALL FMTUnformatDateTimeStr(struct tagFMTCNTLBLOCK *block);
/* 0 bad block; 1 the text is in the standard shape lpszPicture and valid by it; 2 it is in
   no standard shape; 4 it is in another shape, or invalid. */
KV_API int KV_CALL FMTIsValidDateString(struct tagFMTCNTLBLOCK *block);
/* The regional long date picture without day names, optionally followed by a blank and the
   default time picture; 1, or 0 with an empty buffer when it does not parse. */
KV_API int KV_CALL FMTGetGeeLongDatePic(LPSTR buffer, int size, BOOL withTime);

#endif
