// Timers: each lives in the queue of its window's thread (or of the thread that set it).
#pragma once

#include "user32/queue.h"

#include <vector>

namespace kw::user32 {

// A due timer of the queue whose window is among `windows` (empty: any; a null entry
// alone: thread timers only) as a WM_TIMER message; `remove` starts its next interval.
// Otherwise false, with `nextDue` lowered to the earliest matching timer's time.
bool dueTimer(Queue& q, const std::vector<HWND>& windows, bool remove, MSG* out, Clock::time_point* nextDue);

// Whether a timer with this procedure still exists (DispatchMessageA calls only those).
bool timerExists(HWND window, UINT_PTR id, TIMERPROC proc);

// Drops a window's timers.
void dropTimers(HWND window);

}  // namespace kw::user32
