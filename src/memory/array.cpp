// Handle arrays: a header of element size and count, then the elements, in one movable
// global block. Every function checks the header against the block's size before it
// trusts it, so a handle that is not an array is refused rather than overrun.
#include <korvane/containers.h>

#include <cstdint>
#include <cstring>

namespace {

static_assert(sizeof(ARYHEADER) == 8, "the elements start at offset 8");
constexpr UINT kArrayFlags = GMEM_MOVEABLE | GMEM_ZEROINIT;
constexpr SIZE_T kHeaderBytes = sizeof(ARYHEADER);

char* elements(ARYHEADER* header) { return reinterpret_cast<char*>(header) + kHeaderBytes; }

// Locks the array; null (and the block left as it was) when it is not a well-formed one.
ARYHEADER* lockArray(HGLOBAL array) {
  if (!array) return nullptr;
  auto* header = static_cast<ARYHEADER*>(GlobalLock(array));
  if (!header) return nullptr;
  SIZE_T bytes = GlobalSize(array);
  bool valid = bytes >= kHeaderBytes && header->lElemSize >= 1 && header->lCount >= 0 &&
               static_cast<uint64_t>(header->lCount) <= (bytes - kHeaderBytes) / static_cast<SIZE_T>(header->lElemSize);
  if (!valid) {
    GlobalUnlock(array);
    return nullptr;
  }
  return header;
}

}  // namespace

KV_API HGLOBAL KV_CALL ARYArrayAlloc(int elemSize, int count) {
  if (elemSize < 1 || count < 0) return nullptr;
  uint64_t bytes = static_cast<uint64_t>(elemSize) * static_cast<uint64_t>(count) + kHeaderBytes;
  if (bytes > static_cast<SIZE_T>(-1)) return nullptr;
  HGLOBAL array = GlobalAlloc(kArrayFlags, static_cast<SIZE_T>(bytes));
  if (!array) return nullptr;
  auto* header = static_cast<ARYHEADER*>(GlobalLock(array));
  if (!header) {
    GlobalFree(array);
    return nullptr;
  }
  header->lElemSize = elemSize;
  header->lCount = count;
  GlobalUnlock(array);
  return array;
}

KV_API HGLOBAL KV_CALL ARYArrayFree(HGLOBAL array) { return GlobalFree(array); }

KV_API LPVOID KV_CALL ARYArrayLock(HGLOBAL array, int index) {
  ARYHEADER* header = lockArray(array);
  if (!header) return nullptr;
  if (index < 0 || index >= header->lCount) {
    GlobalUnlock(array);
    return nullptr;
  }
  return elements(header) + static_cast<SIZE_T>(index) * static_cast<SIZE_T>(header->lElemSize);
}

KV_API BOOL KV_CALL ARYArrayUnlock(HGLOBAL array) { return GlobalUnlock(array); }

KV_API DWORD KV_CALL ARYArraySize(HGLOBAL array) {
  ARYHEADER* header = lockArray(array);
  if (!header) return 0;
  DWORD size = (static_cast<DWORD>(header->lCount & 0xFFFF) << 16) | static_cast<DWORD>(header->lElemSize & 0xFFFF);
  GlobalUnlock(array);
  return size;
}

KV_API HGLOBAL KV_CALL ARYArrayInsert(HGLOBAL array, int index) {
  ARYHEADER* header = lockArray(array);
  if (!header) return nullptr;
  auto size = static_cast<SIZE_T>(header->lElemSize);
  LONG count = header->lCount;
  GlobalUnlock(array);
  SIZE_T allocated = GlobalSize(array);
  if (count == INT32_MAX || allocated > static_cast<SIZE_T>(-1) - size) return nullptr;

  HGLOBAL grown = GlobalReAlloc(array, allocated + size, kArrayFlags);
  if (!grown) return nullptr;
  header = static_cast<ARYHEADER*>(GlobalLock(grown));
  if (!header) return nullptr;  // cannot happen for a block that just grew
  char* base = elements(header);
  auto at = static_cast<SIZE_T>(index >= 0 && index <= count ? index : count);
  std::memmove(base + (at + 1) * size, base + at * size, (static_cast<SIZE_T>(count) - at) * size);
  std::memset(base + at * size, 0, size);
  header->lCount = count + 1;
  GlobalUnlock(grown);
  return grown;
}

KV_API HGLOBAL KV_CALL ARYArrayDelete(HGLOBAL array, int index) {
  ARYHEADER* header = lockArray(array);
  if (!header) return nullptr;
  auto size = static_cast<SIZE_T>(header->lElemSize);
  LONG count = header->lCount;
  if (count == 0) {
    GlobalUnlock(array);
    return array;
  }
  auto at = static_cast<SIZE_T>(index >= 0 && index < count ? index : count - 1);
  char* base = elements(header);
  std::memmove(base + at * size, base + (at + 1) * size, (static_cast<SIZE_T>(count) - 1 - at) * size);
  header->lCount = count - 1;
  GlobalUnlock(array);
  return GlobalReAlloc(array, static_cast<SIZE_T>(count - 1) * size + kHeaderBytes, kArrayFlags);
}
