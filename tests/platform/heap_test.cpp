// The process heap refuses what is not one of its blocks and keeps content on growth.
#include <gtest/gtest.h>
#include <korvane/win32.h>

#include <cstring>

namespace {

TEST(Heap, RefusesForeignPointers) {
  HANDLE heap = GetProcessHeap();
  int onStack = 0;
  EXPECT_EQ(HeapSize(heap, 0, &onStack), static_cast<SIZE_T>(-1));
  EXPECT_FALSE(HeapFree(heap, 0, &onStack));
  EXPECT_EQ(HeapReAlloc(heap, 0, &onStack, 16), nullptr);
  EXPECT_EQ(HeapSize(heap, 0, nullptr), static_cast<SIZE_T>(-1));
  EXPECT_TRUE(HeapFree(heap, 0, nullptr));

  void* block = HeapAlloc(heap, 0, 10);
  ASSERT_NE(block, nullptr);
  EXPECT_EQ(HeapSize(heap, 0, static_cast<char*>(block) + 1), static_cast<SIZE_T>(-1));  // inside
  EXPECT_EQ(HeapAlloc(reinterpret_cast<HANDLE>(&onStack), 0, 10), nullptr);             // other heap
  EXPECT_TRUE(HeapFree(heap, 0, block));
  EXPECT_FALSE(HeapFree(heap, 0, block));  // a second free is refused, not a corruption
}

TEST(Heap, ReAllocKeepsContentAndZeroFillsGrowth) {
  HANDLE heap = GetProcessHeap();
  auto* p = static_cast<char*>(HeapAlloc(heap, HEAP_ZERO_MEMORY, 0));
  ASSERT_NE(p, nullptr);
  EXPECT_EQ(HeapSize(heap, 0, p), 0u);
  p = static_cast<char*>(HeapReAlloc(heap, 0, p, 8));
  ASSERT_NE(p, nullptr);
  std::memcpy(p, "content", 8);
  for (SIZE_T size : {SIZE_T{64}, SIZE_T{4096}, SIZE_T{100000}}) {
    SIZE_T old = HeapSize(heap, 0, p);
    std::memset(p + 8, 'x', old - 8);  // dirt that must not show up in the new bytes
    p = static_cast<char*>(HeapReAlloc(heap, HEAP_ZERO_MEMORY, p, size));
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(HeapSize(heap, 0, p), size);
    EXPECT_STREQ(p, "content");
    SIZE_T zeros = 0;
    for (SIZE_T i = old; i < size; ++i) zeros += p[i] == 0;
    EXPECT_EQ(zeros, size - old) << size;
  }
  EXPECT_EQ(HeapReAlloc(heap, HEAP_REALLOC_IN_PLACE_ONLY, p, 200000), nullptr);
  EXPECT_EQ(HeapReAlloc(heap, HEAP_REALLOC_IN_PLACE_ONLY, p, 16), p);
  EXPECT_EQ(HeapSize(heap, 0, p), 16u);
  EXPECT_TRUE(HeapFree(heap, 0, p));
}

}  // namespace
