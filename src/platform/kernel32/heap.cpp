// The process heap. Blocks are tracked so that the size of a block is the size asked
// for, and so that a pointer that is not a live block is refused instead of corrupting
// the allocator (HeapSize answers all bits set, HeapFree FALSE).
#include "internal.h"

#include <cstdlib>
#include <cstring>
#include <mutex>
#include <unordered_map>

namespace {

struct ProcessHeap {
  std::mutex mutex;
  std::unordered_map<const void*, size_t> blocks;
};

ProcessHeap& processHeap() {
  static ProcessHeap* heap = new ProcessHeap;  // outlives every static clean-up that frees
  return *heap;
}

// The one heap this platform has; any other handle is refused.
HANDLE heapHandle() { return reinterpret_cast<HANDLE>(&processHeap()); }

bool validHeap(HANDLE heap) { return heap == heapHandle(); }

}  // namespace

KW32_API HANDLE WINAPI GetProcessHeap(void) { return heapHandle(); }

KW32_API LPVOID WINAPI HeapAlloc(HANDLE heap, DWORD flags, SIZE_T bytes) {
  if (!validHeap(heap)) {
    SetLastError(ERROR_INVALID_HANDLE);
    return nullptr;
  }
  // A zero-byte request still yields a distinct block, as on Windows.
  void* p = (flags & HEAP_ZERO_MEMORY) ? std::calloc(bytes ? bytes : 1, 1) : std::malloc(bytes ? bytes : 1);
  if (!p) {
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return nullptr;
  }
  ProcessHeap& h = processHeap();
  try {
    std::lock_guard<std::mutex> lock(h.mutex);
    h.blocks[p] = bytes;
  } catch (...) {  // no room to track the block: refuse it rather than throw
    std::free(p);
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return nullptr;
  }
  return p;
}

KW32_API LPVOID WINAPI HeapReAlloc(HANDLE heap, DWORD flags, LPVOID mem, SIZE_T bytes) {
  if (!validHeap(heap) || !mem) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  ProcessHeap& h = processHeap();
  std::lock_guard<std::mutex> lock(h.mutex);
  auto it = h.blocks.find(mem);
  if (it == h.blocks.end()) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  size_t old = it->second;
  if (flags & HEAP_REALLOC_IN_PLACE_ONLY) {
    if (bytes > old) {
      SetLastError(ERROR_NOT_ENOUGH_MEMORY);
      return nullptr;
    }
    it->second = bytes;
    return mem;
  }
  void* p = std::realloc(mem, bytes ? bytes : 1);
  if (!p) {
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return nullptr;  // the old block stays valid
  }
  if ((flags & HEAP_ZERO_MEMORY) && bytes > old) std::memset(static_cast<char*>(p) + old, 0, bytes - old);
  // The tracking entry moves to the new address without allocating, so it cannot fail
  // after the block itself has moved.
  auto node = h.blocks.extract(it);
  node.key() = p;
  node.mapped() = bytes;
  h.blocks.insert(std::move(node));
  return p;
}

KW32_API BOOL WINAPI HeapFree(HANDLE heap, DWORD, LPVOID mem) {
  if (!mem) return TRUE;
  if (!validHeap(heap)) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  ProcessHeap& h = processHeap();
  {
    std::lock_guard<std::mutex> lock(h.mutex);
    if (h.blocks.erase(mem) == 0) {
      SetLastError(ERROR_INVALID_PARAMETER);
      return FALSE;
    }
  }
  std::free(mem);
  return TRUE;
}

KW32_API SIZE_T WINAPI HeapSize(HANDLE heap, DWORD, LPCVOID mem) {
  if (!validHeap(heap) || !mem) return static_cast<SIZE_T>(-1);
  ProcessHeap& h = processHeap();
  std::lock_guard<std::mutex> lock(h.mutex);
  auto it = h.blocks.find(mem);
  return it == h.blocks.end() ? static_cast<SIZE_T>(-1) : it->second;
}
