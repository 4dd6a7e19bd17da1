// The shared heap's layout and the checked access to it. The region holds 32-bit
// little-endian fields and absolute 32-bit addresses, the same in every process attached
// to it; fields may stand at unaligned addresses.
#pragma once

#include <korvane/memory.h>

#include <cstdint>
#include <cstring>

namespace kv::shm {

constexpr DWORD kFirstMark = 0x78563412;
constexpr DWORD kSecondMark = 0xF1DEBC9A;
constexpr DWORD kHeaderBytes = 32;
constexpr DWORD kBlockOverhead = 28;  // header 20, trailer 8
constexpr DWORD kUserOffset = 20;
// A free block larger than a request is split only when it is larger by more than this;
// one larger by only 1 to 40 bytes is passed over.
constexpr DWORD kSplitSlack = 40;

constexpr LPCSTR kMappingName = "KADMOS_SHARED_MEM";
constexpr LPCSTR kMutexName = "KADMOS_SHARED_MEM_MUTEX";
constexpr DWORD kMutexWaitMs = 20000;

// Offsets in the heap header; the two list heads double as list names.
enum HeaderField : DWORD {
  kHeapMark1 = 0,
  kHeapSize = 4,
  kHeapBase = 8,
  kHeapTop = 12,
  kHeapEnd = 16,
  kFreeList = 20,
  kUsedList = 24,
  kHeapMark2 = 28,
};

// Offsets in a block; the trailer's marks follow the user bytes.
enum BlockField : DWORD {
  kBlockMark1 = 0,
  kBlockNext = 4,
  kBlockPrev = 8,
  kBlockSize = 12,
  kBlockMark2 = 16,
};

static_assert(__BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__, "the region's fields are little-endian");

inline void* at(DWORD address) { return reinterpret_cast<void*>(static_cast<uintptr_t>(address)); }

inline DWORD load(DWORD address) {
  DWORD value;
  std::memcpy(&value, at(address), sizeof value);
  return value;
}

inline void store(DWORD address, DWORD value) { std::memcpy(at(address), &value, sizeof value); }

// Raised inside the library when the region turns out to be damaged; it never leaves the
// function that caught it.
struct HeapFault {};

// The calling process's heap, checked before anything in it is followed or changed:
// every address must lie in the heap's used part [base + 32, top) with its marks in
// place, and no list walk may meet more blocks than fit there. Callers own the mutex.
class Heap {
 public:
  // Reads the recorded heap's header; faults when there is none or it is not intact.
  Heap();

  DWORD base() const { return base_; }
  DWORD top() const { return top_; }
  DWORD head(HeaderField list) const { return load(base_ + list); }
  DWORD next(DWORD block) const { return load(block + kBlockNext); }
  DWORD size(DWORD block) const { return load(block + kBlockSize); }
  void setSize(DWORD block, DWORD n) { store(block + kBlockSize, n); }

  // Faults unless a block whose header marks are intact lies wholly at that address.
  void follow(DWORD block) const;
  // All four marks of a block that follow() accepted.
  bool intact(DWORD block) const;

  // Calls visit(block) along next from the list's head until the walk comes back to the
  // head, meets a 0 link, or visit returns false.
  template <class Visit>
  void walk(HeaderField list, Visit visit) const {
    DWORD first = head(list);
    if (!first) return;
    DWORD block = first;
    DWORD seen = 0;
    do {
      follow(block);
      if (!visit(block)) return;
      if (++seen > capacity()) throw HeapFault{};  // a loop that misses the head
      block = next(block);
    } while (block != 0 && block != first);
  }

  // Stamps the block's marks (with the size it holds) and makes it the list's head.
  void insert(HeaderField list, DWORD block);
  // Unlinks the block, which the caller found on that list.
  void remove(HeaderField list, DWORD block);

  // Hands out n + 28 bytes at top, zeroed and on the used list; 0 when they do not fit.
  DWORD bump(DWORD n);
  // Back to empty: every byte is handed out by bump allocation again.
  void reset();

 private:
  DWORD capacity() const { return (top_ - base_ - kHeaderBytes) / kBlockOverhead; }
  // The list's head and its last block, checked, before anything is changed.
  void insertionPoint(HeaderField list, DWORD& first, DWORD& last) const;

  DWORD base_;
  DWORD top_;
  DWORD end_;
};

// Security attributes for the shared objects: a descriptor with a present, null access
// list, handles inheritable. Stands for none (null) when the descriptor cannot be made.
class ObjectAttributes {
 public:
  ObjectAttributes();
  ~ObjectAttributes();
  ObjectAttributes(const ObjectAttributes&) = delete;
  ObjectAttributes& operator=(const ObjectAttributes&) = delete;
  LPSECURITY_ATTRIBUTES get() { return ready_ ? &attributes_ : nullptr; }
  // Gives the descriptor back once the object is created.
  void release();

 private:
  SECURITY_ATTRIBUTES attributes_{};
  void* descriptor_;
  bool ready_ = false;
};

}  // namespace kv::shm
