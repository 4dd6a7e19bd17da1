// The X11 driver's event thread: what the server reports becomes the window manager's
// input and messages. Work that sends messages runs on the window's own thread (`later`).
#include "user32/mouse.h"
#include "user32/queue.h"
#include "user32/window.h"
#include "x11/x11_state.h"

#include <poll.h>

#include <X11/keysym.h>
#include <cairo-xlib.h>

#include <vector>

namespace kw::x11 {
namespace {

constexpr int kPollMs = 100;  // how soon the thread sees events another thread read in

// Shows `area` (client coordinates) again from what the window last drew.
void presentClient(X11Driver& driver, HWND window, RECT area) {
  RECT client, frame;
  if (!GetClientRect(window, &client) || !GetWindowRect(window, &frame)) return;
  POINT origin{0, 0};
  ClientToScreen(window, &origin);
  OffsetRect(&area, origin.x - frame.left, origin.y - frame.top);
  driver.present(window, area);
}

// Characters a key gives that no virtual key stands for, as UTF-8.
std::string textOf(XKeyEvent& event, XIC ic, KeySym* symbol) {
  char buffer[64];
  int length;
  if (ic) {
    Status status;
    length = Xutf8LookupString(ic, &event, buffer, sizeof buffer - 1, symbol, &status);
    if (status != XLookupChars && status != XLookupBoth) length = 0;
    return std::string(buffer, static_cast<size_t>(length > 0 ? length : 0));
  }
  XLookupString(&event, buffer, sizeof buffer - 1, symbol, nullptr);
  // Latin-1 symbols are their own code points; others carry theirs above 0x01000000.
  unsigned long code = 0;
  if ((*symbol >= 0x20 && *symbol <= 0x7E) || (*symbol >= 0xA0 && *symbol <= 0xFF)) code = *symbol;
  if ((*symbol & 0xFF000000) == 0x01000000) code = *symbol & 0x00FFFFFF;
  if (!code || code > 0x10FFFF) return {};
  WCHAR wide[2];
  int units = 1;
  if (code >= 0x10000) {
    wide[0] = static_cast<WCHAR>(0xD800 + ((code - 0x10000) >> 10));
    wide[1] = static_cast<WCHAR>(0xDC00 + ((code - 0x10000) & 0x3FF));
    units = 2;
  } else {
    wide[0] = static_cast<WCHAR>(code);
  }
  length = WideCharToMultiByte(CP_UTF8, 0, wide, units, buffer, sizeof buffer, nullptr, nullptr);
  return std::string(buffer, static_cast<size_t>(length > 0 ? length : 0));
}

void sendCharacters(const std::string& utf8) {
  WCHAR wide[64];
  const int units = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), wide, 64);
  for (int i = 0; i < units; ++i) {
    INPUT in[2]{};
    for (INPUT& one : in) {
      one.type = INPUT_KEYBOARD;
      one.ki.wScan = wide[i];
      one.ki.dwFlags = KEYEVENTF_UNICODE;
    }
    in[1].ki.dwFlags |= KEYEVENTF_KEYUP;
    SendInput(2, in, sizeof(INPUT));
  }
}

}  // namespace

HWND X11Driver::windowOf(::Window id) {
  std::lock_guard<std::mutex> lock(mutex);
  for (const auto& [window, x] : windows)
    if (x.id == id) return window;
  return nullptr;
}

void X11Driver::later(HWND window, std::function<void()> task) {
  const DWORD thread = GetWindowThreadProcessId(window, nullptr);
  if (!thread) return;
  {
    std::lock_guard<std::mutex> lock(mutex);
    tasks[thread].push_back(std::move(task));
    ++queuedTasks;
  }
  if (user32::QueuePtr q = user32::queueOf(thread)) user32::nudge(*q);
}

void X11Driver::pollInput() {
  if (queuedTasks.load() == 0) return;  // every look for messages passes here
  std::vector<std::function<void()>> mine;
  {
    std::lock_guard<std::mutex> lock(mutex);
    auto found = tasks.find(GetCurrentThreadId());
    if (found == tasks.end()) return;
    mine.swap(found->second);
    tasks.erase(found);
    queuedTasks -= mine.size();
  }
  for (auto& task : mine) task();
}

void X11Driver::run() {
  const int fd = ConnectionNumber(display);
  std::vector<XEvent> events;
  while (!lost) {
    {
      // Xlib is entered under `mutex` only, one thread at a time: after the server's loss
      // it then leaves no other thread waiting inside it.
      XLock lock(*this);
      while (!lost && XPending(display) > 0) {
        XEvent event;
        XNextEvent(display, &event);
        if (!XFilterEvent(&event, None)) events.push_back(event);  // else the input method's
      }
    }
    for (XEvent& event : events) handle(event);
    events.clear();
    if (lost) break;
    pollfd wait{fd, POLLIN, 0};
    poll(&wait, 1, kPollMs);
  }
}

void X11Driver::handle(XEvent& event) {
  if (selectionEvent(event)) return;
  HWND window = windowOf(event.xany.window);
  if (!window) return;
  switch (event.type) {
    case Expose: {
      const XExposeEvent& e = event.xexpose;
      const RECT area{e.x, e.y, e.x + e.width, e.y + e.height};
      later(window, [this, window, area] { presentClient(*this, window, area); });
      break;
    }
    case MapNotify: {
      XLock lock(*this);
      auto found = windows.find(window);
      if (lost || found == windows.end()) break;
      found->second.mapped = true;
      if (focusWanted == found->second.id) {
        focusWanted = 0;
        focus(found->second.id);
      }
      break;
    }
    case UnmapNotify: {
      std::lock_guard<std::mutex> lock(mutex);
      auto found = windows.find(window);
      if (found != windows.end()) found->second.mapped = false;
      break;
    }
    case ConfigureNotify: configured(window, event.xconfigure); break;
    case ClientMessage:
      if (event.xclient.message_type == atoms.protocols &&
          static_cast<Atom>(event.xclient.data.l[0]) == atoms.deleteWindow && IsWindowEnabled(window))
        PostMessageA(window, WM_CLOSE, 0, 0);  // a dialog takes it as Cancel
      break;
    case FocusIn: {
      const XFocusChangeEvent& e = event.xfocus;
      if (e.detail == NotifyPointer || e.detail == NotifyInferior || e.mode == NotifyGrab || e.mode == NotifyUngrab)
        break;
      {
        XLock lock(*this);
        auto found = windows.find(window);
        if (lost) break;
        if (found != windows.end() && found->second.ic) XSetICFocus(found->second.ic);
        if (e.serial < focusSerial) break;  // news of a focus we have since moved
      }
      later(window, [window] {
        if (GetForegroundWindow() != window && IsWindowEnabled(window)) SetForegroundWindow(window);
      });
      break;
    }
    case KeyPress:
    case KeyRelease: key(window, event.xkey); break;
    case ButtonPress:
    case ButtonRelease: {
      // X's buttons 1 to 3 are left, middle and right; 4 and up are the wheel's.
      const unsigned int b = event.xbutton.button;
      const user32::MouseButton button = b == 1   ? user32::MouseButton::Left
                                         : b == 2 ? user32::MouseButton::Middle
                                         : b == 3 ? user32::MouseButton::Right
                                                  : user32::MouseButton::Nothing;
      if (button != user32::MouseButton::Nothing)
        user32::mouseInput({event.xbutton.x_root, event.xbutton.y_root}, button, event.type == ButtonPress);
      break;
    }
    case MotionNotify:
      user32::mouseInput({event.xmotion.x_root, event.xmotion.y_root}, user32::MouseButton::Nothing, false);
      break;
    default: break;
  }
}

void X11Driver::configured(HWND window, const XConfigureEvent& e) {
  RECT told;
  {
    XLock lock(*this);
    if (lost) return;
    int x = e.x, y = e.y;
    if (!e.send_event) {  // relative to a window manager's frame: ask where that is
      ::Window child;
      XTranslateCoordinates(display, e.window, root, 0, 0, &x, &y, &child);
    }
    told = {x, y, x + e.width, y + e.height};
    auto found = windows.find(window);
    if (found == windows.end() || e.serial < found->second.placeSerial) return;  // stale
    if (EqualRect(&found->second.client, &told)) return;
    found->second.client = told;
    cairo_xlib_surface_set_size(found->second.target, e.width, e.height);
  }
  // The person moved or resized it: the window follows, keeping its frame around the client.
  later(window, [window, told] {
    RECT client, frame;
    if (!clientOnScreen(window, &client) || !GetWindowRect(window, &frame) || EqualRect(&client, &told)) return;
    const int left = told.left - (client.left - frame.left), top = told.top - (client.top - frame.top);
    const int width = (told.right - told.left) + (frame.right - frame.left) - (client.right - client.left);
    const int height = (told.bottom - told.top) + (frame.bottom - frame.top) - (client.bottom - client.top);
    SetWindowPos(window, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
  });
}

void X11Driver::key(HWND window, XKeyEvent& e) {
  const bool up = e.type == KeyRelease;
  bool extended = false;
  const WORD key = virtualKeyOf(XLookupKeysym(&e, 0), &extended);
  if (key) {
    keybd_event(static_cast<BYTE>(key), static_cast<BYTE>(e.keycode - 8),
                (up ? KEYEVENTF_KEYUP : 0) | (extended ? KEYEVENTF_EXTENDEDKEY : 0), 0);
    return;
  }
  if (up) return;
  std::string text;
  {
    XLock lock(*this);  // the context goes with its window
    auto found = windows.find(window);
    if (lost || found == windows.end()) return;
    KeySym symbol = NoSymbol;
    text = textOf(e, found->second.ic, &symbol);
  }
  sendCharacters(text);
}

}  // namespace kw::x11
