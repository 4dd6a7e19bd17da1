// Checked access to the shared heap's region: the header, the two circular lists, bump
// allocation. Nothing is followed before it is known to lie inside the heap with its
// marks in place, so a damaged region ends an operation instead of the process.
#include "memory/memory_state.h"
#include "memory/shared_heap.h"

namespace kv::shm {

Heap::Heap() {
  const auto region = reinterpret_cast<uintptr_t>(gMemoryState.sharedHeap);
  const uint64_t size = gMemoryState.sharedHeapSize;
  if (!region || size < kHeaderBytes || region + size > 0x100000000ull) throw HeapFault{};
  base_ = static_cast<DWORD>(region);
  top_ = load(base_ + kHeapTop);
  end_ = load(base_ + kHeapEnd);
  const bool valid = load(base_ + kHeapMark1) == kFirstMark && load(base_ + kHeapMark2) == kSecondMark &&
                     load(base_ + kHeapSize) == size && load(base_ + kHeapBase) == base_ &&
                     end_ == base_ + size && top_ >= base_ + kHeaderBytes && top_ <= end_;
  if (!valid) throw HeapFault{};
}

void Heap::follow(DWORD block) const {
  const uint64_t b = block;
  if (b < uint64_t{base_} + kHeaderBytes || b + kBlockOverhead > top_) throw HeapFault{};
  if (load(block + kBlockMark1) != kFirstMark || load(block + kBlockMark2) != kSecondMark) throw HeapFault{};
  if (b + kBlockOverhead + size(block) > top_) throw HeapFault{};
}

bool Heap::intact(DWORD block) const {
  const DWORD n = size(block);
  return load(block + kBlockMark1) == kFirstMark && load(block + kBlockMark2) == kSecondMark &&
         load(block + kUserOffset + n) == kFirstMark && load(block + kUserOffset + 4 + n) == kSecondMark;
}

void Heap::insertionPoint(HeaderField list, DWORD& first, DWORD& last) const {
  first = head(list);
  last = 0;
  if (!first) return;
  follow(first);
  last = load(first + kBlockPrev);
  follow(last);
}

void Heap::insert(HeaderField list, DWORD block) {
  DWORD first, last;
  insertionPoint(list, first, last);
  const DWORD n = size(block);
  store(block + kBlockMark1, kFirstMark);
  store(block + kBlockMark2, kSecondMark);
  store(block + kUserOffset + n, kFirstMark);
  store(block + kUserOffset + 4 + n, kSecondMark);
  if (!first) {
    store(block + kBlockNext, block);
    store(block + kBlockPrev, block);
  } else {
    store(block + kBlockNext, first);
    store(block + kBlockPrev, last);
    store(last + kBlockNext, block);
    store(first + kBlockPrev, block);
  }
  store(base_ + list, block);
}

void Heap::remove(HeaderField list, DWORD block) {
  const DWORD after = next(block);
  const DWORD before = load(block + kBlockPrev);
  follow(after);
  follow(before);
  if (head(list) == block) store(base_ + list, after == block ? 0 : after);
  store(before + kBlockNext, after);
  store(after + kBlockPrev, before);
  store(block + kBlockNext, 0);
  store(block + kBlockPrev, 0);
}

DWORD Heap::bump(DWORD n) {
  const uint64_t bytes = uint64_t{n} + kBlockOverhead;
  if (top_ >= end_ || bytes > end_ - top_) return 0;
  DWORD first, last;
  insertionPoint(kUsedList, first, last);  // a damaged used list faults before top moves
  const DWORD block = top_;
  top_ = static_cast<DWORD>(top_ + bytes);
  store(base_ + kHeapTop, top_);
  std::memset(at(block), 0, static_cast<size_t>(bytes));
  setSize(block, n);
  insert(kUsedList, block);
  return block;
}

void Heap::reset() {
  top_ = base_ + kHeaderBytes;
  store(base_ + kHeapTop, top_);
  store(base_ + kFreeList, 0);
}

}  // namespace kv::shm
