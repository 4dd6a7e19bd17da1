/* Regional settings: the record read from win.ini ("intl" and the library's own section
   "VEXTOOLS"), as callers receive it from FMTGetProfileIntl. */
#ifndef KORVANE_SETTINGS_H
#define KORVANE_SETTINGS_H

#include "api.h"
#include "win32.h"

/* Date types of the library's calendar setting. */
#define INTL_DATE_LONG_GREGORIAN 0
#define INTL_DATE_SHORT_GREGORIAN 1
#define INTL_DATE_JAPAN_GREGORIAN 2
#define INTL_DATE_JAPAN_EMPEROR 3

/* Packed: callers outside the library pass their own record, laid out field after field. */
#pragma pack(push, 1)
typedef struct tagINTLPROFILE {
  UINT iCountry;
  CHAR sList;
  CHAR sCurrency[5];
  UINT iCurrSeparated; /* 1: one blank between symbol and amount ("iCurrency" 2 or 3) */
  UINT iCurrAfter;     /* 1: the symbol follows the amount ("iCurrency" 1 or 3) */
  UINT iDigits;
  CHAR sThousand;
  CHAR sDecimal;
  UINT iLzero;
  UINT iDate;
  CHAR sDate;
  UINT iTime;
  CHAR s1159[5];
  CHAR s2359[5];
  CHAR sTime[3];
  UINT iTLZero;
  UINT iMeasure;
  UINT iCurrDigits;
  UINT iNegCurr;
  CHAR sShortDate[20];
  CHAR sLongDate[40];
  CHAR sCountry[15];
  CHAR sLanguage[4];
  UINT iDateType; /* INTL_DATE_* */
  UINT iReserved; /* never written by FMTGetProfileIntl */
  UINT iEmpDateBoundryCheck;
} INTLPROFILE;
#pragma pack(pop)

/* Fills `*profile` from win.ini as it stands now (not from the library's cache), with
   the usual defaults for missing keys (United States settings); strings are cut to their
   fields. A null pointer is ignored. */
KV_API void KV_CALL FMTGetProfileIntl(struct tagINTLPROFILE *profile);
/* Tells the library that win.ini has changed: the cached settings are read again on
   the next use. Call it on WM_WININICHANGE; safe from any thread. */
KV_API void KV_CALL FMTWinIniChanged(void);

#endif
