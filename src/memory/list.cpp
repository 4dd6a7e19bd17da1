// Doubly linked lists of caller values, header and nodes in local memory blocks.
#include <korvane/containers.h>
#include <korvane/memory.h>

// Three 32-bit words each on the 32-bit target, as callers that read them expect.
static_assert(sizeof(void*) != 4 || (sizeof(LISTHEADER) == 12 && sizeof(LISTNODE) == 12));

namespace {

bool contains(const LISTHEADER* list, const LISTNODE* node) {
  for (const LISTNODE* n = list->pFirst; n; n = n->pNext)
    if (n == node) return true;
  return false;
}

}  // namespace

KV_API LPLISTHEADER KV_CALL ListCreateHeader(void) {
  return static_cast<LPLISTHEADER>(MemAlloc(sizeof(LISTHEADER)));  // zero: empty
}

KV_API LPLISTNODE KV_CALL ListAppendNode(LPLISTHEADER list, DWORD_PTR value) {
  if (!list) return nullptr;
  auto* node = static_cast<LPLISTNODE>(MemAlloc(sizeof(LISTNODE)));
  if (!node) return nullptr;
  node->dwValue = value;
  node->pPrev = list->pLast;
  if (list->pLast) list->pLast->pNext = node;
  else list->pFirst = node;
  list->pLast = node;
  ++list->lCount;
  return node;
}

KV_API int KV_CALL ListDeleteNode(LPLISTHEADER list, LPLISTNODE node) {
  // A node of another list (or a stale one) would corrupt both lists: it is refused.
  if (!list || !node || list->lCount == 0 || !contains(list, node)) return 0;
  if (node->pPrev) node->pPrev->pNext = node->pNext;
  else list->pFirst = node->pNext;
  if (node->pNext) node->pNext->pPrev = node->pPrev;
  else list->pLast = node->pPrev;
  --list->lCount;
  MemFree(node);
  return 1;
}

KV_API LPLISTNODE KV_CALL ListIndexNode(LPLISTHEADER list, int index) {
  if (!list || index < 0) return nullptr;
  LPLISTNODE node = list->pFirst;
  for (int i = 0; node && i < index; ++i) node = node->pNext;
  return node;
}

KV_API LPLISTHEADER KV_CALL ListDestroyList(LPLISTHEADER list, int freeHeader) {
  if (!list) return nullptr;
  for (LPLISTNODE node = list->pFirst; node;) {
    LPLISTNODE next = node->pNext;
    MemFree(node);
    node = next;
  }
  if (freeHeader) {
    MemFree(list);
    return nullptr;
  }
  list->lCount = 0;
  list->pFirst = nullptr;
  list->pLast = nullptr;
  return list;
}
