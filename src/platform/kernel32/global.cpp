// Global and local memory blocks. Every block has a record in one registry: a fixed block
// is known by its pointer, a movable block by a handle made from its record's address
// with bit 2 set (records are 16-byte aligned and heap pointers too, so the two kinds of
// value never meet). Handles and pointers that are not in the registry are refused with
// ERROR_INVALID_HANDLE instead of being dereferenced.
#include "internal.h"

#include <korvane/win32/kernel32/global.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <new>
#include <unordered_map>

namespace {

struct Block {
  char* data = nullptr;  // null while a movable block is discarded
  SIZE_T size = 0;
  bool movable = false;
  bool discardable = false;
  BYTE locks = 0;  // movable blocks only
};

constexpr UINT_PTR kMovableTag = 4;
// More than any host gives, yet small enough that size arithmetic cannot wrap and that no
// allocator (the sanitizers' included) is asked for an impossible size.
constexpr SIZE_T kMaxBytes = sizeof(SIZE_T) == 8 ? static_cast<SIZE_T>(UINT64_C(1) << 39) : SIZE_T(1) << 30;

struct Registry {
  std::mutex mutex;
  std::unordered_map<UINT_PTR, Block*> byHandle;
  std::unordered_map<const void*, Block*> byData;
};

Registry& registry() {
  static Registry* r = new Registry;  // blocks may be freed during static clean-up
  return *r;
}

UINT_PTR handleValue(const Block* b) {
  return b->movable ? reinterpret_cast<UINT_PTR>(b) | kMovableTag : reinterpret_cast<UINT_PTR>(b->data);
}

HGLOBAL asHandle(const Block* b) { return reinterpret_cast<HGLOBAL>(handleValue(b)); }

// Caller holds the registry lock. Sets ERROR_INVALID_HANDLE when the handle is unknown.
Block* find(Registry& r, HGLOBAL mem) {
  auto it = r.byHandle.find(reinterpret_cast<UINT_PTR>(mem));
  if (it == r.byHandle.end()) {
    SetLastError(ERROR_INVALID_HANDLE);
    return nullptr;
  }
  return it->second;
}

// The two families differ only in the value of the discardable flag and the valid mask.
struct Family {
  UINT validFlags;
  UINT discardableFlag;
};
constexpr Family kGlobal{GMEM_VALID_FLAGS, GMEM_DISCARDABLE};
constexpr Family kLocal{LMEM_VALID_FLAGS, LMEM_DISCARDABLE};

char* allocate(SIZE_T bytes, bool zero) {
  if (bytes > kMaxBytes) return nullptr;
  SIZE_T n = bytes ? bytes : 1;
  return static_cast<char*>(zero ? std::calloc(n, 1) : std::malloc(n));
}

// Records a new block; frees its memory and fails if the registry cannot grow.
HGLOBAL enter(Registry& r, Block* b) {
  try {
    r.byHandle.emplace(handleValue(b), b);
    if (b->data) r.byData.emplace(b->data, b);
  } catch (const std::bad_alloc&) {
    r.byHandle.erase(handleValue(b));
    std::free(b->data);
    delete b;
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return nullptr;
  }
  return asHandle(b);
}

HGLOBAL allocBlock(const Family& family, UINT flags, SIZE_T bytes) {
  if (flags & ~family.validFlags) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  auto* b = new (std::nothrow) Block;
  if (!b) {
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return nullptr;
  }
  b->movable = (flags & GMEM_MOVEABLE) != 0;
  b->discardable = (flags & family.discardableFlag) != 0;
  if (!b->movable || bytes > 0) {
    b->data = allocate(bytes, (flags & GMEM_ZEROINIT) != 0);
    if (!b->data) {
      delete b;
      SetLastError(ERROR_NOT_ENOUGH_MEMORY);
      return nullptr;
    }
    b->size = bytes;
  }
  Registry& r = registry();
  std::lock_guard<std::mutex> lock(r.mutex);
  return enter(r, b);
}

// Gives the block new memory of `bytes`, keeping what fits and zeroing the rest on request.
// Caller holds the registry lock.
bool replaceData(Registry& r, Block* b, SIZE_T bytes, bool zero) {
  char* fresh = allocate(bytes, zero);
  if (!fresh) return false;
  try {
    r.byData.emplace(fresh, b);
  } catch (const std::bad_alloc&) {
    std::free(fresh);
    return false;
  }
  if (b->data) {
    std::memcpy(fresh, b->data, b->size < bytes ? b->size : bytes);
    r.byData.erase(b->data);
    std::free(b->data);
  }
  b->data = fresh;
  b->size = bytes;
  return true;
}

// Moves the block's registry entry to the handle value it has after `change`.
template <class Change>
void rekey(Registry& r, Block* b, Change change) {
  auto node = r.byHandle.extract(handleValue(b));
  change();
  node.key() = handleValue(b);
  r.byHandle.insert(std::move(node));
}

HGLOBAL modifyBlock(const Family& family, Registry& r, Block* b, UINT flags) {
  if ((flags & GMEM_MOVEABLE) && !b->movable) {
    // A fixed block becomes movable: same memory, new handle.
    rekey(r, b, [b] { b->movable = true; });
  }
  b->discardable = (flags & family.discardableFlag) != 0;
  return asHandle(b);
}

HGLOBAL reallocBlock(const Family& family, HGLOBAL mem, SIZE_T bytes, UINT flags) {
  if (flags & ~family.validFlags) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  Registry& r = registry();
  std::lock_guard<std::mutex> lock(r.mutex);
  Block* b = find(r, mem);
  if (!b) return nullptr;
  if (flags & GMEM_MODIFY) return modifyBlock(family, r, b, flags);
  bool zero = (flags & GMEM_ZEROINIT) != 0;

  if (bytes == 0 && b->movable) {
    if (b->locks) {
      SetLastError(ERROR_NOT_ENOUGH_MEMORY);
      return nullptr;
    }
    if (b->data) {
      r.byData.erase(b->data);
      std::free(b->data);
      b->data = nullptr;
      b->size = 0;
    }
    return mem;
  }
  if (!b->data) {  // a discarded block comes back to life
    if (!replaceData(r, b, bytes, zero)) {
      SetLastError(ERROR_NOT_ENOUGH_MEMORY);
      return nullptr;
    }
    return mem;
  }
  if (bytes <= b->size) {  // shrinking stays where it is
    b->size = bytes;
    return mem;
  }
  bool mayMove = b->movable ? (b->locks == 0 || (flags & GMEM_MOVEABLE)) : (flags & GMEM_MOVEABLE) != 0;
  if (!mayMove) {
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return nullptr;
  }
  SIZE_T old = b->size;
  UINT_PTR oldHandle = handleValue(b);
  if (!replaceData(r, b, bytes, false)) {
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return nullptr;
  }
  if (zero) std::memset(b->data + old, 0, bytes - old);
  if (!b->movable) {  // a fixed block's handle is its pointer
    auto node = r.byHandle.extract(oldHandle);
    node.key() = handleValue(b);
    r.byHandle.insert(std::move(node));
  }
  return asHandle(b);
}

LPVOID lockBlock(HGLOBAL mem) {
  Registry& r = registry();
  std::lock_guard<std::mutex> lock(r.mutex);
  Block* b = find(r, mem);
  if (!b) return nullptr;
  if (!b->data) {
    SetLastError(ERROR_DISCARDED);
    return nullptr;
  }
  if (b->movable && b->locks < GMEM_LOCKCOUNT) ++b->locks;
  return b->data;
}

BOOL unlockBlock(HGLOBAL mem) {
  Registry& r = registry();
  std::lock_guard<std::mutex> lock(r.mutex);
  Block* b = find(r, mem);
  if (!b) return FALSE;
  if (!b->movable) return TRUE;
  if (b->locks == 0) {
    SetLastError(ERROR_NOT_LOCKED);
    return FALSE;
  }
  if (--b->locks == 0) {
    SetLastError(NO_ERROR);
    return FALSE;
  }
  return TRUE;
}

SIZE_T sizeOfBlock(HGLOBAL mem) {
  Registry& r = registry();
  std::lock_guard<std::mutex> lock(r.mutex);
  Block* b = find(r, mem);
  return b ? b->size : 0;
}

HGLOBAL freeBlock(HGLOBAL mem) {
  if (!mem) return nullptr;
  Block* b;
  {
    Registry& r = registry();
    std::lock_guard<std::mutex> lock(r.mutex);
    b = find(r, mem);
    if (!b) return mem;
    r.byHandle.erase(handleValue(b));
    if (b->data) r.byData.erase(b->data);
  }
  std::free(b->data);
  delete b;
  return nullptr;
}

HGLOBAL handleOf(LPCVOID mem) {
  Registry& r = registry();
  std::lock_guard<std::mutex> lock(r.mutex);
  if (auto it = r.byData.find(mem); it != r.byData.end()) return asHandle(it->second);
  Block* b = find(r, const_cast<LPVOID>(mem));
  return b ? asHandle(b) : nullptr;
}

UINT flagsOf(const Family& family, HGLOBAL mem) {
  Registry& r = registry();
  std::lock_guard<std::mutex> lock(r.mutex);
  Block* b = find(r, mem);
  if (!b) return GMEM_INVALID_HANDLE;
  UINT flags = b->locks;
  if (b->discardable) flags |= family.discardableFlag;
  if (b->movable && !b->data) flags |= GMEM_DISCARDED;
  return flags;
}

}  // namespace

KW32_API HGLOBAL WINAPI GlobalAlloc(UINT flags, SIZE_T bytes) { return allocBlock(kGlobal, flags, bytes); }
KW32_API HGLOBAL WINAPI GlobalReAlloc(HGLOBAL mem, SIZE_T bytes, UINT flags) {
  return reallocBlock(kGlobal, mem, bytes, flags);
}
KW32_API LPVOID WINAPI GlobalLock(HGLOBAL mem) { return lockBlock(mem); }
KW32_API BOOL WINAPI GlobalUnlock(HGLOBAL mem) { return unlockBlock(mem); }
KW32_API SIZE_T WINAPI GlobalSize(HGLOBAL mem) { return sizeOfBlock(mem); }
KW32_API HGLOBAL WINAPI GlobalFree(HGLOBAL mem) { return freeBlock(mem); }
KW32_API HGLOBAL WINAPI GlobalHandle(LPCVOID mem) { return handleOf(mem); }
KW32_API UINT WINAPI GlobalFlags(HGLOBAL mem) { return flagsOf(kGlobal, mem); }

KW32_API HLOCAL WINAPI LocalAlloc(UINT flags, SIZE_T bytes) { return allocBlock(kLocal, flags, bytes); }
KW32_API HLOCAL WINAPI LocalReAlloc(HLOCAL mem, SIZE_T bytes, UINT flags) {
  return reallocBlock(kLocal, mem, bytes, flags);
}
KW32_API LPVOID WINAPI LocalLock(HLOCAL mem) { return lockBlock(mem); }
KW32_API BOOL WINAPI LocalUnlock(HLOCAL mem) { return unlockBlock(mem); }
KW32_API SIZE_T WINAPI LocalSize(HLOCAL mem) { return sizeOfBlock(mem); }
KW32_API HLOCAL WINAPI LocalFree(HLOCAL mem) { return freeBlock(mem); }
KW32_API HLOCAL WINAPI LocalHandle(LPCVOID mem) { return handleOf(mem); }
KW32_API UINT WINAPI LocalFlags(HLOCAL mem) { return flagsOf(kLocal, mem); }
