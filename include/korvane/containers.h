/* Handle arrays and linked lists. */
#ifndef KORVANE_CONTAINERS_H
#define KORVANE_CONTAINERS_H

#include "api.h"
#include "win32.h"

/* A handle array is one movable global block: this header, then `lCount` elements of
   `lElemSize` bytes each, packed in index order. Callers may lock the block and read it
   themselves. */
typedef struct tagARYHEADER {
  LONG lElemSize;
  LONG lCount;
} ARYHEADER;

/* A new array of `count` zero elements; null when `elemSize` < 1, `count` < 0 or there is
   no memory. */
KV_API HGLOBAL KV_CALL ARYArrayAlloc(int elemSize, int count);
/* GlobalFree's result: null on success. */
KV_API HGLOBAL KV_CALL ARYArrayFree(HGLOBAL array);
/* The element at `index` with the block locked (ARYArrayUnlock releases it); null, the
   block left unlocked, when the index is out of range or the handle is not an array. */
KV_API LPVOID KV_CALL ARYArrayLock(HGLOBAL array, int index);
/* GlobalUnlock's result. */
KV_API BOOL KV_CALL ARYArrayUnlock(HGLOBAL array);
/* Count in the high word and element size in the low word, each cut to 16 bits; 0 for a
   handle that is not an array. */
KV_API DWORD KV_CALL ARYArraySize(HGLOBAL array);
/* Adds a zero element at `index`, or at the end when `index` is outside 0..count. The
   result is the array's handle afterwards (the block may have moved): null when it could
   not grow, the old handle then staying valid and unchanged. */
KV_API HGLOBAL KV_CALL ARYArrayInsert(HGLOBAL array, int index);
/* Removes the element at `index`, or the last one when `index` is outside the elements;
   an empty array stays as it is. The result is the handle of the shrunk block; null for a
   handle that is not an array or a failed reallocation (the count is then already down). */
KV_API HGLOBAL KV_CALL ARYArrayDelete(HGLOBAL array, int index);

/* A doubly linked list of caller values. Header and nodes are local memory blocks
   (MemAlloc); the list owns them, never the values. A node's value is its first member.
   On 32-bit Windows both records are three 32-bit words. */
typedef struct tagLISTNODE {
  DWORD_PTR dwValue;
  struct tagLISTNODE *pNext;
  struct tagLISTNODE *pPrev;
} LISTNODE, *LPLISTNODE;

typedef struct tagLISTHEADER {
  LONG lCount;
  LPLISTNODE pFirst;
  LPLISTNODE pLast;
} LISTHEADER, *LPLISTHEADER;

/* A new empty list, or null. */
KV_API LPLISTHEADER KV_CALL ListCreateHeader(void);
/* The new last node holding `value`, or null (also for a null header). */
KV_API LPLISTNODE KV_CALL ListAppendNode(LPLISTHEADER list, DWORD_PTR value);
/* 1 when the node was unlinked and freed; 0 for a null header, an empty list, a null node
   or a node that is not in the list. */
KV_API int KV_CALL ListDeleteNode(LPLISTHEADER list, LPLISTNODE node);
/* The node at the 0-based `index`, or null when there is none. */
KV_API LPLISTNODE KV_CALL ListIndexNode(LPLISTHEADER list, int index);
/* Frees every node. With a non-zero `freeHeader` frees the header too and returns null;
   otherwise returns the emptied header. Null for a null header. */
KV_API LPLISTHEADER KV_CALL ListDestroyList(LPLISTHEADER list, int freeHeader);

#endif
