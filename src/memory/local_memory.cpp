// Local memory blocks: zero-filled blocks of the process heap, with no bookkeeping of our
// own. Every heap call runs inside the main lock, so CR_Unwind sees these entries too.
#include "memory/cr_lock.h"
#include "memory/memory_state.h"

namespace kv {
constinit MemoryState gMemoryState{};
}  // namespace kv

namespace {

// Called inside the main lock (when it exists).
HANDLE heap() {
  HANDLE& h = kv::gMemoryState.processHeap;
  if (!h) h = GetProcessHeap();
  return h;
}

}  // namespace

KV_API void* KV_CALL MemAlloc(DWORD size) {
  if (size == 0) return nullptr;
  kv::MainLock lock;
  return HeapAlloc(heap(), HEAP_ZERO_MEMORY, size);
}

KV_API void* KV_CALL MemRealloc(void* block, DWORD size) {
  if (!block) return MemAlloc(size);
  if (size == 0) {
    MemFree(block);
    return nullptr;
  }
  kv::MainLock lock;
  return HeapReAlloc(heap(), HEAP_ZERO_MEMORY, block, size);
}

KV_API void KV_CALL MemFree(void* block) {
  if (!block) return;
  kv::MainLock lock;
  HeapFree(heap(), 0, block);
}

KV_API DWORD KV_CALL MemSize(void* block) {
  if (!block) return 0;
  kv::MainLock lock;
  return static_cast<DWORD>(HeapSize(heap(), 0, block));
}

KV_API int KV_CALL MemCheck(void*) { return 0; }

KV_API int KV_CALL MemCheckAll(void) { return 0; }
