// The X11 driver's records: the connection, and an X window for each shown top-level
// window. Lock order: the windows lock, then `mutex`, then Xlib's own; the event thread
// lets go of `mutex` before it calls the window manager.
#pragma once

#include "user32/driver.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <cairo.h>

#include <signal.h>

#include <atomic>
#include <condition_variable>
#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace kw::x11 {

// Held while Xlib runs on this thread: a write to a server that has gone raises SIGPIPE,
// which would end the whole process without a word. The signal is blocked meanwhile, and
// one raised then is taken back before the thread's mask is restored.
class QuietPipe {
 public:
  QuietPipe();
  ~QuietPipe();
  QuietPipe(const QuietPipe&) = delete;
  QuietPipe& operator=(const QuietPipe&) = delete;

 private:
  sigset_t old_;
  bool pending_;  // already pending before: not ours to take
};

struct XWindow {
  ::Window id = 0;
  cairo_surface_t* target = nullptr;  // cairo over the X window
  XIC ic = nullptr;                   // the input method's context, when there is one
  RECT client{};                      // where X has it (screen), as last asked or told
  unsigned long placeSerial = 0;      // the request that last moved it: older news is stale
  bool mapped = false;                // MapNotify seen: focus can go to it
};

struct Atoms {
  Atom protocols, deleteWindow, netWmName, utf8String, clipboard, targets, property, incr;
};

class X11Driver final : public user32::Driver {
 public:
  X11Driver(Display* display);
  // Never destroyed: it lives as long as the process, its event thread with it.

  ScreenSize screen() override;
  void shown(HWND window, bool visible) override;
  void placed(HWND window, const RECT& rect) override;
  void present(HWND window, const RECT& area) override;
  void pollInput() override;
  bool interactive() override { return !lost; }
  void retitled(HWND window) override;
  void destroyed(HWND window) override;
  void activated(HWND window) override;
  void cursorChanged(HCURSOR cursor) override;
  bool beep(UINT type) override;
  void clipboardChanged() override;
  bool otherOffersText() override;
  bool otherText(std::string& text) override;
  // The CLIPBOARD selection's events (x11_clipboard.cpp); false for any other event.
  bool selectionEvent(XEvent& event);

  // Event thread (x11_events.cpp).
  void run();
  void handle(XEvent& event);
  void configured(HWND window, const XConfigureEvent& event);
  void key(HWND window, XKeyEvent& event);
  // Runs `task` on the thread of `window` the next time it looks for messages.
  void later(HWND window, std::function<void()> task);
  HWND windowOf(::Window id);
  void onLost();

  Display* const display;
  const int screenNumber;
  const ::Window root;
  Atoms atoms{};
  XIM im = nullptr;
  std::atomic<bool> lost{false};

  std::mutex mutex;  // guards what follows, and every use of Xlib (through XLock)
  std::map<HWND, XWindow> windows;
  std::map<DWORD, std::vector<std::function<void()>>> tasks;
  std::atomic<size_t> queuedTasks{0};  // read without the lock, so idle threads pass quickly
  ::Window focusWanted = 0;  // activated before it was mapped
  unsigned long focusSerial = 0;
  Cursor cursor = 0;
  // The clipboard: an unmapped window owns the selection and receives what others send.
  ::Window selectionWindow = 0;
  std::condition_variable selectionArrived;
  unsigned long selectionAnswers = 0;  // SelectionNotify events seen
  bool selectionGiven = false;         // the last one brought text

 private:
  XWindow* make(HWND window, const RECT& client);
  void title(::Window id, const std::string& utf8);

 public:
  // Under `mutex`: asks X to give the keyboard to `id`.
  void focus(::Window id);
};

// The driver's lock, taken around every use of Xlib.
struct XLock {
  explicit XLock(X11Driver& driver) : lock(driver.mutex) {}
  std::lock_guard<std::mutex> lock;
  QuietPipe quiet;
};

// The client rectangle of a top-level window in screen coordinates; false when gone.
bool clientOnScreen(HWND window, RECT* rect);

// Text between the ANSI code page and UTF-8; bytes that do not convert become '?'.
std::string toUtf8(const std::string& ansi);
std::string fromUtf8(const std::string& utf8);

// The virtual key of an X key symbol (its unshifted one), 0 when none stands for it;
// whether the key is one of Windows' extended keys.
WORD virtualKeyOf(KeySym symbol, bool* extended);

}  // namespace kw::x11
