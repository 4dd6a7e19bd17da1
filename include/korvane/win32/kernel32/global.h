/* Global and local memory blocks. Fixed blocks are addressed by their pointer, which is
   also their handle; movable blocks by a handle that GlobalLock turns into the block's
   current address. A movable block that is grown while unlocked always moves, so a
   caller that keeps a pointer across a reallocation is caught. Global and local blocks
   are the same kind of block: either family's functions accept both. */
#ifndef KORVANE_WIN32_GLOBAL_H
#define KORVANE_WIN32_GLOBAL_H
#include "../base.h"

#define GMEM_FIXED 0x0000
#define GMEM_MOVEABLE 0x0002
#define GMEM_NOCOMPACT 0x0010
#define GMEM_NODISCARD 0x0020
#define GMEM_ZEROINIT 0x0040
#define GMEM_MODIFY 0x0080
#define GMEM_DISCARDABLE 0x0100
#define GMEM_NOT_BANKED 0x1000
#define GMEM_SHARE 0x2000
#define GMEM_DDESHARE 0x2000
#define GMEM_NOTIFY 0x4000
#define GMEM_LOWER GMEM_NOT_BANKED
#define GMEM_VALID_FLAGS 0x7F72
#define GMEM_INVALID_HANDLE 0x8000
#define GHND (GMEM_MOVEABLE | GMEM_ZEROINIT)
#define GPTR (GMEM_FIXED | GMEM_ZEROINIT)
/* GlobalFlags results. */
#define GMEM_DISCARDED 0x4000
#define GMEM_LOCKCOUNT 0x00FF

#define LMEM_FIXED 0x0000
#define LMEM_MOVEABLE 0x0002
#define LMEM_NOCOMPACT 0x0010
#define LMEM_NODISCARD 0x0020
#define LMEM_ZEROINIT 0x0040
#define LMEM_MODIFY 0x0080
#define LMEM_DISCARDABLE 0x0F00
#define LMEM_VALID_FLAGS 0x0F72
#define LMEM_INVALID_HANDLE 0x8000
#define LHND (LMEM_MOVEABLE | LMEM_ZEROINIT)
#define LPTR (LMEM_FIXED | LMEM_ZEROINIT)
#define LMEM_DISCARDED 0x4000
#define LMEM_LOCKCOUNT 0x00FF

#ifndef ERROR_DISCARDED
#define ERROR_DISCARDED 157L
#endif
#ifndef ERROR_NOT_LOCKED
#define ERROR_NOT_LOCKED 158L
#endif

/* A movable block of 0 bytes starts out discarded: it has a handle but no memory until
   it is reallocated. A fixed block of 0 bytes is a valid pointer of size 0. */
KW32_API HGLOBAL WINAPI GlobalAlloc(UINT flags, SIZE_T bytes);
/* Growing: a movable block moves (its handle stays) unless it is locked and GMEM_MOVEABLE
   is not given; a fixed block moves only with GMEM_MOVEABLE, and the new pointer is the
   result. A block that cannot move cannot grow: the result is null and the block stays as
   it was. Shrinking never moves. Size 0 discards an unlocked movable block. With
   GMEM_MODIFY only the discardable attribute changes, or GMEM_MOVEABLE turns a fixed
   block into a movable one under a new handle. */
KW32_API HGLOBAL WINAPI GlobalReAlloc(HGLOBAL mem, SIZE_T bytes, UINT flags);
/* Raises the lock count of a movable block (up to 255) and returns its address; null for
   a discarded block (ERROR_DISCARDED) or an invalid handle. */
KW32_API LPVOID WINAPI GlobalLock(HGLOBAL mem);
/* TRUE while the block stays locked; FALSE with last error NO_ERROR when the count
   reaches 0, with ERROR_NOT_LOCKED when it was not locked. Fixed blocks: TRUE. */
KW32_API BOOL WINAPI GlobalUnlock(HGLOBAL mem);
KW32_API SIZE_T WINAPI GlobalSize(HGLOBAL mem);
/* Null on success (a locked block is freed too); the handle itself on failure. */
KW32_API HGLOBAL WINAPI GlobalFree(HGLOBAL mem);
/* The handle of the block at a locked address (or the handle itself). */
KW32_API HGLOBAL WINAPI GlobalHandle(LPCVOID mem);
/* Lock count in the low byte, plus GMEM_DISCARDABLE and GMEM_DISCARDED. */
KW32_API UINT WINAPI GlobalFlags(HGLOBAL mem);

KW32_API HLOCAL WINAPI LocalAlloc(UINT flags, SIZE_T bytes);
KW32_API HLOCAL WINAPI LocalReAlloc(HLOCAL mem, SIZE_T bytes, UINT flags);
KW32_API LPVOID WINAPI LocalLock(HLOCAL mem);
KW32_API BOOL WINAPI LocalUnlock(HLOCAL mem);
KW32_API SIZE_T WINAPI LocalSize(HLOCAL mem);
KW32_API HLOCAL WINAPI LocalFree(HLOCAL mem);
KW32_API HLOCAL WINAPI LocalHandle(LPCVOID mem);
KW32_API UINT WINAPI LocalFlags(HLOCAL mem);

#endif
