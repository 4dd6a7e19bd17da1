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

#endif
