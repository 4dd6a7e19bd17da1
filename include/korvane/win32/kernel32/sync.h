/* Critical sections, thread-local storage and thread identity. */
#ifndef KORVANE_WIN32_SYNC_H
#define KORVANE_WIN32_SYNC_H
#include "../base.h"

/* Same members as on Windows; LockSemaphore holds the native lock that
   InitializeCriticalSection creates and DeleteCriticalSection destroys. */
typedef struct _RTL_CRITICAL_SECTION {
  PVOID DebugInfo;
  LONG LockCount;
  LONG RecursionCount;
  HANDLE OwningThread;
  HANDLE LockSemaphore;
  ULONG_PTR SpinCount;
} RTL_CRITICAL_SECTION, CRITICAL_SECTION, *LPCRITICAL_SECTION, *PCRITICAL_SECTION;

KW32_API void WINAPI InitializeCriticalSection(LPCRITICAL_SECTION cs);
KW32_API void WINAPI DeleteCriticalSection(LPCRITICAL_SECTION cs);
KW32_API void WINAPI EnterCriticalSection(LPCRITICAL_SECTION cs);
KW32_API BOOL WINAPI TryEnterCriticalSection(LPCRITICAL_SECTION cs);
KW32_API void WINAPI LeaveCriticalSection(LPCRITICAL_SECTION cs);

#define TLS_OUT_OF_INDEXES ((DWORD)0xFFFFFFFF)
KW32_API DWORD WINAPI TlsAlloc(void);
KW32_API BOOL WINAPI TlsFree(DWORD index);
KW32_API LPVOID WINAPI TlsGetValue(DWORD index);
KW32_API BOOL WINAPI TlsSetValue(DWORD index, LPVOID value);

KW32_API DWORD WINAPI GetCurrentThreadId(void);

#endif
