// The window manager's records: window classes, windows and the handle table. All of it
// is guarded by one lock, which is never held while a window procedure or hook runs:
// code copies what it needs under the lock, lets go, then calls out.
#pragma once

#include <korvane/win32.h>

#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

struct _cairo_surface;  // cairo_surface_t

namespace kw::user32 {

struct WindowClass {
  std::string name;  // as registered; "#n" for an atom name
  ATOM atom = 0;
  UINT style = 0;
  WNDPROC proc = nullptr;
  int wndExtra = 0;
  HINSTANCE instance = nullptr;
  HICON icon = nullptr;
  HICON smallIcon = nullptr;
  HCURSOR cursor = nullptr;
  HBRUSH background = nullptr;
  LPCSTR menuName = nullptr;
  std::vector<unsigned char> extra;  // cbClsExtra bytes
  bool system = false;               // registered by the window manager itself
  // System classes: frees what the class keeps for a window that leaves without its
  // messages (its thread ended).
  void (*release)(HWND window) = nullptr;
  int windows = 0;                   // live windows of the class
};

struct Property {
  std::string name;  // upper case
  HANDLE data;
};

struct Window {
  HWND handle = nullptr;
  std::shared_ptr<WindowClass> cls;
  DWORD threadId = 0;
  WNDPROC proc = nullptr;
  DWORD style = 0;
  DWORD exStyle = 0;
  HINSTANCE instance = nullptr;
  LONG_PTR id = 0;  // child windows: GWLP_ID; others: the menu
  LONG_PTR userData = 0;
  std::vector<unsigned char> extra;  // cbWndExtra bytes
  std::string text;
  HWND parent = nullptr;  // null only for the roots (desktop, message-only root)
  HWND owner = nullptr;
  std::vector<HWND> children;  // z-order, top first
  RECT window{};               // in the parent's client coordinates
  RECT client{};               // likewise
  RECT normal{};               // the window rectangle to restore after minimizing or maximizing
  std::vector<Property> props;
  RECT update{};              // client coordinates; empty: nothing to paint
  bool erase = false;         // the background goes too (WM_ERASEBKGND in BeginPaint)
  // Top-level windows: the pixels they and their children draw on, the window rectangle's
  // size, made when first drawn on (window_surface.h).
  std::shared_ptr<_cairo_surface> surface;
  bool destroying = false;  // DestroyWindow has begun
  bool dead = false;        // gone from the table
};

using WindowPtr = std::shared_ptr<Window>;

// The lock over every record here.
std::recursive_mutex& windowsLock();
using WindowsLock = std::lock_guard<std::recursive_mutex>;

// The record of a live window, or null (last error ERROR_INVALID_WINDOW_HANDLE). The
// record stays readable while the pointer is held, even if the window dies meanwhile.
WindowPtr findWindow(HWND window);
// Same, without touching the last error.
WindowPtr peekWindow(HWND window);
// Under the lock: the record, or null.
Window* lockedWindow(HWND window);

// The roots: the desktop (parent of top-level windows) and the parent of message-only ones.
HWND desktopWindow();
HWND messageRoot();
bool isRoot(HWND window);

// Table entries. `addWindow` gives the record its handle; `removeWindow` retires the
// handle, which is not handed out again until many others have been.
HWND addWindow(const WindowPtr& record);
void removeWindow(HWND window);

// Every live window (under the lock), for sweeps such as a thread's end.
std::vector<HWND> allWindows();

// The z-order of a parent's children (under the lock). `after` is HWND_TOP, HWND_BOTTOM or
// a sibling; top-level windows keep the WS_EX_TOPMOST ones above the others.
void linkChild(Window& parent, HWND child, HWND after);
void unlinkChild(HWND child);

// Classes (class_table.cpp). `name` is a string or MAKEINTATOM; instance null matches any.
std::shared_ptr<WindowClass> findClass(LPCSTR name, HINSTANCE instance);
// "#n" for atoms, the string otherwise; empty for null.
std::string atomOrName(LPCSTR name);
bool sameName(std::string_view a, std::string_view b);  // without regard to case

// The window's procedure, thread and style, read under the lock (null/0 when not live).
WNDPROC procOf(HWND window);
DWORD threadOf(HWND window);
DWORD styleOf(HWND window);
// The top-level window a window belongs to (itself for a top-level window).
HWND topLevelOf(HWND window);
// Whether the window is a child window (WS_CHILD under a non-root parent).
bool isChildWindow(const Window& w);
// Under the lock: the screen position of the window's client origin (window_rect.cpp).
POINT clientOrigin(const Window& w);

// Calls the window procedure directly on this thread, as SendMessageA does for a window
// of the calling thread (also for the window manager's own messages during creation).
LRESULT callWindow(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// The text DefWindowProcA keeps (window_text.cpp).
LRESULT copyWindowText(HWND window, WPARAM size, LPSTR buffer);
void storeWindowText(HWND window, LPCSTR text);
size_t windowTextLength(HWND window);

// A window going away: `leaveWindowState` before its WM_DESTROY gives up activation and
// focus (with their messages); `forgetWindowState` after its WM_NCDESTROY drops what
// other records say of it (timers, focus, active window), silently.
void leaveWindowState(HWND window);
void forgetWindowState(HWND window);

// Non-client insets a window of these styles has by default (AdjustWindowRectEx's).
RECT frameInsets(DWORD style, DWORD exStyle);

}  // namespace kw::user32
