// Thread-local items: numbering, destructors, and withdrawal from every thread.
#include "memory/cr_lock.h"
#include "memory/thread_map.h"

#include <gtest/gtest.h>
#include <korvane/korvane.h>

#include <algorithm>
#include <condition_variable>
#include <mutex>
#include <thread>
#include <vector>

namespace {

struct Calls {
  std::mutex mutex;
  std::vector<DWORD_PTR> values;
  void add(DWORD_PTR v) {
    std::lock_guard<std::mutex> lock(mutex);
    values.push_back(v);
  }
  std::vector<DWORD_PTR> take() {
    std::lock_guard<std::mutex> lock(mutex);
    return std::exchange(values, {});
  }
} gCalls;

void KV_CALL record(DWORD_PTR value) { gCalls.add(value); }

using Values = std::vector<DWORD_PTR>;

TEST(ThreadItems, NumbersAreHandedOutLowestFirstUntilExhausted) {
  std::vector<DWORD> taken;
  for (DWORD n; (n = TLS_AllocIndex()) != TLS_NO_INDEX;) taken.push_back(n);
  // The library's own start-up took the first three numbers.
  ASSERT_EQ(taken.size(), 97u);
  EXPECT_EQ(taken.front(), 103u);
  EXPECT_EQ(taken.back(), 199u);
  TLS_FreeIndex(150);
  TLS_FreeIndex(120);
  EXPECT_EQ(TLS_AllocIndex(), 120u);
  EXPECT_EQ(TLS_AllocIndex(), 150u);
  EXPECT_EQ(TLS_AllocIndex(), TLS_NO_INDEX);
  for (DWORD n : taken) TLS_FreeIndex(n);
  EXPECT_EQ(TLS_AllocIndex(), 103u);
  TLS_FreeIndex(103);
}

TEST(ThreadItems, DestructorsRunOnceWithTheOldValue) {
  gCalls.take();
  TLS_SetItem(5, 11, record);
  EXPECT_EQ(TLS_GetItem(5), 11u);
  TLS_SetItem(5, 12, record);  // replacing destroys the old value first
  EXPECT_EQ(gCalls.take(), Values{11});
  TLS_Free(5);
  EXPECT_EQ(gCalls.take(), Values{12});
  EXPECT_EQ(TLS_GetItem(5), 0u);
  TLS_Free(5);  // second free: nothing left to destroy
  EXPECT_TRUE(gCalls.take().empty());

  TLS_SetItem(6, 21, nullptr);  // no destructor: cleared without a call
  TLS_Free(6);
  EXPECT_EQ(TLS_GetItem(6), 0u);
  EXPECT_TRUE(gCalls.take().empty());
}

TEST(ThreadItems, FreeAllDestroysInNumberOrderAndStartsAfresh) {
  gCalls.take();
  TLS_SetItem(9, 3, record);
  TLS_SetItem(2, 1, record);
  TLS_SetItem(4, 2, record);
  TLS_FreeAll();
  EXPECT_EQ(gCalls.take(), (Values{1, 2, 3}));
  {
    kv::MainLock lock;
    EXPECT_EQ(kv::gThreadMap.find(GetCurrentThreadId()), nullptr);
  }
  EXPECT_EQ(TLS_GetItem(9), 0u);  // builds a new block and map entry
  kv::MainLock lock;
  EXPECT_NE(kv::gThreadMap.find(GetCurrentThreadId()), nullptr);
}

TEST(ThreadItems, NumbersOutsideTheBlockAreIgnored) {
  for (DWORD n : {200u, 255u, 100000u, 0xFFFFFFFFu}) {
    TLS_SetItem(n, 7, record);
    EXPECT_EQ(TLS_GetItem(n), 0u);
    TLS_Free(n);
    TLS_FreeIndex(n);
  }
  EXPECT_TRUE(gCalls.take().empty());
}

TEST(ThreadItems, FreeIndexReachesEveryLiveThread) {
  const DWORD item = TLS_AllocIndex();
  ASSERT_NE(item, TLS_NO_INDEX);
  gCalls.take();
  std::mutex m;
  std::condition_variable cv;
  int ready = 0;
  bool withdrawn = false;
  std::vector<DWORD_PTR> seenAfter(4, 99);
  std::vector<std::thread> threads;
  for (int t = 0; t < 4; ++t) {
    threads.emplace_back([&, t] {
      TLS_SetItem(item, 1000 + t, record);
      std::unique_lock<std::mutex> lock(m);
      ++ready;
      cv.notify_all();
      cv.wait(lock, [&] { return withdrawn; });
      seenAfter[t] = TLS_GetItem(item);
    });
  }
  {
    std::unique_lock<std::mutex> lock(m);
    cv.wait(lock, [&] { return ready == 4; });
  }
  TLS_SetItem(item, 999, record);
  TLS_FreeIndex(item);
  auto calls = gCalls.take();
  std::sort(calls.begin(), calls.end());
  EXPECT_EQ(calls, (Values{999, 1000, 1001, 1002, 1003}));
  {
    std::lock_guard<std::mutex> lock(m);
    withdrawn = true;
  }
  cv.notify_all();
  for (auto& th : threads) th.join();
  EXPECT_EQ(seenAfter, (Values{0, 0, 0, 0}));
  EXPECT_TRUE(gCalls.take().empty());  // thread ends found nothing left to destroy
  EXPECT_EQ(TLS_AllocIndex(), item);
  TLS_FreeIndex(item);
}

TEST(ThreadItems, ThreadMapSurvivesManyThreads) {
  // More threads than one entry block and bucket chain hold; each leaves the map on exit.
  std::vector<std::thread> threads;
  for (int t = 0; t < 40; ++t) threads.emplace_back([] { TLS_SetItem(1, 5, nullptr); });
  for (auto& th : threads) th.join();
  kv::MainLock lock;
  EXPECT_LE(kv::gThreadMap.size(), 1u);  // at most this thread's own entry
}

}  // namespace
