/* System identity: version, languages, code page, time, last error. */
#ifndef KORVANE_WIN32_SYSTEM_H
#define KORVANE_WIN32_SYSTEM_H
#include "../base.h"

typedef struct _OSVERSIONINFOA {
  DWORD dwOSVersionInfoSize;
  DWORD dwMajorVersion;
  DWORD dwMinorVersion;
  DWORD dwBuildNumber;
  DWORD dwPlatformId;
  CHAR szCSDVersion[128];
} OSVERSIONINFOA, *POSVERSIONINFOA, *LPOSVERSIONINFOA;

#define VER_PLATFORM_WIN32s 0
#define VER_PLATFORM_WIN32_WINDOWS 1
#define VER_PLATFORM_WIN32_NT 2

typedef struct _SYSTEMTIME {
  WORD wYear;
  WORD wMonth;
  WORD wDayOfWeek;
  WORD wDay;
  WORD wHour;
  WORD wMinute;
  WORD wSecond;
  WORD wMilliseconds;
} SYSTEMTIME, *PSYSTEMTIME, *LPSYSTEMTIME;

/* Reports the NT family (platform id 2), version 6.1. */
KW32_API BOOL WINAPI GetVersionExA(LPOSVERSIONINFOA info);
KW32_API LANGID WINAPI GetSystemDefaultLangID(void);
KW32_API LANGID WINAPI GetUserDefaultLangID(void);
KW32_API LCID WINAPI GetUserDefaultLCID(void);
KW32_API LCID WINAPI GetSystemDefaultLCID(void);
/* The ANSI code page, which follows the system default language. */
KW32_API UINT WINAPI GetACP(void);
KW32_API void WINAPI GetSystemTime(LPSYSTEMTIME time);
KW32_API void WINAPI GetLocalTime(LPSYSTEMTIME time);

KW32_API DWORD WINAPI GetLastError(void);
KW32_API void WINAPI SetLastError(DWORD code);

/* number * numerator / denominator through a 64-bit product, rounded half away from
   zero; -1 when the denominator is 0 or the result does not fit. */
KW32_API int WINAPI MulDiv(int number, int numerator, int denominator);

#define ERROR_SUCCESS 0L
#define NO_ERROR 0L
#define ERROR_FILE_NOT_FOUND 2L
#define ERROR_PATH_NOT_FOUND 3L
#define ERROR_ACCESS_DENIED 5L
#define ERROR_INVALID_HANDLE 6L
#define ERROR_NOT_ENOUGH_MEMORY 8L
#define ERROR_INVALID_PARAMETER 87L
#define ERROR_INSUFFICIENT_BUFFER 122L
#define ERROR_ALREADY_EXISTS 183L

#endif
