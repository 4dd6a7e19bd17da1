// What a message box of a given style holds: its buttons, the default one, the answer
// that Escape gives, its icon; and the line a box shows on standard error when no one
// can answer it.
#pragma once

#include <korvane/win32.h>
#include <korvane/win32/user32/dialog.h>

#include <string>
#include <vector>

namespace kw::user32 {

struct MessageBoxButton {
  int id;
  const char* label;
};

struct MessageBoxPlan {
  std::vector<MessageBoxButton> buttons;  // left to right; none for a style Win32 refuses
  size_t defaultButton = 0;               // index into buttons
  int escapeId = 0;                       // the answer of Escape and Close, 0: they do nothing
  UINT icon = 0;                          // MB_ICONHAND ... MB_ICONASTERISK, or 0
  int defaultId() const { return buttons.empty() ? 0 : buttons[defaultButton].id; }
};

MessageBoxPlan planMessageBox(UINT type);

// "caption: text [label]" with the default button's label (no "&"), for standard error.
std::string messageBoxReport(LPCSTR caption, LPCSTR text, const MessageBoxPlan& plan);

}  // namespace kw::user32
