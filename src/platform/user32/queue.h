// Per-thread message queues: posted messages, messages sent from other threads, the quit
// flag and timers. A queue's mutex is taken last: nothing else is locked while it is held.
#pragma once

#include <korvane/win32.h>

#include <chrono>
#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <vector>

namespace kw::user32 {

using Clock = std::chrono::steady_clock;

struct Queue;

// A message one thread sends to a window of another; the sender's mutex guards the answer.
struct SentMessage {
  HWND window;
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
  std::shared_ptr<Queue> sender;
  LRESULT result = 0;
  bool done = false;
};

struct Timer {
  HWND window;
  UINT_PTR id;
  UINT interval;  // ms
  TIMERPROC proc;
  Clock::time_point due;
};

struct Queue {
  explicit Queue(DWORD thread) : threadId(thread) {}
  const DWORD threadId;

  std::mutex mutex;
  std::condition_variable wake;
  // Guarded by `mutex`:
  std::deque<MSG> posted;
  std::deque<MSG> input;  // keyboard and mouse input: taken after posted messages
  std::deque<std::shared_ptr<SentMessage>> sent;
  std::vector<Timer> timers;
  bool quit = false;
  int quitCode = 0;
  bool ended = false;              // the thread has gone: nothing more is taken
  bool waiting = false;            // blocked for messages (a waiting thread is not hung)
  Clock::time_point lastTaken = Clock::now();
  unsigned long arrivals = 0;      // counts everything that may end a wait

  // Touched by the owning thread only:
  int answering = 0;      // depth of sent messages being answered (InSendMessage)
  DWORD messageTime = 0;  // time of the last message taken
};

using QueuePtr = std::shared_ptr<Queue>;

// The calling thread's queue, made on first use.
QueuePtr currentQueue();
// A thread's queue; null when the thread has none or has ended.
QueuePtr queueOf(DWORD threadId);

// Milliseconds since the window manager started, for MSG.time and timer procedures.
DWORD tickCount();

// Appends a posted message and wakes the thread; false when the thread has ended.
bool post(Queue& q, const MSG& msg);
// Appends keyboard or mouse input, which comes after posted messages; a WM_MOUSEMOVE
// replaces one last in the input for the same window. False when the thread has ended.
bool postInput(Queue& q, const MSG& msg);
// Wakes the thread for something it finds itself (a paint, a timer).
void nudge(Queue& q);

// Answers one message another thread sent to this one; false when none waits.
bool answerSent(Queue& q);

// Sends to a window of another thread and waits for the answer, answering messages sent to
// this thread meanwhile unless SMTO_BLOCK. `timeoutMs` 0: no limit. False when the
// thread has ended, is hung (SMTO_ABORTIFHUNG), or did not answer in time.
bool sendAcross(DWORD threadId, HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT flags,
                UINT timeoutMs, LRESULT* result);

// Called when a thread with a queue ends: its windows go, without messages.
void forgetThreadWindows(DWORD threadId);

}  // namespace kw::user32
