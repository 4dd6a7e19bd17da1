// The shared heap between real processes: attaching, concurrent use, and an owner of the
// mutex that is killed.
#include "memory/memory_state.h"

#include <gtest/gtest.h>
#include <korvane/korvane.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <functional>
#include <map>
#include <random>

namespace {

constexpr DWORD kSize = 0x10000;
char* const kView = reinterpret_cast<char*>(0x40000000);

DWORD at(uintptr_t address) {
  DWORD v;
  std::memcpy(&v, reinterpret_cast<void*>(address), 4);
  return v;
}

// A child attaches by name on its own, as an unrelated process would: what fork copied
// (the view, the mapping and mutex handles) is dropped first.
int attachAsChild() {
  MemSharedTerminate();
  CloseHandle(kv::gMemoryState.sharedMutex);
  kv::gMemoryState.sharedMutex = nullptr;
  BOOL created = -1;
  if (MemSharedInit(&created, kSize) != kView || created != FALSE) return 10;
  return MemSharedInitHeap(kView, kSize, FALSE) == 1 ? 0 : 11;
}

// A child that hangs is ended by its alarm, so every test stays bounded.
pid_t spawn(const std::function<int()>& body) {
  pid_t pid = fork();
  if (pid == 0) {
    alarm(20);
    int rc = attachAsChild();
    _exit(rc ? rc : body());
  }
  return pid;
}

// The child's exit code, or -signal.
int reap(pid_t pid) {
  int status = 0;
  waitpid(pid, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -WTERMSIG(status);
}

class SharedHeapProcesses : public ::testing::Test {
 protected:
  void SetUp() override {
    BOOL created = -1;
    ASSERT_EQ(MemSharedInit(&created, kSize), kView);
    ASSERT_EQ(created, TRUE);
    ASSERT_EQ(MemSharedInitHeap(kView, kSize, TRUE), 1);
  }
  void TearDown() override { MemSharedTerminate(); }
};

const uintptr_t B = 0x40000000;

TEST_F(SharedHeapProcesses, ASecondProcessAttachesToTheSameHeap) {
  auto* mine = static_cast<char*>(MemSharedAlloc(32));
  std::strcpy(mine, "from the creator");
  pid_t child = spawn([mine] {
    if (MemSharedInitHeap(kView, kSize - 16, FALSE) != 0) return 1;  // another size
    if (MemSharedInitHeap(kView, kSize, FALSE) != 1) return 2;
    if (std::strcmp(mine, "from the creator") != 0 || MemSharedCheck(mine) != 1) return 3;
    std::strcpy(static_cast<char*>(MemSharedAlloc(16)), "from the child");
    return 0;
  });
  ASSERT_EQ(reap(child), 0);
  EXPECT_EQ(MemSharedCheckAll(), 1);
  uintptr_t theirs = at(B + 24);  // the used list's head: the newest block
  EXPECT_STREQ(reinterpret_cast<char*>(theirs + 20), "from the child");
  MemSharedFree(reinterpret_cast<void*>(theirs + 20));
  MemSharedFree(mine);
  EXPECT_EQ(at(B + 12), B + 32);
}

// Each child allocates and frees at random, filling its blocks with its own byte and
// checking that nobody else wrote into them: at least 5000 operations, and for a quarter
// of a second, so the children overlap however the machine schedules them.
int churn(int id) {
  auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(250);
  std::mt19937 random(static_cast<unsigned>(id));
  std::vector<std::pair<unsigned char*, DWORD>> live;
  auto release = [&](size_t i) {
    auto [p, n] = live[i];
    if (MemSharedCheck(p) != 1 || std::count(p, p + n, id) != static_cast<long>(n)) return false;
    MemSharedFree(p);
    live.erase(live.begin() + static_cast<long>(i));
    return true;
  };
  for (int op = 0; op < 5000 || std::chrono::steady_clock::now() < until; ++op) {
    if (live.size() == 12 || (!live.empty() && random() % 2)) {
      if (!release(random() % live.size())) return 20;
    } else {
      DWORD n = random() % 160;
      auto* p = static_cast<unsigned char*>(MemSharedAlloc(n));
      if (!p) return 21;
      std::memset(p, id, n);
      live.emplace_back(p, n);
    }
  }
  while (!live.empty()) {
    if (!release(live.size() - 1)) return 22;
  }
  return 0;
}

TEST_F(SharedHeapProcesses, ConcurrentUseLosesNoBlock) {
  void* anchor = MemSharedAlloc(8);  // keeps the heap from resetting meanwhile
  int go[2];
  ASSERT_EQ(pipe(go), 0);
  std::vector<pid_t> children;
  for (int id = 1; id <= 3; ++id) {
    children.push_back(spawn([&go, id] {
      close(go[1]);
      char c;
      if (read(go[0], &c, 1) != 0) return 30;  // all start together once the pipe closes
      return churn(id);
    }));
  }
  close(go[0]);
  close(go[1]);
  for (pid_t child : children) EXPECT_EQ(reap(child), 0);
  ASSERT_EQ(MemSharedCheckAll(), 1);

  // Every byte from base + 32 to top belongs to exactly one block of the two lists.
  std::map<uintptr_t, DWORD> blocks;
  for (uintptr_t list : {B + 20, B + 24}) {
    uintptr_t head = at(list), block = head;
    while (block && blocks.size() < 10000) {
      blocks[block] = at(block + 12);
      block = at(block + 4);
      if (block == head) break;
    }
  }
  uintptr_t expected = B + 32;
  for (auto [block, n] : blocks) {
    EXPECT_EQ(block, expected);
    expected = block + n + 28;
  }
  EXPECT_EQ(expected, at(B + 12));
  EXPECT_EQ(at(B + 24), reinterpret_cast<uintptr_t>(anchor) - 20) << "only the anchor is used";
  MemSharedFree(anchor);
  EXPECT_EQ(at(B + 12), B + 32);
}

TEST_F(SharedHeapProcesses, AnOwnerKilledWhileHoldingTheMutexAbandonsIt) {
  for (bool throughLibrary : {false, true}) {
    int ready[2];
    ASSERT_EQ(pipe(ready), 0);
    pid_t child = spawn([&ready] {
      close(ready[0]);
      for (DWORD n : {10, 20, 30}) MemSharedAlloc(n);
      if (!MemAcquireMutex()) return 40;
      if (write(ready[1], "x", 1) != 1) return 41;
      pause();
      return 42;
    });
    close(ready[1]);
    char c;
    ASSERT_EQ(read(ready[0], &c, 1), 1);
    close(ready[0]);
    kill(child, SIGKILL);
    EXPECT_EQ(reap(child), -SIGKILL);

    if (throughLibrary) {
      EXPECT_EQ(MemAcquireMutex(), 1);
    } else {
      EXPECT_EQ(WaitForSingleObject(kv::gMemoryState.sharedMutex, 5000), static_cast<DWORD>(WAIT_ABANDONED));
    }
    EXPECT_EQ(MemReleaseMutex(), 1);
    EXPECT_EQ(MemReleaseMutex(), 0) << "owned once";
    EXPECT_EQ(MemSharedCheckAll(), 1);
    EXPECT_EQ(at(at(B + 24) + 12), 30u) << "the child's blocks are still there";
    EXPECT_NE(MemSharedAlloc(5), nullptr);
  }
}

}  // namespace
