#include "memory/thread_block.h"

namespace kv {

void* threadBlock(DWORD item, DWORD size, TLS_DESTRUCTOR destructor, bool* created) {
  if (created) *created = false;
  if (void* block = reinterpret_cast<void*>(TLS_GetItem(item))) return block;
  void* block = MemAlloc(size);
  if (!block) return nullptr;
  TLS_SetItem(item, reinterpret_cast<DWORD_PTR>(block), destructor);
  if (TLS_GetItem(item) != reinterpret_cast<DWORD_PTR>(block)) {
    MemFree(block);  // the item could not be stored: do not leak it
    return nullptr;
  }
  if (created) *created = true;
  return block;
}

}  // namespace kv
