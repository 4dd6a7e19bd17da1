// The controls' and dialogs' way to the graphics layer, painting and input, as they stand
// today: no graphics layer yet, so every font is the system font's 8 x 16 cell (a
// double-byte character two cells), nothing is drawn, keys read as up and the clipboard
// lives in this process.
#include "user32/dialog_system.h"

#include <mutex>

#include "user32/dialog_control.h"
#include "user32/queue.h"

namespace kw::user32 {

namespace {

constexpr int kCellWidth = 8, kCellHeight = 16;

std::mutex& clipboardLock() {
  static std::mutex lock;
  return lock;
}

std::string& clipboard() {
  static std::string text;
  return text;
}

}  // namespace

int textWidth(HFONT, std::string_view text) { return static_cast<int>(text.size()) * kCellWidth; }

int lineHeight(HFONT) { return kCellHeight; }

bool fontBaseUnits(HFONT, int*, int*) { return false; }

HFONT createDialogFont(int, int, bool, BYTE, const std::string&) { return nullptr; }

void deleteFont(HFONT) {}

void repaint(HWND) {}

void paintNow(HWND) {}

void fillRect(HDC, const RECT&, COLORREF) {}

bool isKeyDown(int) { return false; }

void translateKeys(const MSG&) {}

void beep(UINT) {}

bool inputCanArrive() {
  QueuePtr q = currentQueue();
  std::lock_guard<std::mutex> hold(q->mutex);
  return !q->timers.empty();
}

SIZE screenSize() { return SIZE{1024, 768}; }

bool putClipboardText(HWND, std::string_view text) {
  std::lock_guard<std::mutex> hold(clipboardLock());
  clipboard().assign(text);
  return true;
}

bool takeClipboardText(HWND, std::string* text) {
  std::lock_guard<std::mutex> hold(clipboardLock());
  *text = clipboard();
  return true;
}

ControlPaint::ControlPaint(HWND window, HFONT font) : window_(window), font_(font), dc_(nullptr), client_{} {
  GetClientRect(window, &client_);
}

ControlPaint::~ControlPaint() { ValidateRect(window_, nullptr); }

void ControlPaint::fill(const RECT&, COLORREF) const {}

void ControlPaint::frame(const RECT&, COLORREF) const {}

void ControlPaint::clip(const RECT&) const {}

void ControlPaint::text(int, int, std::string_view, COLORREF) const {}

int ControlPaint::width(std::string_view s) const { return textWidth(font_, s); }

int ControlPaint::lineHeight() const { return kw::user32::lineHeight(font_); }

}  // namespace kw::user32
