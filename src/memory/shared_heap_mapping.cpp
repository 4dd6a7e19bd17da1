// Attaching to the shared mapping at its fixed address, laying out or verifying the heap
// header, and detaching again.
#include "frame/state.h"
#include "memory/memory_state.h"
#include "memory/shared_heap.h"

namespace {

using namespace kv::shm;

// The same address in every process, so the absolute addresses in the region hold: the
// NT family's, or the shared arena of the Windows 95 family.
void* fixedAddress() {
  const uintptr_t address = kv::gpState->platformId == VER_PLATFORM_WIN32_NT ? 0x40000000u : 0xA0000000u;
  return reinterpret_cast<void*>(address);
}

}  // namespace

KV_API void* KV_CALL MemSharedInit(BOOL* created, DWORD size) {
  if (!MemAcquireMutex()) return nullptr;
  auto& state = kv::gMemoryState;
  if (state.view) {
    // Attached already: the fixed address is taken. The attachment stays as it is.
    MemReleaseMutex();
    return nullptr;
  }
  ObjectAttributes attributes;
  state.mapping = CreateFileMappingA(INVALID_HANDLE_VALUE, attributes.get(), PAGE_READWRITE, 0, size, kMappingName);
  const bool existed = GetLastError() == ERROR_ALREADY_EXISTS;
  attributes.release();
  if (!state.mapping) {
    state.view = nullptr;
    MemReleaseMutex();
    return nullptr;
  }
  void* const fixed = fixedAddress();
  state.view = MapViewOfFileEx(state.mapping, FILE_MAP_ALL_ACCESS, 0, 0, 0, fixed);
  if (state.view && state.view == fixed) {
    state.viewSize = size;
    if (created) *created = existed ? FALSE : TRUE;
    return MemReleaseMutex() ? state.view : nullptr;
  }
  MemSharedTerminate();
  state.view = nullptr;
  MemReleaseMutex();
  return nullptr;
}

KV_API int KV_CALL MemSharedInitHeap(void* base, DWORD size, BOOL initialise) {
  if (!MemAcquireMutex()) return 0;
  // The header holds 32-bit absolute addresses: the whole region must lie below 4 GiB,
  // have room for the header, and not run past the end of the view it starts in.
  const auto region = reinterpret_cast<uintptr_t>(base);
  const auto view = reinterpret_cast<uintptr_t>(kv::gMemoryState.view);
  const uint64_t viewEnd = uint64_t{view} + kv::gMemoryState.viewSize;
  const bool pastView = view && region >= view && region < viewEnd && region + uint64_t{size} > viewEnd;
  if (!region || size < kHeaderBytes || region + uint64_t{size} > 0x100000000ull || pastView) {
    MemReleaseMutex();
    return 0;
  }
  kv::gMemoryState.sharedHeap = base;
  kv::gMemoryState.sharedHeapSize = size;
  const auto b = static_cast<DWORD>(region);
  bool valid = true;
  if (initialise) {
    store(b + kHeapMark1, 0);
    store(b + kHeapSize, size);
    store(b + kHeapBase, b);
    store(b + kHeapEnd, b + size);
    store(b + kHeapTop, b + kHeaderBytes);
    store(b + kUsedList, 0);
    store(b + kFreeList, 0);
    // The marks last: a header is valid only once all of it is written.
    store(b + kHeapMark1, kFirstMark);
    store(b + kHeapMark2, kSecondMark);
  } else {
    // A header laid out for another region would hold addresses that are not ours.
    valid = load(b + kHeapSize) == size && load(b + kHeapMark1) == kFirstMark &&
            load(b + kHeapMark2) == kSecondMark && load(b + kHeapBase) == b;
  }
  return MemReleaseMutex() && valid ? 1 : 0;
}

KV_API void KV_CALL MemSharedTerminate(void) {
  auto& state = kv::gMemoryState;
  if (state.view) {
    UnmapViewOfFile(state.view);
    state.view = nullptr;
    state.viewSize = 0;
    state.sharedHeap = nullptr;
    state.sharedHeapSize = 0;
  }
  if (state.mapping) {
    CloseHandle(state.mapping);
    state.mapping = nullptr;
  }
}
