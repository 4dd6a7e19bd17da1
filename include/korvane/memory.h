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

/* The lock's count as seen from inside it: the number of times the calling thread holds
   it, 0 when no thread does. Waits while another thread holds it. 0 for a null lock. */
KV_API LONG KV_CALL CR_LockCount(CR_SECT *lock);
/* Gives up every hold the calling thread has on `lock` and returns how many there were
   (0 when it held none, and for a null or 0xFFFFFFFF lock). The lock is then free for
   other threads; pass the result to CR_Rewind to take it back. */
KV_API LONG KV_CALL CR_Unwind(CR_SECT *lock);
/* Enters `lock` `depth` times, counting each entry, so the calling thread holds it as
   before its CR_Unwind. A depth of 0 or less, or a null lock, does nothing. */
KV_API void KV_CALL CR_Rewind(CR_SECT *lock, LONG depth);

/* A zero-filled block of `size` bytes on the process heap, freed with MemFree; null when
   `size` is 0 or there is no room. Safe from any thread: once the library is loaded, the
   heap calls of the Mem functions run inside gCRMainSect. */
KV_API void *KV_CALL MemAlloc(DWORD size);
/* Resizes a block from MemAlloc: a null `block` is MemAlloc(size); a `size` of 0 frees
   the block and returns null. Otherwise the block may move and its added bytes are zero;
   only the result is valid afterwards. On failure null, and `block` stays valid. */
KV_API void *KV_CALL MemRealloc(void *block, DWORD size);
/* Frees a block from MemAlloc or MemRealloc; null is ignored. */
KV_API void KV_CALL MemFree(void *block);
/* The block's size in bytes as the heap reports it (at least what was asked for); 0 for
   null. */
KV_API DWORD KV_CALL MemSize(void *block);
/* Always 0: local blocks carry no guard marks to check (MemSharedCheck does). */
KV_API int KV_CALL MemCheck(void *block);
/* Always 0, as MemCheck. */
KV_API int KV_CALL MemCheckAll(void);

/* Thread-local items: per thread, 200 (value, destructor) pairs. Numbers 100 to 199 are
   handed out by TLS_AllocIndex; 0 to 99 are fixed numbers for callers that agree on them. */
typedef void(KV_CALL *TLS_DESTRUCTOR)(DWORD_PTR value);
#define TLS_ITEM_COUNT 200
#define TLS_NO_INDEX ((DWORD)0xFFFFFFFF)

/* Hands out the lowest free item number of 100 to 199 (allocating the storage slot on
   first use); TLS_NO_INDEX when all are taken. Takes no lock: meant for start-up. */
KV_API DWORD KV_CALL TLS_AllocIndex(void);
/* Withdraws `item` from every thread: calls each thread's destructor for it (on the
   calling thread) and clears it; a number of 100 to 199 becomes free to hand out again.
   Meant for shutdown, when other threads no longer use the item. */
KV_API void KV_CALL TLS_FreeIndex(DWORD item);
/* The calling thread's value of `item` (0 to 199); 0 when it has none, for a number out
   of range, or when the thread's block cannot be created. */
KV_API DWORD_PTR KV_CALL TLS_GetItem(DWORD item);
/* Stores `value` and `destructor` (may be null) in the calling thread's `item` (0 to
   199), first calling the old destructor with the old value when both are set. Nothing is
   stored for a number out of range or when the thread's block cannot be created. */
KV_API void KV_CALL TLS_SetItem(DWORD item, DWORD_PTR value, TLS_DESTRUCTOR destructor);
/* Clears the calling thread's `item`, then calls its old destructor with the old value
   when both were set; a second call does nothing. */
KV_API void KV_CALL TLS_Free(DWORD item);
/* Frees all of the calling thread's items (destructors in number order) and its block;
   the library calls it on every thread detach. A later TLS_GetItem starts a new block. */
KV_API void KV_CALL TLS_FreeAll(void);

/* The shared memory heap: one region, mapped at the same fixed address in every process
   that attaches to it, serialised by a named mutex. MemSharedInit attaches and tells
   whether the mapping was new; MemSharedInitHeap then lays out (new) or verifies the
   heap header. A thread that owns the mutex may take it again. */
/* Waits up to 20 seconds for the shared heap's named mutex, opening it on first use: 1
   when the calling thread owns it (also when its last owner ended without releasing it),
   0 on time-out or failure. A caller may hold it across several heap calls. */
KV_API int KV_CALL MemAcquireMutex(void);
/* Releases one ownership of the shared mutex: 1 on success, 0 when the mutex was never
   opened or the calling thread does not own it. */
KV_API int KV_CALL MemReleaseMutex(void);
/* Creates or opens the named mapping of `size` bytes and maps it at the fixed address.
   Returns that address and sets `*created` (may be null) to TRUE when the mapping is new,
   FALSE when another process made it; null when it cannot be mapped there, or when this
   process is attached already. */
KV_API void *KV_CALL MemSharedInit(BOOL *created, DWORD size);
/* Makes the `size` bytes at `base` (usually the view) the heap: `initialise` TRUE lays out
   an empty heap header, FALSE checks that the header there was laid out for this base and
   size. 1 on success; 0 for a bad header, a region that does not fit (under 32 bytes, past
   the view, above 4 GiB) or no mutex. Pass MemSharedInit's `created` as `initialise`. */
KV_API int KV_CALL MemSharedInitHeap(void *base, DWORD size, BOOL initialise);
/* `size` zeroed bytes in the shared heap (28 bytes of overhead each; 0 is allowed), at the
   same address in every attached process; null when the heap is full, damaged or not set
   up, or the mutex cannot be had. */
KV_API void *KV_CALL MemSharedAlloc(DWORD size);
/* Returns a block from MemSharedAlloc to the heap, merging it with free neighbours;
   freeing the last used block empties the heap. Null, and pointers that are not used
   blocks, are ignored. */
KV_API void KV_CALL MemSharedFree(void *block);
/* 1 when the block's four guard marks are intact or `block` is null; 0 when a mark is
   overwritten or the pointer does not lie in the heap. Takes no lock: do not run it on a
   block that another thread is changing. */
KV_API int KV_CALL MemSharedCheck(void *block);
/* 1 when the heap header and every block on the free and used lists are intact; 0
   otherwise, or when the mutex cannot be had. */
KV_API int KV_CALL MemSharedCheckAll(void);
/* Unmaps the view and closes the mapping; its blocks become invalid in this process. The
   mutex handle stays open. Takes no lock. */
KV_API void KV_CALL MemSharedTerminate(void);

#endif
