// Counted critical sections given up and taken back across a wait.
#include "memory/cr_lock.h"

#include <gtest/gtest.h>
#include <korvane/korvane.h>

#include <thread>

namespace {

// True when another thread can take the lock right now (and gives it back at once).
bool freeForOthers(CR_SECT* lock) {
  bool taken = false;
  std::thread other([&] {
    if (TryEnterCriticalSection(&lock->cs)) {
      taken = true;
      LeaveCriticalSection(&lock->cs);
    }
  });
  other.join();
  return taken;
}

TEST(CriticalSection, UnwindAndRewindKeepTheDepth) {
  CRSect lock;
  EXPECT_EQ(CR_LockCount(&lock), 0);
  EXPECT_EQ(CR_Unwind(&lock), 0);  // not held: nothing to give up
  EXPECT_TRUE(freeForOthers(&lock));

  kv::crEnter(&lock);
  kv::crEnter(&lock);
  kv::crEnter(&lock);
  EXPECT_EQ(CR_LockCount(&lock), 3);
  EXPECT_FALSE(freeForOthers(&lock));

  const LONG depth = CR_Unwind(&lock);
  EXPECT_EQ(depth, 3);
  EXPECT_EQ(lock.lCount, 0);
  EXPECT_TRUE(freeForOthers(&lock));  // really free in between

  CR_Rewind(&lock, depth);
  EXPECT_EQ(CR_LockCount(&lock), 3);
  EXPECT_FALSE(freeForOthers(&lock));
  for (int i = 0; i < 3; ++i) kv::crLeave(&lock);
  EXPECT_TRUE(freeForOthers(&lock));
}

TEST(CriticalSection, NoLockAndEmptyDepthsTouchNothing) {
  EXPECT_EQ(CR_Unwind(nullptr), 0);
  EXPECT_EQ(CR_Unwind(reinterpret_cast<CR_SECT*>(static_cast<UINT_PTR>(0xFFFFFFFF))), 0);
  CRSect lock;
  CR_Rewind(&lock, 0);
  CR_Rewind(&lock, -2);
  EXPECT_EQ(CR_LockCount(&lock), 0);
  EXPECT_TRUE(freeForOthers(&lock));
}

TEST(CriticalSection, ScopeObjectReleasesOnEveryWayOut) {
  CRSect lock;
  auto early = [&](bool leave) {
    kv::CrLock hold(&lock);
    if (leave) return lock.lCount;
    kv::CrLock again(&lock);
    return lock.lCount;
  };
  EXPECT_EQ(early(true), 1);
  EXPECT_EQ(early(false), 2);
  EXPECT_EQ(CR_LockCount(&lock), 0);
  EXPECT_TRUE(freeForOthers(&lock));
}

}  // namespace
