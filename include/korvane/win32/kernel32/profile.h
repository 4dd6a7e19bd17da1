/* win.ini access. The file is the one the platform configuration names. */
#ifndef KORVANE_WIN32_PROFILE_H
#define KORVANE_WIN32_PROFILE_H
#include "../base.h"

KW32_API UINT WINAPI GetProfileIntA(LPCSTR section, LPCSTR key, INT def);
KW32_API DWORD WINAPI GetProfileStringA(LPCSTR section, LPCSTR key, LPCSTR def, LPSTR out, DWORD size);
KW32_API BOOL WINAPI WriteProfileStringA(LPCSTR section, LPCSTR key, LPCSTR value);

#endif
