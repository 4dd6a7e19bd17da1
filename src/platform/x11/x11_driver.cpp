// The X11 driver's side of the window manager's calls: X windows made, shown, moved,
// titled and painted from the windows' surfaces.
#include "x11/x11_driver.h"

#include "user32/window.h"
#include "x11/x11_state.h"

#include <X11/Xatom.h>
#include <X11/cursorfont.h>
#include <cairo-xlib.h>

#include <algorithm>
#include <cstdio>

namespace kw::x11 {
namespace {

// X sizes are 16-bit and never 0: a window larger than that or empty is clipped to it.
unsigned int extent(LONG length) { return static_cast<unsigned int>(std::clamp<LONG>(length, 1, 32767)); }
int coordinate(LONG c) { return static_cast<int>(std::clamp<LONG>(c, -32768, 32767)); }

XErrorHandler gPreviousErrors = nullptr;
std::atomic<Display*> gOurs{nullptr};

// Requests on windows X already forgot (a window destroyed under a pending focus, say)
// fail harmlessly: the window manager does not depend on their answer.
int ignoreErrors(Display* display, XErrorEvent* error) {
  if (display == gOurs.load()) return 0;
  return gPreviousErrors ? gPreviousErrors(display, error) : 0;
}

XIOErrorHandler gPreviousFatal = nullptr;
std::atomic<X11Driver*> gDriverOfOurs{nullptr};

// Xlib's own handler ends the process; for our display, the windows go on headless instead.
int connectionLost(Display* display) {
  if (display != gOurs.load()) return gPreviousFatal ? gPreviousFatal(display) : 0;
  if (X11Driver* driver = gDriverOfOurs.load()) driver->onLost();
  return 0;
}

void lostDisplay(Display*, void* driver) { static_cast<X11Driver*>(driver)->onLost(); }

// The caption as DefWindowProcA keeps it, read without calling the window's procedure.
std::string captionOf(HWND window) {
  user32::WindowsLock lock(user32::windowsLock());
  user32::Window* w = user32::lockedWindow(window);
  return w ? toUtf8(w->text) : std::string();
}

}  // namespace

bool clientOnScreen(HWND window, RECT* rect) {
  if (!GetClientRect(window, rect)) return false;
  MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(rect), 2);
  return true;
}

X11Driver::X11Driver(Display* d)
    : display(d), screenNumber(DefaultScreen(d)), root(RootWindow(d, DefaultScreen(d))) {
  const char* names[] = {"WM_PROTOCOLS", "WM_DELETE_WINDOW", "_NET_WM_NAME", "UTF8_STRING",
                         "CLIPBOARD",    "TARGETS",          "KORVANE_SELECTION", "INCR"};
  Atom got[8];
  XInternAtoms(display, const_cast<char**>(names), 8, False, got);
  atoms = {got[0], got[1], got[2], got[3], got[4], got[5], got[6], got[7]};
  XSetLocaleModifiers("");
  im = XOpenIM(display, nullptr, nullptr, nullptr);
  cursor = XCreateFontCursor(display, XC_left_ptr);
  selectionWindow = XCreateSimpleWindow(display, root, 0, 0, 1, 1, 0, 0, 0);
}

void X11Driver::onLost() {
  if (lost.exchange(true)) return;
  std::fprintf(stderr, "korvane: the X display went away; windows go on without it\n");
}

ScreenSize X11Driver::screen() {
  if (lost) return screenSize();
  return {DisplayWidth(display, screenNumber), DisplayHeight(display, screenNumber)};
}

// Under `mutex`.
XWindow* X11Driver::make(HWND window, const RECT& client) {
  auto found = windows.find(window);
  if (found != windows.end()) return &found->second;
  const unsigned int width = extent(client.right - client.left), height = extent(client.bottom - client.top);
  XSetWindowAttributes attributes{};
  attributes.background_pixel = WhitePixel(display, screenNumber);
  attributes.event_mask = ExposureMask | KeyPressMask | KeyReleaseMask | ButtonPressMask | ButtonReleaseMask |
                          PointerMotionMask | StructureNotifyMask | FocusChangeMask;
  attributes.cursor = cursor;
  ::Window id = XCreateWindow(display, root, coordinate(client.left), coordinate(client.top), width, height, 0,
                              CopyFromParent, InputOutput, CopyFromParent, CWBackPixel | CWEventMask | CWCursor,
                              &attributes);
  XSetWMProtocols(display, id, &atoms.deleteWindow, 1);
  // Where the program put it, not where a window manager would like it.
  XSizeHints hints{};
  hints.flags = USPosition | USSize;
  hints.x = coordinate(client.left);
  hints.y = coordinate(client.top);
  hints.width = static_cast<int>(width);
  hints.height = static_cast<int>(height);
  XSetWMNormalHints(display, id, &hints);
  XWindow& made = windows[window];
  made.id = id;
  made.client = client;
  made.target = cairo_xlib_surface_create(display, id, DefaultVisual(display, screenNumber),
                                          static_cast<int>(width), static_cast<int>(height));
  if (im)
    made.ic = XCreateIC(im, XNInputStyle, XIMPreeditNothing | XIMStatusNothing, XNClientWindow, id,
                        XNFocusWindow, id, nullptr);
  return &made;
}

void X11Driver::title(::Window id, const std::string& utf8) {
  const auto* bytes = reinterpret_cast<const unsigned char*>(utf8.c_str());
  const int length = static_cast<int>(utf8.size());
  XChangeProperty(display, id, atoms.netWmName, atoms.utf8String, 8, PropModeReplace, bytes, length);
  XChangeProperty(display, id, XA_WM_NAME, atoms.utf8String, 8, PropModeReplace, bytes, length);
}

void X11Driver::shown(HWND window, bool visible) {
  if (lost) return;
  RECT client;
  if (!clientOnScreen(window, &client)) return;
  HWND owner = GetWindow(window, GW_OWNER);
  const std::string caption = captionOf(window);
  XLock lock(*this);
  if (lost) return;  // checked again under the lock: after the loss nothing enters Xlib
  if (!visible) {
    auto found = windows.find(window);
    if (found == windows.end()) return;
    XUnmapWindow(display, found->second.id);
    found->second.mapped = false;
    XFlush(display);
    return;
  }
  XWindow* x = make(window, client);
  title(x->id, caption);
  auto ownerWindow = windows.find(owner);
  if (ownerWindow != windows.end()) XSetTransientForHint(display, x->id, ownerWindow->second.id);
  XMapRaised(display, x->id);
  XFlush(display);
}

void X11Driver::placed(HWND window, const RECT&) {
  if (lost) return;
  RECT client;
  if (!clientOnScreen(window, &client)) return;
  XLock lock(*this);
  if (lost) return;  // checked again under the lock: after the loss nothing enters Xlib
  auto found = windows.find(window);
  if (found == windows.end() || EqualRect(&found->second.client, &client)) return;
  XWindow& x = found->second;
  x.client = client;
  x.placeSerial = NextRequest(display);
  const unsigned int width = extent(client.right - client.left), height = extent(client.bottom - client.top);
  XMoveResizeWindow(display, x.id, coordinate(client.left), coordinate(client.top), width, height);
  cairo_xlib_surface_set_size(x.target, static_cast<int>(width), static_cast<int>(height));
  XFlush(display);
}

void X11Driver::present(HWND window, const RECT& area) {
  if (lost) return;
  std::shared_ptr<cairo_surface_t> image;
  POINT offset;  // of the client area in the window rectangle
  {
    user32::WindowsLock lock(user32::windowsLock());
    user32::Window* w = user32::lockedWindow(window);
    if (!w || !w->surface) return;
    image = w->surface;
    offset = {w->client.left - w->window.left, w->client.top - w->window.top};
  }
  XLock lock(*this);
  if (lost) return;  // checked again under the lock: after the loss nothing enters Xlib
  auto found = windows.find(window);
  if (found == windows.end()) return;
  cairo_t* cr = cairo_create(found->second.target);
  cairo_set_source_surface(cr, image.get(), -offset.x, -offset.y);
  cairo_rectangle(cr, area.left - offset.x, area.top - offset.y, area.right - area.left, area.bottom - area.top);
  cairo_fill(cr);
  cairo_destroy(cr);
  cairo_surface_flush(found->second.target);
  XFlush(display);
}

void X11Driver::retitled(HWND window) {
  if (lost) return;
  const std::string caption = captionOf(window);
  XLock lock(*this);
  if (lost) return;  // checked again under the lock: after the loss nothing enters Xlib
  auto found = windows.find(window);
  if (found == windows.end()) return;
  title(found->second.id, caption);
  XFlush(display);
}

void X11Driver::destroyed(HWND window) {
  XLock lock(*this);
  auto found = windows.find(window);
  if (found == windows.end()) return;
  XWindow& x = found->second;
  if (!lost) {  // after the loss, what X kept for it has gone with the server
    cairo_surface_destroy(x.target);
    if (x.ic) XDestroyIC(x.ic);
    XDestroyWindow(display, x.id);
    XFlush(display);
  }
  if (focusWanted == x.id) focusWanted = 0;
  windows.erase(found);
}

// Under `mutex`.
void X11Driver::focus(::Window id) {
  focusSerial = NextRequest(display);
  XSetInputFocus(display, id, RevertToParent, CurrentTime);
  XFlush(display);
}

void X11Driver::activated(HWND window) {
  if (lost) return;
  XLock lock(*this);
  if (lost) return;  // checked again under the lock: after the loss nothing enters Xlib
  auto found = windows.find(window);
  if (found == windows.end()) return;
  if (found->second.mapped)
    focus(found->second.id);
  else
    focusWanted = found->second.id;  // X refuses focus to a window not yet on the screen
}

void X11Driver::cursorChanged(HCURSOR handle) {
  if (lost) return;
  const ULONG_PTR id = reinterpret_cast<ULONG_PTR>(handle) & 0xFFFF;
  unsigned int shape = XC_left_ptr;
  if (id == 32514 || id == 32650) shape = XC_watch;  // IDC_WAIT, IDC_APPSTARTING
  if (id == 32513) shape = XC_xterm;                 // IDC_IBEAM
  if (id == 32515) shape = XC_crosshair;             // IDC_CROSS
  if (id == 32649) shape = XC_hand2;                 // IDC_HAND
  XLock lock(*this);
  if (lost) return;  // checked again under the lock: after the loss nothing enters Xlib
  Cursor old = cursor;
  cursor = XCreateFontCursor(display, shape);
  for (auto& [window, x] : windows) XDefineCursor(display, x.id, cursor);
  XFreeCursor(display, old);
  XFlush(display);
}

bool X11Driver::beep(UINT) {
  XLock lock(*this);
  if (lost) return false;
  XBell(display, 0);
  XFlush(display);
  return true;
}

user32::Driver* openDriver(std::string* why) {
  XInitThreads();
  const char* name = XDisplayName(nullptr);
  Display* display = XOpenDisplay(nullptr);
  if (!display) {
    *why = std::string("no X server answers at DISPLAY=\"") + (name ? name : "") + "\"";
    return nullptr;
  }
  gOurs.store(display);
  gPreviousErrors = XSetErrorHandler(ignoreErrors);
  auto* driver = new X11Driver(display);
  gDriverOfOurs.store(driver);
  gPreviousFatal = XSetIOErrorHandler(connectionLost);
  XSetIOErrorExitHandler(display, lostDisplay, driver);
  std::thread([driver] { driver->run(); }).detach();
  return driver;
}

}  // namespace kw::x11
