// The shared heap within one process: layout, first fit, coalescing, exhaustion, the
// checks and the fault guard.
#include "memory/memory_state.h"

#include <gtest/gtest.h>
#include <korvane/korvane.h>

#include <dirent.h>
#include <sys/mman.h>
#include <unistd.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

// Every run of this program gets shared objects of its own, and removes them at the end.
struct ShmPrefix : ::testing::Environment {
  std::string tag = "kvt-" + std::to_string(getpid()) + "-";
  void SetUp() override { setenv("KORVANE_SHM_PREFIX", ("/" + tag).c_str(), 1); }
  void TearDown() override {
    std::vector<std::string> names;
    DIR* dir = opendir("/dev/shm");
    while (dirent* entry = dir ? readdir(dir) : nullptr) {
      if (std::strncmp(entry->d_name, tag.c_str(), tag.size()) == 0) names.push_back(entry->d_name);
    }
    if (dir) closedir(dir);
    for (const auto& name : names) shm_unlink(("/" + name).c_str());
  }
};
const auto* const gPrefix = ::testing::AddGlobalTestEnvironment(new ShmPrefix);

constexpr DWORD M1 = 0x78563412, M2 = 0xF1DEBC9A;
constexpr DWORD kSize = 0x10000;

DWORD at(DWORD address) {
  DWORD v;
  std::memcpy(&v, reinterpret_cast<void*>(static_cast<uintptr_t>(address)), 4);
  return v;
}
void put(DWORD address, DWORD v) { std::memcpy(reinterpret_cast<void*>(static_cast<uintptr_t>(address)), &v, 4); }
DWORD addr(const void* p) { return static_cast<DWORD>(reinterpret_cast<uintptr_t>(p)); }
void* ptr(DWORD address) { return reinterpret_cast<void*>(static_cast<uintptr_t>(address)); }

class SharedHeap : public ::testing::Test {
 protected:
  void SetUp() override {
    BOOL created = -1;
    void* view = MemSharedInit(&created, kSize);
    ASSERT_EQ(view, ptr(0x40000000));
    ASSERT_EQ(created, TRUE);  // the previous test's last close removed its mapping
    ASSERT_EQ(MemSharedInitHeap(view, kSize, TRUE), 1);
    B = addr(view);
  }
  void TearDown() override { MemSharedTerminate(); }
  void relayout(DWORD size = kSize) { ASSERT_EQ(MemSharedInitHeap(ptr(B), size, TRUE), 1); }
  DWORD top() { return at(B + 12); }
  DWORD freeHead() { return at(B + 20); }
  DWORD usedHead() { return at(B + 24); }
  DWORD alloc(DWORD n) { return addr(MemSharedAlloc(n)); }
  DWORD B = 0;
};

TEST_F(SharedHeap, HeaderAndFirstBlockStandAtTheirAddresses) {
  const DWORD header[] = {M1, kSize, B, B + 32, B + kSize, 0, 0, M2};
  for (DWORD i = 0; i < 8; ++i) EXPECT_EQ(at(B + 4 * i), header[i]) << "field " << i;

  auto* p = static_cast<unsigned char*>(MemSharedAlloc(100));
  ASSERT_EQ(addr(p), B + 52);
  EXPECT_EQ(top(), B + 160);
  EXPECT_EQ(usedHead(), B + 32);
  const DWORD block[][2] = {{B + 32, M1}, {B + 36, B + 32}, {B + 40, B + 32}, {B + 44, 100},
                            {B + 48, M2}, {B + 152, M1}, {B + 156, M2}};
  for (auto& [where, value] : block) EXPECT_EQ(at(where), value) << std::hex << where - B;
  for (int i = 0; i < 100; ++i) ASSERT_EQ(p[i], 0);

  MemSharedFree(p);  // the last used block: reset
  EXPECT_EQ(top(), B + 32);
  EXPECT_EQ(freeHead(), 0u);
  EXPECT_EQ(usedHead(), 0u);

  DWORD empty = alloc(0);
  EXPECT_EQ(empty, B + 52);
  EXPECT_EQ(top(), B + 60);
  EXPECT_EQ(MemSharedCheck(ptr(empty)), 1);
}

TEST_F(SharedHeap, FirstFitTakesExactFitsAndSplitsOnlyWithRoomToSpare) {
  // A free block of size 60 at B+32, a used one of 10 above it, top at B+158.
  struct Case { DWORD n, result, freeHead, freeSize; };
  const Case cases[] = {
      {60, B + 52, 0, 0},                // exact fit
      {19, B + 52, B + 32 + 47, 13},     // split: the rest becomes the free head
      {20, B + 178, B + 32, 60},         // larger by 40: passed over, served from top
      {59, B + 178, B + 32, 60},
      {61, B + 178, B + 32, 60},         // too small
  };
  for (const Case& c : cases) {
    relayout();
    DWORD a = alloc(60);
    alloc(10);
    MemSharedFree(ptr(a));
    ASSERT_EQ(top(), B + 158);
    DWORD p = alloc(c.n);
    EXPECT_EQ(p, c.result) << c.n;
    EXPECT_EQ(at(p - 8), c.n) << c.n;
    EXPECT_EQ(freeHead(), c.freeHead) << c.n;
    if (c.freeHead) {
      EXPECT_EQ(at(c.freeHead + 12), c.freeSize) << c.n;
    }
    EXPECT_EQ(MemSharedCheckAll(), 1) << c.n;
  }
}

TEST_F(SharedHeap, FreeingNeighboursCoalescesInBothDirections) {
  // Blocks of 10, 20 and 30 bytes at B+32, B+70, B+118, a kept block above them.
  struct Case { std::vector<int> order; DWORD size; };
  const Case cases[] = {
      {{0, 1}, 10 + 20 + 28},           // the upper one merges into the lower
      {{1, 0}, 10 + 20 + 28},           // the lower one absorbs its upper neighbour
      {{0, 2, 1}, 10 + 20 + 30 + 56},   // the middle one joins both
  };
  for (const Case& c : cases) {
    relayout();
    DWORD p[] = {alloc(10), alloc(20), alloc(30), alloc(1)};
    for (int i : c.order) MemSharedFree(ptr(p[i]));
    EXPECT_EQ(freeHead(), B + 32);
    EXPECT_EQ(at(B + 32 + 12), c.size);
    EXPECT_EQ(at(B + 32 + 4), B + 32) << "one free block";
    EXPECT_EQ(MemSharedCheckAll(), 1);
    EXPECT_EQ(top(), p[3] + 1 + 8);
  }
}

TEST_F(SharedHeap, ExhaustionChangesNothing) {
  relayout(32 + 100);
  EXPECT_EQ(alloc(73), 0u);
  EXPECT_EQ(alloc(0xFFFFFFFF), 0u);
  EXPECT_EQ(top(), B + 32);
  DWORD all = alloc(72);  // exactly the rest
  EXPECT_EQ(all, B + 52);
  EXPECT_EQ(top(), B + 132);
  EXPECT_EQ(alloc(0), 0u);
  EXPECT_EQ(usedHead(), B + 32);
  EXPECT_EQ(at(B + 32 + 4), B + 32);
}

TEST_F(SharedHeap, DamagedMarksAreFoundByBothChecksAndMendedByFree) {
  auto* p = static_cast<char*>(MemSharedAlloc(16));
  void* q = MemSharedAlloc(8);
  EXPECT_EQ(MemSharedCheck(nullptr), 1);
  EXPECT_EQ(MemSharedCheck(p), 1);
  EXPECT_EQ(MemSharedCheckAll(), 1);
  p[16] = 0;  // one byte past the user bytes
  EXPECT_EQ(MemSharedCheck(p), 0);
  EXPECT_EQ(MemSharedCheck(q), 1);
  EXPECT_EQ(MemSharedCheckAll(), 0);
  MemSharedFree(p);  // still a used block: freed, and its marks stamped again
  EXPECT_EQ(MemSharedCheckAll(), 1);
  put(addr(p) - 20 + 16, 0);  // the second mark of a free block's header
  EXPECT_EQ(MemSharedCheckAll(), 0);
  int local = 0;
  EXPECT_EQ(MemSharedCheck(&local), 0);  // outside the heap: not read
}

TEST_F(SharedHeap, DamagedLinksFailTheOperationWithoutAFault) {
  // Used list c -> b -> a; a free block f of 50 bytes. Each case damages one next link.
  for (int kind = 0; kind < 3; ++kind) {
    relayout();
    DWORD f = alloc(50), a = alloc(10), b = alloc(20);
    alloc(30);
    MemSharedFree(ptr(f));
    const DWORD topBefore = top();
    if (kind == 0) put(b - 16, 0x7FFF0000);  // far outside the heap
    if (kind == 1) put(b - 16, b - 20);      // a loop that never comes back to the head
    if (kind == 2) put(f - 16, b - 12);      // into the middle of a block
    EXPECT_EQ(MemSharedCheckAll(), 0) << kind;
    if (kind < 2) {
      MemSharedFree(ptr(a));  // cannot be found on the used list: nothing happens
      EXPECT_NE(at(a - 16), 0u) << kind;
    } else {
      EXPECT_EQ(alloc(60), 0u);  // the free list is walked first
      EXPECT_EQ(top(), topBefore);
    }
    EXPECT_EQ(MemReleaseMutex(), 0) << "released after each fault " << kind;
  }
  put(B, 0);  // a header without its mark: nothing works
  EXPECT_EQ(alloc(1), 0u);
  EXPECT_EQ(MemSharedCheckAll(), 0);
}

TEST_F(SharedHeap, FreeRefusesWhatIsNotAUsedBlock) {
  DWORD p = alloc(40), keep = alloc(8);
  MemSharedFree(ptr(p));
  const DWORD before[] = {top(), freeHead(), usedHead(), at(p - 20 + 12)};
  int local = 0;
  for (void* bad : {ptr(p), ptr(p + 4), ptr(keep + 1), static_cast<void*>(&local), ptr(B)}) {
    MemSharedFree(bad);
    const DWORD after[] = {top(), freeHead(), usedHead(), at(p - 20 + 12)};
    EXPECT_TRUE(std::equal(std::begin(before), std::end(before), after)) << bad;
  }
  EXPECT_EQ(MemSharedCheckAll(), 1);
  MemSharedFree(ptr(keep));
  EXPECT_EQ(top(), B + 32);
}

TEST_F(SharedHeap, HeaderIsVerifiedAndOneAttachmentIsAllowed) {
  EXPECT_EQ(MemSharedInitHeap(ptr(B), kSize, FALSE), 1);
  EXPECT_EQ(MemSharedInitHeap(ptr(B), kSize - 4, FALSE), 0);
  EXPECT_EQ(alloc(1), 0u) << "the recorded size no longer matches the header";
  EXPECT_EQ(MemSharedInitHeap(ptr(B), kSize, FALSE), 1);
  EXPECT_EQ(MemSharedInitHeap(nullptr, kSize, TRUE), 0);
  EXPECT_EQ(MemSharedInitHeap(ptr(B), 31, TRUE), 0);  // no room for the header
  EXPECT_EQ(MemSharedInitHeap(ptr(B + 16), kSize, TRUE), 0);  // past the end of the view
  BOOL created = -1;
  EXPECT_EQ(MemSharedInit(&created, kSize), nullptr);
  EXPECT_EQ(created, -1);
  EXPECT_EQ(MemSharedInitHeap(ptr(B), kSize, FALSE), 1);
  EXPECT_NE(alloc(1), 0u) << "the first attachment still works";
}

}  // namespace
