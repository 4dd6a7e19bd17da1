/* ANSI text in the current code page: character stepping, classes, case, lstr functions. */
#ifndef KORVANE_WIN32_TEXT_H
#define KORVANE_WIN32_TEXT_H
#include "../base.h"

#include <stdarg.h>

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

/* USER32's formatting: %d %i %u %x %X %c %s (and %S, %C, %ls, %lc for wide text), "l" or
   "h" before a number ignored (32 bits either way), flags "-" "0" "#" (0x before hex),
   a width, a precision (minimum digits of a number, most characters of a text), "%%". No
   "*" and no floating point; any other character after "%" stands for itself; a null
   string shows as "(null)". The output holds at most 1023 bytes and its terminator.
   Returns the bytes written without the terminator; 0 for a null buffer. */
KW32_API int WINAPIV wsprintfA(LPSTR buffer, LPCSTR format, ...);
KW32_API int WINAPI wvsprintfA(LPSTR buffer, LPCSTR format, va_list arguments);

#endif
