/* International text: the character-set decision and the primitives for stepping
   through ANSI text that may hold double-byte characters. A count or position is in
   characters when DBCS is enabled and in bytes otherwise; the functions ending in "B"
   always count bytes but never leave half of a double-byte character (a cut half becomes
   a space). Positions start at 0. Output buffers are sized by the caller. White space is
   the bytes 9 to 13 and 32, blanks are 9, 11, 12 and 32; both include the double-byte
   blank when DBCS is enabled. Apart from IntlInit, the functions only read the character
   set decision and are safe from any thread on text no other thread is changing. */
#ifndef KORVANE_INTL_H
#define KORVANE_INTL_H

#include "api.h"
#include "win32.h"

/* DBCS types reported by the character-set core. */
#define INTL_DBCS_NONE 0
#define INTL_DBCS_JAPANESE 1
#define INTL_DBCS_CHINESE 2
#define INTL_DBCS_KOREAN 3

/* Decides from the system's language whether double-byte text (Japanese, Chinese,
   Korean) or right-to-left text is enabled. The library calls it when it loads. */
KV_API void KV_CALL IntlInit(void);
/* 1 when double-byte text is enabled, else 0. */
KV_API int KV_CALL IntlDBCSEnabled(void);
/* 1 when right-to-left text is enabled (never together with double-byte text). */
KV_API int KV_CALL IntlIsBiDiEnabled(void);
/* 1 when a two-byte character starts at `p`, else 0 (also at the terminator). */
KV_API int KV_CALL IntlIsDBChar(LPCSTR p);
/* The bytes of the character at `p`: 1 or 2; 0 at the terminator and for null. */
KV_API int KV_CALL IntlBytesInNextChar(LPCSTR p);
/* The first position of `s`, tried byte by byte, where a two-byte character starts; null
   when there is none or `s` is null. */
KV_API LPSTR KV_CALL IntlNextDBCInStr(LPCSTR s);
/* The character value at `p`: the byte for a one-byte character, lead byte * 256 + trail
   byte for a two-byte one; 0 for null. */
KV_API WORD KV_CALL IntlDBCSChar(LPCSTR p);
/* The double-byte blank of the system's code page (0x8140 Japanese, 0xA140 Chinese,
   0xA1A1 Korean); 0 on other systems. */
KV_API WORD KV_CALL IntlDBCSBlank(void);
/* 1 when `b` is a lead byte of a two-byte character (on Japanese systems the Shift-JIS
   lead ranges 0x81-0x9F and 0xE0-0xFC); 0 when DBCS is not enabled. */
KV_API int KV_CALL IntlIsKanji(BYTE b);
/* 1 on Japanese systems for a half-width katakana byte (0xA0 to 0xDF), else 0. */
KV_API int KV_CALL IntlIsKatakana(BYTE b);

/* The length of `s` in characters (bytes without DBCS); 0 for null. */
KV_API int KV_CALL IntlStrLen(LPCSTR s);
/* The length of `s` in bytes; 0 for null. */
KV_API int KV_CALL IntlStrLenB(LPCSTR s);
/* Upper-cases `s` in place in the current code page (two-byte characters are left) and
   returns it; null for null. */
KV_API LPSTR KV_CALL IntlStrUpper(LPSTR s);
/* Lower-cases `s` in place, as IntlStrUpper. */
KV_API LPSTR KV_CALL IntlStrLower(LPSTR s);
/* Writes `src` to `dst` in lower case with the first character of each word (after white
   space) in upper case, full-width Japanese letters included. `dst` needs
   IntlStrLenB(src) + 1 bytes and may be `src`. Returns the characters written; 0, with
   an empty `dst`, for a null `src`. */
KV_API int KV_CALL IntlStrProper(LPSTR dst, LPCSTR src);
/* As strncpy counting characters: copies at most `count` characters of `src`, then one
   zero byte per character that `src` was short of; no terminator when `src` had `count`
   or more. `dst` may be `src`. Returns `dst`. */
KV_API LPSTR KV_CALL IntlStrnCpy(LPSTR dst, LPCSTR src, WORD count);
/* Writes the first `count` characters of `src` (all when it is shorter) to `dst`, which
   needs room for them and a terminator. Returns the characters written; 0, with an empty
   `dst`, for a null `src` or `count` below 1. */
KV_API UINT KV_CALL IntlStrLeft(LPSTR dst, LPCSTR src, int count);
/* Writes the last `count` characters of `src` to `dst`, as IntlStrLeft. */
KV_API UINT KV_CALL IntlStrRight(LPSTR dst, LPCSTR src, int count);
/* Writes `count` characters of `src` from character `start` on (fewer at its end) to
   `dst`, as IntlStrLeft; empty when `start` lies past the end. */
KV_API UINT KV_CALL IntlStrMid(LPSTR dst, LPCSTR src, int start, int count);
/* Writes the first `count` bytes of `src` to `dst` (`count` + 1 bytes); a lead byte cut
   at the end becomes a space. Returns the bytes written. */
KV_API UINT KV_CALL IntlStrLeftB(LPSTR dst, LPCSTR src, int count);
/* Writes the last `count` bytes of `src` to `dst` (`count` + 1 bytes); a trail byte cut
   at the start becomes a space. Returns the bytes written. */
KV_API UINT KV_CALL IntlStrRightB(LPSTR dst, LPCSTR src, int count);
/* Writes `count` bytes of `src` from byte `start` on (fewer at its end) to `dst`
   (`count` + 1 bytes), cut halves becoming spaces; `dst` may be `src`. Returns the bytes
   written, 0 with an empty `dst` when nothing is left. */
KV_API int KV_CALL IntlStrMidB(LPSTR dst, LPCSTR src, int start, int count);
/* Writes `src` with its `count` characters from `position` on replaced by `insertion` to
   `dst`, which needs IntlStrLenB(src) + IntlStrLenB(insertion) + 1 bytes and may overlap
   `src`. Null `src` or `insertion` count as empty. Returns the result's length in
   characters; 0 for a null `dst`. */
KV_API int KV_CALL IntlStrReplace(LPSTR dst, LPCSTR src, LPCSTR insertion, int position, int count);
/* As IntlStrReplace with `position` and `count` in bytes (cut halves become spaces);
   returns the result's length in bytes. */
KV_API int KV_CALL IntlStrReplaceB(LPSTR dst, LPCSTR src, LPCSTR insertion, int position, int count);
/* Writes `src` to `dst` without leading and trailing blanks and with each inner run of
   blanks as one space (line breaks are kept). `dst` needs IntlStrLenB(src) + 1 bytes and
   may be `src`. Returns the characters written. */
KV_API int KV_CALL IntlStrTrim(LPSTR dst, LPCSTR src);
/* Points past the white space at the start of `s`; null for null. */
KV_API LPSTR KV_CALL IntlStripStartSpace(LPCSTR s);
/* Writes `src` without its trailing white space to `dst` (IntlStrLenB(src) + 1 bytes)
   and returns `dst`; null when either is null. */
KV_API LPSTR KV_CALL IntlStripEndSpace(LPSTR dst, LPCSTR src);
/* Removes leading and trailing white space from `s` in place and returns `s`. */
KV_API LPSTR KV_CALL IntlStrStripSpace(LPSTR s);
/* Points past the spaces (32, and the double-byte blank) at the start of `s`. */
KV_API LPSTR KV_CALL IntlStripStartBlank(LPCSTR s);
/* 1 when the character at `p` is white space, else 0 (also at the terminator). */
KV_API int KV_CALL IntlStrIsNextChSpace(LPCSTR p);
/* Points to character `n` of `s` (the terminator when `n` is its length); null when `s`
   is shorter or `n` is negative. */
KV_API LPSTR KV_CALL IntlStrNthChar(LPCSTR s, int n);
/* The value of the first character of `s`, as IntlDBCSChar but with a one-byte character
   sign-extended (0xE9 gives 0xFFE9); 0 for an empty or null `s`. */
KV_API WORD KV_CALL IntlStrFirstChar(LPCSTR s);
/* The value of the last character of `s`, as IntlStrFirstChar. */
KV_API WORD KV_CALL IntlStrLastChar(LPCSTR s);
/* 1 when character `n` of `s` is a two-byte character; 0 otherwise and without DBCS. */
KV_API int KV_CALL IntlIsNthCharDB(LPCSTR s, int n);
/* What byte `n` of `s` is: 1 the lead byte of a two-byte character, 2 its trail byte, 0 a
   one-byte character, a position past the end, or no DBCS. */
KV_API int KV_CALL IntlIsNthByteDB(LPCSTR s, int n);
/* The first character of `s` whose value (IntlDBCSChar) is `ch`; 0 finds the terminator.
   Null when there is none. */
KV_API LPSTR KV_CALL IntlStrChr(LPCSTR s, WORD ch);
/* The first character of `s` that is one of the characters of `set`; null when there is
   none or `set` is empty. */
KV_API LPSTR KV_CALL IntlStrSearch(LPCSTR s, LPCSTR set);
/* The character position where `pattern` first matches in `text`, ignoring case: "%"
   matches any run of characters, "_" one character, a backslash makes the next one literal.
   -1 when it does not match or for null; an empty pattern matches only empty text. */
KV_API int KV_CALL IntlStrScan(LPCSTR text, LPCSTR pattern);
/* 1 when the two strings hold the same bytes, else 0 (also when either is null). */
KV_API int KV_CALL IntlIsStrEqual(LPCSTR a, LPCSTR b);
/* 1 when the first `n` bytes of the two strings are equal, as strncmp; 0 for null. */
KV_API int KV_CALL IntlIsStrnEqual(LPCSTR a, LPCSTR b, WORD n);
/* 1 when `ch` is 0-9, A-F or a-f, else 0. */
KV_API int KV_CALL IntlCharIsHexDigit(WORD ch);

/* Cuts the next token off `text`: skips the bytes of `skip`, requires the character
   `required` there unless it is 0 (skipping it), and copies the rest up to the first byte
   of `delimiters` into `token`. Returns the bytes of `text` up to that delimiter (or its
   end); 0 for a null argument, a missing required character, or a token that does not
   fit `maxSize` bytes with its terminator (below 1: no limit, `token` then needs
   IntlStrLenB(text) + 1 bytes). */
KV_API int KV_CALL IntlStrGetToken(LPSTR token, LPCSTR text, LPCSTR skip, LPCSTR delimiters, WORD required,
                                   int maxSize);
/* As IntlStrGetToken; delimiters inside parentheses do not end the token. */
KV_API int KV_CALL IntlStrGetTokenNestedParens(LPSTR token, LPCSTR text, LPCSTR skip, LPCSTR delimiters,
                                               WORD required, int maxSize);
/* As IntlStrGetToken; delimiters between a pair of `quote` characters do not end the
   token, and the quotes stay in it. */
KV_API int KV_CALL IntlStrGetTokenQuoted(LPSTR token, LPCSTR text, LPCSTR skip, LPCSTR delimiters, WORD required,
                                         CHAR quote, int maxSize);

/* Reads an optionally signed decimal integer at the start of `text` (after white space)
   into `*value`. Returns the bytes consumed, white space included; 0, with `*value`
   unchanged, when no digit stands there or the digits exceed 2147483647 (either sign). */
KV_API int KV_CALL IntlFetchNextNumLong(LONG *value, LPCSTR text);
/* Reads "[sign] digits [. digits] [e [sign] digits]" at the start of `text` (after white
   space; "." whatever the locale) into `*value`. Returns the bytes consumed; 0 when no
   number stands there; -1 when the text is longer than 99 bytes or the value underflows
   to 0.0. A value beyond double's range reads as an infinity. */
KV_API int KV_CALL IntlFetchNextNumDouble(double *value, LPCSTR text);

/* Writes `src` with half-width characters turned full-width (Shift-JIS) to `dst`, which
   needs 2 * IntlStrLenB(src) + 1 bytes and must not be `src`; other systems copy it
   unchanged. Returns the result's length in characters, -1 for a null pointer. */
KV_API int KV_CALL IntlStrJapanFull(LPSTR dst, LPCSTR src);
/* Writes `src` with full-width characters turned half-width to `dst` (IntlStrLenB(src)
   + 1 bytes; may be `src`), as IntlStrJapanFull. */
KV_API int KV_CALL IntlStrJapanHalf(LPSTR dst, LPCSTR src);

#ifdef __cplusplus
/* Removes trailing blanks from `s` in place, keeping its first character; returns the
   length left in characters, 0 for an empty or null `s`. */
KV_CPP_API int KV_CALL IntlStrTrimTrailing(LPSTR s);
/* Finds the end of the next token without copying it: `*token` is set to `text` itself,
   and the result is the bytes up to the first delimiter after the skipped bytes (or the
   whole length). 0 when any pointer is null. */
KV_CPP_API int KV_CALL IntlStrGetTokenPtr(LPSTR *token, LPCSTR text, LPCSTR skip, LPCSTR delimiters);
#endif

#endif
