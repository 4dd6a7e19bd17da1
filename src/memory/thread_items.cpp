// Thread-local items: one Win32 storage slot holds each thread's block of 200
// (value, destructor) pairs; the thread map lets an item number be withdrawn from every
// thread. Numbers outside 0 ... 199 are ignored rather than reaching past the block.
#include "frame/state.h"
#include "memory/cr_lock.h"
#include "memory/thread_map.h"

namespace kv {

struct ThreadItem {
  DWORD_PTR value;
  TLS_DESTRUCTOR destructor;
};

namespace {

constexpr DWORD kFirstAllocated = 100;
constexpr DWORD kAllocatable = TLS_ITEM_COUNT - kFirstAllocated;

// Which of the numbers 100 ... 199 are handed out. Touched under the main lock: callers
// take numbers from any thread, and two of them must never get the same one. (While the
// library loads and unloads the main lock does not exist, but only one thread runs then.)
constinit BYTE gNumberTaken[kAllocatable] = {};

bool validItem(DWORD item) { return item < TLS_ITEM_COUNT; }

ThreadItem* currentBlock() {
  if (gTlsSlot == kNoTlsSlot) return nullptr;
  return static_cast<ThreadItem*>(TlsGetValue(gTlsSlot));
}

ThreadItem* blockForUse() {
  if (gTlsSlot == kNoTlsSlot) return nullptr;
  if (ThreadItem* block = currentBlock()) return block;
  auto* block = static_cast<ThreadItem*>(MemAlloc(sizeof(ThreadItem) * TLS_ITEM_COUNT));
  if (!block) return nullptr;
  if (!TlsSetValue(gTlsSlot, block)) {
    MemFree(block);
    return nullptr;
  }
  MainLock lock;
  gThreadMap.insert(GetCurrentThreadId(), block);
  return block;
}

// Clears the item first, so a destructor that reaches the same item finds it empty.
void release(ThreadItem& item) {
  ThreadItem old = item;
  item = ThreadItem{};
  if (old.value && old.destructor) old.destructor(old.value);
}

}  // namespace
}  // namespace kv

using kv::ThreadItem;

KV_API DWORD KV_CALL TLS_AllocIndex(void) {
  kv::MainLock lock;
  if (kv::gTlsSlot == kv::kNoTlsSlot) kv::gTlsSlot = TlsAlloc();
  for (DWORD i = 0; i < kv::kAllocatable; ++i) {
    if (!kv::gNumberTaken[i]) {
      kv::gNumberTaken[i] = 1;
      return i + kv::kFirstAllocated;
    }
  }
  return TLS_NO_INDEX;
}

KV_API void KV_CALL TLS_FreeIndex(DWORD item) {
  kv::MainLock lock;
  if (item >= kv::kFirstAllocated && item < TLS_ITEM_COUNT) kv::gNumberTaken[item - kv::kFirstAllocated] = 0;
  if (!kv::validItem(item)) return;
  kv::gThreadMap.forEach([item](ThreadItem* block) { kv::release(block[item]); });
}

KV_API DWORD_PTR KV_CALL TLS_GetItem(DWORD item) {
  if (!kv::validItem(item)) return 0;
  ThreadItem* block = kv::blockForUse();
  return block ? block[item].value : 0;
}

KV_API void KV_CALL TLS_SetItem(DWORD item, DWORD_PTR value, TLS_DESTRUCTOR destructor) {
  if (!kv::validItem(item)) return;
  ThreadItem* block = kv::blockForUse();
  if (!block) return;
  ThreadItem& slot = block[item];
  if (slot.value && slot.destructor) slot.destructor(slot.value);
  slot = ThreadItem{value, destructor};
}

KV_API void KV_CALL TLS_Free(DWORD item) {
  if (!kv::validItem(item)) return;
  if (ThreadItem* block = kv::currentBlock()) kv::release(block[item]);
}

KV_API void KV_CALL TLS_FreeAll(void) {
  if (kv::gTlsSlot == kv::kNoTlsSlot) return;
  if (ThreadItem* block = kv::currentBlock()) {
    // Out of the map first: TLS_FreeIndex on another thread writes into every block it
    // finds there, and must not meet this one while its items are being released.
    {
      kv::MainLock lock;
      kv::gThreadMap.remove(GetCurrentThreadId());
    }
    for (DWORD i = 0; i < TLS_ITEM_COUNT; ++i) kv::release(block[i]);
    MemFree(block);
  }
  TlsSetValue(kv::gTlsSlot, nullptr);
}
