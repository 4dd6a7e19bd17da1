// Posting, taking and dispatching messages.
#include "user32/driver.h"
#include "user32/queue.h"
#include "user32/thread_input.h"
#include "user32/timers.h"
#include "user32/update_region.h"
#include "user32/window.h"

#include <algorithm>

namespace kw::user32 {
namespace {

const HWND kThreadOnly = reinterpret_cast<HWND>(-1);

bool inRange(UINT message, UINT low, UINT high) {
  return (low == 0 && high == 0) || (message >= low && message <= high);
}

void addTree(HWND window, std::vector<HWND>* out) {
  out->push_back(window);
  if (Window* w = lockedWindow(window))
    for (HWND child : w->children) addTree(child, out);
}

// The windows a filter takes messages for: empty for all; {null} for thread messages only.
std::vector<HWND> filterWindows(HWND filter) {
  if (!filter) return {};
  if (filter == kThreadOnly) return {nullptr};
  WindowsLock lock(windowsLock());
  std::vector<HWND> out;
  addTree(filter, &out);
  return out;
}

bool accepted(const std::vector<HWND>& windows, HWND window) {
  return windows.empty() || std::find(windows.begin(), windows.end(), window) != windows.end();
}

// Sent messages first, then posted ones, keyboard and mouse input, WM_QUIT, WM_PAINT and timers; waits for one when `wait`.
bool take(Queue& q, MSG* out, HWND filter, UINT low, UINT high, bool remove, bool wait) {
  const std::vector<HWND> windows = filterWindows(filter);
  for (;;) {
    while (answerSent(q)) {
    }
    driver().pollInput();  // what the display left for this thread, as if it had been sent
    unsigned long seen;
    bool inputTaken = false;
    {
      std::lock_guard<std::mutex> lock(q.mutex);
      q.lastTaken = Clock::now();
      seen = q.arrivals;
      auto it = std::find_if(q.posted.begin(), q.posted.end(), [&](const MSG& m) {
        return accepted(windows, m.hwnd) && inRange(m.message, low, high);
      });
      if (it != q.posted.end()) {
        *out = *it;
        if (remove) q.posted.erase(it);
        return true;
      }
      it = std::find_if(q.input.begin(), q.input.end(), [&](const MSG& m) {
        return accepted(windows, m.hwnd) && inRange(m.message, low, high);
      });
      if (it != q.input.end()) {
        *out = *it;
        if (!remove) return true;
        q.input.erase(it);
        inputTaken = true;  // the key state moves, and a press activates, once the queue is let go
      } else if (q.quit && inRange(WM_QUIT, low, high)) {
        *out = MSG{nullptr, WM_QUIT, static_cast<WPARAM>(q.quitCode), 0, tickCount(), {0, 0}};
        if (remove) q.quit = false;
        return true;
      }
    }
    if (inputTaken) {
      keyTaken(*out);
      mouseTaken(*out);
      return true;
    }
    if (inRange(WM_PAINT, low, high) && filter != kThreadOnly) {
      if (HWND painted = nextToPaint(q.threadId, windows)) {
        *out = MSG{painted, WM_PAINT, 0, 0, tickCount(), {0, 0}};  // stays until painted
        return true;
      }
    }
    auto nextDue = Clock::time_point::max();
    if (inRange(WM_TIMER, low, high) && dueTimer(q, windows, remove, out, &nextDue)) return true;
    if (!wait) return false;
    std::unique_lock<std::mutex> lock(q.mutex);
    q.waiting = true;
    const auto woken = [&] { return q.arrivals != seen; };
    if (nextDue == Clock::time_point::max())
      q.wake.wait(lock, woken);
    else
      q.wake.wait_until(lock, nextDue, woken);
    q.waiting = false;
  }
}

BOOL postToWindow(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  QueuePtr q = queueOf(threadOf(window));
  if (!q || !post(*q, MSG{window, message, wParam, lParam, tickCount(), {0, 0}})) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return FALSE;
  }
  return TRUE;
}

}  // namespace
}  // namespace kw::user32

using namespace kw::user32;

KW32_API BOOL WINAPI PostMessageA(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (!window) return PostThreadMessageA(GetCurrentThreadId(), message, wParam, lParam);
  if (window == HWND_BROADCAST) {
    std::vector<HWND> tops;
    {
      WindowsLock lock(windowsLock());
      tops = lockedWindow(desktopWindow())->children;
    }
    for (HWND top : tops) postToWindow(top, message, wParam, lParam);
    return TRUE;
  }
  if (!findWindow(window)) return FALSE;
  return postToWindow(window, message, wParam, lParam);
}

KW32_API BOOL WINAPI PostThreadMessageA(DWORD threadId, UINT message, WPARAM wParam, LPARAM lParam) {
  if (threadId == GetCurrentThreadId()) currentQueue();
  QueuePtr q = queueOf(threadId);
  if (!q || !post(*q, MSG{nullptr, message, wParam, lParam, tickCount(), {0, 0}})) {
    SetLastError(ERROR_INVALID_THREAD_ID);
    return FALSE;
  }
  return TRUE;
}

KW32_API void WINAPI PostQuitMessage(int exitCode) {
  QueuePtr q = currentQueue();
  {
    std::lock_guard<std::mutex> lock(q->mutex);
    q->quit = true;
    q->quitCode = exitCode;
    ++q->arrivals;
  }
  q->wake.notify_all();
}

KW32_API BOOL WINAPI PeekMessageA(LPMSG msg, HWND window, UINT filterMin, UINT filterMax, UINT remove) {
  if (!msg) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  if (window && window != kThreadOnly && !findWindow(window)) return FALSE;
  QueuePtr q = currentQueue();
  if (!take(*q, msg, window, filterMin, filterMax, remove & PM_REMOVE, false)) return FALSE;
  q->messageTime = msg->time;
  return TRUE;
}

KW32_API BOOL WINAPI GetMessageA(LPMSG msg, HWND window, UINT filterMin, UINT filterMax) {
  if (!msg) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return -1;
  }
  if (window && window != kThreadOnly && !findWindow(window)) return -1;
  QueuePtr q = currentQueue();
  take(*q, msg, window, filterMin, filterMax, true, true);
  q->messageTime = msg->time;
  return msg->message != WM_QUIT;
}

KW32_API BOOL WINAPI WaitMessage(void) {
  QueuePtr q = currentQueue();
  MSG msg;
  take(*q, &msg, nullptr, 0, 0, false, true);
  return TRUE;
}

KW32_API LRESULT WINAPI DispatchMessageA(const MSG* msg) {
  if (!msg) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  if (msg->message == WM_TIMER && msg->lParam) {
    auto proc = reinterpret_cast<TIMERPROC>(msg->lParam);
    if (timerExists(msg->hwnd, msg->wParam, proc)) proc(msg->hwnd, WM_TIMER, msg->wParam, tickCount());
    return 0;
  }
  if (!msg->hwnd) return 0;
  WindowPtr w = findWindow(msg->hwnd);
  if (!w) return 0;
  if (w->threadId != GetCurrentThreadId()) {
    SetLastError(ERROR_WINDOW_OF_OTHER_THREAD);
    return 0;
  }
  return callWindow(msg->hwnd, msg->message, msg->wParam, msg->lParam);
}

KW32_API DWORD WINAPI GetMessageTime(void) { return currentQueue()->messageTime; }
