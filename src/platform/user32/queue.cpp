// The queues of the threads and the waiting side of sending across threads.
#include "user32/queue.h"

#include "user32/thread_input.h"
#include "user32/window.h"

#include <algorithm>
#include <unordered_map>

namespace kw::user32 {
namespace {

constexpr auto kHungAfter = std::chrono::seconds(5);

struct Registry {
  std::mutex mutex;
  std::unordered_map<DWORD, QueuePtr> queues;
};

Registry& registry() {
  static auto* r = new Registry;  // outlives the threads that end during static clean-up
  return *r;
}

// Ends the thread's queue when the thread ends: whoever waits on it gets 0 at once.
struct QueueOwner {
  QueuePtr queue;
  ~QueueOwner() {
    if (!queue) return;
    {
      std::lock_guard<std::mutex> lock(registry().mutex);
      registry().queues.erase(queue->threadId);
    }
    std::deque<std::shared_ptr<SentMessage>> waiting;
    {
      std::lock_guard<std::mutex> lock(queue->mutex);
      queue->ended = true;
      waiting.swap(queue->sent);
      queue->posted.clear();
      queue->input.clear();
      queue->timers.clear();
    }
    for (auto& m : waiting) {
      {
        std::lock_guard<std::mutex> lock(m->sender->mutex);
        m->done = true;
        m->result = 0;
      }
      m->sender->wake.notify_all();
    }
    forgetThreadWindows(queue->threadId);
    forgetThreadInput(queue->threadId);
  }
};

thread_local QueueOwner tOwner;

bool isHung(Queue& q) {
  std::lock_guard<std::mutex> lock(q.mutex);
  return !q.waiting && !q.answering && Clock::now() - q.lastTaken > kHungAfter;
}

// Takes a sent message out of the target's queue if the target has not begun on it.
void withdraw(Queue& target, const std::shared_ptr<SentMessage>& m) {
  std::lock_guard<std::mutex> lock(target.mutex);
  auto it = std::find(target.sent.begin(), target.sent.end(), m);
  if (it != target.sent.end()) target.sent.erase(it);
}

bool append(Queue& q, std::deque<MSG> Queue::*list, const MSG& msg) {
  {
    std::lock_guard<std::mutex> lock(q.mutex);
    if (q.ended) return false;
    (q.*list).push_back(msg);
    ++q.arrivals;
  }
  q.wake.notify_all();
  return true;
}

}  // namespace

QueuePtr currentQueue() {
  if (!tOwner.queue) {
    auto q = std::make_shared<Queue>(GetCurrentThreadId());
    std::lock_guard<std::mutex> lock(registry().mutex);
    registry().queues[q->threadId] = q;
    tOwner.queue = q;
  }
  return tOwner.queue;
}

QueuePtr queueOf(DWORD threadId) {
  std::lock_guard<std::mutex> lock(registry().mutex);
  auto it = registry().queues.find(threadId);
  return it == registry().queues.end() ? nullptr : it->second;
}

DWORD tickCount() {
  static const Clock::time_point start = Clock::now();
  return static_cast<DWORD>(std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count());
}

bool post(Queue& q, const MSG& msg) { return append(q, &Queue::posted, msg); }

bool postInput(Queue& q, const MSG& msg) {
  if (msg.message == WM_MOUSEMOVE) {
    std::lock_guard<std::mutex> lock(q.mutex);
    if (q.ended) return false;
    if (!q.input.empty() && q.input.back().message == WM_MOUSEMOVE && q.input.back().hwnd == msg.hwnd) {
      q.input.back() = msg;  // the thread is woken for it already
      return true;
    }
  }
  return append(q, &Queue::input, msg);
}

void nudge(Queue& q) {
  {
    std::lock_guard<std::mutex> lock(q.mutex);
    ++q.arrivals;
  }
  q.wake.notify_all();
}

bool answerSent(Queue& q) {
  std::shared_ptr<SentMessage> m;
  {
    std::lock_guard<std::mutex> lock(q.mutex);
    if (q.sent.empty()) return false;
    m = q.sent.front();
    q.sent.pop_front();
    q.lastTaken = Clock::now();
  }
  LRESULT result = 0;
  if (threadOf(m->window) == q.threadId) {
    ++q.answering;
    result = callWindow(m->window, m->message, m->wParam, m->lParam);
    --q.answering;
  }
  {
    std::lock_guard<std::mutex> lock(m->sender->mutex);
    m->result = result;
    m->done = true;
    ++m->sender->arrivals;
  }
  m->sender->wake.notify_all();
  return true;
}

bool sendAcross(DWORD threadId, HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT flags,
                UINT timeoutMs, LRESULT* result) {
  QueuePtr self = currentQueue();
  QueuePtr target = queueOf(threadId);
  if (!target || ((flags & SMTO_ABORTIFHUNG) && isHung(*target))) return false;
  auto m = std::make_shared<SentMessage>(SentMessage{window, message, wParam, lParam, self});
  {
    std::lock_guard<std::mutex> lock(target->mutex);
    if (target->ended) return false;
    target->sent.push_back(m);
    ++target->arrivals;
  }
  target->wake.notify_all();

  const bool limited = timeoutMs != 0;
  const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
  std::unique_lock<std::mutex> lock(self->mutex);
  while (!m->done) {
    if (!(flags & SMTO_BLOCK) && !self->sent.empty()) {
      lock.unlock();
      answerSent(*self);
      lock.lock();
      continue;
    }
    self->waiting = true;
    unsigned long seen = self->arrivals;
    const auto woken = [&] { return m->done || self->arrivals != seen; };
    bool timedOut = false;
    if (limited)
      timedOut = !self->wake.wait_until(lock, deadline, woken);
    else
      self->wake.wait(lock, woken);
    self->waiting = false;
    if (timedOut && !m->done) {
      lock.unlock();
      withdraw(*target, m);
      return false;
    }
  }
  *result = m->result;
  return true;
}

}  // namespace kw::user32
