/* Memory and threading services: counted critical sections, local memory blocks,
   thread-local items. */
#ifndef KORVANE_MEMORY_H
#define KORVANE_MEMORY_H

#include "api.h"
#include "win32.h"

/* A critical section and the number of times its holder has entered it. */
typedef struct CR_SECT {
  CRITICAL_SECTION cs;
  LONG lCount;
} CR_SECT;

#ifdef __cplusplus
/* The class of the library's lock objects: constructing one creates the critical
   section with count 0, destroying it deletes the section. */
class CRSect : public CR_SECT {
 public:
  CRSect() {
    InitializeCriticalSection(&cs);
    lCount = 0;
  }
  ~CRSect() { DeleteCriticalSection(&cs); }
  CRSect(const CRSect&) = delete;
  CRSect& operator=(const CRSect&) = delete;
};

/* The library's main lock, shared with callers that need to serialise with it. */
KV_API CRSect gCRMainSect;
#else
KV_API CR_SECT gCRMainSect;
#endif
/* Points to gCRMainSect while the library is loaded, null before and after. */
KV_API CR_SECT *gpCRSECTMain;

KV_API LONG KV_CALL CR_LockCount(CR_SECT *lock);
KV_API LONG KV_CALL CR_Unwind(CR_SECT *lock);
KV_API void KV_CALL CR_Rewind(CR_SECT *lock, LONG depth);

KV_API void *KV_CALL MemAlloc(DWORD size);
KV_API void *KV_CALL MemRealloc(void *block, DWORD size);
KV_API void KV_CALL MemFree(void *block);
KV_API DWORD KV_CALL MemSize(void *block);
KV_API int KV_CALL MemCheck(void *block);
KV_API int KV_CALL MemCheckAll(void);

/* Thread-local items: per thread, 200 (value, destructor) pairs. Numbers 100 to 199 are
   handed out by TLS_AllocIndex; 0 to 99 are fixed numbers for callers that agree on them. */
typedef void(KV_CALL *TLS_DESTRUCTOR)(DWORD_PTR value);
#define TLS_ITEM_COUNT 200
#define TLS_NO_INDEX ((DWORD)0xFFFFFFFF)

KV_API DWORD KV_CALL TLS_AllocIndex(void);
KV_API void KV_CALL TLS_FreeIndex(DWORD item);
KV_API DWORD_PTR KV_CALL TLS_GetItem(DWORD item);
KV_API void KV_CALL TLS_SetItem(DWORD item, DWORD_PTR value, TLS_DESTRUCTOR destructor);
KV_API void KV_CALL TLS_Free(DWORD item);
KV_API void KV_CALL TLS_FreeAll(void);

/* The shared memory heap: one region, mapped at the same fixed address in every process
   that attaches to it, serialised by a named mutex. MemSharedInit attaches and tells
   whether the mapping was new; MemSharedInitHeap then lays out (new) or verifies the
   heap header. A thread that owns the mutex may take it again. */
KV_API int KV_CALL MemAcquireMutex(void);
KV_API int KV_CALL MemReleaseMutex(void);
KV_API void *KV_CALL MemSharedInit(BOOL *created, DWORD size);
KV_API int KV_CALL MemSharedInitHeap(void *base, DWORD size, BOOL initialise);
KV_API void *KV_CALL MemSharedAlloc(DWORD size);
KV_API void KV_CALL MemSharedFree(void *block);
KV_API int KV_CALL MemSharedCheck(void *block);
KV_API int KV_CALL MemSharedCheckAll(void);
KV_API void KV_CALL MemSharedTerminate(void);

#endif
