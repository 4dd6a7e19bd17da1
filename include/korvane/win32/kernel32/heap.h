/* Process heap. */
#ifndef KORVANE_WIN32_HEAP_H
#define KORVANE_WIN32_HEAP_H
#include "../base.h"

#define HEAP_NO_SERIALIZE 0x00000001
#define HEAP_GENERATE_EXCEPTIONS 0x00000004
#define HEAP_ZERO_MEMORY 0x00000008
#define HEAP_REALLOC_IN_PLACE_ONLY 0x00000010

KW32_API HANDLE WINAPI GetProcessHeap(void);
KW32_API LPVOID WINAPI HeapAlloc(HANDLE heap, DWORD flags, SIZE_T bytes);
KW32_API LPVOID WINAPI HeapReAlloc(HANDLE heap, DWORD flags, LPVOID mem, SIZE_T bytes);
KW32_API BOOL WINAPI HeapFree(HANDLE heap, DWORD flags, LPVOID mem);
/* (SIZE_T)-1 for anything that is not a live block of the heap. */
KW32_API SIZE_T WINAPI HeapSize(HANDLE heap, DWORD flags, LPCVOID mem);

#endif
