// The shared heap's allocator: first fit on the free list with splitting, bump allocation
// at top, coalescing on free, and a reset whenever the last used block goes. Every walk
// and change runs under the fault guard: a damaged region fails the operation, with the
// mutex released, and never takes the process down.
#include "memory/cr_lock.h"
#include "memory/memory_state.h"
#include "memory/shared_heap.h"

namespace {

using namespace kv::shm;

// First fit: an exact fit, or a block large enough to split. 0 when none qualifies.
DWORD takeFree(Heap& heap, DWORD n) {
  DWORD found = 0;
  DWORD s = 0;
  heap.walk(kFreeList, [&](DWORD block) {
    s = heap.size(block);
    if (s == n || (s > n && s - n > kSplitSlack)) found = block;
    return found == 0;
  });
  if (!found) return 0;
  heap.remove(kFreeList, found);
  heap.setSize(found, n);
  heap.insert(kUsedList, found);
  if (s != n) {
    const DWORD rest = found + n + kBlockOverhead;
    heap.setSize(rest, s - n - kBlockOverhead);
    heap.insert(kFreeList, rest);
  }
  std::memset(at(found + kUserOffset), 0, n);
  return found;
}

// Merges the block, just freed and now the free list's head, with the free blocks right
// below and above it. The merged block keeps the trailer of its last piece.
void coalesce(Heap& heap, DWORD block) {
  DWORD lower = 0;
  DWORD upper = 0;
  const uint64_t above = uint64_t{block} + heap.size(block) + kBlockOverhead;
  heap.walk(kFreeList, [&](DWORD other) {
    if (other == block) return true;
    if (uint64_t{other} + heap.size(other) + kBlockOverhead == block) lower = other;
    if (other == above) upper = other;
    return !(lower && upper);
  });
  if (upper) {
    heap.setSize(block, heap.size(block) + heap.size(upper) + kBlockOverhead);
    heap.remove(kFreeList, upper);
  }
  if (lower) {
    heap.setSize(lower, heap.size(lower) + heap.size(block) + kBlockOverhead);
    heap.remove(kFreeList, block);
  }
}

// Only a block on the used list is freed: anything else would corrupt the lists.
bool isUsedBlock(const Heap& heap, uintptr_t block) {
  bool found = false;
  heap.walk(kUsedList, [&](DWORD used) {
    found = used == block;
    return !found;
  });
  return found;
}

void freeBlock(Heap& heap, void* user) {
  const auto address = reinterpret_cast<uintptr_t>(user);
  if (address < kUserOffset || !isUsedBlock(heap, address - kUserOffset)) return;  // refused
  const auto block = static_cast<DWORD>(address - kUserOffset);
  heap.remove(kUsedList, block);
  heap.insert(kFreeList, block);
  if (heap.head(kUsedList) == 0) {
    heap.reset();
    return;
  }
  coalesce(heap, block);
}

// One list's marks, under the main lock as well. A damaged link faults instead.
bool listIntact(const Heap& heap, HeaderField list) {
  kv::MainLock lock;
  bool intact = true;
  heap.walk(list, [&](DWORD block) {
    intact = heap.intact(block);
    return intact;
  });
  return intact;
}

}  // namespace

KV_API void* KV_CALL MemSharedAlloc(DWORD size) {
  if (!MemAcquireMutex()) return nullptr;
  DWORD block = 0;
  try {
    Heap heap;
    block = takeFree(heap, size);
    if (!block) block = heap.bump(size);
  } catch (const HeapFault&) {
    block = 0;
  }
  // A block taken before a failed release stays on the used list.
  if (!MemReleaseMutex() || !block) return nullptr;
  return at(block + kUserOffset);
}

KV_API void KV_CALL MemSharedFree(void* block) {
  if (!MemAcquireMutex()) return;
  if (block) {
    try {
      Heap heap;
      freeBlock(heap, block);
    } catch (const HeapFault&) {
      // changes made before the fault stay
    }
  }
  MemReleaseMutex();
}

KV_API int KV_CALL MemSharedCheck(void* block) {
  if (!block) return 1;
  // Read only inside the recorded region, so a stray pointer gives 0 rather than a fault.
  const auto region = reinterpret_cast<uintptr_t>(kv::gMemoryState.sharedHeap);
  const uint64_t limit = uint64_t{region} + kv::gMemoryState.sharedHeapSize;
  const auto address = reinterpret_cast<uintptr_t>(block);
  if (!region || address < region + kHeaderBytes + kUserOffset) return 0;
  const uint64_t header = address - kUserOffset;
  if (header + kBlockOverhead > limit) return 0;
  const auto b = static_cast<DWORD>(header);
  const DWORD n = load(b + kBlockSize);
  if (header + kBlockOverhead + n > limit) return 0;
  return load(b + kBlockMark1) == kFirstMark && load(b + kBlockMark2) == kSecondMark &&
                 load(b + kUserOffset + n) == kFirstMark && load(b + kUserOffset + 4 + n) == kSecondMark
             ? 1
             : 0;
}

KV_API int KV_CALL MemSharedCheckAll(void) {
  if (!MemAcquireMutex()) return 0;
  bool intact = false;
  try {
    Heap heap;  // faults unless the header's marks (and the rest of it) are intact
    intact = listIntact(heap, kFreeList) && listIntact(heap, kUsedList);
  } catch (const HeapFault&) {
    intact = false;
  }
  return MemReleaseMutex() && intact ? 1 : 0;
}
