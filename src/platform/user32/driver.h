// What the window manager asks of a display: its size, showing what windows drew, and
// the input it gathered. The headless driver has no display: windows still exist, take
// messages and draw into their surfaces; nothing is shown and no input comes from it.
#pragma once

#include "internal.h"

#include <korvane/win32.h>

namespace kw::user32 {

class Driver {
 public:
  virtual ~Driver() = default;
  virtual ScreenSize screen() = 0;
  // A top-level window was shown or hidden, or moved to `rect` (screen coordinates).
  virtual void shown(HWND window, bool visible) = 0;
  virtual void placed(HWND window, const RECT& rect) = 0;
  // A top-level window drew into `area` of its surface (window coordinates).
  virtual void present(HWND window, const RECT& area) = 0;
  // Passes input the display has gathered to the queues (SendInput and friends); called
  // before a thread waits for messages.
  virtual void pollInput() = 0;
};

// The driver in force: the headless one unless a display driver was installed.
Driver& driver();
// Installs a driver (null: back to headless); the window manager keeps it to the end.
void installDriver(Driver* replacement);

}  // namespace kw::user32
