// What the window manager asks of a display: its size, showing what windows drew, and
// the input it gathered. The headless driver has no display: windows still exist, take
// messages and draw into their surfaces; nothing is shown and no input comes from it.
//
// Calls come from the thread of the window concerned, some under the windows lock, so a
// driver never calls back into the window manager from them; it hands display events to
// the window manager from its own thread, or from `pollInput` on the window's thread.
#pragma once

#include "internal.h"

#include <korvane/win32.h>

#include <string>

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
  // Passes input the display has gathered to the queues (SendInput and friends), and
  // runs what the display left for the calling thread's windows; called before a thread
  // waits for messages.
  virtual void pollInput() = 0;
  // Whether a person can answer a window: a modal loop then waits for input instead of
  // giving up on a box no one can see.
  virtual bool interactive() { return false; }
  // A top-level window's caption changed; it is going away (under the windows lock).
  virtual void retitled(HWND) {}
  virtual void destroyed(HWND) {}
  // A top-level window became the active one of its thread.
  virtual void activated(HWND) {}
  // The cursor in force changed (null: none).
  virtual void cursorChanged(HCURSOR) {}
  // Sounds the beep; false when the display has none.
  virtual bool beep(UINT) { return false; }
  // The clipboard got new text (CF_TEXT, in the ANSI code page) that the display's other
  // programs may now ask for; `otherText` fills `text` with what another program holds,
  // false when the clipboard is ours or empty.
  virtual void clipboardChanged() {}
  virtual bool otherOffersText() { return false; }
  virtual bool otherText(std::string&) { return false; }
};

// The driver in force. On first use it is chosen from KORVANE_DISPLAY: "none" headless,
// "x11" the X display of DISPLAY (ending the process with a message when none answers),
// unset the X display when DISPLAY names one that answers, else headless.
Driver& driver();
// Installs a driver (null: back to headless); the window manager keeps it to the end.
void installDriver(Driver* replacement);

}  // namespace kw::user32
