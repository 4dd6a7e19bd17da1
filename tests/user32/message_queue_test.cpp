// Posting, peeking, getting and dispatching on one thread; timers; CBT hook chains.
#include <gtest/gtest.h>

#include <vector>

#include "message_log.h"

namespace {

HWND window(const char* name) {
  registerLogged();
  return CreateWindowExA(0, "Logged", name, WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
}

void drain() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
  }
}

TEST(MessageQueue, PostedMessagesComeInOrderThroughTheirFiltersThenQuit) {
  drain();
  HWND a = window("a");
  HWND b = window("b");
  HWND bChild = CreateWindowExA(0, "Logged", "bc", WS_CHILD, 0, 0, 1, 1, b, nullptr, nullptr, nullptr);
  ASSERT_TRUE(PostMessageA(a, WM_USER + 1, 1, 0));
  ASSERT_TRUE(PostMessageA(b, WM_USER + 2, 2, 0));
  ASSERT_TRUE(PostMessageA(bChild, WM_USER + 3, 3, 0));
  ASSERT_TRUE(PostThreadMessageA(GetCurrentThreadId(), WM_USER + 4, 4, 0));
  ASSERT_TRUE(PostMessageA(nullptr, WM_APP, 5, 0));  // no window: a thread message
  PostQuitMessage(3);

  MSG msg;
  // A window filter takes that window and its children; (HWND)-1 thread messages only.
  ASSERT_TRUE(PeekMessageA(&msg, b, 0, 0, PM_NOREMOVE));
  EXPECT_EQ(msg.message, static_cast<UINT>(WM_USER + 2));
  ASSERT_TRUE(PeekMessageA(&msg, b, WM_USER + 3, WM_USER + 3, PM_REMOVE));
  EXPECT_EQ(msg.hwnd, bChild);
  ASSERT_TRUE(PeekMessageA(&msg, reinterpret_cast<HWND>(-1), 0, 0, PM_REMOVE));
  EXPECT_EQ(msg.message, static_cast<UINT>(WM_USER + 4));
  EXPECT_EQ(msg.hwnd, nullptr);
  EXPECT_FALSE(PeekMessageA(&msg, a, WM_APP, WM_APP + 10, PM_REMOVE));

  std::vector<UINT> order;
  while (GetMessageA(&msg, nullptr, 0, 0)) {
    order.push_back(msg.message);
    MessageLog::get().clear();
    DispatchMessageA(&msg);
    if (msg.hwnd) {
      EXPECT_EQ(MessageLog::get().take().at(0).message, msg.message);
    }
  }
  EXPECT_EQ(order, (std::vector<UINT>{WM_USER + 1, WM_USER + 2, WM_APP}));
  EXPECT_EQ(msg.message, static_cast<UINT>(WM_QUIT));
  EXPECT_EQ(msg.wParam, 3u);
  EXPECT_FALSE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));  // the quit is taken once

  EXPECT_EQ(GetMessageA(&msg, reinterpret_cast<HWND>(0x4321), 0, 0), -1);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_WINDOW_HANDLE));

  // A message left for a window that then goes is dispatched to nobody.
  PostMessageA(a, WM_USER, 0, 0);
  DestroyWindow(a);
  ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
  EXPECT_EQ(DispatchMessageA(&msg), 0);
  DestroyWindow(b);
}

int gTimerCalls = 0;
void CALLBACK countingTimer(HWND, UINT message, UINT_PTR, DWORD) {
  if (message == WM_TIMER) ++gTimerCalls;
}

TEST(MessageQueue, TimersArriveWhenNothingElseWaitsAndStopWhenKilled) {
  drain();
  HWND w = window("timed");
  ASSERT_EQ(SetTimer(w, 7, 10, nullptr), 7u);
  UINT_PTR threadTimer = SetTimer(nullptr, 0, 10, countingTimer);
  ASSERT_NE(threadTimer, 0u);
  PostMessageA(w, WM_USER, 0, 0);

  MSG msg;
  ASSERT_TRUE(GetMessageA(&msg, nullptr, 0, 0));
  EXPECT_EQ(msg.message, static_cast<UINT>(WM_USER));  // posted messages before timers
  int windowTimers = 0;
  while (windowTimers < 2 || gTimerCalls < 2) {
    ASSERT_TRUE(GetMessageA(&msg, nullptr, 0, 0));
    ASSERT_EQ(msg.message, static_cast<UINT>(WM_TIMER));
    if (msg.hwnd == w) {
      EXPECT_EQ(msg.wParam, 7u);
      ++windowTimers;
    }
    DispatchMessageA(&msg);
  }
  EXPECT_TRUE(KillTimer(w, 7));
  EXPECT_FALSE(KillTimer(w, 7));
  EXPECT_TRUE(KillTimer(nullptr, threadTimer));
  EXPECT_EQ(SetTimer(reinterpret_cast<HWND>(0x777), 1, 10, nullptr), 0u);

  // A timer message taken but not dispatched before its timer goes calls nothing.
  SetTimer(nullptr, threadTimer, 10, countingTimer);
  ASSERT_TRUE(GetMessageA(&msg, nullptr, WM_TIMER, WM_TIMER));
  KillTimer(nullptr, msg.wParam);
  int before = gTimerCalls;
  DispatchMessageA(&msg);
  EXPECT_EQ(gTimerCalls, before);

  // A window's timers go with it.
  SetTimer(w, 8, 10, nullptr);
  DestroyWindow(w);
  EXPECT_FALSE(PeekMessageA(&msg, nullptr, WM_TIMER, WM_TIMER, PM_REMOVE));
}

std::vector<int> gHookCalls;
HHOOK gFirst = nullptr, gSecond = nullptr;

LRESULT CALLBACK firstHook(int code, WPARAM wParam, LPARAM lParam) {
  gHookCalls.push_back(1);
  return CallNextHookEx(gFirst, code, wParam, lParam);
}

LRESULT CALLBACK secondHook(int code, WPARAM wParam, LPARAM lParam) {
  gHookCalls.push_back(2);
  if (code == HCBT_CREATEWND) UnhookWindowsHookEx(gSecond);  // once only
  return CallNextHookEx(gSecond, code, wParam, lParam);
}

TEST(CbtHooks, NewestFirstAndAHookMayUnhookItself) {
  gFirst = SetWindowsHookExA(WH_CBT, firstHook, nullptr, GetCurrentThreadId());
  gSecond = SetWindowsHookExA(WH_CBT, secondHook, nullptr, GetCurrentThreadId());
  ASSERT_NE(gFirst, nullptr);
  ASSERT_NE(gSecond, nullptr);
  EXPECT_EQ(SetWindowsHookExA(WH_KEYBOARD, firstHook, nullptr, 0), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HOOK_FILTER));

  HWND w = window("hooked");
  ASSERT_NE(w, nullptr);
  EXPECT_EQ(gHookCalls, (std::vector<int>{2, 1}));  // the second hook, then the first
  gHookCalls.clear();
  DestroyWindow(w);
  EXPECT_EQ(gHookCalls, (std::vector<int>{1}));  // the second one is gone
  EXPECT_FALSE(UnhookWindowsHookEx(gSecond));
  EXPECT_TRUE(UnhookWindowsHookEx(gFirst));
  gHookCalls.clear();
  DestroyWindow(window("unhooked"));
  EXPECT_TRUE(gHookCalls.empty());
}

}  // namespace
