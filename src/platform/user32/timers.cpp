// SetTimer and KillTimer, and the WM_TIMER messages the queues make of due timers.
#include "user32/timers.h"

#include "user32/window.h"

#include <algorithm>

namespace kw::user32 {
namespace {

constexpr UINT kMinimumInterval = 10;  // USER_TIMER_MINIMUM
constexpr UINT kMaximumInterval = 0x7FFFFFFF;
constexpr UINT_PTR kFirstThreadTimer = 0x7FF0;

// The queue a timer of `window` lives in: its thread's; the caller's for thread timers.
// Null (with last error) for a window that is not live or belongs to another thread.
QueuePtr timerQueue(HWND window) {
  if (!window) return currentQueue();
  WindowPtr w = findWindow(window);
  if (!w) return nullptr;
  if (w->threadId != GetCurrentThreadId()) {
    SetLastError(ERROR_ACCESS_DENIED);
    return nullptr;
  }
  return currentQueue();
}

bool accepts(const std::vector<HWND>& windows, HWND window) {
  return windows.empty() || std::find(windows.begin(), windows.end(), window) != windows.end();
}

}  // namespace

bool dueTimer(Queue& q, const std::vector<HWND>& windows, bool remove, MSG* out, Clock::time_point* nextDue) {
  const auto now = Clock::now();
  std::lock_guard<std::mutex> lock(q.mutex);
  Timer* due = nullptr;
  for (Timer& t : q.timers) {
    if (!accepts(windows, t.window)) continue;
    if (t.due <= now && (!due || t.due < due->due)) due = &t;
    if (t.due < *nextDue) *nextDue = t.due;
  }
  if (!due) return false;
  *out = MSG{due->window, WM_TIMER, due->id, reinterpret_cast<LPARAM>(due->proc), tickCount(), {0, 0}};
  if (remove) due->due = now + std::chrono::milliseconds(due->interval);
  return true;
}

bool timerExists(HWND window, UINT_PTR id, TIMERPROC proc) {
  QueuePtr q = currentQueue();
  std::lock_guard<std::mutex> lock(q->mutex);
  return std::any_of(q->timers.begin(), q->timers.end(),
                     [&](const Timer& t) { return t.window == window && t.id == id && t.proc == proc; });
}

void dropTimers(HWND window) {
  QueuePtr q = queueOf(threadOf(window));
  if (!q) return;
  std::lock_guard<std::mutex> lock(q->mutex);
  q->timers.erase(std::remove_if(q->timers.begin(), q->timers.end(), [&](const Timer& t) { return t.window == window; }),
                  q->timers.end());
}

}  // namespace kw::user32

using namespace kw::user32;

KW32_API UINT_PTR WINAPI SetTimer(HWND window, UINT_PTR id, UINT elapse, TIMERPROC proc) {
  QueuePtr q = timerQueue(window);
  if (!q) return 0;
  elapse = std::clamp(elapse, kMinimumInterval, kMaximumInterval);
  const auto due = Clock::now() + std::chrono::milliseconds(elapse);
  {
    std::lock_guard<std::mutex> lock(q->mutex);
    auto it = std::find_if(q->timers.begin(), q->timers.end(),
                           [&](const Timer& t) { return t.window == window && t.id == id; });
    if (it != q->timers.end() && (window || id)) {
      *it = Timer{window, id, elapse, proc, due};
    } else {
      if (!window) {  // thread timers get an id of their own
        id = kFirstThreadTimer;
        while (std::any_of(q->timers.begin(), q->timers.end(), [&](const Timer& t) { return !t.window && t.id == id; }))
          ++id;
      }
      q->timers.push_back(Timer{window, id, elapse, proc, due});
    }
    ++q->arrivals;
  }
  q->wake.notify_all();
  return window ? (id ? id : 1) : id;
}

KW32_API BOOL WINAPI KillTimer(HWND window, UINT_PTR id) {
  QueuePtr q = timerQueue(window);
  if (!q) return FALSE;
  std::lock_guard<std::mutex> lock(q->mutex);
  auto it = std::find_if(q->timers.begin(), q->timers.end(),
                         [&](const Timer& t) { return t.window == window && t.id == id; });
  if (it == q->timers.end()) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  q->timers.erase(it);
  return TRUE;
}
