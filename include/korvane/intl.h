/* International text: the character-set decision and the primitives for stepping
   through ANSI text that may hold double-byte characters. */
#ifndef KORVANE_INTL_H
#define KORVANE_INTL_H

#include "api.h"
#include "win32.h"

/* DBCS types reported by the character-set core. */
#define INTL_DBCS_NONE 0
#define INTL_DBCS_JAPANESE 1
#define INTL_DBCS_CHINESE 2
#define INTL_DBCS_KOREAN 3

KV_API void KV_CALL IntlInit(void);
KV_API int KV_CALL IntlDBCSEnabled(void);
KV_API int KV_CALL IntlIsBiDiEnabled(void);
KV_API int KV_CALL IntlIsDBChar(LPCSTR p);
KV_API int KV_CALL IntlBytesInNextChar(LPCSTR p);
KV_API LPSTR KV_CALL IntlNextDBCInStr(LPCSTR s);
KV_API WORD KV_CALL IntlDBCSChar(LPCSTR p);
KV_API WORD KV_CALL IntlDBCSBlank(void);
KV_API int KV_CALL IntlIsKanji(BYTE b);
KV_API int KV_CALL IntlIsKatakana(BYTE b);

/* Character-wise string functions. A count or position is in characters when DBCS is
   enabled and in bytes otherwise; the functions ending in "B" always count bytes but never
   leave half of a double-byte character. Output buffers are sized by the caller. */
KV_API int KV_CALL IntlStrLen(LPCSTR s);
KV_API int KV_CALL IntlStrLenB(LPCSTR s);
KV_API LPSTR KV_CALL IntlStrUpper(LPSTR s);
KV_API LPSTR KV_CALL IntlStrLower(LPSTR s);
KV_API int KV_CALL IntlStrProper(LPSTR dst, LPCSTR src);
KV_API LPSTR KV_CALL IntlStrnCpy(LPSTR dst, LPCSTR src, WORD count);
KV_API UINT KV_CALL IntlStrLeft(LPSTR dst, LPCSTR src, int count);
KV_API UINT KV_CALL IntlStrRight(LPSTR dst, LPCSTR src, int count);
KV_API UINT KV_CALL IntlStrMid(LPSTR dst, LPCSTR src, int start, int count);
KV_API UINT KV_CALL IntlStrLeftB(LPSTR dst, LPCSTR src, int count);
KV_API UINT KV_CALL IntlStrRightB(LPSTR dst, LPCSTR src, int count);
KV_API int KV_CALL IntlStrMidB(LPSTR dst, LPCSTR src, int start, int count);
KV_API int KV_CALL IntlStrReplace(LPSTR dst, LPCSTR src, LPCSTR insertion, int position, int count);
KV_API int KV_CALL IntlStrReplaceB(LPSTR dst, LPCSTR src, LPCSTR insertion, int position, int count);
KV_API int KV_CALL IntlStrTrim(LPSTR dst, LPCSTR src);
KV_API LPSTR KV_CALL IntlStripStartSpace(LPCSTR s);
KV_API LPSTR KV_CALL IntlStripEndSpace(LPSTR dst, LPCSTR src);
KV_API LPSTR KV_CALL IntlStrStripSpace(LPSTR s);
KV_API LPSTR KV_CALL IntlStripStartBlank(LPCSTR s);
KV_API int KV_CALL IntlStrIsNextChSpace(LPCSTR p);
KV_API LPSTR KV_CALL IntlStrNthChar(LPCSTR s, int n);
KV_API WORD KV_CALL IntlStrFirstChar(LPCSTR s);
KV_API WORD KV_CALL IntlStrLastChar(LPCSTR s);
KV_API int KV_CALL IntlIsNthCharDB(LPCSTR s, int n);
KV_API int KV_CALL IntlIsNthByteDB(LPCSTR s, int n);
KV_API LPSTR KV_CALL IntlStrChr(LPCSTR s, WORD ch);
KV_API LPSTR KV_CALL IntlStrSearch(LPCSTR s, LPCSTR set);
KV_API int KV_CALL IntlStrScan(LPCSTR text, LPCSTR pattern);
KV_API int KV_CALL IntlIsStrEqual(LPCSTR a, LPCSTR b);
KV_API int KV_CALL IntlIsStrnEqual(LPCSTR a, LPCSTR b, WORD n);
KV_API int KV_CALL IntlCharIsHexDigit(WORD ch);

/* Tokenizers: the result is the number of bytes of the text up to the delimiter (or its
   end), 0 on failure. A maximum size below 1 sets no limit. */
KV_API int KV_CALL IntlStrGetToken(LPSTR token, LPCSTR text, LPCSTR skip, LPCSTR delimiters, WORD required,
                                   int maxSize);
KV_API int KV_CALL IntlStrGetTokenNestedParens(LPSTR token, LPCSTR text, LPCSTR skip, LPCSTR delimiters,
                                               WORD required, int maxSize);
KV_API int KV_CALL IntlStrGetTokenQuoted(LPSTR token, LPCSTR text, LPCSTR skip, LPCSTR delimiters, WORD required,
                                         CHAR quote, int maxSize);

/* Number fetching: bytes consumed, leading white space included. */
KV_API int KV_CALL IntlFetchNextNumLong(LONG *value, LPCSTR text);
KV_API int KV_CALL IntlFetchNextNumDouble(double *value, LPCSTR text);

/* Japanese half-width <-> full-width conversion (Shift-JIS): length of the result in
   characters, -1 for a null pointer. */
KV_API int KV_CALL IntlStrJapanFull(LPSTR dst, LPCSTR src);
KV_API int KV_CALL IntlStrJapanHalf(LPSTR dst, LPCSTR src);

#ifdef __cplusplus
/* Exported with C++ linkage (argument-type decorated names). */
KV_CPP_API int KV_CALL IntlStrTrimTrailing(LPSTR s);
KV_CPP_API int KV_CALL IntlStrGetTokenPtr(LPSTR *token, LPCSTR text, LPCSTR skip, LPCSTR delimiters);
#endif

#endif
