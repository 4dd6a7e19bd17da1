/* ANSI text in the current code page: character stepping, classes, case, lstr functions. */
#ifndef KORVANE_WIN32_TEXT_H
#define KORVANE_WIN32_TEXT_H
#include "../base.h"

KW32_API LPSTR WINAPI CharNextA(LPCSTR p);
KW32_API LPSTR WINAPI CharPrevA(LPCSTR start, LPCSTR current);
KW32_API BOOL WINAPI IsDBCSLeadByte(BYTE b);
KW32_API BOOL WINAPI IsDBCSLeadByteEx(UINT codePage, BYTE b);
/* A pointer whose high word is 0 carries one character in its low byte and the
   converted character comes back the same way; otherwise the string is converted in place. */
KW32_API LPSTR WINAPI CharUpperA(LPSTR s);
KW32_API LPSTR WINAPI CharLowerA(LPSTR s);
KW32_API DWORD WINAPI CharUpperBuffA(LPSTR s, DWORD length);
KW32_API DWORD WINAPI CharLowerBuffA(LPSTR s, DWORD length);
KW32_API BOOL WINAPI IsCharAlphaA(CHAR c);
KW32_API BOOL WINAPI IsCharAlphaNumericA(CHAR c);
KW32_API BOOL WINAPI IsCharUpperA(CHAR c);
KW32_API BOOL WINAPI IsCharLowerA(CHAR c);

KW32_API int WINAPI lstrlenA(LPCSTR s);
KW32_API LPSTR WINAPI lstrcpyA(LPSTR dst, LPCSTR src);
KW32_API LPSTR WINAPI lstrcpynA(LPSTR dst, LPCSTR src, int max);
KW32_API LPSTR WINAPI lstrcatA(LPSTR dst, LPCSTR src);
KW32_API int WINAPI lstrcmpA(LPCSTR a, LPCSTR b);
KW32_API int WINAPI lstrcmpiA(LPCSTR a, LPCSTR b);

#endif
