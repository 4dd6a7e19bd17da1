// Creating and destroying windows: message order, failure paths, stale handles, classes.
#include <gtest/gtest.h>

#include "message_log.h"

namespace {

using Log = std::vector<LoggedMessage>;

HHOOK gCbt = nullptr;
bool gRefuseCreate = false;

LRESULT CALLBACK cbtLogger(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HCBT_CREATEWND) {
    const auto* cbt = reinterpret_cast<const CBT_CREATEWNDA*>(lParam);
    MessageLog::get().name(reinterpret_cast<HWND>(wParam), cbt->lpcs->lpszName ? cbt->lpcs->lpszName : "");
    MessageLog::get().add(reinterpret_cast<HWND>(wParam), 0xC000 + HCBT_CREATEWND, 0);
    if (gRefuseCreate) return 1;
  }
  if (code == HCBT_DESTROYWND) MessageLog::get().add(reinterpret_cast<HWND>(wParam), 0xC000 + HCBT_DESTROYWND, 0);
  if (code == HCBT_ACTIVATE) MessageLog::get().add(reinterpret_cast<HWND>(wParam), 0xC000 + HCBT_ACTIVATE, 0);
  return CallNextHookEx(gCbt, code, wParam, lParam);
}

class WindowCreate : public ::testing::Test {
 protected:
  void SetUp() override {
    registerLogged();
    gCbt = SetWindowsHookExA(WH_CBT, cbtLogger, nullptr, GetCurrentThreadId());
    ASSERT_NE(gCbt, nullptr);
    MessageLog::get().clear();
  }
  void TearDown() override {
    UnhookWindowsHookEx(gCbt);
    gRefuseCreate = false;
  }
};

constexpr UINT kCbtCreate = 0xC000 + HCBT_CREATEWND;
constexpr UINT kCbtDestroy = 0xC000 + HCBT_DESTROYWND;
constexpr UINT kCbtActivate = 0xC000 + HCBT_ACTIVATE;

TEST_F(WindowCreate, CreationAndDestructionFollowWin32Order) {
  HWND top = CreateWindowExA(0, "logged", "top", WS_OVERLAPPEDWINDOW, 10, 20, 300, 200, nullptr, nullptr, nullptr,
                             nullptr);
  ASSERT_NE(top, nullptr);
  EXPECT_EQ(MessageLog::get().take(),
            (Log{{"top", kCbtCreate, 0}, {"top", WM_GETMINMAXINFO, 0}, {"top", WM_NCCREATE, 0},
                 {"top", WM_NCCALCSIZE, 0}, {"top", WM_CREATE, 0}, {"top", WM_SIZE, 0}, {"top", WM_MOVE, 0}}));

  HWND child = CreateWindowExA(0, "Logged", "child", WS_CHILD | WS_VISIBLE, 5, 6, 50, 40, top,
                               reinterpret_cast<HMENU>(7), nullptr, nullptr);
  ASSERT_NE(child, nullptr);
  Log log = MessageLog::get().take();
  EXPECT_EQ(log, (Log{{"child", kCbtCreate, 0}, {"child", WM_NCCREATE, 0}, {"child", WM_NCCALCSIZE, 0},
                      {"child", WM_CREATE, 0}, {"child", WM_SIZE, 0}, {"child", WM_MOVE, 0},
                      {"top", WM_PARENTNOTIFY, 0}, {"child", WM_SHOWWINDOW, 0},
                      {"child", WM_WINDOWPOSCHANGING, 0}, {"child", WM_WINDOWPOSCHANGED, 0}}))
      << describe(log);
  EXPECT_EQ(log[6].wParam, MAKEWPARAM(WM_CREATE, 7));

  HWND grandchild = CreateWindowExA(WS_EX_NOPARENTNOTIFY, "Logged", "grand", WS_CHILD, 0, 0, 10, 10, child, nullptr,
                                    nullptr, nullptr);
  ASSERT_NE(grandchild, nullptr);
  MessageLog::get().clear();

  // The window first, then its children; WM_NCDESTROY from the deepest up.
  ASSERT_TRUE(DestroyWindow(top));
  log = MessageLog::get().take();
  EXPECT_EQ(log, (Log{{"top", kCbtDestroy, 0}, {"top", WM_DESTROY, 0}, {"child", WM_DESTROY, 0},
                      {"grand", WM_DESTROY, 0}, {"grand", WM_NCDESTROY, 0}, {"child", WM_NCDESTROY, 0},
                      {"top", WM_NCDESTROY, 0}}))
      << describe(log);
  EXPECT_FALSE(IsWindow(top));
  EXPECT_FALSE(IsWindow(child));
  EXPECT_FALSE(IsWindow(grandchild));
}

TEST_F(WindowCreate, VisibleTopLevelWindowIsShownActivatedAndFocused) {
  HWND top = CreateWindowExA(0, "Logged", "shown", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200, 100, nullptr, nullptr,
                             nullptr, nullptr);
  ASSERT_NE(top, nullptr);
  Log log = MessageLog::get().take();
  Log tail(log.begin() + 7, log.end());
  EXPECT_EQ(tail, (Log{{"shown", WM_SHOWWINDOW, 0}, {"shown", WM_WINDOWPOSCHANGING, 0},
                       {"shown", WM_WINDOWPOSCHANGED, 0}, {"shown", kCbtActivate, 0}, {"shown", WM_NCACTIVATE, 0},
                       {"shown", WM_ACTIVATE, 0}, {"shown", WM_SETFOCUS, 0}}))
      << describe(log);
  EXPECT_EQ(GetActiveWindow(), top);
  EXPECT_EQ(GetFocus(), top);
  EXPECT_TRUE(IsWindowVisible(top));

  // Destroying the active window gives up activation and focus before WM_DESTROY.
  MessageLog::get().clear();
  DestroyWindow(top);
  log = MessageLog::get().take();
  EXPECT_EQ(log, (Log{{"shown", kCbtDestroy, 0}, {"shown", WM_WINDOWPOSCHANGING, 0},
                      {"shown", WM_WINDOWPOSCHANGED, 0}, {"shown", WM_KILLFOCUS, 0}, {"shown", WM_NCACTIVATE, 0},
                      {"shown", WM_ACTIVATE, 0}, {"shown", WM_DESTROY, 0}, {"shown", WM_NCDESTROY, 0}}))
      << describe(log);
  EXPECT_EQ(GetActiveWindow(), nullptr);
  EXPECT_EQ(GetFocus(), nullptr);
}

LRESULT CALLBACK refusingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  MessageLog::get().add(window, message, wParam);
  if (message == WM_NCCREATE) {
    const auto* cs = reinterpret_cast<const CREATESTRUCTA*>(lParam);
    if (cs->lpCreateParams == reinterpret_cast<void*>(1)) return FALSE;
  }
  if (message == WM_CREATE) {
    const auto* cs = reinterpret_cast<const CREATESTRUCTA*>(lParam);
    if (cs->lpCreateParams == reinterpret_cast<void*>(2)) return -1;
    if (cs->lpCreateParams == reinterpret_cast<void*>(3)) {
      DestroyWindow(window);  // its own window, inside its own creation
      return 0;
    }
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

TEST_F(WindowCreate, RefusedCreationsLeaveNothingBehind) {
  WNDCLASSA wc{};
  wc.lpfnWndProc = refusingProc;
  wc.lpszClassName = "Refusing";
  ASSERT_NE(RegisterClassA(&wc), 0);

  EXPECT_EQ(CreateWindowExA(0, "Refusing", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr,
                            reinterpret_cast<void*>(1)),
            nullptr);
  Log log = MessageLog::get().take();
  ASSERT_GE(log.size(), 2u);
  EXPECT_EQ(log.back().message, static_cast<UINT>(WM_NCDESTROY)) << describe(log);

  EXPECT_EQ(CreateWindowExA(0, "Refusing", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr,
                            reinterpret_cast<void*>(2)),
            nullptr);
  log = MessageLog::get().take();
  ASSERT_GE(log.size(), 3u);
  EXPECT_EQ(log[log.size() - 2].message, static_cast<UINT>(WM_DESTROY));
  EXPECT_EQ(log.back().message, static_cast<UINT>(WM_NCDESTROY));

  EXPECT_EQ(CreateWindowExA(0, "Refusing", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr,
                            reinterpret_cast<void*>(3)),
            nullptr);

  gRefuseCreate = true;  // a CBT hook can refuse, before any message
  MessageLog::get().clear();
  EXPECT_EQ(CreateWindowExA(0, "Refusing", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr), nullptr);
  EXPECT_EQ(MessageLog::get().take().size(), 1u);
  gRefuseCreate = false;

  // With all of them gone, the class has no windows left and can go.
  EXPECT_TRUE(UnregisterClassA("REFUSING", nullptr));
}

TEST_F(WindowCreate, StaleAndBogusHandlesFailWithoutReuse) {
  HWND first = CreateWindowExA(0, "Logged", "gone", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(first, nullptr);
  ASSERT_TRUE(DestroyWindow(first));

  const HWND bogus[] = {first, reinterpret_cast<HWND>(1), reinterpret_cast<HWND>(0x12345678),
                        reinterpret_cast<HWND>(-5), HWND_BROADCAST};
  for (HWND h : bogus) {
    SetLastError(0);
    EXPECT_FALSE(IsWindow(h));
    EXPECT_EQ(GetWindowLongPtrA(h, GWL_STYLE), 0);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_WINDOW_HANDLE));
    EXPECT_FALSE(DestroyWindow(h));
    EXPECT_FALSE(SetWindowTextA(h, "x"));
    EXPECT_EQ(GetWindowTextLengthA(h), 0);
    EXPECT_FALSE(SetPropA(h, "p", reinterpret_cast<HANDLE>(1)));
    EXPECT_EQ(GetParent(h), nullptr);
    EXPECT_FALSE(ShowWindow(h, SW_SHOW));
    RECT r;
    EXPECT_FALSE(GetWindowRect(h, &r));
    if (h != HWND_BROADCAST) {
      EXPECT_FALSE(PostMessageA(h, WM_USER, 0, 0));
      EXPECT_EQ(SendMessageA(h, WM_USER, 0, 0), 0);
    }
  }
  EXPECT_EQ(CreateWindowExA(0, "Logged", "", WS_CHILD, 0, 0, 1, 1, first, nullptr, nullptr, nullptr), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_WINDOW_HANDLE));
  EXPECT_EQ(CreateWindowExA(0, "Logged", "", WS_CHILD, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_TLW_WITH_WSCHILD));

  // Many windows later the old handle still names nothing.
  std::vector<HWND> made;
  for (int i = 0; i < 300; ++i) {
    HWND h = CreateWindowExA(0, "Logged", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(h, nullptr);
    EXPECT_NE(h, first);
    made.push_back(h);
    if (i % 2) DestroyWindow(h);
  }
  for (size_t i = 0; i < made.size(); i += 2) DestroyWindow(made[i]);
  EXPECT_FALSE(IsWindow(first));
}

TEST(WindowClasses, NamesIgnoreCaseAndAtomsNameThemToo) {
  WNDCLASSA wc{};
  wc.lpfnWndProc = DefWindowProcA;
  wc.cbClsExtra = 8;
  wc.cbWndExtra = 12;
  wc.lpszClassName = "KvSample";
  ATOM atom = RegisterClassA(&wc);
  ASSERT_GE(atom, 0xC000);
  EXPECT_EQ(RegisterClassA(&wc), 0);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_CLASS_ALREADY_EXISTS));

  WNDCLASSA info{};
  ASSERT_TRUE(GetClassInfoA(nullptr, "KVSAMPLE", &info));
  EXPECT_EQ(info.cbWndExtra, 12);
  EXPECT_EQ(info.cbClsExtra, 8);
  EXPECT_EQ(info.lpfnWndProc, DefWindowProcA);
  ASSERT_TRUE(GetClassInfoA(nullptr, MAKEINTATOM(atom), &info));
  EXPECT_FALSE(GetClassInfoA(nullptr, "NoSuchClass", &info));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_CLASS_DOES_NOT_EXIST));

  HWND w = CreateWindowExA(0, MAKEINTATOM(atom), "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(w, nullptr);
  char name[32];
  EXPECT_EQ(GetClassNameA(w, name, sizeof name), 8);
  EXPECT_STREQ(name, "KvSample");
  EXPECT_EQ(GetClassNameA(w, name, 4), 3);
  EXPECT_STREQ(name, "KvS");
  EXPECT_EQ(GetClassLongA(w, GCW_ATOM), atom);
  EXPECT_EQ(GetClassLongA(w, GCL_CBWNDEXTRA), 12u);
  EXPECT_FALSE(UnregisterClassA("kvsample", nullptr));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_CLASS_HAS_WINDOWS));
  DestroyWindow(w);
  EXPECT_TRUE(UnregisterClassA("kvsample", nullptr));
  EXPECT_EQ(CreateWindowExA(0, "KvSample", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_CANNOT_FIND_WND_CLASS));

  // A "#n" name is the integer atom n.
  wc.lpszClassName = "#40000";
  ASSERT_EQ(RegisterClassA(&wc), 40000);
  EXPECT_TRUE(GetClassInfoA(nullptr, MAKEINTATOM(40000), &info));
  EXPECT_TRUE(UnregisterClassA(MAKEINTATOM(40000), nullptr));

  wc.lpfnWndProc = nullptr;
  EXPECT_EQ(RegisterClassA(&wc), 0);
  EXPECT_EQ(RegisterClassA(nullptr), 0);
}

}  // namespace
