// Local memory blocks and the main lock around them.
#include "memory/cr_lock.h"

#include <gtest/gtest.h>
#include <korvane/korvane.h>

#include <dlfcn.h>

#include <cstring>
#include <functional>

namespace {
// Runs inside the process heap's allocation call, on the allocating thread.
std::function<void()> gInsideHeapAlloc;
}  // namespace

// Interposes the platform's HeapAlloc for this test program, so a test can look at the
// lock from inside a library call; every call is passed on unchanged.
extern "C" LPVOID WINAPI HeapAlloc(HANDLE heap, DWORD flags, SIZE_T bytes) {
  using Fn = LPVOID(WINAPI*)(HANDLE, DWORD, SIZE_T);
  static Fn next = reinterpret_cast<Fn>(dlsym(RTLD_NEXT, "HeapAlloc"));
  if (gInsideHeapAlloc) gInsideHeapAlloc();
  return next(heap, flags, bytes);
}

namespace {

TEST(LocalMemory, AllocationsAreZeroFilledAndSized) {
  EXPECT_EQ(MemAlloc(0), nullptr);
  auto* one = static_cast<unsigned char*>(MemAlloc(1));
  ASSERT_NE(one, nullptr);
  EXPECT_EQ(one[0], 0);
  EXPECT_EQ(MemSize(one), 1u);
  MemFree(one);
  MemFree(nullptr);
  EXPECT_EQ(MemSize(nullptr), 0u);
  int notABlock = 0;
  EXPECT_EQ(MemSize(&notABlock), 0xFFFFFFFFu);
  EXPECT_EQ(MemCheck(&notABlock), 0);
  EXPECT_EQ(MemCheck(nullptr), 0);
  EXPECT_EQ(MemCheckAll(), 0);
}

TEST(LocalMemory, ReallocRules) {
  auto* p = static_cast<unsigned char*>(MemRealloc(nullptr, 16));  // as MemAlloc(16)
  ASSERT_NE(p, nullptr);
  EXPECT_EQ(MemSize(p), 16u);
  for (int i = 0; i < 16; ++i) EXPECT_EQ(p[i], 0);
  std::memset(p, 0xAB, 16);

  p = static_cast<unsigned char*>(MemRealloc(p, 4096));  // grows: old bytes kept, rest zero
  ASSERT_NE(p, nullptr);
  EXPECT_EQ(MemSize(p), 4096u);
  for (int i = 0; i < 16; ++i) EXPECT_EQ(p[i], 0xAB) << i;
  for (int i = 16; i < 4096; ++i) ASSERT_EQ(p[i], 0) << i;

  p = static_cast<unsigned char*>(MemRealloc(p, 8));  // shrinks
  ASSERT_NE(p, nullptr);
  EXPECT_EQ(MemSize(p), 8u);
  EXPECT_EQ(p[7], 0xAB);
  p = static_cast<unsigned char*>(MemRealloc(p, 12));  // regrowth is zero again
  EXPECT_EQ(p[8], 0);
  EXPECT_EQ(p[11], 0);

  EXPECT_EQ(MemRealloc(p, 0), nullptr);  // frees
  int notABlock = 0;
  EXPECT_EQ(MemRealloc(&notABlock, 8), nullptr);  // refused, nothing damaged
}

TEST(LocalMemory, HeapCallRunsInsideTheMainLock) {
  const LONG outside = CR_LockCount(gpCRSECTMain);
  LONG inside = -1;
  gInsideHeapAlloc = [&] { inside = CR_LockCount(gpCRSECTMain); };
  void* p = MemAlloc(32);
  gInsideHeapAlloc = nullptr;
  MemFree(p);
  EXPECT_EQ(outside, 0);
  EXPECT_EQ(inside, outside + 1);

  // Held twice by the caller: the lock nests, and CR_Unwind sees all three entries.
  kv::MainLock a;
  kv::MainLock b;
  gInsideHeapAlloc = [&] { inside = CR_LockCount(gpCRSECTMain); };
  p = MemAlloc(8);
  gInsideHeapAlloc = nullptr;
  MemFree(p);
  EXPECT_EQ(inside, 3);
}

}  // namespace
