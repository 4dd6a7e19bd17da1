// Messages between threads: sends that wait while the target takes messages, answers to
// the waiting sender, threads that end, and broadcasts that meet a hung window.
#include <gtest/gtest.h>
#include <korvane/win32.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

namespace {

std::atomic<HWND> gCaller{nullptr};

LRESULT CALLBACK threadProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_USER) return static_cast<LRESULT>(GetCurrentThreadId());
  if (message == WM_USER + 1) {
    // Sends back to the waiting caller, which must answer while it waits.
    return SendMessageA(gCaller.load(), WM_USER + 2, wParam, 0) + 1;
  }
  if (message == WM_USER + 3) {
    char text[32];
    return GetWindowTextA(reinterpret_cast<HWND>(lParam), text, sizeof text);
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

LRESULT CALLBACK callerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_USER + 2) return static_cast<LRESULT>(wParam * 10);
  if (message == WM_USER + 5) return 55;
  return DefWindowProcA(window, message, wParam, lParam);
}

void registerClasses() {
  static const bool done = [] {
    WNDCLASSA wc{};
    wc.lpfnWndProc = threadProc;
    wc.lpszClassName = "ThreadWindow";
    RegisterClassA(&wc);
    wc.lpfnWndProc = callerProc;
    wc.lpszClassName = "CallerWindow";
    return RegisterClassA(&wc) != 0;
  }();
  (void)done;
}

// A thread with a window and a message loop; ends on WM_QUIT.
class WindowThread {
 public:
  WindowThread() {
    thread_ = std::thread([this] {
      HWND w = CreateWindowExA(0, "ThreadWindow", "worker", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
      {
        std::lock_guard<std::mutex> lock(mutex_);
        window_ = w;
        threadId_ = GetCurrentThreadId();
      }
      ready_.notify_all();
      MSG msg;
      while (GetMessageA(&msg, nullptr, 0, 0) > 0) DispatchMessageA(&msg);
    });
    std::unique_lock<std::mutex> lock(mutex_);
    ready_.wait(lock, [this] { return window_ != nullptr; });
  }
  ~WindowThread() { stop(); }
  void stop() {
    if (!thread_.joinable()) return;
    PostThreadMessageA(threadId_, WM_QUIT, 0, 0);
    thread_.join();
  }
  HWND window() const { return window_; }
  DWORD threadId() const { return threadId_; }

 private:
  std::mutex mutex_;
  std::condition_variable ready_;
  HWND window_ = nullptr;
  DWORD threadId_ = 0;
  std::thread thread_;
};

TEST(CrossThreadSend, TargetAnswersOnItsOwnThreadWhileTheSenderAnswersItsCallers) {
  registerClasses();
  HWND caller = CreateWindowExA(0, "CallerWindow", "caller", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
  gCaller = caller;
  WindowThread worker;
  EXPECT_EQ(static_cast<DWORD>(SendMessageA(worker.window(), WM_USER, 0, 0)), worker.threadId());
  EXPECT_EQ(GetWindowThreadProcessId(worker.window(), nullptr), worker.threadId());
  EXPECT_EQ(SendMessageA(worker.window(), WM_USER + 1, 4, 0), 41);  // 4 * 10 from here, + 1 there
  SetWindowTextA(caller, "from afar");
  EXPECT_EQ(SendMessageA(worker.window(), WM_USER + 3, 0, reinterpret_cast<LPARAM>(caller)), 9);
  char text[16];
  SetWindowTextA(worker.window(), "remote");
  EXPECT_EQ(GetWindowTextA(worker.window(), text, sizeof text), 6);  // without a message
  EXPECT_STREQ(text, "remote");
  EXPECT_FALSE(DestroyWindow(worker.window()));  // not this thread's
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));

  // Many senders at once, each answered once.
  std::vector<std::thread> senders;
  std::atomic<int> answered{0};
  for (int i = 0; i < 4; ++i)
    senders.emplace_back([&] {
      for (int k = 0; k < 50; ++k)
        if (static_cast<DWORD>(SendMessageA(worker.window(), WM_USER, 0, 0)) == worker.threadId()) ++answered;
    });
  for (auto& t : senders) t.join();
  EXPECT_EQ(answered.load(), 200);

  // When the thread has ended its windows are gone, and nothing waits on it.
  HWND gone = worker.window();
  DWORD goneThread = worker.threadId();
  worker.stop();
  EXPECT_FALSE(IsWindow(gone));
  EXPECT_EQ(SendMessageA(gone, WM_USER, 0, 0), 0);
  EXPECT_FALSE(PostThreadMessageA(goneThread, WM_USER, 0, 0));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_THREAD_ID));
  DestroyWindow(caller);
}

TEST(CrossThreadSend, BroadcastSkipsAHungWindowWithinTheTimeOut) {
  registerClasses();
  HWND mine = CreateWindowExA(0, "CallerWindow", "mine", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
  WindowThread responsive;

  // A thread whose window takes no messages while it is held.
  std::mutex mutex;
  std::condition_variable cv;
  bool release = false;
  HWND hung = nullptr;
  std::thread hangs([&] {
    HWND w = CreateWindowExA(0, "ThreadWindow", "hung", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
    std::unique_lock<std::mutex> lock(mutex);
    hung = w;
    cv.notify_all();
    cv.wait(lock, [&] { return release; });
    lock.unlock();
    DestroyWindow(w);
  });
  {
    std::unique_lock<std::mutex> lock(mutex);
    cv.wait(lock, [&] { return hung != nullptr; });
  }

  auto start = std::chrono::steady_clock::now();
  DWORD_PTR result = 0;
  EXPECT_TRUE(SendMessageTimeoutA(HWND_BROADCAST, WM_USER + 5, 0, 0, SMTO_NORMAL, 200, &result));
  auto took = std::chrono::steady_clock::now() - start;
  EXPECT_LT(took, std::chrono::seconds(3));

  // Straight to the hung window: a time-out, and no answer.
  result = 7;
  EXPECT_EQ(SendMessageTimeoutA(hung, WM_USER, 0, 0, SMTO_BLOCK, 50, &result), 0);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_TIMEOUT));
  EXPECT_EQ(result, 0u);
  // A responsive window answers within the time-out.
  EXPECT_TRUE(SendMessageTimeoutA(responsive.window(), WM_USER, 0, 0, SMTO_ABORTIFHUNG, 2000, &result));
  EXPECT_EQ(static_cast<DWORD>(result), responsive.threadId());
  EXPECT_TRUE(SendMessageTimeoutA(mine, WM_USER + 5, 0, 0, SMTO_NORMAL, 10, &result));
  EXPECT_EQ(result, 55u);

  {
    std::lock_guard<std::mutex> lock(mutex);
    release = true;
  }
  cv.notify_all();
  hangs.join();
  DestroyWindow(mine);
}

}  // namespace
