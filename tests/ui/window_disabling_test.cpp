// Disabling a thread's windows around a modeless task and enabling exactly those again.
#include <gtest/gtest.h>
#include <korvane/korvane.h>

#include <algorithm>
#include <condition_variable>
#include <mutex>
#include <thread>
#include <vector>

#include "test_windows.h"
#include "ui/window_disabling.h"

namespace {

using kvtest::plainWindow;

HINSTANCE instanceNo(int n) { return reinterpret_cast<HINSTANCE>(static_cast<INT_PTR>(0x10000 * n)); }

// The handles a list holds, up to its first null entry or its end.
std::vector<HWND> listed(HLOCAL list) {
  std::vector<HWND> out;
  const auto* slots = static_cast<const HWND*>(LocalLock(list));
  for (int i = 0; slots && i < kv::kMaxDisabledWindows && slots[i]; ++i) out.push_back(slots[i]);
  LocalUnlock(list);
  return out;
}

// A window of another thread, kept alive until the object goes.
class ForeignWindow {
 public:
  explicit ForeignWindow(HINSTANCE instance) {
    thread_ = std::thread([this, instance] {
      HWND window = plainWindow(WS_POPUP, 0, 0, 10, 10, nullptr, instance);
      std::unique_lock lock(mutex_);
      window_ = window;
      ready_ = true;
      changed_.notify_all();
      changed_.wait(lock, [this] { return done_; });
      DestroyWindow(window);
    });
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [this] { return ready_; });
  }
  ~ForeignWindow() {
    {
      std::lock_guard lock(mutex_);
      done_ = true;
    }
    changed_.notify_all();
    thread_.join();
  }
  HWND window() const { return window_; }

 private:
  std::mutex mutex_;
  std::condition_variable changed_;
  bool ready_ = false, done_ = false;
  HWND window_ = nullptr;
  std::thread thread_;
};

}  // namespace

TEST(WindowDisabling, OnlyTheThreadsWindowsOfTheInstanceExceptOneAndExactlyThoseAgain) {
  HWND first = plainWindow(WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr, instanceNo(1));
  HWND kept = plainWindow(WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr, instanceNo(1));
  HWND second = plainWindow(WS_POPUP, 0, 0, 100, 100, first, instanceNo(1));  // owned, still top-level
  HWND before = plainWindow(WS_OVERLAPPEDWINDOW | WS_DISABLED, 0, 0, 100, 100, nullptr, instanceNo(1));
  HWND otherInstance = plainWindow(WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr, instanceNo(2));
  HWND child = plainWindow(WS_CHILD, 0, 0, 10, 10, first, instanceNo(1));
  ForeignWindow foreign(instanceNo(1));
  ASSERT_TRUE(IsWindow(foreign.window()));

  HLOCAL list = DlgEnableAllWindows(instanceNo(1), kept, FALSE, nullptr);
  ASSERT_NE(list, nullptr);
  EXPECT_EQ(LocalSize(list), kv::kMaxDisabledWindows * sizeof(HWND));
  std::vector<HWND> disabled = listed(list);
  EXPECT_EQ(disabled.size(), 2u);
  for (HWND w : {first, second}) {
    EXPECT_FALSE(IsWindowEnabled(w));
    EXPECT_NE(std::find(disabled.begin(), disabled.end(), w), disabled.end());
  }
  for (HWND w : {kept, otherInstance, child, foreign.window()}) EXPECT_TRUE(IsWindowEnabled(w));

  EXPECT_EQ(DlgEnableAllWindows(instanceNo(1), kept, TRUE, list), nullptr);
  for (HWND w : {first, second, kept, otherInstance}) EXPECT_TRUE(IsWindowEnabled(w));
  EXPECT_FALSE(IsWindowEnabled(before));  // disabled by someone else: left so

  // Nothing to walk for a null instance; nothing to give back without a list.
  EXPECT_EQ(DlgEnableAllWindows(nullptr, nullptr, FALSE, nullptr), nullptr);
  EXPECT_EQ(DlgEnableAllWindows(instanceNo(1), nullptr, TRUE, nullptr), nullptr);
  EXPECT_TRUE(IsWindowEnabled(first));

  // A window the walk finds destroyed is simply gone from it.
  list = DlgEnableAllWindows(instanceNo(1), nullptr, FALSE, nullptr);
  DestroyWindow(second);
  EXPECT_EQ(DlgEnableAllWindows(instanceNo(1), nullptr, TRUE, list), nullptr);
  EXPECT_TRUE(IsWindowEnabled(first) && IsWindowEnabled(kept));
  for (HWND w : {first, kept, before, otherInstance}) DestroyWindow(w);
}

TEST(WindowDisabling, AtMostFiftyWindowsAreDisabled) {
  std::vector<HWND> windows;
  for (int i = 0; i < kv::kMaxDisabledWindows + 5; ++i)
    windows.push_back(plainWindow(WS_POPUP, 0, 0, 10, 10, nullptr, instanceNo(3)));
  HLOCAL list = DlgEnableAllWindows(instanceNo(3), nullptr, FALSE, nullptr);
  EXPECT_EQ(listed(list).size(), static_cast<size_t>(kv::kMaxDisabledWindows));
  EXPECT_EQ(std::count_if(windows.begin(), windows.end(), [](HWND w) { return !IsWindowEnabled(w); }),
            kv::kMaxDisabledWindows);
  DlgEnableAllWindows(instanceNo(3), nullptr, TRUE, list);
  EXPECT_TRUE(std::all_of(windows.begin(), windows.end(), [](HWND w) { return IsWindowEnabled(w) != 0; }));
  for (HWND w : windows) DestroyWindow(w);
}

TEST(WindowDisabling, ParentChainFromTheWindowUpThroughParentsAndOwners) {
  HWND owner = plainWindow(WS_OVERLAPPEDWINDOW, 0, 0, 300, 300);
  HWND popup = plainWindow(WS_POPUP | WS_DISABLED, 0, 0, 200, 200, owner);
  HWND child = plainWindow(WS_CHILD, 0, 0, 50, 50, popup);
  HWND bystander = plainWindow(WS_OVERLAPPEDWINDOW, 0, 0, 300, 300);

  HLOCAL list = kv::enableWindowChain(child, FALSE, nullptr);
  EXPECT_EQ(listed(list), (std::vector<HWND>{child, owner}));
  EXPECT_FALSE(IsWindowEnabled(child) || IsWindowEnabled(owner));
  EXPECT_TRUE(IsWindowEnabled(bystander));
  EXPECT_EQ(kv::enableWindowChain(child, TRUE, list), nullptr);
  EXPECT_TRUE(IsWindowEnabled(child) && IsWindowEnabled(owner));
  EXPECT_FALSE(IsWindowEnabled(popup));

  EXPECT_EQ(kv::enableWindowChain(nullptr, FALSE, nullptr), nullptr);
  EXPECT_EQ(kv::enableWindowChain(owner, TRUE, nullptr), nullptr);
  DestroyWindow(owner);
  EXPECT_EQ(kv::enableWindowChain(child, FALSE, nullptr), nullptr);  // destroyed with its owner
  DestroyWindow(bystander);
}
