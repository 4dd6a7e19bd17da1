// Handle arrays and linked lists, and the movable global blocks the arrays live in.
#include <gtest/gtest.h>
#include <korvane/korvane.h>

#include <cstdint>
#include <cstring>
#include <vector>

namespace {

// The array's elements read as 32-bit values (element size 4).
std::vector<int32_t> contents(HGLOBAL array) {
  auto* header = static_cast<ARYHEADER*>(GlobalLock(array));
  std::vector<int32_t> values(static_cast<size_t>(header->lCount));
  std::memcpy(values.data(), header + 1, values.size() * sizeof(int32_t));
  GlobalUnlock(array);
  return values;
}

HGLOBAL arrayOf(std::vector<int32_t> values) {
  HGLOBAL array = ARYArrayAlloc(4, static_cast<int>(values.size()));
  for (size_t i = 0; i < values.size(); ++i) {
    *static_cast<int32_t*>(ARYArrayLock(array, static_cast<int>(i))) = values[i];
    ARYArrayUnlock(array);
  }
  return array;
}

TEST(GlobalBlocks, LockCountsAndResults) {
  HGLOBAL movable = GlobalAlloc(GHND, 16);
  ASSERT_NE(movable, nullptr);
  EXPECT_EQ(GlobalSize(movable), 16u);
  auto* p = static_cast<char*>(GlobalLock(movable));
  ASSERT_NE(p, nullptr);
  EXPECT_EQ(p[15], 0);
  EXPECT_EQ(GlobalLock(movable), p);
  EXPECT_EQ(GlobalFlags(movable) & GMEM_LOCKCOUNT, 2u);
  EXPECT_EQ(GlobalHandle(p), movable);
  EXPECT_TRUE(GlobalUnlock(movable));  // still locked once
  SetLastError(1234);
  EXPECT_FALSE(GlobalUnlock(movable));  // reached 0
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(NO_ERROR));
  EXPECT_FALSE(GlobalUnlock(movable));  // was not locked
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NOT_LOCKED));

  // A locked block grows only where it is; GMEM_MOVEABLE lets it move. Our platform layer
  // never grows a block in place, Windows does when the heap has room behind it.
  GlobalLock(movable);
  HGLOBAL inPlace = GlobalReAlloc(movable, 64, 0);
#if !defined(_WIN32)
  EXPECT_EQ(inPlace, nullptr);
#endif
  EXPECT_EQ(GlobalSize(movable), inPlace ? 64u : 16u);
  EXPECT_EQ(GlobalReAlloc(movable, 64, GMEM_MOVEABLE), movable);
  EXPECT_EQ(GlobalSize(movable), 64u);
  EXPECT_EQ(GlobalReAlloc(movable, 0, GMEM_MOVEABLE), nullptr);  // locked: not discarded
  GlobalUnlock(movable);
  EXPECT_EQ(GlobalReAlloc(movable, 0, GMEM_MOVEABLE), movable);  // discarded
  EXPECT_EQ(GlobalLock(movable), nullptr);
  EXPECT_EQ(GlobalFlags(movable) & GMEM_DISCARDED, static_cast<UINT>(GMEM_DISCARDED));
  EXPECT_EQ(GlobalFree(movable), nullptr);
  EXPECT_EQ(GlobalFree(movable), movable);  // no longer a block
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));

  HGLOBAL fixed = GlobalAlloc(GPTR, 8);
  EXPECT_EQ(GlobalLock(fixed), fixed);  // a fixed block's handle is its address
  EXPECT_TRUE(GlobalUnlock(fixed));
  // A fixed block moves only when allowed; Windows may grow it where it is.
  HGLOBAL stayed = GlobalReAlloc(fixed, 4096, 0);
  EXPECT_TRUE(stayed == nullptr || stayed == fixed);
#if !defined(_WIN32)
  EXPECT_EQ(stayed, nullptr);
#endif
  if (!stayed) {
    HGLOBAL moved = GlobalReAlloc(fixed, 4096, GMEM_MOVEABLE | GMEM_ZEROINIT);
    ASSERT_NE(moved, nullptr);
#if !defined(_WIN32)
    EXPECT_NE(moved, fixed);  // our layer always moves a growing block
#endif
    EXPECT_EQ(static_cast<char*>(moved)[4095], 0);
    fixed = moved;
  }
  EXPECT_EQ(LocalFree(fixed), nullptr);  // local and global blocks are one kind

#if !defined(_WIN32)
  // Our platform layer knows every block it made and refuses the rest; Windows takes any
  // pointer for a fixed block and lets unknown flags pass.
  int notABlock = 0;
  EXPECT_EQ(GlobalLock(&notABlock), nullptr);
  EXPECT_EQ(GlobalSize(&notABlock), 0u);
  EXPECT_EQ(GlobalFlags(&notABlock), static_cast<UINT>(GMEM_INVALID_HANDLE));
  EXPECT_EQ(GlobalAlloc(0x80000, 4), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
  EXPECT_EQ(LocalAlloc(GMEM_SHARE, 4), nullptr);  // valid for global blocks only
#endif
}

TEST(HandleArrays, AllocSizeAndLock) {
  EXPECT_EQ(ARYArrayAlloc(0, 3), nullptr);
  EXPECT_EQ(ARYArrayAlloc(4, -1), nullptr);
  EXPECT_EQ(ARYArrayAlloc(0x7FFFFFFF, 0x7FFFFFFF), nullptr);  // no memory: refused, not a crash
  HGLOBAL empty = ARYArrayAlloc(4, 0);
  ASSERT_NE(empty, nullptr);
  EXPECT_EQ(ARYArrayLock(empty, 0), nullptr);
  EXPECT_EQ(GlobalFlags(empty) & GMEM_LOCKCOUNT, 0u);  // refused lock leaves it unlocked
  EXPECT_EQ(ARYArrayFree(empty), nullptr);

  HGLOBAL array = ARYArrayAlloc(8, 3);
  EXPECT_EQ(ARYArraySize(array), 0x00030008u);
  EXPECT_EQ(GlobalSize(array), 8u + 3 * 8);
  auto* header = static_cast<ARYHEADER*>(GlobalLock(array));
  EXPECT_EQ(header->lElemSize, 8);
  EXPECT_EQ(header->lCount, 3);
  for (int i = 0; i < 24; ++i) EXPECT_EQ(reinterpret_cast<char*>(header + 1)[i], 0);
  auto* second = static_cast<char*>(ARYArrayLock(array, 1));
  EXPECT_EQ(second, reinterpret_cast<char*>(header + 1) + 8);
  EXPECT_EQ(GlobalFlags(array) & GMEM_LOCKCOUNT, 2u);
  EXPECT_EQ(ARYArrayLock(array, 3), nullptr);
  EXPECT_EQ(ARYArrayLock(array, -1), nullptr);
  EXPECT_EQ(GlobalFlags(array) & GMEM_LOCKCOUNT, 2u);
  EXPECT_TRUE(ARYArrayUnlock(array));
  EXPECT_FALSE(ARYArrayUnlock(array));
  EXPECT_EQ(ARYArrayFree(array), nullptr);

  // Not arrays: null, a block too small for a header, a header that overstates the count.
  HGLOBAL small = GlobalAlloc(GHND, 4);
  HGLOBAL lying = GlobalAlloc(GHND, 16);
  auto* lie = static_cast<ARYHEADER*>(GlobalLock(lying));
  lie->lElemSize = 4;
  lie->lCount = 3;
  GlobalUnlock(lying);
  for (HGLOBAL bad : {static_cast<HGLOBAL>(nullptr), small, lying}) {
    EXPECT_EQ(ARYArraySize(bad), 0u);
    EXPECT_EQ(ARYArrayLock(bad, 0), nullptr);
    EXPECT_EQ(ARYArrayInsert(bad, 0), nullptr);
    EXPECT_EQ(ARYArrayDelete(bad, 0), nullptr);
  }
  EXPECT_EQ(GlobalSize(lying), 16u);
  GlobalFree(small);
  GlobalFree(lying);
}

TEST(HandleArrays, InsertKeepsOrderAndClearsTheNewElement) {
  struct Case {
    int index;
    std::vector<int32_t> expected;
  };
  const Case cases[] = {
      {0, {0, 1, 2, 3}},  {1, {1, 0, 2, 3}},  {3, {1, 2, 3, 0}},
      {-1, {1, 2, 3, 0}}, {4, {1, 2, 3, 0}},  {1000, {1, 2, 3, 0}},
  };
  for (const Case& c : cases) {
    HGLOBAL array = arrayOf({1, 2, 3});
    HGLOBAL grown = ARYArrayInsert(array, c.index);
    ASSERT_NE(grown, nullptr) << c.index;
    EXPECT_EQ(contents(grown), c.expected) << c.index;
    EXPECT_EQ(ARYArraySize(grown), 0x00040004u);
    ARYArrayFree(grown);
  }
}

TEST(HandleArrays, GrowingMovesTheElements) {
  HGLOBAL array = arrayOf({7});
  void* before = ARYArrayLock(array, 0);
  ARYArrayUnlock(array);
  HGLOBAL grown = ARYArrayInsert(array, 1);
  ASSERT_NE(grown, nullptr);
  void* after = ARYArrayLock(grown, 0);
  ARYArrayUnlock(grown);
#if !defined(_WIN32)
  // Our platform layer always moves a growing block, so a pointer kept across the insert
  // is caught as stale; Windows may grow it in place.
  EXPECT_NE(after, before);
#else
  EXPECT_NE(after, nullptr);
  (void)before;
#endif
  EXPECT_EQ(contents(grown), (std::vector<int32_t>{7, 0}));
  ARYArrayFree(grown);
}

TEST(HandleArrays, DeleteFromEachPlace) {
  struct Case {
    int index;
    std::vector<int32_t> expected;
  };
  const Case cases[] = {
      {0, {2, 3, 4}}, {1, {1, 3, 4}}, {3, {1, 2, 3}}, {-1, {1, 2, 3}}, {4, {1, 2, 3}},
  };
  for (const Case& c : cases) {
    HGLOBAL array = arrayOf({1, 2, 3, 4});
    HGLOBAL shrunk = ARYArrayDelete(array, c.index);
    ASSERT_NE(shrunk, nullptr) << c.index;
    EXPECT_EQ(contents(shrunk), c.expected) << c.index;
    EXPECT_EQ(GlobalSize(shrunk), 8u + 3 * 4);
    ARYArrayFree(shrunk);
  }
  HGLOBAL empty = ARYArrayAlloc(4, 0);
  EXPECT_EQ(ARYArrayDelete(empty, 0), empty);  // stays as it is
  EXPECT_EQ(ARYArraySize(empty), 0x00000004u);
  ARYArrayFree(empty);
}

// The list's values from first to last, checked against the walk from last to first.
std::vector<DWORD_PTR> values(LPLISTHEADER list) {
  std::vector<DWORD_PTR> forward, backward;
  for (LPLISTNODE n = list->pFirst; n; n = n->pNext) forward.push_back(n->dwValue);
  for (LPLISTNODE n = list->pLast; n; n = n->pPrev) backward.insert(backward.begin(), n->dwValue);
  EXPECT_EQ(forward, backward);
  EXPECT_EQ(forward.size(), static_cast<size_t>(list->lCount));
  return forward;
}

TEST(Lists, AppendIndexAndDelete) {
  struct Case {
    int deleteAt;
    std::vector<DWORD_PTR> expected;
  };
  const Case cases[] = {{0, {20, 30}}, {1, {10, 30}}, {2, {10, 20}}};
  for (const Case& c : cases) {
    LPLISTHEADER list = ListCreateHeader();
    ASSERT_NE(list, nullptr);
    for (DWORD_PTR v : {10, 20, 30}) ASSERT_NE(ListAppendNode(list, v), nullptr);
    EXPECT_EQ(ListIndexNode(list, 1)->dwValue, 20u);
    EXPECT_EQ(*reinterpret_cast<DWORD*>(ListIndexNode(list, 2)), 30u);  // the value is the first word
    EXPECT_EQ(ListIndexNode(list, 3), nullptr);
    EXPECT_EQ(ListIndexNode(list, -1), nullptr);
    EXPECT_EQ(ListDeleteNode(list, ListIndexNode(list, c.deleteAt)), 1);
    EXPECT_EQ(values(list), c.expected) << c.deleteAt;
    EXPECT_EQ(ListDestroyList(list, 1), nullptr);
  }
}

TEST(Lists, OnlyNodeEmptyListAndBadInput) {
  LPLISTHEADER list = ListCreateHeader();
  LPLISTNODE only = ListAppendNode(list, 5);
  EXPECT_EQ(list->pFirst, only);
  EXPECT_EQ(list->pLast, only);
  EXPECT_EQ(ListDeleteNode(list, only), 1);
  EXPECT_EQ(list->lCount, 0);
  EXPECT_EQ(list->pFirst, nullptr);
  EXPECT_EQ(list->pLast, nullptr);
  EXPECT_EQ(ListIndexNode(list, 0), nullptr);

  LPLISTHEADER other = ListCreateHeader();
  LPLISTNODE foreign = ListAppendNode(other, 1);
  ListAppendNode(list, 2);
  EXPECT_EQ(ListDeleteNode(list, foreign), 0);  // not in this list: both lists unharmed
  EXPECT_EQ(ListDeleteNode(list, nullptr), 0);
  EXPECT_EQ(ListDeleteNode(nullptr, foreign), 0);
  EXPECT_EQ(values(other), std::vector<DWORD_PTR>{1});
  EXPECT_EQ(ListAppendNode(nullptr, 1), nullptr);
  EXPECT_EQ(ListIndexNode(nullptr, 0), nullptr);
  EXPECT_EQ(ListDestroyList(nullptr, 1), nullptr);

  EXPECT_EQ(ListDestroyList(list, 0), list);  // emptied, kept
  EXPECT_EQ(values(list), std::vector<DWORD_PTR>{});
  EXPECT_EQ(ListDeleteNode(list, foreign), 0);  // empty list
  ListDestroyList(list, 1);
  ListDestroyList(other, 1);
}

}  // namespace
