// What the standard controls share: their per-window state, the notifications they send
// their parent, the font and redraw flag every control keeps, and the colours and text
// measuring they paint with.
#pragma once

#include <korvane/win32.h>

#include <string>
#include <string_view>

#include "user32/dialog_system.h"

namespace kw::user32 {

// The window procedures of the standard controls and of the dialog class.
WNDPROC editWindowProc();
WNDPROC listBoxWindowProc();
WNDPROC comboBoxWindowProc();
WNDPROC buttonWindowProc();
WNDPROC staticWindowProc();

// The state of a control lives in its first window extra slot, from WM_NCCREATE (which
// `attach` answers) until WM_NCDESTROY (`detach`).
template <typename State>
State* stateOf(HWND window) {
  return reinterpret_cast<State*>(GetWindowLongPtrA(window, 0));
}

template <typename State>
LRESULT attach(HWND window, State* state, WPARAM wParam, LPARAM lParam) {
  SetWindowLongPtrA(window, 0, reinterpret_cast<LONG_PTR>(state));
  return DefWindowProcA(window, WM_NCCREATE, wParam, lParam);
}

template <typename State>
void detach(HWND window) {
  delete stateOf<State>(window);
  SetWindowLongPtrA(window, 0, 0);
}

// WM_COMMAND to the parent: the control's id and `code`, the control as lParam.
void notifyParent(HWND control, WORD code);

// What every control answers alike: WM_SETFONT, WM_GETFONT, WM_SETREDRAW, WM_ENABLE (it
// repaints) and WM_ERASEBKGND (nothing to erase: painting covers the whole control).
struct ControlBase {
  HFONT font = nullptr;
  bool redraw = true;
  // Handles those messages; false for any other.
  bool handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);
  // Repaints the whole control unless redrawing is off.
  void invalidate(HWND window) const;
};

// The colours the controls paint with.
namespace colours {
constexpr COLORREF kWindow = RGB(255, 255, 255);
constexpr COLORREF kFace = RGB(212, 208, 200);
constexpr COLORREF kText = RGB(0, 0, 0);
constexpr COLORREF kGrayText = RGB(128, 128, 128);
constexpr COLORREF kHighlight = RGB(10, 36, 106);
constexpr COLORREF kHighlightText = RGB(255, 255, 255);
constexpr COLORREF kFrame = RGB(64, 64, 64);
}  // namespace colours

// A paint session (BeginPaint to EndPaint) over the control's client area in its font,
// text drawn transparently; the window is validated, so no WM_PAINT follows until it is
// invalidated again.
class ControlPaint {
 public:
  ControlPaint(HWND window, HFONT font);
  ~ControlPaint();
  ControlPaint(const ControlPaint&) = delete;
  ControlPaint& operator=(const ControlPaint&) = delete;
  HDC dc() const { return dc_; }
  const RECT& client() const { return client_; }
  void fill(const RECT& r, COLORREF colour) const;
  void frame(const RECT& r, COLORREF colour) const;
  void clip(const RECT& r) const;  // drawing from here on stays inside r
  void text(int x, int y, std::string_view s, COLORREF colour) const;
  int width(std::string_view s) const;
  int lineHeight() const;

 private:
  HWND window_;
  PAINTSTRUCT ps_{};
  HDC dc_;
  RECT client_;
  HGDIOBJ oldFont_ = nullptr;
};

// A window's text.
std::string windowTextOf(HWND window);

// The text of a control without its "&" markers ("&&" stands for one "&").
std::string withoutPrefixes(std::string_view text);

// Copies `text` into a WM_GETTEXT buffer of `size` bytes, never half a double-byte
// character; the bytes copied.
LRESULT copyText(std::string_view text, WPARAM size, LPARAM buffer);

}  // namespace kw::user32
